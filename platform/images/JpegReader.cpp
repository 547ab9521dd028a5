#include "platform/images/JpegReader.h"

#include <QImage>
#include <QTransform>

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Pages made afresh for every decode cost a trap each, several microseconds here: the tens of
// megabytes of a progressive photo's coefficients cost more than decoding them. Memory from a
// quarter megabyte up therefore comes straight from the kernel on 2 MiB pages where it has
// them (already zero), and goes back to it as soon as it is no longer needed.
class Block {
public:
    Block() = default;
    explicit Block(std::size_t bytes)
    {
        constexpr std::size_t hugePage = std::size_t(2) << 20;
        if (bytes < hugePage / 8) {
            map(bytes);
            return;
        }
        // Only whole 2 MiB pages at 2 MiB boundaries can be huge: the rest is given back.
        const std::size_t length = (bytes + hugePage - 1) / hugePage * hugePage;
        if (!map(length + hugePage))
            return;
        const std::size_t head = (hugePage - reinterpret_cast<std::uintptr_t>(m_address) % hugePage) % hugePage;
        if (head)
            munmap(m_address, head);
        munmap(m_address + head + length, hugePage - head);
        m_address += head;
        m_length = length;
        madvise(m_address, m_length, MADV_HUGEPAGE);
    }
    Block(Block&& other) noexcept
        : m_address(std::exchange(other.m_address, nullptr)), m_length(std::exchange(other.m_length, 0)) {}
    Block& operator=(Block&& other) noexcept
    {
        std::swap(m_address, other.m_address);
        std::swap(m_length, other.m_length);
        return *this;
    }
    Block(const Block&) = delete;
    Block& operator=(const Block&) = delete;
    ~Block()
    {
        if (m_address)
            munmap(m_address, m_length);
    }
    std::uint8_t* data() const { return m_address; }
    std::size_t size() const { return m_length; }
    explicit operator bool() const { return m_address != nullptr; }

    // The memory as a picture's pixels: the picture gives them back when it goes.
    QImage intoImage(int width, int height)
    {
        auto* owner = new Block(std::move(*this));
        return QImage(owner->data(), width, height, qsizetype(width) * 4, QImage::Format_RGB32,
                      [](void* info) { delete static_cast<Block*>(info); }, owner);
    }

private:
    bool map(std::size_t length)
    {
        void* address = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (address == MAP_FAILED)
            return false;
        m_address = static_cast<std::uint8_t*>(address);
        m_length = length;
        return true;
    }

    std::uint8_t* m_address = nullptr;
    std::size_t m_length = 0;
};

// A progressive image's coefficients, one array per component, kept in one Block instead of
// libjpeg's heap: only the three calls of its coefficient buffer are replaced.
struct CoefficientArray {
    JDIMENSION blocksPerRow;
    JDIMENSION rows;
    std::vector<JBLOCKROW> rowStarts; // empty until realized
};

struct DecodeState {
    QImage image;
    std::vector<JSAMPLE> cmykRow;
    std::vector<std::unique_ptr<CoefficientArray>> coefficients;
    Block coefficientMemory;
    void (*realizeOthers)(j_common_ptr) = nullptr;
    int orientation = 1;
    int width = 0; // the image's own size, oriented
    int height = 0;
    bool truncated = false;
};

DecodeState& stateOf(j_common_ptr cinfo) { return *static_cast<DecodeState*>(cinfo->client_data); }

jvirt_barray_ptr requestCoefficients(j_common_ptr cinfo, int, boolean, JDIMENSION blocksPerRow, JDIMENSION rows,
                                     JDIMENSION)
{
    DecodeState& state = stateOf(cinfo);
    if (state.coefficientMemory)
        onError(cinfo); // all arrays are asked for before any is made
    state.coefficients.push_back(std::make_unique<CoefficientArray>());
    state.coefficients.back()->blocksPerRow = blocksPerRow;
    state.coefficients.back()->rows = rows;
    return reinterpret_cast<jvirt_barray_ptr>(state.coefficients.back().get());
}

