#include "Player.h"

#include "VideoWindow.h"

#include <QApplication>
#include <QThread>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <future>
#include <limits>

namespace orv {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kIdleWait = std::chrono::milliseconds(50);   // how often the stop flag is looked at
constexpr auto kWindowTimeout = std::chrono::seconds(10);  // for the GUI thread to create the windows
constexpr int kMaxVolume = 100;
// Times handed to the client stay in a range a float and an int hold exactly
// enough: about 115 days.
constexpr double kLongestTime = 1.0e7;
constexpr std::int64_t kLargestReportedFrameCount = std::numeric_limits<std::uint32_t>::max() - 1;

// Runs `job` on the GUI thread: at once when called there, else queued.
void onGui(std::function<void()> job) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    if (QThread::currentThread() == app->thread())
        job();
    else
        QMetaObject::invokeMethod(app, std::move(job), Qt::QueuedConnection);
}

bool onGuiThread() {
    QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

// The live widget at the address `handle`, or nullptr (GUI thread). The
// address is compared, never followed.
QWidget* liveWidget(std::intptr_t handle) {
    if (!handle)
        return nullptr;
    const QWidgetList widgets = QApplication::allWidgets();
    const auto found = std::find_if(widgets.begin(), widgets.end(), [handle](const QWidget* widget) {
        return reinterpret_cast<std::intptr_t>(widget) == handle;
    });
    return found == widgets.end() ? nullptr : *found;
}

// Seconds as the client gets them: never negative, never beyond kLongestTime,
// 0 for what is not a number.
double clientSeconds(double seconds) {
    return std::isnan(seconds) ? 0.0 : std::clamp(seconds, 0.0, kLongestTime);
}

} // namespace

Player& Player::instance() {
    static Player player;
    return player;
}

Player::Player() {
    for (auto& pictures : pictures_)
        pictures = std::make_shared<PictureBuffers>();
    streamRecord_.info = &streamInfo_;
}

bool Player::copyPicture(int channel, std::uint8_t* out, std::size_t capacity, OrvPictureCopy& copy) const {
    if (channel < 0 || channel >= kChannels)
        return false;
    PictureBuffers::Copied copied;
    if (!pictures_[channel]->copyNewest(out, capacity, copied))
        return false;
    copy = {copied.width, copied.height, copied.frameIndex, copied.time};
    return true;
}

void Player::post(Item item) {
    {
        std::lock_guard lock(mutex_);
        items_.push_back(std::move(item));
    }
    wake_.notify_one();
}

void Player::command(const char* text) {
    if (!text)
        return;
    // A client that waits for the player to end may hold the GUI thread the
    // player is waiting for: "quit" must be seen at once.
    if (const auto command = parseCommand(text); command && command->kind == Command::Kind::Quit)
        quitAsked_.store(true);
    post({Item::Type::Text, text, 0});
}

void Player::wakeEvents() {
    {
        std::lock_guard lock(mutex_);
        eventWake_ = true;
    }
    wake_.notify_one();
}

void Player::wakeRender() {
    {
        std::lock_guard lock(mutex_);
        renderWake_ = true;
    }
    wake_.notify_one();
}

void Player::notify(int code, std::intptr_t parameter) {
    if (OrvEventCallback callback = callback_.load())
        callback(instance_.load(), parameter, code);
}

std::intptr_t Player::queryPointer(int code) {
    std::intptr_t value = 0;
    notify(code, reinterpret_cast<std::intptr_t>(&value));
    return value;
}

std::int32_t Player::queryInt(int code, std::int32_t fallback) {
    std::int32_t value = fallback;
    notify(code, reinterpret_cast<std::intptr_t>(&value));
    return value;
}

bool Player::startDecoder(std::string& error) {
    decoder_ = std::make_unique<MpvChannel>(0, [this] { wakeEvents(); }, [this] { wakeRender(); });
    return decoder_->start(true, error);
}

