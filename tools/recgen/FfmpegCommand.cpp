#include "FfmpegCommand.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace kyvo::recgen {
namespace {

struct CodecNames {
    VideoCodec codec;
    std::string_view keyword;
};

constexpr std::array<CodecNames, 4> kCodecs{{
    {VideoCodec::H264, "h264"},
    {VideoCodec::Mjpeg, "mjpeg"},
    {VideoCodec::Mpeg4, "mpeg4"},
    {VideoCodec::H265, "h265"},
}};

constexpr std::string_view kSpeedCaption = "speed";  // drawtext instance the script addresses
constexpr double kScriptTimeSteps = 10000;             // the script's times have four decimals
constexpr int kCaptionMargin = 8;
constexpr int kCaptionHeightDivisor = 16;             // caption size relative to the picture height
constexpr int kMinFontSize = 8;
constexpr int kAudioRate = 44100;
constexpr std::string_view kAudioBitrate = "64k";
// A quiet 55 Hz hum with its second harmonic and a 3 Hz beat, like an idling engine.
constexpr std::string_view kEngineHum = "0.04*(sin(2*PI*55*t)+0.5*sin(2*PI*110*t))*(1+0.3*sin(2*PI*3*t))";
constexpr std::string_view kIntraQuality = "4";       // -q:v for MJPEG and MPEG-4 (2 best .. 31 worst)

std::string speedText(double kmh) {
    char text[32];
    std::snprintf(text, sizeof text, "SPEED %03ld km/h", std::lround(std::max(0.0, kmh)));
    return text;
}

std::vector<std::string> codecArguments(const EncodeSettings& s) {
    const std::string gop = std::to_string(kKeyframeInterval);
    switch (s.codec) {
    case VideoCodec::H264:
        return {"-c:v", "libx264", "-preset", s.preset, "-pix_fmt", "yuv420p", "-g", gop, "-sc_threshold", "0"};
    case VideoCodec::H265:
        return {"-c:v", "libx265", "-preset", s.preset, "-pix_fmt", "yuv420p", "-g", gop,
                "-x265-params", "log-level=error:scenecut=0", "-tag:v", "hvc1"};
    case VideoCodec::Mpeg4:
        return {"-c:v", "mpeg4", "-q:v", std::string(kIntraQuality), "-pix_fmt", "yuv420p", "-g", gop};
    case VideoCodec::Mjpeg:
        return {"-c:v", "mjpeg", "-q:v", std::string(kIntraQuality), "-pix_fmt", "yuvj420p"};
    }
    return {};
}

}  // namespace

std::string_view codecKeyword(VideoCodec codec) {
    for (const CodecNames& names : kCodecs)
        if (names.codec == codec)
            return names.keyword;
    return kCodecs[0].keyword;
}

std::optional<VideoCodec> parseCodecKeyword(std::string_view keyword) {
    for (const CodecNames& names : kCodecs)
        if (names.keyword == keyword)
            return names.codec;
    return std::nullopt;
}

std::string speedCaptionScript(std::span<const double> entryTimesS, std::span<const double> speedsKmh) {
    std::string script;
    const std::size_t count = std::min(entryTimesS.size(), speedsKmh.size());
    for (std::size_t k = 0; k < count; ++k) {
        // Rounded down, so that the command fires on the entry's own frame and
        // not one frame late (frames are at least 1/120 s apart).
        char time[32];
        std::snprintf(time, sizeof time, "%.4f", std::floor(entryTimesS[k] * kScriptTimeSteps) / kScriptTimeSteps);
        script += std::string(time) + " drawtext@" + std::string(kSpeedCaption) + " reinit text='" +
                  speedText(speedsKmh[k]) + "';\n";
    }
    return script;
}

std::string escapeFilterValue(std::string_view value) {
    // First the option level (':' and '\' and quotes), then the graph level.
    std::string option;
    for (char c : value) {
        if (c == ':' || c == '\\' || c == '\'')
            option += '\\';
        option += c;
    }
    std::string graph;
    for (char c : option) {
        if (c == '\\' || c == '\'' || c == '[' || c == ']' || c == ',' || c == ';')
            graph += '\\';
        graph += c;
    }
    return graph;
}

int frameCodeBlock(int width) {
    return std::max(4, width / 20);
}

int frameCodeTop(int height, int width) {
    return (height - frameCodeBlock(width)) / 2;
}

