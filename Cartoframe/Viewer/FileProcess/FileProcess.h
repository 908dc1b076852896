#pragma once
// The map library's file store: every file of the library (map data, fonts,
// colours, logo, screenshots) is opened through these fp_ functions.
//
// Names are resolved against a base folder (the map folder). Each open file
// gets a stream record in a small table; the caller holds the standard
// buffered stream (FILE*) as its handle. Two kinds of file read the same way:
// plain files, and packed files whose content is a sequence of LZO1X blocks
// (layout in PackedLayout.h). Packed blocks are unpacked on demand into a
// cache of three slots filled in round-robin order, so the many small reads
// of the map loader within a few regions of a file unpack each block once.
//
// Every message goes to the diagnostics sink (Diagnostics.h). A block that
// unpacks larger than its block size, or a stream that is not in the table,
// is a fatal data error: it stops the map, and fp_Read refuses until the
// store is set up again or the map data set is loaded afresh.
//
// Single-threaded: the table, the cache and the buffers are module-wide.

#include <cstdio>

namespace cartoframe {

inline constexpr int FP_BASE_MAX = 1024;  // characters of the base folder (the map folder)
inline constexpr int FP_NAME_MAX = 255;   // characters of a name given to fp_Open
inline constexpr int FP_STREAM_MAX = 16;  // streams open at the same time
inline constexpr int FP_CACHE_SLOTS = 3;  // unpacked blocks kept
inline constexpr char FP_DEFAULT_BASE[] = "/.";

inline constexpr int FP_SEEK_SET = 0;
inline constexpr int FP_SEEK_CUR = 1;
inline constexpr int FP_SEEK_END = 2;

// Store set-up: takes the base folder (at most FP_BASE_MAX characters),
// closes whatever was open, empties the cache and allocates its three slot
// buffers. Answers 0, or -1 when the folder is too long or an allocation
// fails. Lifts a stop of the map.
int fp_Setup(const char* baseFolder);
// Store tear-down: frees the slot buffers and closes every stream. Safe to repeat.
void fp_Teardown();
const char* fp_BaseFolder();

// Opens base folder + "/" + name with a standard mode ("rb", "wb", "wt").
// Answers the stream positioned at 0, or null (with a message).
std::FILE* fp_Open(const char* name, const char* mode);
// Reads length bytes from the logical position and advances it by length.
// Answers length, or -1 with nothing delivered and the position unchanged.
int fp_Read(void* buffer, int length, std::FILE* stream);
// Writes to a plain file and advances the logical position. Answers length or -1.
int fp_Write(const void* data, int length, std::FILE* stream);
// whence FP_SEEK_SET, FP_SEEK_CUR or FP_SEEK_END (of the unpacked content of a
// packed file). Answers 0, or -1 with the position unchanged.
int fp_Seek(std::FILE* stream, int offset, int whence);
// The unpacked size of a packed file, the file length otherwise; -1 when the
// stream is not open.
int fp_Size(std::FILE* stream);
// The logical position; -1 when the stream is not open.
int fp_Tell(std::FILE* stream);
// Removes the stream's record, empties the cache slots that hold its blocks
// and closes it. Answers 0 or -1.
int fp_Close(std::FILE* stream);
void fp_CloseAll();
// Removes the file base folder + "/" + name (a file only; it must not be
// open). Answers 0, or -1 with a message.
int fp_Remove(const char* name);
// Creates the folder base folder + "/" + name; an existing folder is fine.
// Answers 0, or -1 with a message.
int fp_MakeFolder(const char* name);

// What the store holds, for tools and tests.
struct TCacheSlotState {
    const std::FILE* stream = nullptr; // null when the slot is empty
    int block = -1;
};
TCacheSlotState fp_CacheSlot(int slot);
int fp_NextCacheSlot();         // the slot that the next unpacked block fills
long fp_BlocksUnpacked();       // blocks unpacked since set-up
int fp_OpenCount();             // streams in the table
bool fp_IsPacked(std::FILE* stream);

} // namespace cartoframe
