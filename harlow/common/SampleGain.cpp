#include "SampleGain.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace harlow {

namespace {

template <typename T>
void Scale(T* data, std::size_t count, double gain, double low, double high) {
    for (std::size_t i = 0; i < count; ++i) data[i] = static_cast<T>(std::clamp(std::round(data[i] * gain), low, high));
}

template <typename T>
void ScaleFloat(T* data, std::size_t count, double gain) {
    for (std::size_t i = 0; i < count; ++i) data[i] = static_cast<T>(data[i] * gain);
}

void ScaleU8(std::uint8_t* data, std::size_t count, double gain) {
    for (std::size_t i = 0; i < count; ++i)
        data[i] = static_cast<std::uint8_t>(std::clamp(std::lround((data[i] - 128) * gain) + 128L, 0L, 255L));
}

} // namespace

void ApplyGain(AVSampleFormat format, unsigned char* const* planes, int channels, int samples, double gain) {
    if (gain == 1.0 || samples <= 0 || channels <= 0) return;
    const bool planar = av_sample_fmt_is_planar(format);
    const int planeCount = planar ? channels : 1;
    const std::size_t count = static_cast<std::size_t>(samples) * (planar ? 1 : channels);
    for (int p = 0; p < planeCount; ++p) {
        unsigned char* data = planes[p];
        switch (av_get_packed_sample_fmt(format)) {
        case AV_SAMPLE_FMT_U8:
            ScaleU8(data, count, gain);
            break;
        case AV_SAMPLE_FMT_S16:
            Scale(reinterpret_cast<std::int16_t*>(data), count, gain, INT16_MIN, INT16_MAX);
            break;
        case AV_SAMPLE_FMT_S32:
            Scale(reinterpret_cast<std::int32_t*>(data), count, gain, INT32_MIN, INT32_MAX);
            break;
        case AV_SAMPLE_FMT_FLT:
            ScaleFloat(reinterpret_cast<float*>(data), count, gain);
            break;
        case AV_SAMPLE_FMT_DBL:
            ScaleFloat(reinterpret_cast<double*>(data), count, gain);
            break;
        default:
            break;
        }
    }
}

} // namespace harlow
