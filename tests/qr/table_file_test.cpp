// Finding and reading named sections of the table file.
#include "platform/win_path.h"
#include "qr/engine_host.h"
#include "qr/store/table_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/qr/fake_engine_host.h"
#include "tests/qr/table_file_writer.h"
#include "tests/support/test_temp_dir.h"

namespace {

std::string Hex8(size_t v) {
    char b[9];
    std::snprintf(b, sizeof b, "%08zX", v);
    return b;
}

class TableFileTest : public testing::Test {
protected:
    void SetUp() override {
        app_ = TestTempDir() + "tablefile_app";
        std::filesystem::create_directories(app_ + "/Prefs/Orvelk");
        std::remove((app_ + "/Prefs/Orvelk/ORVK_QR.DAT").c_str());
        SetFakeAppFolder(app_);
    }
    void TearDown() override { SetFakeAppFolder(app_); }

    void WriteFile(const std::string& bytes) {
        std::ofstream(app_ + "/Prefs/Orvelk/ORVK_QR.DAT", std::ios::binary) << bytes;
    }

    // A file whose directory lists `sections` (name, raw bytes) behind
    // `directoryEnd` lines, each section stored as literals after 8192 bytes.
    void WriteTable(const std::vector<std::pair<std::string, std::string>>& sections,
                    const std::string& lineEnd = "\r\n") {
        std::string directory, body;
        size_t offset = kTableDirectorySize;
        for (const auto& [name, raw] : sections) {
            const std::string stream = LzssLiterals(raw);
            directory += Hex8(offset) + ":" + Hex8(stream.size()) + ":" + name + lineEnd;
            body += stream;
            offset += stream.size();
        }
        directory.resize(kTableDirectorySize, '\0');
        WriteFile(directory + body);
    }

    // Reads a section; returns its bytes, or "<absent>".
    std::string Read(const char* name, int32_t* rc = nullptr) {
        uint8_t* bytes = reinterpret_cast<uint8_t*>(8);
        int32_t length = -1;
        // The engine's door finds the path through its host; the store reads.
        char path[kTableFilePathSize];
        int32_t r = FindHostTableFile(path);
        if (r == kTableRead) {
            r = ReadTableSection(path, name, &bytes, &length);
        } else {
            bytes = nullptr;
            length = 0;
        }
        if (rc) *rc = r;
        if (bytes == nullptr) {
            EXPECT_EQ(length, 0);
            return "<absent>";
        }
        std::string s(reinterpret_cast<char*>(bytes), length);
        std::free(bytes);
        return s;
    }

    std::string app_;
};

TEST_F(TableFileTest, FindsEntriesWhateverTheLineEnds) {
    // Every CR and every LF ends a line, in any order and run.
    for (const char* end : {"\r\n", "\n", "\r", "\n\r", "\r\r\n\n"}) {
        WriteTable({{"QRB_S01", "template"}, {"QRA_S01M", "record M"}, {"QRC_S07", "gen"}}, end);
        EXPECT_EQ(Read("QRA_S01M"), "record M");
        EXPECT_EQ(Read("QRC_S07"), "gen");
        EXPECT_EQ(Read("QRB_S01"), "template");
    }
    // One directory with a different end on each line; a line held between
    // a CR and an LF is a line of its own.
    const std::string a = LzssLiterals("first"), b = LzssLiterals("second");
    const std::string c = LzssLiterals("third");
    std::string dir = "00002000:" + Hex8(a.size()) + ":ONE\r";
    dir += Hex8(0x2000 + a.size()) + ":" + Hex8(b.size()) + ":TWO\n\r";
    dir += Hex8(0x2000 + a.size() + b.size()) + ":" + Hex8(c.size()) + ":THREE\n";
    dir.resize(kTableDirectorySize, '\0');
    WriteFile(dir + a + b + c);
    EXPECT_EQ(Read("ONE"), "first");
    EXPECT_EQ(Read("TWO"), "second");
    EXPECT_EQ(Read("THREE"), "third");
}

TEST_F(TableFileTest, NamesMustMatchExactly) {
    WriteTable({{"QRA_S01M", "m"}, {"QRA_S01M", "second"}});
    int32_t rc = 99;
    EXPECT_EQ(Read("QRA_S01L", &rc), "<absent>");
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(Read("QRA_S01"), "<absent>");
    EXPECT_EQ(Read("QRA_S01MM"), "<absent>");
    EXPECT_EQ(Read("QRA_S01M"), "m");  // the first entry wins
}

TEST_F(TableFileTest, UnterminatedLastEntryIsNotFound) {
    std::string stream = LzssLiterals("abc");
    std::string dir = "00002000:" + Hex8(stream.size()) + ":QRC_S07";
    dir += '\0';
    dir.resize(kTableDirectorySize, 'Z');
    WriteFile(dir + stream);
    EXPECT_EQ(Read("QRC_S07"), "<absent>");
}

TEST_F(TableFileTest, ZeroOffsetOrSizeMeansAbsent) {
    WriteFile("00000000:00000005:QRC_S07\n00002000:00000000:QRC_S08\n" + std::string(8192, '\0'));
    EXPECT_EQ(Read("QRC_S07"), "<absent>");
    EXPECT_EQ(Read("QRC_S08"), "<absent>");
}

TEST_F(TableFileTest, MissingFileOrFolderIsReported) {
    int32_t rc = 0;
    EXPECT_EQ(Read("QRC_S07", &rc), "<absent>");
    EXPECT_EQ(rc, kTableFileCannotOpen);
    SetFakeAppFolder(app_, 0x53214664);  // the host's error: no folder
    EXPECT_EQ(Read("QRC_S07", &rc), "<absent>");
    EXPECT_EQ(rc, kTableNoAppFolder);
    SetQREngineHost(nullptr);
    EXPECT_EQ(Read("QRC_S07", &rc), "<absent>");
    EXPECT_EQ(rc, kTableNoAppFolder);
}

TEST_F(TableFileTest, TheStoreReadsThePathItIsHandedWithoutAskingAnyHost) {
    WriteTable({{"QRC_S07", "handed"}});
    char path[kTableFilePathSize];
    ASSERT_EQ(FindHostTableFile(path), kTableRead);
    SetQREngineHost(nullptr);
    uint8_t* bytes = nullptr;
    int32_t length = 0;
    ASSERT_EQ(ReadTableSection(path, "QRC_S07", &bytes, &length), kTableRead);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), length), "handed");
    std::free(bytes);
    // The door, without a host, finds no path and notes why.
    EXPECT_EQ(FindHostTableFile(path), kTableNoAppFolder);
    EXPECT_STREQ(path, "");
}

