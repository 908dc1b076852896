#include "RecordingMaker.h"

#include "BoxWriter.h"
#include "ProcessRunner.h"
#include "DriveTelemetry.h"

#include <array>
#include <fstream>
#include <unistd.h>

namespace kyvo::recgen {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxLengthS = 3600;
constexpr int kMaxFrameRate = 120;
constexpr int kMaxDimension = 4096;
constexpr int kMaxEvents = 64;
constexpr std::size_t kErrorExcerpt = 2000;  // bytes of ffmpeg's complaint quoted in errors

// Removes the temporary files of one recording however it ends.
class TemporaryFiles {
public:
    explicit TemporaryFiles(const fs::path& output) {
        const std::string stem = "." + output.filename().string() + ".recgen" + std::to_string(::getpid());
        movie_ = output.parent_path() / (stem + ".part");
        rear_ = output.parent_path() / (stem + ".rear.part");
        script_ = output.parent_path() / (stem + ".cmd");
    }
    ~TemporaryFiles() {
        std::error_code ignored;
        fs::remove(movie_, ignored);
        fs::remove(rear_, ignored);
        fs::remove(script_, ignored);
    }
    TemporaryFiles(const TemporaryFiles&) = delete;
    TemporaryFiles& operator=(const TemporaryFiles&) = delete;
    const fs::path& movie() const { return movie_; }
    const fs::path& script() const { return script_; }
    const fs::path& rear() const { return rear_; }

private:
    fs::path movie_;
    fs::path rear_;
    fs::path script_;
};

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    if (!file.flush())
        throw RecordingError("cannot write " + path.string());
}

void encode(const RecordingOptions& options, const TelemetryTrack& track, const TemporaryFiles& temp) {
    writeText(temp.script(), speedCaptionScript(track.entryTimesS, track.reportedSpeedKmh));
    EncodeSettings settings;
    settings.program = options.ffmpeg;
    settings.codec = options.pictureOnly ? VideoCodec::Mjpeg : options.codec;
    settings.width = options.width;
    settings.height = options.height;
    settings.frameRate = options.frameRate;
    settings.frameCount = options.frameCount();
    settings.audio = options.audio && !options.pictureOnly;
    settings.frameCode = options.frameCode;
    settings.preset = options.preset;
    settings.start = options.start;
    settings.fontFile = options.fontFile;
    settings.rear = options.pictureOnly ? RearPicture::None : options.rear;
    settings.rearWidth = options.rearWidth > 0 ? options.rearWidth : options.width;
    settings.rearHeight = options.rearHeight > 0 ? options.rearHeight : options.height;
    const ProcessResult result = runProcess(ffmpegArguments(settings, temp.script(), temp.movie(), temp.rear()));
    if (!result.started)
        throw RecordingError(result.startError);
    if (!result.succeeded()) {
        std::string complaint = result.errors.substr(0, kErrorExcerpt);
        while (!complaint.empty() && (complaint.back() == '\n' || complaint.back() == '\r'))
            complaint.pop_back();
        throw RecordingError(options.ffmpeg + " failed (" +
                             (result.exitCode < 0 ? std::string("killed by a signal")
                                                  : "exit status " + std::to_string(result.exitCode)) +
                             ") encoding " + std::string(codecKeyword(settings.codec)) +
                             (complaint.empty() ? std::string() : ":\n" + complaint));
    }
}

void appendBytes(const fs::path& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::app);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush())
        throw RecordingError("cannot append to " + path.string());
}

void scrambleFile(const fs::path& path, std::uint32_t key) {
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    std::array<std::uint8_t, box::kHeaderSize> header{};
    file.read(reinterpret_cast<char*>(header.data()), header.size());
    if (!file)
        throw RecordingError("cannot read the header of " + path.string());
    scrambleHeader(header, key);
    file.seekp(0);
    file.write(reinterpret_cast<const char*>(header.data()), header.size());
    if (!file.flush())
        throw RecordingError("cannot scramble " + path.string());
}

}  // namespace

fs::path rearFileFor(const fs::path& output) {
    return output.parent_path() / (output.stem().string() + "_R" + output.extension().string());
}

int RecordingOptions::eventCount() const {
    if (pictureOnly)
        return 0;
    return events.value_or(kind == RecordingKind::Normal ? 0 : 1);
}

