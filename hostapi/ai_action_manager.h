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
inline constexpr ASInt32 kAIActionManagerSuiteVersion = 2;

inline constexpr char kActionManagerCaller[] = "Action Manager";
inline constexpr char kDoActionSelector[] = "Do Action";

// A parameter key, a four-character code ("plcx").
typedef uint32_t ActionParamKeyID;
// The type of a parameter, a four-character code.
typedef uint32_t ActionParamTypeID;
inline constexpr ActionParamTypeID kActionIntegerType = MakeFourCharCode("long");  // ASInt32
inline constexpr ActionParamTypeID kActionRealType = MakeFourCharCode("real");     // 32-bit float
inline constexpr ActionParamTypeID kActionStringType = MakeFourCharCode("strn");   // NUL-terminated

// How the event's dialog is to be treated at playback, as recorded (an
// int-sized enumeration).
typedef int32_t ActionDialogStatus;
inline constexpr ActionDialogStatus kDialogNone = 0;       // the event has no dialog
inline constexpr ActionDialogStatus kDialogOn = 1;         // show the dialog at playback
inline constexpr ActionDialogStatus kDialogPartialOn = 2;  // the host's own; not for plug-ins
inline constexpr ActionDialogStatus kDialogOff = 3;        // play back without the dialog

// A value the plug-in chooses at registration; the host hands it back with
// every "Do Action" message of the event. A pointer-sized opaque value.
typedef void* ActionUserData;

// The description of an event's parameters: keys with their types.
typedef struct AIActionParamType* AIActionParamTypeRef;
// A set of parameter values, by key.
typedef struct AIActionParamValue* AIActionParamValueRef;

#include "hostapi/pack_begin.h"

// Record of the "Do Action" message.
struct AIActionDoActionMessage {
    SPMessageData d;
    ActionUserData userData;      // as given to RegisterActionEvent
    ASBoolean dialogStatus;       // non-zero: the action asks for the dialog
    AIActionParamValueRef param;  // the recorded values; owned by the host
};

#include "hostapi/pack_end.h"

extern "C" {

// Called by the host when the event is played back; plug-ins that answer
// "Do Action" pass none.
typedef ASErr(HOST_CALL* AIActionCallbackProc)(AIActionParamValueRef parameters,
                                               ActionUserData userData, ASBoolean showDialog);

// Registers the event `eventName` (localized title shown in the palette) for
// the plug-in `self`, with its version, flags (0), callback (may be null), user
// data and parameter type (the host keeps a copy of it).
typedef ASErr(HOST_CALL* AIRegisterActionEventProc)(const char* eventName,
                                                    const char* localizedName, int version,
                                                    int flags, AIActionCallbackProc callback,
                                                    SPPluginRef self, ActionUserData userData,
                                                    AIActionParamTypeRef type);
// A new, empty parameter type into *type.
typedef ASErr(HOST_CALL* AINewActionParamTypeProc)(AIActionParamTypeRef* type);
// Disposes of a parameter type (the host keeps its own copy of registered ones).
typedef ASErr(HOST_CALL* AIDeleteActionParamTypeProc)(AIActionParamTypeRef type);
// Adds `key` to `type` with its display name (code page 932), its type code
// and whether the Actions palette shows it.
typedef ASErr(HOST_CALL* AIActionSetTypeKeyProc)(AIActionParamTypeRef type, ActionParamKeyID key,
                                                 const char* displayName,
                                                 ActionParamTypeID typeCode, ASBoolean shown);
// Records one occurrence of `eventName` with `parameters` into the action
// being recorded.
typedef ASErr(HOST_CALL* AIRecordActionEventProc)(const char* eventName,
                                                  ActionDialogStatus dialogStatus,
                                                  AIActionParamValueRef parameters);
// Whether the Actions palette is recording; not an error code.
typedef ASBoolean(HOST_CALL* AIInRecordModeProc)(void);
// A new, empty parameter value into *value.
typedef ASErr(HOST_CALL* AINewActionParamValueProc)(AIActionParamValueRef* value);
// Disposes of a parameter value the plug-in created.
typedef ASErr(HOST_CALL* AIDeleteActionParamValueProc)(AIActionParamValueRef value);
// Reads the integer at `key` into *out; an error if there is none.
typedef ASErr(HOST_CALL* AIActionGetIntegerProc)(AIActionParamValueRef value, ActionParamKeyID key,
                                                 ASInt32* out);
// Sets the integer at `key`.
typedef ASErr(HOST_CALL* AIActionSetIntegerProc)(AIActionParamValueRef value, ActionParamKeyID key,
                                                 ASInt32 integer);
// Reads the real at `key` into *out; an error if there is none.
typedef ASErr(HOST_CALL* AIActionGetRealProc)(AIActionParamValueRef value, ActionParamKeyID key,
                                              ASReal* out);
// Sets the real at `key`.
typedef ASErr(HOST_CALL* AIActionSetRealProc)(AIActionParamValueRef value, ActionParamKeyID key,
                                              ASReal real);
// Copies the whole string at `key` and its NUL into `buffer`. The host is not
// told the buffer's size: the caller's buffer must hold any string that can
// be stored at the key. An error if there is none.
typedef ASErr(HOST_CALL* AIActionGetStringProc)(AIActionParamValueRef value, ActionParamKeyID key,
                                                char* buffer);
// Sets the string at `key` (NUL-terminated, code page 932).
typedef ASErr(HOST_CALL* AIActionSetStringProc)(AIActionParamValueRef value, ActionParamKeyID key,
                                                const char* string);

}  // extern "C"

