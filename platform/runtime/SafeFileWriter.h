#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Puts a whole file in place: written to a temporary file beside the target and renamed over it
// only when complete, so a failure leaves neither a partial file nor a damaged older one.
namespace SafeFileWriter {
// True once path holds bytes completely. The temporary file has a short name of its own, so
// any name that can be saved once can be saved again. A file that is replaced keeps its
// permissions. In a folder that takes no new files, an existing file is rewritten in place.
bool Write(const std::string& path, const std::vector<std::uint8_t>& bytes);
} // namespace SafeFileWriter
