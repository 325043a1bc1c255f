// The working buffers of the settings dialog and its preview: blocks of the
// host's Blocks suite, zero-filled when obtained and released by the call that
// obtained them (the preview matrix by the dialog's run).
#pragma once

#include <cstddef>

// A zero-filled buffer of `size` bytes named `name` for the host's
// diagnostics; null when the Blocks suite is not held or gives none.
void* ObtainWorkingBuffer(size_t size, const char* name);

// Gives a buffer of ObtainWorkingBuffer back to the host; null does nothing.
void ReleaseWorkingBuffer(void* buffer);
