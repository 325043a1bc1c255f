// Keeps a dialog of its own for speed: a host session per input would cost more than the input.
//
// The settings dialog's text path: what the user types (any bytes, up to the
// item's 8192) through the escape translation into the globals, the preview's
// symbol encoded from it and the information text. The translation never
// writes past its input's length, never splits a two-byte character and is
// the identity on a text without backslashes or a final lead byte; the symbol
// passes the checks of a symbol; the information text ends inside its line.
// Then the same bytes reach the text item's own notification procedure
// through a dialog of ADM suites that give them as the item's text (filling
// the whole buffer, without a NUL, when they are longer): the globals take
// the translation of the item's 8192 bytes at most, the information item
// gets a NUL-terminated line, and the preview is invalidated exactly when the
// text changed.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/fuzz_support.h"
#include "fuzz/prefs_support.h"
#include "globals/plugin_state.h"
#include "hostapi/sp_basic.h"
#include "sjis/shift_jis.h"
#include "ui/dialog_items.h"
#include "ui/dialog_notifications.h"
#include "ui/escape_text.h"
#include "ui/info_text.h"
#include "ui/preview_matrix.h"

namespace {
int32_t gMask = 0;
PluginGlobals gGlobals;
ModuleMatrix gPreview;

// The dialog the notification runs in: three items, told apart by address.
int gDialogObject, gTextObject, gInfoObject, gPreviewObject;
const auto kDialog = reinterpret_cast<ADMDialogRef>(&gDialogObject);
const auto kText = reinterpret_cast<ADMItemRef>(&gTextObject);
const auto kInfo = reinterpret_cast<ADMItemRef>(&gInfoObject);
const auto kPreview = reinterpret_cast<ADMItemRef>(&gPreviewObject);
std::string gTyped;        // what the text item holds
std::string gInfoText;     // what the information item was given last
int gInvalidations = 0;

void HOST_CALL GetText(ADMItemRef item, char* text, ASInt32 maxLength) {
    FUZZ_CHECK(item == kText && maxLength >= 0, "the text item's text into a buffer");
    // The host cuts the text to the length it is given and writes a NUL
    // after it: the buffer must hold maxLength + 1 bytes.
    const size_t n = std::min(gTyped.size(), static_cast<size_t>(maxLength));
    std::memcpy(text, gTyped.data(), n);
    text[n] = '\0';
}
void HOST_CALL SetText(ADMItemRef item, const char* text) {
    FUZZ_CHECK(item == kInfo, "only the information item is written");
    const size_t length = strnlen(text, kInfoLineSize);
    FUZZ_CHECK(length < kInfoLineSize, "a line that ends inside its buffer");
    gInfoText.assign(text, length);
}
ADMDialogRef HOST_CALL GetDialog(ADMItemRef) { return kDialog; }
void HOST_CALL Invalidate(ADMItemRef item) {
    FUZZ_CHECK(item == kPreview, "only the preview is repainted");
    ++gInvalidations;
}
ADMItemRef HOST_CALL GetItem(ADMDialogRef dialog, int32_t id) {
    FUZZ_CHECK(dialog == kDialog, "items of the dialog asked for");
    return id == kInfoTextItem ? kInfo : id == kPreviewItem ? kPreview : nullptr;
}
ASErr HOST_CALL AllocateBlock(ASInt32 size, const char*, void** block) {
    *block = std::malloc(static_cast<size_t>(size));
    return *block != nullptr ? 0 : kSPOutOfMemoryError;
}
ASErr HOST_CALL FreeBlock(void* block) {
    std::free(block);
    return 0;
}

ADMItemSuite gItemSuite;
ADMDialogSuite gDialogSuite;
ADMListSuite gListSuite;
ADMEntrySuite gEntrySuite;
ADMDrawerSuite gDrawerSuite;
ADMBasicSuite gBasicSuite;
SPBlocksSuite gBlocksSuite;

// Holds the suites of the dialog in the plug-in's state for one run.
void HoldDialogSuites(bool hold) {
    gPluginState.admItem = hold ? &gItemSuite : nullptr;
    gPluginState.admDialog = hold ? &gDialogSuite : nullptr;
    gPluginState.admList = hold ? &gListSuite : nullptr;
    gPluginState.admEntry = hold ? &gEntrySuite : nullptr;
    gPluginState.admDrawer = hold ? &gDrawerSuite : nullptr;
    gPluginState.admBasic = hold ? &gBasicSuite : nullptr;
    gPluginState.blocks = hold ? &gBlocksSuite : nullptr;
}

// The notification of the text item, typed `typed`: the globals and what the
// dialog was told afterwards.
void NotifyTyped(const std::string& typed) {
    gTyped = typed;
    gInvalidations = 0;
    const std::string before = gGlobals.text;
    HoldDialogSuites(true);
    TextItemNotify(kText, nullptr);
    HoldDialogSuites(false);

    // The item's text as the plug-in may take it: 8192 bytes, up to a NUL.
    std::string held = typed.substr(0, kMaxGlobalsTextLength);
    held = held.substr(0, std::strlen(held.c_str()));
    auto expected = std::make_unique<char[]>(held.size() + 1);
    TranslateEscapes(held.c_str(), expected.get());
    FUZZ_CHECK(std::strcmp(gGlobals.text, expected.get()) == 0, "the globals hold the translation");
    FUZZ_CHECK(gInvalidations == (before != gGlobals.text ? 1 : 0),
               "the preview repainted exactly when the text changed");
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    InstallFuzzEngineHost(ORVELK_FUZZ_APP_DIR, &gMask);
    gItemSuite.GetText = GetText;
    gItemSuite.SetText = SetText;
    gItemSuite.GetDialog = GetDialog;
    gItemSuite.Invalidate = Invalidate;
    gDialogSuite.GetItem = GetItem;
    gBlocksSuite.AllocateBlock = AllocateBlock;
    gBlocksSuite.FreeBlock = FreeBlock;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    ConsumeSettings(input, &gGlobals);
    // The item gives at most 8192 bytes and a NUL.
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    std::string typed =
        bytes.substr(0, std::min<size_t>(std::strlen(bytes.c_str()), kMaxGlobalsTextLength));

    // Exactly the room the translation may use, so that a byte more is seen.
    auto text = std::make_unique<char[]>(typed.size() + 1);
    const size_t length = TranslateEscapes(typed.c_str(), text.get());
    FUZZ_CHECK(length <= typed.size() && text[length] == '\0' && std::strlen(text.get()) == length,
               "a result no longer than what was typed");
    const bool plain = typed.find('\\') == std::string::npos;
    // A lead byte that ends the text is dropped: the identity otherwise.
    bool endsInLead = false;
    for (size_t i = 0; i < typed.size(); i += static_cast<size_t>(ShiftJisCharLength(&typed[i])))
        endsInLead = i + 1 == typed.size() && IsKanjiLeadByte(static_cast<uint8_t>(typed[i]));
    if (plain && !endsInLead) FUZZ_CHECK(typed == text.get(), "no escape, no change");

    std::memcpy(gGlobals.text, text.get(), length + 1);
    gGlobals.previewMatrix = &gPreview;
    gPluginState.globals = &gGlobals;
    RegeneratePreviewMatrix();
    if (gPreview.side != 0)
        CheckSymbol(gPreview, gGlobals.version, LevelCharFromIndex(gGlobals.level), gMask);
    char info[kInfoLineSize];
    const int32_t infoLength = FormatInformationText(&gGlobals, gPreview.side, info);
    FUZZ_CHECK(infoLength >= 0 && infoLength < kInfoLineSize && info[infoLength] == '\0',
               "an information text inside its line");

    // The notification procedure, with the bytes as the item's text (any
    // length, NULs included), into globals whose text was empty.
    gGlobals.text[0] = '\0';
    NotifyTyped(bytes);
    gPluginState.globals = nullptr;
    return 0;
}
