#include "qr/store/table_failure.h"

#include <cassert>
#include <cstdio>
#include <cstring>

namespace {

TableFailure gLast = {"", kTableFailureNone};

}  // namespace

TableFailure LastTableFailure() { return gLast; }

const char* TableFailureText(int32_t reason) {
    switch (reason) {
        case kTableFailureNone: return "no failure";
        case kTableFailureNoFolder: return "the application folder cannot be found";
        case kTableFailurePathTooLong: return "its path would be longer than 255 bytes";
        case kTableFailureCannotOpen: return "the file cannot be opened as a regular file";
        case kTableFailureMissing: return "the directory does not list it";
        case kTableFailureBeyondEnd: return "its offset lies beyond the end of the file";
        case kTableFailureInDirectory: return "its offset lies inside the directory";
        case kTableFailureSize: return "it does not decode to the length the version takes";
        case kTableFailureLength: return "it decodes to another length than its check value says";
        case kTableFailureCheckMismatch: return "its bytes do not give its check value";
        case kTableFailureNoCheck: return "the file's check values do not list it";
        case kTableFailurePositionOutside: return "a module position lies outside the symbol";
        case kTableFailurePositionRepeated:
            return "a module position is used twice or lies on a function pattern";
        case kTableFailureBlocks:
            return "its error-correction blocks do not make the version's codewords";
        case kTableFailureTemplate:
            return "it holds characters other than 0 and 1, or wrong finder or timing patterns";
        case kTableFailureGenerator:
            return "its rows are not the multiples of one generator polynomial";
        case kTableFailureUnreadable: return "the file cannot be read";
        default: return "unknown damage";
    }
}

int32_t DescribeLastTableFailure(char* text, int32_t size) {
    assert(text != nullptr && size > 0);
    if (gLast.reason == kTableFailureNone) {
        text[0] = '\0';
        return 0;
    }
    const int n = gLast.section[0] != '\0'
                      ? std::snprintf(text, static_cast<size_t>(size), "section %s: %s",
                                      gLast.section, TableFailureText(gLast.reason))
                      : std::snprintf(text, static_cast<size_t>(size), "%s",
                                      TableFailureText(gLast.reason));
    if (n < 0) {
        text[0] = '\0';
        return 0;
    }
    return n < size ? n : size - 1;
}

void ClearTableFailure() { gLast = {"", kTableFailureNone}; }

void NoteTableFailure(const char* section, int32_t reason) {
    assert(reason != kTableFailureNone);
    if (gLast.reason != kTableFailureNone) return;
    gLast.reason = reason;
    gLast.section[0] = '\0';
    if (section != nullptr) {
        const size_t length = strnlen(section, kTableFailureNameLength);
        std::memcpy(gLast.section, section, length);
        gLast.section[length] = '\0';
    }
}
