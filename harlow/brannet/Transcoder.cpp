#include "Transcoder.h"

#include "CodecOpening.h"
#include "StreamChoice.h"
#include "MediaInput.h"
#include "Muxer.h"
#include "PendingOutput.h"
#include "Progress.h"
#include "StreamEncoder.h"
#include "ToolProcess.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace harlow::brannet {

namespace {

constexpr AVRational kMicroseconds{1, AV_TIME_BASE};

struct Input {
    std::unique_ptr<Interrupter> interrupter = std::make_unique<Interrupter>();
    InputPtr context;
    std::int64_t offsetUs = 0;
    std::int64_t readUs = 0; // where reading has got to, on the output timeline
    bool ended = false;
};

struct Selection {
    int input;
    int stream;
};

TranscodeResult Fail(int code, std::string error) { return {code, std::move(error)}; }

bool Takes(const AVOutputFormat* muxer, AVMediaType type) {
    return (type == AVMEDIA_TYPE_VIDEO ? muxer->video_codec : muxer->audio_codec) != AV_CODEC_ID_NONE;
}

// Without -map: the video of the first input that has one, the audio of the last input that has
// one (a second input is there to lay a sound track over the first one's picture).
std::vector<Selection> SelectStreams(const EncodeOptions& o, std::vector<Input>& inputs, const AVOutputFormat* muxer,
                                     std::string& error) {
    std::vector<Selection> chosen;
    if (!o.maps.empty()) {
        for (const StreamMap& m : o.maps) {
            if (m.input >= static_cast<int>(inputs.size()) ||
                m.stream >= static_cast<int>(inputs[m.input].context->nb_streams)) {
                error = "-map " + std::to_string(m.input) + ":" + std::to_string(m.stream) + " names no stream";
                return {};
            }
            const AVMediaType type = inputs[m.input].context->streams[m.stream]->codecpar->codec_type;
            const bool wanted =
                (type == AVMEDIA_TYPE_VIDEO && !o.noVideo) || (type == AVMEDIA_TYPE_AUDIO && !o.noAudio);
            if (wanted && Takes(muxer, type)) chosen.push_back({m.input, m.stream});
        }
        return chosen;
    }
    if (!o.noVideo && Takes(muxer, AVMEDIA_TYPE_VIDEO))
        for (int i = 0; i < static_cast<int>(inputs.size()); ++i)
            if (const int s = ChooseVideoStream(inputs[i].context.get(), CoverArt::AsLastResort); s >= 0) {
                chosen.push_back({i, s});
                break;
            }
    if (!o.noAudio && Takes(muxer, AVMEDIA_TYPE_AUDIO))
        for (int i = static_cast<int>(inputs.size()) - 1; i >= 0; --i)
            if (const int s = av_find_best_stream(inputs[i].context.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
                s >= 0) {
                chosen.push_back({i, s});
                break;
            }
    return chosen;
}

// Puts each input at the key frame before -ss; frames before it are decoded and dropped.
void SeekInputs(std::vector<Input>& inputs, std::int64_t startUs) {
    for (Input& in : inputs) {
        const std::int64_t target = startUs - in.offsetUs;
        if (target <= 0) continue;
        const std::int64_t origin = in.context->start_time == AV_NOPTS_VALUE ? 0 : in.context->start_time;
        in.interrupter->Arm(std::chrono::seconds(10));
        avformat_seek_file(in.context.get(), -1, INT64_MIN, origin + target, origin + target, 0);
        in.interrupter->Disarm();
    }
}

class Session {
public:
    Session(const EncodeOptions& o, Progress& progress) : o_(o), progress_(progress) {}
    TranscodeResult Run();

private:
    TranscodeResult OpenInputs();
    TranscodeResult OpenEncoders(const std::vector<Selection>& chosen);
    TranscodeResult Pump();
    Input* NextInput();
    bool Finished() const;
    std::int64_t ExpectedUs() const;

    const EncodeOptions& o_;
    Progress& progress_;
    std::vector<Input> inputs_;
    Muxer muxer_;
    std::vector<std::unique_ptr<StreamEncoder>> encoders_;
    // encoderFor_[input][stream], null for streams not taken
    std::vector<std::vector<StreamEncoder*>> encoderFor_;
};

TranscodeResult Session::OpenInputs() {
    for (const InputSource& given : o_.inputs) {
        Input in;
        in.offsetUs = given.offsetUs;
        in.context = OpenInput(given.path, *in.interrupter);
        if (!in.context) return Fail(kExitInput, "an input can't be opened");
        encoderFor_.emplace_back(in.context->nb_streams, nullptr);
        inputs_.push_back(std::move(in));
    }
    return {};
}

TranscodeResult Session::OpenEncoders(const std::vector<Selection>& chosen) {
    for (const Selection& s : chosen) {
        AVStream* stream = inputs_[s.input].context->streams[s.stream];
        std::unique_ptr<StreamEncoder> encoder;
        if (stream->codecpar->codec_type == AVMEDIA_TYPE_VIDEO)
            encoder = std::make_unique<VideoEncoder>();
        else
            encoder = std::make_unique<AudioEncoder>();
        std::string error;
        if (!encoder->Open(stream, o_, muxer_, error)) return Fail(kExitUnsupported, error);
        encoder->SetSource(s.input, Timeline{inputs_[s.input].offsetUs, o_.startUs, o_.durationUs});
        encoderFor_[s.input][s.stream] = encoder.get();
        encoders_.push_back(std::move(encoder));
    }
    // What no encoder takes need not even be read.
    for (std::size_t i = 0; i < inputs_.size(); ++i)
        for (unsigned k = 0; k < inputs_[i].context->nb_streams; ++k)
            if (!encoderFor_[i][k]) inputs_[i].context->streams[k]->discard = AVDISCARD_ALL;
    return {};
}

bool Session::Finished() const {
    if (muxer_.LimitReached()) return true;
    return std::all_of(encoders_.begin(), encoders_.end(),
                       [&](const auto& e) { return e->Done() || inputs_[e->InputIndex()].ended; });
}

// The input that is furthest behind, so that the streams of two inputs advance together.
Input* Session::NextInput() {
    Input* next = nullptr;
    for (std::size_t i = 0; i < inputs_.size(); ++i) {
        Input& in = inputs_[i];
        const bool needed = std::any_of(encoders_.begin(), encoders_.end(), [&](const auto& e) {
            return e->InputIndex() == static_cast<int>(i) && !e->Done();
        });
        if (!in.ended && needed && (!next || in.readUs < next->readUs)) next = &in;
    }
    return next;
}

std::int64_t Session::ExpectedUs() const {
    if (o_.durationUs > 0) return o_.durationUs;
    std::int64_t longest = 0;
    for (const Input& in : inputs_)
        if (in.context->duration > 0) longest = std::max(longest, in.context->duration + in.offsetUs - o_.startUs);
    return longest;
}

TranscodeResult Session::Pump() {
    PacketPtr packet = NewPacket();
    while (!Finished()) {
        if (!progress_.CallerAlive()) return Fail(kExitStopped, "the caller has gone away");
        Input* in = NextInput();
        if (!in) break;
        const int index = static_cast<int>(in - inputs_.data());
        in->interrupter->Arm(std::chrono::seconds(30)); // per read: a stalled source ends the run
        const int rc = av_read_frame(in->context.get(), packet.get());
        in->interrupter->Disarm();
        if (rc < 0) {
            in->ended = true;
            continue;
        }
        const AVStream* stream = in->context->streams[packet->stream_index];
        const std::int64_t dts = packet->dts != AV_NOPTS_VALUE ? packet->dts : packet->pts;
        if (dts != AV_NOPTS_VALUE) in->readUs = av_rescale_q(dts, stream->time_base, kMicroseconds) + in->offsetUs;
        StreamEncoder* encoder = encoderFor_[index][packet->stream_index];
        const bool ok = !encoder || encoder->Decode(packet.get());
        av_packet_unref(packet.get());
        if (!ok) return Fail(kExitOutput, "the output can't be written");
        std::int64_t position = 0;
        int frames = 0;
        for (const auto& e : encoders_) {
            position = std::max(position, e->PositionUs());
            frames = std::max(frames, e->Frames());
        }
        progress_.Advanced(position, muxer_.BytesWritten(), frames);
    }
    return {};
}

TranscodeResult Session::Run() {
    if (!o_.overwrite && FileExists(o_.output)) return Fail(kExitOutput, "the output exists and -y was not given");
    if (TranscodeResult r = OpenInputs(); r.exitCode != kExitOk) return r;
    PendingOutput output(o_.output);
    if (!muxer_.Create(o_.format, o_.output, output.TempPath()))
        return Fail(kExitUnsupported,
                    "no muxer for " + (o_.format.empty() ? std::string("this file name") : o_.format));
    std::string error;
    const std::vector<Selection> chosen = SelectStreams(o_, inputs_, muxer_.Context()->oformat, error);
    if (chosen.empty()) return Fail(kExitInput, error.empty() ? "nothing to encode" : error);
    if (TranscodeResult r = OpenEncoders(chosen); r.exitCode != kExitOk) return r;
    SeekInputs(inputs_, o_.startUs);
    if (!muxer_.Start(o_.metadata, o_.sizeLimit)) return Fail(kExitOutput, "the output can't be started");
    progress_.Started(ExpectedUs());
    if (TranscodeResult r = Pump(); r.exitCode != kExitOk) return r;
    for (const auto& e : encoders_)
        if (!e->Finish()) return Fail(kExitOutput, "the output can't be written");
    if (!muxer_.Finish()) return Fail(kExitOutput, "the output can't be finished");
    if (std::all_of(encoders_.begin(), encoders_.end(), [](const auto& e) { return e->Frames() == 0; }))
        return Fail(kExitInput, "nothing was decoded"); // -ss past the end, or undecodable input
    if (!output.Commit()) return Fail(kExitOutput, "the output can't be renamed into place");
    return {};
}

} // namespace

TranscodeResult Transcode(const EncodeOptions& options, Progress& progress) {
    Session session(options, progress);
    return session.Run();
}

} // namespace harlow::brannet
