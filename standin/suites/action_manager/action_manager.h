// The stand-in's "AI Action Manager Suite": parameter types, the action
// events plug-ins register with them, the Actions palette's recording state,
// parameter values, the actions recorded, and their playback ("Action
// Manager" / "Do Action").
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "hostapi/ai_action_manager.h"

namespace standin {

// The longest string the host keeps at a key, in bytes. The host copies a
// string whole into a buffer whose size it is not told, so it keeps none
// longer than the longest text its plug-ins record (the 8192 bytes of the
// Orvelk plug-in's text); SetString and the action sets refuse longer ones.
inline constexpr size_t kLongestActionString = 8192;

// One key of a parameter type.
struct ActionParamKey {
    ActionParamKeyID key = 0;
    std::string displayName;  // code page 932
    ActionParamTypeID type = 0;
    bool shown = false;
};

// One value of a parameter value: an integer ("long"), a real ("real") or a
// string ("strn"), by `type`.
struct ActionValue {
    ActionParamTypeID type = 0;
    int32_t integer = 0;
    ASReal real = 0;
    std::string string;  // code page 932
};

// The values of a parameter value, in the order their keys were first set.
using ActionValues = std::vector<std::pair<ActionParamKeyID, ActionValue>>;

struct ActionEvent {
    std::string name;
    std::string localizedName;  // code page 932
    int32_t version = 0;
    int32_t flags = 0;
    AIActionCallbackProc callback = nullptr;
    SPPluginRef plugin = nullptr;
    ActionUserData userData = nullptr;
    std::vector<ActionParamKey> keys;  // the host's copy of the type, in the order added
};

struct RecordedAction {
    std::string eventName;
    ActionDialogStatus dialogStatus = kDialogNone;
    ActionValues values;
    // The document a run of several documents (`orvelk batch`) played the
    // action into, numbered from 1; 0 when the action does not say.
    int32_t document = 0;
};

// The suite, as the registry serves it.
const AIActionManagerSuite* StandinActionManagerSuite();

// The registered events, in the order of registration.
const std::vector<ActionEvent>& ActionEvents();

// Starts or stops the Actions palette's recording.
void SetActionRecording(bool recording);
bool ActionRecording();

// What was recorded while recording, oldest first.
const std::vector<RecordedAction>& RecordedActions();

// Plays `action` back: "Action Manager" / "Do Action" to the plug-in that
// registered its event, with its values, `dialogStatus` and the event's
// user data. "NEvt" when no started plug-in registered the event.
ASErr PlayAction(const RecordedAction& action, ActionDialogStatus dialogStatus);

// The values held by a parameter value handle of this host; empty for a
// handle it did not give out.
ActionValues ActionParamValues(AIActionParamValueRef value);

// The parameter types and values plug-ins created and have not disposed of
// (a playback's value is the host's and gone when it ends).
size_t LiveActionParamObjects();

// Forgets the events of `plugin`.
void ForgetActionEventsOf(SPPluginRef plugin);

// Forgets events, recordings, parameter types and values; stops recording.
void ResetActionManager();

}  // namespace standin
