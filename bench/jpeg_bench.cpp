// JPEG still writer benchmark: encoding a 1920 x 1080 picture (gradients,
// hard-edged shapes, small print) through JpegStillWriter, against
// libjpeg-turbo encoding the same pixels in the same run as baseline 4:4:4 at
// quality 75 with its default transform. Also times the encoder at each
// instruction-set level this processor runs, the writer's block transform
// alone and a straightforward scalar direct DCT over the same blocks, and
// reports sizes and PSNR of both files. Last, whole processes: the
// `jpegstill` tool converting the picture as a PPM file against `cjpeg
// -baseline -quality 75 -sample 1x1` on the same file (wall time, median).
// The writer and the
// library take turns run by run, so both see the same machine; times are the
// thread's CPU time (other work on a busy machine does not count), medians of
// warm runs. The targets are ratios of at most 2; the exit code is 2 when one
// is missed.
//
//   jpeg_bench [RUNS]

#include "BenchProcess.h"
#include "BlockTransform.h"
#include "ColourConversion.h"
#include "JpegEncoder.h"
#include "JpegStillWriter.h"
#include "LibjpegCodec.h"
#include "TestPicture.h"

#include <algorithm>
#include <ctime>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numbers>
#include <vector>

namespace {

using namespace kyvo::imaging;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kDefaultRuns = 15;
constexpr int kWarmRuns = 2;
constexpr int kReferenceQuality = 75;
constexpr double kTargetRatio = 2.0;
constexpr int kScalarRunDivisor = 5; // the scalar DCT is slow; fewer runs of it
constexpr float kInverseSqrt2 = 0.70710677F;
constexpr float kQuarter = 0.25F;

double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double timedMs(const std::function<void()>& work) {
    const double start = threadCpuMs();
    work();
    return threadCpuMs() - start;
}

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Medians of each piece of work, the pieces taking turns in every run.
std::vector<double> medianMs(int runs, const std::vector<std::function<void()>>& works) {
    for (int i = 0; i < kWarmRuns; ++i) {
        for (const auto& work : works)
            work();
    }
    std::vector<std::vector<double>> times(works.size());
    for (int i = 0; i < runs; ++i) {
        for (std::size_t w = 0; w < works.size(); ++w)
            times[w].push_back(timedMs(works[w]));
    }
    std::vector<double> medians;
    for (auto& series : times)
        medians.push_back(median(series));
    return medians;
}

// Every block of the three components, level-shifted, as the writer sees them.
std::vector<float> allBlocks(const PixelView& image) {
    const int across = (image.width + kBlockSide - 1) / kBlockSide;
    const int down = (image.height + kBlockSide - 1) / kBlockSide;
    BlockStrip strip(across);
    std::vector<float> blocks;
    for (int s = 0; s < down; ++s) {
        convertStrip(image, s, strip);
        for (const auto& plane : strip.samples)
            blocks.insert(blocks.end(), plane.begin(), plane.end());
    }
    return blocks;
}

// The direct DCT as written down: for each output, 64 products of the sample
// and two table cosines, summed one after the other.
struct ScalarDct {
    float cosine[kBlockSide][kBlockSide];  // cos((2x + 1) u pi / 16), [u][x]

    ScalarDct() {
        for (int u = 0; u < kBlockSide; ++u) {
            for (int x = 0; x < kBlockSide; ++x)
                cosine[u][x] = static_cast<float>(std::cos((2 * x + 1) * u * std::numbers::pi / (2 * kBlockSide)));
        }
    }

    void apply(const float* f, float* out) const {
        for (int v = 0; v < kBlockSide; ++v) {
            for (int u = 0; u < kBlockSide; ++u) {
                float sum = 0;
                for (int y = 0; y < kBlockSide; ++y) {
                    for (int x = 0; x < kBlockSide; ++x)
                        sum += f[y * kBlockSide + x] * cosine[u][x] * cosine[v][y];
                }
                const float cu = u == 0 ? kInverseSqrt2 : 1.0F;
                const float cv = v == 0 ? kInverseSqrt2 : 1.0F;
                out[v * kBlockSide + u] = std::trunc(cu * cv * kQuarter * sum);
            }
        }
    }
};

// The picture as a binary PPM file (red, green, blue; rows top-down).
bool writePpm(const testing::TestPicture& picture, const std::filesystem::path& path) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << picture.width << ' ' << picture.height << "\n255\n";
    for (std::size_t i = 0; i < picture.bgr.size(); i += kBytesPerPixel) {
        const char pixel[] = {static_cast<char>(picture.bgr[i + 2]), static_cast<char>(picture.bgr[i + 1]),
                              static_cast<char>(picture.bgr[i])};
        out.write(pixel, sizeof pixel);
    }
    return static_cast<bool>(out.flush());
}

// Median wall times of the two commands, run in turns; negative when one
// fails.
std::pair<double, double> processMs(int runs, const std::vector<std::string>& first,
                                    const std::vector<std::string>& second) {
    std::vector<double> a, b;
    for (int i = 0; i < runs + kWarmRuns; ++i) {
        const kyvo::bench::ProcessRun one = kyvo::bench::runProcess(first, true);
        const kyvo::bench::ProcessRun two = kyvo::bench::runProcess(second, true);
        if (one.exitCode != 0 || two.exitCode != 0)
            return {-1, -1};
        if (i >= kWarmRuns) {
            a.push_back(one.wallSeconds * 1e3);
            b.push_back(two.wallSeconds * 1e3);
        }
    }
    return {median(a), median(b)};
}

