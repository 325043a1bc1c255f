// `orvelk encode`'s print options run as a process: the quiet zone, the
// colours, the resolution, the mode's choice and what --verbose reports.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tests/support/process_runner.h"
#include "tests/support/test_temp_dir.h"

namespace {

uint32_t BigEndian(const std::string& bytes, size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<uint8_t>(bytes[at + i]);
    return v;
}

// A PNG's width, its colour type and its pixels per metre (0 without pHYs).
struct PngFacts {
    uint32_t width = 0;
    int colourType = -1;
    uint32_t perMetre = 0;
};

PngFacts ReadPngFacts(const std::string& png) {
    PngFacts facts;
    if (png.size() < 33 || png.substr(12, 4) != "IHDR") return facts;
    facts.width = BigEndian(png, 16);
    facts.colourType = static_cast<uint8_t>(png[25]);
    const size_t phys = png.find("pHYs");
    if (phys != std::string::npos) facts.perMetre = BigEndian(png, phys + 4);
    return facts;
}

TEST(PrintOptions, BorderChangesTheQuietZoneOfEveryDrawnFormat) {
#if !ORVELK_TEST_IMAGE_LIBS
    GTEST_SKIP() << "this build writes no PNG, PDF or EPS (no libpng or cairo for it)";
#endif
    ProcessRun r = Shell("\"$ORVELK\" encode 01234567 --format svg --border 0 --cell 1");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Has(r.out, "width=\"21mm\"") && Has(r.out, "viewBox=\"0 0 21 21\"")) << r.out;
    r = Shell("\"$ORVELK\" encode 01234567 --format utf8 --border 2");
    EXPECT_EQ(r.status, 0);
    // 25 rows of modules in half blocks: 13 lines of 25 cells, the first all
    // light, the last only its upper half.
    std::string full;
    for (int i = 0; i < 25; ++i) full += "\u2588";
    EXPECT_EQ(r.out.substr(0, full.size() + 1), full + "\n");
    size_t lines = 0;
    for (char c : r.out) lines += c == '\n';
    EXPECT_EQ(lines, 13u);
    EXPECT_TRUE(Has(r.out, "\u2580\u2580\n")) << r.out;
    const std::string png = TestTempDir() + "b.png";
    ASSERT_EQ(Shell("\"$ORVELK\" encode 01234567 --border 2 --scale 1 -o '" + png + "'").status, 0);
    EXPECT_EQ(ReadPngFacts(Slurp(png)).width, 25u);
    // Where no quiet zone is drawn, --border is refused.
    r = Shell("\"$ORVELK\" encode 01234567 --border 2");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Has(r.err, "--border does not apply to the text format")) << r.err;
    EXPECT_EQ(Shell("\"$ORVELK\" batch - --dump --border 2 </dev/null").status, 2);
}

