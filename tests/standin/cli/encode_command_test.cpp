// `orvelk encode`: options, text input, output and exit statuses.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/command_runner.h"
#include "tests/support/test_temp_dir.h"

namespace {

std::string Pads(int count) {
    std::string s;
    for (int i = 0; i < count; ++i) s += (i % 2 == 0) ? " EC" : " 11";
    return s;
}

// A file in the test's temporary folder holding `bytes`.
std::string TempFile(const std::string& name, const std::string& bytes) {
    const std::string path = TestTempDir() + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

TEST(EncodeCommand, PrintsTheWorkedExamplesByteForByte) {
    CommandResult r = RunOrvelkCommand({"encode", "--text", "01234567", "--mode", "N", "--format",
                                        "codewords"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "version 1\ndata: 10 20 0C 56 61 80" + Pads(10) +
                         "\necc: A5 24 D4 C1 ED 36 C7 87 2C 55\n");
    EXPECT_EQ(r.err, "");
    r = RunOrvelkCommand({"encode", "--text", "12345", "--mode", "N", "--level", "M", "--version",
                          "1", "--format", "codewords"});
    EXPECT_EQ(r.out.substr(0, 64), "version 1\ndata: 10 14 7B 5A 00" + Pads(11) + "\n");
    for (const char* text : {"AC-42", "ac-42"}) {
        r = RunOrvelkCommand({"encode", "--text", text, "--mode", "A", "--format", "codewords"});
        EXPECT_EQ(r.out.substr(0, 64), "version 1\ndata: 20 29 CE E7 21 00" + Pads(10) + "\n");
    }
}

TEST(EncodeCommand, DefaultsToByteModeLevelMAutomaticVersion) {
    CommandResult r = RunOrvelkCommand({"encode", "--text", "*SAMPLE TEXT*", "--format", "codewords"});
    EXPECT_EQ(r.status, 0);
    // 0100, count 13, then the bytes of "*SAMPLE TEXT*".
    EXPECT_EQ(r.out.substr(0, 28), "version 1\ndata: 40 D2 A5 34 ");
}

TEST(EncodeCommand, ConvertsUtf8ToCodePage932) {
    // 漢字 in mixed mode: one Kanji segment, 8 + 4 + 8 + 2 x 13 bits.
    CommandResult r = RunOrvelkCommand({"encode", "--text", "\xE6\xBC\xA2\xE5\xAD\x97", "--mode",
                                        "K", "--format", "codewords"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, 64), "version 1\ndata: 80 23 9F A8 68 00" + Pads(10) + "\n");
    CommandResult raw = RunOrvelkCommand({"encode", "--text", "\x8A\xBF\x8E\x9A", "--input-encoding",
                                          "cp932", "--mode", "K", "--format", "codewords"});
    EXPECT_EQ(raw.out, r.out);
}

TEST(EncodeCommand, TextWithoutACodePage932FormIsAUsageError) {
    CommandResult r = RunOrvelkCommand({"encode", "--text", "a\xF0\x9F\x98\x80"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("no code page 932 form"), std::string::npos) << r.err;
    r = RunOrvelkCommand({"encode", "--text", "\xFF\xFE"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("not valid UTF-8"), std::string::npos) << r.err;
}

TEST(EncodeCommand, BytesEncodesTheUtf8BytesThemselvesInByteMode) {
    // "café" is refused with the way to encode it named.
    CommandResult r = RunOrvelkCommand({"encode", "caf\xC3\xA9"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("'\xC3\xA9' (U+00E9)"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("--bytes"), std::string::npos) << r.err;
    // --bytes: 0100, count 5, then the five UTF-8 bytes 63 61 66 C3 A9.
    r = RunOrvelkCommand({"encode", "caf\xC3\xA9", "--bytes", "--format", "codewords"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, 34), "version 1\ndata: 40 56 36 16 6C 3A ");
    // UTF-8 bytes that would pass for a Kanji pair stay bytes under --mode
    // auto: "ぁ" is E3 81 81, and E381 is a code page 932 Kanji code.
    r = RunOrvelkCommand(
        {"encode", "\xE3\x81\x81", "--bytes", "--mode", "auto", "--format", "codewords"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, 19), "version 1\ndata: 40 ") << r.out;
    EXPECT_EQ(RunOrvelkCommand({"encode", "A", "--input-encoding", "bytes"}).status, 0);
}

TEST(EncodeCommand, TextFileIsReadRawAndEndsAtANul) {
    const std::string path = TempFile("nul.txt", std::string("123\0" "456", 7));
    CommandResult r =
        RunOrvelkCommand({"encode", "--text-file", path, "--mode", "N", "--format", "codewords"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, 25), "version 1\ndata: 10 0C 7B ");  // count 3, then 123
    EXPECT_NE(r.err.find("NUL byte at offset 3"), std::string::npos) << r.err;

    const std::string sjis = TempFile("sjis.txt", "\x95\x5C");
    r = RunOrvelkCommand(
        {"encode", "--text-file", sjis, "--input-encoding", "cp932", "--format", "codewords"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, 25), "version 1\ndata: 40 29 55 ");

    r = RunOrvelkCommand({"encode", "--text-file", TestTempDir() + "missing.txt"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("cannot read"), std::string::npos);
}

TEST(EncodeCommand, NothingLeftAfterTheFilterIsAFailure) {
    CommandResult r = RunOrvelkCommand({"encode", "--text", "abc", "--mode", "N"});
    EXPECT_EQ(r.status, 7);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("nothing is left"), std::string::npos);

    // A file the run did not write stays as it was, whatever it holds.
    const std::string notes = TempFile("notes.txt", "the user's notes\n");
    for (const char* text : {"", "abc"}) {
        r = RunOrvelkCommand({"encode", "--text", text, "--mode", "N", "-o", notes});
        EXPECT_EQ(r.status, 7) << text;
        EXPECT_NE(r.err.find(*text == '\0' ? "the text is empty" : "nothing is left"),
                  std::string::npos)
            << r.err;
        EXPECT_NE(r.err.find("was not written"), std::string::npos) << r.err;
        std::ifstream in(notes, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "the user's notes\n");
    }
}

TEST(EncodeCommand, TextThatDoesNotFitExitsWithOne) {
    CommandResult r = RunOrvelkCommand(
        {"encode", "--text", std::string(20, '9'), "--mode", "N", "--level", "H", "--version", "1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("does not fit version 1"), std::string::npos);
    r = RunOrvelkCommand({"encode", "--text", std::string(2954, 'x'), "--level", "L"});
    EXPECT_EQ(r.status, 1);
    r = RunOrvelkCommand({"encode", "--text", std::string(8193, '1'), "--mode", "N"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("at most 8192"), std::string::npos);
}

TEST(EncodeCommand, UsageErrorsExitWithTwo) {
    for (auto args : std::initializer_list<std::initializer_list<std::string>>{
             {"encode", "--text", "a", "--text-file", "f"},
             {"encode", "--text", "a", "--level", "X"},
             {"encode", "--text", "a", "--mode", "x"},
             {"encode", "--text", "a", "--version", "41"},
             {"encode", "--text", "a", "--version", "1x"},
             {"encode", "--text", "a", "--format", "jpeg"},
             {"encode", "--text", "a", "--input-encoding", "latin1"},
             {"encode", "--text", "a", "--bogus"},
             {"encode", "--text", "a", "extra"},
             {"encode", "a", "b"},
             {"encode", "--text"},
         }) {
        CommandResult r = RunOrvelkCommand(args);
        EXPECT_EQ(r.status, 2) << *(args.begin() + (args.size() - 1));
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("orvelk encode: "), std::string::npos) << r.err;
    }
}

TEST(EncodeCommand, WholeSymbolFormats) {
#if !ORVELK_TEST_IMAGE_LIBS
    GTEST_SKIP() << "this build writes no PNG, PDF or EPS (no libpng or cairo for it)";
#endif
    // The worked example under mask 2, the one the penalty chooses.
    CommandResult text = RunOrvelkCommand({"encode", "--text", "01234567", "--mode", "N"});
    EXPECT_EQ(text.status, 0);
    ASSERT_EQ(text.out.size(), 21u * 22);
    EXPECT_EQ(text.out.substr(0, 8), "11111110");  // the finder, then its separator
    EXPECT_EQ(text.out.substr(13, 9), "01111111\n");
    CommandResult fixed =
        RunOrvelkCommand({"encode", "--text", "01234567", "--mode", "N", "--mask", "2"});
    EXPECT_EQ(fixed.out, text.out);
    CommandResult other =
        RunOrvelkCommand({"encode", "--text", "01234567", "--mode", "N", "--mask", "5"});
    EXPECT_NE(other.out, text.out);

    CommandResult svg = RunOrvelkCommand(
        {"encode", "--text", "01234567", "--format", "svg", "--cell", "0.25"});
    EXPECT_EQ(svg.status, 0);
    EXPECT_NE(svg.out.find("width=\"7.25mm\""), std::string::npos);  // (21 + 8) x 0.25
    EXPECT_NE(svg.out.find("<path"), std::string::npos);

    const std::string png = TestTempDir() + "symbol.png";
    CommandResult written = RunOrvelkCommand(
        {"encode", "--text", "01234567", "--format", "png", "--scale", "3", "-o", png});
    EXPECT_EQ(written.status, 0);
    EXPECT_EQ(written.out, "");
    std::ifstream in(png, std::ios::binary);
    std::string head(8, '\0');
    in.read(head.data(), 8);
    EXPECT_EQ(head, "\x89PNG\r\n\x1A\n");
}

TEST(EncodeCommand, AnExtensionWithoutAFormatIsRefusedUnlessTheFormatIsGiven) {
#if !ORVELK_TEST_IMAGE_LIBS
    GTEST_SKIP() << "this build writes no PNG (no libpng for it)";
#endif
    const std::string jpg = TestTempDir() + "x.jpg";
    CommandResult r = RunOrvelkCommand({"encode", "HELLO", "-o", jpg});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("no format has the extension '.jpg'"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(jpg));
    r = RunOrvelkCommand({"encode", "HELLO", "-o", jpg, "--format", "png"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(std::filesystem::exists(jpg));
    // A name without an extension is still the text format.
    const std::string plain = TestTempDir() + "symbol";
    EXPECT_EQ(RunOrvelkCommand({"encode", "HELLO", "-o", plain}).status, 0);
    std::filesystem::remove(jpg);
    std::filesystem::remove(plain);
}

TEST(EncodeCommand, AModuleThatWholePixelsCannotHoldIsSaidAndStrictRefusesIt) {
#if !ORVELK_TEST_IMAGE_LIBS
    GTEST_SKIP() << "this build writes no PNG (no libpng for it)";
#endif
    const std::string png = TestTempDir() + "rounded.png";
    // 0.50 mm at 72 dpi is 1.42 pixels: written as 1, 0.353 mm.
    CommandResult r =
        RunOrvelkCommand({"encode", "HELLO", "--dpi", "72", "--cell", "0.5", "-o", png});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("note: a 0.50 mm module is 1.42 pixels at 72 dpi: written as 1 pixel, "
                         "0.353 mm (29 % smaller)"),
              std::string::npos)
        << r.err;
    std::filesystem::remove(png);
    r = RunOrvelkCommand(
        {"encode", "HELLO", "--dpi", "72", "--cell", "0.5", "--strict", "-o", png});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--strict"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(png));
    // 0.254 mm at 600 dpi is 6 whole pixels: nothing to say.
    r = RunOrvelkCommand(
        {"encode", "HELLO", "--dpi", "600", "--cell", "0.254", "--strict", "-o", png});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    std::filesystem::remove(png);
}

TEST(EncodeCommand, MissingTableFileExitsWithThree) {
    const std::string empty = TestTempDir() + "no_table_app";
    std::filesystem::create_directories(empty);
    CommandResult r = RunOrvelkCommand({"encode", "--text", "abc", "--app-folder", empty});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("the symbol table file is missing: " + empty), std::string::npos) << r.err;
    // One that is there but holds nothing of a table is damaged, not missing.
    std::filesystem::create_directories(empty + "/Prefs/Orvelk");
    std::ofstream(empty + "/Prefs/Orvelk/ORVK_QR.DAT") << "not a table";
    r = RunOrvelkCommand({"encode", "--text", "abc", "--app-folder", empty});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("the symbol table file is damaged: "), std::string::npos) << r.err;
    // A damaged one names its section.
    std::filesystem::copy_file(std::string(ORVELK_TEST_APP_DIR) + "/Prefs/Orvelk/ORVK_QR.DAT",
                               empty + "/Prefs/Orvelk/ORVK_QR.DAT",
                               std::filesystem::copy_options::overwrite_existing);
    {
        std::fstream file(empty + "/Prefs/Orvelk/ORVK_QR.DAT",
                          std::ios::binary | std::ios::in | std::ios::out);
        file.seekp(-200, std::ios::end);  // inside the last section, the check values
        file.put('\xA5');
    }
    r = RunOrvelkCommand({"encode", "--text", "abc", "--app-folder", empty});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find(": section QRK_CHECKS: "), std::string::npos) << r.err;
    // A folder or a named pipe at its name is said to be so, at once: not
    // called damaged, and no waiting for a writer of the pipe.
    const std::string table = empty + "/Prefs/Orvelk/ORVK_QR.DAT";
    std::filesystem::remove(table);
    std::filesystem::create_directory(table);
    r = RunOrvelkCommand({"encode", "--text", "abc", "--app-folder", empty});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("is not a file but a folder: " + table), std::string::npos) << r.err;
    std::filesystem::remove(table);
    ASSERT_EQ(::mkfifo(table.c_str(), 0600), 0);
    r = RunOrvelkCommand({"encode", "--text", "abc", "--app-folder", empty});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("is not a file but a named pipe: " + table), std::string::npos) << r.err;
    std::filesystem::remove_all(empty);
    // The next command finds the default folder again.
    EXPECT_EQ(RunOrvelkCommand({"encode", "--text", "abc"}).status, 0);
}

TEST(OrvelkCommand, HelpGoesToStandardOutputAndUnknownCommandsFail) {
    CommandResult r = RunOrvelkCommand({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("encode"), std::string::npos);
    r = RunOrvelkCommand({"encode", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("--text-file"), std::string::npos);
    r = RunOrvelkCommand({"frobnicate"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("not a command"), std::string::npos);
    EXPECT_EQ(RunOrvelkCommand({}).status, 2);
}

}  // namespace
