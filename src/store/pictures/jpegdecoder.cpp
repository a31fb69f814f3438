#include "store/pictures/jpegdecoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
// jpeglib.h needs FILE and size_t declared first.
#include <jerror.h>
#include <jpeglib.h>

#include "store/pictures/bitmapcanvas.h"

namespace kontavo {

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return.
// It jumps back to runJpeg(), whose frame holds no object with a destructor,
// so the jump never crosses a C++ frame that would need unwinding.
struct JpegError {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    int code;
};

void onJpegError(j_common_ptr info) {
    auto* error = reinterpret_cast<JpegError*>(info->err);
    error->code = info->err->msg_code == JERR_OUT_OF_MEMORY ? imagecode::kNoMemory
                                                            : imagecode::kUnsupported;
    std::longjmp(error->jump, 1);
}

void onJpegMessage(j_common_ptr) {}

// One pass over the image: with `out` null it reads the header and the
// output size only; with `out` set it decodes into those rows (bottom-up,
// `stride` bytes apart) as blue-green-red.
struct JpegJob {
    const uchar* data = nullptr;
    unsigned long size = 0;
    int denominator = 1;
    long maxMemory = 0;
    const std::atomic<bool>* cancel = nullptr;
    uchar* out = nullptr;
    long stride = 0;
    unsigned width = 0;
    unsigned height = 0;
};

void swapToBgr(uchar* row, unsigned width) {
    for (unsigned x = 0; x < width; ++x) {
        const uchar red = row[3 * x];
        row[3 * x] = row[3 * x + 2];
        row[3 * x + 2] = red;
    }
}

int runJpeg(JpegJob& job) {
    jpeg_decompress_struct info;
    std::memset(&info, 0, sizeof info);
    JpegError error;
    info.err = jpeg_std_error(&error.base);
    error.base.error_exit = onJpegError;
    error.base.output_message = onJpegMessage;
    error.code = imagecode::kUnsupported;
    if (setjmp(error.jump) != 0) {
        jpeg_destroy_decompress(&info);
        return error.code;
    }
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = job.maxMemory;
    jpeg_mem_src(&info, job.data, job.size);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    info.scale_num = 1;
    info.scale_denom = unsigned(job.denominator);
    jpeg_calc_output_dimensions(&info);
    if (job.out == nullptr || info.output_width != job.width ||
        info.output_height != job.height || info.output_components != 3) {
        job.width = info.output_width;
        job.height = info.output_components == 3 ? info.output_height : 0;
        jpeg_destroy_decompress(&info);
        return imagecode::kOk;
    }
    jpeg_start_decompress(&info);
    while (info.output_scanline < info.output_height) {
        if (job.cancel != nullptr && job.cancel->load(std::memory_order_relaxed)) {
            jpeg_destroy_decompress(&info);
            return imagecode::kCancelled;
        }
        JSAMPROW row = job.out + job.stride * long(info.output_height - 1 - info.output_scanline);
        jpeg_read_scanlines(&info, &row, 1);
        swapToBgr(row, info.output_width);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return imagecode::kOk;
}

ImageLoad decodeAt(const QByteArray& bytes, int denominator, const DecodeControl& control) {
    JpegJob job;
    job.data = reinterpret_cast<const uchar*>(bytes.constData());
    job.size = static_cast<unsigned long>(bytes.size());
    job.denominator = denominator;
    job.maxMemory = long(control.limits.maxPixels) * 4;
    job.cancel = control.cancel;
    if (const int code = runJpeg(job); code != imagecode::kOk) {
        return ImageLoad::failed(code);
    }
    if (job.height == 0) {
        return ImageLoad::failed(imagecode::kUnsupported);  // no RGB output for its colours
    }
    BitmapCanvas canvas;
    if (const int code = canvas.allocate(int(job.width), int(job.height), control.limits);
        code != imagecode::kOk) {
        return ImageLoad::failed(code);
    }
    job.out = canvas.row(int(job.height) - 1);
    job.stride = long(PictureBitmap::rowSize(int(job.width)));
    if (const int code = runJpeg(job); code != imagecode::kOk) {
        return ImageLoad::failed(code);
    }
    return {canvas.finish(), imagecode::kOk, ImageFormat::Jpeg};
}

bool isJpegStart(const QByteArray& bytes) {
    return bytes.size() >= 3 && uchar(bytes[0]) == 0xFF && uchar(bytes[1]) == 0xD8;
}

}  // namespace

ImageLoad decodeJpeg(const QByteArray& bytes, int maxReduction, const DecodeControl& control) {
    if (!isJpegStart(bytes)) {
        return ImageLoad::failed(imagecode::kUnsupported);
    }
    ImageLoad load = ImageLoad::failed(imagecode::kUnsupported);
    for (int denominator = 1; denominator <= std::max(1, maxReduction); ++denominator) {
        load = decodeAt(bytes, denominator, control);
        if (load.ok() || load.code == imagecode::kCancelled) {
            return load;
        }
    }
    return load;
}

}  // namespace kontavo
