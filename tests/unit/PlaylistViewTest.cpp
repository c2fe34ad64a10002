// The playlist view through a real window: cell sizes, command states by style, path filtering,
// reordering, type-ahead, and the worker threads under edits (with the real tools when they
// are installed).
#include "app/AppResources.h"
#include "app/AppSettings.h"
#include "framework/CmdUI.h"
#include "ui/playlist/PlaylistView.h"
#include "RegistryFixture.h"
#include "ToolTestSupport.h"
#include "../../res/resource.h"

#include <gtest/gtest.h>

using namespace zevrin;

namespace {

class RecordingCmdUI : public fw::CCmdUI {
public:
    explicit RecordingCmdUI(UINT id) : fw::CCmdUI(id) {}
    void Enable(bool on) override { enabled = on; }
    void SetCheck(int c) override { checked = c; }
    void SetRadio(bool on) override { checked = on; }
    void SetText(const std::wstring& t) override { text = t; }
    bool enabled = true;
    int checked = -1;
    std::wstring text;
};

class PlaylistViewTest : public RegistryTest {
protected:
    void SetUp() override {
        RegistryTest::SetUp();
        Key(L"Settings").WriteString(L"TempFolder", temp_ / L"thumbs");
        settings_ = std::make_unique<CAppSettings>(Root());
        settings_->Load();
        settings_->loadLastPlaylist = 0;
        PublishSettings(settings_.get());
        resources_.Init();
        resources_.probeToolPath = test::HarlowTool(L"Quorrin.exe");
        resources_.encodeToolPath = test::HarlowTool(L"Brannet.exe");
        PublishResources(&resources_);
        const wchar_t* cls = fw::CWnd::RegisterClass(L"ZevrinPlaylistTestHost");
        host_ = CreateWindowExW(0, cls, L"host", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        view_ = new CPlaylistView;
        ASSERT_TRUE(view_->CreateView(host_, 1, nullptr));
        MoveWindow(view_->Hwnd(), 0, 0, 600, 500, FALSE);
        view_->RecalcLayout();
    }
    void TearDown() override {
        if (host_) DestroyWindow(host_);
        PublishSettings(nullptr);
        PublishResources(nullptr);
        settings_.reset();
        RegistryTest::TearDown();
    }
    void AddTitled(const std::wstring& title) {
        auto item = std::make_unique<CPlaylistItem>(L"C:\\media\\" + title + L".3gp");
        item->title = title;
        view_->AddItem(std::move(item));
    }
    RecordingCmdUI Update(UINT id) {
        RecordingCmdUI ui(id);
        EXPECT_TRUE(view_->OnCmdMsg(id, &ui));
        return ui;
    }
    void Pump() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }

