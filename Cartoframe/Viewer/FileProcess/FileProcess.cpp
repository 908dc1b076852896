#include "FileProcess.h"

#include "Diagnostics.h"
#include "PackedLayout.h"
#include "StorePath.h"
#include "StreamTable.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <new>
#include <string>
#include <system_error>

namespace cartoframe {
namespace store {
namespace {

char g_base[FP_BASE_MAX + 1] = "/.";
TStreamRecord g_streams[FP_STREAM_MAX];
int g_streamCount = 0;
TBlockCache g_cache;

// Byte length of an open file, or -1; the file stays where it was.
long fileLength(std::FILE* file) {
    const long here = std::ftell(file);
    if (here < 0 || std::fseek(file, 0, SEEK_END) != 0)
        return -1;
    const long length = std::ftell(file);
    std::fseek(file, here, SEEK_SET);
    return length;
}

void resetRecord(TStreamRecord& record) { record = TStreamRecord{}; }

// Moves a plain file's FILE to the logical position unless it already stands
// there after a read (the C library wants a seek between a write and a
// following read, and a seek may drop its read buffer).
bool syncPlainFile(TStreamRecord& record) {
    if (record.fileCursor == record.position)
        return true;
    const bool moved = std::fseek(record.file, record.position, SEEK_SET) == 0;
    record.fileCursor = moved ? record.position : -1;
    return moved;
}

int readPlain(TStreamRecord& record, std::uint8_t* out, int length) {
    const auto wanted = static_cast<std::size_t>(length);
    if (record.position > INT_MAX - length || !syncPlainFile(record) ||
        std::fread(out, 1, wanted, record.file) != wanted) {
        dbg_Print("fp_Read: invalid reading!\n");
        std::clearerr(record.file);
        record.fileCursor = -1;
        return -1;
    }
    record.position += length;
    record.fileCursor = record.position;
    return length;
}

bool opensForWriting(const char* mode) {
    return std::strchr(mode, 'w') || std::strchr(mode, 'a') || std::strchr(mode, '+');
}

TStreamRecord* streamForCall(std::FILE* stream) {
    TStreamRecord* record = findStream(stream);
    CF_CHECK_TEXT(record != nullptr, "stream");
    return record;
}

} // namespace

TStreamRecord* findStream(const std::FILE* file) {
    if (!file)
        return nullptr;
    for (int i = 0; i < g_streamCount; ++i)
        if (g_streams[i].file == file)
            return &g_streams[i];
    return nullptr;
}

TBlockCache& blockCache() { return g_cache; }

void forgetStream(const std::FILE* file) {
    for (TCacheSlot& slot : g_cache.slots) {
        if (slot.stream == file) {
            slot.stream = nullptr;
            slot.block = -1;
            slot.length = 0;
        }
    }
}

} // namespace store

using namespace store;

int fp_Setup(const char* baseFolder) {
    fp_Teardown();
    if (!baseFolder || std::strlen(baseFolder) > static_cast<std::size_t>(FP_BASE_MAX)) {
        dbg_Print("fp_Setup: map folder missing or longer than %d characters!\n", FP_BASE_MAX);
        return -1;
    }
    std::strcpy(g_base, baseFolder);
    for (int i = 0; i < FP_CACHE_SLOTS; ++i) {
        g_cache.slots[i].data.reset(new (std::nothrow) std::uint8_t[LZO_BUF_SIZE]);
        if (!g_cache.slots[i].data) {
            dbg_Print("lzo_buffer[%d] = malloc(%d) failed\n", i, LZO_BUF_SIZE);
            fp_Teardown();
            return -1;
        }
    }
    g_cache.input.reset(new (std::nothrow) std::uint8_t[LZO_IN_BUF_SIZE]);
    if (!g_cache.input) {
        dbg_Print("lzo_buffer[%d] = malloc(%d) failed\n", FP_CACHE_SLOTS, LZO_IN_BUF_SIZE);
        fp_Teardown();
        return -1;
    }
    g_cache.ready = true;
    dbg_RestartMap();
    return 0;
}

void fp_Teardown() {
    fp_CloseAll();
    for (TCacheSlot& slot : g_cache.slots)
        slot = TCacheSlot{};
    g_cache.input.reset();
    g_cache.next = 0;
    g_cache.unpacked = 0;
    g_cache.ready = false;
}

const char* fp_BaseFolder() { return g_base; }

std::FILE* fp_Open(const char* name, const char* mode) {
    if (!name || !mode) {
        dbg_Print("fp_Open: invalid params!\n");
        return nullptr;
    }
    if (std::strlen(name) > static_cast<std::size_t>(FP_NAME_MAX)) {
        dbg_Print("fp_Open: name longer than %d characters refused!\n", FP_NAME_MAX);
        return nullptr;
    }
    const std::string path = joinStorePath(g_base, name);
    if (g_streamCount == FP_STREAM_MAX) {
        dbg_Print("fp_Open: '%s' refused, %d files are open!\n", path.c_str(), FP_STREAM_MAX);
        return nullptr;
    }
    std::FILE* file = std::fopen(path.c_str(), mode);
    if (!file) {
        dbg_Print("fp_Open: open '%s'(%s) failed!\n", path.c_str(), mode);
        return nullptr;
    }
    const long length = fileLength(file);
    if (length < 0 || length > INT_MAX) {
        dbg_Print("fp_Open: '%s' is not a file of at most %d bytes!\n", path.c_str(), INT_MAX);
        std::fclose(file);
        return nullptr;
    }
    TStreamRecord& record = g_streams[g_streamCount];
    resetRecord(record);
    std::strcpy(record.name, name);
    record.file = file;
    record.fileLength = static_cast<int>(length);
    record.writable = opensForWriting(mode);
    if (!readPackedHeader(record)) {
        std::fclose(file);
        resetRecord(record);
        return nullptr;
    }
    std::fseek(file, 0, SEEK_SET);
    record.fileCursor = 0;
    ++g_streamCount;
    return file;
}

int fp_Read(void* buffer, int length, std::FILE* stream) {
    if (!buffer || length <= 0 || !stream) {
        dbg_Print("fp_Read: invalid params %x %x %x!\n",
                  static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(buffer)), static_cast<unsigned>(length),
                  static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(stream)));
        return -1;
    }
    TStreamRecord* record = streamForCall(stream);
    if (!record)
        return -1;
    if (dbg_IsMapStopped()) {
        dbg_Print("fp_Read: refused, the map is stopped!\n");
        return -1;
    }
    auto* out = static_cast<std::uint8_t*>(buffer);
    return record->packed ? readPacked(*record, out, length) : readPlain(*record, out, length);
}

