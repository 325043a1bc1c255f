// Action sets: save and load round trips, and files that are damaged,
// foreign or not JSON at all.
#include "standin/actions/action_set.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>

namespace {

using standin::ActionSetFromJson;
using standin::ActionSetToJson;
using standin::ActionValue;
using standin::RecordedAction;

ActionValue Integer(int32_t v) {
    return {kActionIntegerType, v, 0, {}};
}
ActionValue Real(float v) {
    return {kActionRealType, 0, v, {}};
}
ActionValue String(std::string v) {
    return {kActionStringType, 0, 0, std::move(v)};
}

// An action as the plug-in records one.
RecordedAction Placement(std::string text) {
    return {"Orvelk_QRCode",
            kDialogOff,
            {{MakeFourCharCode("plcx"), Real(297.640015f)},
             {MakeFourCharCode("plcy"), Real(420.945007f)},
             {MakeFourCharCode("eclv"), Integer(1)},
             {MakeFourCharCode("vers"), Integer(0)},
             {MakeFourCharCode("enmd"), Integer(4)},
             {MakeFourCharCode("size"), Real(static_cast<float>(0.50 / 0.35278))},
             {MakeFourCharCode("data"), String(std::move(text))}}};
}

void ExpectSame(const std::vector<RecordedAction>& a, const std::vector<RecordedAction>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].eventName, b[i].eventName);
        EXPECT_EQ(a[i].dialogStatus, b[i].dialogStatus);
        ASSERT_EQ(a[i].values.size(), b[i].values.size());
        for (size_t k = 0; k < a[i].values.size(); ++k) {
            const auto& [keyA, va] = a[i].values[k];
            const auto& [keyB, vb] = b[i].values[k];
            EXPECT_EQ(keyA, keyB) << k;
            EXPECT_EQ(va.type, vb.type) << k;
            EXPECT_EQ(va.integer, vb.integer) << k;
            EXPECT_EQ(std::memcmp(&va.real, &vb.real, sizeof va.real), 0) << k;  // bit for bit
            EXPECT_EQ(va.string, vb.string) << k;
        }
    }
}

std::vector<RecordedAction> RoundTrip(const std::vector<RecordedAction>& actions,
                                      std::string* json = nullptr) {
    std::string text, error;
    EXPECT_TRUE(ActionSetToJson(actions, &text, &error)) << error;
    std::vector<RecordedAction> back;
    EXPECT_TRUE(ActionSetFromJson(text, "set.json", &back, &error)) << error << "\n" << text;
    if (json != nullptr) *json = text;
    return back;
}

// The message for loading `json`; empty when it loads.
std::string LoadError(const std::string& json) {
    std::vector<RecordedAction> actions;
    std::string error;
    if (ActionSetFromJson(json, "set.json", &actions, &error)) return "";
    EXPECT_TRUE(actions.empty());
    return error;
}

TEST(ActionSetTest, ARecordedPlacementComesBackExactlyAndReadably) {
    const std::vector<RecordedAction> actions = {Placement("\x82\x70\x82\x71"),  // ＱＲ
                                                 Placement("plain")};
    std::string json;
    ExpectSame(RoundTrip(actions, &json), actions);
    EXPECT_EQ(json.rfind("{\n  \"format\": \"orvelk-action-set\",\n  \"version\": 1,\n", 0), 0u)
        << json;
    EXPECT_NE(json.find("\"key\": \"plcx\",\n          \"type\": \"real\",\n"
                        "          \"value\": 297.64\n"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"value\": 1.4173139\n"), std::string::npos);
    EXPECT_NE(json.find("\"value\": \"ＱＲ\""), std::string::npos);
    EXPECT_NE(json.find("\"dialog\": 3"), std::string::npos);
}

