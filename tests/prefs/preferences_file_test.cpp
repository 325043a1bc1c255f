// The preferences file: what is written, what is read back, and that a save
// never loses the file it replaces.
#include "prefs/preferences_file.h"

#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "globals/plugin_state.h"
#if defined(_WIN32)
#include "platform/win_types.h"
#else
#include "platform/file_faults.h"
#endif
#include "tests/support/standin_host_test.h"
#include "tests/support/standin_suite_install.h"

namespace {

// Makes the file `path` `size` bytes long, zeros after what it held.
void Lengthen(const std::string& path, uint64_t size) {
#if defined(_WIN32)
    // By the system's calls: the C runtime's ftruncate64, under the library's
    // resize_file, first compares the file's volume serial with each volume's
    // (read without a check of the call) and its free space, so under Wine it
    // says "File too large" now and then for a file that fits.
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    const bool done = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    ASSERT_TRUE(done) << path << ": error " << GetLastError();
#else
    std::filesystem::resize_file(path, size);
#endif
}

class PreferencesFileTest : public StandinHostTest {
  protected:
    void SetUp() override {
        StandinHostTest::SetUp();
        ASSERT_EQ(InstallStandinSuites(), kSPNoError);
        SetDefaultGlobals(&globals_);
        gPluginState.globals = &globals_;
    }
    void TearDown() override {
#if !defined(_WIN32)
        FailFileCall(0, ERROR_SUCCESS);
#endif
        gPluginState.globals = nullptr;
        UninstallStandinSuites();
        StandinHostTest::TearDown();
    }

    // Loads `contents` as the file over the defaults; fails the test on an error.
    void Load(const std::string& contents) {
        SetDefaultGlobals(&globals_);
        WritePrefsFile(contents);
        ASSERT_EQ(LoadPreferences(), 0);
    }

    // Saves `text`, then loads the file over a different text.
    std::string RoundTrip(const std::string& text) {
        SetDefaultGlobals(&globals_);
        std::memcpy(globals_.text, text.c_str(), text.size() + 1);
        EXPECT_EQ(SavePreferences(), 0);
        std::strcpy(globals_.text, "something else");
        EXPECT_EQ(LoadPreferences(), 0);
        return globals_.text;
    }

    // The names of the files a save may have left beside the file: none is
    // ever left.
    std::vector<std::string> TempFilesLeft() const {
        std::vector<std::string> names;
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(AppFolder() + "Prefs", ec)) {
            const std::string name = entry.path().filename().string();
            if (name != "Orvelk.ini") names.push_back(name);
        }
        return names;
    }

    PluginGlobals globals_;
};

TEST_F(PreferencesFileTest, TheDefaultsAreExactlyFiveLines) {
    ASSERT_EQ(SavePreferences(), 0);
    EXPECT_EQ(ReadPrefsFile(),
              "qr_ecclevel = 1\r\n"
              "qr_version = 0\r\n"
              "qr_encodemode = 2\r\n"
              "qr_cellsize = 3\r\n"
              "barcode_text00 = \"*SAMPLE TEXT*\"\r\n");
    EXPECT_TRUE(TempFilesLeft().empty());
}

TEST_F(PreferencesFileTest, SettingsAndTextComeBack) {
    globals_.level = 3;
    globals_.version = 40;
    globals_.mode = 4;
    globals_.moduleSize = 10;
    globals_.maskSetting = 6;
    std::strcpy(globals_.text, "Orvelk 1.21");
    ASSERT_EQ(SavePreferences(), 0);
    SetDefaultGlobals(&globals_);
    ASSERT_EQ(LoadPreferences(), 0);
    EXPECT_EQ(globals_.level, 3);
    EXPECT_EQ(globals_.version, 40);
    EXPECT_EQ(globals_.mode, 4);
    EXPECT_EQ(globals_.moduleSize, 10);
    EXPECT_EQ(globals_.maskSetting, 0);  // never saved
    EXPECT_STREQ(globals_.text, "Orvelk 1.21");
}

