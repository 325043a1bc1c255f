// A dialog as the user sees it at one moment: what a picture of it needs and
// nothing of the dialog manager's objects, so that the picture, a window back
// end or a test can work from a copy that outlives the dialog.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hostapi/adm_types.h"
#include "standin/dialogs/dialog_layout.h"
#include "standin/dialogs/dialog_surface.h"
#include "standin/host/host_transcript.h"
#include "standin/resources/bitmap_resource.h"

namespace standin {

struct SnapshotItem {
    int32_t id = 0;
    DialogItemKind kind = DialogItemKind::kOther;
    uint32_t style = 0;  // the template's style (alignment, frame colour)
    ADMRect rect{};      // in the client area's pixels
    // Code page 932: the item's text; a popup's or list's selected entry,
    // empty when none is selected.
    std::string text;
    // Popups and lists: the entries' texts and which is selected (-1: none).
    std::vector<std::string> entries;
    int32_t selected = -1;
    int32_t intValue = 0;     // check boxes and radio buttons: 0 off, else on
    int32_t picture = -1;     // a picture's bitmap resource, else -1
    BitmapPixels bitmap;      // a picture: that resource's pixels (none when unreadable)
    bool caretAtEnd = false;  // an edit text the user typed last: its end is in view
};

struct DialogSnapshot {
    std::string plugin;  // the plug-in's module name
    int32_t dialogId = 0;
    std::string title;     // code page 932
    std::string fontName;  // code page 932, as the template names it
    int16_t fontSize = 0;
    const DialogFontFace* face = nullptr;  // what lays it out and draws its texts
    DialogBaseUnits units;
    int32_t width = 0;  // the client area in pixels
    int32_t height = 0;
    std::vector<SnapshotItem> items;
    PixelImage surface;  // the client area's pixels, as draw procedures left them
    int32_t result = 0;  // the item that ended the modal run; 0 while it runs
};

// The item `id` of `snapshot`; null if there is none.
const SnapshotItem* FindSnapshotItem(const DialogSnapshot& snapshot, int32_t id);

// The pixels of item `id`'s whole rectangle as they are in the surface: what
// its draw procedure painted, the face colour where it painted nothing.
// Empty when there is no such item.
PixelImage SnapshotItemPixels(const DialogSnapshot& snapshot, int32_t id);

}  // namespace standin