TEST_F(TableFileTest, FolderTooLongForThePathBufferIsRefused) {
    WriteTable({{"QRC_S07", "x"}});
    // The root as the host names it ("C:\" here, "\" on Windows), letters,
    // then the subpath's 25 bytes: 256, one too many.
    char root[8];
    ASSERT_EQ(NativePathToWindows("/", root, sizeof root), ERROR_SUCCESS);
    std::string folder(1 + 256 - 25 - std::strlen(root), 'd');
    folder[0] = '/';
    SetFakeAppFolder(folder);
    int32_t rc = 0;
    EXPECT_EQ(Read("QRC_S07", &rc), "<absent>");
    EXPECT_EQ(rc, kTablePathTooLong);
    folder.append(12, 'd');
    SetFakeAppFolder(folder);
    EXPECT_EQ(Read("QRC_S07", &rc), "<absent>");
    EXPECT_NE(rc, 0);
}

TEST_F(TableFileTest, AFolderFillingTheWholeHostBufferIsRefusedWithoutOverflow) {
    // A host that fills all 300 bytes of the folder, no NUL among them.
    const QREngineHost host = {[](char* folder) -> int32_t {
                                   for (int32_t i = 0; i < kAppFolderSize; ++i) folder[i] = 'F';
                                   return 0;
                               },
                               nullptr};
    SetQREngineHost(&host);
    int32_t rc = 0;
    EXPECT_EQ(Read("QRC_S07", &rc), "<absent>");
    EXPECT_EQ(rc, kTablePathTooLong);
}

TEST_F(TableFileTest, DamagedDirectoriesReadNothingOutsideTheFile) {
    const std::string stream = LzssLiterals("0123456789");
    std::string dir = "0000200G:00000005:BADHEX\n";                 // not hex
    dir += "7FFFFFF0:00000005:PASTEND\n";                           // beyond the file
    dir += "00002000:FFFFFFFF:HUGE\n";                              // far too large
    dir += "00002000:00000005:CUT\n";                               // ends inside a literal run
    dir += std::string(300, 'L') + "\n";                            // overlong line
    dir += "00002000:" + Hex8(stream.size()) + ":AFTER\n";
    dir.resize(kTableDirectorySize, '\0');
    WriteFile(dir + stream);
    EXPECT_EQ(Read("BADHEX"), "<absent>");
    EXPECT_EQ(Read("PASTEND"), "<absent>");
    EXPECT_EQ(Read("HUGE"), "0123456789");
    EXPECT_EQ(Read("CUT"), "0123");
    EXPECT_EQ(Read("AFTER"), "0123456789");
}

TEST_F(TableFileTest, OnlyTheFirst8192BytesAreDirectory) {
    std::string dir(8180, '\n');
    dir += "00002100:00000002:LATE\n";
    WriteFile(dir + std::string(512, '\0'));
    EXPECT_EQ(Read("LATE"), "<absent>");
}

TEST_F(TableFileTest, WithoutItsNulTheDirectoryEndsBehindItsLastEntry) {
    // Sections written straight behind the lines, no 0x00 anywhere: each is
    // read, while an offset into an entry line is still no section.
    const std::string a = LzssLiterals("first"), b = LzssLiterals("second");
    const std::string lines = Hex8(0x46) + ":" + Hex8(a.size()) + ":ONE\r\n" + Hex8(0x46 + a.size()) +
                              ":" + Hex8(b.size()) + ":TWO\r\n" + "00000005:00000004:INTO\r\n";
    ASSERT_EQ(lines.size(), 0x46u);
    ASSERT_EQ((a + b).find('\0'), std::string::npos);
    WriteFile(lines + a + b);
    EXPECT_EQ(Read("ONE"), "first");
    EXPECT_EQ(Read("TWO"), "second");
    int32_t rc = 0;
    EXPECT_EQ(Read("INTO", &rc), "<absent>");
    EXPECT_NE(rc, kTableRead);
}

TEST(TakeSectionBytes, CopiesInOrderAndStopsAtTheEnd) {
    const uint8_t section[5] = {1, 2, 3, 4, 5};
    uint8_t a[3] = {9, 9, 9}, b[4] = {9, 9, 9, 9};
    int32_t cursor = 0;
    TakeSectionBytes(section, 5, a, &cursor, 3);
    EXPECT_EQ(cursor, 3);
    TakeSectionBytes(section, 5, b, &cursor, 4);
    EXPECT_EQ(cursor, 5);
    EXPECT_EQ(a[2], 3);
    EXPECT_EQ(b[0], 4);
    EXPECT_EQ(b[1], 5);
    EXPECT_EQ(b[2], 9);  // beyond what was copied: untouched
    TakeSectionBytes(nullptr, 0, b, &cursor, 4);
    EXPECT_EQ(b[0], 4);
}

}  // namespace
