#include "standin/suites/action_manager/action_manager.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "standin/host/host_errors.h"
#include "standin/host/host_transcript.h"
#include "standin/hooks/host_hooks.h"
#include "standin/host/plugins.h"
#include "standin/host/slot_traps.h"

namespace standin {
namespace {

struct ParamType {
    std::vector<ActionParamKey> keys;
};

struct ParamValue {
    ActionValues values;
};

struct ActionState {
    std::vector<ActionEvent> events;
    std::vector<RecordedAction> recorded;
    bool recording = false;
    std::unordered_map<const ParamType*, std::unique_ptr<ParamType>> types;
    std::unordered_map<const ParamValue*, std::unique_ptr<ParamValue>> values;
    // The host's own value of the "Do Action" message being played: the
    // host disposes of it after the message, never the plug-in.
    const ParamValue* played = nullptr;
};

ActionState& State() {
    static ActionState state;
    return state;
}

ParamType* FromTypeRef(AIActionParamTypeRef ref) {
    const auto it = State().types.find(reinterpret_cast<const ParamType*>(ref));
    return it != State().types.end() ? it->second.get() : nullptr;
}

ParamValue* FromValueRef(AIActionParamValueRef ref) {
    const auto it = State().values.find(reinterpret_cast<const ParamValue*>(ref));
    return it != State().values.end() ? it->second.get() : nullptr;
}

AIActionParamValueRef NewValueRef(ActionValues values) {
    auto value = std::make_unique<ParamValue>();
    value->values = std::move(values);
    ParamValue* raw = value.get();
    State().values.emplace(raw, std::move(value));
    return reinterpret_cast<AIActionParamValueRef>(raw);
}

const ActionEvent* FindEvent(const char* name) {
    for (const ActionEvent& e : State().events)
        if (e.name == name) return &e;
    return nullptr;
}

// The value at `key`; null when there is none.
const ActionValue* Find(const ParamValue& value, ActionParamKeyID key) {
    for (const auto& [k, v] : value.values)
        if (k == key) return &v;
    return nullptr;
}

void Set(ParamValue* value, ActionParamKeyID key, ActionValue v) {
    for (auto& [k, old] : value->values) {
        if (k == key) {
            old = std::move(v);
            return;
        }
    }
    value->values.emplace_back(key, std::move(v));
}

// The error a failing call is to return, else 0 (host_hooks.h).
ASErr Injected(const char* call = __builtin_FUNCTION()) {
    return CountHostCall(HostCall::kActionManager, call);
}

// The value at `key` of `type`, or the error of reading it.
ASErr Get(AIActionParamValueRef ref, ActionParamKeyID key, ActionParamTypeID type,
          const ActionValue** out) {
    const ParamValue* value = FromValueRef(ref);
    if (value == nullptr) return kSPBadParameterError;
    *out = Find(*value, key);
    if (*out == nullptr) return kStandinNoSuchKeyError;
    if ((*out)->type != type) return kSPBadParameterError;
    return kSPNoError;
}

ASErr HOST_CALL NewActionParamType(AIActionParamTypeRef* type) {
    if (type == nullptr) return kSPBadParameterError;
    *type = nullptr;
    if (const ASErr injected = Injected()) return injected;
    auto added = std::make_unique<ParamType>();
    *type = reinterpret_cast<AIActionParamTypeRef>(added.get());
    State().types.emplace(added.get(), std::move(added));
    return kSPNoError;
}

ASErr HOST_CALL DeleteActionParamType(AIActionParamTypeRef type) {
    if (FromTypeRef(type) == nullptr) return kSPBadParameterError;
    State().types.erase(reinterpret_cast<const ParamType*>(type));
    return kSPNoError;
}

ASErr HOST_CALL SetTypeKey(AIActionParamTypeRef ref, ActionParamKeyID key, const char* displayName,
                           ActionParamTypeID typeCode, ASBoolean shown) {
    if (const ASErr injected = Injected()) return injected;
    ParamType* type = FromTypeRef(ref);
    if (type == nullptr || displayName == nullptr ||
        (typeCode != kActionIntegerType && typeCode != kActionRealType &&
         typeCode != kActionStringType))
        return kSPBadParameterError;
    ActionParamKey entry{key, displayName, typeCode, shown != 0};
    for (ActionParamKey& k : type->keys) {
        if (k.key == key) {
            k = std::move(entry);
            return kSPNoError;
        }
    }
    type->keys.push_back(std::move(entry));
    return kSPNoError;
}

ASErr HOST_CALL RegisterActionEvent(const char* eventName, const char* localizedName, int version,
                                    int flags, AIActionCallbackProc callback,
                                    SPPluginRef self, ActionUserData userData,
                                    AIActionParamTypeRef ref) {
    if (const ASErr injected = Injected()) return injected;
    const ParamType* type = FromTypeRef(ref);
    if (eventName == nullptr || *eventName == '\0' || localizedName == nullptr ||
        FindPlugin(self) == nullptr || (ref != nullptr && type == nullptr))
        return kSPBadParameterError;
    if (FindEvent(eventName) != nullptr) return kStandinDuplicateEventError;
    ActionEvent event;
    event.name = eventName;
    event.localizedName = localizedName;
    event.version = version;
    event.flags = flags;
    event.callback = callback;
    event.plugin = self;
    event.userData = userData;
    if (type != nullptr) event.keys = type->keys;
    State().events.push_back(std::move(event));
    ForgetOnRemoval(ForgetActionEventsOf);
    return kSPNoError;
}

ASBoolean HOST_CALL InRecordMode() {
    // Not an error code: a failing host answers that it is not recording.
    if (Injected() != kSPNoError) return kASFalse;
    return State().recording ? kASTrue : kASFalse;
}

ASErr HOST_CALL NewActionParamValue(AIActionParamValueRef* value) {
    if (value == nullptr) return kSPBadParameterError;
    *value = nullptr;
    if (const ASErr injected = Injected()) return injected;
    *value = NewValueRef({});
    return kSPNoError;
}

ASErr HOST_CALL DeleteActionParamValue(AIActionParamValueRef value) {
    if (FromValueRef(value) == nullptr) return kSPBadParameterError;
    if (reinterpret_cast<const ParamValue*>(value) == State().played) {
        AddHostNote("", "a plug-in tried to dispose of the host's own parameter value of "
                        "\"Do Action\"; it was refused");
        return kSPBadParameterError;
    }
    State().values.erase(reinterpret_cast<const ParamValue*>(value));
    return kSPNoError;
}

ASErr HOST_CALL GetInteger(AIActionParamValueRef value, ActionParamKeyID key, int32_t* out) {
    if (out == nullptr) return kSPBadParameterError;
    if (const ASErr injected = Injected()) return injected;
    const ActionValue* v = nullptr;
    const ASErr error = Get(value, key, kActionIntegerType, &v);
    if (error == kSPNoError) *out = v->integer;
    return error;
}

// Stores `v` under `key` of the parameter value `ref`; `call` names the
// suite's call.
ASErr SetValue(AIActionParamValueRef ref, ActionParamKeyID key, ActionValue v,
               const char* call = __builtin_FUNCTION()) {
    if (const ASErr injected = Injected(call)) return injected;
    ParamValue* value = FromValueRef(ref);
    if (value == nullptr) return kSPBadParameterError;
    Set(value, key, std::move(v));
    return kSPNoError;
}

ASErr HOST_CALL SetInteger(AIActionParamValueRef ref, ActionParamKeyID key, int32_t integer) {
    ActionValue v;
    v.type = kActionIntegerType;
    v.integer = integer;
    return SetValue(ref, key, std::move(v));
}

ASErr HOST_CALL GetReal(AIActionParamValueRef value, ActionParamKeyID key, ASReal* out) {
    if (out == nullptr) return kSPBadParameterError;
    if (const ASErr injected = Injected()) return injected;
    const ActionValue* v = nullptr;
    const ASErr error = Get(value, key, kActionRealType, &v);
    if (error == kSPNoError) *out = v->real;
    return error;
}

ASErr HOST_CALL SetReal(AIActionParamValueRef ref, ActionParamKeyID key, ASReal real) {
    ActionValue v;
    v.type = kActionRealType;
    v.real = real;
    return SetValue(ref, key, std::move(v));
}

ASErr HOST_CALL GetString(AIActionParamValueRef value, ActionParamKeyID key, char* buffer) {
    if (buffer == nullptr) return kSPBadParameterError;
    buffer[0] = '\0';
    if (const ASErr injected = Injected()) return injected;
    const ActionValue* v = nullptr;
    const ASErr error = Get(value, key, kActionStringType, &v);
    if (error != kSPNoError) return error;
    // The whole string, as the host copies it: SetString and the action sets
    // keep none longer than kLongestActionString.
    if (v->string.size() > kLongestActionString) return kSPBadParameterError;
    std::memcpy(buffer, v->string.data(), v->string.size());
    buffer[v->string.size()] = '\0';
    return kSPNoError;
}

ASErr HOST_CALL SetString(AIActionParamValueRef ref, ActionParamKeyID key, const char* string) {
    if (string == nullptr) return kSPBadParameterError;
    if (std::strlen(string) > kLongestActionString) return kSPBadParameterError;
    // SetValue counts the call.
    ActionValue v;
    v.type = kActionStringType;
    v.string = string;
    return SetValue(ref, key, std::move(v));
}

ASErr HOST_CALL RecordActionEvent(const char* eventName, ActionDialogStatus dialogStatus,
                                  AIActionParamValueRef parameters) {
    if (const ASErr injected = Injected()) return injected;
    if (eventName == nullptr) return kSPBadParameterError;
    const ParamValue* value = FromValueRef(parameters);
    if (parameters != nullptr && value == nullptr) return kSPBadParameterError;
    if (FindEvent(eventName) == nullptr) return kStandinNoSuchEventError;
    if (!State().recording) return kStandinNotRecordingError;
    RecordedAction action;
    action.eventName = eventName;
    action.dialogStatus = dialogStatus;
    if (value != nullptr) action.values = value->values;
    State().recorded.push_back(std::move(action));
    return kSPNoError;
}

}  // namespace

const AIActionManagerSuite* StandinActionManagerSuite() {
    static const AIActionManagerSuite suite = [] {
        AIActionManagerSuite s = TrappedSuite<AIActionManagerSuite>(kAIActionManagerSuiteVersion);
        s.RegisterActionEvent = RegisterActionEvent;
        s.NewActionParamType = NewActionParamType;
        s.DeleteActionParamType = DeleteActionParamType;
        s.SetTypeKey = SetTypeKey;
        s.RecordActionEvent = RecordActionEvent;
        s.InRecordMode = InRecordMode;
        s.NewActionParamValue = NewActionParamValue;
        s.DeleteActionParamValue = DeleteActionParamValue;
        s.GetInteger = GetInteger;
        s.SetInteger = SetInteger;
        s.GetReal = GetReal;
        s.SetReal = SetReal;
        s.GetString = GetString;
        s.SetString = SetString;
        return s;
    }();
    return &suite;
}

const std::vector<ActionEvent>& ActionEvents() {
    return State().events;
}

void SetActionRecording(bool recording) {
    State().recording = recording;
}

bool ActionRecording() {
    return State().recording;
}

const std::vector<RecordedAction>& RecordedActions() {
    return State().recorded;
}

ASErr PlayAction(const RecordedAction& action, ActionDialogStatus dialogStatus) {
    const ActionEvent* event = FindEvent(action.eventName.c_str());
    Plugin* plugin = event != nullptr ? FindPlugin(event->plugin) : nullptr;
    if (plugin == nullptr || plugin->state != Plugin::State::kStarted)
        return kStandinNoSuchEventError;
    // The host's own parameter value for the message.
    if (const ASErr injected = Injected()) return injected;
    AIActionDoActionMessage message{};
    message.param = NewValueRef(action.values);
    // The message says only whether the plug-in is to show its dialog.
    message.dialogStatus = dialogStatus == kDialogOn ? kASTrue : kASFalse;
    message.userData = event->userData;
    const AIActionParamValueRef param = message.param;
    const ParamValue* const outer = State().played;  // a play inside a play
    State().played = reinterpret_cast<const ParamValue*>(param);
    const ASErr result =
        SendPluginMessage(plugin, kActionManagerCaller, kDoActionSelector, &message.d);
    State().played = outer;
    State().values.erase(reinterpret_cast<const ParamValue*>(param));
    return result;
}

size_t LiveActionParamObjects() {
    return State().types.size() + State().values.size();
}

ActionValues ActionParamValues(AIActionParamValueRef ref) {
    const ParamValue* value = FromValueRef(ref);
    return value != nullptr ? value->values : ActionValues();
}

void ForgetActionEventsOf(SPPluginRef plugin) {
    auto& events = State().events;
    events.erase(std::remove_if(events.begin(), events.end(),
                                [plugin](const ActionEvent& e) { return e.plugin == plugin; }),
                 events.end());
}

void ResetActionManager() {
    State() = ActionState();
}

}  // namespace standin
