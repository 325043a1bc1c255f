// Damaged modules and resources: every reader returns an error and reads
// nothing outside its buffer (the sanitizer build checks the second part).
// Buffers are copied to their exact size so that a read past the end is a
// read past the allocation.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "standin/resources/bitmap_resource.h"
#include "standin/resources/byte_reader.h"
#include "standin/resources/dialog_template.h"
#include "standin/resources/elf_section.h"
#include "standin/resources/pipl.h"
#include "standin/resources/res_file.h"
#include "standin/resources/string_table.h"
#include "tests/standin/resources/resource_test_text.h"
#include "tests/support/test_temp_dir.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& bytes, size_t at, uint16_t value) {
    for (int i = 0; i < 2; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}
void Put32(Bytes& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}
void Put64(Bytes& bytes, size_t at, uint64_t value) {
    for (int i = 0; i < 8; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}
void Append16(Bytes& bytes, uint16_t value) {
    bytes.push_back(static_cast<uint8_t>(value));
    bytes.push_back(static_cast<uint8_t>(value >> 8));
}
void Append32(Bytes& bytes, uint32_t value) {
    Append16(bytes, static_cast<uint16_t>(value));
    Append16(bytes, static_cast<uint16_t>(value >> 16));
}

Bytes Prefix(const Bytes& bytes, size_t length) {
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
}

// ---------------------------------------------------------------- modules

// Where an ELF class keeps the fields the reader uses: the file header's
// section table offset, entry size, count and names' index, a section
// header's offset and size, and the width of offsets and sizes. The test
// module is of the build's class: 64-bit, or 32-bit in the i386 build.
struct ElfFields {
    size_t tableOffsetAt, entrySizeAt, countAt, namesIndexAt;
    size_t offsetAt, sizeAt;
    int word;
    size_t sectionHeaderSize;
};
constexpr ElfFields kElf64Fields{0x28, 0x3A, 0x3C, 0x3E, 24, 32, 8, 64};
constexpr ElfFields kElf32Fields{0x20, 0x2E, 0x30, 0x32, 16, 20, 4, 40};

uint64_t LoadWord(const ElfFields& f, const uint8_t* bytes) {
    return f.word == 8 ? LoadU64(bytes) : LoadU32(bytes);
}
void PutWord(const ElfFields& f, Bytes& bytes, size_t at, uint64_t value) {
    if (f.word == 8) {
        Put64(bytes, at, value);
    } else {
        Put32(bytes, at, static_cast<uint32_t>(value));
    }
}

// Where the test module's section table and its ".rsrc" entry lie.
struct ElfLayout {
    ElfFields f = kElf64Fields;
    size_t tableOffset = 0;
    size_t entrySize = 0;
    size_t count = 0;
    size_t namesEntry = 0;  // offset of the section-name table's header
    size_t rsrcEntry = 0;   // offset of the ".rsrc" header
};

ElfLayout Layout(const Bytes& module) {
    ElfLayout layout;
    layout.f = module[4] == 1 ? kElf32Fields : kElf64Fields;
    const ElfFields& f = layout.f;
    layout.tableOffset = LoadWord(f, &module[f.tableOffsetAt]);
    layout.entrySize = LoadU16(&module[f.entrySizeAt]);
    layout.count = LoadU16(&module[f.countAt]);
    layout.namesEntry = layout.tableOffset + LoadU16(&module[f.namesIndexAt]) * layout.entrySize;
    const size_t namesOffset = LoadWord(f, &module[layout.namesEntry + f.offsetAt]);
    for (size_t i = 0; i < layout.count; ++i) {
        const size_t entry = layout.tableOffset + i * layout.entrySize;
        const char* name =
            reinterpret_cast<const char*>(&module[namesOffset + LoadU32(&module[entry])]);
        if (std::string(name) == kResourceSectionName) layout.rsrcEntry = entry;
    }
    return layout;
}

class DamagedModuleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        module_ = ReadTestFile(ORVELK_TEST_MODULE);
        ASSERT_GT(module_.size(), 64u);
        layout_ = Layout(module_);
        ASSERT_NE(layout_.rsrcEntry, 0u);
    }

    ResourceStatus Find(const Bytes& image) {
        const Bytes copy = image;
        std::span<const uint8_t> section;
        return FindElfSection(copy, kResourceSectionName, &section);
    }

    Bytes module_;
    ElfLayout layout_;
};

