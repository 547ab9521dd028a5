#include "platform/images/JpegReader.h"

#include <QFile>
#include <QImage>
#include <QTransform>

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <utility>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>
#include <sys/mman.h>

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    bool allowDamaged = false;
    bool reachedEnd = false; // the data ended before the image did
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
    if (err->pub.msg_code == JWRN_JPEG_EOF)
        err->reachedEnd = true;
    if (!err->allowDamaged)
        std::longjmp(err->jump, 1);
}

void onProgress(j_common_ptr cinfo)
{
    // Called at every scan start and row while the input is absorbed, so a flood of scans
    // is stopped as soon as it passes the limits, not after the whole file.
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    const std::uint64_t scans = std::uint64_t(std::max(d->input_scan_number, 0));
    if (scans > JpegReader::kMaxScans
        || scans * d->image_width * d->image_height > JpegReader::kMaxScanPixels)
        onError(cinfo);
}

struct DecodeState {
    QImage image;
    std::vector<JSAMPLE> cmykRow;
    int orientation = 1;
    bool truncated = false;
};

struct Mapping {
    void* address;
    std::size_t length;
};

// The memory of the last large picture is kept for the next decode: making tens of megabytes
// of fresh pages costs about as much here as decoding into them. One spare at most.
constexpr std::size_t kMaxSpareBytes = 128u << 20;
std::mutex spareLock;
Mapping spare{nullptr, 0};

void unmap(void* info)
{
    auto* mapping = static_cast<Mapping*>(info);
    {
        const std::lock_guard<std::mutex> lock(spareLock);
        if (mapping->length <= kMaxSpareBytes && mapping->length > spare.length) {
            std::swap(*mapping, spare);
        }
    }
    if (mapping->address)
        munmap(mapping->address, mapping->length);
    delete mapping;
}

Mapping takeSpare(std::size_t bytes)
{
    const std::lock_guard<std::mutex> lock(spareLock);
    if (!spare.address || spare.length < bytes || spare.length / 2 > bytes)
        return {nullptr, 0};
    return std::exchange(spare, Mapping{nullptr, 0});
}

// A large picture's pages are made in one go when it is allocated: touching a fresh 80 MB
// picture page by page while decoding costs a third more. Pictures of a few megabytes and up
// take this road, so that the spare serves an ordinary photo too.
QImage newImage(int width, int height)
{
    const std::size_t bytes = std::size_t(width) * std::size_t(height) * 4;
    if (bytes < (2u << 20))
        return QImage(width, height, QImage::Format_RGB32);
    Mapping mapping = takeSpare(bytes);
    if (!mapping.address) {
        void* address = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
        if (address == MAP_FAILED)
            return QImage();
        mapping = {address, bytes};
    }
    return QImage(static_cast<uchar*>(mapping.address), width, height, qsizetype(width) * 4, QImage::Format_RGB32,
                  unmap, new Mapping(mapping));
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
    if (cinfo.progressive_mode && size > JpegReader::kMaxProgressiveBytes)
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

    constexpr int kBatch = 16;
    JSAMPROW rows[kBatch];
    const int width = int(cinfo.output_width);
    if (cmyk)
        state.cmykRow.resize(std::size_t(width) * 4 * kBatch);
    const bool oneScan = !jpeg_has_multiple_scans(&cinfo);
    while (cinfo.output_scanline < cinfo.output_height) {
        const int first = int(cinfo.output_scanline);
        // A file cut short has nothing more for the rows below: decoding them would only
        // turn missing data into grey, slowly. Their grey is written directly.
        if (oneScan && err.reachedEnd) {
            for (int y = first; y < state.image.height(); ++y)
                std::fill_n(reinterpret_cast<QRgb*>(state.image.scanLine(y)), width, 0xFF808080u);
            state.truncated = true;
            break;
        }
        const int count = std::min<int>(kBatch, int(cinfo.output_height) - first);
        for (int i = 0; i < count; ++i)
            rows[i] = cmyk ? state.cmykRow.data() + std::size_t(i) * std::size_t(width) * 4
                           : state.image.scanLine(first + i);
        const JDIMENSION read = jpeg_read_scanlines(&cinfo, rows, JDIMENSION(count));
        if (read == 0)
            return false; // a memory source never suspends; no progress means a broken stream
        if (cmyk)
            for (JDIMENSION i = 0; i < read; ++i)
                cmykToRgb32(rows[i], reinterpret_cast<QRgb*>(state.image.scanLine(first + int(i))), width,
                            cinfo.saw_Adobe_marker);
    }
    state.orientation = orientationFromMarkers(&cinfo);
    if (!state.truncated)
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
    if (!data || size < 4 || size > kMaxFileBytes)
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
    if (size <= 0 || std::uint64_t(size) > kMaxFileBytes)
        return nullptr;
    if (const uchar* mapped = file.map(0, size))
        return Decode(mapped, std::size_t(size), allowDamaged);
    const QByteArray bytes = file.readAll();
    return Decode(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()),
                  allowDamaged);
}
