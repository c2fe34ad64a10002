// The framework's document/view lifecycle, command routing and update handlers, driven through
// real windows.
#include "services/AppResources.h"
#include "framework/ControlBar.h"
#include "framework/Document.h"
#include "framework/FrameWnd.h"
#include "framework/Ids.h"
#include "framework/Text.h"
#include "framework/View.h"
#include "framework/WinApp.h"
#include "framework/WorkerThread.h"
#include "ui/frame/MBFrameWnd.h"
#include "ui/frame/StatusMenuBar.h"
#include "ModalDriver.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

namespace {

std::vector<std::string> trace;

class TestDoc : public fw::CDocument {
public:
    void PreCloseFrame(fw::CFrameWnd* frame) override {
        trace.push_back("PreCloseFrame");
        fw::CDocument::PreCloseFrame(frame);
    }
};

class TestView : public fw::CView {
public:
    void OnInitialUpdate() override { trace.push_back("OnInitialUpdate"); }
    bool OnCmdMsg(UINT id, fw::CCmdUI* ui) override {
        static const fw::Command<TestView> commands[] = {
            {ID_PLAY, &TestView::OnPlay, &TestView::OnUpdatePlay},
        };
        return fw::DispatchCommand(this, commands, id, ui) || fw::CView::OnCmdMsg(id, ui);
    }
    void OnPlay() { trace.push_back("view Play"); }
    void OnUpdatePlay(fw::CCmdUI& ui) {
        ui.SetText(L"Pause\tCtrl+P");
        ui.SetCheck(1);
        ui.Enable(playEnabled);
    }
    bool playEnabled = true;

protected:
    void OnDraw(HDC) override {}
};

template <typename Base>
class CommandFrame : public Base {
public:
    bool OnCmdMsg(UINT id, fw::CCmdUI* ui) override {
        static const fw::Command<CommandFrame> commands[] = {
            {ID_PLAY, &CommandFrame::OnPlay},
            {ID_STOP, &CommandFrame::OnStop, &CommandFrame::OnUpdateStop},
            {ID_ZOOM_FIT, ID_ZOOM_200, &CommandFrame::OnZoom},
        };
        return fw::DispatchCommand(this, commands, id, ui) || Base::OnCmdMsg(id, ui);
    }
    void OnPlay() { trace.push_back("frame Play"); }
    void OnStop() { trace.push_back("frame Stop"); }
    void OnUpdateStop(fw::CCmdUI& ui) { ui.Enable(stopEnabled); }
    bool stopEnabled = false;
    void OnZoom(UINT id) { trace.push_back("frame Zoom " + std::to_string(id - ID_ZOOM_FIT)); }
};

using TestFrame = CommandFrame<fw::CFrameWnd>;

// The frame as the program builds it: its menu moves onto a menu bar and off the window, so
// accelerators and menu updates find no window menu.
class ProgramFrame : public CommandFrame<zevrin::CMBFrameWnd> {
public:
    zevrin::CStatusMenuBar bar;

protected:
    int OnCreate(const CREATESTRUCTW& cs) override {
        if (CMBFrameWnd::OnCreate(cs) == -1) return -1;
        if (!bar.Create(*this, IDW_MENUBAR)) return -1;
        MoveMenuToBar(bar);
        return 0;
    }
};

class TestApp : public fw::CWinApp {
public:
    bool OnCmdMsg(UINT id, fw::CCmdUI* ui) override {
        static const fw::Command<TestApp> commands[] = {{ID_SETTINGS, &TestApp::OnSettings}};
        return fw::DispatchCommand(this, commands, id, ui) || fw::CWinApp::OnCmdMsg(id, ui);
    }
    void OnSettings() { trace.push_back("app Settings"); }
    void OnEndSession() override { trace.push_back("app EndSession"); }
};

class FrameworkTest : public testing::Test {
protected:
    void SetUp() override {
        trace.clear();
        resources_.Init();
        zevrin::PublishResources(&resources_);
        auto frame = programFrame_ ? [] { return static_cast<fw::CFrameWnd*>(new ProgramFrame); }
                                   : [] { return static_cast<fw::CFrameWnd*>(new TestFrame); };
        app_.AddDocTemplate(std::make_unique<fw::CSingleDocTemplate>(
            IDR_MAINFRAME, [] { return std::make_unique<TestDoc>(); }, frame, [] { return new TestView; }));
        ASSERT_NE(app_.DocTemplate()->OpenDocumentFile(L""), nullptr);
        frame_ = app_.MainWnd();
        ASSERT_NE(frame_, nullptr);
    }
    void TearDown() override {
        if (app_.MainWnd()) app_.MainWnd()->DestroyWindow();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        zevrin::PublishResources(nullptr);
    }