TEST(PrintOptions, ColoursReachSvgAndPng) {
#if !ORVELK_TEST_IMAGE_LIBS
    GTEST_SKIP() << "this build writes no PNG, PDF or EPS (no libpng or cairo for it)";
#endif
    ProcessRun r =
        Shell("\"$ORVELK\" encode HI --format svg --foreground 1A2B3C --background FFFFFF80");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Has(r.out, "<path fill=\"#1a2b3c\"")) << r.out;
    EXPECT_TRUE(Has(r.out, "fill=\"#ffffff\" fill-opacity=\"0.5019607843137255\"")) << r.out;
    const std::string rgb = TestTempDir() + "rgb.png", rgba = TestTempDir() + "rgba.png",
                      grey = TestTempDir() + "grey.png";
    ASSERT_EQ(Shell("\"$ORVELK\" encode HI --foreground '#800000' -o '" + rgb + "'").status, 0);
    ASSERT_EQ(Shell("\"$ORVELK\" encode HI --background 00000000 -o '" + rgba + "'").status, 0);
    ASSERT_EQ(Shell("\"$ORVELK\" encode HI -o '" + grey + "'").status, 0);
    EXPECT_EQ(ReadPngFacts(Slurp(rgb)).colourType, 2);
    EXPECT_EQ(ReadPngFacts(Slurp(rgba)).colourType, 6);
    EXPECT_EQ(ReadPngFacts(Slurp(grey)).colourType, 0);
    for (const char* bad : {"12345", "GGGGGG", "1234567"})
        EXPECT_EQ(
            Shell(std::string("\"$ORVELK\" encode HI --format svg --foreground ") + bad).status, 2);
    EXPECT_EQ(Shell("\"$ORVELK\" encode HI --format codewords --foreground 000000").status, 2);

    // PostScript has no transparency: a translucent EPS holds an image of the
    // symbol, 300 dpi on a small page and few enough pixels on a 2.9 m one.
    for (const char* cell : {"1", "100"}) {
        r = Shell(std::string("\"$ORVELK\" encode HI --format eps --foreground 00000080 --cell ") +
                  cell);
        ASSERT_EQ(r.status, 0) << cell << ": " << r.err;
        const size_t at = r.out.find("/Width ");
        ASSERT_NE(at, std::string::npos) << cell;
        const long width = std::stol(r.out.substr(at + 7));
        if (std::string(cell) == "1") {
            EXPECT_TRUE(Has(r.out, "res=300ppi")) << r.out.substr(0, 2000);
        } else {
            EXPECT_LE(width, 5000) << cell;
        }
    }
}

TEST(PrintOptions, DpiIsThePngsResolutionAndWithCellItsPixelsPerModule) {
#if !ORVELK_TEST_IMAGE_LIBS
    GTEST_SKIP() << "this build writes no PNG, PDF or EPS (no libpng or cairo for it)";
#endif
    const std::string png = TestTempDir() + "dpi.png";
    ASSERT_EQ(Shell("\"$ORVELK\" encode 01234567 --dpi 254 --cell 1 -o '" + png + "'").status, 0);
    PngFacts facts = ReadPngFacts(Slurp(png));
    EXPECT_EQ(facts.width, 29u * 10);  // 1 mm at 254 dpi is 10 pixels
    EXPECT_EQ(facts.perMetre, 10000u);
    // A PNG keeps to the limits of every PNG the stand-in writes; the file
    // asked for is left as it was.
    const ProcessRun huge =
        Shell("\"$ORVELK\" encode HI --cell 100 --dpi 600 -o '" + png + "'");
    EXPECT_EQ(huge.status, 8);
    EXPECT_TRUE(Has(huge.err, "a PNG of 68498 x 68498 pixels is too large")) << huge.err;
    EXPECT_EQ(ReadPngFacts(Slurp(png)).width, 29u * 10);
    // Without --dpi the resolution still says the module size: 4 pixels in 0.5 mm.
    ASSERT_EQ(Shell("\"$ORVELK\" encode 01234567 -o '" + png + "'").status, 0);
    facts = ReadPngFacts(Slurp(png));
    EXPECT_EQ(facts.width, 29u * 4);
    EXPECT_EQ(facts.perMetre, 8000u);
    EXPECT_EQ(Shell("\"$ORVELK\" encode 1 --dpi 300 --scale 3 -o '" + png + "'").status, 2);
    EXPECT_EQ(Shell("\"$ORVELK\" encode 1 --dpi 300 --format svg").status, 2);
}

TEST(PrintOptions, SvgSizesAreExactAndNeverInExponentForm) {
    ProcessRun r = Shell("\"$ORVELK\" encode 1 --format svg --cell 0.33");
    EXPECT_TRUE(Has(r.out, "width=\"9.57mm\"")) << r.out;  // 29 x 0.33
    r = Shell("\"$ORVELK\" encode 1 --format svg --cell 0.01 --border 0");
    EXPECT_TRUE(Has(r.out, "width=\"0.21mm\"")) << r.out;
    r = Shell("\"$ORVELK\" encode 1 --format svg --cell 100 --border 100");
    EXPECT_TRUE(Has(r.out, "width=\"22100mm\"")) << r.out;
}

