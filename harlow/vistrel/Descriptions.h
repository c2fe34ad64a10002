// Filling the media, stream and status descriptions that the callbacks carry.
#pragma once

#include "AvHandles.h"
#include "MediaReport.h"

#include "harlow/ToolMessages.h"

#include <string>

namespace harlow::vistrel {

void DescribeMedia(const quorrin::MediaReport& report, const std::wstring& url, int videoStream, int audioStream,
                   bool audioDevice, MediaDescription& out);
void DescribeVideo(const quorrin::MediaReport& report, int index, const AVCodecContext* decoder, int outputWidth,
                   int outputHeight, VideoDescription& out);
void DescribeAudio(const quorrin::MediaReport& report, int index, int outputRate, int outputChannels, bool device,
                   AudioDescription& out);

} // namespace harlow::vistrel