TEST_F(PreferencesFileTest, TextIsCutIntoChunksOf80WrittenBytes) {
    std::memset(globals_.text, 'A', 100);
    globals_.text[100] = '\0';
    ASSERT_EQ(SavePreferences(), 0);
    const std::string file = ReadPrefsFile();
    EXPECT_NE(file.find("barcode_text00 = \"" + std::string(80, 'A') + "\"\r\n"),
              std::string::npos);
    EXPECT_NE(file.find("barcode_text01 = \"" + std::string(20, 'A') + "\"\r\n"),
              std::string::npos);
    EXPECT_EQ(RoundTrip(std::string(100, 'A')), std::string(100, 'A'));

    // An escape that begins at the 80th byte stays whole: 81 bytes.
    std::memset(globals_.text, 'B', 79);
    std::strcpy(globals_.text + 79, "\nC");
    ASSERT_EQ(SavePreferences(), 0);
    EXPECT_NE(ReadPrefsFile().find("barcode_text00 = \"" + std::string(79, 'B') +
                                   "\\n\"\r\n"
                                   "barcode_text01 = \"C\"\r\n"),
              std::string::npos);

    // Chunks from 100 on have three digits.
    std::memset(globals_.text, 'D', 8100);
    globals_.text[8100] = '\0';
    ASSERT_EQ(SavePreferences(), 0);
    EXPECT_NE(ReadPrefsFile().find("barcode_text101 = \"" + std::string(20, 'D') + "\"\r\n"),
              std::string::npos);
}

TEST_F(PreferencesFileTest, ControlBytesAreWrittenAsEscapesAndReadBack) {
    std::strcpy(globals_.text, "ab\ncd\te\rf");
    ASSERT_EQ(SavePreferences(), 0);
    EXPECT_NE(ReadPrefsFile().find("barcode_text00 = \"ab\\ncd\\te\\rf\"\r\n"), std::string::npos);
    EXPECT_EQ(RoundTrip("ab\ncd\te\rf"), "ab\ncd\te\rf");
}

TEST_F(PreferencesFileTest, AnEmptyTextWritesNoChunkAndLoadsTheDefault) {
    globals_.text[0] = '\0';
    ASSERT_EQ(SavePreferences(), 0);
    EXPECT_EQ(ReadPrefsFile().find("barcode_text"), std::string::npos);
    SetDefaultGlobals(&globals_);
    ASSERT_EQ(LoadPreferences(), 0);
    EXPECT_STREQ(globals_.text, "*SAMPLE TEXT*");
}

struct LoadCase {
    const char* what;
    const char* file;
    int32_t version;
    int32_t moduleSize;
    const char* text;
};

TEST_F(PreferencesFileTest, LinesAreReadByTheFilesRules) {
    const LoadCase kCases[] = {
        {"one line alone", "qr_version=7", 7, 3, "*SAMPLE TEXT*"},
        {"keys are case-sensitive", "QR_VERSION = 7\r\n", 0, 3, "*SAMPLE TEXT*"},
        {"an apostrophe starts a comment", "'qr_version = 7\r\n", 0, 3, "*SAMPLE TEXT*"},
        {"spaces before a comment", "   'qr_version = 7\r\n", 0, 3, "*SAMPLE TEXT*"},
        {"# is part of the key", "#qr_version = 7\r\n", 0, 3, "*SAMPLE TEXT*"},
        {"no equals sign", "qr_version 7\r\n", 0, 3, "*SAMPLE TEXT*"},
        {"an empty value", "qr_version = \r\n", 0, 3, "*SAMPLE TEXT*"},
        {"an empty key", " = 7\r\n", 0, 3, "*SAMPLE TEXT*"},
        {"digits up to the first other byte", "qr_cellsize = 3x\r\n", 0, 3, "*SAMPLE TEXT*"},
        {"a value without digits is 0", "qr_cellsize = x\r\n", 0, 0, "*SAMPLE TEXT*"},
        {"a sign", "qr_version = +9\r\n", 9, 3, "*SAMPLE TEXT*"},
        {"a comma ends the value", "qr_version = 1,2\r\n", 1, 3, "*SAMPLE TEXT*"},
        {"a quoted number", "qr_version = \"12\"\r\n", 12, 3, "*SAMPLE TEXT*"},
        {"TABs are dropped", "qr_version\t=\t1\t5\r\n", 15, 3, "*SAMPLE TEXT*"},
        {"LF alone ends a line", "qr_version = 5\nqr_cellsize = 6", 5, 6, "*SAMPLE TEXT*"},
        {"the last line wins", "qr_version = 5\r\nqr_version = 6\r\n", 6, 3, "*SAMPLE TEXT*"},
        {"spaces outside quotes are dropped", "barcode_text00 = a b", 0, 3, "ab"},
        {"spaces inside quotes are kept", "barcode_text00 = \"a b\"", 0, 3, "a b"},
        {"a comma outside quotes ends the value", "barcode_text00 = a,b", 0, 3, "a"},
        {"a comma inside quotes is kept", "barcode_text00 = \"a,b\"", 0, 3, "a,b"},
        {"an equals sign inside quotes is kept", "barcode_text00 = \"a=b\"", 0, 3, "a=b"},
        {"a TAB inside quotes is dropped", "barcode_text00 = \"a\tb\"", 0, 3, "ab"},
        {"a CR inside quotes is dropped", "barcode_text00 = \"a\rb\"", 0, 3, "ab"},
        {"chunks in the order of their lines",
         "barcode_text01 = \"one\"\r\nbarcode_text00 = \"two\"\r\nbarcode_textXY = \"!\"", 0, 3,
         "onetwo!"},
        {"a chunk of only a TAB is empty", "barcode_text00 = \"\t\"", 0, 3, "*SAMPLE TEXT*"},
    };
    for (const LoadCase& c : kCases) {
        Load(c.file);
        EXPECT_EQ(globals_.version, c.version) << c.what;
        EXPECT_EQ(globals_.moduleSize, c.moduleSize) << c.what;
        EXPECT_STREQ(globals_.text, c.text) << c.what;
        EXPECT_EQ(globals_.level, 1) << c.what;
        EXPECT_EQ(globals_.mode, 2) << c.what;
    }
}

