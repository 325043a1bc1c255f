#include "shell/error_reporter.h"

#include <cassert>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "globals/plugin_state.h"
#include "shell/dialog_buttons.h"
#include "shell/length_prefixed.h"

namespace {

// Bytes of a string read from the error table (at most 255 and a NUL), which
// is also the room of a length-prefixed string.
constexpr int32_t kTableStringSize = 256;
static_assert(kTableStringSize == kLengthPrefixedStringSize);
static_assert(kTableStringSize == kErrorMessageSize);

// The value of the code string `text` (NUL-terminated, kTableStringSize
// bytes, changed by the call) into *value: a number read by the AI User suite,
// truncated, its low 16 bits as a signed number; or else the first four bytes
// as a four-character code. False for a number that cannot be read.
bool CodeStringValue(char* text, ASErr* value) {
    const unsigned char first = static_cast<unsigned char>(text[0]);
    if (first != '-' && !(first >= '0' && first <= '9')) {
        *value =
            static_cast<ASErr>((static_cast<uint32_t>(static_cast<unsigned char>(text[0])) << 24) |
                               (static_cast<uint32_t>(static_cast<unsigned char>(text[1])) << 16) |
                               (static_cast<uint32_t>(static_cast<unsigned char>(text[2])) << 8) |
                               static_cast<uint32_t>(static_cast<unsigned char>(text[3])));
        return true;
    }
    double number = 0;
    const AIUserSuite* user = gPluginState.user;
    if (user != nullptr) {
        auto* prefixed = reinterpret_cast<unsigned char*>(text);
        ToLengthPrefixed(text, prefixed);
        // The conversion reports nothing; a code string always begins with a
        // sign or a digit, so it reads as a number.
        ASReal real = 0;
        user->StringToReal(prefixed, &real);
        FromLengthPrefixed(prefixed, text);
        number = real;
    } else {
        char* end = nullptr;
        number = std::strtod(text, &end);
        if (end == text) return false;
    }
    number = std::trunc(number);
    // Beyond 64 bits (or not a number) the low 16 bits mean nothing.
    if (!(number > -9.2e18 && number < 9.2e18)) return false;
    const auto low16 = static_cast<int16_t>(static_cast<uint16_t>(static_cast<int64_t>(number)));
    *value = low16;
    return true;
}

// Reads string `index` of the error table into `text` (kTableStringSize
// bytes). False when it cannot be read.
bool ReadTableString(const ADMBasicSuite* admBasic, SPPluginRef self, int32_t index, char* text) {
    std::memset(text, 0, kTableStringSize);
    const ASErr error =
        admBasic->GetIndexString(self, kErrorTableListID, index, text, kTableStringSize);
    text[kTableStringSize - 1] = '\0';
    return error == kSPNoError;
}

// The index of the message for `code`: that after its code string, or the
// last pair's when the table does not list it; 0 when the table is empty.
int32_t FindMessageIndex(const ADMBasicSuite* admBasic, SPPluginRef self, ASErr code) {
    char text[kTableStringSize];
    int32_t index = 1;
    for (;; index += 2) {
        if (!ReadTableString(admBasic, self, index, text) || text[0] == '\0') break;
        ASErr value = 0;
        if (CodeStringValue(text, &value) && value == code) return index + 1;
    }
    return index - 1;
}

ASErr HOST_CALL ErrorDialogInit(ADMDialogRef dialog) {
    const ADMDialogSuite* admDialog = gPluginState.admDialog;
    const ADMItemSuite* admItem = gPluginState.admItem;
    if (admDialog == nullptr || admItem == nullptr) return kSPNoError;
    CloseOnDefaultButton(dialog);
    const auto* record = static_cast<const ErrorRecord*>(admDialog->GetUserData(dialog));
    if (record == nullptr) return kSPNoError;
    ADMItemRef messageItem = admDialog->GetItem(dialog, kErrorDialogMessageItem);
    if (messageItem != nullptr) admItem->SetText(messageItem, record->message);
    ADMItemRef codeItem = admDialog->GetItem(dialog, kErrorDialogCodeItem);
    if (codeItem != nullptr) admItem->SetText(codeItem, record->codeText);
    return kSPNoError;
}

}  // namespace

void FormatErrorCode(ASErr code, char* text, int32_t textSize) {
    assert(text != nullptr && textSize > 4);
    const auto bits = static_cast<uint32_t>(code);
    const uint32_t high = bits >> 16;
    if (high != 0 && high != 0xFFFF) {
        for (int32_t i = 0; i < 4; ++i) text[i] = static_cast<char>(bits >> (24 - 8 * i));
        text[4] = '\0';  // a zero byte among the four ends the text earlier
        return;
    }
    const AIUserSuite* user = gPluginState.user;
    if (user != nullptr) {
        char decimal[kTableStringSize] = {};
        auto* prefixed = reinterpret_cast<unsigned char*>(decimal);
        // The conversion reports nothing: a text it did not write stays empty,
        // and the code is written here instead.
        user->RealToString(static_cast<ASReal>(code), 0, prefixed);
        if (prefixed[0] != 0) {
            FromLengthPrefixed(prefixed, decimal);
            std::snprintf(text, static_cast<size_t>(textSize), "%s", decimal);
            return;
        }
    }
    std::snprintf(text, static_cast<size_t>(textSize), "%d", static_cast<int>(code));
}

void ReportError(const SPMessageData* message, ASErr code) {
    assert(message != nullptr);
    if (code == kSPNoError || code == kCanceledErr) return;
    const ADMBasicSuite* admBasic = gPluginState.admBasic;
    const ADMDialogSuite* admDialog = gPluginState.admDialog;
    if (admBasic == nullptr || admDialog == nullptr) return;

    ErrorRecord record;
    std::memset(&record, 0, sizeof record);
    const int32_t messageIndex = FindMessageIndex(admBasic, message->self, code);
    // Index 0 is the list's marker, not a message: an empty table shows nothing.
    if (messageIndex < 1) return;
    if (!ReadTableString(admBasic, message->self, messageIndex, record.message)) return;
    FormatErrorCode(code, record.codeText, kErrorCodeTextSize);

    admDialog->Modal(message->self, kErrorDialogName, kErrorDialogID, kADMModalDialogStyle,
                     ErrorDialogInit, &record, 0);
}
