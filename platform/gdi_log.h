// The GDI layer's call log: how each call and its arguments read in it.
// Internal to the platform library.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "platform/win_gdi.h"

namespace gdi {

// Whether calls are being logged.
bool LogOn();

// Empties the log and switches it off.
void ResetCallLog();

// Appends one call.
void RecordCall(const char* name, std::string args, std::string result);

// A value the log shows in hexadecimal (colours, raster operations, flags).
struct Hex {
    uint32_t value;
};
// A buffer the log shows only as present or absent.
struct Buffer {
    const void* pointer;
};

std::string Describe(const void* object);  // a handle, as gdi_monitor.h tells
std::string Describe(HDC dc);
std::string Describe(HBITMAP bitmap);
std::string Describe(HBRUSH brush);
std::string Describe(int value);
std::string Describe(unsigned value);
std::string Describe(Hex value);
std::string Describe(Buffer buffer);
std::string Describe(const RECT* rect);
std::string Describe(const BITMAPINFOHEADER* header);
std::string Describe(const BITMAPINFO* info);

// One call being logged: the arguments are read as the call begins (a handle
// it deletes still reads as what it was), the result as it ends.
class Call {
  public:
    template <class... Args>
    explicit Call(const char* name, const Args&... args) : name_(name), on_(LogOn()) {
        if (on_) ((args_ += (args_.empty() ? "" : ", ") + Describe(args)), ...);
    }

    // Logs `result` and returns it.
    template <class T>
    T Done(T result) {
        if (on_) RecordCall(name_, std::move(args_), Describe(result));
        return result;
    }

  private:
    const char* name_;
    bool on_;
    std::string args_;
};

}  // namespace gdi