TEST(PrintOptions, AutoModeKeepsTheTextAndLossyModesSaySo) {
    auto modeOf = [](const std::string& text) {
        const ProcessRun r = Shell("\"$ORVELK\" encode '" + text + "' --mode auto --verbose");
        const size_t at = r.err.find(", mask ");
        const size_t mode = r.err.find(", ", at + 2);
        return r.err.substr(mode + 2, r.err.find(" mode\n", mode) - mode - 2);
    };
    EXPECT_EQ(modeOf("0123456789"), "numeric");
    EXPECT_EQ(modeOf("HELLO WORLD"), "alphanumeric");
    EXPECT_EQ(modeOf("Hello world"), "8-bit byte");  // alphanumeric would give upper case
    EXPECT_EQ(modeOf("\xE6\xBC\xA2\xE5\xAD\x97"), "Kanji");
    // Kanji then bytes: mixed mode once its 13-bit Kanji outweigh the second
    // segment's header (4 Kanji tie with byte mode, 8 do not).
    std::string kanji;
    for (int i = 0; i < 4; ++i) kanji += "\xE6\xBC\xA2\xE5\xAD\x97";
    EXPECT_EQ(modeOf(kanji + "ab"), "mixed Kanji/byte");
    EXPECT_EQ(modeOf(kanji.substr(0, 12) + "ab"), "8-bit byte");

    ProcessRun r = Shell("\"$ORVELK\" encode 'tel: 12-34' --mode N --format codewords");
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(Has(r.err, "note: numeric mode drops 6 of the text's 10 characters")) << r.err;
    r = Shell("\"$ORVELK\" encode 'ab' --mode a --format codewords");
    EXPECT_TRUE(Has(r.err, "gives 2 lower-case letters in upper case")) << r.err;
    r = Shell("\"$ORVELK\" encode 'aB' --mode a --format codewords");
    EXPECT_TRUE(Has(r.err, "gives 1 lower-case letter in upper case")) << r.err;
    r = Shell("\"$ORVELK\" encode 'tel: 12-34' --mode N --strict");
    EXPECT_EQ(r.status, 7);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Shell("\"$ORVELK\" encode 1234 --mode N --strict --format codewords").err, "");
}

TEST(PrintOptions, VerboseTellsWhatWasChosen) {
    const ProcessRun r = Shell("\"$ORVELK\" encode 01234567 --mode N --mask 5 --verbose");
    ASSERT_EQ(r.status, 0);
    EXPECT_TRUE(Has(r.err, "version 1 (21 x 21 modules), level M, mask 5, numeric mode")) << r.err;
    EXPECT_TRUE(Has(r.err, "segments: numeric 8 characters")) << r.err;
    // One Kanji character, then seven bytes: each segment counts its own.
    const ProcessRun mixed =
        Shell("\"$ORVELK\" encode '\xE6\xBC\xA2"
              "abcdefg' --mode M --verbose");
    EXPECT_TRUE(Has(mixed.err, "segments: Kanji 1 character, 8-bit byte 7 characters"))
        << mixed.err;
    EXPECT_TRUE(Has(r.err, "version 1 at level M holds 34 digits in numeric mode")) << r.err;
    EXPECT_TRUE(Has(r.err, "the text is 8 of the 8192 bytes")) << r.err;
    const ProcessRun automatic = Shell("\"$ORVELK\" encode 01234567 --mode N --verbose");
    EXPECT_TRUE(Has(automatic.err, "mask 2 (by penalty)")) << automatic.err;
    // The codewords, which come before the mask, are told all but the mask;
    // standard output holds the codewords alone.
    const ProcessRun codewords =
        Shell("\"$ORVELK\" encode 01234567 --mode N --format codewords --verbose");
    ASSERT_EQ(codewords.status, 0) << codewords.err;
    EXPECT_EQ(codewords.out, Shell("\"$ORVELK\" encode 01234567 --mode N --format codewords").out);
    EXPECT_TRUE(Has(codewords.err,
                    "version 1 (21 x 21 modules), level M, numeric mode; the "
                    "codewords come before the mask"))
        << codewords.err;
    EXPECT_TRUE(Has(codewords.err, "segments: numeric 8 characters")) << codewords.err;
}

}  // namespace
