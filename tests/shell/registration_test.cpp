// The filter and the action event that startup makes known to the host.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "globals/plugin_state.h"
#include "tests/support/cp932_text.h"
#include "tests/support/fake_host.h"

namespace {

using RegistrationTest = PluginTest;

TEST_F(RegistrationTest, TheFilterGoesIntoTheMenuEnabledWhileADocumentIsOpen) {
    ASSERT_EQ(Send("SP Interface", "Startup"), kSPNoError);
    EXPECT_EQ(host_.addFilterCalls, 1);
    EXPECT_EQ(host_.addFilter.self, kFakeSelf);
    EXPECT_EQ(host_.addFilter.name, "Orvelk_QRCode");
    EXPECT_EQ(host_.addFilter.category, std::string("\x06Orvelk"));
    const std::string title = Cp932("ＱＲコード...");
    ASSERT_EQ(title.size(), 13u);
    EXPECT_EQ(host_.addFilter.title, std::string(1, '\x0D') + title);
    EXPECT_EQ(host_.addFilter.options, 0);
    EXPECT_EQ(gPluginState.globals->filter, kFakeFilter);

    EXPECT_EQ(host_.menuItemRequests, std::vector<AIFilterHandle>{kFakeFilter});
    // The menu item, enable, four art criteria 0, "a document is open", 0.
    const std::vector<std::vector<int32_t>> expected = {{0x3E4, 1, 0, 0, 0, 0, 0x40, 0}};
    EXPECT_EQ(host_.autoUpdates, expected);
}

TEST_F(RegistrationTest, TheActionEventHasItsSevenKeysInOrder) {
    ASSERT_EQ(Send("SP Interface", "Startup"), kSPNoError);
    struct Key {
        const char* key;
        const char* type;
        const char* name;  // UTF-8
    };
    const Key kKeys[] = {
        {"plcx", "real", "X 座標"},           {"plcy", "real", "Y 座標"},
        {"eclv", "long", "エラー処理レベル"}, {"vers", "long", "バージョン"},
        {"enmd", "long", "エンコードモード"}, {"size", "real", "モジュールサイズ"},
        {"data", "strn", "データ"},
    };
    ASSERT_EQ(host_.typeKeys.size(), std::size(kKeys));
    for (size_t i = 0; i < std::size(kKeys); ++i) {
        const RecordedTypeKey& got = host_.typeKeys[i];
        const auto fourCC = [](const char* s) {
            return (uint32_t(uint8_t(s[0])) << 24) | (uint32_t(uint8_t(s[1])) << 16) |
                   (uint32_t(uint8_t(s[2])) << 8) | uint32_t(uint8_t(s[3]));
        };
        EXPECT_EQ(got.key, fourCC(kKeys[i].key)) << i;
        EXPECT_EQ(got.type, fourCC(kKeys[i].type)) << i;
        EXPECT_EQ(got.displayName, Cp932(kKeys[i].name)) << i;
        EXPECT_EQ(got.shown, 1) << i;
    }

    EXPECT_EQ(host_.registerCalls, 1);
    EXPECT_EQ(host_.registration.name, "Orvelk_QRCode");
    EXPECT_EQ(host_.registration.title, Cp932("ＱＲコード配置"));
    EXPECT_EQ(host_.registration.version, 1);
    EXPECT_EQ(host_.registration.flags, 0);
    EXPECT_FALSE(host_.registration.hasCallback);
    EXPECT_EQ(host_.registration.self, kFakeSelf);
    EXPECT_EQ(host_.registration.userData, reinterpret_cast<ActionUserData>(1001));
    const auto type = reinterpret_cast<AIActionParamTypeRef>(0x7E);
    EXPECT_EQ(host_.registration.type, type);
    EXPECT_EQ(host_.deletedTypes, std::vector<AIActionParamTypeRef>{type});
}

TEST_F(RegistrationTest, AFilterFailureEndsStartupBeforeTheAction) {
    struct Case {
        ASErr* error;
        size_t autoUpdates;  // whether the automatic update was asked for
    };
    const Case kCases[] = {
        {&host_.addFilterError, 0},
        {&host_.menuItemError, 0},
        {&host_.autoUpdateError, 1},
    };
    const ASErr kSegm = MakeFourCharError("SEGM");
    for (const Case& c : kCases) {
        host_.autoUpdates.clear();
        host_.modals.clear();
        *c.error = kSegm;
        EXPECT_EQ(Send("SP Interface", "Startup"), kSegm);
        EXPECT_EQ(host_.autoUpdates.size(), c.autoUpdates);
        EXPECT_EQ(host_.registerCalls, 0);
        ASSERT_EQ(host_.modals.size(), 1u);
        EXPECT_EQ(host_.modals[0].itemTexts[3], "SEGM");
        *c.error = kSPNoError;
        ASSERT_EQ(Send("SP Interface", "Shutdown"), kSPNoError);
    }
}

TEST_F(RegistrationTest, TheRegistrationsResultIsStartups) {
    host_.registerEventError = kPluginOutOfMemoryError;
    EXPECT_EQ(Send("SP Interface", "Startup"), kPluginOutOfMemoryError);
    EXPECT_EQ(host_.deletedTypes.size(), 1u);  // disposed of all the same
    ASSERT_EQ(host_.modals.size(), 1u);
    EXPECT_EQ(host_.modals[0].itemTexts[3], "-108");
}

TEST_F(RegistrationTest, NothingIsRegisteredWithoutATypeOrAPluginReference) {
    host_.newTypeGivesNull = true;
    EXPECT_EQ(Send("SP Interface", "Startup"), kSPNoError);
    EXPECT_EQ(host_.registerCalls, 0);
    EXPECT_TRUE(host_.typeKeys.empty());
    EXPECT_TRUE(host_.deletedTypes.empty());
    ASSERT_EQ(Send("SP Interface", "Shutdown"), kSPNoError);

    host_.newTypeGivesNull = false;
    message_.self = nullptr;
    EXPECT_EQ(Send("SP Interface", "Startup"), kSPNoError);
    EXPECT_EQ(host_.registerCalls, 0);
    EXPECT_TRUE(host_.typeKeys.empty());
    EXPECT_EQ(host_.deletedTypes.size(), 1u);  // the type does not leak
}

TEST_F(RegistrationTest, AnActionNotRegisteredIsReportedAndTheFilterStillStarts) {
    for (bool noType : {true, false}) {
        host_.modals.clear();
        host_.newTypeGivesNull = noType;
        message_.self = noType ? kFakeSelf : nullptr;
        EXPECT_EQ(Send("SP Interface", "Startup"), kSPNoError) << noType;
        EXPECT_NE(gPluginState.globals->filter, nullptr) << noType;
        ASSERT_EQ(host_.modals.size(), 1u) << noType;
        EXPECT_EQ(host_.modals[0].dialogID, 16051);
        EXPECT_EQ(host_.modals[0].itemTexts[3], "!Act");
        ASSERT_EQ(Send("SP Interface", "Shutdown"), kSPNoError);
    }
    // A registration that took place shows nothing.
    host_.modals.clear();
    host_.newTypeGivesNull = false;
    message_.self = kFakeSelf;
    EXPECT_EQ(Send("SP Interface", "Startup"), kSPNoError);
    EXPECT_TRUE(host_.modals.empty());
}

}  // namespace
