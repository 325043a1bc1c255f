// The plug-in module's resources as the host reads them (its ".rsrc" section
// here, the system's resource calls on Windows) against the compiled records
// they were made from: the same records, the same bytes, the same texts.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "standin/app/module_resource_file.h"
#include "standin/resources/res_file.h"
#include "standin/resources/string_table.h"

namespace {

bool SameName(const ResourceName& a, const ResourceName& b) {
    return a.isNumber == b.isNumber && (a.isNumber ? a.number == b.number : a.text == b.text);
}

std::vector<uint8_t> Bytes(const ResourceFile& file, const ResourceEntry& entry) {
    const std::span<const uint8_t> data = ResourceData(file, entry);
    return std::vector<uint8_t>(data.begin(), data.end());
}

TEST(ModuleRecords, AreTheCompiledRecords) {
    ResourceFile compiled, module;
    ASSERT_EQ(LoadResFile(ORVELK_TEST_PLUGIN_RES, &compiled), ResourceStatus::kOk);
    ASSERT_EQ(LoadModuleResources(ORVELK_TEST_MODULE, &module), ResourceStatus::kOk);
    ASSERT_EQ(module.entries.size(), compiled.entries.size());
    for (const ResourceEntry& want : compiled.entries) {
        const ResourceEntry* found = nullptr;
        for (const ResourceEntry& have : module.entries)
            if (SameName(have.type, want.type) && SameName(have.name, want.name) &&
                have.language == want.language)
                found = &have;
        ASSERT_NE(found, nullptr) << "type " << want.type.number << " name " << want.name.number;
        EXPECT_EQ(Bytes(module, *found), Bytes(compiled, want)) << "name " << want.name.number;
    }
}

TEST(ModuleRecords, ReadAsTheHostReadsThem) {
    ResourceFile compiled;
    ASSERT_EQ(LoadResFile(ORVELK_TEST_PLUGIN_RES, &compiled), ResourceStatus::kOk);
    std::string why;
    const std::unique_ptr<standin::ModuleResources> module =
        standin::ReadModuleResourceSection(ORVELK_TEST_MODULE, &why);
    ASSERT_NE(module, nullptr) << why;

    ASSERT_TRUE(module->Pipl().has_value());
    const ResourceEntry* pipl = FindResource(compiled, "PIPL", ORVELK_PIPL_ID, kLanguageJapanese);
    ASSERT_NE(pipl, nullptr);
    EXPECT_EQ(*module->Pipl(), Bytes(compiled, *pipl));

    // Every string of the lists, in code page 932 as the ANSI calls give them.
    for (int id = ORVELK_LEVEL_LIST_BASE; id < ORVELK_MASK_LIST_BASE + 9; ++id) {
        std::string want;
        const bool defined = LoadResourceString(compiled, static_cast<uint16_t>(id),
                                                kLanguageJapanese, &want) == ResourceStatus::kOk;
        EXPECT_EQ(module->String(id), defined ? std::optional<std::string>(want) : std::nullopt)
            << id;
    }
    for (int id : {ORVELK_ABOUT_DIALOG_ID, ORVELK_ERROR_DIALOG_ID, ORVELK_SETTINGS_DIALOG_ID}) {
        const std::optional<standin::DialogResource> dialog = module->Dialog(id);
        ASSERT_TRUE(dialog.has_value()) << id;
        EXPECT_FALSE(dialog->items.empty()) << id;
    }
    const ResourceEntry* bitmap =
        FindResource(compiled, kResourceTypeBitmap, ORVELK_ABOUT_BITMAP_ID, kLanguageJapanese);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(module->Bitmap(ORVELK_ABOUT_BITMAP_ID), Bytes(compiled, *bitmap));
    EXPECT_FALSE(module->Dialog(1).has_value());
    EXPECT_FALSE(module->String(-1).has_value());
}

TEST(ModuleRecords, FilesThatAreNoModuleAreRefusedWithAReason) {
    ResourceFile file;
    EXPECT_EQ(LoadModuleResources(ORVELK_TEST_PLUGIN_RES, &file), ResourceStatus::kNotModule);
    EXPECT_EQ(LoadModuleResources(std::string(ORVELK_TEST_PLUGIN_RES) + ".missing", &file),
              ResourceStatus::kIoError);
    std::string why;
    EXPECT_EQ(standin::ReadModuleResourceSection(ORVELK_TEST_PLUGIN_RES, &why), nullptr);
    EXPECT_NE(why.find("cannot be read"), std::string::npos) << why;
}

}  // namespace
