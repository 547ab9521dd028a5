// libFuzzer target: arbitrary bytes through the JPEG decoder, strict and lenient.
#include "platform/images/JpegReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (PicturePtr pic = JpegReader::Decode(data, size, true)) {
        // A picture must have the size it reports and stay within the limit.
        if (pic->Width() <= 0 || pic->Height() <= 0
            || std::uint64_t(pic->Width()) * std::uint64_t(pic->Height()) > JpegReader::kMaxPixels)
            __builtin_trap();
    }
    JpegReader::Decode(data, size, false);
    return 0;
}