TEST_F(DamagedModuleTest, TruncatedAtEveryLength) {
    const size_t tableEnd = layout_.tableOffset + layout_.count * layout_.entrySize;
    ASSERT_LE(tableEnd, module_.size());
    for (size_t length = 0; length < tableEnd; ++length) {
        const Bytes prefix = Prefix(module_, length);
        std::span<const uint8_t> section;
        const ResourceStatus status = FindElfSection(prefix, kResourceSectionName, &section);
        if (length < 16) {
            ASSERT_EQ(status, ResourceStatus::kNotModule) << length;
        } else {
            ASSERT_EQ(status, ResourceStatus::kDamaged) << length;
        }
    }
}

TEST_F(DamagedModuleTest, HeaderFieldsOutOfRange) {
    const uint64_t size = module_.size();
    struct Case {
        const char* what;
        size_t at;
        int width;
        uint64_t value;
        const char* part;  // what the message names as damaged
    };
    const size_t rsrc = layout_.rsrcEntry;
    const size_t names = layout_.namesEntry;
    const ElfFields& f = layout_.f;
    const int w = f.word;  // offsets and sizes; the largest values wrap at that width
    const uint64_t max = w == 8 ? std::numeric_limits<uint64_t>::max() : 0xFFFFFFFFu;
    const Case cases[] = {
        {"section table past the end", f.tableOffsetAt, w, size, "the section header table"},
        {"section table offset wraps", f.tableOffsetAt, w, max - 10, "the section header table"},
        {"entry size 0", f.entrySizeAt, 2, 0, "the file header"},
        {"entry size too small", f.entrySizeAt, 2, f.sectionHeaderSize - 4, "the file header"},
        {"more sections than the file holds", f.countAt, 2, 0xFFFE, "the section header table"},
        {"names index past the table", f.namesIndexAt, 2, layout_.count, "the file header"},
        {"names table past the end", names + f.offsetAt, w, size, "the section names"},
        {"names table larger than the file", names + f.sizeAt, w, size, "the section names"},
        {"names table size wraps", names + f.sizeAt, w, max, "the section names"},
        {"section name past its table", rsrc, 4, 0x7FFFFFFF, "(its name)"},
        {"section past the end", rsrc + f.offsetAt, w, size - 4, "\".rsrc\" section"},
        {"section offset wraps", rsrc + f.offsetAt, w, max - 8, "\".rsrc\" section"},
        {"section size wraps", rsrc + f.sizeAt, w, max, "\".rsrc\" section"},
    };
    for (const Case& c : cases) {
        Bytes damaged = module_;
        if (c.width == 2) Put16(damaged, c.at, static_cast<uint16_t>(c.value));
        if (c.width == 4) Put32(damaged, c.at, static_cast<uint32_t>(c.value));
        if (c.width == 8) Put64(damaged, c.at, c.value);
        std::span<const uint8_t> section;
        std::string part;
        EXPECT_EQ(FindElfSection(damaged, kResourceSectionName, &section, &part),
                  ResourceStatus::kDamaged)
            << c.what;
        EXPECT_NE(part.find(c.part), std::string::npos) << c.what << ": " << part;
    }
}

TEST_F(DamagedModuleTest, SectionNameWithoutItsEnd) {
    // Cut the names table inside the ".rsrc" name.
    Bytes damaged = module_;
    const uint32_t nameAt = LoadU32(&damaged[layout_.rsrcEntry]);
    PutWord(layout_.f, damaged, layout_.namesEntry + layout_.f.sizeAt, nameAt + 3);
    EXPECT_EQ(Find(damaged), ResourceStatus::kDamaged);
}

