// The stand-in's dialogs as real windows, on GTK 3: a back end of the dialog
// manager (dialog_back_end.h) that shows each modal dialog in a window of its
// own with the dialog's title and its client area 1:1 in pixels, as the
// layout places the items. Push buttons, check boxes, edit texts and popups
// are widgets at their items' rectangles; everything else (static texts,
// frames, pictures, and the pixels that draw procedures painted) is the
// dialog's picture (standin/render), drawn under the widgets from the
// manager's state, so user-drawn items show their pixels unscaled.
//
// Keys as in a Windows dialog: Enter presses the default button (unless a
// push button has the focus, which Enter then presses), Escape and the
// window's close box press Cancel (item 2). Text typed into an edit text
// reaches the plug-in at every change of the field (a keystroke, a paste, a
// committed input-method composition; a composition in progress is not the
// field's text yet), in code page 932.
//
// The windows live in the back-end module orvelk-window.so (GTK and its
// libraries), which a session opens when it opens the display; a program
// that never shows a window never loads GTK.
#pragma once

#include <string>

namespace standin {

class DialogBackEnd;

// While alive, every modal run of the dialog manager is shown in a window
// and driven by the person at the display instead of the scripted user.
class WindowDialogSession {
  public:
    WindowDialogSession();
    ~WindowDialogSession();
    WindowDialogSession(const WindowDialogSession&) = delete;
    WindowDialogSession& operator=(const WindowDialogSession&) = delete;

    // Opens the display and takes over the modal runs. False, with the
    // reason in *why, when no display can be opened.
    bool Open(std::string* why);

  private:
    DialogBackEnd* windows_ = nullptr;
    void (*close_)(DialogBackEnd*) = nullptr;
};

// Whether a display is named in the environment (DISPLAY or WAYLAND_DISPLAY
// set and not empty): a window could be shown.
bool DisplayNamed();

}  // namespace standin
