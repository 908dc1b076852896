// Packed files: recognising the layout, and reading the unpacked content
// through the three-slot block cache.
#include "Diagnostics.h"
#include "LittleEndian.h"
#include "LzoBlock.h"
#include "PackedLayout.h"
#include "StreamTable.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

namespace cartoframe::store {
namespace {

bool readAt(TStreamRecord& record, long offset, std::uint8_t* out, std::size_t size) {
    if (record.fileCursor != offset && std::fseek(record.file, offset, SEEK_SET) != 0) {
        record.fileCursor = -1;
        return false;
    }
    const std::size_t got = std::fread(out, 1, size, record.file);
    record.fileCursor = offset + static_cast<long>(got);
    if (got != size) {
        std::clearerr(record.file);
        record.fileCursor = -1;
        return false;
    }
    return true;
}

bool looksPacked(const std::uint8_t* probe) {
    return std::memcmp(probe, PACK_MAGIC, PACK_MAGIC_SIZE) == 0 &&
           le_LoadInt(probe + PACK_FORMAT_WORD_AT) == PACK_FORMAT_WORD &&
           le_LoadInt(probe + PACK_RESERVED_WORD_AT) == PACK_RESERVED_WORD;
}

// Header and offset table of a recognised packed file. Every block must lie
// inside the file, in order, and together the blocks must cover the content.
bool readLayout(TStreamRecord& record) {
    std::uint8_t head[PACK_OFFSET_TABLE_AT];
    const long long fileLength = record.fileLength;
    if (!CF_CHECK(fileLength >= static_cast<long long>(PACK_OFFSET_TABLE_AT)) ||
        !CF_CHECK(readAt(record, 0, head, sizeof head)))
        return false;
    const int unpackedSize = le_LoadInt(head + PACK_UNPACKED_SIZE_AT);
    const int PackSize = le_LoadInt(head + PACK_BLOCK_SIZE_AT);
    const int blockCount = le_LoadInt(head + PACK_BLOCK_COUNT_AT);
    const long long tableEnd = static_cast<long long>(PACK_OFFSET_TABLE_AT) +
                               (static_cast<long long>(blockCount) + 1) * static_cast<long long>(PACK_WORD_SIZE);
    if (!CF_CHECK(PackSize > 0 && PackSize <= LZO_BUF_SIZE) || !CF_CHECK(unpackedSize >= 0) ||
        !CF_CHECK(blockCount >= 0 && tableEnd <= fileLength) ||
        !CF_CHECK(static_cast<long long>(blockCount) * PackSize >= unpackedSize))
        return false;

    const auto entries = static_cast<std::size_t>(blockCount) + 1;
    std::unique_ptr<std::uint8_t[]> table(new (std::nothrow) std::uint8_t[entries * PACK_WORD_SIZE]);
    std::unique_ptr<int[]> offsets(new (std::nothrow) int[entries]);
    if (!table || !offsets) {
        dbg_Print("fp_Open: no memory for the %d block offsets of '%s'!\n", blockCount, record.name);
        return false;
    }
    if (!CF_CHECK(readAt(record, PACK_OFFSET_TABLE_AT, table.get(), entries * PACK_WORD_SIZE)))
        return false;
    int previous = 0;
    for (std::size_t i = 0; i < entries; ++i) {
        const int offset = le_LoadInt(table.get() + i * PACK_WORD_SIZE);
        if (!CF_CHECK(offset >= previous && offset <= fileLength))
            return false;
        offsets[i] = previous = offset;
    }
    record.packed = 1;
    record.unpackedSize = unpackedSize;
    record.blockSize = PackSize;
    record.blockCount = blockCount;
    record.blockOffsets = std::move(offsets);
    return true;
}

// Unpacks block i of the stream into the slot that the round-robin index
// names. Answers the slot, or null after a fatal data error.
TCacheSlot* unpackBlock(TStreamRecord& record, int block) {
    TBlockCache& cache = blockCache();
    const int begin = record.blockOffsets[block];
    const int PackedLen = record.blockOffsets[block + 1] - begin;
    if (!CF_CHECK(PackedLen <= LZO_IN_BUF_SIZE) ||
        !CF_CHECK(readAt(record, begin, cache.input.get(), static_cast<std::size_t>(PackedLen))))
        return nullptr;

    TCacheSlot& slot = cache.slots[cache.next];
    slot.stream = nullptr; // whatever happens next, its old block is gone
    slot.block = -1;
    slot.length = 0;
    std::size_t tmpPackSize = 0;
    const TUnpackResult result = lzo_UnpackBlock(cache.input.get(), static_cast<std::size_t>(PackedLen),
                                                 slot.data.get(), LZO_BUF_SIZE, &tmpPackSize);
    const auto PackSize = static_cast<std::size_t>(record.blockSize);
    if (result == UNPACK_TOO_LARGE)
        tmpPackSize = static_cast<std::size_t>(LZO_BUF_SIZE) + 1; // would not fit its slot
    if (!CF_CHECK_TEXT(tmpPackSize <= PackSize, "tmpPackSize <= PackSize") ||
        !CF_CHECK_TEXT(result == UNPACK_OK, "lzo1x_decompress_safe(...) == LZO_E_OK"))
        return nullptr;
    slot.stream = record.file;
    slot.block = block;
    slot.length = static_cast<int>(tmpPackSize);
    cache.next = (cache.next + 1) % FP_CACHE_SLOTS;
    ++cache.unpacked;
    return &slot;
}

TCacheSlot* cachedBlock(const std::FILE* file, int block) {
    for (TCacheSlot& slot : blockCache().slots)
        if (slot.stream == file && slot.block == block)
            return &slot;
    return nullptr;
}

} // namespace

bool readPackedHeader(TStreamRecord& record) {
    std::uint8_t probe[PACK_PROBE_SIZE];
    if (static_cast<std::size_t>(record.fileLength) <= PACK_PROBE_SIZE ||
        !readAt(record, 0, probe, sizeof probe) || !looksPacked(probe))
        return true; // a plain file
    return readLayout(record);
}

int readPacked(TStreamRecord& record, std::uint8_t* out, int length) {
    if (!blockCache().ready) {
        dbg_Print("fp_Read: the store is not set up!\n");
        return -1;
    }
    if (record.position > record.unpackedSize - length) {
        dbg_Print("fp_Read: invalid reading!\n");
        return -1;
    }
    const int PackSize = record.blockSize;
    int block = record.position / PackSize;
    int offset = record.position % PackSize;
    int delivered = 0;
    while (delivered < length) {
        TCacheSlot* slot = cachedBlock(record.file, block);
        if (!slot)
            slot = unpackBlock(record, block);
        if (!slot)
            return -1;
        const int count = std::min(PackSize - offset, length - delivered);
        // A block that unpacked short has nothing to give beyond its end.
        if (!CF_CHECK(offset + count <= slot->length))
            return -1;
        std::memcpy(out + delivered, slot->data.get() + offset, static_cast<std::size_t>(count));
        delivered += count;
        offset = 0;
        ++block;
    }
    record.position += length;
    return length;
}

} // namespace cartoframe::store