// Arrays start zeroed, as the coefficient buffer asks; their total counts against the
// decoder's memory limit like libjpeg's own.
void realizeCoefficients(j_common_ptr cinfo)
{
    DecodeState& state = stateOf(cinfo);
    state.realizeOthers(cinfo);
    if (state.coefficients.empty() || state.coefficientMemory)
        return;
    std::uint64_t total = 0;
    for (const auto& array : state.coefficients)
        total += std::uint64_t(array->blocksPerRow) * array->rows * sizeof(JBLOCK);
    if (total > std::uint64_t(JpegReader::kMaxDecoderMemory))
        onError(cinfo);
    state.coefficientMemory = Block(std::max<std::size_t>(std::size_t(total), 1));
    if (!state.coefficientMemory)
        onError(cinfo);
    std::uint8_t* next = state.coefficientMemory.data();
    for (const auto& array : state.coefficients) {
        const std::size_t rowBytes = std::size_t(array->blocksPerRow) * sizeof(JBLOCK);
        array->rowStarts.resize(array->rows);
        for (JDIMENSION row = 0; row < array->rows; ++row, next += rowBytes)
            array->rowStarts[row] = reinterpret_cast<JBLOCKROW>(next);
    }
}

JBLOCKARRAY accessCoefficients(j_common_ptr cinfo, jvirt_barray_ptr handle, JDIMENSION first, JDIMENSION count,
                               boolean)
{
    auto* array = reinterpret_cast<CoefficientArray*>(handle);
    if (array->rowStarts.empty() || first > array->rows || count > array->rows - first)
        onError(cinfo);
    return array->rowStarts.data() + first;
}

QImage newImage(int width, int height)
{
    Block block(std::size_t(width) * std::size_t(height) * 4);
    return block ? block.intoImage(width, height) : QImage();
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
            std::size_t size, int minHeight)
{
    if (setjmp(err.jump))
        return false;
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = JpegReader::kMaxDecoderMemory;
    cinfo.client_data = &state;
    state.realizeOthers = cinfo.mem->realize_virt_arrays;
    cinfo.mem->request_virt_barray = requestCoefficients;
    cinfo.mem->realize_virt_arrays = realizeCoefficients;
    cinfo.mem->access_virt_barray = accessCoefficients;
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
    state.orientation = orientationFromMarkers(&cinfo);
    state.width = int(state.orientation >= 5 ? cinfo.image_height : cinfo.image_width);
    state.height = int(state.orientation >= 5 ? cinfo.image_width : cinfo.image_height);
    // libjpeg's scaled inverse DCT gives the smaller picture for a fraction of the work of the
    // full one, all but the entropy decoding.
    if (minHeight > 0 && state.height > minHeight)
        for (cinfo.scale_num = 1; cinfo.scale_num < 8; ++cinfo.scale_num) {
            cinfo.scale_denom = 8;
            jpeg_calc_output_dimensions(&cinfo);
            if (int(state.orientation >= 5 ? cinfo.output_width : cinfo.output_height) >= minHeight)
                break;
        }
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

JpegReader::Reduced JpegReader::DecodeReduced(const std::uint8_t* data, std::size_t size, bool allowDamaged,
                                              int minHeight)
{
    if (!data || size < 4 || size > kMaxFileBytes)
        return {};
    jpeg_decompress_struct cinfo;
    std::memset(&cinfo, 0, sizeof cinfo);
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = onError;
    err.pub.emit_message = onMessage;
    err.allowDamaged = allowDamaged;
    DecodeState state;
    const bool ok = decode(cinfo, err, state, data, size, minHeight);
    jpeg_destroy_decompress(&cinfo);
    state.coefficients.clear();
    state.coefficientMemory = Block();
    if (!ok)
        return {};
    QImage image = oriented(state.image, state.orientation);
    state.image = QImage();
    if (image.isNull())
        return {};
    return {std::make_shared<Picture>(image), state.width, state.height};
}

PicturePtr JpegReader::Decode(const std::uint8_t* data, std::size_t size, bool allowDamaged)
{
    return DecodeReduced(data, size, allowDamaged, 0).picture;
}

JpegReader::Reduced JpegReader::DecodeFileReduced(const std::string& path, bool allowDamaged, int minHeight)
{
    // Only a regular file is read, and through read(): a pipe or a device would block or never
    // end, and a mapped file cut short by another program would fault. O_NONBLOCK keeps the
    // open itself from waiting for a pipe's writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return {};
    struct stat status {};
    Block bytes;
    std::size_t length = 0;
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0
        && std::uint64_t(status.st_size) <= kMaxFileBytes) {
        const std::size_t size = std::size_t(status.st_size);
        bytes = Block(size);
        // A file that shrinks meanwhile gives fewer bytes: a damaged file like any other.
        while (bytes && length < size) {
            const ssize_t got = ::read(fd, bytes.data() + length, size - length);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            length += std::size_t(got);
        }
    }
    ::close(fd);
    if (!bytes)
        return {};
    return DecodeReduced(bytes.data(), length, allowDamaged, minHeight);
}

PicturePtr JpegReader::DecodeFile(const std::string& path, bool allowDamaged)
{
    return DecodeFileReduced(path, allowDamaged, 0).picture;
}
