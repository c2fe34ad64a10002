// The playlist view through a real window: cell sizes, command states by style, path filtering,
// reordering, type-ahead, and the worker threads under edits (with the real tools when they
// are installed).
#include "services/AppResources.h"
#include "services/AppSettings.h"
#include "framework/CmdUI.h"
#include "playlist/PlaylistStore.h"
#include "framework/Dpi.h"
#include "ui/playlist/PlayViewLink.h"
#include "PlaylistViewHost.h"
#include "RecordingPlayView.h"
#include "ui/playlist/PlaylistView.h"
#include "ModalDriver.h"
#include "RegistryFixture.h"
#include "ToolTestSupport.h"
#include "res/resource.h"

#include <gtest/gtest.h>
#include <dlgs.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <functional>

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

// A shell drop as the shell hands it over: a DROPFILES block in movable global memory, which
// the receiver frees with DragFinish.
HDROP MakeDrop(const std::vector<std::wstring>& paths) {
    size_t chars = 1;
    for (const auto& p : paths) chars += p.size() + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* out = reinterpret_cast<wchar_t*>(drop + 1);
    for (const auto& p : paths) {
        std::copy(p.begin(), p.end(), out);
        out += p.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

void SetShiftKey(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    keys[VK_LSHIFT] = keys[VK_SHIFT];
    SetKeyboardState(keys);
}

class PlaylistViewTest : public RegistryTest {
protected:
    void SetUp() override {
        RegistryTest::SetUp();
        settings_ = test::PublishTestSettings(Root(), temp_ / L"thumbs");
        settings_->loadLastPlaylist = 0;
        test::PublishRealTools(resources_);
        host_ = test::OpenPlaylistView(L"ZevrinPlaylistTestHost", playView_, view_);
        ASSERT_TRUE(host_);
        MoveWindow(view_->Hwnd(), 0, 0, 600, 500, FALSE);
        view_->RecalcLayout();
    }
    void TearDown() override {
        test::ClosePlaylistView(host_, settings_);
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
    bool HaveTools() const { return !resources_.probeToolPath.empty() && !resources_.encodeToolPath.empty(); }
    // Host and pane on screen, as the drop and the drag rules look at what is visible where.
    void ShowPane() {
        ShowWindow(host_, SW_SHOWNA);
        ShowWindow(view_->Hwnd(), SW_SHOWNA);
        UpdateWindow(host_);
    }
    void WaitForWorkers() {
        DWORD start = GetTickCount();
        while ((view_->IsLoaderRunning() || view_->IsExtracting()) && GetTickCount() - start < 120000) {
            Pump();
            Sleep(5);
        }
        Pump();
        ASSERT_FALSE(view_->IsLoaderRunning() || view_->IsExtracting());
    }
    // A shell drop released at `clientPt` of the host window.
    void DropFiles(const std::vector<std::wstring>& paths, POINT clientPt, bool shift) {
        ClientToScreen(host_, &clientPt);
        SetCursorPos(clientPt.x, clientPt.y);
        SetShiftKey(shift);
        view_->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)));
        SetShiftKey(false);
        WaitForWorkers();
    }
    // The items' file names without extension, in order (a clip's own title may differ).
    std::wstring Names() const { return test::ItemNames(*view_); }
    POINT ItemPoint(int index, double fx, double fy) const {
        RECT rc{};
        EXPECT_TRUE(view_->GetItemRect(index, rc));
        return {rc.left + static_cast<LONG>((rc.right - rc.left) * fx), rc.top + static_cast<LONG>((rc.bottom - rc.top) * fy)};
    }
    void Mouse(UINT message, WPARAM keys, POINT pt) { view_->SendMessage(message, keys, MAKELPARAM(pt.x, pt.y)); }
    // Presses the left button on item `index`, starts the drag, moves to `to` and releases.
    void Drag(int index, POINT to) {
        POINT from = ItemPoint(index, 0.5, 0.5);
        Mouse(WM_LBUTTONDOWN, MK_LBUTTON, from);
        Mouse(WM_MOUSEMOVE, MK_LBUTTON, {from.x + 1, from.y + 1});
        ASSERT_EQ(view_->DragSource(), index);
        Mouse(WM_MOUSEMOVE, MK_LBUTTON, to);
        dropDuringDrag_ = view_->DropTarget(to);
        Mouse(WM_LBUTTONUP, 0, to);
        EXPECT_EQ(view_->DragSource(), -1);
    }

    test::ScratchFolder temp_{L"playlist"};
    std::unique_ptr<CAppSettings> settings_;
    CAppResources resources_;
    HWND host_ = nullptr;
    CPlaylistView* view_ = nullptr;
    CPlaylistView::DropPlace dropDuringDrag_;
    test::RecordingPlayView playView_{[this] { return view_->GetItemCount(); }};
};

