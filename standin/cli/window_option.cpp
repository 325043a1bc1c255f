#include "standin/cli/window_option.h"

#include <unistd.h>

#include <string>

#include "standin/cli/options.h"

std::vector<option> WindowOptions() {
    return {
        {"interactive", no_argument, nullptr, kOptionInteractive},
        {"no-interactive", no_argument, nullptr, kOptionNoInteractive},
    };
}

bool TakeWindowOption(int c, WindowChoice* choice) {
    if (c == kOptionInteractive) *choice = WindowChoice::kWindows;
    if (c == kOptionNoInteractive) *choice = WindowChoice::kScripted;
    return c == kOptionInteractive || c == kOptionNoInteractive;
}

bool WantsWindows(WindowChoice choice, bool windowsByDefault) {
    switch (choice) {
        case WindowChoice::kWindows:
            return true;
        case WindowChoice::kScripted:
            return false;
        case WindowChoice::kDefault:
            break;
    }
    return windowsByDefault && isatty(STDIN_FILENO) && standin::DisplayNamed();
}

bool BeginWindowDialogs(WindowChoice choice, bool windowsByDefault, bool scripted,
                        standin::WindowDialogSession* session, const char* command, FILE* err) {
    if (choice == WindowChoice::kWindows && scripted) {
        PrintError(err, command, "--interactive and --user exclude each other");
        return false;
    }
    if (scripted || !WantsWindows(choice, windowsByDefault)) return true;
    std::string why;
    if (session->Open(&why)) return true;
    if (choice != WindowChoice::kWindows) return true;
    PrintError(err, command, "--interactive: %s", why.c_str());
    return false;
}
