// The container: directory layout under the reader's rules, the file the
// build lays out, and the generator program's command line.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "qr/store/crc32.h"
#include "qr/store/table_checks.h"
#include "tests/tools/table_test_support.h"
#include "tools/qrtables/block_table.h"
#include "tools/qrtables/lzss_encode.h"
#include "tools/qrtables/table_writer.h"

namespace {

std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::string Hex8(size_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(value));
    return text;
}

qrtables::TableSection Packed(const std::string& name, std::vector<uint8_t> raw) {
    qrtables::TableSection s{name, std::move(raw), {}};
    s.packed = qrtables::LzssEncode(s.raw);
    return s;
}

// Every entry of `file` names a section that decodes, strictly and with the
// engine's decoder, to the raw bytes of the section of that name.
void ExpectSectionsDecode(const std::vector<uint8_t>& file,
                          const std::vector<qrtables::TableSection>& sections) {
    const std::vector<tabletest::DirectoryEntry> entries = tabletest::ParseDirectory(file);
    ASSERT_EQ(entries.size(), sections.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const tabletest::DirectoryEntry& e = entries[i];
        SCOPED_TRACE(e.name);
        ASSERT_EQ(e.name, sections[i].name);
        ASSERT_LE(static_cast<size_t>(e.offset) + e.size, file.size());
        const std::span<const uint8_t> packed(file.data() + e.offset, e.size);
        std::vector<uint8_t> strict;
        std::string why;
        ASSERT_TRUE(tabletest::StrictLzssDecode(packed, &strict, &why)) << why;
        EXPECT_EQ(strict, sections[i].raw);
        EXPECT_EQ(tabletest::EngineDecode(packed), sections[i].raw);
    }
}

}  // namespace

TEST(TableFile, DirectoryLinesOffsetsAndSections) {
    const std::vector<qrtables::TableSection> sections = {
        Packed("QRA_S01M", std::vector<uint8_t>(300, 7)), Packed("QRB_S01", {'0', '1', '\n'}),
        Packed("QRC_S07", {1, 2, 3, 4, 5})};
    std::vector<uint8_t> file;
    std::string error;
    ASSERT_TRUE(qrtables::LayOutTableFile(sections, &file, &error)) << error;

    // Lines of 18 + name + CR LF (28, 27 and 27 bytes), then the 0x00, then
    // the sections.
    ASSERT_GT(file.size(), 0x53u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 28),
              "00000053:" + Hex8(sections[0].packed.size()) + ":QRA_S01M\r\n");
    EXPECT_EQ(file[0x50], '\r');
    EXPECT_EQ(file[0x51], '\n');
    EXPECT_EQ(file[0x52], 0);
    EXPECT_EQ(std::count(file.begin(), file.begin() + 0x53, '\n'), 3);
    ExpectSectionsDecode(file, sections);
    const std::vector<tabletest::DirectoryEntry> entries = tabletest::ParseDirectory(file);
    EXPECT_EQ(entries[0].offset, 0x53u);
    EXPECT_EQ(entries[1].offset, entries[0].offset + entries[0].size);
    EXPECT_EQ(entries[2].offset + entries[2].size, file.size());
}

TEST(TableFile, RefusesWhatTheDirectoryCannotHold) {
    std::vector<uint8_t> file;
    std::string error;
    // 292 entries of 28 bytes need 8177 bytes with the 0x00; 293 need 8205.
    std::vector<qrtables::TableSection> sections;
    for (int i = 0; i < 292; ++i) sections.push_back({"QRA_S01M", {1}, {0x01, 1}});
    EXPECT_TRUE(qrtables::LayOutTableFile(sections, &file, &error)) << error;
    sections.push_back({"QRA_S01M", {1}, {0x01, 1}});
    EXPECT_FALSE(qrtables::LayOutTableFile(sections, &file, &error));
    EXPECT_NE(error.find("8192"), std::string::npos) << error;

    error.clear();
    EXPECT_FALSE(qrtables::LayOutTableFile({{"QRB\nS01", {1}, {0x01, 1}}}, &file, &error));
    EXPECT_FALSE(error.empty());
    // An empty section would read as absent.
    EXPECT_FALSE(qrtables::LayOutTableFile({{"QRB_S01", {}, {}}}, &file, &error));
}

