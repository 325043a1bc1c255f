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
// The user cancelled; reaches the host silently.
inline constexpr ASErr kSPUserCanceledError = MakeFourCharError("STOP");
// A suite of that name and version is not available.
inline constexpr ASErr kSPSuiteNotFoundError = MakeFourCharError("S!Fd");
// A call was given an argument it cannot take.
inline constexpr ASErr kSPBadParameterError = MakeFourCharError("Parm");
// The host ran out of memory (the number the plug-in's error table lists).
inline constexpr ASErr kSPOutOfMemoryError = -108;

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
inline constexpr int32_t kSPMessageCheckWord = static_cast<int32_t>(MakeFourCharCode("SPCk"));

// The head of every message record. Messages of particular callers (filter,
// action) continue with their own fields after it.
struct SPMessageData {
    int32_t checkWord;          // kSPMessageCheckWord
    SPPluginRef self;           // the receiving plug-in's own reference
    void* globals;              // what the plug-in left here at its last unload
    const SPBasicSuite* basic;  // the basic suite, valid for this message
};

extern "C" {

// The plug-in's one exported function: caller and selector name the message,
// `message` points at its record (SPMessageData first). Returns 0 or an error.
typedef ASErr(HOST_CALL* SPPluginMainProc)(const char* caller, const char* selector, void* message);

// Fills *suite with the suite `name` at exactly `version`; 0 on success.
typedef ASErr(HOST_CALL* SPAcquireSuiteProc)(const char* name, int32_t version, const void** suite);
// Gives back one acquisition of the suite `name` at `version`.
typedef ASErr(HOST_CALL* SPReleaseSuiteProc)(const char* name, int32_t version);
// Non-zero when the two NUL-terminated strings are equal byte for byte.
typedef ASBoolean(HOST_CALL* SPIsEqualProc)(const char* a, const char* b);
// Allocates `size` bytes into *block; *block is null on failure.
typedef ASErr(HOST_CALL* SPAllocateBlockProc)(size_t size, void** block);
// Frees a block of AllocateBlock or ReallocateBlock; null is allowed.
typedef ASErr(HOST_CALL* SPFreeBlockProc)(void* block);
// Resizes `block` to `newSize` bytes into *newBlock; on failure the old block
// stays valid and *newBlock is null.
typedef ASErr(HOST_CALL* SPReallocateBlockProc)(void* block, size_t newSize, void** newBlock);

}  // extern "C"

// Name of the plug-in's exported entry point.
inline constexpr char kSPPluginMainName[] = "PluginMain";

struct SPBasicSuite {
    SPAcquireSuiteProc AcquireSuite;
    SPReleaseSuiteProc ReleaseSuite;
    SPIsEqualProc IsEqual;
    SPAllocateBlockProc AllocateBlock;
    SPFreeBlockProc FreeBlock;
    SPReallocateBlockProc ReallocateBlock;
};