#include "hostapi/pack_begin.h"

// Slot for slot as the host lays it out, up to the last slot the plug-in
// calls (the host's table has 59 entries). Version 2 inserted GetValueType at
// slot 38, which moved the value accessors one slot down from version 1.
struct AIActionManagerSuite {
    /*  0 */ AIRegisterActionEventProc RegisterActionEvent;
    /*  1 */ HostUnusedSlot IsActionEventRegistered;
    /*  2 */ HostUnusedSlot GetActionEventLocalizedName;
    /*  3 */ HostUnusedSlot GetActionEventVersion;
    /*  4 */ HostUnusedSlot GetActionEventFlag;
    /*  5 */ HostUnusedSlot GetActionEventCallbackProc;
    /*  6 */ HostUnusedSlot GetActionEventPluginRef;
    /*  7 */ HostUnusedSlot GetActionEventUserData;
    /*  8 */ HostUnusedSlot SetActionEventUserData;
    /*  9 */ HostUnusedSlot GetActionEventParamType;
    /* 10 */ HostUnusedSlot Idle;
    /* 11 */ HostUnusedSlot SetActionIdleProc;
    /* 12 */ HostUnusedSlot GetActionIdleProc;
    /* 13 */ HostUnusedSlot SetActionSetFolder;
    /* 14 */ HostUnusedSlot GetActionSetFolder;
    /* 15 */ AINewActionParamTypeProc NewActionParamType;
    /* 16 */ AIDeleteActionParamTypeProc DeleteActionParamType;
    /* 17 */ HostUnusedSlot AIActionGetTypeKey;
    /* 18 */ HostUnusedSlot AIActionHasTypeKey;
    /* 19 */ HostUnusedSlot AIActionGetTypeCount;
    /* 20 */ AIActionSetTypeKeyProc SetTypeKey;
    /* 21 */ HostUnusedSlot AIActionGetName;
    /* 22 */ HostUnusedSlot AIActionGetType;
    /* 23 */ HostUnusedSlot AIActionTypeIsShow;
    /* 24 */ HostUnusedSlot AcquirePalette;
    /* 25 */ HostUnusedSlot ReleasePalette;
    /* 26 */ AIRecordActionEventProc RecordActionEvent;
    /* 27 */ HostUnusedSlot PlayActionEvent;
    /* 28 */ AIInRecordModeProc InRecordMode;
    /* 29 */ HostUnusedSlot InInsertMenuItemState;
    /* 30 */ HostUnusedSlot ActivateInsertMennuItemDialog;
    /* 31 */ HostUnusedSlot SetCurrentCommandLocalizedName;
    /* 32 */ HostUnusedSlot DoFunctionKey;
    /* 33 */ AINewActionParamValueProc NewActionParamValue;
    /* 34 */ AIDeleteActionParamValueProc DeleteActionParamValue;
    /* 35 */ HostUnusedSlot AIActionGetValueKey;
    /* 36 */ HostUnusedSlot AIActionHasValueKey;
    /* 37 */ HostUnusedSlot AIActionGetValueCount;
    /* 38 */ HostUnusedSlot AIActionGetValueType;
    /* 39 */ AIActionGetIntegerProc GetInteger;
    /* 40 */ AIActionSetIntegerProc SetInteger;
    /* 41 */ AIActionGetRealProc GetReal;
    /* 42 */ AIActionSetRealProc SetReal;
    /* 43 */ HostUnusedSlot AIActionGetUnitReal;
    /* 44 */ HostUnusedSlot AIActionSetUnitReal;
    /* 45 */ AIActionGetStringProc GetString;
    /* 46 */ AIActionSetStringProc SetString;
};

#include "hostapi/pack_end.h"