int fp_Write(const void* data, int length, std::FILE* stream) {
    if (!data || length <= 0 || !stream) {
        dbg_Print("fp_Write: invalid params!\n");
        return -1;
    }
    TStreamRecord* record = streamForCall(stream);
    if (!record)
        return -1;
    if (record->packed) {
        dbg_Print("fp_Write: invalid params!\n");
        return -1;
    }
    const auto wanted = static_cast<std::size_t>(length);
    record->fileCursor = -1; // a write is always preceded by a seek
    if (record->position > INT_MAX - length || !syncPlainFile(*record) ||
        std::fwrite(data, 1, wanted, stream) != wanted) {
        dbg_Print("fp_Write: invalid writing!\n");
        std::clearerr(stream);
        record->fileCursor = -1;
        return -1;
    }
    record->position += length;
    record->fileCursor = -1; // and followed by one before the next read
    return length;
}

int fp_Seek(std::FILE* stream, int offset, int whence) {
    if (!stream || whence < FP_SEEK_SET || whence > FP_SEEK_END) {
        dbg_Print("fp_Seek: invalid params!\n");
        return -1;
    }
    TStreamRecord* record = streamForCall(stream);
    if (!record)
        return -1;
    const int size = fp_Size(stream);
    const long long from = whence == FP_SEEK_SET ? 0 : whence == FP_SEEK_CUR ? record->position : size;
    const long long target = from + offset;
    if (record->packed && (target < 0 || target > size))
        dbg_Print("fp_Seek: out of range %lld in %d!\n", target, size);
    // A packed file's own FILE is positioned by every block read; a plain one
    // moves with the logical position.
    if (target < 0 || target > INT_MAX ||
        (!record->packed && std::fseek(stream, static_cast<long>(target), SEEK_SET) != 0)) {
        dbg_Print("fp_Seek: failed!!\n");
        if (!record->packed)
            record->fileCursor = -1;
        return -1;
    }
    record->position = static_cast<int>(target);
    if (!record->packed)
        record->fileCursor = record->position;
    return 0;
}

int fp_Size(std::FILE* stream) {
    TStreamRecord* record = findStream(stream);
    if (!record)
        return -1;
    if (record->packed)
        return record->unpackedSize;
    if (!record->writable)
        return record->fileLength;
    const long length = fileLength(stream);
    return length < 0 || length > INT_MAX ? -1 : static_cast<int>(length);
}

int fp_Tell(std::FILE* stream) {
    const TStreamRecord* record = findStream(stream);
    return record ? record->position : -1;
}

int fp_Close(std::FILE* stream) {
    if (!stream)
        return -1;
    TStreamRecord* record = streamForCall(stream);
    if (!record)
        return -1;
    forgetStream(stream);
    TStreamRecord& last = g_streams[g_streamCount - 1];
    if (record != &last)
        *record = std::move(last);
    resetRecord(last);
    --g_streamCount;
    return std::fclose(stream) == 0 ? 0 : -1;
}

void fp_CloseAll() {
    while (g_streamCount > 0)
        fp_Close(g_streams[g_streamCount - 1].file);
}

TCacheSlotState fp_CacheSlot(int slot) {
    if (slot < 0 || slot >= FP_CACHE_SLOTS)
        return {};
    return {g_cache.slots[slot].stream, g_cache.slots[slot].block};
}

int fp_NextCacheSlot() { return g_cache.next; }

long fp_BlocksUnpacked() { return g_cache.unpacked; }

int fp_OpenCount() { return g_streamCount; }

bool fp_IsPacked(std::FILE* stream) {
    const TStreamRecord* record = findStream(stream);
    return record && record->packed;
}

int fp_Remove(const char* name) {
    if (!name || std::strlen(name) > static_cast<std::size_t>(FP_NAME_MAX))
        return -1;
    const std::string path = store::joinStorePath(store::g_base, name);
    std::error_code error;
    if (!std::filesystem::remove(path, error) || error) {
        dbg_Print("fp_Remove: remove '%s' failed!\n", path.c_str());
        return -1;
    }
    return 0;
}

int fp_MakeFolder(const char* name) {
    if (!name || std::strlen(name) > static_cast<std::size_t>(FP_NAME_MAX))
        return -1;
    const std::string path = store::joinStorePath(store::g_base, name);
    std::error_code error;
    std::filesystem::create_directory(path, error);
    if (error || !std::filesystem::is_directory(path, error)) {
        dbg_Print("fp_MakeFolder: create '%s' failed!\n", path.c_str());
        return -1;
    }
    return 0;
}

} // namespace cartoframe
