#include "imaging/JpegCompress.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jerror.h>
#include <jpeglib.h>

namespace {

constexpr std::size_t kDestinationBufferSize = 4096;

struct TErrorManager {
    jpeg_error_mgr Base; // first, so the library's pointer to it is a pointer to this
    std::jmp_buf Jump;
};

struct TDestination {
    jpeg_destination_mgr Base; // first, as above
    JOCTET* Buffer;
    TJpegJob* Job;
};

void ErrorExit(j_common_ptr info) {
    std::longjmp(reinterpret_cast<TErrorManager*>(info->err)->Jump, 1);
}

// Warnings and trace messages are dropped; they never stop the encoding.
void EmitMessage(j_common_ptr, int) {}
void OutputMessage(j_common_ptr) {}
void FormatMessage(j_common_ptr, char* buffer) {
    buffer[0] = '\0';
}

void ResetErrorManager(j_common_ptr info) {
    info->err->num_warnings = 0;
    info->err->msg_code = 0;
}

bool Append(TDestination& destination, std::size_t count) noexcept {
    try {
        destination.Job->Output->append(reinterpret_cast<const char*>(destination.Buffer), count);
        return true;
    } catch (...) {
        destination.Job->OutputFailed = true;
        return false;
    }
}

void InitDestination(j_compress_ptr info) {
    auto& destination = *reinterpret_cast<TDestination*>(info->dest);
    destination.Buffer = static_cast<JOCTET*>((*info->mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE, kDestinationBufferSize));
    destination.Base.next_output_byte = destination.Buffer;
    destination.Base.free_in_buffer = kDestinationBufferSize;
}

boolean EmptyOutputBuffer(j_compress_ptr info) {
    auto& destination = *reinterpret_cast<TDestination*>(info->dest);
    if (!Append(destination, kDestinationBufferSize)) {
        ERREXIT(info, JERR_FILE_WRITE);
    }
    destination.Base.next_output_byte = destination.Buffer;
    destination.Base.free_in_buffer = kDestinationBufferSize;
    return TRUE; // the destination never suspends
}

void TermDestination(j_compress_ptr info) {
    auto& destination = *reinterpret_cast<TDestination*>(info->dest);
    const std::size_t held = kDestinationBufferSize - destination.Base.free_in_buffer;
    if (held > 0 && !Append(destination, held)) {
        ERREXIT(info, JERR_FILE_WRITE);
    }
}

} // namespace

bool RunJpegCompression(TJpegJob& job) noexcept {
    jpeg_compress_struct info;
    TErrorManager errors;
    TDestination destination;
    std::memset(&info, 0, sizeof info);
    std::memset(&errors, 0, sizeof errors);
    std::memset(&destination, 0, sizeof destination);

    errors.Base.error_exit = ErrorExit;
    errors.Base.emit_message = EmitMessage;
    errors.Base.output_message = OutputMessage;
    errors.Base.format_message = FormatMessage;
    errors.Base.reset_error_mgr = ResetErrorManager;
    errors.Base.trace_level = 0;
    info.err = &errors.Base;

    destination.Base.init_destination = InitDestination;
    destination.Base.empty_output_buffer = EmptyOutputBuffer;
    destination.Base.term_destination = TermDestination;
    destination.Job = &job;

    if (setjmp(errors.Jump)) {
        job.MessageCode = errors.Base.msg_code;
        jpeg_destroy_compress(&info);
        return false;
    }

    jpeg_create_compress(&info);
    info.dest = &destination.Base;

    info.image_width = static_cast<JDIMENSION>(job.Width);
    info.image_height = static_cast<JDIMENSION>(job.Height);
    // Blue-green-red rows straight from the store; the library's colour conversion is the
    // same as for red-green-blue input, and so are the bytes it writes.
    if (job.Input == TJpegJob::TInput::Bgr24) {
        info.input_components = 3;
        info.in_color_space = JCS_EXT_BGR;
    } else {
        info.input_components = 4;
        info.in_color_space = JCS_EXT_BGRX;
    }

    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, job.Quality, TRUE);
    info.dct_method = JDCT_FLOAT; // after the defaults: libraries differ in theirs
    if (job.Grayscale) {
        jpeg_set_colorspace(&info, JCS_GRAYSCALE);
    }
    if (job.Progressive) {
        jpeg_simple_progression(&info);
    }

    jpeg_start_compress(&info, TRUE);
    JSAMPROW row[1];
    for (JDIMENSION y = 0; info.next_scanline < info.image_height; ++y) {
        row[0] = const_cast<JSAMPLE*>(job.TopRow + static_cast<std::ptrdiff_t>(y) * job.RowStep);
        jpeg_write_scanlines(&info, row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}
