// Reading the tools' command lines: the builder's order, times, unknown options, text cleaning.
#include <gtest/gtest.h>

#include "CodecTable.h"
#include "CommandLine.h"
#include "EncodeOptions.h"
#include "PlayerOptions.h"
#include "Text.h"

#include <set>

namespace harlow::test {

namespace {

brannet::ParseResult ParseEncode(const std::vector<std::wstring>& tokens)
{
    const auto& flags = brannet::FlagOptions();
    const auto& valued = brannet::ValuedOptions();
    return brannet::ParseEncodeOptions(CommandLine(tokens, std::set<std::wstring>(flags.begin(), flags.end()),
                                                   std::set<std::wstring>(valued.begin(), valued.end())));
}

} // namespace

TEST(OptionParsing, TimesInEveryFormTheCallersWrite)
{
    EXPECT_EQ(ParseTime(L"0:00:01.000"), 1000000);
    EXPECT_EQ(ParseTime(L"1:01:01.440"), 3661440000LL);
    EXPECT_EQ(ParseTime(L"01:30"), 90000000);
    EXPECT_EQ(ParseTime(L"2.5"), 2500000);
    EXPECT_EQ(ParseTime(L"-1.5"), -1500000);
    for (const wchar_t* bad : {L"", L"abc", L"1:2:3:4", L"1:xx", L"5s", L"1:-2"})
        EXPECT_FALSE(ParseTime(bad).has_value()) << std::wstring(bad).size();
}

TEST(OptionParsing, UnknownOptionsAreSkippedWithTheirValues)
{
    const CommandLine args({L"-new-flag", L"-newer", L"7", L"-o", L"out.xml", L"in.mp4"}, {}, {L"-o"});
    EXPECT_EQ(args.Value(L"-o"), L"out.xml");
    ASSERT_EQ(args.Positional().size(), 1u);
    EXPECT_EQ(args.Positional()[0], L"in.mp4");
    // The last token is never swallowed as an unknown option's value: it is the output.
    const CommandLine last({L"-i", L"a.mp4", L"-unknown", L"out.jpg"}, {}, {L"-i"});
    ASSERT_EQ(last.Positional().size(), 1u);
    EXPECT_EQ(last.Positional()[0], L"out.jpg");
    // Known options take negative numbers as values.
    const CommandLine negative({L"-callbackwindow", L"-42"}, {}, {L"-callbackwindow"});
    EXPECT_EQ(negative.Value(L"-callbackwindow"), L"-42");
}

TEST(OptionParsing, TheFullEncodeLineInTheBuildersOrder)
{
    const brannet::ParseResult r = ParseEncode(
        {L"-threads", L"4", L"-bufsize", L"65536", L"-i", L"in.3gp", L"-itsoffset", L"0:00:00.500", L"-i", L"voice.wav",
         L"-map", L"0:0", L"-map", L"1:0", L"-ss", L"0:00:01.000", L"-t", L"0:00:05.000", L"-fs", L"1000000",
         L"-cropleft", L"2", L"-croptop", L"4", L"-cropright", L"6", L"-cropbottom", L"8", L"-title", L"T",
         L"-author", L"A", L"-copyright", L"C", L"-comment", L"N", L"-album", L"L", L"-year", L"2009", L"-track", L"0",
         L"-f", L"3gp", L"-vcodec", L"h263", L"-s", L"176x144", L"-aspect", L"4:3", L"-r", L"15/1", L"-b:v", L"64000",
         L"-sameq", L"-vframes", L"100", L"-acodec", L"aac", L"-ac", L"1", L"-ar", L"8000", L"-b:a", L"12200",
         L"-vol", L"512", L"-y", L"out.3gp", L"-callbackwindow", L"1234", L"-context", L"99"});
    ASSERT_TRUE(r.options.has_value()) << r.error;
    const brannet::EncodeOptions& o = *r.options;
    ASSERT_EQ(o.inputs.size(), 2u);
    EXPECT_EQ(o.inputs[0].offsetUs, 0);
    EXPECT_EQ(o.inputs[1].offsetUs, 500000);
    ASSERT_EQ(o.maps.size(), 2u);
    EXPECT_EQ(o.maps[1].input, 1);
    EXPECT_EQ(o.startUs, 1000000);
    EXPECT_EQ(o.durationUs, 5000000);
    EXPECT_EQ(o.sizeLimit, 1000000);
    EXPECT_EQ(o.cropBottom, 8);
    EXPECT_EQ(o.metadata.at("artist"), "A");
    EXPECT_EQ(o.metadata.at("date"), "2009");
    EXPECT_EQ(o.metadata.at("track"), "0");
    EXPECT_EQ(o.format, "3gp");
    EXPECT_EQ(o.width, 176);
    EXPECT_EQ(o.aspectNum, 4);
    EXPECT_EQ(o.frameRateNum, 15);
    EXPECT_TRUE(o.sameQuality);
    EXPECT_EQ(o.frameCount, 100);
    EXPECT_EQ(o.sampleRate, 8000);
    EXPECT_EQ(o.audioBitRate, 12200);
    EXPECT_EQ(o.volume, 512);
    EXPECT_EQ(o.threads, 4);
    EXPECT_EQ(o.bufferSize, 65536);
    EXPECT_TRUE(o.overwrite);
    EXPECT_EQ(o.output, L"out.3gp");
}

TEST(OptionParsing, EncodeValuesThatCantBeHonouredAreRefused)
{
    EXPECT_FALSE(ParseEncode({L"-i", L"a", L"-s", L"big", L"-y", L"b"}).options);
    EXPECT_FALSE(ParseEncode({L"-i", L"a", L"-ss", L"soon", L"-y", L"b"}).options);
    EXPECT_FALSE(ParseEncode({L"-i", L"a", L"-map", L"0", L"-y", L"b"}).options);
    EXPECT_FALSE(ParseEncode({L"-i", L"a", L"-ar", L"-5", L"-y", L"b"}).options);
    EXPECT_FALSE(ParseEncode({L"-i", L"a", L"-y"}).options) << "no output";
    EXPECT_FALSE(ParseEncode({L"-y", L"b"}).options) << "no input";
}

TEST(OptionParsing, ThePlaybackLineOfTheDisplayView)
{
    const CommandLine args = vistrel::ParsePlayerCommandLine(
        {L"-displaywindow", L"655362", L"-vn", L"-videodriver", L"windib", L"-an", L"-audiodriver", L"waveout",
         L"-threads", L"8", L"C:\\media\\a b.3gp", L"-ss", L"0:01:01.440", L"-volume", L"0", L"-effect", L"14",
         L"-callbackwindow", L"131072", L"-context", L"-8"});
    vistrel::PlayerOptions o;
    ASSERT_TRUE(vistrel::ReadPlayerOptions(args, o));
    EXPECT_EQ(o.media, L"C:\\media\\a b.3gp");
    EXPECT_EQ(o.displayWindow, reinterpret_cast<HWND>(655362));
    EXPECT_TRUE(o.noVideo);
    EXPECT_TRUE(o.noAudio);
    EXPECT_EQ(o.startUs, 61440000);
    EXPECT_EQ(o.volume, 0);
    EXPECT_EQ(o.effect, 14);
    EXPECT_EQ(o.threads, 8);
    vistrel::PlayerOptions none;
    EXPECT_FALSE(vistrel::ReadPlayerOptions(vistrel::ParsePlayerCommandLine({L"-effect", L"14"}), none));
}

TEST(OptionParsing, TextForXmlAndFixedFields)
{
    EXPECT_EQ(CleanUtf8("ok \xC3\xA9"), "ok \xC3\xA9");
    EXPECT_EQ(CleanUtf8("bad \xE9 byte"), "bad \xEF\xBF\xBD byte");
    EXPECT_EQ(CleanUtf8("bell\x07tab\t"), "belltab\t");
    EXPECT_EQ(CleanUtf8("\xED\xA0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD") << "surrogates are not UTF-8";
    char field[5];
    CopyField(field, sizeof field, "ab\xC3\xA9\xC3\xA9");
    EXPECT_STREQ(field, "ab\xC3\xA9") << "never cut inside a character";
    EXPECT_EQ(ToUtf8(ToWide("\xE2\x98\x83")), "\xE2\x98\x83");
}

TEST(OptionParsing, CodecNumbersForStillPictures)
{
    for (AVCodecID id : {AV_CODEC_ID_PNG, AV_CODEC_ID_BMP, AV_CODEC_ID_GIF, AV_CODEC_ID_TIFF, AV_CODEC_ID_WEBP,
                         AV_CODEC_ID_TARGA, AV_CODEC_ID_PPM, AV_CODEC_ID_JPEGLS})
        EXPECT_TRUE(IsStillImageNumber(LookUpCodec(id).number)) << avcodec_get_name(id);
    for (AVCodecID id : {AV_CODEC_ID_MJPEG, AV_CODEC_ID_H263, AV_CODEC_ID_H264, AV_CODEC_ID_AAC, AV_CODEC_ID_AMR_NB})
        EXPECT_FALSE(IsStillImageNumber(LookUpCodec(id).number)) << avcodec_get_name(id);
    EXPECT_EQ(LookUpCodec(AV_CODEC_ID_NONE).number, kCodecUnknown);
}

} // namespace harlow::test
