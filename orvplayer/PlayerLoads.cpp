// Loading a pair of files: the client is asked at every load how many
// channels it wants and whether the recordings are scrambled (and with which
// key), so that a choice it makes between two files counts for the next one.
// Everything here runs on the player thread.

#include "Player.h"

#include "VideoWindow.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>

namespace orv {

namespace {
constexpr int kEncryptedViewMode = 1;
} // namespace

Player::LoadSettings Player::askLoadSettings() {
    LoadSettings settings;
    settings.channelMode = std::clamp<int>(queryInt(kEvChannelMode, channelMode_), 1, kChannels);
    // The key is a 32-bit word the client hands over as an int.
    const std::int32_t encrypted = queryInt(kEvEncryptedMode, 0);
    const auto key = static_cast<std::uint32_t>(queryInt(kEvKey, 0));
    if (encrypted == kEncryptedViewMode)
        settings.key = key;
    if (settings.channelMode == kChannels) {
        const std::int32_t view = queryInt(kEvRearView, kRearBeside);
        settings.rearView = view == kRearSwapped || view == kRearInside ? static_cast<RearView>(view) : kRearBeside;
    }
    return settings;
}

void Player::applyChannelMode(int mode) {
    if (mode == channelMode_)
        return;
    constexpr int kRear = 1;
    channelMode_ = mode;
    if (mode == kChannels) {
        createWindows(kRear);
        const auto& link = windows_[kRear];
        // The window pointer is only reported, never used on this thread.
        notify(kEvVideoWindow1, link ? reinterpret_cast<std::intptr_t>(link->window.data()) : 0);
        return;
    }
    // Back to one channel: the client hears first that the window goes.
    notify(kEvVideoWindow1, 0);
    if (auto link = windows_[kRear]) {
        // Windows live on the GUI thread: deleted there.
        if (QCoreApplication* app = QCoreApplication::instance()) {
            QMetaObject::invokeMethod(
                app,
                [link] {
                    if (link->window)
                        link->window->deleteLater();
                },
                Qt::QueuedConnection);
        }
        windows_[kRear].reset();
    }
}

RearPicture Player::rearOf(const std::string& first, const std::string& second) {
    using Source = RearPicture::Source;
    if (second.empty())
        return {};
    if (second == first)
        return {Source::SecondTrack, {}};
    return {Source::File, second};
}

void Player::blankRear() {
    PictureBuffers& rear = *pictures_[1];
    const int width = decoder_->pictureWidth();
    const int height = decoder_->pictureHeight();
    std::uint8_t* picture = rear.beginWrite(width, height, {0, 0, width, height});
    std::fill_n(picture, static_cast<std::size_t>(decoder_->pictureBytes()), std::uint8_t{0});
    rear.publish();
    repaint(1);
}

void Player::loadFiles(const std::string& first, const std::string& second) {
    const LoadSettings settings = askLoadSettings();
    applyChannelMode(settings.channelMode);
    setPaused(false); // mpv would keep a pause across files
    // One channel shows the front alone, whatever the client names as second.
    RearPicture rear = channelMode_ == kChannels ? rearOf(first, second) : RearPicture{};
    rear.view = settings.rearView;
    if (channelMode_ == kChannels && rear.source == RearPicture::Source::None)
        blankRear();
    decoder_->load(first, settings.key, rear);
}

} // namespace orv