TEST_F(DamagedModuleTest, NotAModuleOrWithoutResources) {
    Bytes other = module_;
    other[4] = 3;  // no such class (1 is 32-bit, 2 is 64-bit)
    EXPECT_EQ(Find(other), ResourceStatus::kNotModule);
    other = module_;
    other[5] = 2;  // big-endian
    EXPECT_EQ(Find(other), ResourceStatus::kNotModule);
    other = module_;
    other[1] = 'e';
    EXPECT_EQ(Find(other), ResourceStatus::kNotModule);
    other = module_;
    PutWord(layout_.f, other, layout_.f.tableOffsetAt, 0);  // no section table
    EXPECT_EQ(Find(other), ResourceStatus::kNotFound);
    other = module_;
    PutWord(layout_.f, other, layout_.rsrcEntry + layout_.f.sizeAt, 0);  // an empty section
    EXPECT_EQ(Find(other), ResourceStatus::kNotFound);

    ResourceFile file;
    EXPECT_EQ(LoadModuleResources("/proc/self/exe", &file), ResourceStatus::kNotFound);
    EXPECT_EQ(LoadModuleResources("/nonexistent/Orvelk.aip", &file), ResourceStatus::kIoError);
}

TEST_F(DamagedModuleTest, SectionWithDamagedResources) {
    // The section ends 6 bytes early: its last record is cut short.
    Bytes damaged = module_;
    const size_t sizeAt = layout_.rsrcEntry + layout_.f.sizeAt;
    const uint64_t sectionSize = LoadWord(layout_.f, &damaged[sizeAt]);
    PutWord(layout_.f, damaged, sizeAt, sectionSize - 6);
    const std::string path = TestTempDir() + "damaged_resources_module.so";
    FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    ASSERT_EQ(std::fwrite(damaged.data(), 1, damaged.size(), out), damaged.size());
    std::fclose(out);
    ResourceFile file;
    std::string part;
    EXPECT_EQ(LoadModuleResources(path, &file, &part), ResourceStatus::kDamaged);
    EXPECT_NE(part.find("resource record"), std::string::npos) << part;
    EXPECT_NE(part.find("of the resources"), std::string::npos) << part;
    std::remove(path.c_str());
}

// ---------------------------------------------------------------- .res files

TEST(DamagedResFileTest, TruncatedAtEveryLength) {
    const Bytes res = ReadTestFile(ORVELK_TEST_PLUGIN_RES);
    ResourceFile whole;
    ASSERT_EQ(ParseResFile(res, &whole), ResourceStatus::kOk);
    // A prefix parses only when it ends after a record's data, before the
    // next record begins (the format's leading empty record ends at 32).
    auto endsARecord = [&](size_t length) {
        if (length == 0 || length == 32) return true;
        for (const ResourceEntry& entry : whole.entries) {
            const size_t end = entry.dataOffset + entry.dataSize;
            if (length >= end && length <= (end + 3) / 4 * 4) return true;
        }
        return false;
    };
    for (size_t length = 0; length < res.size(); ++length) {
        ResourceFile file;
        const ResourceStatus status = ParseResFile(Prefix(res, length), &file);
        ASSERT_EQ(status, endsARecord(length) ? ResourceStatus::kOk : ResourceStatus::kDamaged)
            << length;
    }
}

// A record of numbered type and name with `data`.
Bytes Record(uint16_t type, uint16_t name, const Bytes& data) {
    Bytes record;
    Append32(record, static_cast<uint32_t>(data.size()));
    Append32(record, 32);
    Append16(record, 0xFFFF);
    Append16(record, type);
    Append16(record, 0xFFFF);
    Append16(record, name);
    Append32(record, 0);
    Append16(record, 0x1030);
    Append16(record, kLanguageJapanese);
    Append32(record, 0);
    Append32(record, 0);
    record.insert(record.end(), data.begin(), data.end());
    while (record.size() % 4 != 0) record.push_back(0);
    return record;
}

TEST(DamagedResFileTest, SizesThatOverflowOrDoNotFit) {
    const Bytes good = Record(kResourceTypeString, 1, Bytes(8, 0));
    ResourceFile file;
    ASSERT_EQ(ParseResFile(good, &file), ResourceStatus::kOk);
    ASSERT_EQ(file.entries.size(), 1u);

    struct Case {
        const char* what;
        size_t at;
        uint32_t value;
    };
    const Case cases[] = {
        {"data size past the end", 0, 12},
        {"data size 2^32 - 1", 0, 0xFFFFFFFF},
        {"header size 2^32 - 8", 4, 0xFFFFFFF8},
        {"header size past the end", 4, 44},
        {"header size too small for its fields", 4, 16},
        {"header ends inside the fixed fields", 4, 28},
    };
    for (const Case& c : cases) {
        Bytes damaged = good;
        Put32(damaged, c.at, c.value);
        EXPECT_EQ(ParseResFile(damaged, &file), ResourceStatus::kDamaged) << c.what;
    }
}

