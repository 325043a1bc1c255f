// The preview's paint on a window of its own: the pictures it leaves, pixel
// for pixel, the GDI calls it makes, and that it leaves no object alive and
// no device context holding another bitmap than its first, whatever fails.
#include "ui/preview_paint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "tests/platform/gdi_test_support.h"
#include "globals/plugin_state.h"
#include "standin/hooks/host_hooks.h"
#include "standin/host/host_blocks.h"
#include "tests/support/standin_host_test.h"
#include "tests/support/standin_suite_install.h"

namespace {

using gdi_test::Window;

constexpr uint32_t kBlackPixel = 0x000000;
constexpr uint32_t kWhitePixel = 0xFFFFFF;

// A matrix of `side` modules, each dark or light at random.
std::unique_ptr<ModuleMatrix> RandomMatrix(int side, unsigned seed) {
    auto m = std::make_unique<ModuleMatrix>();
    std::mt19937 random(seed);
    m->side = static_cast<int16_t>(side);
    for (uint8_t& module : m->modules) module = random() % 2;
    return m;
}

// Whether the full-size picture of `m` (3 pixels a module, 4 modules of
// quiet zone) is dark at (x, y), counted from its top left.
bool PictureDark(const ModuleMatrix& m, int x, int y) {
    const int column = x / 3 - 4;
    const int row = y / 3 - 4;
    if (column < 0 || row < 0 || column >= m.side || row >= m.side) return false;
    return m.modules[column * kMaxSide + row] != 0;
}

// What the item shows without a symbol: the frame and white inside it.
uint32_t EmptyItemPixel(int x, int y, int width, int height) {
    const bool frame = x == 0 || y == 0 || x == width - 1 || y == height - 1;
    return frame ? kBlackPixel : kWhitePixel;
}

class PreviewPaint : public StandinHostTest {
  protected:
    void SetUp() override {
        StandinHostTest::SetUp();
        GdiReset();
        ASSERT_EQ(InstallStandinSuites(), kSPNoError);
    }
    void TearDown() override {
        EXPECT_EQ(OutstandingHostBlocks(), 0u);  // every buffer given back
        GdiReset();
        UninstallStandinSuites();
        StandinHostTest::TearDown();
    }

    // Paints `matrix` on a new window of the item's size.
    std::unique_ptr<Window> Paint(int width, int height, const ModuleMatrix* matrix) {
        auto window = std::make_unique<Window>(width, height);
        PaintOn(*window, matrix);
        return window;
    }
    // Paints `matrix` on all of `window`.
    static void PaintOn(Window& window, const ModuleMatrix* matrix) {
        const int height = static_cast<int>(window.pixels.size()) / window.width;
        PaintSymbolPreview(window.dc, ADMRect{0, 0, window.width, height}, matrix);
    }

    static void ExpectNothingLeftAlive() {
        const GdiCounts c = GdiLiveCounts();
        EXPECT_EQ(c.memoryDCs, 0);
        EXPECT_EQ(c.bitmaps, 0);
        EXPECT_EQ(c.brushes, 0);
        EXPECT_EQ(c.selectedBitmaps, 0);
        EXPECT_EQ(c.dcsNotRestored, 0);
    }

    static void ExpectEmptyItem(const Window& w, int width, int height) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                ASSERT_EQ(w.At(x, y), EmptyItemPixel(x, y, width, height)) << x << "," << y;
            }
        }
    }
};

TEST_F(PreviewPaint, ASymbolThatFitsIsShownUnscaledAndCentredWithSharpModules) {
    // 2 pixels inside the item leave 87 x 88: a version 1 picture fits.
    const auto m = RandomMatrix(21, 1);
    const int width = 91, height = 93;
    const auto w = Paint(width, height, m.get());
    ExpectNothingLeftAlive();
    const int x0 = (width - 87) / 2, y0 = (height - 87) / 2;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint32_t want = EmptyItemPixel(x, y, width, height);
            const bool inPicture = x >= x0 && y >= y0 && x < x0 + 87 && y < y0 + 87;
            if (inPicture) want = PictureDark(*m, x - x0, y - y0) ? kBlackPixel : kWhitePixel;
            ASSERT_EQ(w->At(x, y), want) << x << "," << y;
        }
    }
}

