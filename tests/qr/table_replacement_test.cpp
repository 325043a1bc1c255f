// The engine keeps decoded sections of the table file between encodings;
// whatever happens to the file between two encodings (replaced, rewritten
// in place, cut short, removed, damaged, another folder), the next encoding
// makes the symbol of the file as it stands, or fails with its code.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "qr/engine_host.h"
#include "qr/store/table_cache.h"
#include "qr/symbol_encoder.h"
#include "tests/qr/fake_engine_host.h"
#include "tests/qr/table_file_writer.h"
#include "tests/support/test_temp_dir.h"

namespace fs = std::filesystem;

namespace {

// The result of one encoding: its code and, for a symbol, its modules.
struct Outcome {
    int32_t rc;
    std::string modules;
    bool operator==(const Outcome&) const = default;
};

class TableReplacementTest : public testing::Test {
protected:
    void SetUp() override {
        BuiltVersion1Sections(&record_, &pattern_, &generator_);
        ASSERT_EQ(record_.size(), 3u * 208 + 30 + 1 + 128);
        // Table B differs from A in one mask byte: the module of bit 0 has
        // the other colour under every mask.
        recordB_ = record_;
        recordB_[2 * 208] = static_cast<char>(~recordB_[2 * 208]);
        app_ = TestTempDir() + "replace_app";
        fs::remove_all(app_);
        SetFakeAppFolder(app_);
        SetFakeMaskSetting(0);

        // The symbols of both tables, each read afresh.
        WriteA();
        a_ = EncodeAfresh();
        WriteB();
        b_ = EncodeAfresh();
        ASSERT_EQ(a_.rc, kQROk);
        ASSERT_EQ(b_.rc, kQROk);
        ASSERT_NE(a_, b_);
        fs::remove(File());
    }
    void TearDown() override { SetQREngineHost(nullptr); }

    std::string File() const { return File(app_); }
    static std::string File(const std::string& app) { return app + "/Prefs/Orvelk/ORVK_QR.DAT"; }

    // Tables A and B, written in place (the same file, the same size).
    void WriteA(const std::string& app = "") { Write(app, record_); }
    void WriteB(const std::string& app = "") { Write(app, recordB_); }
    void Write(const std::string& app, const std::string& record) {
        WriteTableFile(app.empty() ? app_ : app,
                       {{"QRA_S01M", record}, {"QRB_S01", pattern_}, {"QRC_S10", generator_}});
    }

    // Makes the file look written an hour ago, long enough for the engine to
    // keep what it reads of it.
    static void Settle(const std::string& file) {
        fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::hours(1));
    }

    // Table A, written an hour ago, encoded once: the cache holds its sections.
    void HoldSettledA() {
        WriteA();
        Settle(File());
        EXPECT_EQ(Encode(), a_);
    }

    // Renames the table file of the folder `other` over this one, given this
    // one's write time first, so that only the file itself differs.
    void RenameOver(const std::string& other) {
        fs::last_write_time(File(other), fs::last_write_time(File()));
        fs::rename(File(other), File());
    }

    static Outcome Encode() {
        auto m = std::make_unique<ModuleMatrix>();
        std::memset(m.get(), 0, sizeof(ModuleMatrix));
        const int32_t rc = EncodeQRSymbol("01234567", 'M', 'N', 0, m.get());
        return {rc, std::string(reinterpret_cast<const char*>(m->modules), sizeof m->modules)};
    }
    static Outcome EncodeAfresh() {
        ResetTableCache();
        return Encode();
    }
    static uint64_t Reads() { return HeldTableContents().reads; }

    std::string app_, record_, recordB_, pattern_, generator_;
    Outcome a_, b_;
};

TEST_F(TableReplacementTest, ASettledFileIsReadOnceAndItsSectionsServeTheNextEncodings) {
    WriteA();
    Settle(File());
    const uint64_t before = Reads();
    EXPECT_EQ(Encode(), a_);
    EXPECT_EQ(Reads(), before + 3);  // record, template, generator
    EXPECT_EQ(HeldTableContents().sections, 3);
    EXPECT_EQ(Encode(), a_);
    EXPECT_EQ(Encode(), a_);
    EXPECT_EQ(Reads(), before + 3);
}

TEST_F(TableReplacementTest, AFileWrittenJustNowIsReadAtEveryEncoding) {
    // Written within the file system clock's resolution of a rewrite, a file
    // may change again without its write time changing: nothing of it is kept.
    WriteA();
    const uint64_t before = Reads();
    EXPECT_EQ(Encode(), a_);
    EXPECT_EQ(Encode(), a_);
    EXPECT_EQ(Reads(), before + 6);
}

TEST_F(TableReplacementTest, ARewriteInTheSameClockTickIsSeen) {
    // B written in place over A, with the same size and, as a coarse clock
    // would give it, the same write time: the file looks the same, but A had
    // just been written when it was read, so nothing of it was kept.
    WriteA();
    const auto written = fs::last_write_time(File());
    EXPECT_EQ(Encode(), a_);
    WriteB();
    fs::last_write_time(File(), written);
    EXPECT_EQ(Encode(), b_);
}

