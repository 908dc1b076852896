// The file store: name resolution, plain files, recognising packed files,
// the block cache and its slots, reads and seeks out of range, and every way
// a broken packed file stops the map without touching memory it does not own.
#include "CartoTestSupport.h"
#include "Diagnostics.h"
#include "FileProcess.h"
#include "PackedLayout.h"
#include "StorePath.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace cartoframe {
namespace {

using test::Bytes;

class FileStoreTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(fp_Setup(folder_.str().c_str()), 0); }
    void TearDown() override {
        fp_Teardown();
        dbg_RestartMap();
    }

    std::FILE* openWith(const char* name, const Bytes& bytes) {
        test::writeFile(folder_.path() / name, bytes);
        return fp_Open(name, "rb");
    }
    // Reads n bytes at a position; empty when the read fails.
    Bytes readAt(std::FILE* stream, int position, int n) {
        Bytes out(static_cast<std::size_t>(n));
        if (fp_Seek(stream, position, FP_SEEK_SET) != 0 || fp_Read(out.data(), n, stream) != n)
            return {};
        return out;
    }
    static Bytes slice(const Bytes& bytes, int from, int n) {
        return Bytes(bytes.begin() + from, bytes.begin() + from + n);
    }
    static bool slotHolds(int slot, const std::FILE* stream, int block) {
        const TCacheSlotState state = fp_CacheSlot(slot);
        return state.stream == stream && state.block == block;
    }

    test::DiagCapture diag_;
    test::TempFolder folder_;
};