TEST_F(PreviewPaint, ALargeSymbolIsShrunkToASquareByAveraging) {
    const auto m = RandomMatrix(177, 2);
    const int n = 555;
    struct Item {
        int width, height;
    };
    // The item's own size, and items narrower than high and the reverse.
    for (const Item item : {Item{208, 231}, Item{150, 300}, Item{321, 120}}) {
        const auto w = Paint(item.width, item.height, m.get());
        ExpectNothingLeftAlive();
        double k = std::min(double(item.width - 4) / n, double(item.height - 4) / n);
        const int side = int(n * k);
        const int x0 = (item.width - side) / 2, y0 = (item.height - side) / 2;
        // Every source pixel adds its grey to the target pixel it lands on,
        // both counted from the bottom row up.
        std::vector<int> sum(size_t(side) * side), count(sum.size());
        for (int top = 0; top < n; ++top) {
            const int fromBottom = n - 1 - top;
            const int ty = std::min(side - 1, int(fromBottom * k + 0.5));
            for (int x = 0; x < n; ++x) {
                const int tx = std::min(side - 1, int(x * k + 0.5));
                const size_t at = size_t(side - 1 - ty) * side + tx;  // top-down
                sum[at] += PictureDark(*m, x, top) ? 0 : 255;
                ++count[at];
            }
        }
        int greys = 0;
        for (int y = 0; y < item.height; ++y) {
            for (int x = 0; x < item.width; ++x) {
                uint32_t want = EmptyItemPixel(x, y, item.width, item.height);
                if (x >= x0 && y >= y0 && x < x0 + side && y < y0 + side) {
                    const size_t at = size_t(y - y0) * side + (x - x0);
                    const uint32_t g = count[at] != 0 ? uint32_t(sum[at] / count[at]) : 255;
                    want = g << 16 | g << 8 | g;
                    greys += g != 0 && g != 255;
                }
                ASSERT_EQ(w->At(x, y), want) << x << "," << y << " in " << item.width;
            }
        }
        EXPECT_GT(greys, side * side / 4);  // edges between modules are grey
    }
}

TEST_F(PreviewPaint, NoSymbolLeavesTheFrameAndAWhiteInterior) {
    auto empty = std::make_unique<ModuleMatrix>();
    empty->side = 0;
    for (const ModuleMatrix* m : {static_cast<const ModuleMatrix*>(nullptr),
                                  static_cast<const ModuleMatrix*>(empty.get())}) {
        Window w(40, 30);
        GdiSetCallLog(true);
        PaintOn(w, m);
        ExpectEmptyItem(w, 40, 30);
        std::vector<std::string> names;
        for (const GdiCall& c : GdiCallLog()) names.push_back(c.name);
        EXPECT_EQ(names, (std::vector<std::string>{"CreateSolidBrush", "CreateSolidBrush",
                                                   "SetRect", "FrameRect", "InflateRect",
                                                   "FillRect", "DeleteObject", "DeleteObject"}));
        ExpectNothingLeftAlive();
    }
}