TEST(DamagedResFileTest, NamesThatRunOffTheirHeader) {
    // A named type whose zero unit lies outside the header it claims.
    Bytes record;
    Append32(record, 0);
    Append32(record, 32);
    for (char16_t c : std::u16string(u"PIPLPIPLPIPL")) Append16(record, c);  // 24 bytes, no end
    Append16(record, 0);
    while (record.size() < 64) record.push_back(0);
    ResourceFile file;
    EXPECT_EQ(ParseResFile(record, &file), ResourceStatus::kDamaged);
    // A trailing fragment too short for a record.
    Bytes fragment = Record(kResourceTypeString, 1, Bytes(4, 0));
    fragment.insert(fragment.end(), {0, 0, 0, 0});
    EXPECT_EQ(ParseResFile(fragment, &file), ResourceStatus::kDamaged);
}

// ---------------------------------------------------------------- contents

class DamagedContentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(LoadResFile(ORVELK_TEST_PLUGIN_RES, &plugin_), ResourceStatus::kOk);
        ASSERT_EQ(LoadResFile(ORVELK_TEST_EXTRAS_RES, &extras_), ResourceStatus::kOk);
    }
    static Bytes Data(const ResourceFile& file, const ResourceEntry* entry) {
        EXPECT_NE(entry, nullptr);
        if (entry == nullptr) return {};
        const std::span<const uint8_t> data = ResourceData(file, *entry);
        return Bytes(data.begin(), data.end());
    }
    ResourceFile plugin_;
    ResourceFile extras_;
};

TEST_F(DamagedContentTest, DialogsCutShortAnywhere) {
    const Bytes dialogs[] = {
        Data(plugin_,
             FindResource(plugin_, kResourceTypeDialog, ORVELK_ABOUT_DIALOG_ID, kLanguageJapanese)),
        Data(plugin_,
             FindResource(plugin_, kResourceTypeDialog, ORVELK_ERROR_DIALOG_ID, kLanguageJapanese)),
        Data(plugin_, FindResource(plugin_, kResourceTypeDialog, ORVELK_SETTINGS_DIALOG_ID,
                                   kLanguageJapanese)),
        Data(extras_, FindResource(extras_, kResourceTypeDialog, 100, kLanguageJapanese)),
    };
    for (const Bytes& dialog : dialogs) {
        DialogTemplate parsed;
        ASSERT_EQ(ParseDialogTemplate(dialog, &parsed), ResourceStatus::kOk);
        for (size_t length = 0; length < dialog.size(); ++length) {
            ASSERT_EQ(ParseDialogTemplate(Prefix(dialog, length), &parsed),
                      ResourceStatus::kDamaged)
                << length << " of " << dialog.size();
        }
        // More items than the template holds.
        Bytes more = dialog;
        const size_t countAt = parsed.extended ? 16 : 8;
        Put16(more, countAt, 0xFFFF);
        EXPECT_EQ(ParseDialogTemplate(more, &parsed), ResourceStatus::kDamaged);
    }
}

