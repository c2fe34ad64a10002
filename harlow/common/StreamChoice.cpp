#include "StreamChoice.h"

namespace harlow {

namespace {

bool IsCoverArt(const AVStream* stream) { return (stream->disposition & AV_DISPOSITION_ATTACHED_PIC) != 0; }

} // namespace

int ChooseVideoStream(AVFormatContext* input, CoverArt coverArt) {
    const int best = av_find_best_stream(input, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (best >= 0 && !IsCoverArt(input->streams[best])) return best;
    for (unsigned i = 0; i < input->nb_streams; ++i) {
        const AVStream* st = input->streams[i];
        if (st->codecpar->codec_type == AVMEDIA_TYPE_VIDEO && !IsCoverArt(st)) return static_cast<int>(i);
    }
    return coverArt == CoverArt::AsLastResort && best >= 0 ? best : -1;
}

} // namespace harlow
