// The backup copy: whole or absent, never onto itself, with the recording's
// modification time.

#include "BackupCopy.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace kyvo::app;
namespace fs = std::filesystem;

namespace {

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

// Several chunks, not a repeating pattern.
std::string recordingBytes() {
    std::string bytes(9u << 20, '\0');
    std::uint32_t state = 12345;
    for (char& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 24);
    }
    return bytes;
}

bool onlyFile(const fs::path& folder, const fs::path& name) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        count += entry.path().filename() == name ? 1 : 100;
    return count == 1;
}

} // namespace

TEST(BackupCopy, TheTargetIsCopyAndTheRecordingsNameInTheFolder) {
    EXPECT_EQ(backupTarget("/backup", "/media/card/drf_20110104_123456.mov"),
              fs::path("/backup/copy_drf_20110104_123456.mov"));
    EXPECT_EQ(backupTarget("/backup/", "/media/drf_old/muevt_20110104_123456.mov"),
              fs::path("/backup/copy_muevt_20110104_123456.mov"));
    EXPECT_EQ(backupTarget("/backup", "/card/drf_20110104_123456.mjpg"), fs::path("/backup/copy_drf_20110104_123456.mjpg"));
}

TEST(BackupCopy, ACopyIsByteIdenticalKeepsTheTimeAndLeavesNothingElse) {
    const kyvo::test::TempFolder card("kyvocard");
    const kyvo::test::TempFolder backup("kyvobackup");
    const fs::path source = card.path() / "drf_20110104_123456.mov";
    const std::string bytes = recordingBytes();
    write(source, bytes);
    const auto recorded = fs::last_write_time(source) - std::chrono::hours(30);
    fs::last_write_time(source, recorded);

    const fs::path target = backupTarget(backup.path(), source);
    write(target, "an older backup");
    std::atomic<bool> cancel{false};
    std::uint64_t reported = 0;
    EXPECT_EQ(copyRecording(source, target, cancel, [&](const CopyProgress& p) {
                  EXPECT_GT(p.done, reported);
                  EXPECT_EQ(p.total, bytes.size());
                  reported = p.done;
              }),
              CopyResult::Copied);
    EXPECT_EQ(reported, bytes.size());
    EXPECT_TRUE(bytesOf(target) == bytes);
    EXPECT_EQ(fs::last_write_time(target), recorded);
    EXPECT_TRUE(onlyFile(backup.path(), target.filename()));

    EXPECT_EQ(copyRecording(source, source, cancel), CopyResult::SameFile);
    EXPECT_TRUE(bytesOf(source) == bytes);
}

TEST(BackupCopy, AFailedOrCancelledCopyLeavesTheOldBackupAndNoPartialFile) {
    const kyvo::test::TempFolder folder("kyvobackup");
    const fs::path source = folder.path() / "drf_20110104_123456.mov";
    write(source, recordingBytes());
    const fs::path backups = folder.path() / "backups";
    fs::create_directory(backups);
    const fs::path target = backupTarget(backups, source);
    write(target, "an older backup");

    std::atomic<bool> cancel{false};
    EXPECT_EQ(copyRecording(source, target, cancel, [&](const CopyProgress&) { cancel = true; }),
              CopyResult::Cancelled);
    EXPECT_EQ(bytesOf(target), "an older backup");
    EXPECT_TRUE(onlyFile(backups, target.filename()));

    cancel = false;
    // A "folder" that is a file, and a folder that is gone.
    EXPECT_EQ(copyRecording(source, backupTarget(target, source), cancel), CopyResult::TargetFailed);
    EXPECT_EQ(copyRecording(source, backupTarget(folder.path() / "gone", source), cancel), CopyResult::TargetFailed);
    EXPECT_EQ(copyRecording(folder.path() / "missing.mov", target, cancel), CopyResult::SourceUnreadable);
    EXPECT_EQ(bytesOf(target), "an older backup");
    EXPECT_TRUE(onlyFile(backups, target.filename()));
}
