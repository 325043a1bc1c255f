// What `orvelk batch` writes reads back: every format of a placed symbol, in
// every mode at versions 1, 10, 25 and 40, rasterised as a user's tools
// would and decoded by zxing-cpp to the line's text.
#include <gtest/gtest.h>

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

}  // namespace
