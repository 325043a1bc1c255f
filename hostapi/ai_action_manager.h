// "AI Action Manager Suite" and the "Do Action" message.
//
// The plug-in registers one action event at startup with a parameter type
// (its keys, their types and display names). After each successful filter run
// it records the event with a parameter value while the host's Actions palette
// is recording; when a recorded action is replayed, the host sends "Action
// Manager" / "Do Action" with that value, and the plug-in reads it back.
#pragma once

#include "hostapi/host_types.h"
#include "hostapi/sp_basic.h"

inline constexpr char kAIActionManagerSuite[] = "AI Action Manager Suite";
inline constexpr int32_t kAIActionManagerSuiteVersion = 2;

inline constexpr char kActionManagerCaller[] = "Action Manager";
inline constexpr char kDoActionSelector[] = "Do Action";

// A parameter key, a four-character code ("plcx").
typedef uint32_t ActionParamKeyID;
// The type of a parameter, a four-character code.
typedef uint32_t ActionParamTypeID;
inline constexpr ActionParamTypeID kActionIntegerType = MakeFourCharCode("long");  // int32_t
inline constexpr ActionParamTypeID kActionRealType = MakeFourCharCode("real");     // 32-bit float
inline constexpr ActionParamTypeID kActionStringType = MakeFourCharCode("strn");   // NUL-terminated

// How the event's dialog is to be treated at playback, as recorded.
typedef int32_t ActionDialogStatus;
inline constexpr ActionDialogStatus kDialogNone = 0;     // the event has no dialog
inline constexpr ActionDialogStatus kDialogOn = 1;       // show the dialog at playback
inline constexpr ActionDialogStatus kDialogOff = 2;      // play back without the dialog
inline constexpr ActionDialogStatus kDialogPartial = 3;  // the user decides at playback

// A value the plug-in chooses at registration; the host hands it back with
// every "Do Action" message of the event.
typedef intptr_t ActionUserData;

// The description of an event's parameters: keys with their types.
typedef struct AIActionParamType* AIActionParamTypeRef;
// A set of parameter values, by key.
typedef struct AIActionParamValue* AIActionParamValueRef;

// Record of the "Do Action" message.
struct AIActionDoActionMessage {
    SPMessageData d;
    AIActionParamValueRef param;      // the recorded values; owned by the host
    ActionDialogStatus dialogStatus;  // the action's dialog setting
    ActionUserData userData;          // as given to RegisterActionEvent
};

extern "C" {

// Called by the host when the event is played back or edited; plug-ins that
// answer "Do Action" pass none.
typedef ASErr(HOST_CALL* AIActionCallbackProc)(ActionUserData userData);

// A new, empty parameter type into *type.
typedef ASErr(HOST_CALL* AINewActionParamTypeProc)(AIActionParamTypeRef* type);
// Disposes of a parameter type (the host keeps its own copy of registered ones).
typedef ASErr(HOST_CALL* AIDeleteActionParamTypeProc)(AIActionParamTypeRef type);
// Adds `key` to `type` with its display name (code page 932), its type code
// and whether the Actions palette shows it.
typedef ASErr(HOST_CALL* AIActionSetTypeKeyProc)(AIActionParamTypeRef type, ActionParamKeyID key,
                                                 const char* displayName,
                                                 ActionParamTypeID typeCode, ASBoolean shown);
// Registers the event `eventName` (localized title shown in the palette) for
// the plug-in `self`, with its version, flags (0), callback (may be null), user
// data and parameter type.
typedef ASErr(HOST_CALL* AIRegisterActionEventProc)(const char* eventName,
                                                    const char* localizedName, int32_t version,
                                                    int32_t flags, AIActionCallbackProc callback,
                                                    SPPluginRef self, ActionUserData userData,
                                                    AIActionParamTypeRef type);
// Whether the Actions palette is recording; not an error code.
typedef ASBoolean(HOST_CALL* AIInRecordModeProc)(void);
// A new, empty parameter value into *value.
typedef ASErr(HOST_CALL* AINewActionParamValueProc)(AIActionParamValueRef* value);
// Disposes of a parameter value the plug-in created.
typedef ASErr(HOST_CALL* AIDeleteActionParamValueProc)(AIActionParamValueRef value);
// Reads the integer at `key` into *out; an error if there is none.
typedef ASErr(HOST_CALL* AIActionGetIntegerProc)(AIActionParamValueRef value, ActionParamKeyID key,
                                                 int32_t* out);
// Sets the integer at `key`.
typedef ASErr(HOST_CALL* AIActionSetIntegerProc)(AIActionParamValueRef value, ActionParamKeyID key,
                                                 int32_t integer);
// Reads the real at `key` into *out; an error if there is none.
typedef ASErr(HOST_CALL* AIActionGetRealProc)(AIActionParamValueRef value, ActionParamKeyID key,
                                              ASReal* out);
// Sets the real at `key`.
typedef ASErr(HOST_CALL* AIActionSetRealProc)(AIActionParamValueRef value, ActionParamKeyID key,
                                              ASReal real);
// Copies the string at `key` into `buffer` (`bufferSize` bytes): at most
// bufferSize - 1 bytes and a NUL, cut if longer. An error if there is none.
typedef ASErr(HOST_CALL* AIActionGetStringProc)(AIActionParamValueRef value, ActionParamKeyID key,
                                                char* buffer, int32_t bufferSize);
// Sets the string at `key` (NUL-terminated, code page 932).
typedef ASErr(HOST_CALL* AIActionSetStringProc)(AIActionParamValueRef value, ActionParamKeyID key,
                                                const char* string);
// Records one occurrence of `eventName` with `parameters` into the action
// being recorded.
typedef ASErr(HOST_CALL* AIRecordActionEventProc)(const char* eventName,
                                                  ActionDialogStatus dialogStatus,
                                                  AIActionParamValueRef parameters);

}  // extern "C"

struct AIActionManagerSuite {
    AINewActionParamTypeProc NewActionParamType;
    AIDeleteActionParamTypeProc DeleteActionParamType;
    AIActionSetTypeKeyProc SetTypeKey;
    AIRegisterActionEventProc RegisterActionEvent;
    AIInRecordModeProc InRecordMode;
    AINewActionParamValueProc NewActionParamValue;
    AIDeleteActionParamValueProc DeleteActionParamValue;
    AIActionGetIntegerProc GetInteger;
    AIActionSetIntegerProc SetInteger;
    AIActionGetRealProc GetReal;
    AIActionSetRealProc SetReal;
    AIActionGetStringProc GetString;
    AIActionSetStringProc SetString;
    AIRecordActionEventProc RecordActionEvent;
};
