#pragma once
// The rows of the media properties list: label and value, in the order they are shown.
#include "tools/MediaInfo.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zevrin {

struct PropertyRow {
    std::wstring label;
    std::wstring value;
};

// The file block (name, size, duration, format, bit rate) and five rows per video or audio
// stream, numbered by the stream's place among all streams.
std::vector<PropertyRow> MediaPropertyRows(const std::wstring& path, const CMediaInfo& info);

// A byte count with the user's thousands separator ("1,234,567"); plain digits when the locale
// can't format it.
std::wstring FormatByteCount(int64_t bytes);

// Rows 0, 5, 10...: the file's first row and each stream block's first row are drawn bold.
inline bool IsBoldPropertyRow(int row) { return row % 5 == 0; }

} // namespace zevrin