TEST(TableFile, BuiltFileHoldsEverySection) {
    const std::vector<uint8_t> file = ReadFile(ORVELK_TABLE_FILE);
    ASSERT_FALSE(file.empty()) << "missing " << ORVELK_TABLE_FILE;
    const std::vector<qrtables::TableSection> sections = qrtables::BuildSections();
    ASSERT_EQ(sections.size(), 160u + 40u + qrtables::DistinctEcPerBlock().size());

    std::set<std::string> names;
    for (const qrtables::TableSection& s : sections) names.insert(s.name);
    EXPECT_EQ(names.size(), sections.size());
    EXPECT_TRUE(names.count("QRA_S01L") && names.count("QRA_S40H") && names.count("QRA_S05Q"));
    EXPECT_TRUE(names.count("QRB_S01") && names.count("QRB_S40"));
    EXPECT_TRUE(names.count("QRC_S07") && names.count("QRC_S30") && !names.count("QRC_S08"));

    const auto zero = std::find(file.begin(), file.end(), 0);
    EXPECT_LT(zero - file.begin(), 8192);
    // Behind them the check values, under the name the engine looks for.
    qrtables::TableSection checks;
    std::string error;
    ASSERT_TRUE(qrtables::ChecksSection(sections, &checks, &error)) << error;
    EXPECT_STREQ(qrtables::kChecksSectionName, kTableChecksName);
    std::vector<qrtables::TableSection> all = sections;
    all.push_back(checks);
    ExpectSectionsDecode(file, all);
}

TEST(TableFile, CheckValuesAreEachSectionsCrcAndLengthAndTheirOwn) {
    const std::vector<qrtables::TableSection> sections = {
        {"QRA_S01M", {'1', '2', '3', '4', '5', '6', '7', '8', '9'}, {}}, {"QRB_S01", {}, {}}};
    qrtables::TableSection checks;
    std::string error;
    ASSERT_TRUE(qrtables::ChecksSection(sections, &checks, &error)) << error;
    // CRC-32 of "123456789" is CBF43926; of nothing, 0.
    const std::string lines = "CBF43926:00000009:QRA_S01M\r\n00000000:00000000:QRB_S01\r\n";
    const std::string text(checks.raw.begin(), checks.raw.end());
    ASSERT_EQ(text.substr(0, lines.size()), lines);
    char self[40];
    std::snprintf(self, sizeof self, "%08X:%08X:QRK_CHECKS\r\n",
                  Crc32(reinterpret_cast<const uint8_t*>(lines.data()), lines.size()),
                  static_cast<unsigned>(lines.size()));
    EXPECT_EQ(text.substr(lines.size()), std::string(self) + std::string(1, '\0'));

    // 292 sections would need more than the 8192 bytes the reader takes.
    std::vector<qrtables::TableSection> many(292, {"QRA_S01M", {1}, {}});
    EXPECT_FALSE(qrtables::ChecksSection(many, &checks, &error));
    EXPECT_NE(error.find("8192"), std::string::npos) << error;
}

#if defined(_WIN32)
constexpr const char* kQuiet = " 2>NUL >NUL";
#else
constexpr const char* kQuiet = " 2>/dev/null >/dev/null";
#endif

TEST(TableFile, ProgramWritesTheSameFileAndFailsLoudly) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("orvk_tablegen_test_" + std::to_string(getpid()));
    std::filesystem::remove_all(dir);
    const std::string program = ORVK_TABLEGEN;
    auto run = [&](const std::string& args) {
#if defined(_WIN32)
        const std::string emulator;  // the test runs beside the program, under the same emulator
#else
        const std::string emulator = ORVK_TABLEGEN_EMULATOR;
#endif
        const std::string command = (emulator.empty() ? "" : "\"" + emulator + "\" ") + "\"" +
                                    program + "\" " + args + kQuiet;
        const int status = std::system(command.c_str());
#if defined(_WIN32)
        return status;  // the program's exit code itself
#else
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    };

    EXPECT_EQ(run("--help"), 0);
    EXPECT_NE(run(""), 0);
    EXPECT_NE(run("--no-such-option " + (dir / "x.dat").string()), 0);

    // A parent that is a regular file: nothing can be written.
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "plain") << "x";
    EXPECT_NE(run((dir / "plain" / "ORVK_QR.DAT").string()), 0);
    EXPECT_NE(run(dir.string()), 0);  // a folder is not replaced

    // Missing folders are made, and the output is the build's file.
    const std::filesystem::path out = dir / "Prefs" / "Orvelk" / "ORVK_QR.DAT";
    ASSERT_EQ(run(out.string()), 0);
    EXPECT_EQ(ReadFile(out), ReadFile(ORVELK_TABLE_FILE));
    EXPECT_FALSE(std::filesystem::exists(out.string() + ".tmp"));
#if !defined(_WIN32)
    // A replaced file keeps its mode; what lies at any name beside it (a
    // link included) is not written through, and no temporary file stays.
    std::ofstream(dir / "victim") << "precious";
    std::filesystem::create_symlink(dir / "victim", out.string() + ".tmp");
    std::filesystem::permissions(out, std::filesystem::perms(0640));
    ASSERT_EQ(run(out.string()), 0);
    EXPECT_EQ(std::filesystem::file_size(dir / "victim"), 8u);  // "precious"
    EXPECT_TRUE(std::filesystem::is_symlink(out.string() + ".tmp"));
    EXPECT_FALSE(std::filesystem::is_symlink(out));
    EXPECT_EQ(std::filesystem::status(out).permissions(), std::filesystem::perms(0640));
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(out.parent_path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 2);  // the table file and the link
#endif
    std::filesystem::remove_all(dir);
}
