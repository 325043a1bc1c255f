// What the engine needs of its host, and nothing more: the host application's
// folder, under which the table file lies, and the plug-in's mask setting.
//
// The host is one record that a caller fills and installs before it encodes:
// the plug-in shell installs the plug-in's own (its FindAppFolder and the
// mask setting of its globals) while it holds the globals; the stand-in's
// command line, the tests and the benchmarks install theirs. The engine asks
// for the folder (the door alone: it hands the table store the file's path)
// and reads the mask setting at every encoding, so nothing of
// the host is kept between calls; what it keeps of the table file it checks
// against the file at every encoding (qr/store/table_cache.h), and installing or
// removing a host frees it. Without a host the table reads fail
// (EncodeQRSymbol returns kQRTableFileDamaged) and the mask is chosen
// automatically.
#pragma once

#include <cstdint>

// Bytes of the buffer the host's folder lookup fills, its NUL included: as
// long as the host's path of its own executable.
inline constexpr int32_t kAppFolderSize = 300;

struct QREngineHost {
    // Fills `folder` (kAppFolderSize bytes) with the host application's
    // folder, a Windows path in code page 932 without a trailing backslash.
    // Returns 0, or the host's non-zero error.
    int32_t (*findAppFolder)(char* folder);
    // The mask setting, read at every encoding: 0 automatic choice by penalty
    // score, 1 to 8 mask pattern 0 to 7; any other value, and null, read as
    // automatic.
    const int32_t* maskSetting;
};

// Installs `host` (copied) for the encodings that follow; null removes it.
// Either way the table cache is emptied: nothing read through another host's
// folder, or held by a module about to be unloaded, stays behind.
void SetQREngineHost(const QREngineHost* host);

// For the engine's stages: the installed host's folder lookup into `folder`
// (kAppFolderSize bytes, NUL-terminated on return). False, with `folder`
// empty, without a host or when the lookup fails.
bool FindHostAppFolder(char* folder);

// For the engine's door: the full path of the table file under the installed
// host's folder, into `path` (kTableFilePathSize bytes, qr/store/table_file.h).
// Returns kTableRead, or kTableNoAppFolder (no host, or its lookup failed) or
// kTablePathTooLong, with `path` empty and the failure noted
// (qr/store/table_failure.h). The table store itself never asks the host.
int32_t FindHostTableFile(char* path);

// For the engine's stages: the mask the installed host's setting fixes (0 to
// 7), or -1 for the automatic choice.
int HostFixedMask();
