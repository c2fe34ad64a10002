#include "PictureWriter.h"

#include "CodecOpening.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <string_view>

extern "C" {
#include <libavutil/imgutils.h>
}

namespace harlow::brannet {

namespace {

struct PictureType {
    AVCodecID codec;
    AVPixelFormat format;
};

PictureType TypeFor(const std::wstring& name) {
    std::wstring lower = name;
    for (wchar_t& c : lower) c = static_cast<wchar_t>(towlower(c));
    const std::wstring_view view = lower;
    if (view.ends_with(L".png")) return {AV_CODEC_ID_PNG, AV_PIX_FMT_RGB24};
    if (view.ends_with(L".bmp")) return {AV_CODEC_ID_BMP, AV_PIX_FMT_BGR24};
    return {AV_CODEC_ID_MJPEG, AV_PIX_FMT_YUVJ420P};
}

void OutputSize(const AVFrame& frame, const AVStream* stream, const PictureRequest& request, int& w, int& h) {
    if (request.width > 0 && request.height > 0) {
        w = request.width;
        h = request.height;
        return;
    }
    // Non-square pixels are stretched to the picture's display shape.
    AVRational sar = frame.sample_aspect_ratio.num > 0 ? frame.sample_aspect_ratio : stream->sample_aspect_ratio;
    w = frame.width;
    h = frame.height;
    if (sar.num > 0 && sar.den > 0 && sar.num != sar.den) w = static_cast<int>(av_rescale(w, sar.num, sar.den));
    w = std::max(2, w & ~1);
    h = std::max(2, h & ~1);
}

FramePtr Convert(const AVFrame& source, int w, int h, AVPixelFormat format) {
    FramePtr out = NewFrame();
    out->width = w;
    out->height = h;
    out->format = format;
    if (av_frame_get_buffer(out.get(), 0) < 0) return nullptr;
    ScalerPtr scaler(sws_getContext(source.width, source.height, static_cast<AVPixelFormat>(source.format), w, h,
                                    format, SWS_BICUBIC, nullptr, nullptr, nullptr));
    if (!scaler) return nullptr;
    sws_scale(scaler.get(), source.data, source.linesize, 0, source.height, out->data, out->linesize);
    return out;
}

bool Encode(const AVFrame& picture, AVCodecID id, std::string& bytes) {
    const AVCodec* codec = avcodec_find_encoder(id);
    if (!codec) return false;
    CodecPtr encoder(avcodec_alloc_context3(codec));
    encoder->width = picture.width;
    encoder->height = picture.height;
    encoder->pix_fmt = static_cast<AVPixelFormat>(picture.format);
    encoder->time_base = {1, 25};
    encoder->flags |= AV_CODEC_FLAG_QSCALE;
    encoder->global_quality = FF_QP2LAMBDA * 3; // good quality at a thumbnail's size
    if (!OpenEncoder(encoder.get(), codec).opened) return false;
    FramePtr frame(av_frame_clone(&picture));
    frame->pts = 0;
    frame->quality = encoder->global_quality;
    if (avcodec_send_frame(encoder.get(), frame.get()) < 0 || avcodec_send_frame(encoder.get(), nullptr) < 0)
        return false;
    PacketPtr packet = NewPacket();
    while (avcodec_receive_packet(encoder.get(), packet.get()) >= 0) {
        bytes.append(reinterpret_cast<const char*>(packet->data), packet->size);
        av_packet_unref(packet.get());
    }
    return !bytes.empty();
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    CloseHandle(file);
    return ok;
}

} // namespace

bool WritePicture(const AVFrame& frame, const AVStream* stream, const PictureRequest& request, const std::wstring& path,
                  const std::wstring& nameForType) {
    FramePtr cropped(av_frame_clone(&frame));
    cropped->crop_left = request.cropLeft;
    cropped->crop_top = request.cropTop;
    cropped->crop_right = request.cropRight;
    cropped->crop_bottom = request.cropBottom;
    if (request.cropLeft + request.cropRight >= frame.width || request.cropTop + request.cropBottom >= frame.height ||
        av_frame_apply_cropping(cropped.get(), AV_FRAME_CROP_UNALIGNED) < 0)
        return false;
    int w = 0, h = 0;
    OutputSize(*cropped, stream, request, w, h);
    const PictureType type = TypeFor(nameForType);
    FramePtr picture = Convert(*cropped, w, h, type.format);
    std::string bytes;
    return picture && Encode(*picture, type.codec, bytes) && WriteBytes(path, bytes);
}

} // namespace harlow::brannet
