#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>

#include <string>
#include <vector>

#include "platform/win_types.h"
#include <shellapi.h>
#endif

#include "standin/cli/interrupts.h"
#include "standin/cli/options.h"
#include "standin/cli/orvelk_command.h"
#include "standin/files/temporary_files.h"

#if defined(_WIN32)
namespace {

// The command line as UTF-8, as the commands read their arguments everywhere
// (the C runtime's own arguments are in the ANSI code page). Empty when the
// system cannot give it.
std::vector<std::string> Utf8Arguments() {
    std::vector<std::string> arguments;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) return arguments;
    for (int i = 0; i < count; ++i) {
        const int n = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string argument(static_cast<size_t>(n > 0 ? n : 1), '\0');
        if (n > 0) WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, argument.data(), n, nullptr, nullptr);
        argument.resize(std::strlen(argument.c_str()));
        arguments.push_back(std::move(argument));
    }
    LocalFree(wide);
    return arguments;
}

}  // namespace
#endif

namespace {

#if !defined(_WIN32)
// Opens /dev/null onto each of the descriptors 0-2 that is closed, so that
// no file the run opens takes its place (a file being written would then
// receive the dump or the messages). It is opened for the other direction,
// so that reading standard input or writing standard output still fails as
// on a closed descriptor, and is said so.
void FillClosedStandardDescriptors() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        const int opened = open("/dev/null", fd == 0 ? O_WRONLY : O_RDONLY);
        if (opened >= 0 && opened != fd) {
            dup2(opened, fd);
            close(opened);
        }
    }
}
#endif

}  // namespace

int main(int argc, char** argv) {
#if defined(_WIN32)
    // Bytes as they are: no CR before each LF, no end at a 0x1A.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::vector<std::string> arguments = Utf8Arguments();
    std::vector<char*> pointers;
    if (!arguments.empty()) {
        for (std::string& a : arguments) pointers.push_back(a.data());
        pointers.push_back(nullptr);
        argc = static_cast<int>(arguments.size());
        argv = pointers.data();
    }
#else
    FillClosedStandardDescriptors();
#endif
    // Room for what the commands print but a dump, so that a failed write
    // of it is met by the last flush below, which knows its reason; a
    // terminal keeps its line buffering.
    static char outputBuffer[size_t{1} << 16];
    if (isatty(fileno(stdout)) == 0)
        std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
    InstallInterruptHandlers(isatty(fileno(stderr)) != 0);
    int status = kExitOk;
    try {
        status = RunOrvelk(argc, argv, stdout, stderr);
    } catch (const std::bad_alloc&) {
        // Said plainly, with what was being written removed, rather than
        // ended by the runtime's abort.
        standin::RemoveTemporaryFiles();
        std::fputs("orvelk: out of memory: the run stopped; files it had not finished were "
                   "removed\n",
                   stderr);
        return kExitWriteFailed;
    }
    // What is still buffered for standard output must reach it too: a full
    // disk or a closed pipe is a failure, not a success (said once: the
    // command may have said it already). The reason is the flush's own when
    // it failed; not known when an earlier write failed.
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0;
    if (!flushed || std::ferror(stdout)) {
        ReportStandardOutputFailure(stdout, stderr, nullptr, flushed ? 0 : errno);
        if (status == kExitOk) status = kExitWriteFailed;
    }
    return status;
}
