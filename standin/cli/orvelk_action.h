// The Orvelk plug-in's action event as its host sees it: the event's name,
// its seven parameter keys, the dialog status the filter records with, and
// the plug-in's own error code for values it cannot play. The commands that
// place symbols build their actions from these.
#pragma once

#include <cstdint>
#include <string>

#include "hostapi/ai_action_manager.h"
#include "standin/suites/action_manager/action_manager.h"

inline constexpr char kOrvelkActionEvent[] = "Orvelk_QRCode";
inline constexpr ActionDialogStatus kOrvelkRecordedDialogStatus = kDialogOff;

// "Do Action" with a value missing, of another type or out of range.
inline constexpr ASErr kOrvelkBadParametersError = MakeFourCharError("!Prm");

// The letters of the level and mode indices the action holds.
inline constexpr char kOrvelkLevelLetters[] = "LMQH";
inline constexpr char kOrvelkModeLetters[] = "NABKM";

// Millimetres in one point, as the plug-in converts its cell sizes.
inline constexpr double kOrvelkMillimetresPerPoint = 0.35278;

// One placement of a symbol, as the filter records it.
struct OrvelkPlacement {
    float x = 0, y = 0;  // the symbol's centre, document coordinates in points
    int32_t level = 1;   // index of kOrvelkLevelLetters
    int32_t version = 0;
    int32_t mode = 2;      // index of kOrvelkModeLetters
    float moduleSize = 0;  // points
    std::string text;      // code page 932
};

// The recorded action of `placement`, into document `document` (0: none
// said), with the keys in the order the filter stores them.
inline standin::RecordedAction OrvelkAction(const OrvelkPlacement& placement, int32_t document) {
    auto integer = [](int32_t v) {
        standin::ActionValue value;
        value.type = kActionIntegerType;
        value.integer = v;
        return value;
    };
    auto real = [](float v) {
        standin::ActionValue value;
        value.type = kActionRealType;
        value.real = v;
        return value;
    };
    standin::ActionValue text;
    text.type = kActionStringType;
    text.string = placement.text;
    standin::RecordedAction action;
    action.eventName = kOrvelkActionEvent;
    action.dialogStatus = kOrvelkRecordedDialogStatus;
    action.document = document;
    action.values = {
        {MakeFourCharCode("plcx"), real(placement.x)},
        {MakeFourCharCode("plcy"), real(placement.y)},
        {MakeFourCharCode("eclv"), integer(placement.level)},
        {MakeFourCharCode("vers"), integer(placement.version)},
        {MakeFourCharCode("enmd"), integer(placement.mode)},
        {MakeFourCharCode("size"), real(placement.moduleSize)},
        {MakeFourCharCode("data"), std::move(text)},
    };
    return action;
}
