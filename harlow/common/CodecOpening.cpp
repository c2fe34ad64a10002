#include "CodecOpening.h"

namespace harlow {

CodecPtr OpenDecoder(const AVStream* stream, int threads) {
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec) return nullptr;
    CodecPtr context(avcodec_alloc_context3(codec));
    if (!context || avcodec_parameters_to_context(context.get(), stream->codecpar) < 0) return nullptr;
    context->pkt_timebase = stream->time_base;
    context->thread_count = threads;
    context->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
    if (avcodec_open2(context.get(), codec, nullptr) < 0) return nullptr;
    return context;
}

EncoderOpening OpenEncoder(AVCodecContext* encoder, const AVCodec* codec,
                           const std::map<std::string, std::string>& options) {
    AVDictionary* dict = nullptr;
    for (const auto& [key, value] : options) av_dict_set(&dict, key.c_str(), value.c_str(), 0);
    EncoderOpening result;
    result.opened = encoder && codec && avcodec_open2(encoder, codec, &dict) >= 0;
    if (const AVDictionaryEntry* unused = av_dict_get(dict, "", nullptr, AV_DICT_IGNORE_SUFFIX))
        result.unusedOption = unused->key;
    av_dict_free(&dict);
    return result;
}

} // namespace harlow