TEST_F(PreviewPaint, EveryObjectIsDeletedAndEveryDeviceContextGetsItsFirstBitmapBack) {
    const auto m = RandomMatrix(177, 3);
    Window w(208, 231);
    GdiSetCallLog(true);
    PaintOn(w, m.get());
    const std::vector<GdiCall> log = GdiCallLog();
    std::vector<std::string> calls;  // every call but the modules' FillRect
    for (const GdiCall& c : log) {
        EXPECT_NE(c.result, "0") << c.name << "(" << c.args << ")";
        EXPECT_NE(c.result, "NULL") << c.name << "(" << c.args << ")";
        if (c.name == "FillRect" && c.args.rfind("mdc", 0) == 0 &&
            c.args.find("{0,0,555,555}") == std::string::npos) {
            continue;
        }
        calls.push_back(c.name + "(" + c.args + ")");
    }
    // Handles are table slots: the window is sdc2, the brushes br3 and br4.
    const std::vector<std::string> expected = {
        "CreateSolidBrush(0x0)",
        "CreateSolidBrush(0xFFFFFF)",
        "SetRect(0, 0, 208, 231)",
        "FrameRect(sdc2, {0,0,208,231}, br3)",
        "InflateRect({0,0,208,231}, -1, -1)",
        "FillRect(sdc2, {1,1,207,230}, br4)",
        "CreateCompatibleDC(sdc2)",
        "CreateCompatibleBitmap(sdc2, 555, 555)",
        "SelectObject(mdc5, bm6)",
        "SetRect(0, 0, 555, 555)",
        "FillRect(mdc5, {0,0,555,555}, br4)",
        "InflateRect({1,1,207,230}, -1, -1)",
        "CreateCompatibleDC(sdc2)",
        "CreateCompatibleBitmap(sdc2, 204, 204)",
        "SelectObject(mdc7, bm8)",
    };
    ASSERT_GE(calls.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + expected.size()), expected);
    std::vector<std::string> rest;
    for (size_t i = expected.size(); i < calls.size(); ++i) {
        rest.push_back(calls[i].substr(0, calls[i].find('(')));
    }
    EXPECT_EQ(rest, (std::vector<std::string>{"GetObjectA",   "CreateDIBitmap", "SelectObject",
                                              "GetDIBits",    "SelectObject",   "DeleteObject",
                                              "GetObjectA",   "CreateDIBitmap", "SelectObject",
                                              "SetDIBits",    "SelectObject",   "DeleteObject",
                                              "BitBlt",       "SelectObject",   "SelectObject",
                                              "DeleteObject", "DeleteObject",   "DeleteDC",
                                              "DeleteDC",     "DeleteObject",   "DeleteObject"}));
    // The memory device contexts get the stock bitmap back before they go.
    const std::string text = GdiCallLogText();
    EXPECT_NE(text.find("SelectObject(mdc5, bm0)"), std::string::npos) << text.substr(0, 2000);
    EXPECT_NE(text.find("SelectObject(mdc7, bm0)"), std::string::npos);
    ExpectNothingLeftAlive();
}

TEST_F(PreviewPaint, AFailedObjectOrBufferLeavesTheFrameOrTheWholeSymbolAndNothingAlive) {
    const auto m = RandomMatrix(29, 4);  // version 3: 111 pixels
    const int width = 130, height = 120;
    const auto whole = Paint(width, height, m.get());
    Window counted(width, height);
    const unsigned before = GdiAllocationCount();
    PaintOn(counted, m.get());
    const unsigned allocations = GdiAllocationCount() - before;
    EXPECT_EQ(allocations, 8u);  // brushes, device contexts, bitmaps, placeholders
    for (unsigned k = 1; k <= allocations; ++k) {
        Window w(width, height);
        GdiFailAllocation(k);
        PaintOn(w, m.get());
        GdiFailAllocation(0);
        ExpectNothingLeftAlive();
        if (k <= 2) {
            // Without both brushes nothing can be drawn.
            EXPECT_EQ(w.Text().find_first_not_of("-|"), std::string::npos) << k;
        } else {
            // Never half a symbol: all of it, or the frame and the white field.
            EXPECT_NE(w.pixels, whole->pixels) << k;
            ExpectEmptyItem(w, width, height);
        }
    }
    // Without the host's buffers: the frame and the white field.
    standin::FailHostCall(1, kSPOutOfMemoryError, standin::HostCall::kAllocateBlock);
    const auto w = Paint(width, height, m.get());
    EXPECT_TRUE(standin::HostCallFailed());
    ExpectEmptyItem(*w, width, height);
    ExpectNothingLeftAlive();
}

TEST_F(PreviewPaint, AnItemTooSmallForOnePixelOfSymbolShowsItsFrame) {
    const auto m = RandomMatrix(177, 5);
    for (int side : {1, 2, 4, 5}) {
        const auto w = Paint(side, side, m.get());
        ExpectNothingLeftAlive();
        if (side <= 4) ExpectEmptyItem(*w, side, side);
    }
}

}  // namespace
