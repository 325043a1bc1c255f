// The settings dialog's text path without the dialog: what the user types
// (any bytes, up to the item's 8192) through the escape translation into the
// globals, the preview's symbol encoded from it and the information text. The
// translation never writes past its input's length, never splits a two-byte
// character and is the identity on a text without backslashes or a final
// lead byte; the symbol passes the checks of a symbol; the information text
// ends inside its line.
#include <cstring>
#include <memory>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/fuzz_support.h"
#include "fuzz/prefs_support.h"
#include "globals/plugin_state.h"
#include "sjis/shift_jis.h"
#include "ui/escape_text.h"
#include "ui/info_text.h"
#include "ui/preview_matrix.h"

namespace {
int32_t gMask = 0;
PluginGlobals gGlobals;
ModuleMatrix gPreview;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    InstallFuzzEngineHost(ORVELK_FUZZ_APP_DIR, &gMask);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    ConsumeSettings(input, &gGlobals);
    // The item gives at most 8192 bytes and a NUL.
    std::string typed = input.ConsumeRemainingBytesAsString();
    typed = typed.substr(0, std::min<size_t>(std::strlen(typed.c_str()), kMaxGlobalsTextLength));

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
    gPluginState.globals = nullptr;
    return 0;
}
