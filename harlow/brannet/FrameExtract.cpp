#include "FrameExtract.h"

#include "CodecOpening.h"
#include "StreamChoice.h"
#include "MediaInput.h"
#include "PendingOutput.h"
#include "PictureWriter.h"
#include "ToolProcess.h"

#include <chrono>

namespace harlow::brannet {

namespace {

// Work after the seek is bounded: a key frame every few seconds is normal, minutes are not.
constexpr auto kDecodeBudget = std::chrono::seconds(20);

bool HasPictureExtension(const std::wstring& path) {
    const std::size_t dot = path.rfind(L'.');
    if (dot == std::wstring::npos) return false;
    std::wstring ext = path.substr(dot + 1);
    for (wchar_t& c : ext) c = static_cast<wchar_t>(towlower(c));
    return ext == L"jpg" || ext == L"jpeg" || ext == L"png" || ext == L"bmp";
}

struct Decoded {
    FramePtr frame;
    bool reachedTarget = false;
};

// Decodes the stream from the current read position until a frame at or after `target` (in the
// stream's time base); returns the last frame decoded when the media ends first.
Decoded DecodeUntil(AVFormatContext* input, int streamIndex, AVCodecContext* decoder, std::int64_t target,
                    Interrupter& interrupter) {
    Decoded out;
    PacketPtr packet = NewPacket();
    FramePtr frame = NewFrame();
    const auto deadline = std::chrono::steady_clock::now() + kDecodeBudget;
    bool draining = false;
    while (std::chrono::steady_clock::now() < deadline && !interrupter.StopRequested()) {
        if (!draining) {
            const int rc = av_read_frame(input, packet.get());
            if (rc < 0) {
                draining = true;
                avcodec_send_packet(decoder, nullptr);
            } else if (packet->stream_index != streamIndex) {
                av_packet_unref(packet.get());
                continue;
            } else {
                const int sent = avcodec_send_packet(decoder, packet.get());
                av_packet_unref(packet.get());
                if (sent < 0 && sent != AVERROR(EAGAIN)) continue; // a damaged packet: try the next one
            }
        }
        for (;;) {
            const int rc = avcodec_receive_frame(decoder, frame.get());
            if (rc == AVERROR_EOF) return out;
            if (rc < 0) break;
            const std::int64_t t = frame->best_effort_timestamp;
            out.frame.reset(av_frame_clone(frame.get()));
            av_frame_unref(frame.get());
            if (t == AV_NOPTS_VALUE || t >= target) {
                out.reachedTarget = true;
                return out;
            }
        }
    }
    return out;
}

} // namespace

bool IsSingleFrameRequest(const EncodeOptions& o) {
    if (o.frameCount != 1 || o.inputs.size() != 1) return false;
    return o.format == "image2" || o.format == "mjpeg" || (o.format.empty() && HasPictureExtension(o.output));
}

ExtractResult ExtractOneFrame(const EncodeOptions& o) {
    if (!o.overwrite && FileExists(o.output)) return {kExitOutput, "the output exists and -y was not given"};
    Interrupter interrupter;
    InputPtr input = OpenInput(o.inputs[0].path, interrupter);
    if (!input) return {kExitInput, "the input can't be opened"};
    const int streamIndex = ChooseVideoStream(input.get(), CoverArt::AsLastResort);
    if (streamIndex < 0) return {kExitInput, "the input has no picture"};
    AVStream* stream = input->streams[streamIndex];
    for (unsigned i = 0; i < input->nb_streams; ++i)
        if (static_cast<int>(i) != streamIndex)
            input->streams[i]->discard = AVDISCARD_ALL; // the demuxer can skip what we don't decode
    CodecPtr decoder = OpenDecoder(stream, o.threads);
    if (!decoder) return {kExitUnsupported, "no decoder for the video"};

    std::int64_t target = AV_NOPTS_VALUE;
    if (o.startUs > 0) {
        const std::int64_t origin = stream->start_time == AV_NOPTS_VALUE ? 0 : stream->start_time;
        target = origin + av_rescale_q(o.startUs, AVRational{1, AV_TIME_BASE}, stream->time_base);
        // Lands on the key frame at or before the target; if the demuxer can't seek, decode from
        // where we are.
        interrupter.Arm(std::chrono::seconds(10));
        if (av_seek_frame(input.get(), streamIndex, target, AVSEEK_FLAG_BACKWARD) < 0)
            av_seek_frame(input.get(), -1, 0, AVSEEK_FLAG_BACKWARD);
        interrupter.Disarm();
    }
    interrupter.Arm(std::chrono::seconds(30));
    Decoded decoded = DecodeUntil(input.get(), streamIndex, decoder.get(), target, interrupter);
    interrupter.Disarm();
    if (!decoded.frame) return {kExitInput, "no picture could be decoded"};
    // Past the end the last picture stands for the media: a thumbnail is still wanted.
    PictureRequest request{o.width, o.height, o.cropLeft, o.cropTop, o.cropRight, o.cropBottom};
    PendingOutput output(o.output);
    if (!WritePicture(*decoded.frame, stream, request, output.TempPath(), o.output))
        return {kExitOutput, "the picture can't be written"};
    if (!output.Commit()) return {kExitOutput, "the output can't be renamed into place"};
    return {kExitOk, {}};
}

} // namespace harlow::brannet
