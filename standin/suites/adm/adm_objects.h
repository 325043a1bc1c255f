// The dialog manager's objects behind the ADM handles: dialogs built from
// dialog resources, their items, the entry lists of popup and list items, and
// the entries. Every handle the plug-in passes back is looked up among the
// objects alive; a handle of a closed dialog, or one never given out, finds
// nothing, and the call then does nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "hostapi/adm_types.h"
#include "standin/dialogs/dialog_layout.h"
#include "standin/dialogs/dialog_surface.h"
#include "standin/host/module_resources.h"
#include "standin/host/plugins.h"

namespace standin {

// In a Windows dialog resource ADM takes item 1 as the default (OK) button
// and item 2 as the cancel button; their presses end a modal dialog with
// their ids.
inline constexpr int32_t kDefaultButtonID = 1;
inline constexpr int32_t kCancelButtonID = 2;

struct AdmDialog;
struct AdmItem;
struct AdmList;
class DialogBackEnd;

struct AdmEntry {
    AdmList* list = nullptr;
    std::string text;  // code page 932
    bool enabled = true;
    bool separator = false;
    bool selected = false;
};

struct AdmList {
    AdmItem* item = nullptr;
    std::vector<std::unique_ptr<AdmEntry>> entries;
};

struct AdmItem {
    AdmDialog* dialog = nullptr;
    int32_t id = 0;
    DialogItemKind kind = DialogItemKind::kOther;
    DialogItemResource resource;
    ADMRect rect{};              // in the pixels of the dialog's client area
    std::string text;            // code page 932
    bool typedLast = false;      // the user's typing set the text last (its end is in view)
    int32_t maxTextLength = -1;  // bytes the user can type; -1: no limit
    int32_t intValue = 0;
    std::unique_ptr<AdmList> list;  // popups and lists only
    ADMItemNotifyProc notify = nullptr;
    ADMItemDrawProc draw = nullptr;
    ADMUserData userData = nullptr;
    bool invalid = false;  // waits to be painted
};

struct AdmDialog {
    Plugin* plugin = nullptr;
    int32_t resourceId = 0;
    std::string name;
    DialogResource resource;
    DialogLayout layout;
    PixelImage surface;  // the client area, what draw procedures paint on
    std::vector<std::unique_ptr<AdmItem>> items;
    ADMUserData userData = nullptr;
    bool ended = false;
    int32_t result = 0;
    DialogBackEnd* shownBy = nullptr;  // the back end showing it in a window; null: scripted
};

// Builds a dialog from `resource`, with `plugin`'s reference and `name`, lays
// it out, gives it a client area in the face colour, and makes it and all its
// parts alive.
std::unique_ptr<AdmDialog> BuildDialog(Plugin* plugin, int32_t resourceId, const std::string& name,
                                       const DialogResource& resource);

// Makes `dialog` and all its parts dead; the handles find nothing from then on.
void RetireDialog(AdmDialog* dialog);

// A new entry at `index` of `list` (at the end when `index` is outside 0 to
// the count), alive.
AdmEntry* InsertEntry(AdmList* list, int32_t index);

// The index of `entry` in its list.
int32_t EntryIndex(const AdmEntry* entry);

// The selected entry of `list`; null if none is.
AdmEntry* ActiveEntry(const AdmList* list);

// Selects `entry` alone in its list, or deselects it.
void SelectEntry(AdmEntry* entry, bool select);

// The item `id` of `dialog`; null if there is none.
AdmItem* FindItem(const AdmDialog* dialog, int32_t id);

// The item's rectangle in its own pixels, (0, 0) at its top left: its size
// in the dialog's layout (dialog_layout.h).
ADMRect LocalRect(const AdmItem* item);

// How many bytes of the code page 932 text `text` fit into `maxBytes`
// without cutting a two-byte character in half.
size_t WholeCharacterPrefix(const std::string& text, size_t maxBytes);

// The objects behind handles, and the handles of objects. The lookups give
// null for a handle that is not alive.
AdmDialog* FromRef(ADMDialogRef ref);
AdmItem* FromRef(ADMItemRef ref);
AdmList* FromRef(ADMListRef ref);
AdmEntry* FromRef(ADMEntryRef ref);
ADMDialogRef RefOf(AdmDialog* dialog);
ADMItemRef RefOf(AdmItem* item);
ADMListRef RefOf(AdmList* list);
ADMEntryRef RefOf(AdmEntry* entry);

}  // namespace standin
