// WriteExportFile: the bytes of one file of an export written to its path.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes `bytes` to `path` (a path relative to the current directory with backslashes, or a host path), replacing
// any file there; the bytes written are added to `*bytesWritten` when given. False when `bytes` is empty, the file
// cannot be created, a write falls short or closing fails.
bool WriteExportFile(const std::string& path, const std::vector<uint8_t>& bytes, int64_t* bytesWritten = nullptr);