// The video windows are children of the owner window and live on its thread.
// The player thread waits for them, but gives up when asked to stop.
void Player::createWindows(int first) {
    if (!owner_ || !QCoreApplication::instance())
        return;
    const int count = channelMode_;
    for (int ch = first; ch < count; ++ch)
        windows_[ch] = std::make_shared<WindowLink>();
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> created = done->get_future();
    QPointer<QWidget> owner(owner_);
    auto links = std::array<std::shared_ptr<WindowLink>, kChannels>{windows_[0], windows_[1]};
    auto pictures = std::array<std::shared_ptr<PictureBuffers>, kChannels>{pictures_[0], pictures_[1]};
    std::shared_ptr<ClientTables> tables = tables_;
    onGui([this, done, owner, links, pictures, tables, first, count] {
        for (int ch = first; owner && ch < count; ++ch) {
            auto* window = new VideoWindow(
                ch, pictures[static_cast<std::size_t>(ch)],
                [this, ch](unsigned message, std::uintptr_t) {
                    switch (message) {
                    case kMsgGetTimeLength: post({Item::Type::GetLength, {}, ch}); break;
                    case kMsgPlaced: post({Item::Type::Placed, {}, ch}); break;
                    case kMsgFrameStep: post({Item::Type::FrameStep, {}, ch}); break;
                    case kMsgRedraw: post({Item::Type::Redraw, {}, ch}); break;
                    default: break;
                    }
                },
                owner.data());
            {
                std::lock_guard lock(tables->mutex);
                if (tables->live && tables->rects) {
                    const std::int16_t* r = tables->rects->rect[ch];
                    window->setGeometry(r[0], r[1], r[2], r[3]);
                }
            }
            window->show();
            links[static_cast<std::size_t>(ch)]->window = window;
            links[static_cast<std::size_t>(ch)]->owner = owner;
        }
        done->set_value();
    });
    const auto deadline = Clock::now() + kWindowTimeout;
    while (created.wait_for(kIdleWait) != std::future_status::ready) {
        if (stopFlag_.load() != 0 || quitAsked_.load() || Clock::now() > deadline) {
            std::fprintf(stderr, "orvplayer: the video windows were not created; playing without them\n");
            return;
        }
    }
}

void Player::destroyWindows() {
    // The client hears first that the windows are gone, so that it sends them
    // nothing while they are being deleted.
    notify(kEvVideoWindow0, 0);
    if (channelMode_ == 2)
        notify(kEvVideoWindow1, 0);
    for (auto& link : windows_) {
        if (!link)
            continue;
        onGui([link] {
            if (link->window)
                link->window->deleteLater();
        });
        link.reset();
    }
}

void Player::placeWindow(int channel, bool inPopup, std::intptr_t popup) {
    auto link = windows_[channel];
    if (!link)
        return;
    // The client writes its rectangles on the GUI thread: read them there,
    // while this run lasts.
    onGui([link, tables = tables_, channel, inPopup, popup] {
        VideoWindow* window = link->window;
        if (!window)
            return;
        std::int16_t rect[4];
        bool toPopup = false;
        {
            std::lock_guard lock(tables->mutex);
            toPopup = inPopup && tables->popupRects;
            const VideoRectTable* table = toPopup ? tables->popupRects : tables->rects;
            if (!tables->live || !table)
                return;
            std::copy_n(table->rect[channel], std::size(rect), rect);
        }
        QWidget* popupWindow = toPopup ? liveWidget(popup) : nullptr;
        QWidget* parent = popupWindow ? popupWindow : link->owner.data();
        if (parent && window->parentWidget() != parent)
            window->setParent(parent);
        window->setGeometry(rect[0], rect[1], rect[2], rect[3]);
        window->show();
        window->update();
    });
}

void Player::repaint(int channel) {
    if (auto link = windows_[channel]) {
        onGui([link] {
            if (link->window)
                link->window->update();
        });
    }
}

void Player::setPaused(bool paused) {
    paused_ = paused;
    if (decoder_)
        decoder_->setPause(paused);
}

