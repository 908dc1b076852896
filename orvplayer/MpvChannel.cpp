#include "MpvChannel.h"

#include "OrvPlayerAbi.h"

#include <mpv/client.h>
#include <mpv/render.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace orv {

namespace {

void onEventWakeup(void* context) {
    (*static_cast<MpvChannel::Wakeup*>(context))();
}

void onRenderUpdate(void* context) {
    (*static_cast<MpvChannel::Wakeup*>(context))();
}

void setOption(mpv_handle* mpv, const char* name, const char* value) {
    if (mpv_set_option_string(mpv, name, value) < 0)
        std::fprintf(stderr, "orvplayer: option %s=%s not taken\n", name, value);
}

std::string formatDouble(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
}

// Rates and lengths mpv reports are taken only when they are finite and in a
// range a recording can have; anything else counts as unknown.
constexpr double kLargestFrameRate = 1000.0;
constexpr double kLongestDuration = 1.0e7; // seconds, about 115 days
constexpr double kLargestFrameCount = 1.0e9;

bool usable(double value, double largest) {
    return std::isfinite(value) && value > 0 && value <= largest;
}

// Two pictures in one: the rear (vid2) takes the front's (vid1) size and
// goes below it. The graph's last frame is given once more: mpv ends a file
// whose picture comes from a graph as soon as it has the last frame, which
// would otherwise never be shown.
constexpr char kStackGraph[] = "[vid2][vid1]scale2ref[rear][front];[front][rear]vstack,tpad=stop=1:stop_mode=clone[vo]";
constexpr int kStackedHalves = 2;

// A value in mpv's per-file option list, quoted by its length in bytes
// ("%<n>%<value>"), so that commas, colons and brackets in it stay as they are.
std::string quotedOption(const char* name, const std::string& value) {
    return std::string(name) + "=%" + std::to_string(value.size()) + "%" + value;
}

// The rear inset into the front: a third of the picture's content, at its
// lower right corner with a small margin, framed by a white line.
constexpr int kInsetDivisor = 3;
constexpr int kInsetMarginDivisor = 40;
constexpr int kInsetBorder = 2;

// Draws the content of `source` (rows and columns of `content` in a picture
// of `stride` bytes a row) shrunk into the lower right corner of `content` in
// `picture`. Each inset pixel is the mean of a 2 x 2 block around its place
// in the source, which keeps fine lines and text legible.
void drawInset(const std::uint8_t* source, std::uint8_t* picture, const PictureBuffers::Content& content,
               std::size_t stride) {
    constexpr int kBytes = 4;
    const int width = content.width / kInsetDivisor;
    const int height = content.height / kInsetDivisor;
    if (width <= 2 * kInsetBorder || height <= 2 * kInsetBorder)
        return;
    const int margin = content.width / kInsetMarginDivisor;
    const int left = content.x + content.width - margin - width;
    const int top = content.y + content.height - margin - height;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* out = picture + stride * static_cast<std::size_t>(top + y) + static_cast<std::size_t>(left) * kBytes;
        const bool borderRow = y < kInsetBorder || y >= height - kInsetBorder;
        const int sy = std::min(content.y + y * content.height / height, content.y + content.height - 2);
        const std::uint8_t* row0 = source + stride * static_cast<std::size_t>(sy);
        const std::uint8_t* row1 = row0 + stride;
        for (int x = 0; x < width; ++x, out += kBytes) {
            if (borderRow || x < kInsetBorder || x >= width - kInsetBorder) {
                out[0] = out[1] = out[2] = 0xFF;
                out[3] = 0;
                continue;
            }
            const int sx = std::min(content.x + x * content.width / width, content.x + content.width - 2);
            const std::size_t at = static_cast<std::size_t>(sx) * kBytes;
            for (int c = 0; c < 3; ++c)
                out[c] = static_cast<std::uint8_t>((row0[at + c] + row0[at + kBytes + c] + row1[at + c] +
                                                    row1[at + kBytes + c] + 2) / 4);
            out[3] = 0;
        }
    }
}

