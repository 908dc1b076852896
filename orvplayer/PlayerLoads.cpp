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
    return settings;
}

void Player::applyChannelMode(int mode) {
    if (mode == channelMode_)
        return;
    constexpr int kRear = 1;
    if (mode == kChannels) {
        auto channel = std::make_unique<MpvChannel>(
            kRear, [this] { wakeEvents(kRear); }, [this] { wakeRender(kRear); });
        std::string error;
        if (!channel->start(false, error)) {
            std::fprintf(stderr, "orvplayer: the second channel cannot start: %s\n", error.c_str());
            return;
        }
        channels_[kRear] = std::move(channel);
        channelMode_ = mode;
        createWindows(kRear);
        const auto& link = windows_[kRear];
        // The window pointer is only reported, never used on this thread.
        notify(kEvVideoWindow1, link ? reinterpret_cast<std::intptr_t>(link->window.data()) : 0);
        return;
    }
    // Back to one channel: the client hears first that the window goes.
    channels_[kRear].reset();
    channelMode_ = mode;
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

void Player::loadFiles(const std::string& first, const std::string& second) {
    const LoadSettings settings = askLoadSettings();
    applyChannelMode(settings.channelMode);
    setPaused(false); // mpv would keep a pause across files
    channels_[0]->load(first, settings.key);
    if (channels_[1]) {
        if (second.empty())
            channels_[1]->stop();
        else
            channels_[1]->load(second, settings.key);
    }
}

} // namespace orv
