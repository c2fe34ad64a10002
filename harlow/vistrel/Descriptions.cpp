#include "Descriptions.h"

#include "Text.h"

namespace harlow::vistrel {

void DescribeMedia(const quorrin::MediaReport& r, const std::wstring& url, int videoStream, int audioStream,
                   bool audioDevice, MediaDescription& out) {
    CopyField(out.format, sizeof out.format, r.format);
    out.size = r.size > 0 ? r.size : -1;
    out.startTime = r.startTime;
    out.bitRate = r.bitRate;
    out.duration = r.duration;
    out.streamCount = static_cast<std::int32_t>(r.streams.size());
    const auto bit = [](bool on, std::uint32_t flag) { return on ? flag : 0u; };
    out.flags = bit(videoStream >= 0, kMediaHasVideo) | bit(audioStream >= 0, kMediaHasAudio) |
                bit(r.flags & quorrin::kSeekable, kMediaSeekable) | bit(r.flags & quorrin::kNetwork, kMediaNetwork) |
                bit(audioDevice, kMediaAudioDevice);
    out.videoStream = videoStream;
    out.audioStream = audioStream;
    CopyField(out.title, sizeof out.title, CleanUtf8(r.meta.title));
    CopyField(out.author, sizeof out.author, CleanUtf8(r.meta.author));
    CopyField(out.copyright, sizeof out.copyright, CleanUtf8(r.meta.copyright));
    CopyField(out.comment, sizeof out.comment, CleanUtf8(r.meta.comment));
    CopyField(out.album, sizeof out.album, CleanUtf8(r.meta.album));
    CopyField(out.genre, sizeof out.genre, CleanUtf8(r.meta.genre));
    out.year = r.meta.year;
    out.track = r.meta.track;
    CopyField(out.url, sizeof out.url, ToUtf8(url));
}

void DescribeVideo(const quorrin::MediaReport& r, int index, const AVCodecContext* decoder, int outputWidth,
                   int outputHeight, VideoDescription& out) {
    const quorrin::StreamReport& s = r.streams[index];
    out.streamIndex = index;
    out.codec = s.codec;
    CopyField(out.codecName, sizeof out.codecName, s.format);
    out.bitRate = s.bitRate;
    out.duration = s.duration;
    out.frameRateNum = s.frameRateNum;
    out.frameRateDen = s.frameRateDen;
    out.aspectNum = s.aspectNum;
    out.aspectDen = s.aspectDen;
    out.pixelFormat = decoder ? decoder->pix_fmt : -1;
    out.width = decoder && decoder->width > 0 ? decoder->width : s.width;
    out.height = decoder && decoder->height > 0 ? decoder->height : s.height;
    out.outputWidth = outputWidth;
    out.outputHeight = outputHeight;
}

void DescribeAudio(const quorrin::MediaReport& r, int index, int outputRate, int outputChannels, bool device,
                   AudioDescription& out) {
    const quorrin::StreamReport& s = r.streams[index];
    out.streamIndex = index;
    out.codec = s.codec;
    CopyField(out.codecName, sizeof out.codecName, s.format);
    out.bitRate = s.bitRate;
    out.duration = s.duration;
    out.sampleRate = s.sampleRate;
    out.channels = s.channels;
    out.outputRate = outputRate;
    out.outputChannels = outputChannels;
    out.outputBits = 16;
    out.flags = device ? std::uint32_t{kMediaAudioDevice} : 0u;
}

} // namespace harlow::vistrel