// Copies the rows of one half of the stacked picture (`rows` rows from
// `fromRow`) to `toRow` of a picture of the same width; every other row of
// the picture is black.
void copyHalf(const std::uint8_t* stacked, int fromRow, int rows, std::uint8_t* picture, int toRow, int height,
              std::size_t stride) {
    std::memset(picture, 0, stride * static_cast<std::size_t>(height));
    std::memcpy(picture + stride * static_cast<std::size_t>(toRow), stacked + stride * static_cast<std::size_t>(fromRow),
                stride * static_cast<std::size_t>(rows));
}

} // namespace

MpvChannel::MpvChannel(int index, Wakeup eventWakeup, Wakeup renderWakeup)
    : index_(index), eventWakeup_(std::move(eventWakeup)), renderWakeup_(std::move(renderWakeup)) {}

MpvChannel::~MpvChannel() {
    // The render context goes before the core it renders for.
    if (render_)
        mpv_render_context_free(render_);
    if (mpv_)
        mpv_terminate_destroy(mpv_);
}

bool MpvChannel::start(bool audio, std::string& error) {
    // libmpv refuses to start unless numbers are formatted the C way.
    std::setlocale(LC_NUMERIC, "C");
    mpv_ = mpv_create();
    if (!mpv_) {
        error = "mpv_create failed";
        return false;
    }
    setOption(mpv_, "vo", "libmpv");
    setOption(mpv_, "hwdec", "no");
    setOption(mpv_, "idle", "yes");
    setOption(mpv_, "keep-open", "no");
    setOption(mpv_, "framedrop", "no");          // every frame reaches the client
    setOption(mpv_, "hr-seek", "yes");           // seeks land on the asked frame
    setOption(mpv_, "input-default-bindings", "no");
    setOption(mpv_, "input-vo-keyboard", "no");
    setOption(mpv_, "osc", "no");
    setOption(mpv_, "config", "no");
    setOption(mpv_, "terminal", "no");
    setOption(mpv_, "sub-auto", "no");
    setOption(mpv_, "audio-display", "no");
    setOption(mpv_, "ytdl", "no");
    if (!audio)
        setOption(mpv_, "audio", "no");
    // Pictures are converted by libswscale's fast path: zimg's dithering and
    // lanczos cost twice the decoding for no visible gain at these sizes.
    setOption(mpv_, "sws-allow-zimg", "no");
    setOption(mpv_, "sws-scaler", "bicubic");
    setOption(mpv_, "sws-fast", "yes");
    if (mpv_initialize(mpv_) < 0) {
        error = "mpv_initialize failed";
        return false;
    }
    mpv_request_log_messages(mpv_, "error");
    if (!scrambled_.registerWith(mpv_)) {
        error = "the stream of scrambled recordings could not be registered";
        return false;
    }

    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_SW)},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    if (mpv_render_context_create(&render_, mpv_, params) < 0) {
        error = "the software render context could not be created";
        return false;
    }
    mpv_set_wakeup_callback(mpv_, onEventWakeup, &eventWakeup_);
    mpv_render_context_set_update_callback(render_, onRenderUpdate, &renderWakeup_);
    return true;
}

void MpvChannel::command(std::initializer_list<const char*> args) {
    if (!mpv_)
        return;
    waiting_.push_back({{args.begin(), args.end()}, {}});
    issueNext();
}

void MpvChannel::namedCommand(std::initializer_list<std::pair<const char*, std::string>> args) {
    if (!mpv_)
        return;
    Arguments named;
    for (const auto& [name, value] : args) {
        named.names.emplace_back(name);
        named.values.push_back(value);
    }
    waiting_.push_back(std::move(named));
    issueNext();
}