    void Command(UINT id) { frame_->SendMessage(WM_COMMAND, id, 0); }

    bool programFrame_ = false;
    zevrin::CAppResources resources_;
    TestApp app_;
    fw::CFrameWnd* frame_ = nullptr;
};

TEST_F(FrameworkTest, FrameComesFromItsResourcesAndTheViewGetsItsFirstUpdate) {
    EXPECT_EQ(frame_->Text(), L"Zevrin");
    EXPECT_NE(frame_->Menu(), nullptr);
    EXPECT_NE(frame_->Accelerators(), nullptr);
    EXPECT_EQ(trace, (std::vector<std::string>{"OnInitialUpdate"}));
    ASSERT_NE(frame_->ActiveView(), nullptr);
    EXPECT_EQ(frame_->ActiveView()->Id(), static_cast<UINT>(IDW_PANE_FIRST));
    EXPECT_EQ(app_.DocTemplate()->DocString(4), L".play");
    EXPECT_EQ(app_.DocTemplate()->DocString(5), L"Tresk.Zevrin.play");
}

TEST_F(FrameworkTest, CommandsGoToTheActiveViewThenTheFrameThenTheApplication) {
    static_cast<TestFrame*>(frame_)->stopEnabled = true;
    Command(ID_PLAY);
    Command(ID_STOP);
    Command(ID_ZOOM_100);
    Command(ID_SETTINGS);
    Command(ID_GRID_VIEW);  // nobody's
    EXPECT_EQ(trace, (std::vector<std::string>{"OnInitialUpdate", "view Play", "frame Stop", "frame Zoom 2",
                                               "app Settings"}));
    frame_->SetActiveView(nullptr);
    Command(ID_PLAY);
    EXPECT_EQ(trace.back(), "frame Play");
}

// A greyed command stays undone whether it comes as a menu's or an accelerator's command, is
// posted by another window, clicked on a control, or sent to a view directly; enabled again,
// it runs on every road.
TEST_F(FrameworkTest, ACommandItsUpdateHandlerDisablesNeverRuns) {
    auto* frame = static_cast<TestFrame*>(frame_);
    auto* view = static_cast<TestView*>(frame_->ActiveView());
    view->playEnabled = false;
    HWND button = CreateWindowW(L"BUTTON", L"", WS_CHILD, 0, 0, 10, 10, frame_->Hwnd(), nullptr, nullptr, nullptr);
    auto sendAll = [&](UINT id) {
        frame_->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);  // menu
        frame_->SendMessage(WM_COMMAND, MAKEWPARAM(id, 1), 0);  // accelerator
        frame_->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        frame_->PostMessage(WM_COMMAND, id);
        view->PostMessage(WM_COMMAND, id);  // a view's own key sends to itself
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    };
    trace.clear();
    sendAll(ID_PLAY);
    sendAll(ID_STOP);
    EXPECT_TRUE(trace.empty()) << trace.front();

    view->playEnabled = true;
    frame->stopEnabled = true;
    sendAll(ID_PLAY);
    sendAll(ID_STOP);
    EXPECT_EQ(std::count(trace.begin(), trace.end(), "view Play"), 5);
    EXPECT_EQ(std::count(trace.begin(), trace.end(), "frame Stop"), 4);  // the view does not know Stop
    DestroyWindow(button);
}