namespace {

// A black strip, then one white block per set bit, shown only on the frames
// whose number has that bit set.
std::string frameCodeFilters(int width, int height) {
    const int block = frameCodeBlock(width);
    const std::string side = std::to_string(block);
    const std::string top = std::to_string(frameCodeTop(height, width));
    std::string filters = ",drawbox=x=0:y=" + top + ":w=" + std::to_string(block * kFrameCodeBits) + ":h=" + side +
                          ":color=black:t=fill";
    for (int bit = 0; bit < kFrameCodeBits; ++bit) {
        filters += ",drawbox=x=" + std::to_string(bit * block) + ":y=" + top + ":w=" + side + ":h=" + side +
                   ":color=white:t=fill:enable='mod(floor(n/" + std::to_string(1 << bit) + "),2)'";
    }
    return filters;
}

} // namespace

std::vector<std::string> ffmpegArguments(const EncodeSettings& s, const std::filesystem::path& captionScript,
                                         const std::filesystem::path& output,
                                         const std::filesystem::path& rearOutput) {
    const std::string size = std::to_string(s.width) + "x" + std::to_string(s.height);
    const std::string margin = std::to_string(kCaptionMargin);
    auto captionFont = [&s](int pictureHeight) {
        return "fontfile=" + escapeFilterValue(s.fontFile) +
               ":fontsize=" + std::to_string(std::max(kMinFontSize, pictureHeight / kCaptionHeightDivisor)) +
               ":fontcolor=white:box=1:boxcolor=black@0.55:boxborderw=4";
    };
    const std::string font = captionFont(s.height);
    // The clock caption: the frame time added to the start, printed as UTC so
    // that the machine's own time zone never shifts it.
    const std::string clockText = ":x=w-tw-" + margin + ":y=" + margin + ":text='%{pts\\:gmtime\\:" +
                                  std::to_string(toSeconds(s.start)) + "\\:%Y/%m/%d %H\\\\\\:%M\\\\\\:%S}'";
    const std::string clock = "drawtext@clock=" + font + clockText;
    const std::string speed = "drawtext@" + std::string(kSpeedCaption) + "=" + font + ":fontcolor=yellow:x=" +
                              margin + ":y=h-th-" + margin + ":text='SPEED'";
    const std::string graph = "testsrc2=size=" + size + ":rate=" + std::to_string(s.frameRate) +
                              ",sendcmd=f=" + escapeFilterValue(captionScript.string()) + "," + clock + "," + speed +
                              (s.frameCode ? frameCodeFilters(s.width, s.height) : std::string()) + "[v]";
    std::string rearGraph;
    if (s.rear != RearPicture::None) {
        const std::string rearFont = captionFont(s.rearHeight);
        rearGraph = ";testsrc=size=" + std::to_string(s.rearWidth) + "x" + std::to_string(s.rearHeight) +
                    ":rate=" + std::to_string(s.frameRate) + ",drawtext=" + rearFont + ":x=" + margin + ":y=" +
                    margin + ":text='REAR',drawtext=" + rearFont + clockText +
                    (s.frameCode ? frameCodeFilters(s.rearWidth, s.rearHeight) : std::string()) + "[r]";
    }

    // The picture comes from a source filter inside the graph; the only input
    // file is the sound, when there is sound.
    std::vector<std::string> args{s.program, "-nostdin", "-loglevel", "error", "-y"};
    if (s.audio) {
        args.insert(args.end(), {"-f", "lavfi", "-i",
                                 "aevalsrc=" + std::string(kEngineHum) + ":s=" + std::to_string(kAudioRate)});
    }
    args.insert(args.end(), {"-filter_complex", graph + rearGraph, "-map", "[v]"});
    if (s.rear == RearPicture::Track)
        args.insert(args.end(), {"-map", "[r]"});
    if (s.audio)
        args.insert(args.end(), {"-map", "0:a", "-c:a", "aac", "-b:a", std::string(kAudioBitrate), "-ac", "1"});
    const std::vector<std::string> codec = codecArguments(s);
    const double seconds = static_cast<double>(s.frameCount) / s.frameRate;
    char duration[32];
    std::snprintf(duration, sizeof duration, "%.6f", seconds);
    auto finishOutput = [&](const std::filesystem::path& path) {
        args.insert(args.end(), codec.begin(), codec.end());
        args.insert(args.end(), {"-frames:v", std::to_string(s.frameCount), "-t", duration, "-f", "mov", path.string()});
    };
    finishOutput(output);
    // A second output file: ffmpeg's options before a file name apply to it alone.
    if (s.rear == RearPicture::File) {
        args.insert(args.end(), {"-map", "[r]"});
        finishOutput(rearOutput);
    }
    return args;
}

}  // namespace kyvo::recgen
