// `orvelk replay` and `orvelk batch` with the Orvelk module: usage, the
// worked example's dump, lines and actions that fail, output patterns, the
// symbols against `orvelk encode`, and a batch's actions replayed to the
// same files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "standin/actions/action_set.h"
#include "standin/cli/orvelk_action.h"
#include "tests/standin/export/read_back.h"
#include "tests/standin/placing/placed_symbol.h"
#include "tests/support/command_runner.h"
#include "tests/support/test_temp_dir.h"

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The dump's line of a closed path with the symbol's style around the
// rectangle (left, top, right, bottom), its corners from the top left on.
std::string RectangleLine(const char* place, int fill, float left, float top, float right,
                          float bottom) {
    std::string line = std::string(place) + " path closed fill " + std::to_string(fill) +
                       " gray 1 stroke 0 gray 1 width 0.100000001 miter 4 segments 4:";
    const float corners[4][2] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
    for (int i = 0; i < 4; ++i) {
        char point[64];
        std::snprintf(point, sizeof point, "%.9g %.9g", corners[i][0], corners[i][1]);
        line += std::string(i == 0 ? " " : "; ") + point + " " + point + " " + point + " corner";
    }
    return line;
}

class PlacingCommandsTest : public testing::Test {
  protected:
    void SetUp() override {
        const std::string module = std::string(ORVELK_TEST_APP_DIR) + "/Plug-ins/Orvelk.aip";
        if (!std::filesystem::exists(module)) GTEST_SKIP() << "the module is not built";
        folder_ = TestTempDir() + "placing_commands/";
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string Path(const std::string& name) const { return folder_ + name; }

    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
        return Path(name);
    }

    std::string SaveSet(const std::string& name, const std::vector<standin::RecordedAction>& set) {
        std::string error;
        EXPECT_TRUE(standin::SaveActionSet(set, Path(name), &error)) << error;
        return Path(name);
    }

    std::string folder_;
};

TEST_F(PlacingCommandsTest, UsageAndItsMistakes) {
    for (const char* command : {"replay", "batch"}) {
        CommandResult r = RunOrvelkCommand({command, "--help"});
        EXPECT_EQ(r.status, 0);
        EXPECT_TRUE(Contains(r.out, std::string("Usage: orvelk ") + command)) << r.out;
        EXPECT_TRUE(Contains(r.out, "--app-folder DIR")) << r.out;
        EXPECT_TRUE(Contains(r.out, "Exit status:")) << r.out;
        r = RunOrvelkCommand({command});
        EXPECT_EQ(r.status, 2);
        r = RunOrvelkCommand({command, Path("x"), "--no-such-option"});
        EXPECT_EQ(r.status, 2);
        r = RunOrvelkCommand({command, Path("x")});
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(Contains(r.err, "nothing to write: give -o FILE or --dump")) << r.err;
        r = RunOrvelkCommand({command, Path("x"), "-o", Path("a-#.tiff")});
        EXPECT_TRUE(Contains(r.err, "names no format")) << r.err;
        r = RunOrvelkCommand({command, Path("x"), "-o", Path("a-#-#.svg")});
        EXPECT_TRUE(Contains(r.err, "more than one run of '#'")) << r.err;
        r = RunOrvelkCommand({command, Path("x"), "--dump", "--dpi", "0"});
        EXPECT_TRUE(Contains(r.err, "--dpi takes a number from 1 to 9600")) << r.err;
        EXPECT_EQ(r.status, 2);
    }
    const std::string texts = Write("texts.txt", "A\n");
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"-o", Path("plain.svg")},
                                               {"--dump", "--level", "X"},
                                               {"--dump", "--mode", "Z"},
                                               {"--dump", "--version", "41"},
                                               {"--dump", "--cell", "0"},
                                               {"--dump", "--at", "1;2"},
                                               {"--dump", "--input-encoding", "latin1"}}) {
        std::vector<std::string> line = {"batch", texts};
        line.insert(line.end(), args.begin(), args.end());
        const CommandResult r = RunOrvelkCommand(line);
        EXPECT_EQ(r.status, 2) << args[1];
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_TRUE(Contains(RunOrvelkCommand({"batch", texts, "-o", Path("plain.svg")}).err,
                         "holds no run of '#' for the line number"));
    EXPECT_TRUE(
        Contains(RunOrvelkCommand({"batch", Path("none.txt"), "--dump"}).err, "cannot read"));
    EXPECT_TRUE(
        Contains(RunOrvelkCommand({"replay", Path("none.json"), "--dump"}).err, "none.json"));
    const CommandResult help = RunOrvelkCommand({"--help"});
    EXPECT_TRUE(Contains(help.out, "  replay ") && Contains(help.out, "  batch ")) << help.out;
}

