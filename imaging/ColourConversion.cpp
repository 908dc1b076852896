#include "ColourConversion.h"

#include "ColourKernels.h"

#include <algorithm>

namespace kyvo::imaging {

namespace {

constexpr float kPaddingSample = -colour::kLevelShift;

enum Component { kY = 0, kCb = 1, kCr = 2 };

} // namespace

BlockStrip::BlockStrip(int blocksAcross_) : blocksAcross(blocksAcross_) {
    for (auto& plane : samples)
        plane.resize(static_cast<std::size_t>(blocksAcross) * kBlockSize);
}

void convertStrip(const PixelView& image, int stripIndex, BlockStrip& strip, SimdLevel level) {
    const int top = stripIndex * kBlockSide;
    const int rows = std::min(kBlockSide, image.height - top);
    const bool padded = rows < kBlockSide || image.width < strip.blocksAcross * kBlockSide;
    if (padded) {
        for (auto& plane : strip.samples)
            std::fill(plane.begin(), plane.end(), kPaddingSample);
    }
    for (int row = 0; row < rows; ++row) {
        const SampleRow out{strip.samples[kY].data(), strip.samples[kCb].data(), strip.samples[kCr].data(), row};
#ifdef KYVO_IMAGING_X86_COLOUR
        if (level == SimdLevel::Avx2) {
            convertRowAvx2(image.row(top + row), image.order, image.width, out);
            continue;
        }
#else
        (void)level;
#endif
        convertPixels(image.row(top + row), image.order, 0, image.width, out);
    }
}

} // namespace kyvo::imaging
