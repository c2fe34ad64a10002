#include "MediaCheck.h"

#include "CodecOpening.h"
#include "StreamChoice.h"
#include "MediaInput.h"
#include "ToolRunner.h"

#include <cstdlib>

namespace harlow::test {

OutputInfo Inspect(const std::wstring& path)
{
    OutputInfo out;
    Interrupter interrupter;
    InputPtr input = OpenInput(path, interrupter);
    if (!input)
        return out;
    out.opened = true;
    out.format = input->iformat->name;
    out.durationUs = input->duration > 0 ? input->duration : 0;
    for (const AVDictionaryEntry* e = nullptr; (e = av_dict_get(input->metadata, "", e, AV_DICT_IGNORE_SUFFIX));)
        out.tags[e->key] = e->value;
    for (unsigned i = 0; i < input->nb_streams; ++i) {
        const AVStream* st = input->streams[i];
        const AVCodecParameters* par = st->codecpar;
        if (par->codec_type == AVMEDIA_TYPE_VIDEO && out.videoCodec.empty()) {
            out.videoCodec = avcodec_get_name(par->codec_id);
            out.width = par->width;
            out.height = par->height;
            out.frameRate = av_q2d(UsableFrameRate(st));
        }
        if (par->codec_type == AVMEDIA_TYPE_AUDIO && out.audioCodec.empty()) {
            out.audioCodec = avcodec_get_name(par->codec_id);
            out.sampleRate = par->sample_rate;
            out.channels = par->ch_layout.nb_channels;
        }
    }
    return out;
}

double MeanLuma(const std::wstring& path)
{
    Interrupter interrupter;
    InputPtr input = OpenInput(path, interrupter);
    if (!input)
        return -1;
    const int index = ChooseVideoStream(input.get(), CoverArt::AsLastResort);
    if (index < 0)
        return -1;
    CodecPtr decoder = OpenDecoder(input->streams[index], 1);
    PacketPtr packet = NewPacket();
    FramePtr frame = NewFrame();
    while (decoder && av_read_frame(input.get(), packet.get()) >= 0) {
        if (packet->stream_index == index)
            avcodec_send_packet(decoder.get(), packet.get());
        av_packet_unref(packet.get());
        if (avcodec_receive_frame(decoder.get(), frame.get()) >= 0) {
            // The first plane is luma for the YUV formats the tools write.
            double sum = 0;
            for (int y = 0; y < frame->height; ++y)
                for (int x = 0; x < frame->width; ++x)
                    sum += frame->data[0][y * frame->linesize[0] + x];
            return sum / (double(frame->width) * frame->height);
        }
    }
    return -1;
}

bool ProbeXml::Load(const std::wstring& path)
{
    if (!doc.Parse(ReadFileBytes(path).c_str()) || !doc.RootElement() ||
        std::string(doc.RootElement()->Value()) != "MediaInfos")
        return false;
    info = doc.RootElement()->FirstChildElement("MediaInfo");
    return info != nullptr;
}

std::int64_t ProbeXml::Number(const char* name) const
{
    const char* v = info ? info->Attribute(name) : nullptr;
    return v ? std::atoll(v) : -1;
}

const TiXmlElement* ProbeXml::Stream(int index) const
{
    const TiXmlElement* s = info ? info->FirstChildElement("Stream") : nullptr;
    for (int i = 0; s && i < index; ++i)
        s = s->NextSiblingElement("Stream");
    return s;
}

std::string ProbeXml::MetaText(const char* name) const
{
    const TiXmlElement* meta = info ? info->FirstChildElement("Meta") : nullptr;
    const TiXmlElement* e = meta ? meta->FirstChildElement(name) : nullptr;
    return e && e->GetText() ? e->GetText() : "";
}

} // namespace harlow::test