TEST_F(PreferencesFileTest, TheDataEndsAtItsSizeOrAtANul) {
    const std::string data("qr_version = 5\r\n\0qr_cellsize = 6", 32);
    ApplyPreferencesData(data.data(), data.size(), &globals_);
    EXPECT_EQ(globals_.version, 5);
    EXPECT_EQ(globals_.moduleSize, 3);
    // No byte past the size is read, and no NUL is needed.
    const char unterminated[] = {'q', 'r', '_', 'v', 'e', 'r', 's', 'i', 'o', 'n', '=', '8', '9'};
    ApplyPreferencesData(unterminated, 12, &globals_);
    EXPECT_EQ(globals_.version, 8);
}

TEST_F(PreferencesFileTest, ValuesOutsideTheirRangesKeepTheDefault) {
    Load("qr_ecclevel = 4\r\nqr_version = 41\r\nqr_encodemode = 5\r\nqr_cellsize = 11\r\n");
    EXPECT_EQ(globals_.level, 1);
    EXPECT_EQ(globals_.version, 0);
    EXPECT_EQ(globals_.mode, 2);
    EXPECT_EQ(globals_.moduleSize, 3);

    Load(
        "qr_ecclevel = -1\r\nqr_version = 99999999999999999999\r\nqr_encodemode = -0\r\n"
        "qr_cellsize = -4294967293\r\n");
    EXPECT_EQ(globals_.level, 1);
    EXPECT_EQ(globals_.version, 0);
    EXPECT_EQ(globals_.mode, 0);
    EXPECT_EQ(globals_.moduleSize, 3);

    Load("qr_ecclevel = 3\r\nqr_version = 40\r\nqr_encodemode = 4\r\nqr_cellsize = 10\r\n");
    EXPECT_EQ(globals_.level, 3);
    EXPECT_EQ(globals_.version, 40);
    EXPECT_EQ(globals_.mode, 4);
    EXPECT_EQ(globals_.moduleSize, 10);
}

TEST_F(PreferencesFileTest, ALineKeepsAtMost256Bytes) {
    // 14 key bytes, "=" and the opening quote leave 240 for the value.
    Load("barcode_text00 = \"" + std::string(300, 'x') + "\"\r\nqr_version = 3\r\n");
    EXPECT_EQ(std::string(globals_.text), std::string(240, 'x'));
    EXPECT_EQ(globals_.version, 3);

    // TABs are dropped and count for nothing, however many stand in a line.
    Load("qr_version=" + std::string(600, '\t') + "7\r\n");
    EXPECT_EQ(globals_.version, 7);
    Load("barcode_text00=\"" + std::string(400, '\t') + std::string(300, 'y') + "\"");
    EXPECT_EQ(std::string(globals_.text), std::string(240, 'y'));
    // A run of TABs is no written quote, as two of them are not.
    Load("barcode_text00=\"a\"\t\t\t\"b\"");
    EXPECT_STREQ(globals_.text, "ab");
}

