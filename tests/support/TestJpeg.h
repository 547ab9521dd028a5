#pragma once

// Small JPEGs made on the spot with libjpeg, in the forms a decoder meets: colour, greyscale,
// CMYK (plain or Adobe-inverted), YCCK, progressive, with an EXIF orientation.

#include <QImage>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <vector>

#include <jpeglib.h>

namespace testjpeg {

enum class Kind { Colour, Grey, Cmyk, CmykInverted, Ycck };

struct Options {
    Kind kind = Kind::Colour;
    bool progressive = false;
    int quality = 95;
    int orientation = 0;         // 0: no EXIF block
    bool bigEndianExif = true;
    int scansPerComponent = 0;   // > 0: one AC coefficient band per scan, this many bands
};

inline std::vector<std::uint8_t> exifBlock(int orientation, bool bigEndian)
{
    std::vector<std::uint8_t> b = {'E', 'x', 'i', 'f', 0, 0};
    auto u16 = [&](unsigned v) {
        if (bigEndian) {
            b.push_back(std::uint8_t(v >> 8));
            b.push_back(std::uint8_t(v));
        } else {
            b.push_back(std::uint8_t(v));
            b.push_back(std::uint8_t(v >> 8));
        }
    };
    auto u32 = [&](unsigned v) {
        if (bigEndian) {
            u16(v >> 16);
            u16(v & 0xFFFF);
        } else {
            u16(v & 0xFFFF);
            u16(v >> 16);
        }
    };
    if (bigEndian)
        b.insert(b.end(), {'M', 'M', 0, 42});
    else
        b.insert(b.end(), {'I', 'I', 42, 0});
    u32(8);     // IFD0 right after the header
    u16(2);     // two entries: a width tag first, then the orientation
    u16(0x0100); u16(4); u32(1); u32(64);
    u16(0x0112); u16(3); u32(1); u16(unsigned(orientation)); u16(0);
    u32(0);     // no next IFD
    return b;
}

// Encodes an RGB32 image; for the CMYK kinds each pixel's RGB becomes ink with no black.
inline std::vector<std::uint8_t> encode(const QImage& source, const Options& o = {})
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(image.width());
    cinfo.image_height = JDIMENSION(image.height());
    const bool cmyk = o.kind == Kind::Cmyk || o.kind == Kind::CmykInverted || o.kind == Kind::Ycck;
    cinfo.input_components = o.kind == Kind::Grey ? 1 : cmyk ? 4 : 3;
    cinfo.in_color_space = o.kind == Kind::Grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    if (o.kind == Kind::Ycck)
        jpeg_set_colorspace(&cinfo, JCS_YCCK);
    cinfo.write_Adobe_marker = o.kind == Kind::CmykInverted || o.kind == Kind::Ycck;
    jpeg_set_quality(&cinfo, o.quality, TRUE);
    for (int i = 0; i < cinfo.num_components; ++i)
        cinfo.comp_info[i].h_samp_factor = cinfo.comp_info[i].v_samp_factor = 1;
    std::vector<jpeg_scan_info> scans;
    if (o.scansPerComponent > 0) {
        scans.push_back({cinfo.num_components, {0, 1, 2, 3}, 0, 0, 0, 0});
        for (int c = 0; c < cinfo.num_components; ++c)
            for (int band = 1; band <= o.scansPerComponent; ++band) {
                const int first = 1 + (band - 1) * 63 / o.scansPerComponent;
                const int last = band * 63 / o.scansPerComponent;
                scans.push_back({1, {c, 0, 0, 0}, first, last, 0, 0});
            }
        cinfo.scan_info = scans.data();
        cinfo.num_scans = int(scans.size());
    } else if (o.progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    if (o.orientation > 0) {
        const std::vector<std::uint8_t> exif = exifBlock(o.orientation, o.bigEndianExif);
        jpeg_write_marker(&cinfo, JPEG_APP0 + 1, exif.data(), unsigned(exif.size()));
    }
    std::vector<JSAMPLE> row(std::size_t(image.width()) * 4);
    while (cinfo.next_scanline < cinfo.image_height) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(int(cinfo.next_scanline)));
        for (int x = 0; x < image.width(); ++x) {
            const int r = qRed(in[x]), g = qGreen(in[x]), b = qBlue(in[x]);
            JSAMPLE* p = row.data() + x * cinfo.input_components;
            if (o.kind == Kind::Grey)
                p[0] = JSAMPLE(qGray(in[x]));
            else if (o.kind == Kind::Cmyk) { // 0 = no ink
                p[0] = JSAMPLE(255 - r); p[1] = JSAMPLE(255 - g); p[2] = JSAMPLE(255 - b); p[3] = 0;
            } else if (cmyk) {               // Adobe's inverted form: 255 = no ink
                p[0] = JSAMPLE(r); p[1] = JSAMPLE(g); p[2] = JSAMPLE(b); p[3] = 255;
            } else {
                p[0] = JSAMPLE(r); p[1] = JSAMPLE(g); p[2] = JSAMPLE(b);
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<std::uint8_t> result(buffer, buffer + size);
    std::free(buffer);
    return result;
}

// Four flat quadrants: red, green / blue, white.
inline QImage quadrants(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2, bottom = y >= height / 2;
            image.setPixel(x, y, !bottom ? (right ? qRgb(0, 255, 0) : qRgb(255, 0, 0))
                                         : (right ? qRgb(255, 255, 255) : qRgb(0, 0, 255)));
        }
    return image;
}

struct Header {
    int lumaSampling = 0;            // the first component's factors: 11 is full-resolution colour
    std::vector<unsigned> quantSteps; // every table's steps: all 1 at quality 100
};

inline Header readHeader(const std::vector<std::uint8_t>& jpeg)
{
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&cinfo, TRUE);
    Header header;
    header.lumaSampling = cinfo.comp_info[0].h_samp_factor * 10 + cinfo.comp_info[0].v_samp_factor;
    for (const JQUANT_TBL* table : cinfo.quant_tbl_ptrs)
        if (table)
            header.quantSteps.insert(header.quantSteps.end(), std::begin(table->quantval), std::end(table->quantval));
    jpeg_destroy_decompress(&cinfo);
    return header;
}

} // namespace testjpeg
