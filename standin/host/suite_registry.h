// The suites the stand-in host serves, by name and version, with a count of
// the acquisitions each has outstanding, and the basic suite that plug-ins
// acquire them through. One registry per process, like the host itself.
#pragma once

#include <cstdint>

#include "hostapi/sp_basic.h"

// Serves `suite` as `name` at `version`, replacing an earlier registration of
// the same name and version (its count stays).
void RegisterStandinSuite(const char* name, int32_t version, const void* suite);

// Acquires `name` at exactly `version` into *suite and counts it. An
// unregistered name or version gives "S!Fd" and leaves *suite null.
ASErr AcquireStandinSuite(const char* name, int32_t version, const void** suite);

// Gives back one acquisition. "S!Fd" for an unregistered suite, "Parm" when
// none is outstanding.
ASErr ReleaseStandinSuite(const char* name, int32_t version);

// The acquisitions of `name` at `version` not yet released.
int32_t StandinSuiteUseCount(const char* name, int32_t version);

// The acquisitions of every suite not yet released.
int32_t StandinSuitesInUse();

// Sets every count to 0; registrations stay.
void ResetStandinSuiteUse();

// The basic suite of the stand-in's messages: acquisition through the
// registry, string equality, and blocks from the C heap.
const SPBasicSuite* StandinBasicSuite();
