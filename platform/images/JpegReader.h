#pragma once

#include "platform/images/Picture.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Decodes JPEG files (baseline, progressive, greyscale, CMYK and YCCK) into 32-bit pictures,
// with the EXIF orientation applied. Hostile input is refused within fixed bounds of time and
// memory; the result is nullptr for anything that is not a readable JPEG.
namespace JpegReader {
// Larger images are refused as soon as the header is read, before any pixel memory exists.
inline constexpr std::uint64_t kMaxPixels = 100'000'000;
// Real encoders write about 10 scans; thousands of scans only cost time.
inline constexpr int kMaxScans = 100;
// Each scan passes over the whole image, so large images get fewer of them: scans times
// pixels stays below this (20 scans at kMaxPixels, all 100 up to 20 megapixels).
inline constexpr std::uint64_t kMaxScanPixels = 2'000'000'000;
// Decoding time follows the amount of compressed data (about 15 ms a megabyte for one
// scan, 45 for progressive ones, whose coefficients are revisited scan after scan). Real
// photos stay far below: a 100-megapixel camera photo has 30 to 60 MB.
inline constexpr std::size_t kMaxFileBytes = 128u << 20;
inline constexpr std::size_t kMaxProgressiveBytes = 32u << 20;
// The decoder's own working memory (the coefficients of a progressive image, 6 bytes a
// pixel at full colour resolution), beside the picture itself (at most 400 MB): enough
// for a progressive colour image at kMaxPixels, not for a progressive CMYK one.
inline constexpr long kMaxDecoderMemory = 640L * 1024 * 1024;

// With allowDamaged, a truncated or partly corrupt image gives what could be decoded;
// without it any corrupt data refuses the image.
PicturePtr Decode(const std::uint8_t* data, std::size_t size, bool allowDamaged);
// Reads a regular file only (a pipe, device or folder is no picture), within kMaxFileBytes.
PicturePtr DecodeFile(const std::string& path, bool allowDamaged);

// The same, decoded at the smallest of libjpeg's scales (1/8 to 8/8) whose height after the
// EXIF orientation still reaches minHeight, or at full size when the image is lower. The
// limits apply to the image's own size.
struct Reduced {
    PicturePtr picture; // nullptr when the data is no readable JPEG
    int width = 0;      // the image's own size, EXIF orientation applied
    int height = 0;
};
Reduced DecodeReduced(const std::uint8_t* data, std::size_t size, bool allowDamaged, int minHeight);
Reduced DecodeFileReduced(const std::string& path, bool allowDamaged, int minHeight);

// The EXIF orientation (1-8) in an APP1 payload, or 1 when there is none or it is malformed.
int ExifOrientation(const std::uint8_t* data, std::size_t size);
}
