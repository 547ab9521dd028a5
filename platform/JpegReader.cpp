#include "platform/JpegReader.h"

#include <QFile>
#include <QImage>
#include <QTransform>

#include <csetjmp>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>
#include <sys/mman.h>

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    bool allowDamaged = false;
};

[[noreturn]] void onError(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void onMessage(j_common_ptr cinfo, int level)
{
    // Negative levels are warnings: truncation and corrupt data. Positive ones are traces.
    if (level >= 0)
        return;
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    ++err->pub.num_warnings;
    if (!err->allowDamaged)
        std::longjmp(err->jump, 1);
}

void onProgress(j_common_ptr cinfo)
{
    // Called at every scan start and row while the input is absorbed, so a flood of scans
    // is stopped after kMaxScans of them, not after the whole file.
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->input_scan_number > JpegReader::kMaxScans)
        onError(cinfo);
}

struct DecodeState {
    QImage image;
    std::vector<JSAMPLE> cmykRow;
    int orientation = 1;
};

void freeBuffer(void* buffer) { std::free(buffer); }

// A photo's pixels in huge pages where the system offers them on request: a fresh 80 MB picture
// otherwise costs as much in page faults as decoding half of it.
QImage newImage(int width, int height)
{
    constexpr std::size_t kHugePage = 2u << 20;
    const std::size_t bytes = std::size_t(width) * std::size_t(height) * 4;
    if (bytes < 4 * kHugePage)
        return QImage(width, height, QImage::Format_RGB32);
    void* buffer = std::aligned_alloc(kHugePage, (bytes + kHugePage - 1) / kHugePage * kHugePage);
    if (!buffer)
        return QImage();
#ifdef MADV_HUGEPAGE
    madvise(buffer, bytes, MADV_HUGEPAGE);
#endif
    return QImage(static_cast<uchar*>(buffer), width, height, qsizetype(width) * 4, QImage::Format_RGB32,
                  freeBuffer, buffer);
}

// Adobe's encoders store CMYK inverted (0 = full ink) and say so with their marker.
void cmykToRgb32(const JSAMPLE* in, QRgb* out, int width, bool inverted)
{
    for (int x = 0; x < width; ++x, in += 4) {
        int c = in[0], m = in[1], y = in[2], k = in[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[x] = qRgb((c * k + 127) / 255, (m * k + 127) / 255, (y * k + 127) / 255);
    }
}

int orientationFromMarkers(j_decompress_ptr cinfo)
{
    for (jpeg_saved_marker_ptr m = cinfo->marker_list; m; m = m->next)
        if (m->marker == JPEG_APP0 + 1 && m->data_length >= 6 && std::memcmp(m->data, "Exif\0\0", 6) == 0)
            return JpegReader::ExifOrientation(m->data, m->data_length);
    return 1;
}

// Kept apart from the caller so that nothing the caller owns changes between setjmp and longjmp.
bool decode(jpeg_decompress_struct& cinfo, ErrorManager& err, DecodeState& state, const std::uint8_t* data,
            std::size_t size)
{
    if (setjmp(err.jump))
        return false;
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = JpegReader::kMaxDecoderMemory;
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xFFFF);
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK)
        return false;
    const std::uint64_t pixels = std::uint64_t(cinfo.image_width) * cinfo.image_height;
    if (pixels == 0 || pixels > JpegReader::kMaxPixels)
        return false;

    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
    jpeg_progress_mgr progress{};
    progress.progress_monitor = onProgress;
    cinfo.progress = &progress;

    jpeg_start_decompress(&cinfo);
    state.image = newImage(int(cinfo.output_width), int(cinfo.output_height));
    if (state.image.isNull())
        return false;
    if (cmyk)
        state.cmykRow.resize(std::size_t(cinfo.output_width) * 4);

    constexpr int kBatch = 16;
    JSAMPROW rows[kBatch];
    while (cinfo.output_scanline < cinfo.output_height) {
        const int first = int(cinfo.output_scanline);
        JDIMENSION read;
        if (cmyk) {
            rows[0] = state.cmykRow.data();
            read = jpeg_read_scanlines(&cinfo, rows, 1);
            if (read == 1)
                cmykToRgb32(state.cmykRow.data(), reinterpret_cast<QRgb*>(state.image.scanLine(first)),
                            int(cinfo.output_width), cinfo.saw_Adobe_marker);
        } else {
            const int count = std::min<int>(kBatch, int(cinfo.output_height) - first);
            for (int i = 0; i < count; ++i)
                rows[i] = state.image.scanLine(first + i);
            read = jpeg_read_scanlines(&cinfo, rows, JDIMENSION(count));
        }
        if (read == 0)
            return false; // a memory source never suspends; no progress means a broken stream
    }
    state.orientation = orientationFromMarkers(&cinfo);
    jpeg_finish_decompress(&cinfo);
    cinfo.progress = nullptr;
    return true;
}

