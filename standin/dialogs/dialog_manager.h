// The stand-in's dialog manager: the modal runs of the dialogs that plug-ins
// build from their dialog resources, the notifications of their items, and
// the painting of items that plug-ins draw themselves.
//
// A modal run builds the dialog, calls the plug-in's init procedure, records
// the dialog as shown (its title and the item texts after init) in the
// transcript, paints the items that have draw procedures, then plays the
// scripted user's steps (user_script.h) until an item ends the run. A run the
// script leaves open gets its default button pressed; if even that does not
// end it, or a step does not fit the dialog, the host ends it with -1 and a
// note says why.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "hostapi/adm_dialog.h"
#include "hostapi/adm_types.h"

namespace standin {

// What a modal run returns when the dialog could not be built or shown, or
// when the host had to end it.
inline constexpr int32_t kNoDialogResult = -1;

// The modal run of the "ADM Dialog Suite" (Modal).
int32_t RunModalDialog(SPPluginRef self, const char* name, int32_t dialogID, ADMDialogStyle style,
                       ADMDialogInitProc initProc, ADMUserData userData, int32_t options);

// Notifies `item` as when the user changed or pressed it: its notify
// procedure, or the default notification when it has none.
void NotifyItem(ADMItemRef item);

// The default notification: a push button ends its dialog's modal run with
// its id; other items do nothing.
void DefaultNotifyItem(ADMItemRef item);

// Ends the modal run of `dialog` with `result`.
void EndModalDialog(ADMDialogRef dialog, int32_t result);

// A surface the host lets a draw procedure paint one item on.
class ItemCanvas {
  public:
    virtual ~ItemCanvas() = default;
    // The drawing port that the item's drawer hands out.
    virtual ADMPortRef Port() = 0;
};

// What is to be painted.
struct PaintRequest {
    std::string plugin;  // the plug-in's module name
    int32_t dialogId = 0;
    int32_t itemId = 0;
    ADMRect rect{};  // the item's local rectangle, in pixels
};

// Makes a canvas for one paint; null to skip it.
using ItemCanvasFactory = std::function<std::unique_ptr<ItemCanvas>(const PaintRequest&)>;

// The canvases draw procedures paint on. Without a factory (the default) the
// host has nothing to paint on: invalidated items are marked painted without
// calling their draw procedures.
void SetItemCanvasFactory(ItemCanvasFactory factory);

// The port of a drawer handed to a draw procedure; null for any other.
ADMPortRef DrawerPort(ADMDrawerRef drawer);

}  // namespace standin
