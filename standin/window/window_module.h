// The boundary between the program and the back-end module orvelk-window.so,
// which holds the dialogs' windows and everything of GTK: the module's two
// entry points, which WindowDialogSession finds by name.
#pragma once

#include <string>

namespace standin {
class DialogBackEnd;
}

// The names the program looks the entry points up by.
inline constexpr char kWindowModuleFile[] = "orvelk-window.so";
inline constexpr char kOpenDialogWindowsEntry[] = "OrvelkOpenDialogWindows";
inline constexpr char kCloseDialogWindowsEntry[] = "OrvelkCloseDialogWindows";

extern "C" {

// Opens the display and returns a new back end that shows the dialog
// manager's modal runs in windows; null, with the reason in *why, when no
// display can be opened.
standin::DialogBackEnd* OrvelkOpenDialogWindows(std::string* why);

// Takes down and frees a back end that OrvelkOpenDialogWindows returned.
void OrvelkCloseDialogWindows(standin::DialogBackEnd* windows);
}

// The entries' types, for the program's look-up.
using OpenDialogWindowsCall = standin::DialogBackEnd* (*)(std::string* why);
using CloseDialogWindowsCall = void (*)(standin::DialogBackEnd* windows);