// When the session ends the process is ended right after: the frame closes as on Exit and the
// application writes what it keeps. A session end that was called off changes nothing.
TEST_F(FrameworkTest, TheEndOfTheSessionClosesTheFrameAndLetsTheApplicationSave) {
    HWND hwnd = frame_->Hwnd();
    EXPECT_EQ(frame_->SendMessage(WM_QUERYENDSESSION, 0, 0), TRUE);
    frame_->SendMessage(WM_ENDSESSION, FALSE, 0);
    EXPECT_TRUE(IsWindow(hwnd));
    trace.clear();
    frame_->SendMessage(WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(app_.MainWnd(), nullptr);
    EXPECT_EQ(trace, (std::vector<std::string>{"PreCloseFrame", "app EndSession"}));
}

class TestBar : public fw::CControlBar {
public:
    bool Create(fw::CFrameWnd& frame, Side side, int height, UINT id) {
        return CreateBar(frame, side, height, id, RegisterClass(L"ZevrinTestBar"));
    }
    void OnUpdateCmdUI(fw::CFrameWnd&) override { ++updates; }
    int updates = 0;
};

TEST_F(FrameworkTest, BarsDockAtTheEdgesAndThePaneTakesTheRest) {
    TestBar top, bottom;
    ASSERT_TRUE(top.Create(*frame_, fw::CControlBar::Side::Top, 18, IDW_MENUBAR));
    ASSERT_TRUE(bottom.Create(*frame_, fw::CControlBar::Side::Bottom, 30, IDW_CONTROLBAR));
    SetWindowPos(frame_->Hwnd(), nullptr, 0, 0, 640, 480, SWP_NOZORDER | SWP_NOMOVE);
    frame_->RecalcLayout();
    RECT client = frame_->ClientRect();
    auto placed = [&](HWND child) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, frame_->Hwnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    RECT t = placed(top.Hwnd()), b = placed(bottom.Hwnd()), pane = placed(frame_->ActiveView()->Hwnd());
    EXPECT_EQ(t.top, 0);
    EXPECT_EQ(t.bottom, 18);
    EXPECT_EQ(b.top, client.bottom - 30);
    EXPECT_EQ(b.bottom, client.bottom);
    EXPECT_EQ(pane.top, 18);
    EXPECT_EQ(pane.bottom, client.bottom - 30);
    EXPECT_EQ(pane.right, client.right);

    frame_->ShowControlBar(&top, false);  // a hidden bar gives its room to the pane
    EXPECT_EQ(placed(frame_->ActiveView()->Hwnd()).top, 0);

    EXPECT_FALSE(app_.OnIdle(0));
    EXPECT_EQ(bottom.updates, 1);
    EXPECT_EQ(top.updates, 0);  // hidden bars are not updated
    frame_->RemoveControlBar(&top);
    frame_->RemoveControlBar(&bottom);
}

// Menu updates and accelerators on the frame as the program builds it, with its menu on the bar.
class ProgramFrameTest : public FrameworkTest {
protected:
    void SetUp() override {
        programFrame_ = true;
        FrameworkTest::SetUp();
    }
    HMENU BarMenu() const { return static_cast<ProgramFrame*>(frame_)->bar.Menu(); }
    // A key as the message loop hands it to the application first; true when it was taken.
    bool Key(WORD vk) {
        MSG msg{frame_->Hwnd(), WM_KEYDOWN, vk, 0x00010001};
        return app_.PreTranslateMessage(msg);
    }
};

// The Play menu opened from the bar, read while it shows.
TEST_F(ProgramFrameTest, MenuUpdatesEnableCheckRenameAndDisableUnknownCommands) {
    ASSERT_EQ(frame_->Menu(), nullptr);
    HMENU play = GetSubMenu(BarMenu(), 2);
    ASSERT_NE(play, nullptr);
    std::wstring text;
    UINT playState = 0, stopState = 0, previousState = 0, seekState = MF_GRAYED;
    bool seen = false;
    ModalDriver driver([&] {
        HWND popup = FindWindowW(L"#32768", nullptr);
        if (!popup) return false;
        wchar_t buffer[64] = {};
        GetMenuStringW(play, ID_PLAY, buffer, 64, MF_BYCOMMAND);
        text = buffer;
        playState = GetMenuState(play, ID_PLAY, MF_BYCOMMAND);
        stopState = GetMenuState(play, ID_STOP, MF_BYCOMMAND);
        previousState = GetMenuState(play, ID_PREVIOUS, MF_BYCOMMAND);
        seekState = GetMenuState(play, 2, MF_BYPOSITION);
        seen = true;
        PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        return true;
    });
    static_cast<ProgramFrame*>(frame_)->bar.SendMessage(zevrin::WM_MENUBAR_OPEN, 2, 1);
    ASSERT_TRUE(seen) << "the Play menu never opened";
    EXPECT_EQ(text, L"Pause\tCtrl+P");
    EXPECT_TRUE(playState & MF_CHECKED);
    EXPECT_TRUE(stopState & MF_GRAYED);
    EXPECT_TRUE(previousState & MF_GRAYED);  // nobody handles it
    // Sub-menus are left for their own popup message.
    EXPECT_FALSE(seekState & MF_GRAYED);
}

// Without a window menu nothing greys an accelerator's command before the frame sees it: the
// update handler alone keeps it from running.
TEST_F(ProgramFrameTest, AGreyedAcceleratorRunsNothingAndAnEnabledOneRunsOnce) {
    auto* view = static_cast<TestView*>(frame_->ActiveView());
    view->playEnabled = false;
    trace.clear();
    EXPECT_TRUE(Key(VK_SPACE));  // the key is the accelerator's, whether or not it runs
    EXPECT_TRUE(trace.empty()) << trace.front();
    view->playEnabled = true;
    EXPECT_TRUE(Key(VK_SPACE));
    EXPECT_EQ(trace, (std::vector<std::string>{"view Play"}));
    EXPECT_FALSE(Key('Q'));  // no accelerator: left for the window
}

TEST_F(ProgramFrameTest, EscapeIsTheExitAcceleratorAndClosingStopsTheDocumentFirst) {
    HWND hwnd = frame_->Hwnd();
    EXPECT_TRUE(Key(VK_ESCAPE));
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(app_.MainWnd(), nullptr);
    EXPECT_EQ(trace.back(), "PreCloseFrame");
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

class CountingThread : public fw::CWorkerThread {
public:
    std::vector<std::string> steps;
    bool failStart = false;

protected:
    bool InitInstance() override {
        steps.push_back("init");
        return !failStart;
    }
    int Run() override {
        steps.push_back("run");
        return 7;
    }
    int ExitInstance(int code) override {
        steps.push_back("exit");
        return code + 1;
    }
};

TEST(WorkerThread, RunsBetweenItsStartAndExitRoutinesAndKeepsTheExitCode) {
    CountingThread t;
    ASSERT_TRUE(t.CreateSuspended());
    t.SetPriority(THREAD_PRIORITY_BELOW_NORMAL);
    EXPECT_TRUE(t.steps.empty());  // suspended: nothing has run
    t.Resume();
    ASSERT_TRUE(t.Join(5000));
    EXPECT_EQ(t.steps, (std::vector<std::string>{"init", "run", "exit"}));
    EXPECT_EQ(t.ExitCode(), 8);
    DWORD code = 0;
    GetExitCodeThread(t.Handle(), &code);
    EXPECT_EQ(code, 8u);
}

TEST(WorkerThread, AFailedStartSkipsTheWorkAndANeverStartedThreadCanBeDeleted) {
    CountingThread failing;
    failing.failStart = true;
    ASSERT_TRUE(failing.Start());
    ASSERT_TRUE(failing.Join(5000));
    EXPECT_EQ(failing.steps, (std::vector<std::string>{"init", "exit"}));
    EXPECT_EQ(failing.ExitCode(), 0);

    auto suspended = std::make_unique<CountingThread>();
    ASSERT_TRUE(suspended->CreateSuspended());
    suspended.reset();  // must not wait for a thread that never ran
}

// Each thread finds only its own windows; a worker that made windows, destroyed one and left
// the other to its object's destructor, ends cleanly and is joined.
TEST(WorkerThread, AThreadThatMadeWindowsEndsCleanly) {
    const wchar_t* windowClass = fw::CWnd::RegisterClass(L"ZevrinTestWorkerWindow");
    HWND seenByWorker = nullptr;
    bool foundOnItsThread = false, madeTwo = false;
    std::thread worker([&] {
        fw::CWnd first;
        if (!first.CreateEx(0, windowClass, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr)) return;
        seenByWorker = first.Hwnd();
        foundOnItsThread = fw::CWnd::FromHandle(first.Hwnd()) == &first;
        first.DestroyWindow();
        fw::CWnd second;  // destroyed with its object as the thread ends
        madeTwo = second.CreateEx(0, windowClass, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
    });
    worker.join();
    EXPECT_NE(seenByWorker, nullptr);
    EXPECT_TRUE(foundOnItsThread);
    EXPECT_TRUE(madeTwo);
    EXPECT_EQ(fw::CWnd::FromHandle(seenByWorker), nullptr);
}

TEST(Text, FormattingTrimmingAndFields) {
    EXPECT_EQ(fw::Format(L"%s (%d)", L"clip", 3), L"clip (3)");
    EXPECT_EQ(fw::Format(L"%s", std::wstring(3000, L'x').c_str()).size(), 3000u);
    EXPECT_EQ(fw::Trim(L" \t a b \r\n"), L"a b");
    EXPECT_EQ(fw::Trim(L"   "), L"");
    EXPECT_EQ(fw::StringField(L"Zevrin\n\nPlaylist", 0), L"Zevrin");
    EXPECT_EQ(fw::StringField(L"Zevrin\n\nPlaylist", 1), L"");
    EXPECT_EQ(fw::StringField(L"Zevrin\n\nPlaylist", 2), L"Playlist");
    EXPECT_EQ(fw::StringField(L"Zevrin\n\nPlaylist", 3), L"");
    EXPECT_EQ(fw::FromCodePage(fw::ToCodePage(L"Vidéo 日本", CP_UTF8), CP_UTF8), L"Vidéo 日本");
    EXPECT_TRUE(fw::EqualsNoCase(L"C:\\Clip.3GP", L"c:\\clip.3gp"));
}

} // namespace
