// The two layouts as they lie in a data file, byte by byte: a file written by
// any version of the program must read back field for field.
#include "diary/records.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// Packed members are compared by value: a reference to one would be misaligned.
template <typename T>
T Val(T value) {
    return value;
}

// Little-endian images of values, as the file holds them.
void PutU32(std::vector<unsigned char>& bytes, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<unsigned char>(v >> (8 * i));
}
void PutDouble(std::vector<unsigned char>& bytes, std::size_t at, double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, 8);
    for (int i = 0; i < 8; ++i) bytes[at + i] = static_cast<unsigned char>(bits >> (8 * i));
}
void PutText(std::vector<unsigned char>& bytes, std::size_t at, const char* text) {
    std::memcpy(&bytes[at], text, std::strlen(text) + 1);
}

TEST(Records, UserHeaderReadsFromItsFileImage) {
    std::vector<unsigned char> image(167, 0);
    image[0] = 'A';
    PutU32(image, 1, 12345);
    PutText(image, 5, "山田花子");
    PutU32(image, 36, 42);
    image[40] = 1;
    PutDouble(image, 41, 158.5);
    image[49] = 3;
    PutDouble(image, 50, 52.5);
    PutDouble(image, 58, 24.0);
    PutU32(image, 66, 1800);
    PutU32(image, 70, 300);
    PutU32(image, 74, 420);
    PutU32(image, 78, 8000);
    PutText(image, 82, "表ソ 毎日歩く");
    PutU32(image, 163, 0xA1B2C3D4u);

    UserHeader h;
    ASSERT_EQ(image.size(), sizeof h);
    std::memcpy(&h, image.data(), sizeof h);
    EXPECT_EQ('A', Val(h.formatMark));
    EXPECT_EQ(12345, Val(h.userNumber));
    EXPECT_STREQ("山田花子", h.name);
    EXPECT_EQ(42, Val(h.age));
    EXPECT_EQ(1, Val(h.sex));
    EXPECT_EQ(158.5, Val(h.height));
    EXPECT_EQ(3, Val(h.activityLevel));
    EXPECT_EQ(52.5, Val(h.targetWeight));
    EXPECT_EQ(24.0, Val(h.targetBodyFat));
    EXPECT_EQ(1800, Val(h.targetIntake));
    EXPECT_EQ(300, Val(h.targetExercise));
    EXPECT_EQ(420, Val(h.targetSleep));
    EXPECT_EQ(8000, Val(h.targetSteps));
    EXPECT_STREQ("表ソ 毎日歩く", h.targetMessage);
    EXPECT_EQ(0xA1B2C3D4u, Val(h.recordCount));

    // And back: the struct's bytes are the file's bytes.
    std::vector<unsigned char> again(sizeof h);
    std::memcpy(again.data(), &h, sizeof h);
    EXPECT_EQ(image, again);
}

TEST(Records, DailyRecordReadsFromItsFileImage) {
    std::vector<unsigned char> image(15282, 0);
    std::memcpy(&image[0], "20261207", 8);
    PutDouble(image, 8, 63.4);
    PutDouble(image, 16, 22.1);
    PutDouble(image, 24, 28.5);
    PutDouble(image, 32, 36.6);
    image[40] = 4;
    PutU32(image, 41, 450);
    PutU32(image, 45, 12000);
    image[49] = 0xA5;      // first byte of reserved block A
    image[7952] = 0x5A;    // its last byte
    for (int i = 0; i < 4; ++i) PutU32(image, 7953 + 4 * i, 100 + i);
    PutU32(image, 7969, 2100);
    image[7973] = 0xC3;    // first byte of reserved block B
    image[14276] = 0x3C;   // its last byte
    PutU32(image, 14277, 350);
    PutText(image, 14281, "今日は表参道を歩いた");
    image[15281] = 0x77;   // the last byte of the diary field

    DailyRecord r;
    ASSERT_EQ(image.size(), sizeof r);
    std::memcpy(&r, image.data(), sizeof r);
    EXPECT_EQ(0, std::memcmp(r.date, "20261207", 8));
    EXPECT_EQ(63.4, Val(r.weight));
    EXPECT_EQ(22.1, Val(r.bmi));
    EXPECT_EQ(28.5, Val(r.bodyFat));
    EXPECT_EQ(36.6, Val(r.temperature));
    EXPECT_EQ(4, Val(r.condition));
    EXPECT_EQ(450, Val(r.sleep));
    EXPECT_EQ(12000u, Val(r.steps));
    EXPECT_EQ(0xA5, r.reservedA[0]);
    EXPECT_EQ(0x5A, r.reservedA[kReservedALength - 1]);
    for (int i = 0; i < 4; ++i) {
        std::uint32_t part = r.intakeParts[i];  // by value: the member is misaligned
        EXPECT_EQ(100u + i, part);
    }
    EXPECT_EQ(2100u, Val(r.intakeTotal));
    EXPECT_EQ(0xC3, r.reservedB[0]);
    EXPECT_EQ(0x3C, r.reservedB[kReservedBLength - 1]);
    EXPECT_EQ(350u, Val(r.exercise));
    EXPECT_STREQ("今日は表参道を歩いた", r.diary);
    EXPECT_EQ(0x77, static_cast<unsigned char>(r.diary[kDiaryCapacity - 1]));

    std::vector<unsigned char> again(sizeof r);
    std::memcpy(again.data(), &r, sizeof r);
    EXPECT_EQ(image, again);
}

TEST(Records, InputItemFlagsAreSevenBytesInItemOrder) {
    const unsigned char file[7] = {1, 0, 1, 0, 0, 1, 0};
    InputItemFlags flags;
    std::memcpy(&flags, file, sizeof flags);
    EXPECT_EQ(1, flags.on[kItemBodyFat]);
    EXPECT_EQ(1, flags.on[kItemCondition]);
    EXPECT_EQ(1, flags.on[kItemIntake]);
    EXPECT_EQ(0, flags.on[kItemExercise]);
}

}  // namespace
