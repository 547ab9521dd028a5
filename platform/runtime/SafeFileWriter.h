#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Puts a whole file in place: written to a temporary file beside the target and renamed over it
// only when complete, so a failure leaves neither a partial file nor a damaged older one.
namespace SafeFileWriter {
// True once path holds bytes completely and lastingly (the file and its folder synced). The
// temporary file has a short name of its own, so any name that can be saved once can be saved
// again. A replaced file keeps its mode, and its owner and group where this process may set
// them; a link stays a link, even one whose target does not exist yet, and its target is
// written. A folder, pipe, socket or device at that name is not replaced. In a folder that
// takes no new files, an existing file is rewritten in place, once the room for the new
// content is secured; without that room it stays as it was.
bool Write(const std::string& path, const std::vector<std::uint8_t>& bytes);
} // namespace SafeFileWriter
