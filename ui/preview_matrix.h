// The symbol of the settings dialog's preview: encoded afresh from the
// globals record whenever a setting or the text changes.
#pragma once

// Clears the globals' preview matrix (side 0) and, unless the text is empty,
// encodes the text with the level, mode and version of the globals into it.
// The matrix keeps side 0 when the text cannot be encoded. Does nothing
// without a globals record or a preview matrix.
void RegeneratePreviewMatrix();