    test::ScratchFolder temp_{L"playlist"};
    std::unique_ptr<CAppSettings> settings_;
    CAppResources resources_;
    HWND host_ = nullptr;
    CPlaylistView* view_ = nullptr;
};

TEST_F(PlaylistViewTest, CellsFollowTheThumbnailSizeAndTheTitleChoice) {
    EXPECT_EQ(view_->CellSize().cx, 170);
    EXPECT_EQ(view_->CellSize().cy, 130);
    view_->SetShowTitle(false);
    EXPECT_EQ(view_->CellSize().cy, 100);
    EXPECT_TRUE(view_->showDuration_);
    EXPECT_FALSE(view_->showIcon_);
}

TEST_F(PlaylistViewTest, StyleDecidesWhichDetailsCanBeToggled) {
    view_->SetViewStyle(CGridListView::kGridStyle);
    EXPECT_TRUE(Update(ID_SHOW_DURATION).enabled);
    EXPECT_TRUE(Update(ID_SHOW_TITLE).enabled);
    EXPECT_FALSE(Update(ID_SHOW_ICON).enabled);
    EXPECT_EQ(Update(ID_GRID_VIEW).checked, 1);
    view_->SetViewStyle(CGridListView::kListStyle);
    EXPECT_FALSE(Update(ID_SHOW_DURATION).enabled);
    EXPECT_FALSE(Update(ID_SHOW_TITLE).enabled);
    EXPECT_TRUE(Update(ID_SHOW_ICON).enabled);
    EXPECT_EQ(Update(ID_VIEW_LIST).checked, 1);
    EXPECT_EQ(view_->UnitSize().cy, 20);
}

TEST_F(PlaylistViewTest, ImageFilesAreNeverQueuedAndTheButtonStays) {
    EXPECT_EQ(view_->AddPath(L"C:\\pictures\\a.JPG"), 0);
    EXPECT_EQ(view_->AddPath(L"C:\\pictures\\b.tiff"), 0);
    EXPECT_EQ(view_->PendingPathCount(), 0u);
    EXPECT_TRUE(view_->IsOpenButtonVisible());
    EXPECT_EQ(view_->AddPath(L"C:\\media\\c.3gp"), 1);
    EXPECT_EQ(view_->PendingPathCount(), 1u);
    EXPECT_FALSE(Update(ID_REMOVE_ALL).enabled);
    AddTitled(L"one");
    EXPECT_FALSE(view_->IsOpenButtonVisible());
    EXPECT_TRUE(Update(ID_REMOVE_ALL).enabled);
}

TEST_F(PlaylistViewTest, MovesThatKeepTheOrderDoNothing) {
    for (const wchar_t* t : {L"a", L"b", L"c", L"d"}) AddTitled(t);
    EXPECT_FALSE(view_->MoveItem(1, 1));
    EXPECT_FALSE(view_->MoveItem(1, 2));
    EXPECT_TRUE(view_->MoveItem(0, 3));  // between c and d
    std::wstring order;
    for (int i = 0; i < 4; ++i) order += view_->GetItem(i)->title;
    EXPECT_EQ(order, L"bcad");
    view_->SelectItem(2, true, true, false);
    view_->SendMessage(WM_COMMAND, ID_MOVE_UP);
    EXPECT_EQ(view_->GetItem(1)->title, L"a");
    EXPECT_EQ(view_->FirstSelected(), 1);
}

TEST_F(PlaylistViewTest, TypingWithinHalfASecondSearchesTheNextCharacter) {
    for (const wchar_t* t : {L"Alpha", L"Bravo", L"Able", L"bOx"}) AddTitled(t);
    view_->TypeAhead(L'b');
    EXPECT_EQ(view_->FirstSelected(), 1);
    view_->TypeAhead(L'o');  // the first title whose second character is "o"
    EXPECT_EQ(view_->FirstSelected(), 3);
    Sleep(600);
    view_->TypeAhead(L'a');
    EXPECT_EQ(view_->FirstSelected(), 0);
}

// The pane's art shows through its image lists: no magenta key colour may reach the screen, and
// a missing resource would only leave icons out silently.
TEST_F(PlaylistViewTest, ItemsWithoutThumbnailsShowTheirArtWithoutTheKeyColour) {
    for (UINT id : {136u, 138u, 140u, 402u})
        EXPECT_TRUE(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_CURSOR, 0, 0, LR_SHARED)) << id;
    AddTitled(L"song");
    CPlaylistItem* item = view_->GetItem(0);
    item->kind = kKindVideoAudio;
    item->playMark = 1;
    const SIZE cell = view_->CellSize();
    BITMAPINFO bmi{{sizeof(BITMAPINFOHEADER), cell.cx, -cell.cy, 1, 32, BI_RGB}};
    void* bits = nullptr;
    fw::UniqueBitmap surface(CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, surface.Get());
    view_->DrawGridItem(dc, 0, {0, 0, cell.cx, cell.cy});
    GdiFlush();
    int magenta = 0, green = 0, film = 0;
    auto* px = static_cast<const uint32_t*>(bits);
    for (int i = 0; i < cell.cx * cell.cy; ++i) {
        uint32_t c = px[i] & 0xFFFFFF;  // 0x00RRGGBB
        magenta += c == 0xFF00FF;
        green += c == 0x28C846;
        film += c == 0x466EAA;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_EQ(magenta, 0);
    EXPECT_GT(green, 10);  // the playing mark
    EXPECT_GT(film, 100);  // the picture of a video with sound
}

// Worker threads load and complete items while the user reorders, scrolls and removes; no
// item may end up with another's information.
TEST_F(PlaylistViewTest, EditsWhileTheThreadsRunNeverMixUpItems) {
    if (resources_.probeToolPath.empty() || resources_.encodeToolPath.empty())
        GTEST_SKIP() << "the media tools are not installed";
    settings_->allowDuplicates = 1;
    // Clips of different lengths and sizes, so that a mix-up shows; a picture and a file that
    // is no media are dropped on the way.
    std::vector<std::wstring> clips;
    for (const wchar_t* name : {L"phone.3gp", L"h264.mp4", L"mpeg4.avi", L"clip.flv", L"tone.wav", L"picture.jpg",
                                L"notmedia.bin", L"mjpeg.mov"})
        clips.push_back(test::ClipPath(name));
    auto addAll = [&](int rounds) {
        for (int round = 0; round < rounds; ++round)
            for (const auto& clip : clips) view_->AddPath(clip);
        view_->StartLoader();
    };
    addAll(4);
    DWORD start = GetTickCount();
    bool removedAll = false;
    for (int step = 0; (view_->IsLoaderRunning() || view_->IsExtracting()) && GetTickCount() - start < 120000; ++step) {
        Pump();
        int n = view_->GetItemCount();
        if (n > 2) {
            view_->SelectItem(step % n, true, true, true);
            view_->SendMessage(WM_COMMAND, step % 2 ? ID_MOVE_UP : ID_MOVE_DOWN);
            view_->SendMessage(WM_VSCROLL, MAKEWPARAM(step % 2 ? SB_LINEDOWN : SB_LINEUP, 0));
            // Dragged out of the window while the loader runs, Remove once it has ended.
            if (step % 29 == 3) {
                if (view_->IsLoaderRunning())
                    view_->RemoveOne((step * 5) % n);
                else
                    view_->SendMessage(WM_COMMAND, ID_REMOVE);
            }
        }
        if (n >= 3 && !removedAll) {
            removedAll = true;
            view_->SendMessage(WM_COMMAND, ID_REMOVE_ALL);
            EXPECT_EQ(view_->GetItemCount(), 0);
            EXPECT_EQ(view_->PendingPathCount(), 0u);
            addAll(2);
        }
        UpdateWindow(view_->Hwnd());
        Sleep(5);
    }
    Pump();
    ASSERT_FALSE(view_->IsLoaderRunning() || view_->IsExtracting());
    EXPECT_TRUE(removedAll);
    EXPECT_GT(view_->GetItemCount(), 0);
    for (int i = 0; i < view_->GetItemCount(); ++i) {
        const CPlaylistItem* item = view_->GetItem(i);
        // Every item is complete, and its information and picture describe its own file.
        ASSERT_TRUE(item->flags & EntryFlag::InfoLoaded) << item->path;
        WIN32_FILE_ATTRIBUTE_DATA file{};
        ASSERT_TRUE(GetFileAttributesExW(item->path.c_str(), GetFileExInfoStandard, &file));
        EXPECT_EQ(item->info.size, (static_cast<int64_t>(file.nFileSizeHigh) << 32) | file.nFileSizeLow) << item->path;
        EXPECT_EQ(item->info.duration, item->duration) << item->path;
        bool video = item->info.flags & kMediaFlagVideo;
        EXPECT_EQ(item->kind, video ? kKindPicture : kKindAudio) << item->path;
        EXPECT_EQ(video, !item->thumbnail.IsEmpty()) << item->path;
    }
    view_->StopLoader();
    view_->StopExtractors();
}

} // namespace
