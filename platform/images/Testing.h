#pragma once

#include "platform/images/PngWriter.h"

#include <cstdint>
#include <vector>

class Picture;

// For tests and benchmarks only: the program itself never calls these.
namespace testing {
// PngWriter::Encode with explicit zlib settings (level 0-9, a zlib strategy), for comparisons.
std::vector<std::uint8_t> EncodePngWith(const Picture& picture, const Picture* mask, float gamma, bool interlace,
                                        PngWriter::Filter filter, int zlibLevel, int zlibStrategy);
} // namespace testing
