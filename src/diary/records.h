// The two fixed layouts of a user data file: the user header and one day's
// record. Packed, little-endian, Shift-JIS texts NUL-terminated in their fields.
#ifndef PELMO_DIARY_RECORDS_H
#define PELMO_DIARY_RECORDS_H

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

struct UserHeader {
    char formatMark;          // 'A' once the header passed the registration or amend dialog
    int32_t userNumber;       // names "%ld.DAT" and "ITEM%ld.DAT"
    char name[31];            // at most 30 bytes + NUL
    int32_t age;              // 0..100
    uint8_t sex;              // 0 男性, 1 女性
    double height;            // cm, at most 250.0
    uint8_t activityLevel;    // 0..3
    double targetWeight;      // kg, 10.0..200.0
    double targetBodyFat;     // percent, whole number 1..50; 0 when body fat is not tracked
    int32_t targetIntake;     // kcal per day, 0 = none
    int32_t targetExercise;   // kcal per day, 0 = none
    int32_t targetSleep;      // minutes per day, 0 = none
    int32_t targetSteps;      // steps per day, 0 = none
    char targetMessage[81];   // at most 80 bytes + NUL; shown in the title
    uint32_t recordCount;     // daily records that follow the header
};

constexpr std::size_t kDateLength = 8;         // "YYYYMMDD", no terminator
constexpr std::size_t kReservedALength = 7904;
constexpr std::size_t kReservedBLength = 6304;
constexpr std::size_t kDiaryCapacity = 1001;   // at most 999 bytes of text + NUL
constexpr std::size_t kDiaryTextLimit = 999;

struct DailyRecord {
    char date[kDateLength];   // the key: records are kept in byte order of this field
    double weight;            // kg
    double bmi;               // cached by the row painter; 0 or stale until refreshed
    double bodyFat;           // percent, 0 = not entered
    double temperature;       // °C, 0 = not entered
    uint8_t condition;        // 1 and up, 0 = not entered
    int32_t sleep;            // minutes, 0 = not entered
    uint32_t steps;           // 0 = not entered
    uint8_t reservedA[kReservedALength];  // not interpreted; kept when a day is re-stored
    uint32_t intakeParts[4];  // kept, not shown
    uint32_t intakeTotal;     // kcal, 0 = not entered
    uint8_t reservedB[kReservedBLength];  // not interpreted; kept
    uint32_t exercise;        // kcal, 0 = not entered
    char diary[kDiaryCapacity];
};

#pragma pack(pop)

static_assert(sizeof(UserHeader) == 167, "UserHeader is 167 bytes on disk");
static_assert(offsetof(UserHeader, formatMark) == 0, "");
static_assert(offsetof(UserHeader, userNumber) == 1, "");
static_assert(offsetof(UserHeader, name) == 5, "");
static_assert(offsetof(UserHeader, age) == 36, "");
static_assert(offsetof(UserHeader, sex) == 40, "");
static_assert(offsetof(UserHeader, height) == 41, "");
static_assert(offsetof(UserHeader, activityLevel) == 49, "");
static_assert(offsetof(UserHeader, targetWeight) == 50, "");
static_assert(offsetof(UserHeader, targetBodyFat) == 58, "");
static_assert(offsetof(UserHeader, targetIntake) == 66, "");
static_assert(offsetof(UserHeader, targetExercise) == 70, "");
static_assert(offsetof(UserHeader, targetSleep) == 74, "");
static_assert(offsetof(UserHeader, targetSteps) == 78, "");
static_assert(offsetof(UserHeader, targetMessage) == 82, "");
static_assert(offsetof(UserHeader, recordCount) == 163, "");

static_assert(sizeof(DailyRecord) == 15282, "DailyRecord is 15282 bytes on disk");
static_assert(offsetof(DailyRecord, date) == 0, "");
static_assert(offsetof(DailyRecord, weight) == 8, "");
static_assert(offsetof(DailyRecord, bmi) == 16, "");
static_assert(offsetof(DailyRecord, bodyFat) == 24, "");
static_assert(offsetof(DailyRecord, temperature) == 32, "");
static_assert(offsetof(DailyRecord, condition) == 40, "");
static_assert(offsetof(DailyRecord, sleep) == 41, "");
static_assert(offsetof(DailyRecord, steps) == 45, "");
static_assert(offsetof(DailyRecord, reservedA) == 49, "");
static_assert(offsetof(DailyRecord, intakeParts) == 7953, "");
static_assert(offsetof(DailyRecord, intakeTotal) == 7969, "");
static_assert(offsetof(DailyRecord, reservedB) == 7973, "");
static_assert(offsetof(DailyRecord, exercise) == 14277, "");
static_assert(offsetof(DailyRecord, diary) == 14281, "");

// The seven optional input items, in the order of their flag bytes.
enum InputItem : int {
    kItemBodyFat = 0,
    kItemTemperature = 1,
    kItemCondition = 2,
    kItemSleep = 3,
    kItemSteps = 4,
    kItemIntake = 5,
    kItemExercise = 6,
    kInputItemCount = 7,
};

// One byte per item, 1 = on.
struct InputItemFlags {
    uint8_t on[kInputItemCount];
};
static_assert(sizeof(InputItemFlags) == 7, "the input-item file holds exactly 7 bytes");

#endif
