// Filters and their menu items, action events, parameter values, recording
// and playback.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostapi/ai_action_manager.h"
#include "hostapi/ai_filter.h"
#include "hostapi/ai_menu.h"
#include "standin/suites/action_manager/action_manager.h"
#include "standin/suites/document/documents.h"
#include "standin/suites/filter_menu/filters.h"
#include "standin/host/host_errors.h"
#include "tests/standin/host/host_test_support.h"

namespace {

using standin::Filter;

// A length-prefixed string of `text`'s bytes.
std::string LengthPrefixed(const std::string& text) {
    return std::string(1, static_cast<char>(text.size())) + text;
}

class FiltersTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        plugin_ = AddTestPlugin(
            "Filters", nullptr,
            [this](const std::string& caller, const std::string& selector, void* message) -> ASErr {
                const auto* m = static_cast<AIFilterMessage*>(message);
                received_.push_back(caller + "/" + selector);
                if (caller == kAIFilterCaller) filtersReceived_.push_back(m->filter);
                return selector == kAIFilterGetParametersSelector ? parametersResult_ : kSPNoError;
            });
        filters_ = AcquireSuite<AIFilterSuite>(kAIFilterSuite, kAIFilterSuiteVersion);
        menus_ = AcquireSuite<AIMenuSuite>(kAIMenuSuite, kAIMenuSuiteVersion);
    }

    // Adds a filter of the test plug-in; null on failure.
    const Filter* Add(const std::string& name, const std::string& category,
                      const std::string& title) {
        const std::string c = LengthPrefixed(category);
        const std::string t = LengthPrefixed(title);
        const AIPlatformAddFilterData data = {reinterpret_cast<const unsigned char*>(c.data()),
                                              reinterpret_cast<const unsigned char*>(t.data())};
        AIFilterHandle handle = nullptr;
        if (filters_->AddFilter(standin::PluginRef(plugin_), name.c_str(), &data, 0, &handle) != 0)
            return nullptr;
        for (const Filter* f : standin::Filters())
            if (standin::FilterHandle(f) == handle) return f;
        return nullptr;
    }

    AIMenuItemHandle MenuItem(const Filter* filter) {
        AIMenuItemHandle item = nullptr;
        EXPECT_EQ(filters_->GetFilterMenuItem(standin::FilterHandle(filter), &item), 0);
        return item;
    }

    standin::Plugin* plugin_ = nullptr;
    const AIFilterSuite* filters_ = nullptr;
    const AIMenuSuite* menus_ = nullptr;
    std::vector<std::string> received_;
    std::vector<AIFilterHandle> filtersReceived_;
    ASErr parametersResult_ = kSPNoError;
};

TEST_F(FiltersTest, KeepsCategoryAndTitleAsTheBytesTheirLengthsCover) {
    const std::string title = Cp932("ＱＲコード...");
    ASSERT_EQ(title.size(), 13u);
    const Filter* filter = Add("Orvelk_QRCode", "Orvelk", title);
    ASSERT_NE(filter, nullptr);
    EXPECT_EQ(filter->name, "Orvelk_QRCode");
    EXPECT_EQ(filter->category, "Orvelk");
    EXPECT_EQ(filter->title, title);
    EXPECT_EQ(filter->plugin, standin::PluginRef(plugin_));

    // Only the bytes the length byte counts; the rest is not read.
    const std::string category =
        "\x03"
        "abcdef";
    const std::string empty(1, '\0');
    const AIPlatformAddFilterData data = {reinterpret_cast<const unsigned char*>(category.data()),
                                          reinterpret_cast<const unsigned char*>(empty.data())};
    AIFilterHandle handle = nullptr;
    ASSERT_EQ(filters_->AddFilter(standin::PluginRef(plugin_), "Short", &data, 0, &handle), 0);
    EXPECT_EQ(standin::Filters().back()->category, "abc");
    EXPECT_EQ(standin::Filters().back()->title, "");
}