void Player::dropStaleLoads(const std::string& first, const std::string& second) {
    std::lock_guard lock(mutex_);
    std::erase_if(items_, [&](const Item& item) {
        if (item.type != Item::Type::Text)
            return false;
        const auto command = parseCommand(item.text);
        return command && command->kind == Command::Kind::LoadFile && command->files[0] == first &&
               command->files[1] == second;
    });
}

int Player::run(int argc, char** argv) {
    if (running_.exchange(true)) {
        std::fprintf(stderr, "orvplayer: a player is already running\n");
        return -1;
    }
    if (onGuiThread())
        std::fprintf(stderr, "orvplayer: the player runs on the GUI thread; video windows may not repaint\n");
    stopFlag_.store(0);
    quitAsked_.store(false);
    quit_ = false;
    paused_ = false;
    entryActive_ = false;
    const std::string first = argc > kVeloraFirstFileArg && argv[kVeloraFirstFileArg] ? argv[kVeloraFirstFileArg] : "";
    const std::string second =
        argc > kVeloraSecondFileArg && argv[kVeloraSecondFileArg] ? argv[kVeloraSecondFileArg] : "";

    // 1. What the client wants to tell.
    owner_ = reinterpret_cast<QWidget*>(queryPointer(kEvOwnerWindow));
    channelMode_ = std::clamp<int>(queryInt(kEvChannelMode, 1), 1, kChannels);
    tables_ = std::make_shared<ClientTables>();
    tables_->rects = reinterpret_cast<const VideoRectTable*>(queryPointer(kEvVideoRects));
    tables_->popupRects = reinterpret_cast<const VideoRectTable*>(queryPointer(kEvPopupRects));
    const int volume = std::clamp<int>(queryInt(kEvVolume, kMaxVolume), 0, kMaxVolume);
    queryInt(kEvEncryptedMode, 0);
    queryInt(kEvKey, 0);

    // 2. The video windows and the stop flag.
    createWindows();
    auto handleOf = [this](int ch) {
        // The window pointer is only reported, never used on this thread.
        return windows_[ch] ? reinterpret_cast<std::intptr_t>(windows_[ch]->window.data()) : 0;
    };
    notify(kEvVideoWindow0, handleOf(0));
    if (channelMode_ == 2)
        notify(kEvVideoWindow1, handleOf(1));
    notify(kEvStopFlag, reinterpret_cast<std::intptr_t>(&stopFlag_));

    // 3. The decoders.
    std::string error;
    if (quitAsked_.load() || stopFlag_.load() != 0) {
        // Ended before it began.
    } else if (startDecoder(error)) {
        notify(kEvReady, 0);
        decoder_->setVolume(volume);
        dropStaleLoads(first, second);
        if (!first.empty())
            handleCommand(Command{Command::Kind::LoadFile, 0, {first, second}});

        // 4. The loop: commands, mpv's events and frames at their time.
        while (!quit_) {
            auto deadline = Clock::now() + kIdleWait;
            if (decoder_->renderPending())
                deadline = std::min(deadline, frameStepPending_ ? Clock::now() : decoder_->renderTime());
            std::deque<Item> items;
            bool events = false;
            bool renders = false;
            {
                std::unique_lock lock(mutex_);
                wake_.wait_until(lock, deadline, [&] { return !items_.empty() || eventWake_ || renderWake_; });
                items.swap(items_);
                std::swap(events, eventWake_);
                std::swap(renders, renderWake_);
            }
            if (stopFlag_.load() != 0)
                break;
            for (const Item& item : items) {
                handle(item);
                if (quit_)
                    break;
            }
            if (events && !quit_)
                handleDecoderEvents();
            if (renders && !quit_)
                decoder_->updateRender();
            if (!quit_)
                renderDueFrames();
        }
    } else {
        std::fprintf(stderr, "orvplayer: %s\n", error.c_str());
    }

    // 5. The end: stopped, decoders and windows gone (the client told first),
    //    window jobs still queued left without the client's tables, player ended.
    notify(kEvStopped, 0);
    decoder_.reset();
    destroyWindows();
    notify(kEvPlayerEnded, 0);
    {
        std::lock_guard lock(mutex_);
        items_.clear();
        eventWake_ = renderWake_ = false;
    }
    {
        std::lock_guard lock(tables_->mutex);
        tables_->live = false;
    }
    tables_.reset();
    owner_ = nullptr;
    running_.store(false);
    return 0;
}

