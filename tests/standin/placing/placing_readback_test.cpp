// What `orvelk batch` writes reads back: every format of a placed symbol, in
// every mode at versions 1, 10, 25 and 40, rasterised as a user's tools
// would and decoded by zxing-cpp to the line's text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "standin/text/cp932.h"
#include "tests/standin/export/read_back.h"
#include "tests/support/command_runner.h"

namespace {

struct ModeCase {
    const char* mode;
    const char* text;  // UTF-8; fits version 1 at level M in its mode
};

class PlacedSymbolReadBack : public testing::TestWithParam<ModeCase> {};

TEST_P(PlacedSymbolReadBack, EveryFormatAtEveryVersionDecodesToTheLine) {
    const std::string module = std::string(ORVELK_TEST_APP_DIR) + "/Plug-ins/Orvelk.aip";
    if (!std::filesystem::exists(module)) GTEST_SKIP() << "the module is not built";
    const ModeCase& c = GetParam();
    const std::string folder = FreshTestFolder(std::string("read_back_") + c.mode);
    const std::string texts = folder + "/texts.txt";
    std::ofstream(texts, std::ios::binary) << c.text << "\n";
    const Cp932Result expected = Utf8ToCp932(c.text);
    ASSERT_EQ(expected.status, Cp932Status::kOk);

    for (const char* version : {"1", "10", "25", "40"}) {
        for (const char* extension : {"svg", "pdf", "eps", "png"}) {
            const std::string pattern = folder + "/v" + version + "-#." + extension;
            const CommandResult r = RunOrvelkCommand(
                {"batch", texts, "--mode", c.mode, "--version", version, "-o", pattern});
            ASSERT_EQ(r.status, 0) << r.err;
            const std::string path = folder + "/v" + version + "-1." + extension;
            GreyImage image;
            std::string why;
            // Ghostscript paints every pixel a shape touches: finer pixels
            // keep the modules' bloat small.
            ASSERT_TRUE(Rasterise(path, std::string(extension) == "eps" ? 600 : 300, &image, &why))
                << why;
            EXPECT_EQ(DecodeSymbol(image), expected.bytes) << path;
        }
    }
    std::filesystem::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(Modes, PlacedSymbolReadBack,
                         testing::Values(ModeCase{"N", "0123456789012"},
                                         ModeCase{"A", "HELLO WORLD"},
                                         ModeCase{"B", "Orvelk bytes"}, ModeCase{"K", "ＱＲコード"},
                                         ModeCase{"M", "ＱＲ code"}),
                         [](const auto& info) { return std::string(info.param.mode); });

// The exact box an EPS states: "%%HiResBoundingBox: 0 0 W H".
bool ExactEpsBox(const std::string& eps, double* width, double* height) {
    const size_t at = eps.find("%%HiResBoundingBox: 0 0 ");
    return at != std::string::npos &&
           std::sscanf(eps.c_str() + at + 24, "%lf %lf", width, height) == 2;
}

// The blank columns left of the ink of a rasterised figure, and the blank
// rows below and above it, in pixels.
struct InkMargins {
    int left = -1, bottom = -1, top = -1;
};
InkMargins MarginsOf(const GreyImage& image) {
    InkMargins m;
    int first = image.height, last = -1, left = image.width;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (image.pixels[static_cast<size_t>(y) * image.width + x] < 128) {
                first = std::min(first, y);
                last = std::max(last, y);
                left = std::min(left, x);
            }
    if (last < 0) return m;
    m.left = left;
    m.top = first;
    m.bottom = image.height - 1 - last;
    return m;
}

// The art of an EPS lies exactly in the box %%HiResBoundingBox states, for
// placed documents and encode alike: rasterised over that box its quiet zone
// is as deep at the top and the foot as at the left.
TEST(EpsBox, TheArtLiesExactlyInTheExactBox) {
    const std::string module = std::string(ORVELK_TEST_APP_DIR) + "/Plug-ins/Orvelk.aip";
    if (!std::filesystem::exists(module)) GTEST_SKIP() << "the module is not built";
    const std::string folder = FreshTestFolder("eps_box");
    const std::string texts = folder + "/texts.txt";
    std::ofstream(texts, std::ios::binary) << "HELLO EPS\n";
    constexpr int kDpi = 720;  // ten pixels a point
    for (const char* cell : {"0.33", "0.50", "0.75"}) {
        const std::string placed = folder + "/placed-" + cell + "-#.eps";
        const std::string encoded = folder + "/encoded-" + cell + ".eps";
        ASSERT_EQ(RunOrvelkCommand({"batch", texts, "--version", "1", "--cell", cell, "-o", placed})
                      .status,
                  0);
        ASSERT_EQ(RunOrvelkCommand({"encode", "HELLO EPS", "--version", "1", "--cell", cell, "-o",
                                    encoded})
                      .status,
                  0);
        for (const std::string& path : {folder + "/placed-" + cell + "-1.eps", encoded}) {
            double width = 0, height = 0;
            ASSERT_TRUE(ExactEpsBox(FileBytes(path), &width, &height)) << path;
            // 21 modules and a quiet zone of 4 on either side, in points.
            EXPECT_NEAR(width / 72 * 25.4, 29 * std::stod(cell), 0.01) << path;
            EXPECT_DOUBLE_EQ(width, height);
            GreyImage image;
            std::string why;
            ASSERT_TRUE(Rasterise(path, kDpi, &image, &why)) << why;
            // Ghostscript shows the exact box; the quiet zone is as deep on
            // every side.
            EXPECT_NEAR(image.height, height * kDpi / 72, 1) << path;
            const InkMargins m = MarginsOf(image);
            EXPECT_GT(m.left, 0) << path;
            EXPECT_NEAR(m.bottom, m.left, 2) << path;
            EXPECT_NEAR(m.top, m.left, 2) << path;
            EXPECT_EQ(DecodeSymbol(image), "HELLO EPS") << path;
        }
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