TEST_F(FiltersTest, RefusesUnknownPluginsMissingTextsAndForeignHandles) {
    const std::string text = LengthPrefixed("x");
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const AIPlatformAddFilterData data = {bytes, bytes};
    const AIPlatformAddFilterData noTitle = {bytes, nullptr};
    AIFilterHandle handle = reinterpret_cast<AIFilterHandle>(&handle);
    int stranger = 0;
    EXPECT_EQ(filters_->AddFilter(reinterpret_cast<SPPluginRef>(&stranger), "F", &data, 0, &handle),
              kSPBadParameterError);
    EXPECT_EQ(handle, nullptr);
    EXPECT_EQ(filters_->AddFilter(standin::PluginRef(plugin_), "F", &noTitle, 0, &handle),
              kSPBadParameterError);
    EXPECT_EQ(filters_->AddFilter(standin::PluginRef(plugin_), "F", &data, 0, nullptr),
              kSPBadParameterError);
    EXPECT_TRUE(standin::Filters().empty());

    AIMenuItemHandle item = reinterpret_cast<AIMenuItemHandle>(&item);
    EXPECT_EQ(filters_->GetFilterMenuItem(reinterpret_cast<AIFilterHandle>(&stranger), &item),
              kSPBadParameterError);
    EXPECT_EQ(item, nullptr);
    EXPECT_EQ(menus_->UpdateMenuItemAutomatically(reinterpret_cast<AIMenuItemHandle>(&stranger),
                                                  kAutoEnableMenuItemAction, 0, 0, 0, 0,
                                                  kIfOpenDocument, 0),
              kSPBadParameterError);
}

TEST_F(FiltersTest, TheMenuItemIsEnabledOnlyWhileADocumentIsOpen) {
    const Filter* filter = Add("Orvelk_QRCode", "Orvelk", "QR");
    const Filter* plain = Add("Plain", "Orvelk", "Plain");
    const Filter* inverse = Add("Inverse", "Orvelk", "Inverse");
    ASSERT_EQ(menus_->UpdateMenuItemAutomatically(MenuItem(filter), kAutoEnableMenuItemAction, 0, 0,
                                                  0, 0, kIfOpenDocument, 0),
              0);
    ASSERT_EQ(menus_->UpdateMenuItemAutomatically(MenuItem(inverse), kAutoEnableMenuItemAction, 0,
                                                  0, 0, 0, 0, kIfOpenDocument),
              0);
    EXPECT_EQ(menus_->UpdateMenuItemAutomatically(MenuItem(plain), 7, 0, 0, 0, 0, 0, 0),
              kSPBadParameterError);

    EXPECT_FALSE(standin::IsFilterEnabled(*filter));
    EXPECT_TRUE(standin::IsFilterEnabled(*plain));  // no rule: always enabled
    EXPECT_TRUE(standin::IsFilterEnabled(*inverse));
    standin::Document* first = standin::OpenDocument("One");
    standin::OpenDocument("Two");
    EXPECT_TRUE(standin::IsFilterEnabled(*filter));
    EXPECT_FALSE(standin::IsFilterEnabled(*inverse));
    standin::CloseDocument(first);
    EXPECT_TRUE(standin::IsFilterEnabled(*filter));
    standin::CloseAllDocuments();
    EXPECT_FALSE(standin::IsFilterEnabled(*filter));
}

TEST_F(FiltersTest, RunningAFilterAsksForParametersThenGoes) {
    ASSERT_EQ(standin::StartupPlugin(plugin_), 0);
    const Filter* filter = Add("Orvelk_QRCode", "Orvelk", "QR");
    ASSERT_EQ(menus_->UpdateMenuItemAutomatically(MenuItem(filter), kAutoEnableMenuItemAction, 0, 0,
                                                  0, 0, kIfOpenDocument, 0),
              0);
    received_.clear();
    // Disabled: the user cannot choose it.
    EXPECT_EQ(standin::RunFilter(filter), kSPBadParameterError);
    EXPECT_TRUE(received_.empty());

    standin::OpenDocument("Untitled-1");
    EXPECT_EQ(standin::RunFilter(filter), 0);
    EXPECT_EQ(received_,
              (std::vector<std::string>{"AI Filter/AI Get Parameters", "AI Filter/AI Go"}));
    EXPECT_EQ(filtersReceived_, std::vector<AIFilterHandle>(2, standin::FilterHandle(filter)));

    // Cancelled in the dialog: no "AI Go".
    received_.clear();
    parametersResult_ = kCanceledErr;
    EXPECT_EQ(standin::RunFilter(filter), kCanceledErr);
    EXPECT_EQ(received_, std::vector<std::string>{"AI Filter/AI Get Parameters"});
}

class ActionsTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        plugin_ = AddTestPlugin(
            "Actions", nullptr,
            [this](const std::string& caller, const std::string& selector, void* message) -> ASErr {
                if (caller == kActionManagerCaller && selector == kDoActionSelector)
                    return onDoAction_(static_cast<AIActionDoActionMessage*>(message));
                return kSPNoError;
            });
        am_ =
            AcquireSuite<AIActionManagerSuite>(kAIActionManagerSuite, kAIActionManagerSuiteVersion);
    }

    // Registers "Orvelk_QRCode" with the plug-in's seven keys.
    ASErr RegisterQRAction() {
        AIActionParamTypeRef type = nullptr;
        EXPECT_EQ(am_->NewActionParamType(&type), 0);
        const struct {
            ActionParamKeyID key;
            const char* name;
            ActionParamTypeID type;
        } keys[] = {
            {MakeFourCharCode("plcx"), "X 座標", kActionRealType},
            {MakeFourCharCode("plcy"), "Y 座標", kActionRealType},
            {MakeFourCharCode("eclv"), "エラー処理レベル", kActionIntegerType},
            {MakeFourCharCode("vers"), "バージョン", kActionIntegerType},
            {MakeFourCharCode("enmd"), "エンコードモード", kActionIntegerType},
            {MakeFourCharCode("size"), "モジュールサイズ", kActionRealType},
            {MakeFourCharCode("data"), "データ", kActionStringType},
        };
        for (const auto& k : keys)
            EXPECT_EQ(am_->SetTypeKey(type, k.key, Cp932(k.name).c_str(), k.type, 1), 0);
        const ASErr result =
            am_->RegisterActionEvent("Orvelk_QRCode", Cp932("ＱＲコード配置").c_str(), 1, 0,
                                     nullptr, standin::PluginRef(plugin_),
                                     reinterpret_cast<ActionUserData>(1001), type);
        EXPECT_EQ(am_->DeleteActionParamType(type), 0);
        return result;
    }

    standin::Plugin* plugin_ = nullptr;
    const AIActionManagerSuite* am_ = nullptr;
    std::function<ASErr(AIActionDoActionMessage*)> onDoAction_ = [](AIActionDoActionMessage*) {
        return kSPNoError;
    };
};

TEST_F(ActionsTest, RegistrationKeepsTheKeysInOrderWithTypesAndDisplayNames) {
    ASSERT_EQ(RegisterQRAction(), 0);
    ASSERT_EQ(standin::ActionEvents().size(), 1u);
    const standin::ActionEvent& event = standin::ActionEvents()[0];
    EXPECT_EQ(event.name, "Orvelk_QRCode");
    EXPECT_EQ(event.localizedName, Cp932("ＱＲコード配置"));
    EXPECT_EQ(event.version, 1);
    EXPECT_EQ(event.userData, reinterpret_cast<ActionUserData>(1001));
    EXPECT_EQ(event.plugin, standin::PluginRef(plugin_));
    ASSERT_EQ(event.keys.size(), 7u);
    EXPECT_EQ(event.keys[0].key, MakeFourCharCode("plcx"));
    EXPECT_EQ(event.keys[0].type, kActionRealType);
    EXPECT_EQ(event.keys[0].displayName, Cp932("X 座標"));
    EXPECT_EQ(event.keys[3].key, MakeFourCharCode("vers"));
    EXPECT_EQ(event.keys[3].type, kActionIntegerType);
    EXPECT_EQ(event.keys[6].key, MakeFourCharCode("data"));
    EXPECT_EQ(event.keys[6].type, kActionStringType);
    EXPECT_EQ(event.keys[6].displayName, Cp932("データ"));
    EXPECT_TRUE(event.keys[6].shown);

    // A second registration of the name is refused; the first stays.
    EXPECT_EQ(RegisterQRAction(), kStandinDuplicateEventError);
    EXPECT_EQ(standin::ActionEvents().size(), 1u);
}

