// What the platform layer tells of an open file and of the clock.
#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/stat.h>
#endif

#include <cstdlib>
#include <ctime>
#include <string>

#include "platform/win_files.h"
#include "platform/win_path.h"
#include "tests/platform/win_path_test_support.h"
#include "tests/support/test_temp_dir.h"

namespace {

uint64_t Ticks(const FILETIME& t) { return (uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime; }

HANDLE AsHandle(HFILE f) { return reinterpret_cast<HANDLE>(static_cast<intptr_t>(f)); }

TEST(WinFileInformation, NamesTheFileItsSizeAndItsLastWrite) {
    const std::string path = Win("wfi_a.bin");
    HFILE f = _lcreat(path.c_str(), 0);
    ASSERT_NE(f, HFILE_ERROR);
    _lwrite(f, "twelve bytes", 12);
    BY_HANDLE_FILE_INFORMATION info{};
    ASSERT_TRUE(GetFileInformationByHandle(AsHandle(f), &info));
    _lclose(f);
    EXPECT_EQ(info.nFileSizeHigh, 0u);
    EXPECT_EQ(info.nFileSizeLow, 12u);
    EXPECT_EQ(info.nNumberOfLinks, 1u);
    EXPECT_EQ(info.dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));  // a new file
#if !defined(_WIN32)  // the index and the times as this machine keeps them
    const std::string native = TestTempDir() + "wfi_a.bin";
    struct stat st;
    ASSERT_EQ(::stat(native.c_str(), &st), 0);
    EXPECT_EQ((uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow, st.st_ino);

    // 100 ns units since 1601; the nanoseconds are kept to the 100.
    const struct timespec times[2] = {{978307200, 0}, {978307200, 123456789}};  // 2001-01-01
    ASSERT_EQ(::utimensat(AT_FDCWD, native.c_str(), times, 0), 0);
#endif
    f = _lopen(path.c_str(), OF_READ);
    ASSERT_TRUE(GetFileInformationByHandle(AsHandle(f), &info));
#if !defined(_WIN32)
    EXPECT_EQ(Ticks(info.ftLastWriteTime), (978307200ull + 11644473600ull) * 10000000 + 1234567);
#endif

    // Another file beside it: the same volume, another index.
    BY_HANDLE_FILE_INFORMATION other{};
    const HFILE g = _lcreat(Win("wfi_b.bin").c_str(), 0);
    ASSERT_TRUE(GetFileInformationByHandle(AsHandle(g), &other));
    EXPECT_EQ(other.dwVolumeSerialNumber, info.dwVolumeSerialNumber);
    EXPECT_NE((uint64_t{other.nFileIndexHigh} << 32) | other.nFileIndexLow,
              (uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow);
    _lclose(g);
    _lclose(f);
    DeleteFileA(Win("wfi_b.bin").c_str());
    DeleteFileA(path.c_str());

    EXPECT_FALSE(GetFileInformationByHandle(AsHandle(f), &info));  // closed
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(GetFileInformationByHandle(AsHandle(HFILE_ERROR), &info));
    EXPECT_FALSE(GetFileInformationByHandle(AsHandle(HFILE_ERROR), nullptr));  // the handle first
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(WinFileInformation, SystemTimeIsTheClockSince1601) {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const int64_t seconds = static_cast<int64_t>(Ticks(now) / 10000000) - 11644473600;
    EXPECT_LE(std::llabs(seconds - static_cast<int64_t>(::time(nullptr))), 2);
}

}  // namespace