TEST_F(PlaylistViewTest, CellsFollowTheThumbnailSizeAndTheTitleChoice) {
    EXPECT_EQ(view_->CellSize().cx, 170);
    EXPECT_EQ(view_->CellSize().cy, 130);
    view_->SetShowTitle(false);
    EXPECT_EQ(view_->CellSize().cy, 100);
}

// A view made on settings that differ from every default follows the stored style, title choice
// and thumbnail size; durations are shown and icons hidden at every start, whatever was stored,
// and the view's flags are what it writes back.
TEST_F(PlaylistViewTest, StartsFromTheStoredSettingsWithDurationsShownAndIconsHidden) {
    DestroyWindow(host_);  // the first view, made on the defaults, goes
    host_ = nullptr;
    fw::RegKey stored = Key(L"Settings");
    stored.WriteDword(L"ViewStyle", CGridListView::kListStyle);
    stored.WriteDword(L"ShowTitle", 0);
    stored.WriteDword(L"ShowDuration", 0);
    stored.WriteDword(L"ShowIcon", 1);
    stored.WriteDword(L"Thumbnail.cx", 200);
    stored.WriteDword(L"Thumbnail.cy", 120);
    settings_->Load();
    settings_->loadLastPlaylist = 0;

    host_ = test::OpenPlaylistView(L"ZevrinPlaylistTestHost", playView_, view_);
    ASSERT_TRUE(host_);
    EXPECT_EQ(Update(ID_VIEW_LIST).checked, 1);
    EXPECT_EQ(Update(ID_GRID_VIEW).checked, 0);
    EXPECT_EQ(Update(ID_SHOW_TITLE).checked, 0);
    EXPECT_EQ(Update(ID_SHOW_DURATION).checked, 1);
    EXPECT_EQ(Update(ID_SHOW_ICON).checked, 0);
    EXPECT_EQ(view_->CellSize().cx, 210);
    EXPECT_EQ(view_->CellSize().cy, 130);  // 120 and 10, no title line

    view_->SendMessage(WM_COMMAND, ID_SHOW_ICON);  // enabled in list style
    DestroyWindow(host_);
    host_ = nullptr;
    EXPECT_EQ(settings_->viewStyle, CGridListView::kListStyle);
    EXPECT_EQ(settings_->showTitle, 0);
    EXPECT_EQ(settings_->showDuration, 1);
    EXPECT_EQ(settings_->showIcon, 1);
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

// Files dropped from the shell: on the list they are added, anywhere else on the window they
// replace the playlist and the first plays; Shift turns both around.
TEST_F(PlaylistViewTest, ShellDropsAddOnTheListAndReplaceElsewhereShiftReverses) {
    if (!HaveTools()) GTEST_SKIP() << "the media tools are not installed";
    ShowPane();
    const POINT onList{100, 100}, beside{700, 550};  // the pane covers 600 x 500 of the host
    AddTitled(L"kept");
    DropFiles({test::ClipPath(L"phone.3gp")}, onList, false);
    EXPECT_EQ(Names(), L"kept,phone");
    EXPECT_TRUE(playView_.plays.empty());

    DropFiles({test::ClipPath(L"h264.mp4"), test::ClipPath(L"picture.jpg")}, beside, false);
    EXPECT_EQ(Names(), L"h264");
    ASSERT_EQ(playView_.plays.size(), 1u);
    EXPECT_EQ(playView_.plays[0].index, 0);

    DropFiles({test::ClipPath(L"phone.3gp")}, onList, true);
    EXPECT_EQ(Names(), L"phone");
    DropFiles({test::ClipPath(L"h264.mp4")}, beside, true);
    EXPECT_EQ(Names(), L"phone,h264");
    EXPECT_EQ(playView_.plays.size(), 2u);

    // While the loader runs, a drop that would add is ignored and one that replaces stops it.
    view_->AddPath(test::ClipPath(L"mpeg4.avi"));
    view_->StartLoader();
    ASSERT_TRUE(view_->IsLoaderRunning());
    DropFiles({test::ClipPath(L"clip.flv")}, onList, false);
    EXPECT_EQ(Names(), L"phone,h264,mpeg4");
    view_->AddPath(test::ClipPath(L"phone.3gp"));
    view_->StartLoader();
    ASSERT_TRUE(view_->IsLoaderRunning());
    DropFiles({test::ClipPath(L"clip.flv")}, beside, false);
    EXPECT_EQ(Names(), L"clip");
    // Every dropped clip was completed by the extractors.
    for (int i = 0; i < view_->GetItemCount(); ++i) EXPECT_FALSE(view_->GetItem(i)->thumbnail.IsEmpty()) << i;
}

// Dragging an item: beside its own place nothing moves and no mark shows; between two others it
// moves there; on the window outside the list it plays; off the window it is removed.
TEST_F(PlaylistViewTest, DraggingMovesPlaysOrRemovesByWhereTheItemIsDropped) {
    ShowPane();
    for (const wchar_t* t : {L"a", L"b", L"c", L"d"}) AddTitled(t);
    Pump();
    ASSERT_EQ(view_->Columns(), 3);  // a b c over d

    Drag(0, ItemPoint(1, 0.1, 0.5));  // just before b: its own place
    EXPECT_EQ(dropDuringDrag_.index, -1);
    Drag(0, ItemPoint(0, 0.9, 0.5));  // on its own right half
    EXPECT_EQ(dropDuringDrag_.index, -1);
    EXPECT_EQ(Names(), L"a,b,c,d");

    Drag(0, ItemPoint(3, 0.1, 0.5));  // before d
    EXPECT_EQ(dropDuringDrag_.index, 3);
    EXPECT_FALSE(dropDuringDrag_.after);
    EXPECT_EQ(Names(), L"b,c,a,d");

    Drag(2, {700, 100});  // on the host, outside the list
    EXPECT_EQ(Names(), L"b,c,a,d");
    ASSERT_EQ(playView_.plays.size(), 1u);
    EXPECT_EQ(playView_.plays[0].index, 2);
    EXPECT_EQ(playView_.plays[0].where, IPlayViewLink::kInDisplay);

    Drag(1, {-200, -200});  // off the window
    EXPECT_EQ(Names(), L"b,a,d");
    EXPECT_EQ(playView_.plays.size(), 1u);
}

// "Open Files" through the system's file dialog: the dialog is found, given a folder and then
// names, and confirmed as a user would.
class OpenFilesDialog {
public:
    OpenFilesDialog(std::wstring folder, std::wstring names)
        : folder_(std::move(folder)), names_(std::move(names)), driver_([this] { return Step(); }) {}
    bool Confirmed() const { return step_ == 2; }

private:
    bool Step() {
        HWND dialog = FindWindowW(L"#32770", nullptr);
        if (!dialog || !IsWindowVisible(dialog)) return false;
        // Explorer-style dialogs name their file box edt1 or cmb13, depending on the system.
        for (int id : {edt1, cmb13}) SetDlgItemTextW(dialog, id, step_ == 0 ? folder_.c_str() : names_.c_str());
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        return ++step_ == 2;
    }
    std::wstring folder_, names_;
    int step_ = 0;
    ModalDriver driver_;
};

TEST_F(PlaylistViewTest, OpenFilesThroughTheDialogPlaysTheFirstAsSoonAsItIsAdded) {
    if (!HaveTools()) GTEST_SKIP() << "the media tools are not installed";
    ShowPane();
    AddTitled(L"replaced");
    {
        OpenFilesDialog dialog(test::ClipPath(L""), L"\"phone.3gp\" \"h264.mp4\"");
        view_->SendMessage(WM_COMMAND, ID_OPEN_FILES);
        ASSERT_TRUE(dialog.Confirmed());
    }
    WaitForWorkers();
    EXPECT_EQ(Names(), L"phone,h264");
    ASSERT_EQ(playView_.plays.size(), 1u);
    EXPECT_EQ(playView_.plays[0].index, 0);
    EXPECT_EQ(playView_.plays[0].itemCount, 1);  // before the second was there
    EXPECT_EQ(view_->PendingPlayIndex(), -1);
    for (int i = 0; i < 2; ++i) EXPECT_FALSE(view_->GetItem(i)->thumbnail.IsEmpty()) << i;
    EXPECT_FALSE(view_->IsOpenButtonVisible());
}

TEST_F(PlaylistViewTest, OpenFilesWithOnlyPicturesAddsAndPlaysNothing) {
    ShowPane();
    {
        OpenFilesDialog dialog(test::ClipPath(L""), L"\"picture.jpg\" \"picture.png\"");
        view_->SendMessage(WM_COMMAND, ID_OPEN_FILES);
        ASSERT_TRUE(dialog.Confirmed());
    }
    WaitForWorkers();
    EXPECT_EQ(view_->GetItemCount(), 0);
    EXPECT_TRUE(playView_.plays.empty());
    EXPECT_TRUE(view_->IsOpenButtonVisible());
    EXPECT_EQ(view_->PendingPlayIndex(), -1);
}

// The root tells the pane whether the program started with files: then the named file wins and
// the last playlist stays put; otherwise it comes back, at the first opening only.
TEST_F(PlaylistViewTest, OnlyTheFirstOpeningOfAStartWithoutFilesBringsTheLastPlaylistBack) {
    const std::wstring last = settings_->DefaultPlaylistPath();
    const std::wstring kept = last + L".kept";
    bool hadOne = MoveFileExW(last.c_str(), kept.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
    for (const wchar_t* t : {L"a", L"b"}) AddTitled(t);
    ASSERT_EQ(SavePlaylistEntries(last, view_->Entries()), 2);
    view_->RemoveAll();
    settings_->loadLastPlaylist = 1;

    auto* withFiles = new CPlaylistView;  // deletes itself with its window
    withFiles->SetStartedWithFiles(true);
    ASSERT_TRUE(withFiles->CreateView(host_, 2, nullptr));
    withFiles->OnInitialUpdate();
    EXPECT_EQ(withFiles->GetItemCount(), 0);

    view_->OnInitialUpdate();
    EXPECT_EQ(view_->GetItemCount(), 2);
    view_->StopExtractors();
    view_->RemoveAll();
    view_->OnInitialUpdate();
    EXPECT_EQ(view_->GetItemCount(), 0) << "a later opening is no start";

    view_->StopExtractors();
    settings_->loadLastPlaylist = 0;
    DeleteFileW(last.c_str());
    if (hadOne) MoveFileExW(kept.c_str(), last.c_str(), 0);
}

// Moved to a screen at 200 %, the pane doubles its cells, rows and art; the cell size setting
// stays in the program's units and the thumbnails are made for the doubled box.
TEST_F(PlaylistViewTest, AtTwiceTheDpiCellsRowsAndArtDoubleWhileTheSettingKeepsItsUnits) {
    AddTitled(L"film");
    view_->GetItem(0)->kind = kKindVideo;
    SendMessageW(view_->Hwnd(), fw::WM_DPI_RESCALE, 192, 0);
    EXPECT_EQ(view_->CellSize().cx, 340);
    EXPECT_EQ(view_->CellSize().cy, 260);
    EXPECT_EQ(view_->RowHeight(), 40);
    EXPECT_EQ(Settings().thumbnailCx, 160);
    EXPECT_EQ(Settings().thumbnailDpi, 192);

    const SIZE cell = view_->CellSize();
    BITMAPINFO bmi{{sizeof(BITMAPINFOHEADER), cell.cx, -cell.cy, 1, 32, BI_RGB}};
    void* bits = nullptr;
    fw::UniqueBitmap surface(CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, surface.Get());
    view_->DrawGridItem(dc, 0, {0, 0, cell.cx, cell.cy});
    GdiFlush();
    int film = 0, black = 0;
    auto* px = static_cast<const uint32_t*>(bits);
    for (int i = 0; i < cell.cx * cell.cy; ++i) {
        film += (px[i] & 0xFFFFFF) == 0x466EAA;
        black += (px[i] & 0xFFFFFF) == 0;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_GT(film, 4 * 300);               // the kind picture from the 200 % art, not the 100 % one
    EXPECT_GT(black, 320 * 180 - 64 * 64);  // the thumbnail box is 320 by 180

    SendMessageW(view_->Hwnd(), fw::WM_DPI_RESCALE, 96, 0);
    EXPECT_EQ(view_->CellSize().cx, 170);
    EXPECT_EQ(view_->RowHeight(), 20);
    EXPECT_EQ(Settings().thumbnailDpi, 96);
}

} // namespace
