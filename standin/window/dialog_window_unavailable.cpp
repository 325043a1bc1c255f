// dialog_window.h in a build without GTK (Windows, 32-bit Linux): no display is named and
// a session cannot open one, so every dialog stays with the scripted user.
#include "standin/window/dialog_window.h"

namespace standin {

WindowDialogSession::WindowDialogSession() = default;
WindowDialogSession::~WindowDialogSession() = default;

bool WindowDialogSession::Open(std::string* why) {
    if (why != nullptr) *why = "this build shows no windows (it has no GTK)";
    return false;
}

bool DisplayNamed() {
    return false;
}

}  // namespace standin
