// A 32-bit module that gets wrong what the host relies on, for the test that
// shows the module check catching each fault: its entry point is stdcall (so
// exported decorated, as PluginMain@12), it has a second export, and it
// imports GetTickCount64, which Windows 2000 and XP lack. Its resources
// carry a PiPL of another interface version and entry point.
#include <windows.h>

extern "C" __declspec(dllexport) long __stdcall PluginMain(const char*, const char*, void*) {
    return static_cast<long>(GetTickCount64() & 1);
}

extern "C" __declspec(dllexport) int ExtraExport(void) { return 0; }
