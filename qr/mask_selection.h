// Stage 17 of EncodeQRSymbol when the mask setting is automatic: the data mask
// (ISO/IEC 18004 clause 7.8.3) with the lowest score of the engine's six
// penalty rules (penalty_planes.h).
#pragma once

#include <cstdint>

#include "qr/base/engine_types.h"
#include "qr/module_placement.h"
#include "qr/penalty_planes.h"

// Tries the eight masks on the working matrix: each mask's candidate, with
// its own format information and the template, is scored, and the mask with
// the lowest score wins (the lower mask on a tie). `planes` is the working
// space for the candidates; the working matrix itself is left as it was.
// `scores`, when given, receives the eight totals.
int ChooseMask(const WorkingMatrix* working, int levelCode, const SymbolRecords* records,
               MaskPlanes* planes, int32_t* scores = nullptr);
