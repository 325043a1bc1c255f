#include "standin/suites/adm/dialog_manager.h"

#include <map>
#include <unordered_set>

#include "standin/suites/adm/adm_objects.h"
#include "standin/suites/adm/dialog_back_end.h"
#include "standin/dialogs/user_script.h"
#include "standin/hooks/dialog_hooks.h"
#include "standin/host/host_errors.h"
#include "standin/host/host_transcript.h"

namespace standin {
namespace {

// What a drawer or a notifier handle stands for while its call lasts.
struct Drawer {
    ADMPortRef port = nullptr;
};
struct Notifier {
    AdmItem* item = nullptr;
};

std::unordered_set<const Drawer*>& LiveDrawers() {
    static std::unordered_set<const Drawer*> drawers;
    return drawers;
}

std::function<void(const DialogSnapshot&)>& ClosedListener() {
    static std::function<void(const DialogSnapshot&)> listener;
    return listener;
}

// The last closed dialog of each id, and the id of the last one closed.
struct ClosedDialogs {
    std::map<int32_t, DialogSnapshot> byId;
    int32_t last = 0;
    bool any = false;
};
ClosedDialogs& Closed() {
    static ClosedDialogs closed;
    return closed;
}

DialogBackEnd*& BackEnd() {
    static DialogBackEnd* backEnd = nullptr;
    return backEnd;
}

bool IsButton(const AdmItem* item) {
    return item->kind == DialogItemKind::kPushButton ||
           item->kind == DialogItemKind::kDefaultButton;
}

// "a popup", "an edit text".
std::string KindWithArticle(DialogItemKind kind) {
    const std::string name = DialogItemKindName(kind);
    return (name.find_first_of("aeiou") == 0 ? "an " : "a ") + name;
}

std::string Describe(const AdmDialog* dialog) {
    return "dialog " + std::to_string(dialog->resourceId);
}

TranscriptEntry DialogEntry(const AdmDialog* dialog, TranscriptEntry::Kind kind) {
    TranscriptEntry entry;
    entry.kind = kind;
    entry.plugin = dialog->plugin->name;
    entry.dialogId = dialog->resourceId;
    entry.dialogName = dialog->name;
    entry.title = dialog->resource.title;
    entry.result = dialog->result;
    for (const auto& item : dialog->items) {
        ShownDialogItem shown;
        shown.id = item->id;
        shown.kind = item->kind;
        shown.text = item->text;
        if (item->list != nullptr) {
            const AdmEntry* active = ActiveEntry(item->list.get());
            shown.text = active != nullptr ? active->text : std::string();
        }
        if (item->kind == DialogItemKind::kPicture) {
            shown.picture = item->resource.titleOrdinal;
            BitmapPixels bitmap;
            const auto bytes = dialog->plugin->resources->Bitmap(shown.picture);
            if (bytes && DecodeBitmapResource(*bytes, &bitmap) == ResourceStatus::kOk) {
                shown.pictureWidth = bitmap.width;
                shown.pictureHeight = bitmap.height;
            }
        }
        shown.rect = item->rect;
        entry.items.push_back(std::move(shown));
    }
    return entry;
}

DialogSnapshot Snapshot(const AdmDialog* dialog) {
    DialogSnapshot snapshot;
    snapshot.plugin = dialog->plugin->name;
    snapshot.dialogId = dialog->resourceId;
    snapshot.title = dialog->resource.title;
    snapshot.fontName = dialog->resource.fontName;
    snapshot.fontSize = dialog->resource.fontSize;
    snapshot.face = dialog->layout.face;
    snapshot.units = dialog->layout.units;
    snapshot.width = dialog->layout.width;
    snapshot.height = dialog->layout.height;
    snapshot.surface = dialog->surface;
    snapshot.result = dialog->ended ? dialog->result : 0;
    for (const auto& item : dialog->items) {
        SnapshotItem shot;
        shot.id = item->id;
        shot.kind = item->kind;
        shot.style = item->resource.style;
        shot.rect = item->rect;
        shot.text = item->text;
        shot.intValue = item->intValue;
        shot.caretAtEnd = item->typedLast;
        if (item->kind == DialogItemKind::kPicture) {
            shot.picture = item->resource.titleOrdinal;
            // The module's bitmap, as the picture control shows it.
            if (const auto bytes = dialog->plugin->resources->Bitmap(shot.picture))
                if (DecodeBitmapResource(*bytes, &shot.bitmap) != ResourceStatus::kOk)
                    shot.bitmap = BitmapPixels{};
        }
        if (item->list != nullptr) {
            shot.text.clear();
            for (const auto& entry : item->list->entries) {
                if (entry->selected && shot.selected < 0) {
                    shot.selected = static_cast<int32_t>(shot.entries.size());
                    shot.text = entry->text;
                }
                shot.entries.push_back(entry->separator ? std::string() : entry->text);
            }
        }
        snapshot.items.push_back(std::move(shot));
    }
    return snapshot;
}

}  // namespace

void PaintDialogItems(AdmDialog* dialog) {
    for (const auto& item : dialog->items) {
        if (!item->invalid) continue;
        item->invalid = false;
        if (item->draw == nullptr) continue;
        AdmItem* painted = item.get();
        const ItemPaintStatus status = PaintItem(&dialog->surface, item->rect, [painted](HDC dc) {
            Drawer drawer{reinterpret_cast<ADMPortRef>(dc)};
            LiveDrawers().insert(&drawer);
            painted->draw(RefOf(painted), reinterpret_cast<ADMDrawerRef>(&drawer));
            LiveDrawers().erase(&drawer);
        });
        const std::string itemName = Describe(dialog) + ": item " + std::to_string(item->id);
        if (status == ItemPaintStatus::kTooLarge)
            AddHostNote(dialog->plugin->name,
                        itemName + " lies partly outside the dialog and is too large to paint");
        if (status == ItemPaintStatus::kNoDC)
            AddHostNote(dialog->plugin->name, itemName + ": no device context to paint it on");
    }
}

AdmItem* DefaultButtonOf(const AdmDialog* dialog) {
    for (const auto& item : dialog->items)
        if (item->kind == DialogItemKind::kDefaultButton) return item.get();
    return FindItem(dialog, kDefaultButtonID);
}

namespace {

void Paint(AdmDialog* dialog) {
    PaintDialogItems(dialog);
}

// Ends `dialog` because the host could not go on with it.
void Abandon(AdmDialog* dialog, const std::string& why) {
    AddHostNote(dialog->plugin->name, Describe(dialog) + ": " + why);
    dialog->ended = true;
    dialog->result = kNoDialogResult;
}

// What is wrong with applying `step` to `dialog`; empty when it fits. Does
// what the step says when it fits.
std::string ApplyStep(AdmDialog* dialog, const UserStep& step) {
    if (step.action == UserStep::Action::kClose) {
        AdmItem* cancel = FindItem(dialog, kCancelButtonID);
        if (cancel != nullptr && IsButton(cancel)) {
            NotifyItem(RefOf(cancel));
        } else {
            dialog->ended = true;
            dialog->result = kCancelButtonID;
        }
        return std::string();
    }
    AdmItem* item = FindItem(dialog, step.item);
    const std::string itemName = "item " + std::to_string(step.item);
    if (item == nullptr) return "it has no " + itemName;
    switch (step.action) {
        case UserStep::Action::kPress:
            if (item->kind == DialogItemKind::kCheckBox) {
                item->intValue = item->intValue != 0 ? 0 : 1;
            } else if (item->kind == DialogItemKind::kRadioButton) {
                item->intValue = 1;
            } else if (!IsButton(item) && item->kind != DialogItemKind::kUserDrawn) {
                return itemName + " is " + KindWithArticle(item->kind) +
                       ", which cannot be pressed";
            }
            break;
        case UserStep::Action::kSelect: {
            if (item->list == nullptr)
                return itemName + " is " + KindWithArticle(item->kind) + ", not a popup";
            const auto& entries = item->list->entries;
            if (step.index < 0 || static_cast<size_t>(step.index) >= entries.size())
                return itemName + " has no entry " + std::to_string(step.index) + " (it has " +
                       std::to_string(entries.size()) + ")";
            AdmEntry* entry = entries[static_cast<size_t>(step.index)].get();
            if (!entry->enabled || entry->separator)
                return "entry " + std::to_string(step.index) + " of " + itemName + " is disabled";
            SelectEntry(entry, true);
            break;
        }
        case UserStep::Action::kType: {
            if (item->kind != DialogItemKind::kEditText)
                return itemName + " is " + KindWithArticle(item->kind) + ", not a text field";
            // An edit control takes no more than its limit, and no half
            // of a two-byte character.
            const size_t limit = item->maxTextLength >= 0 ? static_cast<size_t>(item->maxTextLength)
                                                          : step.text.size();
            item->text = step.text.substr(0, WholeCharacterPrefix(step.text, limit));
            item->typedLast = true;
            break;
        }
        case UserStep::Action::kClose:
            break;
    }
    NotifyItem(RefOf(item));
    return std::string();
}

// Plays the user's steps on `dialog` until its run ends.
void Interact(AdmDialog* dialog) {
    while (!dialog->ended) {
        std::optional<UserStep> step = TakeUserStep();
        if (!step) {
            AdmItem* button = DefaultButtonOf(dialog);
            if (button != nullptr) {
                NotifyItem(RefOf(button));
                Paint(dialog);
            }
            if (!dialog->ended)
                Abandon(dialog,
                        "still open after the user's steps and its default button; the "
                        "host closed it");
            return;
        }
        const std::string misfit = ApplyStep(dialog, *step);
        if (!misfit.empty()) {
            CountFailedUserStep();
            ClearUserScript();
            Abandon(dialog, "the user's next step does not fit: " + misfit +
                                "; the host closed it and dropped the remaining steps");
            return;
        }
        Paint(dialog);
    }
}

}  // namespace

int32_t RunModalDialog(SPPluginRef self, const char* name, int32_t dialogID,
                       ADMDialogStyle /*style*/, ADMDialogInitProc initProc, ADMUserData userData,
                       int32_t /*options*/) {
    Plugin* plugin = FindPlugin(self);
    if (plugin == nullptr) {
        AddHostNote("", "a modal dialog was asked for by an unknown plug-in reference");
        return kNoDialogResult;
    }
    const std::optional<DialogResource> resource = plugin->resources->Dialog(dialogID);
    if (!resource) {
        AddHostNote(plugin->name, "it has no dialog resource " + std::to_string(dialogID));
        return kNoDialogResult;
    }
    std::unique_ptr<AdmDialog> dialog =
        BuildDialog(plugin, dialogID, name != nullptr ? name : "", *resource);
    dialog->userData = userData;
    if (initProc != nullptr) {
        const ASErr error = initProc(RefOf(dialog.get()));
        if (error != kSPNoError) {
            AddHostNote(plugin->name, Describe(dialog.get()) + ": its init procedure failed with " +
                                          ErrorText(error) + "; it was not shown");
            RetireDialog(dialog.get());
            return kNoDialogResult;
        }
    }
    AddTranscriptEntry(DialogEntry(dialog.get(), TranscriptEntry::Kind::kDialogShown));
    for (const auto& item : dialog->items) item->invalid = true;
    Paint(dialog.get());
    // A test's own code runs inside the dialog once it is up; the init
    // procedure, or that code, may already have ended the run.
    if (!dialog->ended) {
        if (auto during = TakeModalDialogHook()) during(RefOf(dialog.get()));
    }
    if (!dialog->ended) {
        if (DialogBackEnd* backEnd = BackEnd()) {
            dialog->shownBy = backEnd;
            backEnd->RunModal(dialog.get());
            dialog->shownBy = nullptr;
            // A back end gives the run back only once it has ended; should
            // it not have, the host ends it.
            if (!dialog->ended) Abandon(dialog.get(), "its window closed while it ran");
        } else {
            Interact(dialog.get());
        }
    }
    AddTranscriptEntry(DialogEntry(dialog.get(), TranscriptEntry::Kind::kDialogClosed));
    DialogSnapshot closed = Snapshot(dialog.get());
    RetireDialog(dialog.get());
    if (ClosedListener()) ClosedListener()(closed);
    ClosedDialogs& kept = Closed();
    kept.last = closed.dialogId;
    kept.any = true;
    kept.byId[closed.dialogId] = std::move(closed);
    return dialog->result;
}

std::string ApplyUserStep(AdmDialog* dialog, const UserStep& step) {
    if (dialog == nullptr || dialog->ended) return "the dialog has ended";
    return ApplyStep(dialog, step);
}

void ItemStateChanged(AdmItem* item) {
    if (item != nullptr && item->dialog->shownBy != nullptr)
        item->dialog->shownBy->ItemChanged(item);
}

void InvalidateItem(AdmItem* item) {
    if (item == nullptr) return;
    item->invalid = true;
    if (item->dialog->shownBy != nullptr) item->dialog->shownBy->ItemInvalidated(item);
}

void SetDialogBackEnd(DialogBackEnd* backEnd) {
    BackEnd() = backEnd;
}

DialogBackEnd* CurrentDialogBackEnd() {
    return BackEnd();
}

void NotifyItem(ADMItemRef ref) {
    AdmItem* item = FromRef(ref);
    if (item == nullptr) return;
    Notifier notifier{item};
    if (item->notify != nullptr) {
        item->notify(ref, reinterpret_cast<ADMNotifierRef>(&notifier));
    } else {
        DefaultNotifyItem(ref);
    }
}

void DefaultNotifyItem(ADMItemRef ref) {
    AdmItem* item = FromRef(ref);
    if (item != nullptr && IsButton(item) &&
        (item->id == kDefaultButtonID || item->id == kCancelButtonID))
        EndModalDialog(RefOf(item->dialog), item->id);
}

void EndModalDialog(ADMDialogRef ref, int32_t result) {
    AdmDialog* dialog = FromRef(ref);
    if (dialog == nullptr) return;
    dialog->ended = true;
    dialog->result = result;
}

DialogSnapshot SnapshotDialog(ADMDialogRef ref) {
    const AdmDialog* dialog = FromRef(ref);
    return dialog != nullptr ? Snapshot(dialog) : DialogSnapshot();
}

void SetClosedDialogListener(std::function<void(const DialogSnapshot&)> listener) {
    ClosedListener() = std::move(listener);
}

const DialogSnapshot* LastClosedDialog(int32_t dialogId) {
    const ClosedDialogs& kept = Closed();
    if (!kept.any) return nullptr;
    const auto it = kept.byId.find(dialogId != 0 ? dialogId : kept.last);
    return it != kept.byId.end() ? &it->second : nullptr;
}

void ClearClosedDialogs() {
    Closed() = ClosedDialogs();
}

ADMPortRef DrawerPort(ADMDrawerRef ref) {
    const Drawer* drawer = reinterpret_cast<const Drawer*>(ref);
    return LiveDrawers().count(drawer) != 0 ? drawer->port : nullptr;
}

}  // namespace standin