void Player::handle(const Item& item) {
    switch (item.type) {
    case Item::Type::Text: {
        std::string reason;
        if (const auto command = parseCommand(item.text, &reason))
            handleCommand(*command);
        else
            std::fprintf(stderr, "orvplayer: ignoring command '%s': %s\n", item.text.c_str(), reason.c_str());
        break;
    }
    case Item::Type::GetLength:
        if (decoder_ && length_ <= 0)
            length_ = static_cast<float>(clientSeconds(decoder_->facts().duration));
        notify(kEvLength, reinterpret_cast<std::intptr_t>(&length_));
        break;
    // After the owner moved, and after a channel changed place: a window
    // shown in its popup stays there.
    case Item::Type::Placed:
    case Item::Type::Redraw:
        placeWhereShown(item.channel);
        break;
    case Item::Type::FrameStep:
        handleCommand(Command{Command::Kind::FrameStep, 0.0, {}});
        break;
    }
}

void Player::placeWhereShown(int channel) {
    const bool shown = queryInt(channel == 0 ? kEvPopup0Shown : kEvPopup1Shown, 0) != 0;
    const std::intptr_t popup = queryPointer(channel == 0 ? kEvPopupWindow0 : kEvPopupWindow1);
    placeWindow(channel, shown && popup != 0, popup);
}

void Player::handleCommand(const Command& command) {
    auto each = [this](auto&& action) {
        if (decoder_)
            action(*decoder_);
    };
    switch (command.kind) {
    case Command::Kind::LoadFile: loadFiles(command.files[0], command.files[1]); break;
    case Command::Kind::Pause: setPaused(!paused_); break;
    case Command::Kind::EndEntry: each([](MpvChannel& c) { c.stop(); }); break;
    // A seek resumes playback. The seek goes first, so that a paused player
    // shows nothing of the old position before the new one.
    case Command::Kind::SeekRelative:
        fromStart_ = false;
        each([&](MpvChannel& c) { c.seek(command.value, false); });
        setPaused(false);
        break;
    case Command::Kind::SeekAbsolute:
        fromStart_ = false;
        each([&](MpvChannel& c) { c.seek(command.value, true); });
        setPaused(false);
        break;
    case Command::Kind::SpeedAdd: each([&](MpvChannel& c) { c.addSpeed(command.value); }); break;
    case Command::Kind::SpeedMultiply: each([&](MpvChannel& c) { c.multiplySpeed(command.value); }); break;
    case Command::Kind::SpeedSet: each([&](MpvChannel& c) { c.setSpeed(command.value); }); break;
    case Command::Kind::Volume:
        decoder_->setVolume(std::clamp(static_cast<int>(command.value), 0, kMaxVolume));
        break;
    case Command::Kind::FrameStep:
        each([](MpvChannel& c) { c.frameStep(); });
        paused_ = true; // mpv pauses after the frame
        frameStepPending_ = true;
        break;
    case Command::Kind::Quit: quit_ = true; break;
    }
}