TEST_F(PreferencesFileTest, TheTextFillsAtMost8192Bytes) {
    std::string file;
    for (int i = 0; i < 103; ++i) {
        file += "barcode_text" + std::to_string(i) + " = \"" + std::string(80, 'a') + "\"\r\n";
    }
    // After 102 chunks (8160 bytes) the 103rd does not fit: the text is cut
    // at the field's end, and nothing of later chunks (of 32 bytes, which
    // would fit after 8160) is spliced onto it.
    file += "barcode_text103 = \"" + std::string(33, 'b') + "\"\r\n";
    file += "barcode_text104 = \"" + std::string(32, 'c') + "\"\r\n";
    file += "barcode_text105 = \"d\"\r\nqr_version = 9\r\n";
    Load(file);
    EXPECT_EQ(std::string(globals_.text), std::string(8192, 'a'));
    EXPECT_EQ(globals_.version, 9);  // the lines after the text still count
    // Cut before a character that would not fit whole: 8191 bytes and a
    // two-byte character, or an escape whose backslash is the last byte.
    const std::pair<int, const char*> tails[] = {{31, "\x88\x9F"}, {32, "\\n"}};
    for (const auto& [bs, tail] : tails) {
        file.clear();
        for (int i = 0; i < 102; ++i)
            file += "barcode_text" + std::to_string(i) + " = \"" + std::string(80, 'a') + "\"\r\n";
        file += "barcode_text102 = \"" + std::string(bs, 'b') + tail + "xyz\"\r\n";
        Load(file);
        EXPECT_EQ(std::string(globals_.text), std::string(8160, 'a') + std::string(bs, 'b'));
    }
    // A backslash of the text itself that fits stays, whatever follows it.
    for (const char* after : {"x", "\x88\x9F"}) {
        file.clear();
        for (int i = 0; i < 102; ++i)
            file += "barcode_text" + std::to_string(i) + " = \"" + std::string(80, 'a') + "\"\r\n";
        file += "barcode_text102 = \"" + std::string(31, 'b') + "\\" + after + "\"\r\n";
        Load(file);
        EXPECT_EQ(std::string(globals_.text), std::string(8160, 'a') + std::string(31, 'b') + "\\");
    }
}

// A file no save could have written, however large, costs at most the read
// limit: its lines within the limit count, the rest is ignored.
TEST_F(PreferencesFileTest, AnOversizedFileIsReadOnlyToTheLimit) {
    // 2 GiB that take no disk: the settings, then zeros to the end.
    std::string head = "qr_version = 7\r\nbarcode_text00 = \"head\"\r\n";
    WritePrefsFile(head);
    ASSERT_NO_FATAL_FAILURE(Lengthen(PrefsFile(), uint64_t{2} << 30));
    SetDefaultGlobals(&globals_);
    ASSERT_EQ(LoadPreferences(), 0);
    EXPECT_EQ(globals_.version, 7);
    EXPECT_STREQ(globals_.text, "head");

    // A line that the limit cuts is not read in part; lines after it not at all.
    std::string file = "qr_ecclevel = 2\r\n";
    while (file.size() < static_cast<size_t>(kPrefsReadLimit) - 10) file += "' comment\r\n";
    file.resize(static_cast<size_t>(kPrefsReadLimit) - 10);
    file += "\r\nqr_version = 12\r\nqr_encodemode = 1\r\n";  // the limit cuts "12"
    Load(file);
    EXPECT_EQ(globals_.level, 2);
    EXPECT_EQ(globals_.version, 0);
    EXPECT_EQ(globals_.mode, 2);
    // Just at the limit the file is read whole.
    file.resize(static_cast<size_t>(kPrefsReadLimit) - 16);
    file += "\r\nqr_version=5\r\n";
    ASSERT_EQ(file.size(), static_cast<size_t>(kPrefsReadLimit));
    Load(file);
    EXPECT_EQ(globals_.version, 5);
}

// The longest file a save writes - every byte of a full text a double quote -
// stays well within what a load reads, and comes back whole.
TEST_F(PreferencesFileTest, TheLongestSaveIsReadWhole) {
    const std::string quotes(8192, '"');
    EXPECT_EQ(RoundTrip(quotes), quotes);
    EXPECT_LT(std::filesystem::file_size(PrefsFile()), static_cast<uintmax_t>(kPrefsReadLimit) / 2);
}

TEST_F(PreferencesFileTest, AFullTextComesBackWhole) {
    // The dialog lets the user type 8192 bytes; a save and a load keep them all.
    std::string text;
    for (int i = 0; text.size() < 8192; ++i) text += (i % 7 == 0) ? '\t' : static_cast<char>('a' + i % 26);
    text.resize(8192);
    EXPECT_EQ(RoundTrip(text), text);
}

