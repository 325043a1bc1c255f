// `orvelk place` with the Orvelk module, each test in an application folder
// of its own: usage, the dialog driven by the options and what the
// transcript says of it, OK saving the preferences for the next run, Cancel
// placing and saving nothing, a text that does not fit, recordings replayed
// to the same bytes, and the pictures of the dialog and its preview.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "contract/filter_action.h"
#include "standin/actions/action_set.h"
#include "standin/text/cp932.h"
#include "tests/standin/cli/app_folder_copy.h"
#include "tests/standin/export/read_back.h"
#include "tests/standin/placing/placed_symbol.h"
#include "tests/support/command_runner.h"

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class PlaceCommandTest : public testing::Test {
  protected:
    void SetUp() override {
        const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        app_ = FreshAppFolder("place_app_" + name);
        if (app_.empty()) GTEST_SKIP() << "the module or the table file is not built";
        folder_ = FreshTestFolder("place_out_" + name) + "/";
    }
    void TearDown() override {
        std::filesystem::remove_all(folder_);
        if (!app_.empty()) std::filesystem::remove_all(app_);
    }

    // `orvelk place ARGS... --app-folder APP`.
    CommandResult Place(std::vector<std::string> args) const {
        args.insert(args.begin(), "place");
        args.insert(args.end(), {"--app-folder", app_});
        return RunOrvelkCommand(args);
    }

    std::string Path(const std::string& name) const { return folder_ + name; }

    std::string app_, folder_;
};

// The matrix the exported SVG at `path` shows.
std::string SvgMatrix(const std::string& path) {
    return MatrixOfSvg(FileBytes(path));
}

TEST_F(PlaceCommandTest, UsageAndItsMistakes) {
    CommandResult r = RunOrvelkCommand({"place", "--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* part : {"Usage: orvelk place", "--no-dialog", "--show-preview", "--app-folder",
                             "6 when the dialog was cancelled"})
        EXPECT_TRUE(Contains(r.out, part)) << part;
    EXPECT_TRUE(Contains(RunOrvelkCommand({"--help"}).out, "place "));

    const std::vector<std::vector<std::string>> wrong = {
        {},  // nothing to write
        {"--dump", "--level", "X"},
        {"--dump", "--mode", "Z"},
        {"--dump", "--version", "41"},
        {"--dump", "--mask", "8"},
        {"--dump", "--cell", "0.3"},
        {"--dump", "--text", "A", "--text-file", "x.txt"},
        {"--dump", "--no-dialog", "--text", "A"},
        {"--dump", "--no-dialog", "--cancel"},
        {"-o", "a.svg", "-o", "b.tiff"},
        {"--dump", "stray"},
        {"--dump", "--user", "wave 3"},
    };
    for (const std::vector<std::string>& args : wrong) {
        r = Place(args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "" : args.back());
        EXPECT_FALSE(r.err.empty());
    }
    r = Place({"--dump", "--cell", "0.3"});
    EXPECT_TRUE(Contains(r.err, "0.20, 0.25, 0.33, 0.50, 0.75, 1.00, 1.50, 2.00, 3.00, 4.00, 5.00"))
        << r.err;
    // Nothing was started for any of them: no preferences were written.
    EXPECT_FALSE(std::filesystem::exists(PreferencesPath(app_)));
}

