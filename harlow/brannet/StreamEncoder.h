// One output stream of a transcode: decodes the packets of its input stream, converts the frames
// and encodes them into the muxer. Timestamps are carried in microseconds of the output timeline,
// which starts at -ss and ends at -ss + -t.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "AvHandles.h"
#include "EncodeOptions.h"
#include "Muxer.h"

extern "C" {
#include <libavutil/audio_fifo.h>
}

namespace harlow::brannet {

struct Timeline {
    std::int64_t inputOffsetUs = 0; // -itsoffset of the input
    std::int64_t startUs = 0;       // -ss
    std::int64_t durationUs = 0;    // -t, 0: unlimited
};

class StreamEncoder {
public:
    virtual ~StreamEncoder() = default;
    // Opens decoder and encoder; on failure `error` says why.
    virtual bool Open(AVStream* input, const EncodeOptions& options, Muxer& muxer, std::string& error) = 0;
    bool Decode(const AVPacket* packet); // null flushes; false on a write failure
    bool Finish();                       // drains the encoder
    bool Done() const { return done_; }
    std::int64_t PositionUs() const { return positionUs_; }
    int Frames() const { return frames_; }
    int InputIndex() const { return inputIndex_; }
    void SetSource(int inputIndex, const Timeline& timeline) {
        inputIndex_ = inputIndex;
        timeline_ = timeline;
    }

protected:
    // Handles one decoded frame at output time `t` (µs); false on a write failure.
    virtual bool Consume(AVFrame* frame, std::int64_t t) = 0;
    virtual bool Drain() = 0; // pushes what the converters still hold into the encoder
    bool SendToEncoder(const AVFrame* frame);
    bool OpenEncoder(const AVCodec* codec, std::map<std::string, std::string> privateOptions, Muxer& muxer,
                     std::string& error);

    CodecPtr decoder_;
    CodecPtr encoder_;
    AVStream* input_ = nullptr;
    AVStream* output_ = nullptr;
    Muxer* muxer_ = nullptr;
    Timeline timeline_;
    std::int64_t positionUs_ = 0;
    int frames_ = 0;
    bool done_ = false;
    int inputIndex_ = 0;
    int threads_ = 0;
};

class VideoEncoder final : public StreamEncoder {
public:
    bool Open(AVStream* input, const EncodeOptions& options, Muxer& muxer, std::string& error) override;

protected:
    bool Consume(AVFrame* frame, std::int64_t t) override;
    bool Drain() override { return true; }

private:
    FramePtr Convert(AVFrame* frame);
    ScalerPtr scaler_;
    FramePtr picture_;
    std::int64_t lastPts_ = AV_NOPTS_VALUE;
    std::int64_t frameLimit_ = 0;
    int cropLeft_ = 0, cropTop_ = 0, cropRight_ = 0, cropBottom_ = 0;
};

class AudioEncoder final : public StreamEncoder {
public:
    ~AudioEncoder() override;
    bool Open(AVStream* input, const EncodeOptions& options, Muxer& muxer, std::string& error) override;

protected:
    bool Consume(AVFrame* frame, std::int64_t t) override;
    bool Drain() override;

private:
    bool MakeResampler(const AVFrame* frame);
    bool EncodeFromFifo(bool all);
    bool PadSilence(std::int64_t samples);
    ResamplerPtr resampler_;
    AVAudioFifo* fifo_ = nullptr;
    std::int64_t samplesOut_ = 0;
    std::int64_t samplesLimit_ = 0; // from -t, 0: none
    bool started_ = false;
    double gain_ = 1.0;
};

// The encoder the muxer takes by default, or the first of ours that it accepts.
const AVCodec* DefaultEncoder(const AVOutputFormat* muxer, AVMediaType type);

} // namespace harlow::brannet
