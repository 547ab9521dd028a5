#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Puts a whole file in place: written to a temporary file beside the target and renamed over it
// only when complete, so a failure leaves neither a partial file nor a damaged older one.
namespace SafeFileWriter {
// True once path holds bytes completely and lastingly (the file and its folder synced). The
// temporary file has a short name of its own, so any name that can be saved once can be saved
// again. Links are followed as the kernel follows them (FileDestination): a link stays a link,
// even one whose target does not exist yet, and its target is written; a link the kernel would
// not follow is not followed. A folder, pipe, socket or device at that name is not replaced.
// A replaced file keeps its owner, group, mode, ACL and other extended attributes; where its
// replacement could not keep them, or may not take its place, and in a folder that takes no new
// files, the file is rewritten in place instead, once the room for the new content is secured;
// without that room it stays as it was.
bool Write(const std::string& path, const std::vector<std::uint8_t>& bytes);
} // namespace SafeFileWriter
