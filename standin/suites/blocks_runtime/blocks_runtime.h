// The stand-in's "SP Blocks Suite" (blocks from the host's heap,
// standin/host/host_blocks.h) and "AI Runtime Suite" (the application's
// path), served through the basic suite of standin/host/suite_registry.h.
#pragma once

#include "hostapi/ai_runtime.h"
#include "hostapi/sp_basic.h"
#include "hostapi/sp_blocks.h"

// The stand-in's "AI Runtime Suite": the executable's path of
// StandinAppFileSpecification.
const AIRuntimeSuite* StandinRuntimeSuite();

// The stand-in's "SP Blocks Suite": blocks from the C heap.
const SPBlocksSuite* StandinBlocksSuite();

// Registers the suites above with the registry. Repeating it does no harm.
void RegisterStandinSuites();