TEST_F(PreferencesFileTest, EscapesCountAsTheBytesTheyStandFor) {
    // 102 chunks of 80 escaped line feeds: 8160 bytes of text, from 16320 written.
    std::string text(8160, '\n');
    EXPECT_EQ(RoundTrip(text), text);
}

TEST_F(PreferencesFileTest, TheFirstChunkReplacesTheText) {
    std::strcpy(globals_.text, "before");
    WritePrefsFile("barcode_text00 = \"after\"\r\n");
    ASSERT_EQ(LoadPreferences(), 0);
    EXPECT_STREQ(globals_.text, "after");
}

TEST_F(PreferencesFileTest, EveryTextComesBackAsItWasSaved) {
    const std::string kTexts[] = {
        "say \"hi there\", \"x\"",
        "\"",
        "\"\"\"",
        "C:\\new\\table",
        "\\",
        "\\\\n",
        "a\\tb\\rc",
        "\\\t\\\r\\\n",
        "\x83\x5Cn\x95\x5Ct\x83\x5C\\r",  // ソn表t ソ\r: second bytes 0x5C
        "\x83\x5C",
        "ab\x83",              // a lone lead byte at the end
        "\x83\n\x95\t\x88\r",  // lead bytes cut short by control bytes
        "\x83\"x",             // a lead byte before a quote
        "  spaces  'and' = commas, ",
        "'comment-like",
    };
    for (const std::string& text : kTexts) {
        EXPECT_EQ(RoundTrip(text), text) << text;
    }

    // Quotes, backslashes and two-byte characters across chunk boundaries.
    std::string text;
    for (int i = 0; i < 120; ++i) text += "\x83\x5C\"\\n\t";
    EXPECT_EQ(RoundTrip(text), text);

    // Every byte but NUL, in many orders.
    std::mt19937 random(1221);
    for (int round = 0; round < 40; ++round) {
        std::string bytes(1 + random() % 3000, ' ');
        for (char& c : bytes) c = static_cast<char>(1 + random() % 255);
        EXPECT_EQ(RoundTrip(bytes), bytes) << "round " << round;
    }
    std::string all;
    for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
    EXPECT_EQ(RoundTrip(all + all), all + all);
}

// The loader of earlier versions, for a file of one chunk line: TAB and CR
// dropped; a quote switches the quoted state and is dropped; a space outside
// quotes dropped; an equals sign or a comma outside quotes ends the field.
std::string EarlierLoaderValue(const std::string& line) {
    std::string fields[2];
    int field = 0;
    bool quoted = false;
    for (char c : line) {
        if (c == '\t' || c == '\r' || c == '\n') continue;
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ' ' && !quoted) {
        } else if (!quoted && (c == '=' || c == ',')) {
            if (++field == 2) break;
        } else {
            fields[field] += c;
        }
    }
    return fields[1];
}

TEST_F(PreferencesFileTest, EarlierVersionsReadTheTextWithoutItsQuotes) {
    const std::string kTexts[] = {"say \"hi there\"", "C:\\new\\a b", "\x83\x5C\"q\"", "tab\there"};
    for (const std::string& text : kTexts) {
        std::strcpy(globals_.text, text.c_str());
        ASSERT_EQ(SavePreferences(), 0);
        const std::string file = ReadPrefsFile();
        const size_t start = file.find("barcode_text00");
        ASSERT_NE(start, std::string::npos);
        std::string expected;
        for (char c : text) {
            if (c == '"') continue;
            if (c == '\t')
                expected += "\\t";
            else
                expected += c;
        }
        EXPECT_EQ(EarlierLoaderValue(file.substr(start)), expected) << text;
    }
}

