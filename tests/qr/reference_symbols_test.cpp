// The engine's symbols against reference symbols that another encoder made
// once at fixed versions, levels, modes and masks (tests/qr/reference/, whose
// README says how). Unlike the digest, a difference names the symbol and its
// modules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "qr/symbol_encoder.h"
#include "tests/qr/fake_engine_host.h"

namespace {

// One reference file: its settings, its text and its rows, top row first.
struct Reference {
    std::string name;
    int version = 0;
    char level = 0;
    char mode = 0;
    int mask = -1;
    std::string text;  // code page 932 bytes
    std::vector<std::string> rows;
};

std::string FromHex(const std::string& hex) {
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16));
    return bytes;
}

// Reads `path`; false with the reason in *why when a line is not understood.
bool ReadReference(const std::filesystem::path& path, Reference* r, std::string* why) {
    std::ifstream in(path);
    r->name = path.stem().string();
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::string key, value;
        words >> key >> value;
        if (key == "version") r->version = std::atoi(value.c_str());
        else if (key == "level") r->level = value[0];
        else if (key == "mode") r->mode = value[0];
        else if (key == "mask") r->mask = std::atoi(value.c_str());
        else if (key == "text") r->text = FromHex(value);
        else if (key.find_first_not_of("01") == std::string::npos) r->rows.push_back(key);
        else {
            *why = "line not understood: " + line;
            return false;
        }
    }
    const size_t side = 4 * static_cast<size_t>(r->version) + 17;
    if (r->version < 1 || r->version > 40 || r->mask < 0 || r->mask > 7 || r->rows.size() != side) {
        *why = "settings or rows missing";
        return false;
    }
    for (const std::string& row : r->rows) {
        if (row.size() != side) {
            *why = "a row of another length than the side";
            return false;
        }
    }
    return true;
}

std::vector<std::filesystem::path> ReferenceFiles() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(ORVELK_REFERENCE_DIR))
        if (entry.path().extension() == ".txt") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// The modules of `m` that differ from the reference: their count, and the
// first few as "(x, y) dark, reference light".
std::string Differences(const ModuleMatrix& m, const Reference& r) {
    int count = 0;
    std::string first;
    const int side = m.side;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const bool dark = m.modules[x * kMaxSide + y] != 0;
            if (dark == (r.rows[y][x] == '1')) continue;
            if (++count <= 5)
                first += " (" + std::to_string(x) + ", " + std::to_string(y) + ") " +
                         (dark ? "dark, reference light;" : "light, reference dark;");
        }
    }
    return count == 0 ? std::string()
                      : std::to_string(count) + " modules differ, column and row:" + first;
}

class ReferenceSymbolsTest : public ::testing::Test {
  protected:
    void SetUp() override { SetFakeAppFolder(ORVELK_TEST_APP_DIR); }
    void TearDown() override { SetFakeMaskSetting(0); }
};

TEST_F(ReferenceSymbolsTest, EverySymbolMatchesItsReferenceModuleByModule) {
    const std::vector<std::filesystem::path> files = ReferenceFiles();
    // Versions 1, 2, 7, 10, 27 and 40, each in the five modes.
    ASSERT_EQ(files.size(), 30u);
    auto matrix = std::make_unique<ModuleMatrix>();
    for (const auto& path : files) {
        Reference r;
        std::string why;
        ASSERT_TRUE(ReadReference(path, &r, &why)) << path << ": " << why;
        SetFakeMaskSetting(r.mask + 1);
        const int32_t rc = EncodeQRSymbol(r.text.c_str(), r.level, r.mode, r.version, matrix.get());
        ASSERT_EQ(rc, kQROk) << r.name;
        ASSERT_EQ(matrix->side, static_cast<int>(r.rows.size())) << r.name;
        EXPECT_EQ(Differences(*matrix, r), "") << r.name;
    }
}

// The comparison itself finds a single changed module and names it.
TEST_F(ReferenceSymbolsTest, AChangedModuleIsNamedWithItsSymbol) {
    Reference r;
    std::string why;
    ASSERT_TRUE(ReadReference(ReferenceFiles().front(), &r, &why)) << why;
    SetFakeMaskSetting(r.mask + 1);
    auto matrix = std::make_unique<ModuleMatrix>();
    ASSERT_EQ(EncodeQRSymbol(r.text.c_str(), r.level, r.mode, r.version, matrix.get()), kQROk);
    r.rows[9][12] = r.rows[9][12] == '1' ? '0' : '1';
    const std::string d = Differences(*matrix, r);
    EXPECT_EQ(d.rfind("1 modules differ, column and row: (12, 9) ", 0), 0u) << d;
}

}  // namespace
