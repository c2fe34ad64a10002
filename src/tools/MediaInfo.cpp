#include "tools/MediaInfo.h"

#include <algorithm>
#include <array>

namespace zevrin {

namespace {

// The probe tool's numbers of picture codecs.
constexpr std::array kStillImageCodecs{8, 9, 10, 12, 55, 63, 64, 65, 66, 67, 68, 80, 90, 95, 98, 99, 111};

void AddToIndex(std::vector<int>& index, int& first, int streamIndex) {
    if (index.empty()) first = streamIndex;
    index.push_back(streamIndex);
}

} // namespace

void CMediaInfo::BuildStreamIndex() {
    videoStreams.clear();
    audioStreams.clear();
    firstVideo = firstAudio = -1;
    for (int i = 0; i < static_cast<int>(streams.size()); ++i) {
        if (streams[i].type == kStreamTypeVideo) {
            AddToIndex(videoStreams, firstVideo, i);
            flags |= kMediaFlagVideo;
        } else if (streams[i].type == kStreamTypeAudio) {
            AddToIndex(audioStreams, firstAudio, i);
            flags |= kMediaFlagAudio;
        }
    }
}

bool CMediaInfo::IsStillImage() const {
    // The reported count decides, but a report that claims a stream it does not list is no picture.
    if (streamCount != 1 || streams.empty()) return false;
    return std::ranges::find(kStillImageCodecs, streams.front().codec) != kStillImageCodecs.end();
}

} // namespace zevrin