TEST_F(TableReplacementTest, ARewriteInPlaceIsSeen) {
    HoldSettledA();
    WriteB();  // same file, same size, a new write time
    EXPECT_EQ(Encode(), b_);
    Settle(File());
    EXPECT_EQ(Encode(), b_);
    WriteA();
    EXPECT_EQ(Encode(), a_);
}

TEST_F(TableReplacementTest, AFileRenamedOverItIsSeenWhateverItsWriteTime) {
    HoldSettledA();
    // B beside it, given A's size and write time, then renamed over it: only
    // the file itself differs.
    const std::string other = TestTempDir() + "replace_other";
    WriteB(other);
    ASSERT_EQ(fs::file_size(File(other)), fs::file_size(File()));
    RenameOver(other);
    EXPECT_EQ(Encode(), b_);
    EXPECT_EQ(Encode(), b_);
}

TEST_F(TableReplacementTest, AFileCutShortFailsUntilItIsWhole) {
    HoldSettledA();
    const auto written = fs::last_write_time(File());
    fs::resize_file(File(), 8192 + 300);  // the directory and part of the first section
    fs::last_write_time(File(), written);
    EXPECT_EQ(Encode().rc, kQRTableFileDamaged);
    fs::resize_file(File(), 8192);  // the directory alone
    EXPECT_EQ(Encode().rc, kQRTableFileDamaged);
    WriteA();
    fs::last_write_time(File(), written);
    EXPECT_EQ(Encode(), a_);
}

TEST_F(TableReplacementTest, ARemovedFileFailsAndDropsWhatWasHeld) {
    HoldSettledA();
    fs::remove(File());
    EXPECT_EQ(Encode().rc, kQRTableFileDamaged);
    EXPECT_EQ(HeldTableContents().sections, 0);
    EXPECT_EQ(HeldTableContents().bytes, 0);
    WriteB();
    EXPECT_EQ(Encode(), b_);
}

TEST_F(TableReplacementTest, ADamagedReplacementFails) {
    HoldSettledA();
    // The same directory over sections of other bytes, the same size and
    // write time, renamed over the file.
    std::string bytes(fs::file_size(File()), '\0');
    {
        std::FILE* f = std::fopen(File().c_str(), "rb");
        ASSERT_NE(f, nullptr);
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
        std::fclose(f);
    }
    for (size_t i = 8192; i < bytes.size(); ++i) bytes[i] = static_cast<char>(bytes[i] ^ 0x5A);
    const std::string other = TestTempDir() + "replace_damaged";
    WriteRawTableFile(other, bytes);
    RenameOver(other);
    EXPECT_EQ(Encode().rc, kQRTableFileDamaged);
    WriteA();
    EXPECT_EQ(Encode(), a_);
}

TEST_F(TableReplacementTest, AnotherFolderIsAnotherFile) {
    const std::string second = TestTempDir() + "replace_second";
    WriteA();
    WriteB(second);
    Settle(File());
    Settle(File(second));
    EXPECT_EQ(Encode(), a_);
    ChangeFakeAppFolder(second);  // the host's folder moved; the host stays
    EXPECT_EQ(Encode(), b_);
    ChangeFakeAppFolder(app_);
    EXPECT_EQ(Encode(), a_);
    fs::remove_all(second);
    ChangeFakeAppFolder(second);
    EXPECT_EQ(Encode().rc, kQRTableFileDamaged);
}

// On the table file the build lays out: every version's sections pass through
// the cache, which keeps within its bounds and gives everything back when the
// host goes.
TEST(TableCache, StaysWithinItsBoundsAndIsFreedWithTheHost) {
    SetFakeAppFolder(ORVELK_TEST_APP_DIR);
    SetFakeMaskSetting(1);
    auto m = std::make_unique<ModuleMatrix>();
    int32_t mostBytes = 0;
    for (int round = 0; round < 2; ++round) {
        for (int version = 1; version <= 40; ++version) {
            for (char level : {'L', 'H'}) {
                ASSERT_EQ(EncodeQRSymbol("1", level, 'N', version, m.get()), kQROk);
                const TableCacheContents held = HeldTableContents();
                EXPECT_LE(held.sections, kTableCacheSections);
                EXPECT_LE(held.bytes, kTableCacheBytes);
                if (held.bytes > mostBytes) mostBytes = held.bytes;
            }
        }
    }
    EXPECT_GT(mostBytes, kTableCacheBytes / 2);  // it did keep several versions
    SetQREngineHost(nullptr);
    const TableCacheContents freed = HeldTableContents();
    EXPECT_EQ(freed.sections, 0);
    EXPECT_EQ(freed.bytes, 0);
    EXPECT_FALSE(freed.directory);
    SetFakeMaskSetting(0);
}

}  // namespace