TEST_F(PlacingCommandsTest, TheWorkedExampleAsTheReplayDumpsIt) {
    const OrvelkPlacement placement{300,          400, 1, 1, 1, static_cast<float>(0.50 / 0.35278),
                                    "HELLO WORLD"};
    const std::string set = SaveSet("example.json", {OrvelkAction(placement, 0)});
    const CommandResult r = RunOrvelkCommand({"replay", set, "--dump"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string matrix = EngineMatrix("HELLO WORLD", 'M', 'A', 1);
    const size_t dark = static_cast<size_t>(std::count(matrix.begin(), matrix.end(), '1'));
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 3 + dark);
    EXPECT_EQ(lines[0], "document \"Untitled-1\" page 595.28 841.89 view 297.640015 420.945007");
    EXPECT_EQ(lines[1], "1 group " + std::to_string(1 + dark) + " objects");
    // The quiet-zone rectangle and the top-left module, corner by corner.
    EXPECT_EQ(lines[2], RectangleLine("1.1", 0, 279.44894f, 420.55106f, 320.55106f, 379.44894f));
    EXPECT_EQ(lines[3], RectangleLine("1.2", 1, 285.11819f, 414.88181f, 286.53552f, 413.46448f));
    EXPECT_EQ(lines.back().rfind("1." + std::to_string(1 + dark) + " path closed fill 1", 0), 0u);
}

TEST_F(PlacingCommandsTest, ABatchNamesTheLinesThatFailAndWritesTheOthers) {
    // CR LF endings; a last line without one.
    const std::string texts = Write("texts.txt",
                                    "ONE\r\n"
                                    "\r\n"
                                    "THIS LINE IS FAR TOO LONG FOR VERSION 1 AT LEVEL H\r\n"
                                    "\xF0\x9F\x98\x80\r\n"
                                    "\xFF\xFE\r\n"
                                    "SIX");
    const CommandResult r = RunOrvelkCommand(
        {"batch", texts, "--level", "H", "--version", "1", "-o", Path("label-##.svg")});
    EXPECT_EQ(r.status, 5);
    EXPECT_EQ(r.err,
              "orvelk batch: line 2: the line is empty\n"
              "orvelk batch: line 3: the text does not fit version 1 at level H, which holds 7 "
              "bytes in 8-bit byte mode (the plug-in's text field holds 8192 bytes)\n"
              "orvelk batch: line 4: the character '\xF0\x9F\x98\x80' (U+1F600) at byte 59 has "
              "no code page 932 form, which the plug-in's texts are in; --bytes encodes the "
              "text's UTF-8 bytes as they are, in 8-bit byte mode (most readers show them as "
              "UTF-8)\n"
              "orvelk batch: line 5: the text is not valid UTF-8 (byte 0xFF at byte 65)\n");
    std::vector<std::string> written;
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
        written.push_back(entry.path().filename().string());
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (std::vector<std::string>{"label-01.svg", "label-06.svg", "texts.txt"}));
    EXPECT_EQ(MatrixOfSvg(FileBytes(Path("label-06.svg"))), EngineMatrix("SIX", 'H', 'B', 1));

    // What the mode's filter empties, and what no symbol holds at all.
    const CommandResult numeric =
        RunOrvelkCommand({"batch", Write("letters.txt", "abc\n12\n"), "--mode", "N", "--dump"});
    EXPECT_EQ(numeric.status, 5);
    EXPECT_EQ(numeric.err,
              "orvelk batch: line 1: nothing is left to encode after the numeric mode's "
              "filter\n");
    EXPECT_TRUE(Contains(numeric.out, "document \"Untitled-2\"")) << numeric.out;
    EXPECT_FALSE(Contains(numeric.out, "document \"Untitled-1\"")) << numeric.out;
    const CommandResult huge =
        RunOrvelkCommand({"batch", Write("huge.txt", std::string(8193, 'x')), "--dump"});
    EXPECT_TRUE(Contains(huge.err,
                         "line 1: the text is 8193 bytes long in code page 932; at most "
                         "8192 fit"))
        << huge.err;
}

