#pragma once
// The settings logic owned by the settings popup: the system-settings block,
// the level slider position, the three folders, the card file and the
// folder part of the viewer's configuration text.
//
// Two copies of the block are kept: the live block, changed at once by the
// popup's controls, and the hand-out copy given to the main window. Folders
// are UTF-8 and at most kFolderMaxBytes bytes (the 260-byte buffers of the
// configuration reader, NUL included).
//
// Not thread-safe: used from the GUI thread only.

#include "CardSettingsRecord.h"
#include "SystemSettings.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kyvo::settings {

struct CardWrite {
    std::string path;   // UTF-8; the bare file name when no card drive was picked
    CardRecord record;
};

class SystemSettingsStore {
public:
    static constexpr std::size_t kFolderMaxBytes = 259;
    static constexpr std::size_t kFragmentLimit = 511;
    static constexpr char kFieldSeparator = '?';
    static constexpr char kPathSeparator = '/';

    SystemSettingsStore();

    // Takes a block (missing bytes zero) as both copies, with the markers
    // forced to 5 and 1 whatever the source held, and places the level slider.
    void loadBlock(std::span<const std::uint8_t> bytes);

    // Refreshes the hand-out copy from the live block and returns it.
    const SystemSettings& handOut();

    SystemSettings& live() { return live_; }
    const SystemSettings& live() const { return live_; }

    int levelPosition() const { return levelPosition_; }
    // Clamped to the slider track 0..213.
    void setLevelPosition(int position);

    // The setters cut to kFolderMaxBytes bytes on a character boundary.
    const std::string& captureFolder() const { return captureFolder_; }
    void setCaptureFolder(std::string_view folder);
    const std::string& backupFolder() const { return backupFolder_; }
    void setBackupFolder(std::string_view folder);
    const std::string& cardDrive() const { return cardDrive_; }
    void setCardDrive(std::string_view drive);

    // Readies the block for the card: text "0", level from the slider, the
    // live block copied to the hand-out copy; answers the file path and the
    // record to write.
    CardWrite prepareCardWrite();
    // prepareCardWrite() and the file write; false when the file could not be
    // written completely (the caller reports it to the user).
    bool writeCardSettings();

    // The folder part of the configuration text:
    //   "<capture>?1?0?<backup>?1?0?<card drive>?"
    // bounded to min(maxBytes, kFragmentLimit) bytes. A folder that does not
    // fit in what is left (taken in the order capture, backup, card drive) is
    // written empty rather than cut: a cut path would silently name another
    // folder, an empty one makes the user pick it again. A folder holding "?"
    // or "*" cannot be read back from this text and is written empty as
    // well. Answers "" when not even the empty skeleton fits.
    std::string buildFragment(std::size_t maxBytes = kFragmentLimit) const;

    // Reads the folders back from the text following the viewer's own fields:
    // field 1 capture folder, field 4 backup folder, field 7 card drive.
    // Missing fields leave a folder empty.
    void parseFragment(std::string_view rest);

private:
    SystemSettings live_;
    SystemSettings handOut_;
    int levelPosition_;
    std::string captureFolder_;
    std::string backupFolder_;
    std::string cardDrive_;
};

} // namespace kyvo::settings
