// What the placing tests share: the module matrix a placed symbol shows, read
// back from a document's group or from an exported SVG, in the text form of
// `orvelk encode --format text` (one line per row, '1' dark, '0' light), and
// the Orvelk plug-in of the build run in a host session.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "globals/plugin_globals.h"
#include "standin/app/host_session.h"
#include "standin/suites/action_manager/action_manager.h"
#include "standin/suites/document/documents.h"

// The rows of the symbol whose quiet-zone rectangle is the group's first path
// and whose dark modules are its other paths; "" when they do not form one.
std::string MatrixOfGroup(const standin::Art& group);

// The same for the first group of an SVG that the stand-in wrote.
std::string MatrixOfSvg(const std::string& svg);

// The rows the engine gives for the text (code page 932) with a mask setting
// (0 automatic, k + 1 for mask k); "" when it gives no symbol.
std::string EngineMatrix(const std::string& text, char level, char mode, int version,
                         int maskSetting = 0);

// Whether every object below `art` names `art` as its parent and `document`
// as its document.
bool Linked(const standin::Art& art, const standin::Document* document);

// The build's Orvelk module started in a fresh host session, with a document
// open. Skips the test when the module is not built.
class OrvelkSessionTest : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The plug-in's globals record, as the host keeps it.
    PluginGlobals& Globals();
    // The filter run from the menu: "AI Get Parameters", then "AI Go".
    ASErr RunFilter();
    // "Do Action" of `action` into the current document.
    ASErr Play(const standin::RecordedAction& action);
    // The beeps and the code texts of the error dialogs in the transcript, in
    // order: "beep", "dialog -1".
    std::vector<std::string> Heard() const;
    // The texts (code page 932) of items `ids` of dialog `dialogId` when it
    // was last shown, in the order of `ids`; none when it was not shown.
    std::vector<std::string> ShownItemTexts(int32_t dialogId,
                                            const std::vector<int32_t>& ids) const;

    std::unique_ptr<standin::HostSession> session_;
    standin::Plugin* plugin_ = nullptr;
    standin::Document* document_ = nullptr;
};
