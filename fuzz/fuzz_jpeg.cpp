// libFuzzer target: arbitrary bytes through the JPEG decoder, strict and lenient, at full size
// and reduced the way loading decodes (to the output icon's 1024 rows, and to smaller heights
// that reach every one of libjpeg's scales on small inputs).
#include "platform/images/JpegReader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

// A picture must have a size within the image's own, reduced by no more than libjpeg's 1/8,
// still reach the height asked for, and stay within the pixel limit.
void checkReduced(const JpegReader::Reduced& reduced, int minHeight)
{
    if (!reduced.picture)
        return;
    const std::int64_t width = reduced.picture->Width();
    const std::int64_t height = reduced.picture->Height();
    const std::int64_t ownWidth = reduced.width;
    const std::int64_t ownHeight = reduced.height;
    if (ownWidth <= 0 || ownHeight <= 0 || std::uint64_t(ownWidth * ownHeight) > JpegReader::kMaxPixels)
        __builtin_trap();
    if (width <= 0 || height <= 0 || width > ownWidth || height > ownHeight)
        __builtin_trap();
    if (width * 8 < ownWidth || height * 8 < ownHeight)
        __builtin_trap();
    if (height < std::min<std::int64_t>(minHeight, ownHeight))
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    checkReduced(JpegReader::DecodeReduced(data, size, false, 0), 0);
    // Loading: lenient, no smaller than the 1024-row output icon.
    checkReduced(JpegReader::DecodeReduced(data, size, true, 1024), 1024);
    // The last byte (after the end of a whole image, where decoding ignores it) picks a smaller height.
    const int small = size > 0 ? 1 + data[size - 1] % 64 : 1;
    checkReduced(JpegReader::DecodeReduced(data, size, false, small), small);
    checkReduced(JpegReader::DecodeReduced(data, size, true, small), small);
    return 0;
}
