// The dialog manager: modal runs from dialog resources with the scripted
// user, item notifications, popups and text fields, painting, string
// resources and alerts, and the user's script itself.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostapi/adm_basic.h"
#include "hostapi/adm_dialog.h"
#include "hostapi/adm_drawer.h"
#include "hostapi/adm_entry.h"
#include "hostapi/adm_item.h"
#include "hostapi/adm_list.h"
#include "standin/suites/adm/dialog_manager.h"
#include "standin/dialogs/user_script.h"
#include "standin/host/host_errors.h"
#include "standin/host/host_transcript.h"
#include "tests/standin/host/host_test_support.h"

namespace {

using standin::DialogItemResource;
using standin::DialogResource;
using standin::TranscriptEntry;

constexpr uint16_t kButton = 0x80;
constexpr uint16_t kEdit = 0x81;
constexpr uint16_t kStatic = 0x82;
constexpr uint16_t kCombo = 0x85;

DialogItemResource Item(int32_t id, uint16_t atom, uint32_t style, const std::string& text,
                        int16_t width = 50, int16_t height = 14) {
    DialogItemResource item;
    item.id = id;
    item.classAtom = atom;
    item.style = style;
    item.text = text;
    item.width = width;
    item.height = height;
    return item;
}

// The error dialog's layout: OK, the message, the code, a frame.
DialogResource ErrorDialog() {
    DialogResource d;
    d.title = "Plug-in Error";
    d.items = {Item(1, kButton, 0x01, "OK"), Item(2, kStatic, 0x00, "Message"),
               Item(3, kStatic, 0x00, "Code"), Item(4, kStatic, 0x07, "")};
    return d;
}

// A dialog with OK and Cancel, a user-drawn item 3, a popup 5 and a text field 13.
DialogResource SettingsDialog() {
    DialogResource d;
    d.title = Cp932("Orvelk QRコード");
    d.width = 300;
    d.height = 245;
    d.items = {Item(1, kButton, 0x01, "OK"), Item(2, kButton, 0x00, "Cancel"),
               Item(3, kStatic, 0x0D, "dummy", 139, 154), Item(5, kCombo, 0x03, ""),
               Item(13, kEdit, 0x80, "")};
    return d;
}

// The suites as the plug-in holds them, and what the procedures saw.
struct Probe {
    const ADMDialogSuite* dialog = nullptr;
    const ADMItemSuite* item = nullptr;
    const ADMListSuite* list = nullptr;
    const ADMEntrySuite* entry = nullptr;
    const ADMDrawerSuite* drawer = nullptr;
    const ADMBasicSuite* basic = nullptr;
    SPPluginRef self = nullptr;
    std::vector<std::string> events;
    ADMItemRef savedItem = nullptr;
    ADMListRef savedList = nullptr;
    std::vector<ADMPortRef> ports;
    ADMRect rect{};
};
Probe gProbe;

std::string TextOf(ADMItemRef item) {
    char text[256];
    gProbe.item->GetText(item, text, sizeof text);
    return text;
}

void HOST_CALL DefaultOnly(ADMItemRef item, ADMNotifierRef notifier) {
    gProbe.events.push_back("notify " + std::to_string(gProbe.item->GetID(item)));
    gProbe.item->DefaultNotify(item, notifier);
}

void HOST_CALL NothingMore(ADMItemRef item, ADMNotifierRef) {
    gProbe.events.push_back("ignored " + std::to_string(gProbe.item->GetID(item)));
}

// The error dialog's init: the message and code from the user data.
ASErr HOST_CALL InitErrorDialog(ADMDialogRef dialog) {
    const auto* record = static_cast<const char* const*>(gProbe.dialog->GetUserData(dialog));
    gProbe.item->SetNotifyProc(gProbe.dialog->GetItem(dialog, 1), DefaultOnly);
    gProbe.item->SetText(gProbe.dialog->GetItem(dialog, 2), record[0]);
    gProbe.item->SetText(gProbe.dialog->GetItem(dialog, 3), record[1]);
    gProbe.savedItem = gProbe.dialog->GetItem(dialog, 2);
    return 0;
}

void HOST_CALL PopupChanged(ADMItemRef item, ADMNotifierRef) {
    const ADMEntryRef active = gProbe.list->GetActiveEntry(gProbe.item->GetList(item));
    gProbe.events.push_back("popup " + std::to_string(gProbe.entry->GetIndex(active)));
    gProbe.item->Invalidate(gProbe.dialog->GetItem(gProbe.item->GetDialog(item), 3));
}

void HOST_CALL TextChanged(ADMItemRef item, ADMNotifierRef) {
    gProbe.events.push_back("text " + TextOf(item));
}

void HOST_CALL DrawPreview(ADMItemRef item, ADMDrawerRef drawer) {
    gProbe.ports.push_back(gProbe.drawer->GetPortRef(drawer));
    gProbe.item->GetLocalRect(item, &gProbe.rect);
}

// The settings dialog's init: popup 5 from strings 200 + i, four entries,
// entry 1 selected; text 13 limited to 8 bytes; the preview drawn.
ASErr HOST_CALL InitSettingsDialog(ADMDialogRef dialog) {
    const ADMItemRef popup = gProbe.dialog->GetItem(dialog, 5);
    const ADMListRef list = gProbe.item->GetList(popup);
    for (int32_t i = 0; i < 4; ++i) {
        const ADMEntryRef entry = gProbe.list->InsertEntry(list, i);
        char text[62];
        if (gProbe.basic->GetIndexString(gProbe.self, 200, i, text, sizeof text) == 0) {
            gProbe.entry->SetText(entry, text);
            gProbe.entry->Enable(entry, kASTrue);
        } else {
            gProbe.entry->MakeSeparator(entry, kASTrue);
            gProbe.entry->Enable(entry, kASFalse);
        }
    }
    gProbe.entry->Select(gProbe.list->IndexEntry(list, 1), kASTrue);
    const ADMItemRef text = gProbe.dialog->GetItem(dialog, 13);
    gProbe.item->SetText(text, "abc");
    gProbe.item->SetMaxTextLength(text, 8);
    gProbe.item->SetNotifyProc(popup, PopupChanged);
    gProbe.item->SetNotifyProc(text, TextChanged);
    gProbe.item->SetDrawProc(gProbe.dialog->GetItem(dialog, 3), DrawPreview);
    gProbe.savedList = list;
    return 0;
}

class DialogsTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        auto resources = std::make_unique<standin::MemoryModuleResources>();
        resources->dialogs[16051] = ErrorDialog();
        resources->dialogs[16052] = SettingsDialog();
        resources->strings[199] = "<Mac strings begin at index 1>";
        resources->strings[200] = Cp932("Ｌ(7%)");
        resources->strings[201] = Cp932("Ｍ(15%)");
        resources->strings[203] = Cp932("Ｈ(30%)");  // 202 is missing
        plugin_ = AddTestPlugin("Dialogs.aip", std::move(resources), nullptr);
        gProbe = Probe();
        gProbe.self = standin::PluginRef(plugin_);
        gProbe.dialog = AcquireSuite<ADMDialogSuite>(kADMDialogSuite, kADMDialogSuiteVersion);
        gProbe.item = AcquireSuite<ADMItemSuite>(kADMItemSuite, kADMItemSuiteVersion);
        gProbe.list = AcquireSuite<ADMListSuite>(kADMListSuite, kADMListSuiteVersion);
        gProbe.entry = AcquireSuite<ADMEntrySuite>(kADMEntrySuite, kADMEntrySuiteVersion);
        gProbe.drawer = AcquireSuite<ADMDrawerSuite>(kADMDrawerSuite, kADMDrawerSuiteVersion);
        gProbe.basic = AcquireSuite<ADMBasicSuite>(kADMBasicSuite, kADMBasicSuiteVersion);
    }

    void Script(const std::string& script) {
        std::vector<standin::UserStep> steps;
        std::string why;
        ASSERT_TRUE(standin::ParseUserScript(script, &steps, &why)) << why;
        standin::SetUserScript(std::move(steps));
    }

    int32_t RunError(const char* message, const char* code) {
        const char* record[2] = {message, code};
        return gProbe.dialog->Modal(gProbe.self, "Error Dialog", 16051, kADMModalDialogStyle,
                                    InitErrorDialog, record, 0);
    }

    int32_t RunSettings() {
        return gProbe.dialog->Modal(gProbe.self, nullptr, 16052, kADMModalDialogStyle,
                                    InitSettingsDialog, nullptr, 0);
    }

    // The dialogs shown, in order.
    static std::vector<TranscriptEntry> Shown() {
        std::vector<TranscriptEntry> shown;
        for (const TranscriptEntry& e : standin::Transcript())
            if (e.kind == TranscriptEntry::Kind::kDialogShown) shown.push_back(e);
        return shown;
    }

    standin::Plugin* plugin_ = nullptr;
};

