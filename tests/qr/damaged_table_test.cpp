// A missing or damaged table file makes the engine fail with its one code
// for it, never a symbol built from absent records and never a crash.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "qr/symbol_encoder.h"
#include "tests/qr/fake_engine_host.h"
#include "tests/qr/table_file_writer.h"
#include "tests/support/test_temp_dir.h"

namespace {

class DamagedTableTest : public testing::Test {
protected:
    void SetUp() override {
        BuiltVersion1Sections(&record_, &pattern_, &generator_);
        ASSERT_EQ(record_.size(), 3u * 208 + 30 + 1 + 128);
        app_ = TestTempDir() + "damaged_app";
        SetFakeAppFolder(app_);
        SetFakeMaskSetting(0);
    }
    void TearDown() override { std::remove((app_ + "/Prefs/Orvelk/ORVK_QR.DAT").c_str()); }

    // Encodes "01234567" (version 1 at level M) with the file as written.
    int32_t Encode(int32_t maskSetting = 0) {
        SetFakeMaskSetting(maskSetting);
        auto m = std::make_unique<ModuleMatrix>();
        m->side = 77;
        const int32_t rc = EncodeQRSymbol("01234567", 'M', 'N', 0, m.get());
        EXPECT_EQ(m->side, rc == kQROk ? 21 : 0);
        SetFakeMaskSetting(0);
        return rc;
    }

    void Write(const std::string& record, const std::string& pattern, const std::string& generator) {
        WriteTableFile(app_, {{"QRA_S01M", record}, {"QRB_S01", pattern}, {"QRC_S10", generator}});
    }

    std::string app_, record_, pattern_, generator_;
};

TEST_F(DamagedTableTest, IntactSectionsMakeTheSymbol) {
    Write(record_, pattern_, generator_);
    EXPECT_EQ(Encode(), kQROk);
}

TEST_F(DamagedTableTest, MissingFileOrSections) {
    EXPECT_EQ(Encode(), kQRTableFileDamaged);  // no file at all
    WriteTableFile(app_, {{"QRB_S01", pattern_}, {"QRC_S10", generator_}});
    EXPECT_EQ(Encode(), kQRTableFileDamaged);
    WriteTableFile(app_, {{"QRA_S01M", record_}, {"QRC_S10", generator_}});
    EXPECT_EQ(Encode(), kQRTableFileDamaged);
    WriteTableFile(app_, {{"QRA_S01M", record_}, {"QRB_S01", pattern_}});
    EXPECT_EQ(Encode(), kQRTableFileDamaged);
    SetFakeAppFolder(app_, 0x53214664);  // the folder itself cannot be found
    EXPECT_EQ(Encode(), kQRTableFileDamaged);
}

TEST_F(DamagedTableTest, ShortSections) {
    Write(record_.substr(0, record_.size() - 1), pattern_, generator_);
    EXPECT_EQ(Encode(), kQRTableFileDamaged);
    Write(record_, pattern_.substr(0, 21 * 22 - 1), generator_);
    EXPECT_EQ(Encode(), kQRTableFileDamaged);
    Write(record_, pattern_, generator_.substr(0, 256 * 10 - 1));
    EXPECT_EQ(Encode(), kQRTableFileDamaged);
    // A file cut in the middle of its sections.
    Write(record_, pattern_, generator_);
    std::FILE* f = std::fopen((app_ + "/Prefs/Orvelk/ORVK_QR.DAT").c_str(), "rb");
    std::string bytes(9000, '\0');
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
    std::fclose(f);
    WriteRawTableFile(app_, bytes);
    EXPECT_EQ(Encode(), kQRTableFileDamaged);
}

TEST_F(DamagedTableTest, RecordsThatDoNotFitTheVersion) {
    std::string outside = record_;
    outside[100] = static_cast<char>(21);  // a column beyond the side
    Write(outside, pattern_, generator_);
    EXPECT_EQ(Encode(), kQRTableFileDamaged);

    std::string formatOutside = record_;
    formatOutside[3 * 208 + 3] = static_cast<char>(200);
    Write(formatOutside, pattern_, generator_);
    EXPECT_EQ(Encode(1), kQRTableFileDamaged);

    const size_t e = 3 * 208 + 30, blocks = e + 1;
    std::string wrongSum = record_;
    wrongSum[blocks] = static_cast<char>(25);  // blocks of 25 codewords, not 26
    Write(wrongSum, pattern_, generator_);
    EXPECT_EQ(Encode(), kQRTableFileDamaged);

    std::string noEnd = record_;
    for (size_t i = 0; i < 128; ++i) noEnd[blocks + i] = 1;  // a block list without end
    Write(noEnd, pattern_, generator_);
    EXPECT_EQ(Encode(), kQRTableFileDamaged);

    std::string noEcc = record_;
    noEcc[e] = 0;
    Write(noEcc, pattern_, generator_);
    EXPECT_EQ(Encode(), kQRTableFileDamaged);
}

TEST_F(DamagedTableTest, GarbageFilesNeverCrash) {
    std::string junk(20000, '\0');
    unsigned seed = 7;
    for (char& c : junk) c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 16);
    WriteRawTableFile(app_, junk);
    EXPECT_EQ(Encode(), kQRTableFileDamaged);
    // A directory that names the sections over random bytes.
    std::string dir = "00002000:00004000:QRA_S01M\n00002000:00004000:QRB_S01\n"
                      "00002000:00004000:QRC_S10\n";
    dir.resize(8192, '\0');
    WriteRawTableFile(app_, dir + junk);
    EXPECT_EQ(Encode(), kQRTableFileDamaged);
}

}  // namespace
