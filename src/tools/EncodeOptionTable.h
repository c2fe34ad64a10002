#pragma once
// The encode tool's option rows: how each option of CEncodeOptions is spelled and written.
#include "tools/ToolOption.h"

namespace zevrin::encode_option {

using enum ToolOptionKind;

inline constexpr CToolOption kOutput{nullptr, Text, L"\"%s\""};
inline constexpr CToolOption kInput{L"-i", Text, L"\"%s\""};
inline constexpr CToolOption kFormat{L"-f", Text, L"%s"};
inline constexpr CToolOption kStart{L"-ss", Time, L"%s"};
inline constexpr CToolOption kDuration{L"-t", Time, L"%s"};
inline constexpr CToolOption kSizeLimit{L"-fs", Integer64, L"%I64d"};
inline constexpr CToolOption kInputOffset{L"-itsoffset", Time, L"%s"};
inline constexpr CToolOption kTitle{L"-title", Text, L"%s"};
inline constexpr CToolOption kAuthor{L"-author", Text, L"%s"};
inline constexpr CToolOption kCopyright{L"-copyright", Text, L"%s"};
inline constexpr CToolOption kComment{L"-comment", Text, L"%s"};
inline constexpr CToolOption kAlbum{L"-album", Text, L"%s"};
inline constexpr CToolOption kYear{L"-year", Integer, L"%d"};
inline constexpr CToolOption kTrack{L"-track", Integer, L"%d"};
inline constexpr CToolOption kOverwrite{L"-y", Flag, nullptr};
inline constexpr CToolOption kNoVideo{L"-vn", Flag, nullptr};
inline constexpr CToolOption kVideoCodec{L"-vcodec", Text, L"%s"};
inline constexpr CToolOption kSize{L"-s", Size, L"%dx%d"};
inline constexpr CToolOption kFrameRate{L"-r", Ratio, L"%d/%d"};
inline constexpr CToolOption kVideoBitRate{L"-b:v", Integer, L"%d"};
inline constexpr CToolOption kAspect{L"-aspect", Ratio, L"%d:%d"};
inline constexpr CToolOption kSameQuality{L"-sameq", Flag, nullptr};
inline constexpr CToolOption kCropLeft{L"-cropleft", Integer, L"%d"};
inline constexpr CToolOption kCropTop{L"-croptop", Integer, L"%d"};
inline constexpr CToolOption kCropRight{L"-cropright", Integer, L"%d"};
inline constexpr CToolOption kCropBottom{L"-cropbottom", Integer, L"%d"};
inline constexpr CToolOption kVideoPreset{L"-vpre", Text, L"\"%s\""};
inline constexpr CToolOption kFrameCount{L"-vframes", Text, L"%d"};
inline constexpr CToolOption kNoAudio{L"-an", Flag, nullptr};
inline constexpr CToolOption kAudioCodec{L"-acodec", Text, L"%s"};
inline constexpr CToolOption kChannels{L"-ac", Integer, L"%d"};
inline constexpr CToolOption kSampleRate{L"-ar", Integer, L"%d"};
inline constexpr CToolOption kAudioBitRate{L"-b:a", Integer, L"%d"};
inline constexpr CToolOption kVolume{L"-vol", Integer, L"%d"};
inline constexpr CToolOption kAudioPreset{L"-apre", Text, L"\"%s\""};
inline constexpr CToolOption kMap{L"-map", StreamMap, L"%d:%d"};
inline constexpr CToolOption kThreads{L"-threads", Integer, L"%d"};
inline constexpr CToolOption kBufferSize{L"-bufsize", Integer, L"%d"};

} // namespace zevrin::encode_option