TEST_F(DialogsTest, ShowsTheTextsAfterInitAndTheDefaultButtonEndsTheRun) {
    EXPECT_EQ(RunError("The selection is not valid for this filter.", "!sel"), 1);
    EXPECT_EQ(gProbe.events, std::vector<std::string>{"notify 1"});
    const std::vector<TranscriptEntry> shown = Shown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].plugin, "Dialogs.aip");
    EXPECT_EQ(shown[0].dialogId, 16051);
    EXPECT_EQ(shown[0].dialogName, "Error Dialog");
    EXPECT_EQ(shown[0].title, "Plug-in Error");
    ASSERT_EQ(shown[0].items.size(), 4u);
    EXPECT_EQ(shown[0].items[0].kind, standin::DialogItemKind::kDefaultButton);
    EXPECT_EQ(shown[0].items[1].text, "The selection is not valid for this filter.");
    EXPECT_EQ(shown[0].items[2].text, "!sel");
    EXPECT_EQ(shown[0].items[3].kind, standin::DialogItemKind::kFrame);
    EXPECT_EQ(standin::Transcript().back().kind, TranscriptEntry::Kind::kDialogClosed);
    EXPECT_EQ(standin::Transcript().back().result, 1);
    EXPECT_TRUE(TranscriptNotes().empty());
}