TEST(ActionSetTest, EveryValueKeepsItsBytesAndBits) {
    // Bytes with no UTF-8 form, a byte that converts but comes back as
    // another, a lone lead byte; the full text the dialog allows.
    std::string longText;
    for (int i = 0; i < 8192; ++i) longText += static_cast<char>(1 + (i * 37) % 255);
    RecordedAction odd{
        "\x83\x41\x83\x4E\x83\x56\x83\x87\x83\x93",  // アクション
        kDialogNone,
        {{MakeFourCharCode("data"), String("\xFF\x80\xA0")},
         {MakeFourCharCode("nec "), String("\xED\x40")},  // an NEC-selected duplicate
         {MakeFourCharCode("lead"), String("ab\x82")},
         {MakeFourCharCode("long"), String(longText)},
         {MakeFourCharCode("empt"), String("")},
         {0x00017F20, Integer(-1)},  // not printable
         {MakeFourCharCode("min "), Integer(std::numeric_limits<int32_t>::min())},
         {MakeFourCharCode("max "), Integer(std::numeric_limits<int32_t>::max())},
         {MakeFourCharCode("tiny"), Real(std::numeric_limits<float>::denorm_min())},
         {MakeFourCharCode("huge"), Real(std::numeric_limits<float>::max())},
         {MakeFourCharCode("-0  "), Real(-0.0f)},
         {MakeFourCharCode("nan "), Real(std::numeric_limits<float>::quiet_NaN())},
         {MakeFourCharCode("inf "), Real(-std::numeric_limits<float>::infinity())}}};
    // Every float of a wide sample, bit for bit.
    for (uint32_t bits = 0x00000001; bits < 0x7F800000; bits += 0x00C0FFEE) {
        float f = 0;
        std::memcpy(&f, &bits, sizeof f);
        odd.values.push_back({0x40000000 + bits, Real(f)});
    }
    std::string json;
    ExpectSame(RoundTrip({odd}, &json), {odd});
    EXPECT_NE(json.find("\"cp932-hex\": \"ff80a0\""), std::string::npos);
    EXPECT_NE(json.find("\"cp932-hex\": \"ed40\""), std::string::npos);
    EXPECT_NE(json.find("\"key\": 98080"), std::string::npos);
    EXPECT_NE(json.find("\"float-bits\": \"7fc00000\""), std::string::npos);
    EXPECT_NE(json.find("\"event\": \"アクション\""), std::string::npos);
}

TEST(ActionSetTest, WhatAnActionSetCannotHoldIsNotSaved) {
    std::string json, error;
    RecordedAction bad = Placement("x");
    bad.values[6].second.string = std::string("a\0b", 3);
    EXPECT_FALSE(ActionSetToJson({bad}, &json, &error));
    EXPECT_EQ(error, "action 1: a string holds a NUL byte");
    bad = Placement(std::string(standin::kMaxActionStringBytes + 1, 'a'));
    EXPECT_FALSE(ActionSetToJson({Placement("ok"), bad}, &json, &error));
    EXPECT_EQ(error.rfind("action 2: a string is longer than", 0), 0u) << error;
    bad = Placement("x");
    bad.dialogStatus = 4;
    EXPECT_FALSE(ActionSetToJson({bad}, &json, &error));
    bad = Placement("x");
    bad.values[0].second.type = MakeFourCharCode("bool");
    EXPECT_FALSE(ActionSetToJson({bad}, &json, &error));
}