TEST_F(ActionsTest, TypesRefuseUnknownCodesAndReplaceARepeatedKeyInPlace) {
    AIActionParamTypeRef type = nullptr;
    ASSERT_EQ(am_->NewActionParamType(&type), 0);
    EXPECT_EQ(am_->SetTypeKey(type, MakeFourCharCode("plcx"), "x", MakeFourCharCode("bool"), 1),
              kSPBadParameterError);
    ASSERT_EQ(am_->SetTypeKey(type, MakeFourCharCode("plcx"), "x", kActionRealType, 1), 0);
    ASSERT_EQ(am_->SetTypeKey(type, MakeFourCharCode("data"), "d", kActionStringType, 1), 0);
    ASSERT_EQ(am_->SetTypeKey(type, MakeFourCharCode("plcx"), "X!", kActionIntegerType, 0), 0);
    ASSERT_EQ(
        am_->RegisterActionEvent("E", "E", 1, 0, nullptr, standin::PluginRef(plugin_), 0, type), 0);
    ASSERT_EQ(am_->DeleteActionParamType(type), 0);
    EXPECT_EQ(am_->DeleteActionParamType(type), kSPBadParameterError);  // not twice
    const auto& keys = standin::ActionEvents()[0].keys;
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].displayName, "X!");
    EXPECT_EQ(keys[0].type, kActionIntegerType);
    EXPECT_FALSE(keys[0].shown);
    // A disposed type cannot be registered.
    EXPECT_EQ(
        am_->RegisterActionEvent("F", "F", 1, 0, nullptr, standin::PluginRef(plugin_), nullptr,
                                 type),
        kSPBadParameterError);
}

TEST_F(ActionsTest, ValuesAreReadBackByKeyAndType) {
    AIActionParamValueRef value = nullptr;
    ASSERT_EQ(am_->NewActionParamValue(&value), 0);
    const ActionParamKeyID plcx = MakeFourCharCode("plcx");
    const ActionParamKeyID vers = MakeFourCharCode("vers");
    const ActionParamKeyID data = MakeFourCharCode("data");
    ASSERT_EQ(am_->SetReal(value, plcx, 297.5f), 0);
    ASSERT_EQ(am_->SetInteger(value, vers, 40), 0);
    ASSERT_EQ(am_->SetString(value, data, "*SAMPLE TEXT*"), 0);

    ASReal real = 0;
    int32_t integer = 0;
    char text[32] = "xxxxxxx";
    EXPECT_EQ(am_->GetReal(value, plcx, &real), 0);
    EXPECT_EQ(real, 297.5f);
    EXPECT_EQ(am_->GetInteger(value, vers, &integer), 0);
    EXPECT_EQ(integer, 40);
    // The whole string, as the host copies it: the caller is not asked for
    // its buffer's size.
    EXPECT_EQ(am_->GetString(value, data, text), 0);
    EXPECT_STREQ(text, "*SAMPLE TEXT*");
    EXPECT_EQ(am_->GetString(value, data, nullptr), kSPBadParameterError);
    // So no string longer than the host's limit is kept.
    const std::string longest(standin::kLongestActionString, 'L');
    EXPECT_EQ(am_->SetString(value, data, longest.c_str()), 0);
    EXPECT_EQ(am_->SetString(value, data, (longest + "L").c_str()), kSPBadParameterError);
    std::string back(standin::kLongestActionString + 1, 'x');
    EXPECT_EQ(am_->GetString(value, data, back.data()), 0);
    EXPECT_EQ(back.c_str(), longest);
    ASSERT_EQ(am_->SetString(value, data, "*SAMPLE TEXT*"), 0);

    // The wrong type and a missing key are errors, never a stale value.
    integer = 7;
    EXPECT_EQ(am_->GetInteger(value, plcx, &integer), kSPBadParameterError);
    EXPECT_EQ(am_->GetInteger(value, MakeFourCharCode("eclv"), &integer), kStandinNoSuchKeyError);
    EXPECT_EQ(integer, 7);
    EXPECT_EQ(am_->GetString(value, vers, text), kSPBadParameterError);
    EXPECT_STREQ(text, "");

    // A key set again takes the new value and type.
    ASSERT_EQ(am_->SetInteger(value, plcx, 3), 0);
    EXPECT_EQ(am_->GetInteger(value, plcx, &integer), 0);
    EXPECT_EQ(integer, 3);

    ASSERT_EQ(am_->DeleteActionParamValue(value), 0);
    EXPECT_EQ(am_->GetInteger(value, vers, &integer), kSPBadParameterError);
    EXPECT_EQ(am_->SetReal(value, plcx, 1), kSPBadParameterError);
}