void MpvChannel::issueNext() {
    constexpr std::size_t kMaxArguments = 7;
    while (mpv_ && running_ == 0 && !waiting_.empty()) {
        const Arguments args = std::move(waiting_.front());
        waiting_.pop_front();
        const std::uint64_t id = nextReplyId_++;
        int result = 0;
        if (args.names.empty()) {
            const char* argv[kMaxArguments + 1] = {};
            for (std::size_t i = 0; i < args.values.size() && i < kMaxArguments; ++i)
                argv[i] = args.values[i].c_str();
            result = mpv_command_async(mpv_, id, argv);
        } else {
            // mpv parses the command before it returns: the strings need not outlive the call.
            std::vector<mpv_node> values(args.values.size());
            std::vector<char*> keys(args.names.size());
            for (std::size_t i = 0; i < values.size(); ++i) {
                values[i].format = MPV_FORMAT_STRING;
                values[i].u.string = const_cast<char*>(args.values[i].c_str());
                keys[i] = const_cast<char*>(args.names[i].c_str());
            }
            mpv_node_list list{static_cast<int>(values.size()), values.data(), keys.data()};
            mpv_node map{};
            map.format = MPV_FORMAT_NODE_MAP;
            map.u.list = &list;
            result = mpv_command_node_async(mpv_, id, &map);
        }
        // A command mpv refuses at once gets no answer: the next one goes.
        if (result >= 0)
            running_ = id;
        else
            std::fprintf(stderr, "orvplayer: channel %d: command %s refused\n", index_, args.values.front().c_str());
    }
}

void MpvChannel::load(const std::string& path, std::optional<std::uint32_t> key, const RearPicture& rear) {
    sizeKnown_ = false;
    const std::string target = key ? scrambled_.address(path, *key) : path;
    // The graph and the rear's file are options of this file alone: mpv
    // drops them when the next file loads, and never applies them to the
    // file playing now.
    std::string options;
    if (rear.source != RearPicture::Source::None) {
        options = quotedOption("lavfi-complex", kStackGraph);
        if (rear.source == RearPicture::Source::File)
            options += "," + quotedOption("external-file", key ? scrambled_.address(rear.path, *key) : rear.path);
    }
    loadsStacked_.push_back(rear.source != RearPicture::Source::None ? std::optional(rear.view) : std::nullopt);
    // By name: later mpv versions put another argument before the options.
    namedCommand({{"name", "loadfile"}, {"url", target}, {"flags", "replace"}, {"options", options}});
}

void MpvChannel::stop() {
    command({"stop"});
}

void MpvChannel::setPause(bool paused) {
    if (!paused)
        setUntimed(false);
    command({"set", "pause", paused ? "yes" : "no"});
}

void MpvChannel::setUntimed(bool untimed) {
    if (untimed_ == untimed)
        return;
    untimed_ = untimed;
    command({"set", "untimed", untimed ? "yes" : "no"});
}

void MpvChannel::seek(double seconds, bool absolute) {
    const std::string value = formatDouble(seconds);
    command({"seek", value.c_str(), absolute ? "absolute+exact" : "relative+exact"});
}

void MpvChannel::addSpeed(double delta) {
    const std::string value = formatDouble(delta);
    command({"add", "speed", value.c_str()});
}

void MpvChannel::multiplySpeed(double factor) {
    const std::string value = formatDouble(factor);
    command({"multiply", "speed", value.c_str()});
}

void MpvChannel::setSpeed(double speed) {
    const std::string value = formatDouble(speed);
    command({"set", "speed", value.c_str()});
}

void MpvChannel::setVolume(int volume) {
    const std::string value = std::to_string(volume);
    command({"set", "volume", value.c_str()});
}

void MpvChannel::frameStep() {
    setUntimed(true);
    command({"frame-step"});
}

