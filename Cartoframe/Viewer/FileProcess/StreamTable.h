#pragma once
// The table of open streams and the block cache, shared by the units of the
// file store (not part of its interface).

#include "FileProcess.h"

#include <cstdint>
#include <memory>

namespace cartoframe::store {

struct TStreamRecord {
    char name[FP_NAME_MAX + 1] = {};
    int unpackedSize = 0;      // packed files only
    int packed = 0;            // 1 packed, 0 plain
    int blockSize = 0;         // packed: unpacked bytes per block
    int blockCount = 0;        // packed: n
    std::unique_ptr<int[]> blockOffsets; // packed: n + 1 file offsets
    int fileLength = 0;        // bytes in the file when it was opened
    bool writable = false;     // opened for writing: its length may change
    long fileCursor = -1;      // where the FILE stands, -1 unknown or just written
    std::FILE* file = nullptr;
    int position = 0;          // logical position of the next read
};

// The record of an open stream, or null.
TStreamRecord* findStream(const std::FILE* file);

struct TCacheSlot {
    std::unique_ptr<std::uint8_t[]> data; // LZO_BUF_SIZE bytes once set up
    const std::FILE* stream = nullptr;
    int block = -1;
    int length = 0; // unpacked bytes the block delivered
};

struct TBlockCache {
    TCacheSlot slots[FP_CACHE_SLOTS];
    int next = 0; // round-robin index of the slot to fill next
    std::unique_ptr<std::uint8_t[]> input; // compressed bytes of one block
    long unpacked = 0;
    bool ready = false;
};

TBlockCache& blockCache();
// Empties every slot that holds a block of this stream.
void forgetStream(const std::FILE* file);

// Reads from the unpacked content of a packed stream (PackedRead.cpp).
int readPacked(TStreamRecord& record, std::uint8_t* out, int length);

// Recognises a packed file and reads its header and block offset table into
// the record. Answers false only for a packed file whose header is unusable
// (a fatal data error, already reported); a plain file answers true.
bool readPackedHeader(TStreamRecord& record);

} // namespace cartoframe::store
