#include "view/diary_state.h"

DiaryWindowState g_diary;
const char* const kPeriodKeyResync = "999999";
