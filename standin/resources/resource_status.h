// The outcome of every step of reading a module's resources.
#pragma once

enum class ResourceStatus {
    kOk,
    kNotFound,     // no such section, resource or string
    kDamaged,      // the bytes do not hold what they claim: truncated, out of range
    kNotModule,    // the file is not a 64-bit little-endian ELF module
    kUnsupported,  // well formed, but of a kind or version this reader does not know
    kIoError,      // the file cannot be read
};

// A short English phrase for messages ("damaged", "not found", ...).
const char* ResourceStatusText(ResourceStatus status);