double psnrOf(const testing::TestPicture& picture, const std::vector<std::uint8_t>& jpeg) {
    const testing::DecodedJpeg decoded = testing::decodeWithLibjpeg(jpeg);
    return decoded.ok ? testing::psnrAgainstRgb(picture, decoded.rgb) : 0.0;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRuns;
    const testing::TestPicture picture = testing::makeTestPicture(kWidth, kHeight);

    JpegStillWriter writer;
    const std::vector<std::uint8_t> bitmap = picture.bitmapBytes(true);
    if (!writer.prepare(picture.bitmapHeader(true), bitmap.data(), bitmap.size())) {
        std::fprintf(stderr, "jpeg_bench: the picture was refused\n");
        return 1;
    }
    std::vector<std::uint8_t> ours;
    std::vector<std::uint8_t> reference;
    const std::vector<double> encodeMs =
        medianMs(runs, {[&] { ours = writer.encode(); },
                        [&] { reference = testing::encodeWithLibjpeg(picture.view(), kReferenceQuality); }});
    const double oursMs = encodeMs[0];
    const double referenceMs = encodeMs[1];

    std::vector<std::function<void()>> levelWorks;
    for (SimdLevel level : supportedSimdLevels())
        levelWorks.emplace_back([&picture, level] { encodeJpeg(picture.view(), level); });
    const std::vector<double> levelMs = medianMs(runs, levelWorks);

    const std::vector<float> blocks = allBlocks(picture.view());
    const std::size_t blockCount = blocks.size() / kBlockSize;
    const BlockTransform transform;
    std::vector<CoefficientBlock> coefficients(blockCount);
    long checksum = 0;
    const double transformMs = medianMs(runs, {[&] {
        transform.apply(blocks.data(), blockCount, kLuminanceQuant, coefficients.data());
        checksum += coefficients[blockCount / 2][0];
    }})[0];
    const ScalarDct scalar;
    float outputs[kBlockSize];
    const double scalarMs = medianMs(std::max(1, runs / kScalarRunDivisor), {[&] {
        for (std::size_t b = 0; b < blockCount; ++b) {
            scalar.apply(blocks.data() + b * kBlockSize, outputs);
            checksum += static_cast<long>(outputs[0]);
        }
    }})[0];

    const double ratio = oursMs / referenceMs;
    std::printf("JPEG still writer, %d x %d, %zu blocks, median of %d runs, thread CPU time\n", kWidth, kHeight,
                blockCount, runs);
    std::printf("  JpegStillWriter encode (%s)   %8.2f ms  %8zu bytes  PSNR %.2f dB\n",
                simdLevelName(bestSimdLevel()), oursMs, ours.size(), psnrOf(picture, ours));
    std::printf("  libjpeg-turbo 4:4:4 q%d        %8.2f ms  %8zu bytes  PSNR %.2f dB\n", kReferenceQuality,
                referenceMs, reference.size(), psnrOf(picture, reference));
    std::printf("  ratio                          %8.2f    (target <= %.1f)\n", ratio, kTargetRatio);
    for (std::size_t i = 0; i < levelMs.size(); ++i)
        std::printf("  encode, %-8s loops         %8.2f ms\n", simdLevelName(supportedSimdLevels()[i]), levelMs[i]);
    std::printf("  block transform (DCT + quant)  %8.2f ms\n", transformMs);
    std::printf("  scalar direct DCT              %8.2f ms\n", scalarMs);
    std::printf("  (checksum %ld)\n", checksum);

    // Whole processes on a PPM file in a scratch folder.
    const std::filesystem::path tool = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "jpegstill";
    const std::filesystem::path scratch = std::filesystem::temp_directory_path() / "kyvo_jpeg_bench";
    std::filesystem::create_directories(scratch);
    const std::filesystem::path ppm = scratch / "picture.ppm";
    if (!writePpm(picture, ppm)) {
        std::fprintf(stderr, "jpeg_bench: cannot write %s\n", ppm.c_str());
        return 1;
    }
    const auto [toolMs, cjpegMs] =
        processMs(runs, {tool.string(), ppm.string(), (scratch / "ours.jpg").string()},
                  {"cjpeg", "-baseline", "-quality", "75", "-sample", "1x1", "-outfile",
                   (scratch / "cjpeg.jpg").string(), ppm.string()});
    std::filesystem::remove_all(scratch);
    if (toolMs < 0) {
        std::fprintf(stderr, "jpeg_bench: jpegstill or cjpeg failed\n");
        return 1;
    }
    const double processRatio = toolMs / cjpegMs;
    std::printf("Whole process on a %d x %d PPM, median of %d runs, wall time\n", kWidth, kHeight, runs);
    std::printf("  jpegstill                      %8.2f ms\n", toolMs);
    std::printf("  cjpeg -baseline -q 75 1x1      %8.2f ms\n", cjpegMs);
    std::printf("  ratio                          %8.2f    (target <= %.1f)\n", processRatio, kTargetRatio);
    return ratio <= kTargetRatio && processRatio <= kTargetRatio ? 0 : 2;
}