TEST_F(DialogsTest, TheScriptedUserPressesClosesAndGoesOnInTheNextDialog) {
    Script("press 2; close; press 1");
    EXPECT_EQ(RunSettings(), 2);  // Cancel's default notification
    EXPECT_EQ(RunSettings(), 2);  // Escape presses Cancel
    EXPECT_EQ(RunError("m", "c"), 1);
    EXPECT_EQ(standin::RemainingUserSteps(), 0u);
    EXPECT_EQ(Shown().size(), 3u);
}

TEST_F(DialogsTest, ADialogTheScriptCannotCloseIsEndedByTheHostWithANote) {
    ASSERT_EQ(RunError("m", "c"), 1);
    // OK that does not end the run: the host gives up after pressing it once.
    const auto init = [](ADMDialogRef dialog) -> ASErr {
        gProbe.item->SetNotifyProc(gProbe.dialog->GetItem(dialog, 1), NothingMore);
        return 0;
    };
    gProbe.events.clear();
    EXPECT_EQ(gProbe.dialog->Modal(gProbe.self, nullptr, 16051, 0, init, nullptr, 0),
              standin::kNoDialogResult);
    EXPECT_EQ(gProbe.events, std::vector<std::string>{"ignored 1"});
    ASSERT_EQ(TranscriptNotes().size(), 1u);
    EXPECT_EQ(TranscriptNotes()[0],
              "Dialogs.aip: dialog 16051: still open after the user's steps and its default "
              "button; the host closed it");
}

TEST_F(DialogsTest, AStepThatDoesNotFitEndsTheRunAndDropsTheRest) {
    Script("press 9; press 1");
    EXPECT_EQ(RunError("m", "c"), standin::kNoDialogResult);
    EXPECT_EQ(standin::RemainingUserSteps(), 0u);
    ASSERT_EQ(TranscriptNotes().size(), 1u);
    EXPECT_NE(TranscriptNotes()[0].find("it has no item 9"), std::string::npos);

    Script("press 3");  // a static text cannot be pressed
    EXPECT_EQ(RunError("m", "c"), standin::kNoDialogResult);
    Script("select 5 2");  // the separator of the missing string
    EXPECT_EQ(RunSettings(), standin::kNoDialogResult);
    Script("select 5 4");
    EXPECT_EQ(RunSettings(), standin::kNoDialogResult);
    Script("type 5 x");
    EXPECT_EQ(RunSettings(), standin::kNoDialogResult);
    const std::vector<std::string> notes = TranscriptNotes();
    ASSERT_EQ(notes.size(), 5u);
    EXPECT_NE(notes[1].find("item 3 is a text, which cannot be pressed"), std::string::npos);
    EXPECT_NE(notes[2].find("entry 2 of item 5 is disabled"), std::string::npos);
    EXPECT_NE(notes[3].find("item 5 has no entry 4 (it has 4)"), std::string::npos);
    EXPECT_NE(notes[4].find("item 5 is a popup, not a text field"), std::string::npos);
}