std::optional<MpvChannel::Event> MpvChannel::nextEvent() {
    while (mpv_) {
        mpv_event* event = mpv_wait_event(mpv_, 0);
        switch (event->event_id) {
        case MPV_EVENT_NONE:
            return std::nullopt;
        case MPV_EVENT_COMMAND_REPLY:
            if (event->reply_userdata == running_) {
                running_ = 0;
                issueNext();
            }
            break;
        // Each load starts a file in the order the loads were given; the
        // pictures of the one before stop coming when the new one is loaded.
        case MPV_EVENT_START_FILE:
            if (!loadsStacked_.empty()) {
                startingStacked_ = loadsStacked_.front();
                loadsStacked_.pop_front();
            }
            break;
        case MPV_EVENT_FILE_LOADED:
            stacked_ = startingStacked_;
            sizeKnown_ = false;
            return Event{Event::Type::Loaded};
        case MPV_EVENT_VIDEO_RECONFIG:
            sizeKnown_ = false;
            break;
        case MPV_EVENT_END_FILE: {
            const auto* end = static_cast<mpv_event_end_file*>(event->data);
            const bool failed = end && end->reason == MPV_END_FILE_REASON_ERROR;
            if (failed)
                std::fprintf(stderr, "orvplayer: channel %d: %s\n", index_, mpv_error_string(end->error));
            return Event{Event::Type::Ended, failed};
        }
        case MPV_EVENT_SHUTDOWN:
            return Event{Event::Type::Shutdown};
        case MPV_EVENT_LOG_MESSAGE: {
            const auto* log = static_cast<mpv_event_log_message*>(event->data);
            std::fprintf(stderr, "orvplayer: channel %d: %s: %s", index_, log->prefix, log->text);
            break;
        }
        default:
            break;
        }
    }
    return std::nullopt;
}

MpvChannel::FileFacts MpvChannel::facts() const {
    FileFacts facts;
    if (!mpv_)
        return facts;
    double value = 0;
    if (mpv_get_property(mpv_, "duration", MPV_FORMAT_DOUBLE, &value) >= 0 && usable(value, kLongestDuration))
        facts.duration = value;
    if (mpv_get_property(mpv_, "container-fps", MPV_FORMAT_DOUBLE, &value) >= 0 && usable(value, kLargestFrameRate))
        facts.fps = value;
    else if (const double fps = firstTrackFps(); usable(fps, kLargestFrameRate))
        facts.fps = fps;
    // mpv counts 0 frames while a filter graph joins two tracks: that count
    // is left for the one reckoned from length and rate.
    std::int64_t count = 0;
    if (mpv_get_property(mpv_, "estimated-frame-count", MPV_FORMAT_INT64, &count) >= 0 && count > 0 &&
        static_cast<double>(count) <= kLargestFrameCount)
        facts.frameCount = count;
    else if (facts.fps > 0 && facts.duration > 0)
        facts.frameCount = std::llround(facts.duration * facts.fps); // both bounded above
    return facts;
}

double MpvChannel::firstTrackFps() const {
    std::int64_t tracks = 0;
    if (!mpv_ || mpv_get_property(mpv_, "track-list/count", MPV_FORMAT_INT64, &tracks) < 0)
        return 0;
    for (std::int64_t i = 0; i < tracks; ++i) {
        const std::string prefix = "track-list/" + std::to_string(i) + "/";
        char* type = mpv_get_property_string(mpv_, (prefix + "type").c_str());
        const bool video = type && std::strcmp(type, "video") == 0;
        mpv_free(type);
        double fps = 0;
        if (video)
            return mpv_get_property(mpv_, (prefix + "demux-fps").c_str(), MPV_FORMAT_DOUBLE, &fps) >= 0 ? fps : 0;
    }
    return 0;
}

double MpvChannel::timePosition() const {
    double value = 0;
    if (mpv_ && mpv_get_property(mpv_, "time-pos", MPV_FORMAT_DOUBLE, &value) >= 0)
        return value;
    return -1;
}

void MpvChannel::updateRender() {
    if (!render_)
        return;
    const std::uint64_t flags = mpv_render_context_update(render_);
    if (!(flags & MPV_RENDER_UPDATE_FRAME))
        return;
    mpv_render_frame_info info{};
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_NEXT_FRAME_INFO, &info},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    renderPending_ = true;
    pendingTime_ = timePosition();
    pendingNew_ = true;
    renderAt_ = Clock::now();
    if (mpv_render_context_get_info(render_, params[0]) < 0)
        return;
    // A redraw or a repeat shows the frame that is already up.
    if (info.flags & (MPV_RENDER_FRAME_INFO_REDRAW | MPV_RENDER_FRAME_INFO_REPEAT))
        pendingNew_ = false;
    if ((info.flags & MPV_RENDER_FRAME_INFO_PRESENT) && (info.flags & MPV_RENDER_FRAME_INFO_BLOCK_VSYNC) == 0 &&
        info.target_time > 0) {
        const std::int64_t wait = info.target_time - mpv_get_time_us(mpv_);
        if (wait > 0)
            renderAt_ += std::chrono::microseconds(wait);
    }
}

