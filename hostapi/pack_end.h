// Closes a region opened by pack_begin.h. No include guard: it is included
// once per region.
#if (defined(_WIN32) && !defined(_WIN64)) || defined(__i386__)
#pragma pack(pop)
#endif