TEST_F(PlaceCommandTest, OkPlacesAtTheViewsCentreSavesAndTheNextRunOpensWithTheSettings) {
    CommandResult r =
        Place({"--text", "HELLO WORLD", "--level", "q", "--version", "2", "--mode",
               "Alphanumeric", "--cell", "0.25", "-o", Path("a.svg"), "--record", Path("a.json"),
               "--verbose"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(SvgMatrix(Path("a.svg")), EngineMatrix("HELLO WORLD", 'Q', 'A', 2));
    // The SVG shows the art's bounds: centred on the view's centre, the A4 page's.
    double x = 0, y = 0, w = 0, h = 0;
    const std::string svg = FileBytes(Path("a.svg"));
    ASSERT_EQ(
        std::sscanf(svg.c_str() + svg.find("viewBox=\"") + 9, "%lf %lf %lf %lf", &x, &y, &w, &h),
        4);
    EXPECT_NEAR(x + w / 2, 595.28 / 2, 1e-3);
    EXPECT_NEAR(y + h / 2, 841.89 / 2, 1e-3);
    // The dialog as shown first, then as it was when OK was pressed.
    EXPECT_TRUE(Contains(r.err, "dialog \"Orvelk QRコード\"")) << r.err;
    EXPECT_TRUE(Contains(r.err, "closed with [OK]")) << r.err;
    EXPECT_TRUE(Contains(r.err,
                         "    item 14: 最大文字数： 28文字\n"
                         "             図形サイズ： 8.25×8.25mm\n"))
        << r.err;
    EXPECT_TRUE(Contains(r.err, "item 3: (263, 15)-(506, 246), 243 x 231 pixels")) << r.err;
    EXPECT_EQ(PreferencesBytes(app_),
              "qr_ecclevel = 2\r\nqr_version = 2\r\nqr_encodemode = 1\r\nqr_cellsize = 1\r\n"
              "barcode_text00 = \"HELLO WORLD\"\r\n");

    // The recorded point is the view's centre on the A4 page; the size is
    // 0.25 mm in points.
    std::vector<standin::RecordedAction> set;
    std::string why;
    ASSERT_TRUE(standin::LoadActionSet(Path("a.json"), &set, &why)) << why;
    ASSERT_EQ(set.size(), 1u);
    EXPECT_EQ(set[0].values[0].second.real, static_cast<float>(595.28 / 2));
    EXPECT_EQ(set[0].values[1].second.real, static_cast<float>(841.89 / 2));
    EXPECT_EQ(set[0].values[5].second.real, static_cast<float>(0.25 / 0.35278));

    // The next run of the host: the dialog opens with the saved settings, and
    // "AI Go" alone draws them.
    r = Place({"--dump", "--verbose"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.err,
                         "    <Ｑ(25%)>\n    バージョン：\n    <2>\n    モード：\n    <英数>\n"
                         "    セルサイズ：\n    <0.25>\n"))
        << r.err;
    r = Place({"--no-dialog", "-o", Path("b.svg")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(Contains(r.err, "dialog \"Orvelk")) << r.err;
    EXPECT_EQ(FileBytes(Path("b.svg")), FileBytes(Path("a.svg")));
}

TEST_F(PlaceCommandTest, QuietOnSuccessAndTheDialogWithVerbose) {
    CommandResult r = Place({"--text", "QUIET", "-o", Path("q.svg")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "");
    r = Place({"--text", "QUIET", "-o", Path("q.svg"), "--verbose"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.err, "dialog \"Orvelk QRコード\"\n")) << r.err;
    EXPECT_TRUE(Contains(r.err, "closed with [OK]")) << r.err;
    // What needs the user is said without --verbose: the beep of a text that
    // does not fit, the error dialog, the error; not the settings dialog.
    r = Place({"--text", "MORE THAN SEVEN BYTES OF TEXT", "--level", "H", "--version", "1",
               "--dump"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "beep")) << r.err;
    EXPECT_TRUE(Contains(r.err, "dialog \"Plug-in Error\"")) << r.err;
    EXPECT_FALSE(Contains(r.err, "dialog \"Orvelk QRコード\"")) << r.err;
}

TEST_F(PlaceCommandTest, WhatTheModesFilterDropsIsSaidAndStrictRefusesIt) {
    // Kanji mode keeps 漢字と of 漢字とABC.
    CommandResult r =
        Place({"--text", "漢字とABC", "--mode", "K", "-o", Path("k.svg"), "--record", Path("k.json")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.err, "note: Kanji mode drops 3 of the text's 6 characters")) << r.err;
    EXPECT_TRUE(std::filesystem::exists(Path("k.svg")));
    // The typed escape \n counts as the one line break it stands for.
    r = Place({"--text", "12\\n34", "--mode", "N", "-o", Path("n.svg")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.err, "note: numeric mode drops 1 of the text's 5 characters")) << r.err;
    // Lower-case letters in alphanumeric mode are changed, not dropped.
    r = Place({"--text", "abc", "--mode", "A", "-o", Path("a.svg")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.err, "gives 3 lower-case letters in upper case")) << r.err;

    r = Place({"--text", "漢字とABC", "--mode", "K", "--strict", "-o", Path("s.svg"), "--record",
               Path("s.json")});
    EXPECT_EQ(r.status, 7) << r.err;
    EXPECT_TRUE(Contains(r.err, "(--strict): nothing was placed")) << r.err;
    EXPECT_FALSE(std::filesystem::exists(Path("s.svg")));
    EXPECT_FALSE(std::filesystem::exists(Path("s.json")));
    // The filter keeping nothing places nothing, yet the plug-in records the
    // placement like a success: the set holds it, and that is said.
    r = Place({"--text", "abc", "--mode", "N", "-o", Path("s.svg"), "--record", Path("z.json")});
    EXPECT_EQ(r.status, 7) << r.err;
    EXPECT_TRUE(Contains(r.err, "note: the plug-in recorded the placement all the same")) << r.err;
    std::vector<standin::RecordedAction> recorded;
    std::string why;
    ASSERT_TRUE(standin::LoadActionSet(Path("z.json"), &recorded, &why)) << why;
    EXPECT_EQ(recorded.size(), 1u);
    // A text the mode keeps whole passes --strict in silence.
    r = Place({"--text", "漢字", "--mode", "K", "--strict", "-o", Path("s.svg")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
}

TEST_F(PlaceCommandTest, APngWithTooFewPixelsAModuleIsSaidWithTheResolutionThatReads) {
    // Version 25 at 0.33 mm and the default 300 dpi: 3.9 pixels a module,
    // which zxing-cpp does not read.
    const std::string text(300, 'A');
    CommandResult r = Place({"--text", text, "--version", "25", "--cell", "0.33", "-o",
                             Path("small.png"), "-o", Path("small.svg")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.err, "note: '" + Path("small.png") +
                                    "' has 3.9 pixels a module at 300 dpi: too few for some "
                                    "readers to find the symbol (at least 5; --dpi 385 gives "
                                    "them)"))
        << r.err;
    EXPECT_FALSE(Contains(r.err, "small.svg")) << r.err;  // vector formats have no pixels
    // At the resolution named the symbol reads.
    r = Place({"--no-dialog", "--dpi", "385", "-o", Path("enough.png")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    GreyImage image;
    ASSERT_TRUE(ReadPng(Path("enough.png"), &image));
    EXPECT_EQ(DecodeSymbol(image), text);
}

TEST_F(PlaceCommandTest, TheInformationTextOfVersionOneAtLevelMInByteMode) {
    const CommandResult r = Place({"--text", "Orvelk", "--level", "M", "--version", "1", "--mode",
                                   "B", "--cell", "0.5", "--dump", "--verbose"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(
        Contains(r.err, "item 14: 最大文字数： 14文字\n             図形サイズ： 14.5×14.5mm\n"))
        << r.err;
}

TEST_F(PlaceCommandTest, CancelPlacesRecordsAndSavesNothingAndShowsNoError) {
    ASSERT_EQ(Place({"--text", "KEPT", "--dump"}).status, 0);
    const std::string saved = PreferencesBytes(app_);
    ASSERT_FALSE(saved.empty());

    const CommandResult r =
        Place({"--text", "CHANGED", "--level", "H", "--mask", "5", "--cancel", "-o", Path("c.svg"),
               "--record", Path("c.json"), "--show-dialog", Path("dialog.png"), "--verbose"});
    EXPECT_EQ(r.status, 6) << r.err;
    EXPECT_TRUE(Contains(r.err, "closed with [Cancel]")) << r.err;
    EXPECT_TRUE(Contains(r.err, "cancelled")) << r.err;
    EXPECT_FALSE(Contains(r.err, "beep"));
    EXPECT_FALSE(Contains(r.err, "Plug-in Error")) << r.err;
    EXPECT_EQ(PreferencesBytes(app_), saved);
    EXPECT_FALSE(std::filesystem::exists(Path("c.svg")));
    EXPECT_FALSE(std::filesystem::exists(Path("c.json")));
    GreyImage picture;
    ASSERT_TRUE(ReadPng(Path("dialog.png"), &picture));
    EXPECT_EQ(picture.width, 525 + 6);
    EXPECT_EQ(picture.height, 368 + 25);
}

TEST_F(PlaceCommandTest, ATextThatDoesNotFitBeepsAndWritesNothing) {
    const CommandResult r =
        Place({"--text", "MORE THAN SEVEN BYTES OF TEXT", "--level", "H", "--version", "1", "-o",
               Path("n.svg"), "--record", Path("n.json")});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_TRUE(Contains(r.err, "orvelk place: Orvelk.aip: beep\n")) << r.err;
    EXPECT_TRUE(Contains(r.err, "does not fit")) << r.err;
    EXPECT_FALSE(std::filesystem::exists(Path("n.svg")));
    EXPECT_FALSE(std::filesystem::exists(Path("n.json")));

    // Empty texts and the mode's filter keeping nothing are told apart.
    CommandResult empty = Place({"--text", "", "-o", Path("e.svg")});
    EXPECT_EQ(empty.status, 2) << empty.err;
    EXPECT_TRUE(Contains(empty.err, "no text")) << empty.err;
    EXPECT_FALSE(Contains(empty.err, "beep"));
    // A lead byte alone, which the plug-in's escape translation drops, is no
    // text either: the command asks the dialog, not the beep.
    empty = Place({"--input-encoding", "cp932", "--text", "\x82", "-o", Path("e.svg")});
    EXPECT_EQ(empty.status, 2) << empty.err;
    EXPECT_TRUE(Contains(empty.err, "no text")) << empty.err;
    // A file the run did not write is left as it was, and said to be so.
    std::ofstream(Path("e.svg"), std::ios::binary) << "the user's file";
    empty = Place({"--text", "ABC", "--mode", "N", "-o", Path("e.svg")});
    EXPECT_EQ(empty.status, 7) << empty.err;
    EXPECT_TRUE(Contains(empty.err, "nothing was placed")) << empty.err;
    EXPECT_TRUE(Contains(empty.err, "was not written")) << empty.err;
    EXPECT_EQ(std::filesystem::file_size(Path("e.svg")), 15u);
}

TEST_F(PlaceCommandTest, LongTextsAreTypedWholeAndEndlessInputsRefused) {
    // 8192 bytes reach the plug-in whole: its preferences hold all of them.
    const std::string file = Path("long.txt");
    std::ofstream(file, std::ios::binary) << std::string(8192, 'A');
    CommandResult r = Place({"--text-file", file, "--dump"});
    EXPECT_EQ(r.status, 1) << r.err;  // no version holds 8192 bytes
    std::string text;
    const std::string prefs = PreferencesBytes(app_);
    for (size_t at = prefs.find("= \""); at != std::string::npos; at = prefs.find("= \"", at + 1))
        text += prefs.substr(at + 3, prefs.find('"', at + 3) - at - 3);
    EXPECT_EQ(text, std::string(8192, 'A'));

    std::ofstream(file, std::ios::binary) << std::string(8193, 'A');
    r = Place({"--text-file", file, "--dump"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "at most 8192")) << r.err;
    r = Place({"--text-file", "/dev/zero", "--dump"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "at most 8192")) << r.err;
    r = Place({"--text-file", Path("none.txt"), "--dump"});
    EXPECT_EQ(r.status, 2);
}

TEST_F(PlaceCommandTest, UserStepsComeAfterTheOptionsAndMayEndTheDialog) {
    // The script changes the level after --level; its Cancel ends the dialog.
    CommandResult r =
        Place({"--text", "STEPS", "--level", "L", "--user", "select 5 3; press 2", "--dump",
               "--verbose"});
    EXPECT_EQ(r.status, 6) << r.err;
    EXPECT_TRUE(Contains(r.err, "closed with [Cancel]")) << r.err;
    r = Place({"--text", "STEPS", "--user", "select 5 9", "--dump"});
    EXPECT_EQ(r.status, 5) << r.err;
    EXPECT_TRUE(Contains(r.err, "could not be carried out")) << r.err;
    r = Place({"--text", "STEPS", "--user", "press 1; select 5 1", "-o", Path("s.svg")});
    EXPECT_EQ(r.status, 5) << r.err;
    EXPECT_FALSE(std::filesystem::exists(Path("s.svg")));
}

TEST_F(PlaceCommandTest, FilesThatCannotBeWrittenFailWithTheirNames) {
    const std::string nowhere = Path("no-such-folder/qr.svg");
    CommandResult r = Place({"--text", "WRITE", "-o", Path("ok.svg"), "-o", nowhere});
    EXPECT_EQ(r.status, 8) << r.err;
    EXPECT_TRUE(Contains(r.err, nowhere)) << r.err;
    EXPECT_TRUE(std::filesystem::exists(Path("ok.svg")));
    r = Place({"--text", "WRITE", "--show-preview", Path("no-such-folder/p.png")});
    EXPECT_EQ(r.status, 8) << r.err;
    // A picture that cannot be written stops the run after OK: the files
    // it was to write after the dialog are named, an old one as kept.
    std::ofstream(Path("old.svg")) << "old";
    r = Place({"--text", "WRITE", "-o", Path("old.svg"), "--record", Path("r.json"),
               "--show-dialog", Path("no-such-folder/d.png")});
    EXPECT_EQ(r.status, 8) << r.err;
    EXPECT_TRUE(Contains(r.err, "nothing was placed, as a picture could not be written")) << r.err;
    EXPECT_TRUE(
        Contains(r.err, Path("old.svg") + "' was not written: it holds what it held before"))
        << r.err;
    EXPECT_TRUE(Contains(r.err, "'" + Path("r.json") + "' was not written\n")) << r.err;
    EXPECT_EQ(FileBytes(Path("old.svg")), "old");
}

// A save the plug-in could not make is said, and ends the run with a status
// of its own once everything else was written; the file stays as it was.
TEST_F(PlaceCommandTest, ASettingsSaveThatFailsIsSaid) {
    std::filesystem::create_directories(PreferencesPath(app_) + "/kept");
    CommandResult r = Place({"--text", "SAVED?", "-o", Path("s.svg")});
    EXPECT_EQ(r.status, 9) << r.err;
    EXPECT_TRUE(Contains(r.err, "the settings were not saved to " + PreferencesPath(app_) +
                                    ": it is a folder"))
        << r.err;
    // The cause is named where it can be seen: a file marked read-only, a
    // preferences folder that is a file.
    const std::string prefsFolder =
        PreferencesPath(app_).substr(0, PreferencesPath(app_).rfind('/'));
    std::filesystem::remove_all(PreferencesPath(app_));
    std::ofstream(PreferencesPath(app_)) << "qr_ecclevel = 1\r\n";
    std::filesystem::permissions(PreferencesPath(app_), std::filesystem::perms::owner_read);
    r = Place({"--text", "SAVED?", "-o", Path("s.svg")});
    EXPECT_EQ(r.status, 9) << r.err;
    EXPECT_TRUE(Contains(r.err, "it is read-only; it is as it was")) << r.err;
    EXPECT_EQ(PreferencesBytes(app_), "qr_ecclevel = 1\r\n");
    std::filesystem::rename(prefsFolder, prefsFolder + ".moved");
    std::ofstream(prefsFolder) << "not a folder";
    r = Place({"--text", "SAVED?", "-o", Path("s.svg")});
    EXPECT_TRUE(Contains(r.err, prefsFolder + " is not a folder")) << r.err;
    std::filesystem::remove(prefsFolder);
    std::filesystem::rename(prefsFolder + ".moved", prefsFolder);
    std::filesystem::remove(PreferencesPath(app_));
    std::filesystem::create_directories(PreferencesPath(app_) + "/kept");
    EXPECT_TRUE(std::filesystem::exists(Path("s.svg")));
    EXPECT_TRUE(std::filesystem::is_directory(PreferencesPath(app_) + "/kept"));
    // A failure of its own comes first.
    r = Place({"--text", "SAVED?", "-o", Path("no-such-folder/s.svg")});
    EXPECT_EQ(r.status, 8) << r.err;
    // Cancel saves nothing, and --no-dialog shows no dialog: no failure.
    EXPECT_EQ(Place({"--text", "SAVED?", "--cancel", "--dump"}).status, 6);
    std::filesystem::remove_all(PreferencesPath(app_));
    r = Place({"--text", "SAVED", "-o", Path("s.svg")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(PreferencesBytes(app_), "SAVED"));
    // The same settings saved again are a save all the same.
    EXPECT_EQ(Place({"--text", "SAVED", "-o", Path("s.svg")}).status, 0);
}

// What the run writes keeps the permissions of the files it replaces, and
// goes into devices rather than replacing them; a full device is a failure.
TEST_F(PlaceCommandTest, FilesReplacedKeepTheirModeAndDevicesStayDevices) {
    std::ofstream(Path("private.svg")) << "old";
    std::ofstream(Path("private.json")) << "old";
    std::filesystem::permissions(Path("private.svg"), std::filesystem::perms::owner_read |
                                                          std::filesystem::perms::owner_write);
    std::filesystem::permissions(Path("private.json"), std::filesystem::perms::owner_read |
                                                           std::filesystem::perms::owner_write);
    CommandResult r = Place({"--text", "MODE", "-o", Path("private.svg"), "--record",
                             Path("private.json")});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* name : {"private.svg", "private.json"}) {
        EXPECT_EQ(std::filesystem::status(Path(name)).permissions(),
                  std::filesystem::perms::owner_read | std::filesystem::perms::owner_write)
            << name;
        EXPECT_NE(std::filesystem::file_size(Path(name)), 3u) << name;
    }
    // Devices through links of the test's own: a writer that replaced what
    // it was given would replace the link, never the system's device.
    std::filesystem::create_symlink("/dev/null", Path("null"));
    r = Place({"--text", "DEV", "--record", Path("null"), "--show-preview", Path("null")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(std::filesystem::is_symlink(Path("null")));
    if (std::filesystem::is_character_file("/dev/full")) {
        std::filesystem::create_symlink("/dev/full", Path("full"));
        r = Place({"--text", "DEV", "--record", Path("full")});
        EXPECT_EQ(r.status, 8) << r.err;
        EXPECT_TRUE(Contains(r.err, Path("full"))) << r.err;
        r = Place({"--text", "DEV", "--show-dialog", Path("full")});
        EXPECT_EQ(r.status, 8) << r.err;
        EXPECT_TRUE(std::filesystem::is_symlink(Path("full")));
    }
}

// The numbers of an SVG file, in order.
std::vector<double> SvgNumbers(const std::string& svg) {
    std::vector<double> numbers;
    for (size_t i = 0; i < svg.size();) {
        char* end = nullptr;
        const bool starts = std::isdigit(static_cast<unsigned char>(svg[i])) != 0 ||
                            (svg[i] == '-' && i + 1 < svg.size() &&
                             std::isdigit(static_cast<unsigned char>(svg[i + 1])) != 0);
        const double value = starts ? std::strtod(svg.c_str() + i, &end) : 0;
        if (starts && end != svg.c_str() + i) {
            numbers.push_back(value);
            i = static_cast<size_t>(end - svg.c_str());
        } else {
            ++i;
        }
    }
    return numbers;
}

TEST_F(PlaceCommandTest, ARecordedPlacementReplaysToTheSameArt) {
    // "AI Go" draws with the module size as a double, the action records it
    // as a 32-bit real: the replay's corners are those of the placement, or
    // a float step or two away (1e-4 pt); replays of one action are the
    // same bytes.
    for (const char* version : {"1", "40"}) {
        const std::string v = version;
        ASSERT_EQ(Place({"--text", "RECORDED " + v, "--version", v, "--cell", "0.33", "--record",
                         Path("set" + v + ".json"), "-o", Path("placed" + v + ".svg")})
                      .status,
                  0);
        for (const char* extension : {".svg", ".pdf", ".png"}) {
            for (const char* copy : {"a", "b"}) {
                CommandResult r =
                    RunOrvelkCommand({"replay", Path("set" + v + ".json"), "-o",
                                      Path(copy + v + extension), "--app-folder", app_});
                ASSERT_EQ(r.status, 0) << r.err;
            }
            EXPECT_EQ(FileBytes(Path("a" + v + extension)), FileBytes(Path("b" + v + extension)))
                << version << extension;
        }
        const std::vector<double> placed = SvgNumbers(FileBytes(Path("placed" + v + ".svg")));
        const std::vector<double> replayed = SvgNumbers(FileBytes(Path("a" + v + ".svg")));
        ASSERT_EQ(placed.size(), replayed.size()) << version;
        int differing = 0;
        for (size_t i = 0; i < placed.size(); ++i) {
            EXPECT_LE(std::fabs(placed[i] - replayed[i]), 1e-4) << version << " number " << i;
            differing += placed[i] != replayed[i] ? 1 : 0;
        }
        if (v == "1") {
            EXPECT_EQ(differing, 0);
        }
    }
    // The mask is the plug-in's and not recorded: the replay chooses its own.
    ASSERT_EQ(Place({"--text", "MASKED", "--version", "auto", "--mask", "6", "-o", Path("m.svg"),
                     "--record", Path("m.json")})
                  .status,
              0);
    ASSERT_EQ(
        RunOrvelkCommand({"replay", Path("m.json"), "-o", Path("m2.svg"), "--app-folder", app_})
            .status,
        0);
    EXPECT_EQ(SvgMatrix(Path("m.svg")), EngineMatrix("MASKED", 'M', 'B', 0, 7));
    EXPECT_EQ(SvgMatrix(Path("m2.svg")), EngineMatrix("MASKED", 'M', 'B', 0));
    EXPECT_NE(SvgMatrix(Path("m.svg")), SvgMatrix(Path("m2.svg")));
}

// A replayed action that places nothing fails the run, and a document that
// gets no art keeps its old file; the other documents are written.
TEST_F(PlaceCommandTest, AReplayedDocumentWithoutArtKeepsItsFile) {
    ASSERT_EQ(Place({"--text", "12", "--mode", "N", "-o", Path("r.svg"), "--record",
                     Path("r.json")})
                  .status,
              0);
    std::vector<standin::RecordedAction> actions;
    std::string why;
    ASSERT_TRUE(standin::LoadActionSet(Path("r.json"), &actions, &why)) << why;
    ASSERT_EQ(actions.size(), 1u);
    actions.push_back(actions[0]);
    actions[0].document = 1;
    actions[1].document = 2;
    for (auto& [key, value] : actions[1].values)
        if (key == kActionKeyText) value.string = "abc";  // numeric mode keeps nothing
    ASSERT_TRUE(standin::SaveActionSet(actions, Path("two.json"), &why)) << why;
    {
        std::ofstream keep(Path("two-2.svg"));
        keep << "keep";
    }
    const CommandResult r = RunOrvelkCommand(
        {"replay", Path("two.json"), "-o", Path("two-#.svg"), "--app-folder", app_});
    EXPECT_EQ(r.status, 5) << r.err;
    EXPECT_TRUE(Contains(r.err, "action 2: nothing was placed")) << r.err;
    EXPECT_EQ(FileBytes(Path("two-2.svg")), "keep");
    EXPECT_EQ(FileBytes(Path("two-1.svg")), FileBytes(Path("r.svg")));
}

// The preview's pixels: white 255, black 0, greys between.
struct PreviewPixels {
    GreyImage image;
    int At(int x, int y) const { return image.pixels[static_cast<size_t>(y * image.width + x)]; }
};

TEST_F(PlaceCommandTest, ThePreviewOfVersionOneIsUnscaledAndCentred) {
    ASSERT_EQ(
        Place({"--text", "PREVIEW", "--version", "1", "--show-preview", Path("p.png")}).status, 0);
    PreviewPixels p;
    ASSERT_TRUE(ReadPng(Path("p.png"), &p.image));
    ASSERT_EQ(p.image.width, 243);
    ASSERT_EQ(p.image.height, 231);
    EXPECT_EQ(p.At(0, 0), 0);  // the frame
    EXPECT_EQ(p.At(242, 230), 0);
    EXPECT_EQ(p.At(1, 1), 255);
    // n = 3 x (21 + 8) = 87 pixels, at ((243 - 87) / 2, (231 - 87) / 2).
    const std::string rows = EngineMatrix("PREVIEW", 'M', 'B', 1);
    const int x0 = 78, y0 = 72;
    for (int y = 1; y < 230; ++y) {
        for (int x = 1; x < 242; ++x) {
            const int mx = (x - x0) / 3 - 4, my = (y - y0) / 3 - 4;
            const bool inside = x >= x0 && y >= y0 && mx >= 0 && my >= 0 && mx < 21 && my < 21;
            const bool dark = inside && rows[static_cast<size_t>(my * 22 + mx)] == '1';
            ASSERT_EQ(p.At(x, y), dark ? 0 : 255) << x << "," << y;
        }
    }
}

TEST_F(PlaceCommandTest, ThePreviewOfVersionFortyIsShrunkWithGreyEdges) {
    ASSERT_EQ(
        Place({"--text", "PREVIEW", "--version", "40", "--show-preview", Path("p.png")}).status, 0);
    PreviewPixels p;
    ASSERT_TRUE(ReadPng(Path("p.png"), &p.image));
    ASSERT_EQ(p.image.width, 243);
    // 555 pixels shrunk to the inner 227 x 227, at ((243 - 227) / 2, (231 - 227) / 2).
    const int x0 = 8, y0 = 2, w = 227;
    int greys = 0, left = w, right = -1, top = w, bottom = -1;
    for (int y = 1; y < 230; ++y) {
        for (int x = 1; x < 242; ++x) {
            const int v = p.At(x, y);
            const bool inside = x >= x0 && x < x0 + w && y >= y0 && y < y0 + w;
            if (!inside) {
                ASSERT_EQ(v, 255) << x << "," << y;
                continue;
            }
            greys += v > 0 && v < 255 ? 1 : 0;
            if (v < 255) {
                left = std::min(left, x - x0), right = std::max(right, x - x0);
                top = std::min(top, y - y0), bottom = std::max(bottom, y - y0);
            }
        }
    }
    EXPECT_GT(greys, 1000);
    // The dark modules lie square in the middle, the quiet zone around them.
    EXPECT_NEAR(left, w - 1 - right, 1);
    EXPECT_NEAR(top, w - 1 - bottom, 1);
    EXPECT_NEAR(left, top, 1);
    EXPECT_NEAR(left, 4 * 3 * 227.0 / 555, 1);
}

struct ModeCase {
    const char* mode;
    const char* text;    // UTF-8, as typed
    const char* placed;  // UTF-8, as the plug-in holds it
};

class PlacedReadBack : public testing::TestWithParam<ModeCase> {};

TEST_P(PlacedReadBack, EveryExportDecodesToTheText) {
    const ModeCase& c = GetParam();
    const std::string app = FreshAppFolder(std::string("read_back_app_") + c.mode);
    if (app.empty()) GTEST_SKIP() << "the module or the table file is not built";
    const std::string folder = FreshTestFolder(std::string("place_read_back_") + c.mode);
    std::vector<std::string> args = {"place", "--text",       c.text, "--mode",
                                     c.mode,  "--app-folder", app};
    for (const char* extension : {"svg", "pdf", "eps", "png"})
        args.insert(args.end(), {"-o", folder + "/qr." + extension});
    const CommandResult r = RunOrvelkCommand(args);
    ASSERT_EQ(r.status, 0) << r.err;
    const Cp932Result expected = Utf8ToCp932(c.placed);
    ASSERT_EQ(expected.status, Cp932Status::kOk);
    for (const char* extension : {"svg", "pdf", "eps", "png"}) {
        GreyImage image;
        std::string why;
        const std::string path = folder + "/qr." + extension;
        ASSERT_TRUE(Rasterise(path, std::string(extension) == "eps" ? 600 : 300, &image, &why))
            << why;
        EXPECT_EQ(DecodeSymbol(image), expected.bytes) << path;
    }
    std::filesystem::remove_all(folder);
    std::filesystem::remove_all(app);
}

INSTANTIATE_TEST_SUITE_P(Modes, PlacedReadBack,
                         testing::Values(ModeCase{"N", "0123456789012", "0123456789012"},
                                         ModeCase{"A", "HELLO WORLD", "HELLO WORLD"},
                                         // The typed escapes become a line break and a tab.
                                         ModeCase{"B", "Orvelk\\nbytes\\tand \\q",
                                                  "Orvelk\nbytes\tand \\q"},
                                         ModeCase{"K", "ＱＲコード", "ＱＲコード"},
                                         ModeCase{"M", "ＱＲ code 表\\n", "ＱＲ code 表\n"}),
                         [](const auto& info) { return std::string(info.param.mode); });

// Without --app-folder the plug-in runs in the user's own folder: OK saves
// there, and the installed folder, the build's here, is only read.
TEST(PlaceInTheUsersFolder, OkSavesIntoTheUsersFolderAndTheInstallationIsOnlyRead) {
    namespace fs = std::filesystem;
    const std::string installed = ORVELK_TEST_APP_DIR;
    if (!fs::exists(installed + "/Plug-ins/Orvelk.aip")) GTEST_SKIP() << "the module is not built";
    const char* saved = std::getenv("XDG_DATA_HOME");
    const std::string savedValue = saved != nullptr ? saved : "";
    const std::string data = FreshTestFolder("place_user_data");
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    const std::string before = PreferencesBytes(installed);
    const bool hadPreferences = fs::exists(PreferencesPath(installed));

    const std::string out = data + "/users.svg";
    CommandResult r = RunOrvelkCommand({"place", "--text", "USERS OWN", "-o", out});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(PreferencesBytes(data + "/orvelk"), "\"USERS OWN\"")) << r.err;
    EXPECT_EQ(fs::exists(PreferencesPath(installed)), hadPreferences);
    EXPECT_EQ(PreferencesBytes(installed), before);
    // The next run opens with the user's settings.
    r = RunOrvelkCommand({"place", "--no-dialog", "--dump"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(SvgMatrix(out), EngineMatrix("USERS OWN", 'M', 'B', 0));

    if (saved != nullptr)
        setenv("XDG_DATA_HOME", savedValue.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
    fs::remove_all(data);
}

}  // namespace
