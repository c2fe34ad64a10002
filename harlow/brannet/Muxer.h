// The output container: written to the pending output's temporary file, with the size limit of
// -fs and a count of what was written.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "AvHandles.h"

namespace harlow::brannet {

class Muxer {
public:
    // Chooses the muxer by name, or by the final file name when the name is empty; false when this
    // build has no such muxer.
    bool Create(const std::string& format, const std::wstring& finalPath, const std::wstring& tempPath);
    AVFormatContext* Context() { return context_.get(); }
    AVStream* AddStream(const AVCodecContext* encoder);
    bool Start(const std::map<std::string, std::string>& metadata, std::int64_t sizeLimit);
    // Takes the packet (timestamps in the encoder's time base); false when writing failed.
    bool Write(AVPacket* packet, const AVCodecContext* encoder, AVStream* stream);
    bool Finish();
    bool LimitReached() const { return limitReached_; }
    std::int64_t BytesWritten() const;

private:
    OutputPtr context_;
    std::string tempUrl_;
    std::int64_t sizeLimit_ = 0;
    bool limitReached_ = false;
};

} // namespace harlow::brannet
