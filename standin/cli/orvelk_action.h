// The Orvelk plug-in's action event as the commands that place symbols build
// it: one placement becomes the action the filter would have recorded. The
// event's name, keys, types and dialog status are the plug-in's
// (contract/filter_action.h), as are the indices' letters and the points of
// a cell size (contract/symbol_settings.h).
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "contract/error_codes.h"
#include "contract/filter_action.h"
#include "contract/symbol_settings.h"
#include "hostapi/ai_action_manager.h"
#include "standin/suites/action_manager/action_manager.h"

// One placement of a symbol, as the filter records it.
struct OrvelkPlacement {
    float x = 0, y = 0;  // the symbol's centre, document coordinates in points
    int32_t level = 1;   // index of kLevelIndexLetters
    int32_t version = 0;
    int32_t mode = 2;      // index of kModeIndexLetters
    float moduleSize = 0;  // points
    std::string text;      // code page 932
};

// The recorded action of `placement`, into document `document` (0: none
// said), with the keys in the order and of the types the filter stores them.
inline standin::RecordedAction OrvelkAction(const OrvelkPlacement& placement, int32_t document) {
    standin::RecordedAction action;
    action.eventName = kQRActionEventName;
    action.dialogStatus = kQRActionDialogStatus;
    action.document = document;
    for (const QRActionKey& key : kQRActionKeys) {
        standin::ActionValue value;
        value.type = key.type;
        switch (key.key) {
            case kActionKeyPlaceX:
                value.real = placement.x;
                break;
            case kActionKeyPlaceY:
                value.real = placement.y;
                break;
            case kActionKeyLevel:
                value.integer = placement.level;
                break;
            case kActionKeyVersion:
                value.integer = placement.version;
                break;
            case kActionKeyMode:
                value.integer = placement.mode;
                break;
            case kActionKeyModuleSize:
                value.real = placement.moduleSize;
                break;
            case kActionKeyText:
                value.string = placement.text;
                break;
        }
        action.values.emplace_back(key.key, std::move(value));
    }
    return action;
}
