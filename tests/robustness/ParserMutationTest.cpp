// The program's readers fed thousands of damaged inputs made from valid ones (fixed seed): media
// information from the probe, the three playlist formats, the update information and pictures.
// Each input must end in the reader's documented answer: a failure that leaves the caller's data
// as it was, or a result whose values are usable. A reader that crashes ends the run; one that
// takes far too long on an input fails it (a hang guard, not a speed goal).
//
// ZEVRIN_MUTATIONS sets the inputs per valid file (the sweep's script runs a larger count);
// ZEVRIN_MUTATION_TRACE names a file that holds each input while it is read.
#include "Mutator.h"

#include "framework/Text.h"
#include "framework/XmlNesting.h"
#include "image/ThumbnailImage.h"
#include "playlist/PlaylistFile.h"
#include "tools/MediaInfosParser.h"
#include "update/UpdateInfo.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

using namespace zevrin;
using zevrin::test::Mutator;

namespace {

constexpr auto kHangBound = std::chrono::seconds(5);

int MutationCount() {
    const char* text = std::getenv("ZEVRIN_MUTATIONS");
    const int n = text ? std::atoi(text) : 0;
    return n > 0 ? n : 200;
}

// Feeds MutationCount() damaged copies of `valid` to `check`, which asserts the reader's answer.
// Each input is bounded in time; a failure names the seed and the input's number.
void Sweep(const char* what, const std::string& valid, std::uint32_t seed,
           const std::function<void(const std::string&)>& check) {
    ASSERT_FALSE(valid.empty()) << what << ": no valid input to start from";
    Mutator mutator(seed);
    const int count = MutationCount();
    for (int i = 0; i < count; ++i) {
        const std::string input = mutator.Mutate(valid);
        if (const char* trace = std::getenv("ZEVRIN_MUTATION_TRACE")) {  // a crash leaves its input in this file
            std::printf("%s %d\n", what, i);
            std::fflush(stdout);
            std::ofstream(trace, std::ios::binary) << input;
        }
        const auto start = std::chrono::steady_clock::now();
        check(input);
        const auto took = std::chrono::steady_clock::now() - start;
        ASSERT_LT(took, kHangBound) << what << ": input " << i << " of seed " << seed << " (" << input.size()
                                    << " bytes)";
        if (::testing::Test::HasFatalFailure() || ::testing::Test::HasNonfatalFailure()) {
            ADD_FAILURE() << what << ": input " << i << " of seed " << seed;
            return;
        }
    }
    std::printf("%s: %d inputs\n", what, count);
}

std::wstring TempFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"zevrin-mutation-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

// Writes the bytes to a file of its own (the profile functions cache files by name) and hands
// its path to `use`; the file goes afterwards.
void WithFile(const std::wstring& extension, const std::string& bytes, const std::function<void(const std::wstring&)>& use) {
    static const std::wstring folder = TempFolder();
    static int serial = 0;
    const std::wstring path = folder + L"\\input" + std::to_wstring(++serial) + extension;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    use(path);
    DeleteFileW(path.c_str());
}

std::string ReadBytes(const std::wstring& path) {
    std::ifstream in(fw::ToCodePage(path).c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::wstring TestData(const char* name) {
    const char* dir = std::getenv("ZEVRIN_TEST_DATA");
    std::wstring path = L"Z:" + fw::FromCodePage(dir ? dir : "/nonexistent", CP_UTF8) + L"/" + fw::FromCodePage(name);
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

const std::string kMediaInfos =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<MediaInfos><MediaInfo Flags=\"4\" Format=\"mov,mp4,m4a,3gp\""
    " Size=\"6000000\" StartTime=\"-23000\" Duration=\"61440000\" BitRate=\"350000\" StreamCount=\"2\">"
    "<Stream Type=\"0\" Flags=\"3\" Format=\"h264\" Codec=\"28\" StartTime=\"0\" Duration=\"8000000\" Frames=\"200\""
    " Resolution=\"320x240\" Aspect=\"4/3\" FrameRate=\"25/1\" BitRate=\"250000\"/>"
    "<Stream Type=\"1\" Format=\"aac\" Codec=\"86018\" Duration=\"7989000\" Channels=\"2\" SampleRate=\"44100\""
    " BitRate=\"96000\"/><Meta Year=\"2008\" Track=\"3\"><Title>Clip &lt;one&gt; &amp; \"two\"</Title>"
    "<Author>Zo\xC3\xAB</Author><Album>Test Album</Album></Meta></MediaInfo></MediaInfos>\n";

const std::string kPlay =
    "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Plays Flags=\"1\"><Title>Mix</Title>"
    "<Artwork>C:\\art\\cover.jpg</Artwork><Play Flags=\"0\" Duration=\"61440000\"><File>C:\\media\\a.3gp</File>"
    "<Title>First</Title><Artwork/></Play><Play Duration=\"1000\"><File>http://example.com/b.mp4</File></Play>"
    "<Play><File>clips\\c.flv</File><Title>Zo\xC3\xAB</Title></Play></Plays>\n";

const std::string kM3u =
    "#EXTM3U\r\n#EXTINF:61,First\r\nC:\\media\\a.3gp\r\nclips\\b.mp4\r\n\r\nhttp://example.com/c.flv\r\n";

const std::string kPls =
    "[playlist]\r\nFile1=C:\\media\\a.3gp\r\nTitle1=First\r\nLength1=61\r\nFile2=\"clips\\b.mp4\"\r\n"
    "File3=http://example.com/c.flv\r\nNumberOfEntries=3\r\nVersion=2\r\n";

const std::string kUpdates =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Updates>\n<Application Version=\"3.1.0\" Level=\"2\">"
    "<URL>https://www.example.com/zevrin/</URL><Description>New:\\nfaster</Description></Application>\n</Updates>\n";

// What a playlist reader may answer: a failure that added nothing, or entries that are paths.
void CheckPlaylist(CPlaylistFile& format, const std::wstring& extension, const std::string& bytes) {
    WithFile(extension, bytes, [&](const std::wstring& path) {
        CPlaylistFileList list;
        const int result = format.Read(path, list);
        ASSERT_TRUE(result == 0 || result == -1);
        if (result == -1) {
            EXPECT_TRUE(list.entries.empty());
        }
        for (const auto& entry : list.entries) ASSERT_TRUE(entry);
    });
}

} // namespace

TEST(ParserMutation, MediaInformationFailsLeavingTheRecordOrReadsUsableValues) {
    Sweep("MediaInfos", kMediaInfos, 2201, [](const std::string& xml) {
        CMediaInfo info;
        info.title = L"unchanged";
        const int result = ParseMediaInfosText(xml, info);
        ASSERT_TRUE(result == 0 || result == -1);
        if (result == -1) {
            EXPECT_EQ(info.title, L"unchanged");
        }
    });
    // And through a file, as the loader reads what the probe wrote.
    Sweep("MediaInfos file", kMediaInfos, 2202, [](const std::string& xml) {
        WithFile(L".xml", xml, [](const std::wstring& path) {
            CMediaInfo info;
            const int result = ParseMediaInfos(path, info);
            ASSERT_TRUE(result == 0 || result == -1);
        });
    });
}

TEST(ParserMutation, PlaylistFilesFailCleanlyOrGiveEntries) {
    CPlayPlaylistFile play;
    CM3uPlaylistFile m3u;
    CPlsPlaylistFile pls;
    Sweep(".play", kPlay, 2203, [&](const std::string& bytes) { CheckPlaylist(play, L".play", bytes); });
    Sweep(".m3u", kM3u, 2204, [&](const std::string& bytes) { CheckPlaylist(m3u, L".m3u", bytes); });
    Sweep(".pls", kPls, 2205, [&](const std::string& bytes) { CheckPlaylist(pls, L".pls", bytes); });
}

TEST(ParserMutation, UpdateInformationFailsOrGivesAWebAddress) {
    Sweep("update information", kUpdates, 2206, [](const std::string& text) {
        const std::optional<UpdateInfo> info = ParseUpdateInfo(text);
        if (info) {
            EXPECT_TRUE(IsWebUrl(info->downloadUrl)) << fw::ToCodePage(info->downloadUrl);
        }
    });
}

// A decoder either fails with an error and no picture, or gives a picture whose size and planes
// agree (so drawing and fitting it stay inside its buffers).
TEST(ParserMutation, PicturesFailWithAnErrorOrDecodeWhole) {
    const char* const pictures[] = {"photo.jpg", "alpha.png", "photo24.bmp", "palette8.bmp",
                                    "interlaced.gif", "transparent.gif", "tga32.tga", "rle24.tga"};
    std::uint32_t seed = 2210;
    for (const char* name : pictures) {
        const std::string valid = ReadBytes(TestData(name));
        Sweep(name, valid, seed++, [](const std::string& bytes) {
            CThumbnailImage image;
            const bool ok = image.LoadMemory(ImageBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
            if (!ok) {
                EXPECT_TRUE(image.IsEmpty());
                EXPECT_FALSE(image.LastError().empty());
                return;
            }
            ASSERT_TRUE(ReasonableSize(image.Width(), image.Height()));
            const ImageBuffer& buffer = image.Buffer();
            ASSERT_EQ(buffer.bgr.size(), static_cast<size_t>(image.Width()) * image.Height() * 3);
            ASSERT_TRUE(buffer.alpha.empty() || buffer.alpha.size() == static_cast<size_t>(image.Width()) * image.Height());
            CThumbnailImage fitted;
            EXPECT_TRUE(image.FitIntoBox(64, 48, 0, &fitted));
        });
    }
}

// The nesting guard in front of the XML reader: a million levels would overflow the reader's
// stack; closing tags hidden in comments, sections and quoted values do not lower the count.
TEST(ParserMutation, DocumentsNestedPastTheLimitAreRefusedBeforeTheyAreRead) {
    std::string deep;
    for (int i = 0; i < 1000000; ++i) deep += "<a>";
    CMediaInfo info;
    EXPECT_EQ(ParseMediaInfosText("<MediaInfos><MediaInfo>" + deep, info), -1);
    EXPECT_FALSE(ParseUpdateInfo("<Updates><Application>" + deep));
    WithFile(L".play", "<Plays><Play>" + deep, [](const std::wstring& path) {
        CPlaylistFileList list;
        EXPECT_EQ(CPlayPlaylistFile().Read(path, list), -1);
    });

    EXPECT_TRUE(fw::XmlNestingWithin("<?xml version=\"1.0\"?><a><b/><c t=\"<d>\">x</c><!-- <e><f> --></a>", 2));
    EXPECT_FALSE(fw::XmlNestingWithin("<a><b><c/></b></a>", 1));
    const std::string hidden = "<!-- </a></a></a> --><![CDATA[</a></a>]]><x t=\"</a></a>\">";
    EXPECT_FALSE(fw::XmlNestingWithin("<a><a>" + hidden + "<a><a>", 4));
    EXPECT_FALSE(fw::XmlNestingWithin("<?xm<a><a><a><a>", 2));  // a broken declaration ends at its first ">"
}
