// The program's side of dialog_window.h: the session opens the module that
// holds the windows (window_module.h) only when windows are asked for.
#include <cstdlib>

#include "standin/suites/adm/dialog_back_end.h"
#include "standin/loading/back_end_module.h"
#include "standin/window/dialog_window.h"
#include "standin/window/window_module.h"

namespace standin {

WindowDialogSession::WindowDialogSession() = default;

WindowDialogSession::~WindowDialogSession() {
    if (windows_ == nullptr) return;
    if (CurrentDialogBackEnd() == windows_) SetDialogBackEnd(nullptr);
    close_(windows_);
}

bool WindowDialogSession::Open(std::string* why) {
    if (windows_ != nullptr) return true;
    std::string reason;
    const auto open = reinterpret_cast<OpenDialogWindowsCall>(
        BackEndEntry(kWindowModuleFile, kOpenDialogWindowsEntry, &reason));
    const auto close = reinterpret_cast<CloseDialogWindowsCall>(
        BackEndEntry(kWindowModuleFile, kCloseDialogWindowsEntry, &reason));
    if (open == nullptr || close == nullptr) {
        if (why != nullptr) *why = reason;
        return false;
    }
    windows_ = open(why);
    if (windows_ == nullptr) return false;
    close_ = close;
    SetDialogBackEnd(windows_);
    return true;
}

bool DisplayNamed() {
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x != nullptr && *x != '\0') || (wayland != nullptr && *wayland != '\0');
}

}  // namespace standin