std::string RecordingOptions::fileName() const {
    return recordingName(kind, start, pictureOnly ? kPictureOnlyExtension : kMovieExtension);
}

void validate(const RecordingOptions& o) {
    auto require = [](bool ok, const std::string& message) {
        if (!ok)
            throw RecordingError(message);
    };
    require(o.lengthS >= 1 && o.lengthS <= kMaxLengthS,
            "length must be 1.." + std::to_string(kMaxLengthS) + " seconds");
    require(o.frameRate >= 1 && o.frameRate <= kMaxFrameRate,
            "frame rate must be 1.." + std::to_string(kMaxFrameRate));
    require(o.width >= 2 && o.height >= 2 && o.width <= kMaxDimension && o.height <= kMaxDimension,
            "size must be 2x2.." + std::to_string(kMaxDimension) + "x" + std::to_string(kMaxDimension));
    // Every codec here stores 4:2:0 pictures; ffmpeg would quietly crop an odd size.
    require(o.width % 2 == 0 && o.height % 2 == 0, "width and height must be even");
    require(!o.events || (*o.events >= 0 && *o.events <= kMaxEvents),
            "events must be 0.." + std::to_string(kMaxEvents));
    require(!o.scrambleKey || *o.scrambleKey != 0, "a scramble key of 0 would leave the header unchanged");
    require(o.routeOffsetS >= 0, "route offset must not be negative");
    require(o.rearWidth == 0 || (o.rearWidth >= 2 && o.rearHeight >= 2 && o.rearWidth <= kMaxDimension &&
                                 o.rearHeight <= kMaxDimension && o.rearWidth % 2 == 0 && o.rearHeight % 2 == 0),
            "the rear size must be even and 2x2.." + std::to_string(kMaxDimension) + "x" +
                std::to_string(kMaxDimension));
}

RecordingReport makeRecording(const RecordingOptions& options, const fs::path& output) {
    validate(options);
    const std::vector<EventMoment> events = planEvents(options.kind, options.start, options.lengthS,
                                                       options.eventCount());
    TelemetryPlan plan;
    plan.start = options.start;
    plan.frameRate = options.frameRate;
    plan.frameCount = options.frameCount();
    plan.routeOffsetS = options.routeOffsetS;
    plan.utcOffsetHours = options.utcOffsetHours;
    plan.timeTag = options.timeTag;
    plan.drive = options.drive;
    if (options.kind != RecordingKind::Manual)
        for (const EventMoment& moment : events)
            plan.shockTimesS.push_back(moment.offsetS);
    const TelemetryTrack track = buildTelemetry(plan);

    if (!output.parent_path().empty()) {
        std::error_code error;
        fs::create_directories(output.parent_path(), error);
        if (error)
            throw RecordingError("cannot create " + output.parent_path().string() + ": " + error.message());
    }
    const TemporaryFiles temp(output);
    encode(options, track, temp);

    std::error_code error;
    const std::uintmax_t movieSize = fs::file_size(temp.movie(), error);
    if (error)
        throw RecordingError("ffmpeg left no file at " + temp.movie().string());
    if (!options.pictureOnly) {
        std::vector<std::string> texts;
        for (const EventMoment& moment : events)
            texts.push_back(moment.text);
        appendBytes(temp.movie(), encodeTrailer(movieSize, track.entries, texts));
    }
    const bool rearFile = options.rear == RearPicture::File && !options.pictureOnly;
    if (options.scrambleKey) {
        scrambleFile(temp.movie(), *options.scrambleKey);
        if (rearFile)
            scrambleFile(temp.rear(), *options.scrambleKey);
    }
    if (rearFile) {
        fs::rename(temp.rear(), rearFileFor(output), error);
        if (error)
            throw RecordingError("cannot move the rear picture to " + rearFileFor(output).string() + ": " +
                                 error.message());
    }
    fs::rename(temp.movie(), output, error);
    if (error)
        throw RecordingError("cannot move the recording to " + output.string() + ": " + error.message());

    RecordingReport report;
    report.path = output;
    report.frames = options.frameCount();
    report.entries = options.pictureOnly ? 0 : static_cast<int>(track.entries.size());
    report.events = static_cast<int>(events.size());
    report.bytes = fs::file_size(output, error);
    return report;
}

}  // namespace kyvo::recgen
