#include "support/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <stdexcept>

#include <jpeglib.h>

namespace {

struct TErrors {
    jpeg_error_mgr Base;
    std::jmp_buf Jump;
};

void Fail(j_common_ptr info) {
    std::longjmp(reinterpret_cast<TErrors*>(info->err)->Jump, 1);
}

bool Decode(const std::string& bytes, TDecodedJpeg& out) {
    jpeg_decompress_struct info;
    TErrors errors;
    info.err = jpeg_std_error(&errors.Base);
    errors.Base.error_exit = Fail;
    if (setjmp(errors.Jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    out.Width = static_cast<int>(info.output_width);
    out.Height = static_cast<int>(info.output_height);
    out.Components = info.num_components;
    out.Rgb.resize(std::size_t(out.Width) * out.Height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = &out.Rgb[std::size_t(info.output_scanline) * out.Width * 3];
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

TDecodedJpeg DecodeJpeg(const std::string& bytes) {
    TDecodedJpeg out;
    if (!Decode(bytes, out)) {
        throw std::runtime_error("libjpeg could not decode the data");
    }
    return out;
}

std::vector<TJpegSegment> JpegSegments(const std::string& bytes) {
    auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes.at(i)); };
    if (byte(0) != 0xFF || byte(1) != 0xD8) {
        throw std::runtime_error("no SOI");
    }
    std::vector<TJpegSegment> segments{{0xD8, {}}};
    std::size_t at = 2;
    while (true) {
        if (byte(at) != 0xFF) {
            throw std::runtime_error("segment does not start with FF");
        }
        const std::uint8_t marker = byte(at + 1);
        const std::size_t length = std::size_t(byte(at + 2)) << 8 | byte(at + 3);
        segments.push_back({marker, bytes.substr(at + 4, length - 2)});
        at += 2 + length;
        if (marker == 0xDA) {
            break;
        }
    }
    if (byte(bytes.size() - 2) != 0xFF || byte(bytes.size() - 1) != 0xD9) {
        throw std::runtime_error("no EOI at the end");
    }
    return segments;
}