QImage oriented(const QImage& image, int orientation)
{
    switch (orientation) {
    case 2: return image.mirrored(true, false);
    case 3: return image.mirrored(true, true);
    case 4: return image.mirrored(false, true);
    case 5: return image.transformed(QTransform().rotate(90)).mirrored(true, false);
    case 6: return image.transformed(QTransform().rotate(90));
    case 7: return image.transformed(QTransform().rotate(90)).mirrored(false, true);
    case 8: return image.transformed(QTransform().rotate(270));
    default: return image;
    }
}

std::uint32_t readU16(const std::uint8_t* p, bool big) { return big ? (p[0] << 8 | p[1]) : (p[1] << 8 | p[0]); }

std::uint32_t readU32(const std::uint8_t* p, bool big)
{
    return big ? (std::uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3])
               : (std::uint32_t(p[3]) << 24 | p[2] << 16 | p[1] << 8 | p[0]);
}

} // namespace

int JpegReader::ExifOrientation(const std::uint8_t* data, std::size_t size)
{
    if (!data || size < 6 + 8 || std::memcmp(data, "Exif\0\0", 6) != 0)
        return 1;
    const std::uint8_t* tiff = data + 6;
    const std::size_t length = size - 6;
    bool big;
    if (std::memcmp(tiff, "MM\0*", 4) == 0)
        big = true;
    else if (std::memcmp(tiff, "II*\0", 4) == 0)
        big = false;
    else
        return 1;
    const std::uint64_t ifd = readU32(tiff + 4, big);
    if (ifd + 2 > length)
        return 1;
    const std::uint32_t count = readU16(tiff + ifd, big);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint64_t entry = ifd + 2 + std::uint64_t(i) * 12;
        if (entry + 12 > length)
            return 1;
        if (readU16(tiff + entry, big) != 0x0112)
            continue;
        // A SHORT held in the first half of the value field.
        if (readU16(tiff + entry + 2, big) != 3 || readU32(tiff + entry + 4, big) != 1)
            return 1;
        const std::uint32_t value = readU16(tiff + entry + 8, big);
        return value >= 1 && value <= 8 ? int(value) : 1;
    }
    return 1;
}

PicturePtr JpegReader::Decode(const std::uint8_t* data, std::size_t size, bool allowDamaged)
{
    if (!data || size < 4)
        return nullptr;
    jpeg_decompress_struct cinfo;
    std::memset(&cinfo, 0, sizeof cinfo);
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = onError;
    err.pub.emit_message = onMessage;
    err.allowDamaged = allowDamaged;
    DecodeState state;
    const bool ok = decode(cinfo, err, state, data, size);
    jpeg_destroy_decompress(&cinfo);
    if (!ok)
        return nullptr;
    QImage image = oriented(state.image, state.orientation);
    state.image = QImage();
    if (image.isNull())
        return nullptr;
    return std::make_shared<Picture>(image);
}

PicturePtr JpegReader::DecodeFile(const std::string& path, bool allowDamaged)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    const qint64 size = file.size();
    if (size <= 0)
        return nullptr;
    if (const uchar* mapped = file.map(0, size))
        return Decode(mapped, std::size_t(size), allowDamaged);
    const QByteArray bytes = file.readAll();
    return Decode(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()),
                  allowDamaged);
}