TEST_F(DialogsTest, PopupsAndTextFieldsTakeTheUsersChoices) {
    // "ソ" ends in the byte 0x5C; the limit of 8 bytes falls inside "表".
    Script("select 5 3; select 5 0; type 13 ソ\\n123表; press 1");
    EXPECT_EQ(RunSettings(), 1);
    EXPECT_EQ(gProbe.events,
              (std::vector<std::string>{"popup 3", "popup 0", "text " + Cp932("ソ\\n123")}));
    const std::vector<TranscriptEntry> shown = Shown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].items[3].kind, standin::DialogItemKind::kPopup);
    EXPECT_EQ(shown[0].items[3].text, Cp932("Ｍ(15%)"));  // selected by init
    EXPECT_EQ(shown[0].items[4].text, "abc");
}

TEST_F(DialogsTest, ItemsTheirDrawProcedureOwnsArePaintedWhenInvalidated) {
    Script("select 5 3; type 13 x; press 1");
    ASSERT_EQ(RunSettings(), 1);
    // When shown, and after the popup invalidated it; not after the text.
    ASSERT_EQ(gProbe.ports.size(), 2u);
    EXPECT_NE(gProbe.ports[0], nullptr);
    EXPECT_EQ(gProbe.rect.right, 209);   // 139 dialog units, rounded as MulDiv rounds
    EXPECT_EQ(gProbe.rect.bottom, 250);  // 154 dialog units
    // A drawer outside its draw call has no port.
    EXPECT_EQ(standin::DrawerPort(reinterpret_cast<ADMDrawerRef>(gProbe.ports[0])), nullptr);
}

TEST_F(DialogsTest, HandlesOfAClosedDialogFindNothing) {
    ASSERT_EQ(RunSettings(), 1);
    ASSERT_EQ(RunError("message", "code"), 1);
    const ADMItemRef item = gProbe.savedItem;
    gProbe.item->SetText(item, "late");
    EXPECT_EQ(TextOf(item), "");
    EXPECT_EQ(gProbe.item->GetDialog(item), nullptr);
    EXPECT_EQ(gProbe.item->GetID(item), 0);
    EXPECT_EQ(gProbe.list->NumberOfEntries(gProbe.savedList), 0);
    EXPECT_EQ(gProbe.list->InsertEntry(gProbe.savedList, 0), nullptr);
    // A handle of one kind passed as another finds nothing either.
    EXPECT_EQ(gProbe.item->GetID(reinterpret_cast<ADMItemRef>(gProbe.savedList)), 0);
}

TEST_F(DialogsTest, ADialogThatCannotBeBuiltOrInitialisedIsNotShown) {
    EXPECT_EQ(gProbe.dialog->Modal(gProbe.self, nullptr, 999, 0, nullptr, nullptr, 0),
              standin::kNoDialogResult);
    const auto failing = [](ADMDialogRef) -> ASErr { return -108; };
    EXPECT_EQ(gProbe.dialog->Modal(gProbe.self, nullptr, 16051, 0, failing, nullptr, 0),
              standin::kNoDialogResult);
    int stranger = 0;
    EXPECT_EQ(gProbe.dialog->Modal(reinterpret_cast<SPPluginRef>(&stranger), nullptr, 16051, 0,
                                   nullptr, nullptr, 0),
              standin::kNoDialogResult);
    EXPECT_TRUE(Shown().empty());
    const std::vector<std::string> notes = TranscriptNotes();
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0], "Dialogs.aip: it has no dialog resource 999");
    EXPECT_EQ(notes[1],
              "Dialogs.aip: dialog 16051: its init procedure failed with -108; it was not shown");
}

