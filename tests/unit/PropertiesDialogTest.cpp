#include "playlist/PlaylistItem.h"
#include "ui/dialogs/PropertiesDialog.h"
#include "ui/dialogs/PropertyRows.h"
#include "ModalDriver.h"

#include <gtest/gtest.h>
#include <commctrl.h>

using namespace zevrin;

namespace {

CMediaStream Stream(int type, const wchar_t* format) {
    CMediaStream s;
    s.type = type;
    s.format = format;
    return s;
}

CMediaInfo AudioOnly() {
    CMediaInfo info;
    info.format = L"wav";
    info.size = 1234567;
    info.duration = 3723004000LL;  // 1:02:03.004
    info.bitRate = 1411200;
    CMediaStream a = Stream(kStreamTypeAudio, L"pcm_s16le");
    a.channels = 2;
    a.sampleRate = 44100;
    a.bitRate = 1411200;
    info.streams.push_back(a);
    return info;
}

std::vector<std::wstring> Column(const std::vector<PropertyRow>& rows, bool values) {
    std::vector<std::wstring> out;
    for (const auto& r : rows) out.push_back(values ? r.value : r.label);
    return out;
}

TEST(PropertyRows, AnAudioFileHasTheFileRowsAndOneAudioBlock) {
    auto rows = MediaPropertyRows(L"C:\\Music\\song.wav", AudioOnly());
    EXPECT_EQ(Column(rows, false), (std::vector<std::wstring>{L"File Name", L"File Size", L"Duration", L"Format", L"Bit Rate",
                                                              L"Stream #1", L"Format", L"Channels", L"Sample Rate",
                                                              L"Bit Rate"}));
    EXPECT_EQ(Column(rows, true), (std::vector<std::wstring>{L"song.wav", L"1,234,567", L"1:02:03.004", L"wav", L"1411 kbps",
                                                             L"Audio", L"pcm_s16le", L"Stereo", L"44100", L"1411.2 kbps"}));
    EXPECT_TRUE(IsBoldPropertyRow(0));
    EXPECT_TRUE(IsBoldPropertyRow(5));
    EXPECT_FALSE(IsBoldPropertyRow(4));
}

TEST(PropertyRows, UnknownValuesLeaveTheirRowsEmptyAndOtherStreamsStillCount) {
    CMediaInfo info;
    info.duration = -5;
    CMediaStream v = Stream(kStreamTypeVideo, L"h263");
    v.width = 176;
    v.height = 144;
    v.frameRateNum = 30000;
    v.frameRateDen = 1001;
    info.streams = {v, Stream(3, L"subtitle"), Stream(kStreamTypeAudio, L"aac")};
    auto rows = MediaPropertyRows(L"clip.3gp", info);
    ASSERT_EQ(rows.size(), 15u);
    EXPECT_EQ(rows[2].value, L"");   // duration not known
    EXPECT_EQ(rows[4].value, L"");   // no overall bit rate
    EXPECT_EQ(rows[5].label, L"Stream #1");
    EXPECT_EQ(rows[7].value, L"176 x 144");
    EXPECT_EQ(rows[8].value, L"29.97 fps");
    EXPECT_EQ(rows[9].label, L"Bit Rate");
    EXPECT_EQ(rows[9].value, L"");
    EXPECT_EQ(rows[10].label, L"Stream #3");  // the subtitle stream between them counts
    EXPECT_EQ(rows[12].value, L"Auto");        // channels 0
}

TEST(PropertiesDialog, ShowsTheItemsPathCaptionAndRows) {
    CPlaylistItem item(L"C:\\Music\\song.wav");
    item.flags = EntryFlag::InfoLoaded | EntryFlag::HasAudio;
    item.info = AudioOnly();
    CPropertiesDialog dialog(item, {}, nullptr);  // loaded: no tool runs
    int rows = -1;
    std::wstring caption, path;
    ModalDriver driver([&] {
        HWND hwnd = dialog.Hwnd();
        if (!hwnd || !IsWindowVisible(hwnd)) return false;
        rows = ListView_GetItemCount(GetDlgItem(hwnd, 1033));
        wchar_t text[MAX_PATH];
        GetWindowTextW(hwnd, text, MAX_PATH);
        caption = text;
        GetDlgItemTextW(hwnd, 1041, text, MAX_PATH);
        path = text;
        PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
        return true;
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(rows, 10);
    EXPECT_EQ(caption, L"song.wav");
    EXPECT_EQ(path, L"C:\\Music\\song.wav");
}

} // namespace