TEST_F(PlacingCommandsTest, BatchSymbolsAreTheEnginesAtTheGivenPointAndSize) {
    struct Case {
        const char* text;  // UTF-8
        const char *level, *mode, *version;
        std::string cp932;
    };
    const std::vector<Case> cases = {
        {"0123456789", "L", "N", "0", "0123456789"},
        {"HELLO WORLD", "Q", "A", "3", "HELLO WORLD"},
        {"https://example.org/item/000123?lot=K7QX2M9A", "M", "B", "0",
         "https://example.org/item/000123?lot=K7QX2M9A"},
        {"ＱＲコード", "H", "K", "2", "\x82\x70\x82\x71\x83\x52\x81\x5B\x83\x68"},
        {"ＱＲ code", "M", "M", "0", "\x82\x70\x82\x71 code"},
    };
    for (const Case& c : cases) {
        const std::string texts = Write("one.txt", std::string(c.text) + "\n");
        const CommandResult r =
            RunOrvelkCommand({"batch", texts, "--level", c.level, "--mode", c.mode, "--version",
                              c.version, "-o", Path("s-#.svg")});
        ASSERT_EQ(r.status, 0) << r.err;
        const CommandResult encoded =
            RunOrvelkCommand({"encode", "--text", c.text, "--level", c.level, "--mode", c.mode,
                              "--version", c.version, "--format", "text"});
        ASSERT_EQ(encoded.status, 0) << encoded.err;
        EXPECT_EQ(MatrixOfSvg(FileBytes(Path("s-1.svg"))), encoded.out) << c.text;
    }
    // The same text given as code page 932 bytes gives the same file.
    for (const auto& [name, bytes, encoding] :
         {std::tuple{"utf8", std::string("ＱＲコード\n"), "utf-8"},
          std::tuple{"cp932", cases[3].cp932 + "\n", "cp932"}}) {
        const CommandResult r =
            RunOrvelkCommand({"batch", Write(std::string(name) + ".txt", bytes), "--input-encoding",
                              encoding, "--mode", "K", "-o", Path(std::string(name) + "-#.svg")});
        ASSERT_EQ(r.status, 0) << r.err;
    }
    EXPECT_EQ(FileBytes(Path("utf8-1.svg")), FileBytes(Path("cp932-1.svg")));

    // --at and --cell: the quiet zone of 37 modules of 1 mm (as a float, the
    // action's size) around (100, 200).
    const CommandResult at = RunOrvelkCommand({"batch", Write("at.txt", "AT\n"), "--version", "3",
                                               "--at", "100,200", "--cell", "1", "--dump"});
    ASSERT_EQ(at.status, 0) << at.err;
    const double w = 37 * static_cast<double>(static_cast<float>(1 / 0.35278));
    char expected[128];
    std::snprintf(expected, sizeof expected, "segments 4: %.9g %.9g ",
                  static_cast<float>(100 - w / 2), static_cast<float>(200 + w / 2));
    EXPECT_TRUE(Contains(at.out, expected)) << at.out.substr(0, 300);
}

TEST_F(PlacingCommandsTest, ABatchsSavedActionsReplayToTheSameFiles) {
    const std::string texts = Write("texts.txt", "FIRST\nSECOND LINE\n\nFOURTH ＱＲ\n");
    const std::string set = Path("set.json");
    for (const char* extension : {"svg", "pdf", "eps", "png"}) {
        const std::string batch = Path(std::string("b-###.") + extension);
        const CommandResult r =
            RunOrvelkCommand({"batch", texts, "--mode", "M", "-o", batch, "--save-actions", set});
        ASSERT_EQ(r.status, 5) << r.err;  // the empty third line
        const CommandResult replay =
            RunOrvelkCommand({"replay", set, "-o", Path(std::string("r-#.") + extension)});
        ASSERT_EQ(replay.status, 0) << replay.err;
        for (const char* line : {"1", "2", "4"}) {
            const std::string a = FileBytes(Path(std::string("b-00") + line + "." + extension));
            ASSERT_FALSE(a.empty()) << line << extension;
            EXPECT_EQ(a, FileBytes(Path(std::string("r-") + line + "." + extension)))
                << line << "." << extension;
        }
        EXPECT_FALSE(std::filesystem::exists(Path(std::string("r-3.") + extension)));
    }
    // The set names each action's line; a single file cannot take them all.
    std::vector<standin::RecordedAction> actions;
    std::string error;
    ASSERT_TRUE(standin::LoadActionSet(set, &actions, &error)) << error;
    ASSERT_EQ(actions.size(), 3u);
    EXPECT_EQ(actions[2].document, 4);
    EXPECT_EQ(actions[2].dialogStatus, kDialogOff);
    const CommandResult one = RunOrvelkCommand({"replay", set, "-o", Path("all.svg")});
    EXPECT_EQ(one.status, 2);
    EXPECT_TRUE(Contains(one.err, "places its actions into 3 documents")) << one.err;
}

