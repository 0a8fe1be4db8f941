// Native stand-ins of the Win32 helpers of utility.h.
#include "corelib/utility.h"

// There are no resources natively: portable code reads the program's texts
// through resources/texts.h.
const char* GetRS(void*, unsigned) { return ""; }

void* GetTopParent(void* window) { return window; }
