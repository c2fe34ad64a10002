// Reading back what the tools wrote, in-process with the same FFmpeg libraries.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include <tinyxml.h>

namespace harlow::test {

struct OutputInfo {
    bool opened = false;
    std::string format;
    std::int64_t durationUs = 0;
    std::string videoCodec, audioCodec;
    int width = 0, height = 0;
    double frameRate = 0;
    int sampleRate = 0, channels = 0;
    std::map<std::string, std::string> tags;
};

OutputInfo Inspect(const std::wstring& path);
// Mean luma (0..255) of the first picture of a file; -1 when none decodes.
double MeanLuma(const std::wstring& path);

// The probe's XML, read the way Zevrin reads it: the first MediaInfo under MediaInfos.
struct ProbeXml {
    TiXmlDocument doc;
    const TiXmlElement* info = nullptr;
    bool Load(const std::wstring& path);
    std::int64_t Number(const char* name) const;
    const TiXmlElement* Stream(int index) const;
    std::string MetaText(const char* name) const;
};

} // namespace harlow::test
