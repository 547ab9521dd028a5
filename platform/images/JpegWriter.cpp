#include "platform/images/JpegWriter.h"

#include "platform/images/Picture.h"

#include <QImage>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void onError(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void onMessage(j_common_ptr, int) {}

struct EncodeState {
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
};

bool encode(jpeg_compress_struct& cinfo, ErrorManager& err, EncodeState& out, const QImage& image, int quality)
{
    if (setjmp(err.jump))
        return false;
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &out.buffer, &out.size);
    cinfo.image_width = JDIMENSION(image.width());
    cinfo.image_height = JDIMENSION(image.height());
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_EXT_BGRX; // QImage's 32-bit formats in memory order
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (quality >= JpegWriter::kFullChromaQuality)
        for (int i = 0; i < cinfo.num_components; ++i)
            cinfo.comp_info[i].h_samp_factor = cinfo.comp_info[i].v_samp_factor = 1;
    jpeg_start_compress(&cinfo, TRUE);
    constexpr int kBatch = 16;
    JSAMPROW rows[kBatch];
    while (cinfo.next_scanline < cinfo.image_height) {
        const int first = int(cinfo.next_scanline);
        const int count = std::min<int>(kBatch, int(cinfo.image_height) - first);
        for (int i = 0; i < count; ++i)
            rows[i] = const_cast<JSAMPROW>(image.constScanLine(first + i));
        jpeg_write_scanlines(&cinfo, rows, JDIMENSION(count));
    }
    jpeg_finish_compress(&cinfo);
    return true;
}

} // namespace

std::vector<std::uint8_t> JpegWriter::Encode(const Picture& picture, int quality)
{
    const QImage& image = picture.Image();
    if (image.isNull())
        return {};
    // The alpha byte of an ARGB picture is ignored: a JPEG has no transparency.
    jpeg_compress_struct cinfo;
    std::memset(&cinfo, 0, sizeof cinfo);
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = onError;
    err.pub.emit_message = onMessage;
    EncodeState out;
    const bool ok = encode(cinfo, err, out, image, std::clamp(quality, 1, 100));
    jpeg_destroy_compress(&cinfo);
    std::vector<std::uint8_t> result;
    if (ok && out.buffer)
        result.assign(out.buffer, out.buffer + out.size);
    std::free(out.buffer);
    return result;
}
