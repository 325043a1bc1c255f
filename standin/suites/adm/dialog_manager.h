// The stand-in's dialog manager: the modal runs of the dialogs that plug-ins
// build from their dialog resources, the notifications of their items, and
// the painting of items that plug-ins draw themselves.
//
// A modal run builds the dialog (laid out by dialog_layout.h, with a client
// area of pixels in the face colour, dialog_surface.h), calls the plug-in's
// init procedure, records the dialog as shown (its title and the item texts
// after init) in the transcript, paints the items that have draw procedures,
// runs a test's code if one waits for the dialog (DuringNextModalDialog of
// standin/hooks/dialog_hooks.h), then plays the scripted user's steps
// (user_script.h) until an item ends the run. A run the script leaves open
// gets its default button pressed; if even that does not end it, or a step
// does not fit the dialog, the host ends it with -1 and a note says why; a
// step that does not fit counts as failed.
//
// Painting: an item is painted when it waits to be painted (invalidated, or
// every item when the dialog is first shown) and has a draw procedure. The
// host paints once the dialog is shown and after each step of the user, that
// is after the notification the step caused has returned, as Windows sends
// WM_PAINT only when the message that invalidated has been handled; a step
// that ends the run paints nothing more. Each paint erases the item's
// rectangle to the face colour and hands the draw procedure a drawer whose
// port is a device context (HDC) over the item's pixels in the client area,
// (0, 0) at the item's top left, released when the procedure returns.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "hostapi/adm_dialog.h"
#include "hostapi/adm_types.h"
#include "standin/dialogs/dialog_snapshot.h"
#include "standin/dialogs/user_script.h"

namespace standin {

struct AdmDialog;
struct AdmItem;

// What a modal run returns when the dialog could not be built or shown, or
// when the host had to end it.
inline constexpr int32_t kNoDialogResult = -1;

// The modal run of the "ADM Dialog Suite" (Modal).
int32_t RunModalDialog(SPPluginRef self, const char* name, int32_t dialogID, ADMDialogStyle style,
                       ADMDialogInitProc initProc, ADMUserData userData, int32_t options);

// Carries out `step` on `dialog` as the person at a window (dialog_back_end.h)
// did it, exactly as a scripted step: the item's state changes, then its
// notification. Returns what does not fit (empty when the step was carried
// out); a step that does not fit changes nothing and, unlike a scripted one,
// does not end the run. Nothing is painted: the back end paints when it next
// draws (PaintDialogItems).
std::string ApplyUserStep(AdmDialog* dialog, const UserStep& step);

// Calls the draw procedure of every item of `dialog` that waits to be
// painted, on its pixels in the client area.
void PaintDialogItems(AdmDialog* dialog);

// The item that Enter presses in `dialog`: its default push button, else
// item 1; null when it has neither.
AdmItem* DefaultButtonOf(const AdmDialog* dialog);

// Tell the back end showing `item`'s dialog, if one does, that the plug-in
// changed the item's state, or that the item waits to be painted (which the
// latter also marks).
void ItemStateChanged(AdmItem* item);
void InvalidateItem(AdmItem* item);

// Notifies `item` as when the user changed or pressed it: its notify
// procedure, or the default notification when it has none.
void NotifyItem(ADMItemRef item);

// The default notification: the default button (item 1) and the cancel
// button (item 2) end their dialog's modal run with their id; other items,
// other push buttons among them, do nothing.
void DefaultNotifyItem(ADMItemRef item);

// Ends the modal run of `dialog` with `result`.
void EndModalDialog(ADMDialogRef dialog, int32_t result);

// The snapshot of a dialog that is open (or being closed): its texts, popup
// selections and pixels as they stand. An empty snapshot (dialog id 0) for a
// handle that is not alive.
DialogSnapshot SnapshotDialog(ADMDialogRef dialog);

// Calls `listener` with the snapshot of every dialog whose modal run ends,
// taken when the item that ended it has returned from its notification and
// before anything is painted again: the dialog as the user saw it when
// pressing OK or Cancel (with whatever that item's notification changed). An
// empty function stops.
void SetClosedDialogListener(std::function<void(const DialogSnapshot&)> listener);

// The snapshot of the last dialog `dialogId` (0: any dialog) whose modal run
// ended since ClearClosedDialogs; null if none did. Valid until the next
// modal run ends or ClearClosedDialogs.
const DialogSnapshot* LastClosedDialog(int32_t dialogId = 0);

// Forgets the snapshots of closed dialogs.
void ClearClosedDialogs();

// The port of a drawer handed to a draw procedure; null for any other.
ADMPortRef DrawerPort(ADMDrawerRef drawer);

}  // namespace standin
