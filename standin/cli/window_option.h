// The options --interactive and --no-interactive of the commands that show
// the plug-in's dialogs: whether they are shown in windows on the display
// for a person to use (standin/window) or run by the scripted user.
#pragma once

#include <getopt.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "standin/window/dialog_window.h"

// getopt_long values of the two options.
inline constexpr int kOptionInteractive = 0x2A0;
inline constexpr int kOptionNoInteractive = 0x2A1;

enum class WindowChoice {
    kDefault,   // the command's own default
    kWindows,   // --interactive
    kScripted,  // --no-interactive
};

// The two options' entries of a getopt_long table.
std::vector<option> WindowOptions();

// Takes option `c` into *choice when it is one of the two; false otherwise.
bool TakeWindowOption(int c, WindowChoice* choice);

// Whether the dialogs go to windows: --interactive; by default, when
// `windowsByDefault`, standard input is a terminal and a display is named.
bool WantsWindows(WindowChoice choice, bool windowsByDefault);

// Opens the display and hands the dialogs to `session` when WantsWindows
// says so. False, with a message on `err`, when windows were asked for with
// --interactive and cannot be shown, or with a script of the user's steps
// beside them; a default that cannot be kept falls back to the script.
bool BeginWindowDialogs(WindowChoice choice, bool windowsByDefault, bool scripted,
                        standin::WindowDialogSession* session, const char* command, FILE* err);
