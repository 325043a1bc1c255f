// Opens a region of host records with the host's packing: 4 bytes on 32-bit
// Windows and on i386, where the host's headers set it. Elsewhere (the 64-bit
// builds of the stand-in and its tests) records keep natural alignment, so
// that 8-byte pointers stay aligned. Close the region with pack_end.h.
// No include guard: it is included once per region.
#if (defined(_WIN32) && !defined(_WIN64)) || defined(__i386__)
#pragma pack(push, 4)
#endif
