#pragma once
// Whole small files in and out as bytes: playlists, pictures, XML.
#include <optional>
#include <string>

namespace fw {

// The file's bytes, or nothing when it can't be opened or read.
std::optional<std::string> ReadFileBytes(const std::wstring& path);

} // namespace fw
