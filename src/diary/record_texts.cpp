#include "diary/record_texts.h"

#include <cstdio>
#include <cstring>

#include "corelib/sjis.h"
#include "corelib/utility.h"

namespace {

void CopyText(char* field, std::size_t limit, const char* text) {
    SjisCopy(field, limit + 1, text ? text : "");
}

// The field has room for limit bytes of text and its NUL.
bool Terminate(char* field, std::size_t limit) {
    if (std::memchr(field, '\0', limit + 1)) return false;
    field[SjisFitLength(field, limit)] = '\0';
    return true;
}

}  // namespace

void SetUserName(UserHeader& header, const char* name) { CopyText(header.name, kNameLimit, name); }

void SetTargetMessage(UserHeader& header, const char* message) {
    CopyText(header.targetMessage, kTargetMessageLimit, message);
}

void SetDiaryText(DailyRecord& record, const char* text) { CopyText(record.diary, kDiaryTextLimit, text); }

bool TerminateTexts(UserHeader& header) {
    bool cut = Terminate(header.name, kNameLimit);
    return Terminate(header.targetMessage, kTargetMessageLimit) || cut;
}

bool TerminateTexts(DailyRecord& record) {
    return Terminate(record.diary, kDiaryTextLimit);
}

void FormatMainTitle(const UserHeader& header, char* out, std::size_t size) {
    int nameLength = static_cast<int>(SjisFitLength(header.name, sizeof header.name - 1));
    int messageLength = static_cast<int>(SjisFitLength(header.targetMessage, sizeof header.targetMessage - 1));
    std::snprintf(out, size, "%.*s - %s 「%.*s」", nameLength, header.name, kProgramName, messageLength,
                  header.targetMessage);
}