TEST_F(ActionsTest, RecordsOnlyWhileRecordingAndPlaysBackToThePlugin) {
    ASSERT_EQ(standin::StartupPlugin(plugin_), 0);
    ASSERT_EQ(RegisterQRAction(), 0);
    AIActionParamValueRef value = nullptr;
    ASSERT_EQ(am_->NewActionParamValue(&value), 0);
    ASSERT_EQ(am_->SetReal(value, MakeFourCharCode("plcx"), 300), 0);
    ASSERT_EQ(am_->SetString(value, MakeFourCharCode("data"), "QR"), 0);

    EXPECT_FALSE(am_->InRecordMode());
    EXPECT_EQ(am_->RecordActionEvent("Orvelk_QRCode", kDialogOff, value),
              kStandinNotRecordingError);
    standin::SetActionRecording(true);
    EXPECT_TRUE(am_->InRecordMode());
    EXPECT_EQ(am_->RecordActionEvent("No_Such_Event", kDialogOff, value),
              kStandinNoSuchEventError);
    ASSERT_EQ(am_->RecordActionEvent("Orvelk_QRCode", kDialogOff, value), 0);
    ASSERT_EQ(am_->DeleteActionParamValue(value), 0);
    ASSERT_EQ(standin::RecordedActions().size(), 1u);
    const standin::RecordedAction action = standin::RecordedActions()[0];
    EXPECT_EQ(action.dialogStatus, kDialogOff);
    ASSERT_EQ(action.values.size(), 2u);

    AIActionParamValueRef played = nullptr;
    onDoAction_ = [&](AIActionDoActionMessage* m) {
        played = m->param;
        EXPECT_EQ(m->userData, reinterpret_cast<ActionUserData>(1001));
        // The message says only whether to show the dialog: not for kDialogOff.
        EXPECT_EQ(m->dialogStatus, kASFalse);
        ASReal x = 0;
        char text[16] = "";
        EXPECT_EQ(am_->GetReal(m->param, MakeFourCharCode("plcx"), &x), 0);
        EXPECT_EQ(x, 300.0f);
        EXPECT_EQ(am_->GetString(m->param, MakeFourCharCode("data"), text), 0);
        EXPECT_STREQ(text, "QR");
        // The value is the host's: the plug-in may not dispose of it.
        EXPECT_EQ(am_->DeleteActionParamValue(m->param), kSPBadParameterError);
        EXPECT_EQ(am_->GetReal(m->param, MakeFourCharCode("plcx"), &x), 0);
        return ASErr{-1};
    };
    EXPECT_EQ(standin::PlayAction(action, kDialogOff), -1);  // the plug-in's result
    ASSERT_NE(played, nullptr);
    // The host's value lasts only as long as the message.
    int32_t integer = 0;
    EXPECT_EQ(am_->GetInteger(played, MakeFourCharCode("vers"), &integer), kSPBadParameterError);
}

}  // namespace
