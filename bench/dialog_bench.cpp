// Keeps a dialog of its own: the time measured is the plug-in's, not the stand-in dialog manager's.
//
// The settings dialog's keystroke: one text notification at version 40 (the
// escapes, the encoding, the information text and the repaint of the preview
// through the GDI layer), and one paint of the preview on its own. A small
// dialog manager stands in for the host's: its items hold a text, and an
// invalidated item is painted at once on a window of the preview's size.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_engine_host.h"
#include "globals/plugin_state.h"
#include "platform/gdi_surface.h"
#include "standin/suites/blocks_runtime/blocks_runtime.h"
#include "ui/dialog_items.h"
#include "ui/dialog_notifications.h"
#include "ui/preview_paint.h"

namespace {

// The preview item in pixels, as the dialog's 139 x 154 units come out in
// the dialog's font.
constexpr int kPreviewWidth = 208;
constexpr int kPreviewHeight = 231;

// The dialog manager's side: the text item's text and the preview's window.
struct DialogDouble {
    std::string typed;
    std::vector<uint32_t> pixels = std::vector<uint32_t>(size_t(kPreviewWidth) * kPreviewHeight);
    HDC window = nullptr;
    int paints = 0;
};
DialogDouble* gDialog = nullptr;

ADMItemRef Item(int32_t id) {
    return reinterpret_cast<ADMItemRef>(static_cast<uintptr_t>(0x100 + id));
}
int32_t ItemID(ADMItemRef item) {
    return static_cast<int32_t>(reinterpret_cast<uintptr_t>(item) - 0x100);
}
ADMDialogRef const kDialog = reinterpret_cast<ADMDialogRef>(0xD1A);

void HOST_CALL GetText(ADMItemRef, char* text, ASInt32 maxLength) {
    const size_t n = std::min(gDialog->typed.size(), static_cast<size_t>(maxLength));
    std::memcpy(text, gDialog->typed.data(), n);
    text[n] = '\0';
}

void HOST_CALL GetLocalRect(ADMItemRef, ADMRect* rect) {
    *rect = ADMRect{0, 0, kPreviewWidth, kPreviewHeight};
}

// The host repaints an invalidated item soon after; here at once.
void HOST_CALL Invalidate(ADMItemRef item) {
    if (ItemID(item) != kPreviewItem) return;
    ++gDialog->paints;
    DrawSymbolPreview(item, reinterpret_cast<ADMDrawerRef>(gDialog->window));
}

const ADMDialogSuite kDialogSuite = [] {
    ADMDialogSuite s = {};
    s.GetItem = [](ADMDialogRef, ASInt32 id) { return Item(id); };
    return s;
}();
const ADMItemSuite kItemSuite = [] {
    ADMItemSuite s = {};
    s.GetDialog = [](ADMItemRef) { return kDialog; };
    s.SetText = [](ADMItemRef, const char*) {};
    s.GetText = GetText;
    s.Invalidate = Invalidate;
    s.GetLocalRect = GetLocalRect;
    return s;
}();
const ADMDrawerSuite kDrawerSuite = {
    .GetPortRef = [](ADMDrawerRef drawer) { return reinterpret_cast<ADMPortRef>(drawer); }};
// Held for SettingsDialogSuitesHeld; the notification never calls them.
const ADMListSuite kListSuite = {};
const ADMEntrySuite kEntrySuite = {};
const ADMBasicSuite kBasicSuite = {};

// The plug-in's state while its dialog runs: the suites, the globals with
// version 40 chosen, and the preview matrix.
class RunningDialog {
  public:
    RunningDialog() : globals_(std::make_unique<PluginGlobals>()) {
        SetBenchMaskSetting(0);
        SetDefaultGlobals(globals_.get());
        globals_->version = 40;
        globals_->previewMatrix = &matrix_;
        matrix_.side = 0;
        gPluginState.admDialog = &kDialogSuite;
        gPluginState.admItem = &kItemSuite;
        gPluginState.admList = &kListSuite;
        gPluginState.admEntry = &kEntrySuite;
        gPluginState.admDrawer = &kDrawerSuite;
        gPluginState.admBasic = &kBasicSuite;
        // The stand-in host's own heap, as `orvelk` gives it to the plug-in.
        gPluginState.blocks = StandinBlocksSuite();
        gPluginState.globals = globals_.get();
        dialog_.window = GdiCreateSurfaceDC(kPreviewWidth, kPreviewHeight, kPreviewWidth * 4,
                                            dialog_.pixels.data());
        gDialog = &dialog_;
    }
    ~RunningDialog() {
        GdiReleaseSurfaceDC(dialog_.window);
        gDialog = nullptr;
        ResetPluginState();
    }
    DialogDouble& dialog() { return dialog_; }
    const ModuleMatrix& matrix() const { return matrix_; }

  private:
    std::unique_ptr<PluginGlobals> globals_;
    ModuleMatrix matrix_ = {};
    DialogDouble dialog_;
};

// A keystroke: the text alternates between two forms that differ in their
// last character, so every notification encodes.
void BM_TextNotificationVersion40(benchmark::State& state) {
    RunningDialog running;
    std::string texts[2] = {std::string(1000, 'Q') + "\\na", std::string(1000, 'Q') + "\\nb"};
    size_t k = 0;
    for (auto _ : state) {
        running.dialog().typed = texts[k++ % 2];
        TextItemNotify(Item(kTextItem), nullptr);
    }
    if (running.matrix().side != 177 || running.dialog().paints != int(k)) {
        state.SkipWithError("no version 40 symbol painted: is the table file laid out?");
    }
}
BENCHMARK(BM_TextNotificationVersion40)->Unit(benchmark::kMicrosecond);

void BM_PreviewPaintVersion40(benchmark::State& state) {
    RunningDialog running;
    running.dialog().typed = std::string(1000, 'Q');
    TextItemNotify(Item(kTextItem), nullptr);
    if (running.matrix().side != 177) {
        state.SkipWithError("no version 40 symbol: is the table file laid out?");
        return;
    }
    for (auto _ : state) {
        DrawSymbolPreview(Item(kPreviewItem),
                          reinterpret_cast<ADMDrawerRef>(running.dialog().window));
    }
    benchmark::DoNotOptimize(running.dialog().pixels[kPreviewWidth * 100 + 100]);
}
BENCHMARK(BM_PreviewPaintVersion40)->Unit(benchmark::kMicrosecond);

}  // namespace
