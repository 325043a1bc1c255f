// The window system that shows the stand-in's modal dialogs to a person, in
// place of the scripted user. The dialog manager keeps every item's state
// (texts, values, entries, selections, the client area's pixels); a back end
// only mirrors that state in its windows and hands what the person does back
// to the manager as user steps (ApplyUserStep of dialog_manager.h), so that a
// plug-in cannot tell a window from a script.
#pragma once

namespace standin {

struct AdmDialog;
struct AdmItem;

class DialogBackEnd {
  public:
    virtual ~DialogBackEnd() = default;

    // Shows `dialog` (built, initialised, its items painted once) and runs its
    // modal loop until the dialog has ended (AdmDialog::ended), then takes the
    // window down. Called once per modal run; runs may nest, as a notification
    // may open another modal dialog.
    virtual void RunModal(AdmDialog* dialog) = 0;

    // The plug-in changed `item`'s text, value, length limit, entries or
    // selection while its dialog is shown.
    virtual void ItemChanged(AdmItem* item) = 0;

    // `item` waits to be painted. The back end paints the dialog's waiting
    // items (PaintDialogItems) when it next draws the window, once the event
    // that invalidated has been handled.
    virtual void ItemInvalidated(AdmItem* item) = 0;
};

// The back end of the modal runs from now on; null (the default) for the
// scripted user. The caller keeps it alive while it is set.
void SetDialogBackEnd(DialogBackEnd* backEnd);

// The back end in force; null for the scripted user.
DialogBackEnd* CurrentDialogBackEnd();

}  // namespace standin