TEST(StorePathTest, OneSlashBetweenBaseAndName) {
    const struct {
        const char* base;
        const char* name;
        const char* path;
    } cases[] = {
        {"/maps/tw", "Map.dat", "/maps/tw/Map.dat"},
        {"/maps/tw/", "Map.dat", "/maps/tw/Map.dat"},
        {"/maps/tw", "/Map.dat", "/maps/tw/Map.dat"},
        {"/maps/tw/", "/Map.dat", "/maps/tw/Map.dat"},
        {FP_DEFAULT_BASE, "Font/MingTi12", "/./Font/MingTi12"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(store::joinStorePath(c.base, c.name), c.path) << c.base << " + " << c.name;
}

TEST_F(FileStoreTest, PlainFileWriteSeekAndRead) {
    std::FILE* out = fp_Open("plain.bin", "wb");
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(fp_Write("abcdefgh", 8, out), 8);
    EXPECT_EQ(fp_Tell(out), 8);
    EXPECT_EQ(fp_Size(out), 8);
    EXPECT_EQ(fp_Close(out), 0);

    std::FILE* in = fp_Open("plain.bin", "rb");
    ASSERT_NE(in, nullptr);
    EXPECT_FALSE(fp_IsPacked(in));
    char text[9] = {};
    EXPECT_EQ(fp_Read(text, 3, in), 3);
    EXPECT_STREQ(text, "abc");
    EXPECT_EQ(fp_Seek(in, 2, FP_SEEK_CUR), 0);
    EXPECT_EQ(fp_Read(text, 2, in), 2);
    EXPECT_EQ(std::string(text, 2), "fg");
    EXPECT_EQ(fp_Seek(in, -8, FP_SEEK_END), 0);
    EXPECT_EQ(fp_Tell(in), 0);

    // A short read delivers nothing and leaves the position where it was.
    EXPECT_EQ(fp_Read(text, 9, in), -1);
    EXPECT_TRUE(diag_.contains("fp_Read: invalid reading!\n"));
    EXPECT_EQ(fp_Tell(in), 0);
    EXPECT_EQ(fp_Read(text, 8, in), 8);
    EXPECT_EQ(std::string(text, 8), "abcdefgh");
    EXPECT_FALSE(dbg_IsMapStopped());
}

TEST_F(FileStoreTest, InvalidArgumentsAreRefusedWithTheirMessages) {
    std::FILE* in = openWith("plain.bin", Bytes(16, 7));
    ASSERT_NE(in, nullptr);
    char buffer[16];
    EXPECT_EQ(fp_Read(nullptr, 4, in), -1);
    EXPECT_EQ(fp_Read(buffer, 0, in), -1);
    EXPECT_EQ(fp_Read(buffer, 4, nullptr), -1);
    EXPECT_TRUE(diag_.contains("fp_Read: invalid params 0 4 "));
    EXPECT_EQ(fp_Write(nullptr, 4, in), -1);
    EXPECT_TRUE(diag_.contains("fp_Write: invalid params!\n"));
    EXPECT_EQ(fp_Write("x", 1, in), -1); // opened for reading only
    EXPECT_TRUE(diag_.contains("fp_Write: invalid writing!\n"));
    EXPECT_EQ(fp_Seek(in, 0, 3), -1);
    EXPECT_EQ(fp_Seek(in, -1, FP_SEEK_SET), -1);
    EXPECT_TRUE(diag_.contains("fp_Seek: failed!!\n"));
    EXPECT_EQ(fp_Tell(in), 0);

    EXPECT_EQ(fp_Open("missing.bin", "rb"), nullptr);
    EXPECT_TRUE(diag_.contains("fp_Open: open '" + folder_.str() + "/missing.bin'(rb) failed!\n"));
    EXPECT_EQ(fp_Open(std::string(FP_NAME_MAX + 1, 'n').c_str(), "rb"), nullptr);
    EXPECT_FALSE(dbg_IsMapStopped());
}

TEST_F(FileStoreTest, OnlyAWellFormedHeaderMakesAFilePacked) {
    const Bytes content = test::patternBytes(3000);
    const Bytes packed = test::PackedFile(content, 1024).bytes();
    Bytes header52(packed.begin(), packed.begin() + PACK_PROBE_SIZE);
    Bytes wrongFormat = packed;
    test::putLe32(wrongFormat, PACK_FORMAT_WORD_AT, 2);
    Bytes wrongReserved = packed;
    test::putLe32(wrongReserved, PACK_RESERVED_WORD_AT, 1);
    Bytes wrongMagic = packed;
    wrongMagic[3] = 'v';

    const struct {
        const char* name;
        Bytes bytes;
        bool packed;
        int size;
    } cases[] = {
        {"packed", packed, true, 3000},
        {"exactly 52 bytes", header52, false, 52},
        {"format word 2", wrongFormat, false, static_cast<int>(packed.size())},
        {"reserved word 1", wrongReserved, false, static_cast<int>(packed.size())},
        {"magic Vadv", wrongMagic, false, static_cast<int>(packed.size())},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::FILE* stream = openWith("probe.bin", c.bytes);
        ASSERT_NE(stream, nullptr);
        EXPECT_EQ(fp_IsPacked(stream), c.packed);
        EXPECT_EQ(fp_Size(stream), c.size);
        EXPECT_EQ(fp_Tell(stream), 0);
        // A plain file reads back its raw bytes.
        EXPECT_EQ(readAt(stream, 0, 52), c.packed ? slice(content, 0, 52) : slice(c.bytes, 0, 52));
        fp_Close(stream);
    }
    EXPECT_FALSE(dbg_IsMapStopped());
}

TEST_F(FileStoreTest, PackedContentReadsBackWholeInPiecesAndAfterSeeks) {
    const Bytes content = test::patternBytes(10 * 1024 + 333);
    std::FILE* stream = openWith("packed.bin", test::PackedFile(content, 1024).bytes());
    ASSERT_NE(stream, nullptr);
    ASSERT_TRUE(fp_IsPacked(stream));

    Bytes whole(content.size());
    ASSERT_EQ(fp_Read(whole.data(), static_cast<int>(whole.size()), stream), static_cast<int>(whole.size()));
    EXPECT_EQ(whole, content);

    ASSERT_EQ(fp_Seek(stream, 0, FP_SEEK_SET), 0);
    Bytes pieces;
    for (int n = 1; pieces.size() < content.size(); n = n * 3 % 1499 + 1) {
        const int wanted = std::min(n, static_cast<int>(content.size() - pieces.size()));
        Bytes piece(static_cast<std::size_t>(wanted));
        ASSERT_EQ(fp_Read(piece.data(), wanted, stream), wanted);
        pieces.insert(pieces.end(), piece.begin(), piece.end());
    }
    EXPECT_EQ(pieces, content);

    EXPECT_EQ(fp_Seek(stream, -100, FP_SEEK_END), 0);
    EXPECT_EQ(fp_Tell(stream), static_cast<int>(content.size()) - 100);
    Bytes tail(100);
    EXPECT_EQ(fp_Read(tail.data(), 100, stream), 100);
    EXPECT_EQ(tail, slice(content, static_cast<int>(content.size()) - 100, 100));
    EXPECT_EQ(fp_Seek(stream, -5000, FP_SEEK_CUR), 0);
    EXPECT_EQ(readAt(stream, 5000, 2000), slice(content, 5000, 2000));
}

TEST_F(FileStoreTest, AReadAcrossThreeBlocksFillsTheSlotsInTurn) {
    const Bytes content = test::patternBytes(5 * 1024);
    std::FILE* stream = openWith("packed.bin", test::PackedFile(content, 1024).bytes());
    ASSERT_NE(stream, nullptr);

    EXPECT_EQ(readAt(stream, 1000, 1100), slice(content, 1000, 1100)); // blocks 0, 1 and 2
    EXPECT_TRUE(slotHolds(0, stream, 0));
    EXPECT_TRUE(slotHolds(1, stream, 1));
    EXPECT_TRUE(slotHolds(2, stream, 2));
    EXPECT_EQ(fp_NextCacheSlot(), 0);
    EXPECT_EQ(fp_BlocksUnpacked(), 3);

    EXPECT_EQ(readAt(stream, 10, 20), slice(content, 10, 20));
    EXPECT_EQ(fp_BlocksUnpacked(), 3) << "block 0 is still cached";

    EXPECT_EQ(readAt(stream, 3100, 10), slice(content, 3100, 10)); // block 3 takes slot 0
    EXPECT_TRUE(slotHolds(0, stream, 3));
    EXPECT_EQ(readAt(stream, 10, 20), slice(content, 10, 20));
    EXPECT_EQ(fp_BlocksUnpacked(), 5) << "block 0 lost its slot and is unpacked anew";
    EXPECT_TRUE(slotHolds(1, stream, 0));
    EXPECT_EQ(fp_NextCacheSlot(), 2);
}

TEST_F(FileStoreTest, ClosingAStreamEmptiesItsSlotsSoANewStreamNeverSeesStaleBlocks) {
    const Bytes first = test::patternBytes(3 * 1024, 1);
    const Bytes second = test::patternBytes(3 * 1024, 2);
    const Bytes other = test::patternBytes(1024, 3);
    test::writeFile(folder_.path() / "second.bin", test::PackedFile(second, 1024).bytes());

    std::FILE* stream = openWith("first.bin", test::PackedFile(first, 1024).bytes());
    std::FILE* keeper = openWith("other.bin", test::PackedFile(other, 1024).bytes());
    ASSERT_NE(stream, nullptr);
    ASSERT_NE(keeper, nullptr);
    EXPECT_EQ(readAt(stream, 0, 2048), slice(first, 0, 2048));
    EXPECT_EQ(readAt(keeper, 0, 16), slice(other, 0, 16));
    fp_Close(stream);
    EXPECT_EQ(fp_CacheSlot(0).stream, nullptr);
    EXPECT_EQ(fp_CacheSlot(1).stream, nullptr);
    EXPECT_TRUE(slotHolds(2, keeper, 0));

    // The C library hands out the freed handle again as a rule; either way the
    // new stream reads its own blocks.
    std::FILE* reopened = fp_Open("second.bin", "rb");
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(readAt(reopened, 0, 2048), slice(second, 0, 2048));
}

TEST_F(FileStoreTest, ReadsAndSeeksOutsideThePackedContent) {
    const Bytes content = test::patternBytes(5000);
    std::FILE* stream = openWith("packed.bin", test::PackedFile(content, 1024).bytes());
    ASSERT_NE(stream, nullptr);
    Bytes buffer(200);

    ASSERT_EQ(fp_Seek(stream, 4900, FP_SEEK_SET), 0);
    EXPECT_EQ(fp_Read(buffer.data(), 101, stream), -1);
    EXPECT_TRUE(diag_.contains("fp_Read: invalid reading!\n"));
    EXPECT_EQ(fp_Tell(stream), 4900);
    EXPECT_EQ(fp_Read(buffer.data(), 100, stream), 100);

    EXPECT_EQ(fp_Seek(stream, 1000, FP_SEEK_END), 0);
    EXPECT_TRUE(diag_.contains("fp_Seek: out of range 6000 in 5000!\n"));
    EXPECT_EQ(fp_Tell(stream), 6000);
    EXPECT_EQ(fp_Read(buffer.data(), 1, stream), -1);

    EXPECT_EQ(fp_Seek(stream, -7000, FP_SEEK_CUR), -1);
    EXPECT_TRUE(diag_.contains("fp_Seek: out of range -1000 in 5000!\n"));
    EXPECT_TRUE(diag_.contains("fp_Seek: failed!!\n"));
    EXPECT_EQ(fp_Tell(stream), 6000);
    EXPECT_FALSE(dbg_IsMapStopped());
}

// A packed file with its first block replaced by a hand-made stream.
Bytes withFirstBlock(const Bytes& content, int blockSize, const Bytes& block) {
    test::PackedFile file(content, blockSize);
    file.blocks[0] = block;
    return file.bytes();
}

TEST_F(FileStoreTest, BrokenBlocksStopTheMapWithTheirCheck) {
    const Bytes content = test::patternBytes(4096);
    Bytes garbage = test::lzoCompress(test::patternBytes(1024));
    for (std::size_t i = 0; i < garbage.size(); i += 3)
        garbage[i] ^= 0x5C;
    const struct {
        const char* name;
        Bytes file;
        std::string check;
    } cases[] = {
        {"block larger than the block size", withFirstBlock(content, 1024, test::lzoCompress(Bytes(1500, 1))),
         "tmpPackSize <= PackSize"},
        {"block larger than its slot", withFirstBlock(content, 1024, test::lzoCompress(Bytes(60000, 2))),
         "tmpPackSize <= PackSize"},
        {"corrupt stream", withFirstBlock(content, 1024, garbage), "lzo1x_decompress_safe(...) == LZO_E_OK"},
        {"block shorter than the read", withFirstBlock(content, 1024, test::lzoCompress(Bytes(500, 3))),
         "offset + count <= slot->length"},
        {"compressed block beyond the input buffer", withFirstBlock(content, 1024, Bytes(LZO_IN_BUF_SIZE + 1, 0)),
         "PackedLen <= LZO_IN_BUF_SIZE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        diag_.clear();
        std::FILE* plain = openWith("plain.bin", Bytes(8, 1));
        std::FILE* stream = openWith("broken.bin", c.file);
        ASSERT_NE(stream, nullptr);
        Bytes buffer(1024);
        EXPECT_EQ(fp_Read(buffer.data(), 1024, stream), -1);
        EXPECT_EQ(diag_.assertion().rfind("Assertion failed: " + c.check + ", file PackedRead.cpp, line ", 0), 0u)
            << diag_.assertion();
        EXPECT_TRUE(dbg_IsMapStopped());
        EXPECT_EQ(fp_Tell(stream), 0);
        EXPECT_EQ(fp_Read(buffer.data(), 8, plain), -1) << "a stopped map reads nothing";

        ASSERT_EQ(fp_Setup(folder_.str().c_str()), 0);
        EXPECT_FALSE(dbg_IsMapStopped());
        EXPECT_EQ(fp_OpenCount(), 0);
    }
}

TEST_F(FileStoreTest, UnusableHeadersRefuseTheOpenAndStopTheMap) {
    const Bytes content = test::patternBytes(3000);
    const Bytes good = test::PackedFile(content, 1024).bytes(); // 3 blocks
    const auto changed = [&](std::size_t at, std::uint32_t value) {
        Bytes bytes = good;
        test::putLe32(bytes, at, value);
        return bytes;
    };
    const std::size_t table = PACK_OFFSET_TABLE_AT;
    const struct {
        const char* name;
        Bytes file;
    } cases[] = {
        {"header cut after 52 bytes", Bytes(good.begin(), good.begin() + 56)},
        {"block size 0", changed(PACK_BLOCK_SIZE_AT, 0)},
        {"block size beyond a slot", changed(PACK_BLOCK_SIZE_AT, LZO_BUF_SIZE + 1)},
        {"negative unpacked size", changed(PACK_UNPACKED_SIZE_AT, 0xFFFFFFF0u)},
        {"negative block count", changed(PACK_BLOCK_COUNT_AT, 0xFFFFFFFFu)},
        {"offset table beyond the file", changed(PACK_BLOCK_COUNT_AT, 100000)},
        {"blocks that do not cover the content", changed(PACK_BLOCK_COUNT_AT, 2)},
        {"offsets out of order", changed(table + 4, 10)},
        {"offset beyond the file", changed(table + 12, static_cast<std::uint32_t>(good.size() + 1))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        diag_.clear();
        EXPECT_EQ(openWith("broken.bin", c.file), nullptr);
        EXPECT_NE(diag_.assertion(), "");
        EXPECT_EQ(fp_OpenCount(), 0);
        EXPECT_TRUE(dbg_IsMapStopped());
        ASSERT_EQ(fp_Setup(folder_.str().c_str()), 0);
    }
}

TEST_F(FileStoreTest, StreamTableKeepsTheOthersWhenOneClosesAndRefusesStrangers) {
    std::FILE* a = openWith("a.bin", Bytes(4, 'a'));
    std::FILE* b = openWith("b.bin", Bytes(4, 'b'));
    std::FILE* c = openWith("c.bin", Bytes(4, 'c'));
    ASSERT_EQ(fp_Read(Bytes(1).data(), 1, b), 1);
    EXPECT_EQ(fp_Close(a), 0);
    EXPECT_EQ(fp_OpenCount(), 2);
    EXPECT_EQ(fp_Tell(b), 1);
    EXPECT_EQ(readAt(c, 0, 4), Bytes(4, 'c'));
    EXPECT_EQ(readAt(b, 0, 4), Bytes(4, 'b'));

    while (fp_OpenCount() < FP_STREAM_MAX)
        ASSERT_NE(fp_Open("a.bin", "rb"), nullptr);
    EXPECT_EQ(fp_Open("a.bin", "rb"), nullptr);
    EXPECT_TRUE(diag_.contains("files are open"));
    EXPECT_FALSE(dbg_IsMapStopped());

    std::FILE* stranger = std::fopen((folder_.path() / "a.bin").c_str(), "rb");
    ASSERT_NE(stranger, nullptr);
    char byte = 0;
    EXPECT_EQ(fp_Read(&byte, 1, stranger), -1);
    EXPECT_EQ(diag_.assertion().rfind("Assertion failed: stream, file FileProcess.cpp, line ", 0), 0u);
    std::fclose(stranger);
    fp_CloseAll();
    EXPECT_EQ(fp_OpenCount(), 0);
}

TEST_F(FileStoreTest, SetUpRefusesALongFolderAndTearDownRepeats) {
    EXPECT_EQ(fp_Setup(std::string(FP_BASE_MAX + 1, 'd').c_str()), -1);
    EXPECT_TRUE(diag_.contains("longer than 1024 characters"));
    // Without set-up a plain file still reads, a packed one does not.
    test::writeFile(folder_.path() / "packed.bin", test::PackedFile(test::patternBytes(100), 1024).bytes());
    fp_Teardown();
    fp_Teardown();
    EXPECT_EQ(fp_BaseFolder(), folder_.str());
    std::FILE* stream = fp_Open("packed.bin", "rb");
    ASSERT_NE(stream, nullptr);
    char byte = 0;
    EXPECT_EQ(fp_Read(&byte, 1, stream), -1);
    EXPECT_TRUE(diag_.contains("fp_Read: the store is not set up!\n"));
    EXPECT_FALSE(dbg_IsMapStopped());
    fp_Close(stream);

    // A folder of the full 1024 characters is taken.
    ASSERT_EQ(fp_Setup(std::string(FP_BASE_MAX, 'd').c_str()), 0);
    EXPECT_EQ(std::string(fp_BaseFolder()).size(), static_cast<std::size_t>(FP_BASE_MAX));
}

} // namespace
} // namespace cartoframe