TEST_F(DialogsTest, IndexStringsAreReadByListAndIndexAndCutWhole) {
    char text[62] = "stale";
    ASSERT_EQ(gProbe.basic->GetIndexString(gProbe.self, 199, 2, text, sizeof text), 0);
    EXPECT_EQ(std::string(text), Cp932("Ｍ(15%)"));
    // Five bytes hold "Ｍ(1" and a NUL, not half of a character more.
    ASSERT_EQ(gProbe.basic->GetIndexString(gProbe.self, 201, 0, text, 5), 0);
    EXPECT_EQ(std::string(text), Cp932("Ｍ(1"));
    ASSERT_EQ(gProbe.basic->GetIndexString(gProbe.self, 201, 0, text, 3), 0);
    EXPECT_EQ(std::string(text), Cp932("Ｍ"));
    ASSERT_EQ(gProbe.basic->GetIndexString(gProbe.self, 201, 0, text, 2), 0);
    EXPECT_EQ(std::string(text), "");

    EXPECT_EQ(gProbe.basic->GetIndexString(gProbe.self, 200, 2, text, sizeof text),
              kStandinNoSuchStringError);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(gProbe.basic->GetIndexString(gProbe.self, 0x7FFFFFFF, 201, text, sizeof text),
              kStandinNoSuchStringError);
    EXPECT_EQ(gProbe.basic->GetIndexString(gProbe.self, 200, 0, nullptr, 62), kSPBadParameterError);
    EXPECT_EQ(gProbe.basic->GetIndexString(gProbe.self, 200, 0, text, 0), kSPBadParameterError);
    EXPECT_EQ(gProbe.basic->GetIndexString(nullptr, 200, 0, text, sizeof text),
              kSPBadParameterError);
}

TEST_F(DialogsTest, AlertsGoToTheTranscript) {
    gProbe.basic->MessageAlert("Error: -108, suite: AI Filter Suite, version: 2!");
    ASSERT_EQ(standin::Transcript().size(), 1u);
    EXPECT_EQ(standin::Transcript()[0].kind, TranscriptEntry::Kind::kAlert);
    EXPECT_EQ(standin::Transcript()[0].text, "Error: -108, suite: AI Filter Suite, version: 2!");
}

TEST(UserScript, ParsesStepsAndSaysWhereAMistakeIs) {
    std::vector<standin::UserStep> steps;
    std::string why;
    ASSERT_TRUE(standin::ParseUserScript("press 1;select 5 2\n type 13 a  b\r\n\n close;type 13",
                                         &steps, &why))
        << why;
    ASSERT_EQ(steps.size(), 5u);
    EXPECT_EQ(steps[0].action, standin::UserStep::Action::kPress);
    EXPECT_EQ(steps[0].item, 1);
    EXPECT_EQ(steps[1].action, standin::UserStep::Action::kSelect);
    EXPECT_EQ(steps[1].item, 5);
    EXPECT_EQ(steps[1].index, 2);
    EXPECT_EQ(steps[2].action, standin::UserStep::Action::kType);
    EXPECT_EQ(steps[2].text, "a  b");  // the rest of the step after one space
    EXPECT_EQ(steps[3].action, standin::UserStep::Action::kClose);
    EXPECT_EQ(steps[4].text, "");
    ASSERT_TRUE(standin::ParseUserScript("type 13 表示", &steps, &why));
    EXPECT_EQ(steps[0].text, Cp932("表示"));

    const std::pair<const char*, const char*> mistakes[] = {
        {"press", "step 1 ('press'): press takes an item number"},
        {"press 1; press 1 2", "step 2 (' press 1 2'): '2' is one word too many"},
        {"select 5", "step 1 ('select 5'): select takes an item number and an entry index"},
        {"press x1", "step 1 ('press x1'): press takes an item number"},
        {"jump 3", "step 1 ('jump 3'): 'jump' is not press, select, type or close"},
        {"type 13 \u2603", "step 1 ('type 13 \u2603'): the text has no code page 932 form"},
    };
    for (const auto& [script, message] : mistakes) {
        EXPECT_FALSE(standin::ParseUserScript(script, &steps, &why)) << script;
        EXPECT_EQ(why, message);
        EXPECT_TRUE(steps.empty());
    }
}

}  // namespace