TEST_F(PreferencesFileTest, FilesOfEarlierVersionsLoadAsBefore) {
    struct Earlier {
        const char* value;  // as written by an earlier version
        const char* text;   // loaded now
    };
    const Earlier kFiles[] = {
        // Quotes in the text were written unchanged; they are dropped, with the
        // spaces that then stand outside quotes.
        {"\"say \"hi there\"\"", "say hithere"},
        {"\"a\"\"b\"", "ab"},
        // The three escapes become their bytes; a backslash before any other
        // byte stays, so does a second byte 0x5C.
        {"\"ab\\ncd\"", "ab\ncd"},
        {"\"a\\\\nb\"", "a\\\nb"},
        {"\"C:\\dir\\x\"", "C:\\dir\\x"},
        {"\"\x83\x5Cn\x95\x5C\\t\"", "\x83\x5Cn\x95\x5C\t"},
        {"\"end\\\"", "end\\"},
    };
    for (const Earlier& f : kFiles) {
        Load(std::string("qr_version = 1\r\nbarcode_text00 = ") + f.value + "\r\n");
        EXPECT_STREQ(globals_.text, f.text) << f.value;
    }
    // A backslash at the end of one chunk and its letter at the start of the next.
    Load("barcode_text00 = \"a\\\"\r\nbarcode_text01 = \"nb\"\r\n");
    EXPECT_STREQ(globals_.text, "a\nb");
    // A character cut between two chunks, its second byte 0x5C.
    Load("barcode_text00 = \"a\x83\"\r\nbarcode_text01 = \"\x5Cn\"\r\n");
    EXPECT_STREQ(globals_.text, "a\x83\x5Cn");
}

TEST_F(PreferencesFileTest, AMissingFileLeavesEverythingAsItWas) {
    std::strcpy(globals_.text, "unchanged");
    globals_.version = 17;
    EXPECT_EQ(LoadPreferences(), -1);
    EXPECT_STREQ(globals_.text, "unchanged");
    EXPECT_EQ(globals_.version, 17);
    // Loading creates the preferences folder.
    EXPECT_TRUE(std::filesystem::is_directory(AppFolder() + "Prefs"));
}

TEST_F(PreferencesFileTest, AFailedSaveKeepsTheOldFile) {
    const std::string old = "qr_version = 7\r\nbarcode_text00 = \"" + std::string(80, 'o') +
                            "\"\r\nbarcode_text01 = \"old\"\r\n";
    WritePrefsFile(old);
    std::memset(globals_.text, 'n', 4000);
    globals_.text[4000] = '\0';

#if !defined(_WIN32)  // the file calls fail on demand only in our layer
    // The new file cannot be created.
    FailFileCall(1, ERROR_ACCESS_DENIED, FileCall::kCreate);
    EXPECT_EQ(SavePreferences(), -1);
    FailFileCall(0, ERROR_SUCCESS);
    EXPECT_EQ(ReadPrefsFile(), old);
    EXPECT_TRUE(TempFilesLeft().empty());
#endif

#if !defined(_WIN32)  // a file size limit of the process: POSIX's
    // The disk fills up while the new file is written.
    struct rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int32_t result = SavePreferences();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(ReadPrefsFile(), old);
    EXPECT_TRUE(TempFilesLeft().empty());
#endif

    // The new file cannot take the old one's place.
    std::filesystem::remove(PrefsFile());
    std::filesystem::create_directories(PrefsFile() + "/occupied");
    EXPECT_EQ(SavePreferences(), -1);
    EXPECT_TRUE(TempFilesLeft().empty());
    std::filesystem::remove_all(PrefsFile());

    // A save that works replaces the file whole.
    EXPECT_EQ(SavePreferences(), 0);
    SetDefaultGlobals(&globals_);
    ASSERT_EQ(LoadPreferences(), 0);
    EXPECT_EQ(std::string(globals_.text), std::string(4000, 'n'));
    EXPECT_EQ(globals_.version, 0);
}

#if !defined(_WIN32)  // links, processes and permission bits as POSIX has them
// Links standing at the names a save could write (the old fixed name and
// this process's names) are never written through: their targets stay as
// they were, a dangling link's target is not created, and the links stay.
TEST_F(PreferencesFileTest, ASaveNeverWritesThroughALink) {
    const std::string prefs = AppFolder() + "Prefs/";
    std::filesystem::create_directories(prefs);
    const std::string victim = AppFolder() + "prefs_victim.txt";
    {
        std::FILE* f = std::fopen(victim.c_str(), "w");
        std::fputs("the user's own file", f);
        std::fclose(f);
    }
    const std::string nowhere = AppFolder() + "prefs_nowhere.txt";
    std::filesystem::remove(nowhere);
    std::filesystem::create_symlink(victim, prefs + "Orvelk.tmp");
    char name[64];
    for (unsigned n = 0; n < 2000; ++n) {
        std::snprintf(name, sizeof name, "Orvelk.%X-%u.tmp", static_cast<unsigned>(getpid()), n);
        if (n % 3 == 0) {
            std::filesystem::create_symlink(victim, prefs + name);
        } else if (n % 3 == 1) {
            std::filesystem::create_hard_link(victim, prefs + name);
        } else {
            std::filesystem::create_symlink(nowhere, prefs + name);
        }
    }
    const int32_t rc = SavePreferences();
    EXPECT_TRUE(rc == 0 || rc == -1);
    std::FILE* f = std::fopen(victim.c_str(), "r");
    ASSERT_NE(f, nullptr);
    char text[64] = {};
    std::fread(text, 1, sizeof text - 1, f);
    std::fclose(f);
    EXPECT_STREQ(text, "the user's own file");
    EXPECT_FALSE(std::filesystem::exists(nowhere));
    EXPECT_TRUE(std::filesystem::is_symlink(prefs + "Orvelk.tmp"));
    for (const std::string& left : TempFilesLeft()) std::filesystem::remove(prefs + left);
    std::filesystem::remove(victim);

    // With the names free again a save works.
    EXPECT_EQ(SavePreferences(), 0);
    EXPECT_TRUE(TempFilesLeft().empty());
}