TEST(ActionSetTest, DamagedFilesNameThePlace) {
    std::string good;
    std::string error;
    ASSERT_TRUE(ActionSetToJson({Placement("TEXT")}, &good, &error));
    // Not JSON, or not all of it: line and column.
    EXPECT_EQ(LoadError(""),
              "set.json:1:1: syntax error while parsing value - unexpected end of "
              "input; expected '[', '{', or a literal");
    EXPECT_EQ(LoadError("{\n  \"format\": x").rfind("set.json:2:13: syntax error", 0), 0u)
        << LoadError("{\n  \"format\": x");
    for (size_t cut : {good.size() / 3, good.size() / 2, good.size() - 3}) {
        const std::string message = LoadError(good.substr(0, cut));
        EXPECT_EQ(message.rfind("set.json:", 0), 0u) << message;
        EXPECT_NE(message.find("syntax error"), std::string::npos) << message;
    }
    EXPECT_NE(LoadError("\x89PNG\r\n\x1A\n").find("set.json:1:1: syntax error"), std::string::npos);
    EXPECT_NE(LoadError("{\"format\": \"\xFF\"}").find("ill-formed UTF-8"), std::string::npos);
    EXPECT_EQ(LoadError(std::string(100, '[') + std::string(100, ']')),
              "set.json: at /0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0: "
              "nested more than 32 levels deep");

    // Foreign JSON, or ours with wrong parts: the JSON pointer.
    EXPECT_EQ(LoadError("[1, 2]"), "set.json: at the top: expected an object, found an array");
    EXPECT_EQ(LoadError("{\"name\": \"package\", \"version\": \"1.0\"}"),
              "set.json: at /name: unknown member \"name\"");
    EXPECT_EQ(LoadError("{\"format\": \"x\", \"version\": 1, \"actions\": []}"),
              "set.json: at /format: not an action set (expected \"orvelk-action-set\")");
    EXPECT_EQ(LoadError("{\"format\": \"orvelk-action-set\", \"version\": 2, \"actions\": []}"),
              "set.json: at /version: version 2 is not known (this Orvelk reads 1)");
    EXPECT_EQ(LoadError("{\"format\": \"orvelk-action-set\", \"version\": 1}"),
              "set.json: at the top: member \"actions\" is missing");
    EXPECT_EQ(LoadError("{\"format\": \"orvelk-action-set\", \"version\": 1, \"actions\": [], "
                        "\"actions\": []}"),
              "set.json: at /actions: member \"actions\" appears twice");

    // Our own file with one part edited: from, to, message.
    const struct {
        const char* from;
        const char* to;
        const char* message;
    } kEdits[] = {
        {"\"dialog\": 3", "\"dialog\": 7",
         "set.json: at /actions/0/dialog: the integer 7 is not 0 to 3"},
        {"\"dialog\": 3", "\"dialog\": \"3\"",
         "set.json: at /actions/0/dialog: expected an integer, found a string"},
        {"\"value\": 1\n", "\"value\": 1.5\n",
         "set.json: at /actions/0/parameters/2/value: expected an integer, found a number"},
        {"\"value\": 1\n", "\"value\": 4294967296\n",
         "set.json: at /actions/0/parameters/2/value: the integer 4294967296 is not "
         "-2147483648 to 2147483647"},
        {"\"value\": 297.64", "\"value\": 3.4028236e38",
         "set.json: at /actions/0/parameters/0/value: the number 3.4028236e+38 is out of range for "
         "a 32-bit real"},
        {"\"key\": \"plcy\"", "\"key\": \"plcx\"",
         "set.json: at /actions/0/parameters/1/key: the key appears twice in this action"},
        {"\"key\": \"plcy\"", "\"key\": \"plc\"",
         "set.json: at /actions/0/parameters/1/key: a key is four printable ASCII "
         "characters (or the code as a number)"},
        {"\"type\": \"strn\"", "\"type\": \"bool\"",
         "set.json: at /actions/0/parameters/6/type: the type must be \"long\", \"real\" or "
         "\"strn\", not \"bool\""},
        {"\"value\": \"TEXT\"", "\"value\": {\"cp932-hex\": \"41004\"}",
         "set.json: at /actions/0/parameters/6/value/cp932-hex: an odd number of "
         "hexadecimal digits"},
        {"\"value\": \"TEXT\"", "\"value\": {\"cp932-hex\": \"4100\"}",
         "set.json: at /actions/0/parameters/6/value: holds a NUL byte"},
        {"\"value\": \"TEXT\"", "\"value\": \"\xF0\x9F\x98\x80\"",
         "set.json: at /actions/0/parameters/6/value: the character at byte 0 has no code "
         "page 932 form"},
        {"\"value\": \"TEXT\"", "\"value\": {\"float-bits\": \"0\"}",
         "set.json: at /actions/0/parameters/6/value/float-bits: unknown member "
         "\"float-bits\""},
        {"\"event\": \"Orvelk_QRCode\"", "\"event\": null",
         "set.json: at /actions/0/event: expected a string or {\"cp932-hex\": ...}, found "
         "null"},
        {"\"dialog\": 3", "\"dialog\": 3, \"document\": 0",
         "set.json: at /actions/0/document: the integer 0 is not 1 to 2147483647"},
        {"\"parameters\": [", "\"parameters\": [ 5,",
         "set.json: at /actions/0/parameters/0: expected an object, found an integer"},
    };
    for (const auto& edit : kEdits) {
        std::string json = good;
        const size_t at = json.find(edit.from);
        ASSERT_NE(at, std::string::npos) << edit.from;
        EXPECT_EQ(LoadError(json.replace(at, std::strlen(edit.from), edit.to)), edit.message);
    }
}

