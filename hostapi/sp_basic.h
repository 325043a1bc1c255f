// The host's basic suite, the head of every message, the plug-in entry point
// and the host's common error codes.
//
// Every message carries the basic suite. The plug-in uses it to acquire and
// release all other suites by name and version, and to compare the caller
// and selector strings of the message it is given.
#pragma once

#include "hostapi/host_types.h"

// Error codes of the host that the plug-in recognises.
inline constexpr ASErr kSPNoError = 0;
// The user cancelled: what a plug-in returns when its dialog was cancelled,
// and what reaches the host silently ('STOP').
inline constexpr ASErr kCanceledErr = MakeFourCharError("STOP");
// The plug-in architecture's own cancel code, lower case: not the one above.
inline constexpr ASErr kSPUserCanceledError = MakeFourCharError("stop");
// A suite of that name and version is not available.
inline constexpr ASErr kSPSuiteNotFoundError = MakeFourCharError("S!Fd");
// A call was given an argument it cannot take.
inline constexpr ASErr kSPBadParameterError = MakeFourCharError("Parm");
// The plug-in architecture ran out of memory: the host's header gives
// 0xFFFFFF6C (-148) although its comment says -108; the value is the
// header's. The plug-in's error table lists -108 too (the platform's own
// memory-full code), which callers may meet from other hosts.
inline constexpr ASErr kSPOutOfMemoryError = -148;
// The drawing application's own out-of-memory code.
inline constexpr ASErr kOutOfMemoryErr = MakeFourCharError("!MEM");

// Callers and selectors of the plug-in's life-cycle messages.
inline constexpr char kSPAccessCaller[] = "SP Access";
inline constexpr char kSPAccessUnloadSelector[] = "Unload";
inline constexpr char kSPAccessReloadSelector[] = "Reload";
inline constexpr char kSPInterfaceCaller[] = "SP Interface";
inline constexpr char kSPInterfaceStartupSelector[] = "Startup";
inline constexpr char kSPInterfaceAboutSelector[] = "About";
inline constexpr char kSPInterfaceShutdownSelector[] = "Shutdown";

struct SPBasicSuite;

// The value of SPMessageData::checkWord in every message the host sends.
inline constexpr ASInt32 kSPMessageCheckWord = static_cast<ASInt32>(MakeFourCharCode("SPCk"));

#include "hostapi/pack_begin.h"

// The head of every message record. Messages of particular callers (filter,
// action) continue with their own fields after it.
struct SPMessageData {
    ASInt32 checkWord;          // kSPMessageCheckWord
    SPPluginRef self;           // the receiving plug-in's own reference
    void* globals;              // what the plug-in left here at its last unload
    const SPBasicSuite* basic;  // the basic suite, valid for this message
};

// The "SP Interface" messages: the head alone.
struct SPInterfaceMessage {
    SPMessageData d;
};

// When an "SP Access" message comes: at startup 0, at run time 1, at
// shutdown 2, at the end 3 (an int-sized enumeration).
typedef int32_t SPAccessPoint;
// When an "SP Access" message comes: as the host starts, while it runs, as it
// shuts down, or as it ends.
inline constexpr SPAccessPoint kSPAccessStartup = 0;
inline constexpr SPAccessPoint kSPAccessRuntime = 1;
inline constexpr SPAccessPoint kSPAccessShutdown = 2;
inline constexpr SPAccessPoint kSPAccessTerminal = 3;

// The "SP Access" messages ("Unload", "Reload").
struct SPAccessMessage {
    SPMessageData d;
    SPAccessPoint when;
};

#include "hostapi/pack_end.h"

extern "C" {

// The plug-in's one exported function: caller and selector name the message,
// `message` points at its record (SPMessageData first). Returns 0 or an error.
typedef ASErr(HOST_CALL* SPPluginMainProc)(const char* caller, const char* selector, void* message);

// Fills *suite with the suite `name` at exactly `version`; 0 on success,
// kSPSuiteNotFoundError when the host has no such suite.
typedef ASErr(HOST_CALL* SPAcquireSuiteProc)(const char* name, ASInt32 version, const void** suite);
// Gives back one acquisition of the suite `name` at `version`.
typedef ASErr(HOST_CALL* SPReleaseSuiteProc)(const char* name, ASInt32 version);
// Non-zero when the two NUL-terminated strings are equal byte for byte.
typedef ASBoolean(HOST_CALL* SPIsEqualProc)(const char* a, const char* b);
// Allocates `size` bytes into *block; *block is null on failure.
typedef ASErr(HOST_CALL* SPAllocateBlockProc)(ASInt32 size, void** block);
// Frees a block of AllocateBlock or ReallocateBlock; null is allowed.
typedef ASErr(HOST_CALL* SPFreeBlockProc)(void* block);
// Resizes `block` to `newSize` bytes into *newBlock; on failure the old block
// stays valid and *newBlock is null.
typedef ASErr(HOST_CALL* SPReallocateBlockProc)(void* block, ASInt32 newSize, void** newBlock);

}  // extern "C"

// Name of the plug-in's exported entry point.
inline constexpr char kSPPluginMainName[] = "PluginMain";

#include "hostapi/pack_begin.h"

// The basic suite, slot for slot (the host's table has seven entries; the
// plug-in uses the first six).
struct SPBasicSuite {
    /*  0 */ SPAcquireSuiteProc AcquireSuite;
    /*  1 */ SPReleaseSuiteProc ReleaseSuite;
    /*  2 */ SPIsEqualProc IsEqual;
    /*  3 */ SPAllocateBlockProc AllocateBlock;
    /*  4 */ SPFreeBlockProc FreeBlock;
    /*  5 */ SPReallocateBlockProc ReallocateBlock;
};

#include "hostapi/pack_end.h"
