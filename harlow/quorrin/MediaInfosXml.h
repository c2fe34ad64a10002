// The "MediaInfos" XML document the program reads: one MediaInfo with its Stream elements and Meta.
#pragma once

#include <string>

#include "MediaReport.h"

namespace harlow::quorrin {

std::string BuildMediaInfosXml(const MediaReport& report);

// Writes the document under a temporary name beside `path` and renames it into place, so the
// program never sees a half-written file. False when anything failed (nothing is left behind).
bool WriteFileAtomically(const std::wstring& path, const std::string& content);

} // namespace harlow::quorrin