TEST(ActionSetTest, EveryByteDamagedGivesAnActionSetOrAMessage) {
    RecordedAction action = Placement("\x82\x70");
    action.values.push_back({MakeFourCharCode("odd "), String("\xFF")});
    action.values.push_back({MakeFourCharCode("nan "), Real(std::nanf(""))});
    std::string good, error;
    ASSERT_TRUE(ActionSetToJson({action}, &good, &error));
    std::vector<RecordedAction> actions;
    for (size_t i = 0; i < good.size(); ++i) {
        for (char byte : {'\0', '"', '{', ']', '-', '9', 'e', '\\', '\xFF', '\x80'}) {
            std::string damaged = good;
            damaged[i] = byte;
            if (!ActionSetFromJson(damaged, "set.json", &actions, &error)) {
                ASSERT_EQ(error.rfind("set.json:", 0), 0u) << error;
            }
        }
        // Cut anywhere before its last brace.
        if (i + 1 < good.size()) {
            EXPECT_FALSE(ActionSetFromJson(good.substr(0, i), "set.json", &actions, &error)) << i;
        }
    }
}

TEST(ActionSetTest, FilesAreReplacedWholeAndReadErrorsNameTheFile) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("orvelk_action_set_test_" + std::to_string(getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "actions.json").string();
    std::string error;
    const std::vector<RecordedAction> actions = {Placement("SAVED")};
    ASSERT_TRUE(standin::SaveActionSet(actions, path, &error)) << error;
    std::vector<RecordedAction> back;
    ASSERT_TRUE(standin::LoadActionSet(path, &back, &error)) << error;
    ExpectSame(back, actions);

    // A set that cannot be saved leaves the saved one as it was.
    RecordedAction bad = Placement("x");
    bad.dialogStatus = -1;
    EXPECT_FALSE(standin::SaveActionSet({bad}, path, &error));
    EXPECT_EQ(error.rfind("cannot save " + path + ": action 1: dialog status -1", 0), 0u) << error;
    ASSERT_TRUE(standin::LoadActionSet(path, &back, &error)) << error;
    ExpectSame(back, actions);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              1);

    EXPECT_FALSE(standin::LoadActionSet((folder / "none.json").string(), &back, &error));
    EXPECT_EQ(error,
              "cannot read " + (folder / "none.json").string() + ": No such file or directory");
    EXPECT_FALSE(standin::LoadActionSet(folder.string(), &back, &error));
    EXPECT_EQ(error, "cannot read " + folder.string() + ": Is a directory");
    std::ofstream(path) << "{\"format\": \"orvelk-action-set\",\n \"version\": 1, \"actions\": [}";
    EXPECT_FALSE(standin::LoadActionSet(path, &back, &error));
    EXPECT_EQ(error.rfind(path + ":2:28: syntax error", 0), 0u) << error;
    std::filesystem::remove_all(folder);
}

}  // namespace
