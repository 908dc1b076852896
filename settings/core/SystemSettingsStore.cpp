#include "SystemSettingsStore.h"

#include "CardFile.h"
#include "FieldSplitter.h"
#include "LevelPosition.h"
#include "TextLimits.h"

#include <algorithm>
#include <array>

namespace kyvo::settings {

namespace {

constexpr char kCardText[] = "0";
constexpr char kFieldEnd = '*';
// The two flags written after each of the first two folders.
constexpr std::string_view kFolderFlags = "1?0?";

// Field numbers (from 1) of the folders within the fragment.
constexpr int kCaptureField = 1;
constexpr int kBackupField = 4;
constexpr int kCardDriveField = 7;

std::string cutFolder(std::string_view folder) {
    return std::string(cutUtf8(folder, SystemSettingsStore::kFolderMaxBytes));
}

bool storable(std::string_view folder) {
    return folder.find(SystemSettingsStore::kFieldSeparator) == std::string_view::npos &&
           folder.find(kFieldEnd) == std::string_view::npos &&
           folder.find('\0') == std::string_view::npos;
}

} // namespace

SystemSettingsStore::SystemSettingsStore()
    : live_(SystemSettings::defaults()),
      handOut_(live_),
      levelPosition_(positionFromLevel(live_.level())) {}

void SystemSettingsStore::loadBlock(std::span<const std::uint8_t> bytes) {
    handOut_ = SystemSettings::fromBytes(bytes);
    handOut_.setMarkerA(SystemSettings::kMarkerAValue);
    handOut_.setMarkerB(SystemSettings::kMarkerBValue);
    levelPosition_ = positionFromLevel(handOut_.level());
    live_ = handOut_;
}

const SystemSettings& SystemSettingsStore::handOut() {
    handOut_ = live_;
    return handOut_;
}

void SystemSettingsStore::setLevelPosition(int position) {
    levelPosition_ = std::clamp(position, kMinLevelPosition, kMaxLevelPosition);
}

void SystemSettingsStore::setCaptureFolder(std::string_view folder) {
    captureFolder_ = cutFolder(folder);
}

void SystemSettingsStore::setBackupFolder(std::string_view folder) {
    backupFolder_ = cutFolder(folder);
}

void SystemSettingsStore::setCardDrive(std::string_view drive) {
    cardDrive_ = cutFolder(drive);
}

CardWrite SystemSettingsStore::prepareCardWrite() {
    live_.setText({});
    live_.setText(kCardText);
    live_.setLevel(levelFromPosition(levelPosition_));
    handOut_ = live_;

    CardWrite write;
    write.path = cardDrive_;
    if (!write.path.empty() && write.path.back() != kPathSeparator)
        write.path += kPathSeparator;
    write.path += kCardFileName;
    write.record = buildCardRecord(handOut_);
    return write;
}

bool SystemSettingsStore::writeCardSettings() {
    const CardWrite write = prepareCardWrite();
    return writeCardFile(write.path, write.record);
}

std::string SystemSettingsStore::buildFragment(std::size_t maxBytes) const {
    // "?1?0?" after each of the first two folders, "?" after the card drive.
    constexpr std::size_t kSkeletonBytes = 2 * (1 + kFolderFlags.size()) + 1;
    const std::size_t limit = std::min(maxBytes, kFragmentLimit);
    if (limit < kSkeletonBytes)
        return {};

    std::size_t room = limit - kSkeletonBytes;
    auto take = [&room](std::string_view folder) -> std::string_view {
        const std::string_view cut = cutUtf8(folder, kFolderMaxBytes);
        if (!storable(cut) || cut.size() > room)
            return {};
        room -= cut.size();
        return cut;
    };

    std::string fragment;
    fragment.reserve(limit);
    const std::array<std::string_view, 2> flagged{take(captureFolder_), take(backupFolder_)};
    for (const std::string_view folder : flagged) {
        fragment += folder;
        fragment += kFieldSeparator;
        fragment += kFolderFlags;
    }
    fragment += take(cardDrive_);
    fragment += kFieldSeparator;
    return fragment;
}

void SystemSettingsStore::parseFragment(std::string_view rest) {
    captureFolder_.clear();
    backupFolder_.clear();
    cardDrive_.clear();

    FieldSplitter fields(rest, kFieldSeparator);
    std::string field;
    for (int number = 1; number <= kCardDriveField && fields.next(field); ++number) {
        if (number == kCaptureField)
            captureFolder_ = cutFolder(field);
        else if (number == kBackupField)
            backupFolder_ = cutFolder(field);
        else if (number == kCardDriveField)
            cardDrive_ = cutFolder(field);
    }
}

} // namespace kyvo::settings
