// The input-item file "ITEM7.DAT" as ReadInputItems reads it when a user is
// opened, with the leftover "ITEM7.DAT.new" of an interrupted write.
//
// Promises: the leftover is settled; a choice that is read holds only 0 and 1
// and writes back whole as exactly 7 bytes that read the same; a file that
// gives no choice leaves the caller's flags as they were.
#include <cstring>

#include "diary/input_items.h"
#include "support/fuzz_support.h"

namespace {

const char kItemFile[] = "ITEM7.DAT";
constexpr long kUser = 7;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t size) {
    FuzzInputBegins();
    ResetFuzzFolder();
    PlaceFile(kItemFile, input, size);

    InputItemFlags untouched = {{9, 9, 9, 9, 9, 9, 9}};
    InputItemFlags flags = untouched;
    int read = ReadInputItems(kUser, &flags);

    FUZZ_CHECK(!DataFileExists(LeftoverName(kItemFile).c_str()));
    if (!read) {
        FUZZ_CHECK(SameInputItems(flags, untouched));
        return 0;
    }
    for (std::uint8_t on : flags.on) FUZZ_CHECK(on == 0 || on == 1);
    FUZZ_CHECK(WriteInputItems(kUser, flags) == 1);
    FUZZ_CHECK(ReadDataFile(kItemFile).size() == sizeof flags.on);
    InputItemFlags again = untouched;
    FUZZ_CHECK(ReadInputItems(kUser, &again) == 1);
    FUZZ_CHECK(SameInputItems(flags, again));
    return 0;
}