void Player::handleDecoderEvents() {
    MpvChannel* channel = decoder_.get();
    if (!channel)
        return;
    while (const auto event = channel->nextEvent()) {
        if (event->type == MpvChannel::Event::Type::Shutdown) {
            quit_ = true;
            return;
        }
        if (event->type == MpvChannel::Event::Type::Loaded) {
            entryActive_ = true;
            lastIndex_ = 0;
            fromStart_ = true;
            facts_ = channel->facts();
            length_ = static_cast<float>(clientSeconds(facts_.duration));
            streamInfo_.frameCount = facts_.frameCount >= 0 && facts_.frameCount <= kLargestReportedFrameCount
                                         ? static_cast<std::uint32_t>(facts_.frameCount)
                                         : 0xFFFFFFFFu;
            notify(kEvPlaying, 0);
            notify(kEvStreamInfo, reinterpret_cast<std::intptr_t>(&streamRecord_));
        } else if (event->type == MpvChannel::Event::Type::Ended) {
            if (!entryActive_ && !event->failed)
                continue; // a load replaced before it started

            if (!entryActive_)
                notify(kEvPlaying, 0); // a file that cannot be played: started and ended at once
            entryActive_ = false;
            notify(kEvEndOfEntry, 0);
        }
    }
}

void Player::renderDueFrames() {
    MpvChannel* channel = decoder_.get();
    if (!channel || !channel->renderPending() || (channel->renderTime() > Clock::now() && !frameStepPending_))
        return;
    const bool rear = channelMode_ == kChannels && channel->hasRear();
    if (!channel->render(*pictures_[0], rear ? pictures_[1].get() : nullptr))
        return;
    repaint(0);
    if (rear)
        repaint(1);
    // A redraw is not a new frame; a frame without a playback position is
    // the blank picture after a file.
    if (entryActive_ && channel->renderedNewFrame() && channel->renderedTime() >= 0)
        emitFrame(channel->renderedTime());
}

void Player::emitFrame(double seconds) {
    MpvChannel& channel = *decoder_;
    const double position = clientSeconds(seconds);
    // mpv's playback position can be a frame early or late when it is read;
    // frames that follow one another keep counting, a jump (a seek) re-bases.
    // A file's start counts as the frame before its first, so that its first
    // frame is frame 1 even when the position was read a frame late.
    std::uint32_t index = 0;
    double time = position;
    if (facts_.fps > 0) {
        // Both factors are bounded (clientSeconds, MpvChannel::facts), so the product is a number.
        const std::int64_t candidate =
            std::min<std::int64_t>(std::llround(position * facts_.fps) + 1, std::numeric_limits<std::uint32_t>::max());
        const std::int64_t next = static_cast<std::int64_t>(lastIndex_) + 1;
        const bool following = lastIndex_ > 0 || fromStart_;
        index = static_cast<std::uint32_t>(following && std::llabs(candidate - next) <= 1 ? next : candidate);
        time = (index - 1) / facts_.fps;
    } else {
        index = lastIndex_ + 1;
    }
    // No frame lies past the last one, however late a position was read.
    // Past the last one already shown, it is the last frame given once more
    // (the end of a two-channel graph): not a frame of its own.
    if (facts_.frameCount > 0 && index > static_cast<std::uint64_t>(facts_.frameCount)) {
        if (lastIndex_ == static_cast<std::uint64_t>(facts_.frameCount)) {
            frameStepPending_ = false;
            return;
        }
        index = static_cast<std::uint32_t>(facts_.frameCount);
        if (facts_.fps > 0)
            time = (index - 1) / facts_.fps;
    }
    lastIndex_ = index;
    fromStart_ = false;
    frameStepPending_ = false;
    const auto shownTime = static_cast<float>(clientSeconds(time));
    for (int c = 0; c < (channelMode_ == 2 ? 2 : 1); ++c)
        pictures_[c]->tagNewest(index, shownTime);
    notify(kEvFrameIndex, static_cast<std::intptr_t>(index));
    frameInfo_ = FrameInfo{};
    frameInfo_.renderedAtNs =
        std::chrono::duration_cast<std::chrono::nanoseconds>(channel.renderedAt().time_since_epoch()).count();
    frameInfo_.time = shownTime;
    frameInfo_.imageSize = channel.pictureBytes();
    frameInfo_.picture0 = pictures_[0]->newest();
    frameInfo_.picture1 = channelMode_ == 2 ? pictures_[1]->newest() : nullptr;
    notify(kEvFrame, reinterpret_cast<std::intptr_t>(&frameInfo_));
}

} // namespace orv