// PNGs of placed documents say their resolution, as encode's do: a pHYs
// chunk in pixels per metre, whichever command wrote them.
TEST_F(PlacingCommandsTest, PlacedPngsCarryTheirResolution) {
    auto perMetre = [](const std::string& png) -> long {
        const size_t at = png.find("pHYs");
        if (at == std::string::npos || at + 13 > png.size() || png[at + 12] != 1) return -1;
        long v = 0;
        for (int i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(png[at + 4 + i]);
        return v;
    };
    const std::string texts = Write("dpi.txt", "RESOLUTION\n");
    const std::string set = Path("dpi.json");
    const CommandResult batch = RunOrvelkCommand(
        {"batch", texts, "--dpi", "600", "-o", Path("d-#.png"), "--save-actions", set});
    ASSERT_EQ(batch.status, 0) << batch.err;
    EXPECT_EQ(perMetre(FileBytes(Path("d-1.png"))), 23622);
    const CommandResult replay =
        RunOrvelkCommand({"replay", set, "--dpi", "150", "-o", Path("e-#.png")});
    ASSERT_EQ(replay.status, 0) << replay.err;
    EXPECT_EQ(perMetre(FileBytes(Path("e-1.png"))), 5906);
}

TEST_F(PlacingCommandsTest, FilesThatCannotBeWrittenAreNamedAndLeftOutOfTheSavedActions) {
    // Files are written while the next lines are placed; a folder in the way
    // of line 2's file fails that line alone, whenever the failure is seen.
    const std::string texts = Write("texts.txt", "ONE\nTWO\nTHREE\n");
    std::filesystem::create_directories(Path("w-2.svg"));
    const std::string set = Path("written.json");
    const CommandResult r =
        RunOrvelkCommand({"batch", texts, "-o", Path("w-#.svg"), "--save-actions", set});
    EXPECT_EQ(r.status, 5);
    EXPECT_TRUE(Contains(r.err, "orvelk batch: line 2: cannot write " + Path("w-2.svg")))
        << r.err;
    EXPECT_EQ(Lines(r.err).size(), 1u) << r.err;
    EXPECT_EQ(MatrixOfSvg(FileBytes(Path("w-3.svg"))), EngineMatrix("THREE", 'M', 'B', 0));
    std::vector<standin::RecordedAction> actions;
    std::string error;
    ASSERT_TRUE(standin::LoadActionSet(set, &actions, &error)) << error;
    ASSERT_EQ(actions.size(), 2u);
    EXPECT_EQ(actions[0].document, 1);
    EXPECT_EQ(actions[1].document, 3);
}

TEST_F(PlacingCommandsTest, ActionsThatFailAreNamedAndTheRestIsWritten) {
    standin::RecordedAction other = OrvelkAction({1, 2, 1, 0, 2, 1, "X"}, 0);
    other.eventName = "Another_Event";
    standin::RecordedAction bad = OrvelkAction({1, 2, 7, 0, 2, 1, "X"}, 0);
    const std::string set =
        SaveSet("mixed.json", {OrvelkAction({300, 400, 1, 0, 2, 1.4f, "KEPT"}, 0), other, bad});
    const CommandResult r = RunOrvelkCommand({"replay", set, "-o", Path("mixed.svg")});
    EXPECT_EQ(r.status, 5);
    EXPECT_EQ(r.err,
              "orvelk replay: action 2: no started plug-in registered the action's event (error "
              "'NEvt')\n"
              "orvelk replay: action 3: the action holds a value that is missing, of another type "
              "or out of range (error '!Prm')\n");
    EXPECT_EQ(MatrixOfSvg(FileBytes(Path("mixed.svg"))), EngineMatrix("KEPT", 'M', 'B', 0));

    // A set that is not one is refused whole.
    const CommandResult damaged =
        RunOrvelkCommand({"replay", Write("damaged.json", "{\"format\": 1"), "--dump"});
    EXPECT_EQ(damaged.status, 2);
    EXPECT_TRUE(Contains(damaged.err, "damaged.json")) << damaged.err;
}

TEST_F(PlacingCommandsTest, WithoutItsTableFileABatchStops) {
    const std::string app = Path("app");
    std::filesystem::create_directories(app + "/Plug-ins");
    std::filesystem::copy_file(std::string(ORVELK_TEST_APP_DIR) + "/Plug-ins/Orvelk.aip",
                               app + "/Plug-ins/Orvelk.aip");
    const CommandResult r = RunOrvelkCommand(
        {"batch", Write("t.txt", "A\nB\n"), "--app-folder", app, "-o", Path("t-#.svg")});
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(Contains(r.err, "line 1: the symbol table file is missing: ")) << r.err;
    EXPECT_FALSE(Contains(r.err, "line 2")) << r.err;
    // And without a plug-in none is placed at all.
    std::filesystem::remove(app + "/Plug-ins/Orvelk.aip");
    const CommandResult none =
        RunOrvelkCommand({"batch", Path("t.txt"), "--app-folder", app, "--dump"});
    EXPECT_EQ(none.status, 4);
    EXPECT_TRUE(Contains(none.err, "no plug-in was loaded")) << none.err;
}

}  // namespace
