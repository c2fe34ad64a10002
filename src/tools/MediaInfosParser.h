#pragma once
// Reads the "MediaInfos" XML file that the probe tool writes into a media information record.
#include "tools/MediaInfo.h"

#include <string>

namespace zevrin {

// 0 when the file holds a MediaInfos root with a MediaInfo element, which then replaces `info`
// (only the first MediaInfo counts); -1 otherwise. Attributes that are missing or not numbers
// where numbers belong keep their initial values.
int ParseMediaInfos(const std::wstring& xmlPath, CMediaInfo& info);
// The same for XML already in memory (UTF-8).
int ParseMediaInfosText(const std::string& xml, CMediaInfo& info);

} // namespace zevrin