// Processes saving different settings at the same moment leave the file
// as one of them wrote it, whole, and no file of theirs behind.
TEST_F(PreferencesFileTest, ConcurrentSavesLeaveOneWritersWholeFile) {
    constexpr int kWriters = 8;
    constexpr int kRounds = 25;
    std::vector<std::string> files;
    for (int w = 0; w < kWriters; ++w) {
        SetDefaultGlobals(&globals_);
        globals_.level = w % 4;
        std::memset(globals_.text, 'a' + w, 100 + 300 * w);
        globals_.text[100 + 300 * w] = '\0';
        ASSERT_EQ(SavePreferences(), 0);
        files.push_back(ReadPrefsFile());
    }
    for (int round = 0; round < kRounds; ++round) {
        std::vector<pid_t> children;
        for (int w = 0; w < kWriters; ++w) {
            const pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                SetDefaultGlobals(&globals_);
                globals_.level = w % 4;
                std::memset(globals_.text, 'a' + w, 100 + 300 * w);
                globals_.text[100 + 300 * w] = '\0';
                int failed = 0;
                for (int i = 0; i < 5; ++i) failed += SavePreferences() != 0;
                _exit(failed);
            }
            children.push_back(child);
        }
        for (const pid_t child : children) {
            int status = 0;
            ASSERT_EQ(waitpid(child, &status, 0), child);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
        }
        const std::string now = ReadPrefsFile();
        EXPECT_NE(std::find(files.begin(), files.end(), now), files.end())
            << "round " << round << ": the file is no writer's whole file";
        EXPECT_TRUE(TempFilesLeft().empty()) << "round " << round;
    }
}