TEST_F(DamagedContentTest, StringBlocksShorterThanTheirLengths) {
    // Block 1 (strings 0 to 15): "ab" at 0, then a length of 5 with 2 units.
    Bytes block;
    Append16(block, 2);
    Append16(block, 'a');
    Append16(block, 'b');
    Append16(block, 5);
    Append16(block, 'c');
    Append16(block, 'd');
    ResourceFile file;
    ASSERT_EQ(ParseResFile(Record(kResourceTypeString, 1, block), &file), ResourceStatus::kOk);
    std::string text = "left over";
    EXPECT_EQ(LoadResourceString(file, 0, kLanguageJapanese, &text), ResourceStatus::kOk);
    EXPECT_EQ(text, "ab");
    EXPECT_EQ(LoadResourceString(file, 1, kLanguageJapanese, &text), ResourceStatus::kDamaged);
    EXPECT_EQ(text, "");
    EXPECT_EQ(LoadResourceString(file, 15, kLanguageJapanese, &text), ResourceStatus::kDamaged);

    // A length of 0xFFFF with nothing after it.
    Bytes huge;
    Append16(huge, 0xFFFF);
    ASSERT_EQ(ParseResFile(Record(kResourceTypeString, 1, huge), &file), ResourceStatus::kOk);
    EXPECT_EQ(LoadResourceString(file, 0, kLanguageJapanese, &text), ResourceStatus::kDamaged);
    EXPECT_EQ(LoadResourceString(file, 3, kLanguageJapanese, &text), ResourceStatus::kDamaged);

    // An entry made by hand whose data lies outside the file's bytes.
    ResourceFile handMade;
    handMade.bytes = {0, 0};
    ResourceEntry entry;
    entry.type.number = kResourceTypeString;
    entry.name.number = 1;
    entry.language = kLanguageJapanese;
    entry.dataOffset = 1;
    entry.dataSize = std::numeric_limits<size_t>::max();
    handMade.entries.push_back(entry);
    EXPECT_EQ(LoadResourceString(handMade, 0, kLanguageJapanese, &text), ResourceStatus::kDamaged);
}

// A PiPL with the given properties, each (vendor, key, data), data padded.
struct Property {
    uint32_t vendor;
    uint32_t key;
    Bytes data;
};
constexpr uint32_t kAdbe = 0x41444245;
constexpr uint32_t kKind = 0x6B696E64;
constexpr uint32_t kIvrs = 0x69767273;
constexpr uint32_t kWx86 = 0x77783836;

Bytes PiPL(const std::vector<Property>& properties, uint16_t reserved = 1, uint32_t version = 0) {
    Bytes out;
    Append16(out, reserved);
    Append32(out, version);
    Append32(out, static_cast<uint32_t>(properties.size()));
    for (const Property& p : properties) {
        Append32(out, p.vendor);
        Append32(out, p.key);
        Append32(out, 0);
        Append32(out, static_cast<uint32_t>(p.data.size()));
        out.insert(out.end(), p.data.begin(), p.data.end());
        while ((out.size() - 10) % 4 != 0) out.push_back(0);
    }
    return out;
}

const Property kKindSpea{kAdbe, kKind, {'A', 'E', 'P', 'S'}};
const Property kVersion2{kAdbe, kIvrs, {2, 0, 0, 0}};
const Property kEntry{kAdbe, kWx86, {'M', 'a', 'i', 'n', 0}};

