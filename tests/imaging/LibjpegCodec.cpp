#include "LibjpegCodec.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace kyvo::imaging::testing {

namespace {

constexpr int kChannels = 3;

// The decoder's errors jump back to the call that set the trap; its warnings
// are collected instead of printed.
struct ErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    std::vector<std::string>* warnings;
    std::string* error;
};

std::string messageOf(j_common_ptr info) {
    char text[JMSG_LENGTH_MAX] = {};
    (*info->err->format_message)(info, text);
    return text;
}

[[noreturn]] void onError(j_common_ptr info) {
    auto* trap = reinterpret_cast<ErrorTrap*>(info->err);
    *trap->error = messageOf(info);
    std::longjmp(trap->jump, 1);
}

void onMessage(j_common_ptr info, int level) {
    constexpr int kWarningLevel = -1;
    if (level == kWarningLevel)
        reinterpret_cast<ErrorTrap*>(info->err)->warnings->push_back(messageOf(info));
}

void installTrap(ErrorTrap& trap, std::vector<std::string>& warnings, std::string& error) {
    jpeg_std_error(&trap.manager);
    trap.manager.error_exit = onError;
    trap.manager.emit_message = onMessage;
    trap.warnings = &warnings;
    trap.error = &error;
}

// Kept free of objects with destructors, so that the long jump out of the
// library skips nothing.
bool decodePixels(jpeg_decompress_struct& info, ErrorTrap& trap, const std::vector<std::uint8_t>& jpeg,
                  DecodedJpeg& out) {
    if (setjmp(trap.jump) != 0)
        return false;
    jpeg_mem_src(&info, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    out.width = static_cast<int>(info.output_width);
    out.height = static_cast<int>(info.output_height);
    out.components = info.num_components;
    out.rgb.resize(static_cast<std::size_t>(out.width) * out.height * kChannels);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out.rgb.data() + static_cast<std::size_t>(info.output_scanline) * out.width * kChannels;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

bool decodeCoefficients(jpeg_decompress_struct& info, ErrorTrap& trap, const std::vector<std::uint8_t>& jpeg,
                        JpegCoefficients& out) {
    if (setjmp(trap.jump) != 0)
        return false;
    jpeg_mem_src(&info, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&info, TRUE);
    jvirt_barray_ptr* arrays = jpeg_read_coefficients(&info);
    out.blocksAcross = static_cast<int>(info.comp_info[0].width_in_blocks);
    out.blocksDown = static_cast<int>(info.comp_info[0].height_in_blocks);
    out.components.resize(static_cast<std::size_t>(info.num_components));
    for (int c = 0; c < info.num_components; ++c) {
        const jpeg_component_info& component = info.comp_info[c];
        auto& blocks = out.components[c];
        for (JDIMENSION row = 0; row < component.height_in_blocks; ++row) {
            JBLOCKARRAY line = (*info.mem->access_virt_barray)(reinterpret_cast<j_common_ptr>(&info), arrays[c],
                                                               row, 1, FALSE);
            for (JDIMENSION column = 0; column < component.width_in_blocks; ++column) {
                NaturalBlock block{};
                for (std::size_t k = 0; k < block.size(); ++k)
                    block[k] = line[0][column][k];
                blocks.push_back(block);
            }
        }
    }
    jpeg_finish_decompress(&info);
    return true;
}

bool encodePixels(jpeg_compress_struct& info, ErrorTrap& trap, const PixelView& image, int quality,
                  unsigned char** buffer, unsigned long* size) {
    if (setjmp(trap.jump) != 0)
        return false;
    jpeg_mem_dest(&info, buffer, size);
    info.image_width = static_cast<JDIMENSION>(image.width);
    info.image_height = static_cast<JDIMENSION>(image.height);
    info.input_components = kChannels;
    info.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    for (int c = 0; c < info.num_components; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto* row = const_cast<JSAMPROW>(image.row(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

} // namespace

DecodedJpeg decodeWithLibjpeg(const std::vector<std::uint8_t>& jpeg) {
    DecodedJpeg out;
    ErrorTrap trap{};
    installTrap(trap, out.warnings, out.error);
    jpeg_decompress_struct info{};
    info.err = &trap.manager;
    jpeg_create_decompress(&info);
    out.ok = decodePixels(info, trap, jpeg, out);
    jpeg_destroy_decompress(&info);
    return out;
}

JpegCoefficients readCoefficientsWithLibjpeg(const std::vector<std::uint8_t>& jpeg) {
    JpegCoefficients out;
    ErrorTrap trap{};
    installTrap(trap, out.warnings, out.error);
    jpeg_decompress_struct info{};
    info.err = &trap.manager;
    jpeg_create_decompress(&info);
    out.ok = decodeCoefficients(info, trap, jpeg, out);
    jpeg_destroy_decompress(&info);
    return out;
}

std::vector<std::uint8_t> encodeWithLibjpeg(const PixelView& image, int quality) {
    std::vector<std::string> warnings;
    std::string error;
    ErrorTrap trap{};
    installTrap(trap, warnings, error);
    jpeg_compress_struct info{};
    info.err = &trap.manager;
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool ok = encodePixels(info, trap, image, quality, &buffer, &size);
    jpeg_destroy_compress(&info);
    std::vector<std::uint8_t> out;
    if (ok && buffer != nullptr)
        out.assign(buffer, buffer + size);
    std::free(buffer);
    return out;
}

} // namespace kyvo::imaging::testing
