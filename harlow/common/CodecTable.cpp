#include "CodecTable.h"

#include <array>

namespace harlow {

namespace {

// Still pictures take 8, 9, 10, 12, 55, 63, 64, 65, 66, 67, 68, 80, 90, 95, 98, 99 and 111, the
// numbers the program recognises as images. Video is below 200, audio from 200, subtitles from 400.
constexpr std::array kCodecs{
    // Video.
    CodecEntry{AV_CODEC_ID_MPEG1VIDEO, 1, "MPEG-1 Video"},
    CodecEntry{AV_CODEC_ID_MPEG2VIDEO, 2, "MPEG-2 Video"},
    CodecEntry{AV_CODEC_ID_H261, 3, "H.261"},
    CodecEntry{AV_CODEC_ID_H263, 4, "H.263"},
    CodecEntry{AV_CODEC_ID_RV10, 5, "RealVideo 1.0"},
    CodecEntry{AV_CODEC_ID_RV20, 6, "RealVideo 2.0"},
    CodecEntry{AV_CODEC_ID_MJPEG, kCodecMotionJpeg, "Motion JPEG"},
    CodecEntry{AV_CODEC_ID_MPEG4, 11, "MPEG-4 Visual"},
    CodecEntry{AV_CODEC_ID_MSMPEG4V1, 13, "MS MPEG-4 v1"},
    CodecEntry{AV_CODEC_ID_MSMPEG4V2, 14, "MS MPEG-4 v2"},
    CodecEntry{AV_CODEC_ID_MSMPEG4V3, 15, "MS MPEG-4 v3"},
    CodecEntry{AV_CODEC_ID_WMV1, 16, "Windows Media Video 7"},
    CodecEntry{AV_CODEC_ID_WMV2, 17, "Windows Media Video 8"},
    CodecEntry{AV_CODEC_ID_H263P, 18, "H.263+"},
    CodecEntry{AV_CODEC_ID_H263I, 19, "Intel H.263"},
    CodecEntry{AV_CODEC_ID_FLV1, 20, "Sorenson Spark"},
    CodecEntry{AV_CODEC_ID_SVQ1, 21, "Sorenson Video 1"},
    CodecEntry{AV_CODEC_ID_SVQ3, 22, "Sorenson Video 3"},
    CodecEntry{AV_CODEC_ID_DVVIDEO, 23, "DV"},
    CodecEntry{AV_CODEC_ID_HUFFYUV, 24, "HuffYUV"},
    CodecEntry{AV_CODEC_ID_CINEPAK, 25, "Cinepak"},
    CodecEntry{AV_CODEC_ID_H264, 28, "H.264"},
    CodecEntry{AV_CODEC_ID_VP3, 29, "VP3"},
    CodecEntry{AV_CODEC_ID_THEORA, 30, "Theora"},
    CodecEntry{AV_CODEC_ID_VP5, 31, "VP5"},
    CodecEntry{AV_CODEC_ID_VP6, 32, "VP6"},
    CodecEntry{AV_CODEC_ID_VP6F, 33, "VP6 Flash"},
    CodecEntry{AV_CODEC_ID_VP6A, 34, "VP6 Alpha"},
    CodecEntry{AV_CODEC_ID_VP8, 35, "VP8"},
    CodecEntry{AV_CODEC_ID_VP9, 36, "VP9"},
    CodecEntry{AV_CODEC_ID_WMV3, 37, "Windows Media Video 9"},
    CodecEntry{AV_CODEC_ID_VC1, 38, "VC-1"},
    CodecEntry{AV_CODEC_ID_HEVC, 39, "H.265"},
    CodecEntry{AV_CODEC_ID_AV1, 40, "AV1"},
    CodecEntry{AV_CODEC_ID_MJPEGB, 41, "Motion JPEG B"},
    CodecEntry{AV_CODEC_ID_FLASHSV, 42, "Flash Screen Video"},
    CodecEntry{AV_CODEC_ID_FLASHSV2, 43, "Flash Screen Video 2"},
    CodecEntry{AV_CODEC_ID_RAWVIDEO, 44, "Raw video"},
    CodecEntry{AV_CODEC_ID_RV30, 45, "RealVideo 3.0"},
    CodecEntry{AV_CODEC_ID_RV40, 46, "RealVideo 4.0"},
    CodecEntry{AV_CODEC_ID_WMV3IMAGE, 47, "Windows Media Image"},
    CodecEntry{AV_CODEC_ID_VC1IMAGE, 48, "Windows Media Image 2"},
    // Still pictures.
    CodecEntry{AV_CODEC_ID_NONE, kCodecJpegPicture, "JPEG"}, // a single MJPEG frame, see Classify
    CodecEntry{AV_CODEC_ID_JPEGLS, 9, "JPEG-LS"},
    CodecEntry{AV_CODEC_ID_LJPEG, 10, "Lossless JPEG"},
    CodecEntry{AV_CODEC_ID_PNG, 12, "PNG"},
    CodecEntry{AV_CODEC_ID_BMP, 55, "BMP"},
    CodecEntry{AV_CODEC_ID_GIF, 63, "GIF"},
    CodecEntry{AV_CODEC_ID_TIFF, 64, "TIFF"},
    CodecEntry{AV_CODEC_ID_PPM, 65, "PPM"},
    CodecEntry{AV_CODEC_ID_PGM, 66, "PGM"},
    CodecEntry{AV_CODEC_ID_PGMYUV, 67, "PGM YUV"},
    CodecEntry{AV_CODEC_ID_PBM, 68, "PBM"},
    CodecEntry{AV_CODEC_ID_PAM, 80, "PAM"},
    CodecEntry{AV_CODEC_ID_TARGA, 90, "TGA"},
    CodecEntry{AV_CODEC_ID_WEBP, 95, "WebP"},
    CodecEntry{AV_CODEC_ID_JPEG2000, 98, "JPEG 2000"},
    CodecEntry{AV_CODEC_ID_PCX, 99, "PCX"},
    CodecEntry{AV_CODEC_ID_SGI, 111, "SGI"},
    CodecEntry{AV_CODEC_ID_XBM, 111, "XBM"},
    CodecEntry{AV_CODEC_ID_DDS, 111, "DDS"},
    CodecEntry{AV_CODEC_ID_SUNRAST, 111, "Sun Raster"},
    CodecEntry{AV_CODEC_ID_XWD, 111, "XWD"},
    CodecEntry{AV_CODEC_ID_EXR, 111, "OpenEXR"},
    CodecEntry{AV_CODEC_ID_PSD, 111, "PSD"},
    CodecEntry{AV_CODEC_ID_PHOTOCD, 111, "Photo CD"},
    // Audio.
    CodecEntry{AV_CODEC_ID_PCM_S16LE, 200, "PCM 16-bit LE"},
    CodecEntry{AV_CODEC_ID_PCM_S16BE, 201, "PCM 16-bit BE"},
    CodecEntry{AV_CODEC_ID_PCM_U8, 202, "PCM 8-bit"},
    CodecEntry{AV_CODEC_ID_PCM_S24LE, 203, "PCM 24-bit"},
    CodecEntry{AV_CODEC_ID_PCM_S32LE, 204, "PCM 32-bit"},
    CodecEntry{AV_CODEC_ID_PCM_F32LE, 205, "PCM float"},
    CodecEntry{AV_CODEC_ID_PCM_ALAW, 206, "A-law"},
    CodecEntry{AV_CODEC_ID_PCM_MULAW, 207, "mu-law"},
    CodecEntry{AV_CODEC_ID_PCM_S8, 208, "PCM 8-bit signed"},
    CodecEntry{AV_CODEC_ID_ADPCM_IMA_WAV, 210, "IMA ADPCM"},
    CodecEntry{AV_CODEC_ID_ADPCM_MS, 211, "MS ADPCM"},
    CodecEntry{AV_CODEC_ID_ADPCM_SWF, 212, "Flash ADPCM"},
    CodecEntry{AV_CODEC_ID_ADPCM_YAMAHA, 213, "Yamaha ADPCM"},
    CodecEntry{AV_CODEC_ID_ADPCM_IMA_QT, 214, "QuickTime IMA ADPCM"},
    CodecEntry{AV_CODEC_ID_ADPCM_G726, 215, "G.726"},
    CodecEntry{AV_CODEC_ID_MP1, 220, "MPEG Audio Layer 1"},
    CodecEntry{AV_CODEC_ID_MP2, 221, "MPEG Audio Layer 2"},
    CodecEntry{AV_CODEC_ID_MP3, 222, "MP3"},
    CodecEntry{AV_CODEC_ID_AAC, 223, "AAC"},
    CodecEntry{AV_CODEC_ID_AAC_LATM, 224, "AAC LATM"},
    CodecEntry{AV_CODEC_ID_AC3, 225, "AC-3"},
    CodecEntry{AV_CODEC_ID_EAC3, 226, "E-AC-3"},
    CodecEntry{AV_CODEC_ID_VORBIS, 227, "Vorbis"},
    CodecEntry{AV_CODEC_ID_OPUS, 228, "Opus"},
    CodecEntry{AV_CODEC_ID_FLAC, 229, "FLAC"},
    CodecEntry{AV_CODEC_ID_ALAC, 230, "ALAC"},
    CodecEntry{AV_CODEC_ID_WMAV1, 231, "WMA 1"},
    CodecEntry{AV_CODEC_ID_WMAV2, 232, "WMA 2"},
    CodecEntry{AV_CODEC_ID_WMAPRO, 233, "WMA Pro"},
    CodecEntry{AV_CODEC_ID_WMAVOICE, 234, "WMA Voice"},
    CodecEntry{AV_CODEC_ID_AMR_NB, 235, "AMR-NB"},
    CodecEntry{AV_CODEC_ID_AMR_WB, 236, "AMR-WB"},
    CodecEntry{AV_CODEC_ID_QCELP, 237, "QCELP"},
    CodecEntry{AV_CODEC_ID_EVRC, 238, "EVRC"},
    CodecEntry{AV_CODEC_ID_GSM, 239, "GSM"},
    CodecEntry{AV_CODEC_ID_GSM_MS, 240, "GSM MS"},
    CodecEntry{AV_CODEC_ID_DTS, 241, "DTS"},
    CodecEntry{AV_CODEC_ID_SMV, 242, "SMV"},
    CodecEntry{AV_CODEC_ID_NELLYMOSER, 243, "Nellymoser"},
    CodecEntry{AV_CODEC_ID_SPEEX, 244, "Speex"},
    CodecEntry{AV_CODEC_ID_PCM_S24BE, 245, "PCM 24-bit BE"},
    CodecEntry{AV_CODEC_ID_PCM_F64LE, 246, "PCM double"},
    // Subtitles.
    CodecEntry{AV_CODEC_ID_MOV_TEXT, 400, "Timed Text"},
    CodecEntry{AV_CODEC_ID_SUBRIP, 401, "SubRip"},
    CodecEntry{AV_CODEC_ID_ASS, 402, "ASS"},
    CodecEntry{AV_CODEC_ID_DVD_SUBTITLE, 403, "DVD subtitles"},
    CodecEntry{AV_CODEC_ID_DVB_SUBTITLE, 404, "DVB subtitles"},
    CodecEntry{AV_CODEC_ID_WEBVTT, 405, "WebVTT"},
};

constexpr std::array kStillNumbers{8, 9, 10, 12, 55, 63, 64, 65, 66, 67, 68, 80, 90, 95, 98, 99, 111};

} // namespace

CodecEntry LookUpCodec(AVCodecID id) {
    if (id != AV_CODEC_ID_NONE)
        for (const CodecEntry& e : kCodecs)
            if (e.id == id) return e;
    const char* name = avcodec_get_name(id);
    return {id, kCodecUnknown, name ? name : ""};
}

bool IsStillImageNumber(int number) {
    for (int n : kStillNumbers)
        if (n == number) return true;
    return false;
}

} // namespace harlow