TEST_F(DamagedContentTest, PiPLsThatDoNotHoldWhatTheyClaim) {
    PiPLInfo info;
    // The built list, cut short anywhere.
    const Bytes pipl =
        Data(plugin_, FindResource(plugin_, kResourceTypePiPL, ORVELK_PIPL_ID, kLanguageJapanese));
    for (size_t length = 0; length < pipl.size(); ++length) {
        ASSERT_EQ(ParsePiPL(Prefix(pipl, length), &info), ResourceStatus::kDamaged) << length;
    }

    // Built here: a good one, with a foreign property first that is passed over.
    ASSERT_EQ(
        ParsePiPL(PiPL({{0x58585858, kKind, {1, 2, 3}}, kKindSpea, kVersion2, kEntry}), &info),
        ResourceStatus::kOk);
    EXPECT_EQ(info.kind, kPiPLKindHostPlugin);
    EXPECT_EQ(info.entryPoint, "Main");

    EXPECT_EQ(ParsePiPL(PiPL({kKindSpea, kVersion2, kEntry}, 2), &info),
              ResourceStatus::kUnsupported);
    EXPECT_EQ(ParsePiPL(PiPL({kKindSpea, kVersion2, kEntry}, 1, 1), &info),
              ResourceStatus::kUnsupported);
    EXPECT_EQ(ParsePiPL(PiPL({kVersion2, kEntry}), &info), ResourceStatus::kDamaged);
    EXPECT_EQ(ParsePiPL(PiPL({kKindSpea, kEntry}), &info), ResourceStatus::kDamaged);
    EXPECT_EQ(ParsePiPL(PiPL({kKindSpea, kVersion2}), &info), ResourceStatus::kDamaged);
    EXPECT_EQ(ParsePiPL(PiPL({{kAdbe, kKind, {'A', 'E'}}, kVersion2, kEntry}), &info),
              ResourceStatus::kDamaged);
    EXPECT_EQ(ParsePiPL(PiPL({kKindSpea, kVersion2, {kAdbe, kWx86, {'M', 'a', 'i', 'n'}}}), &info),
              ResourceStatus::kDamaged);  // no terminating zero
    EXPECT_EQ(ParsePiPL(PiPL({kKindSpea, kVersion2, {kAdbe, kWx86, {0, 0, 0, 0}}}), &info),
              ResourceStatus::kDamaged);  // empty name
    EXPECT_EQ(ParsePiPL(PiPL({kKindSpea, kVersion2, {kAdbe, kWx86, {}}}), &info),
              ResourceStatus::kDamaged);

    // Counts and lengths that do not fit.
    Bytes damaged = PiPL({kKindSpea, kVersion2, kEntry});
    Put32(damaged, 6, 0x7FFFFFFF);
    EXPECT_EQ(ParsePiPL(damaged, &info), ResourceStatus::kDamaged);
    Put32(damaged, 6, 0xFFFFFFFF);  // negative
    EXPECT_EQ(ParsePiPL(damaged, &info), ResourceStatus::kDamaged);
    damaged = PiPL({kKindSpea, kVersion2, kEntry});
    Put32(damaged, 10 + 12, 0x7FFFFFFF);  // the first property's length
    EXPECT_EQ(ParsePiPL(damaged, &info), ResourceStatus::kDamaged);
    Put32(damaged, 10 + 12, 0xFFFFFFFC);  // negative
    EXPECT_EQ(ParsePiPL(damaged, &info), ResourceStatus::kDamaged);
}

TEST_F(DamagedContentTest, BitmapsThatDoNotFit) {
    const Bytes bitmap = Data(plugin_, FindResource(plugin_, kResourceTypeBitmap,
                                                    ORVELK_ABOUT_BITMAP_ID, kLanguageJapanese));
    BitmapInfo info;
    ASSERT_EQ(ParseBitmapResource(bitmap, &info), ResourceStatus::kOk);
    for (size_t length = 0; length < bitmap.size(); ++length) {
        ASSERT_EQ(ParseBitmapResource(Prefix(bitmap, length), &info), ResourceStatus::kDamaged)
            << length;
    }

    struct Case {
        const char* what;
        size_t at;
        int width;
        uint32_t value;
        ResourceStatus status;
    };
    const Case cases[] = {
        {"width 0", 4, 4, 0, ResourceStatus::kDamaged},
        {"negative width", 4, 4, 0xFFFFFFFF, ResourceStatus::kDamaged},
        {"huge width", 4, 4, 0x7FFFFFFF, ResourceStatus::kDamaged},
        {"height 0", 8, 4, 0, ResourceStatus::kDamaged},
        {"most negative height", 8, 4, 0x80000000, ResourceStatus::kDamaged},
        {"two planes", 12, 2, 2, ResourceStatus::kDamaged},
        {"more colours than one bit indexes", 32, 4, 3, ResourceStatus::kDamaged},
        {"colour table past the end", 14, 2, 8, ResourceStatus::kDamaged},
        {"three bits per pixel", 14, 2, 3, ResourceStatus::kUnsupported},
        {"unknown compression", 16, 4, 9, ResourceStatus::kUnsupported},
        {"unknown header size", 0, 4, 20, ResourceStatus::kUnsupported},
    };
    for (const Case& c : cases) {
        Bytes damaged = bitmap;
        if (c.width == 2) Put16(damaged, c.at, static_cast<uint16_t>(c.value));
        if (c.width == 4) Put32(damaged, c.at, c.value);
        EXPECT_EQ(ParseBitmapResource(damaged, &info), c.status) << c.what;
    }

    Bytes topDown = bitmap;
    Put32(topDown, 8, static_cast<uint32_t>(-50));
    ASSERT_EQ(ParseBitmapResource(topDown, &info), ResourceStatus::kOk);
    EXPECT_TRUE(info.topDown);
    EXPECT_EQ(info.height, 50);
}

}  // namespace
