// What the calls of the ADM suites share: the item, list or entry behind a
// handle, counting the call for the failures of host_hooks.h, and texts
// copied out to a plug-in's buffer.
#pragma once

#include <cstdint>
#include <string>

#include "hostapi/adm_types.h"
#include "standin/suites/adm/adm_objects.h"

namespace standin {

// Copies at most `maxLength` bytes of `text` into `buffer` and a NUL after
// them, cut without splitting a character. Nothing for a null buffer or a
// negative length.
void CopyOut(const std::string& text, char* buffer, int64_t maxLength);

// The item, list or entry behind `ref`, counting the call; null when the
// handle is not alive or when the call is to fail (host_hooks.h): a failing
// call does what it does for a dead handle.
AdmItem* LiveItem(ADMItemRef ref, const char* call = __builtin_FUNCTION());
AdmList* LiveList(ADMListRef ref, const char* call = __builtin_FUNCTION());
AdmEntry* LiveEntry(ADMEntryRef ref, const char* call = __builtin_FUNCTION());

}  // namespace standin