// A file the user made private stays private when a save replaces it.
TEST_F(PreferencesFileTest, ASaveKeepsTheFilesPermissions) {
    WritePrefsFile("qr_version = 7\r\n");
    ASSERT_EQ(::chmod(PrefsFile().c_str(), 0600), 0);
    ASSERT_EQ(SavePreferences(), 0);
    struct stat st;
    ASSERT_EQ(::stat(PrefsFile().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_NE(ReadPrefsFile().find("qr_version = 0"), std::string::npos);

    // A read-only file is the user's word: the save fails and leaves it, and
    // no temporary file stays beside it.
    WritePrefsFile("qr_version = 7\r\n");
    ASSERT_EQ(::chmod(PrefsFile().c_str(), 0444), 0);
    EXPECT_EQ(SavePreferences(), -1);
    EXPECT_EQ(ReadPrefsFile(), "qr_version = 7\r\n");
    EXPECT_TRUE(TempFilesLeft().empty());
    ASSERT_EQ(::chmod(PrefsFile().c_str(), 0600), 0);
}
#endif

// A Runtime suite of the test's own: the stand-in refuses to report a folder
// too long for the plug-in's file names, so it never shows the plug-in one.
const AIRuntimeSuite kLongFolderRuntime = [] {
    AIRuntimeSuite s = {};
    s.GetAppFileSpecification = [](SPPlatformFileSpecification* file) -> ASErr {
        // A 253-byte folder: with "\Prefs\Orvelk.ini" 270 bytes, over the 260 limit.
        const std::string path = "C:\\" + std::string(250, 'f') + "\\Illustrator.exe";
        std::snprintf(file->path, sizeof file->path, "%s", path.c_str());
        return kSPNoError;
    };
    return s;
}();

TEST_F(PreferencesFileTest, AFolderTooLongForTheFileNameIsAClearFailure) {
    const AIRuntimeSuite* const standinRuntime = gPluginState.runtime;
    gPluginState.runtime = &kLongFolderRuntime;
    std::strcpy(globals_.text, "unchanged");
    EXPECT_EQ(LoadPreferences(), -1);
    EXPECT_EQ(SavePreferences(), -1);
    EXPECT_STREQ(globals_.text, "unchanged");

    // Without the Runtime suite no folder is known: nothing is read or written.
    gPluginState.runtime = nullptr;
    EXPECT_EQ(LoadPreferences(), -1);
    EXPECT_EQ(SavePreferences(), -1);
    // Without a globals record there is nothing to read into or write from.
    gPluginState.runtime = standinRuntime;
    gPluginState.globals = nullptr;
    EXPECT_EQ(LoadPreferences(), -1);
    EXPECT_EQ(SavePreferences(), -1);
    EXPECT_FALSE(PrefsFileExists());
}

// The file calls of a save or a load, each failing in turn, one run per
// failure point: a save fails with -1 or succeeds, and the file is always the
// old one or the new one, whole; a load fails with -1 and leaves the globals
// as they were, or reads the file whole.
#if !defined(_WIN32)  // the file calls fail on demand only in our layer
TEST_F(PreferencesFileTest, EveryFailedFileCallOfASaveKeepsTheOldFileOrWritesTheNew) {
    const std::string old = "qr_version = 7\r\nbarcode_text00 = \"old\"\r\n";
    // The new text takes several chunk lines, so several writes.
    std::memset(globals_.text, 'n', 500);
    globals_.text[500] = '\0';
    SavePreferences();
    const std::string fresh = ReadPrefsFile();
    ASSERT_NE(fresh.find(std::string(80, 'n')), std::string::npos);

    int points = 0, failures = 0;
    for (unsigned k = 1;; ++k) {
        WritePrefsFile(old);
        FailFileCall(k, ERROR_DISK_FULL);
        const int32_t rc = SavePreferences();
        const bool hit = FileCallFailed();
        FailFileCall(0, ERROR_SUCCESS);
        if (!hit) {
            EXPECT_EQ(rc, 0);
            EXPECT_EQ(ReadPrefsFile(), fresh);
            break;
        }
        ++points;
        const std::string now = ReadPrefsFile();
        EXPECT_TRUE(now == old || now == fresh) << "failure point " << k;
        if (rc != 0) {
            ++failures;
            EXPECT_EQ(rc, -1);
            EXPECT_EQ(now, old) << "a failed save replaced the file, point " << k;
        }
        // A failed delete after a failed write leaves the new file's name.
        for (const std::string& name : TempFilesLeft())
            std::filesystem::remove(AppFolder() + "Prefs/" + name);
    }
    // Creating the folder, creating, writing (six lines), closing and moving
    // the new file, deleting it after a failure.
    EXPECT_GE(points, 9);
    EXPECT_GE(failures, 8);
    RecordProperty("failure_points", points);
}
#endif

#if !defined(_WIN32)  // the file calls fail on demand only in our layer
TEST_F(PreferencesFileTest, EveryFailedFileCallOfALoadLeavesTheGlobalsOrReadsTheFile) {
    WritePrefsFile("qr_version = 7\r\nqr_ecclevel = 3\r\nbarcode_text00 = \"loaded\"\r\n");
    int points = 0;
    for (unsigned k = 1;; ++k) {
        SetDefaultGlobals(&globals_);
        FailFileCall(k, ERROR_ACCESS_DENIED);
        const int32_t rc = LoadPreferences();
        const bool hit = FileCallFailed();
        FailFileCall(0, ERROR_SUCCESS);
        const bool loaded = globals_.version == 7 && globals_.level == 3 &&
                            std::strcmp(globals_.text, "loaded") == 0;
        if (!hit) {
            EXPECT_EQ(rc, 0);
            EXPECT_TRUE(loaded);
            break;
        }
        ++points;
        if (rc == 0) {
            EXPECT_TRUE(loaded) << "failure point " << k;
        } else {
            EXPECT_EQ(rc, -1);
            EXPECT_EQ(globals_.version, 0) << "failure point " << k;
            EXPECT_STREQ(globals_.text, "*SAMPLE TEXT*") << "failure point " << k;
        }
    }
    EXPECT_GE(points, 3);  // the folder, the opening, the reading (and the closing)
    RecordProperty("failure_points", points);
}
#endif

}  // namespace