void MpvChannel::choosePictureSize() {
    std::int64_t w = 0;
    std::int64_t h = 0;
    if (mpv_get_property(mpv_, "dwidth", MPV_FORMAT_INT64, &w) < 0 ||
        mpv_get_property(mpv_, "dheight", MPV_FORMAT_INT64, &h) < 0 || w <= 0 || h <= 0)
        return;
    // A stacked picture is two of the front's size, one above the other.
    if (stacked_)
        h /= kStackedHalves;
    if (h <= 0)
        return;
    // Two sizes only: small sources keep the small picture, the rest the large one.
    const bool small = w <= kSmallPictureWidth && h <= kSmallPictureHeight;
    width_ = small ? kSmallPictureWidth : kLargePictureWidth;
    height_ = small ? kSmallPictureHeight : kLargePictureHeight;
    // mpv letterboxes the video inside the picture, aspect kept.
    const double scale = std::min(static_cast<double>(width_) / static_cast<double>(w),
                                  static_cast<double>(height_) / static_cast<double>(h));
    const int cw = std::clamp(static_cast<int>(std::lround(static_cast<double>(w) * scale)), 1, width_);
    const int ch = std::clamp(static_cast<int>(std::lround(static_cast<double>(h) * scale)), 1, height_);
    content_ = {(width_ - cw) / 2, (height_ - ch) / 2, cw, ch};
    sizeKnown_ = true;
}

bool MpvChannel::render(PictureBuffers& buffers, PictureBuffers* rear) {
    if (!renderPending_ || !render_)
        return false;
    renderPending_ = false;
    if (!sizeKnown_)
        choosePictureSize();
    const bool stacked = stacked_.has_value();
    int size[2] = {width_, stacked ? height_ * kStackedHalves : height_};
    std::size_t stride = static_cast<std::size_t>(width_) * kBytesPerPixel;
    int block = 0;
    std::uint8_t* target = nullptr;
    if (stacked) {
        stackedPicture_.resize(stride * static_cast<std::size_t>(size[1]));
        target = stackedPicture_.data();
    } else {
        target = buffers.beginWrite(width_, height_, content_);
    }
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_SW_SIZE, size},
        {MPV_RENDER_PARAM_SW_FORMAT, const_cast<char*>("bgr0")},
        {MPV_RENDER_PARAM_SW_STRIDE, &stride},
        {MPV_RENDER_PARAM_SW_POINTER, target},
        {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &block},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    if (mpv_render_context_render(render_, params) < 0)
        return false;
    renderedAt_ = Clock::now();
    if (stacked) {
        // mpv letterboxes both halves as one: the front's content ends at the
        // middle row and the rear's starts there. Each half is put where a
        // picture of its own would have its content.
        const int middle = height_;
        const bool swapped = *stacked_ == kRearSwapped;
        const int frontFrom = middle - content_.height;
        const int rearFrom = middle;
        std::uint8_t* first = buffers.beginWrite(width_, height_, content_);
        copyHalf(target, swapped ? rearFrom : frontFrom, content_.height, first, content_.y, height_, stride);
        if (*stacked_ == kRearInside)
            drawInset(target + stride * static_cast<std::size_t>(rearFrom - content_.y), first, content_, stride);
        if (rear) {
            copyHalf(target, swapped ? frontFrom : rearFrom, content_.height, rear->beginWrite(width_, height_, content_),
                     content_.y, height_, stride);
            rear->publish();
        }
    }
    buffers.publish();
    renderedTime_ = pendingTime_;
    renderedNew_ = pendingNew_;
    mpv_render_context_report_swap(render_);
    return true;
}

} // namespace orv
