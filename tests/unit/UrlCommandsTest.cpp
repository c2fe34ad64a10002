// "Open URL" and "Add URLs" of the playlist view through their dialogs, with the real tools
// reading media this test serves over HTTP: what is added, what plays, what is remembered, and
// a URL the tools can't read.
#include "services/AppResources.h"
#include "services/AppSettings.h"
#include "framework/Text.h"
#include "ui/playlist/PlayViewLink.h"
#include "PlaylistViewHost.h"
#include "RecordingPlayView.h"
#include "ui/playlist/PlaylistView.h"
#include "LocalHttpServer.h"
#include "ModalDriver.h"
#include "RegistryFixture.h"
#include "ToolTestSupport.h"
#include "res/resource.h"

#include <gtest/gtest.h>

using namespace zevrin;

namespace {

using test::LocalHttpServer;

class UrlCommands : public RegistryTest {
protected:
    void SetUp() override {
        RegistryTest::SetUp();
        test::PublishRealTools(resources_);
        if (resources_.probeToolPath.empty() || resources_.encodeToolPath.empty())
            GTEST_SKIP() << "the media tools are not installed";
        settings_ = test::PublishTestSettings(Root(), temp_ / L"thumbs");
        host_ = test::OpenPlaylistView(L"ZevrinUrlTestHost", playView_, view_);
        ASSERT_TRUE(host_);
        MoveWindow(view_->Hwnd(), 0, 0, 600, 500, FALSE);
    }
    void TearDown() override {
        test::ClosePlaylistView(host_, settings_);
        RegistryTest::TearDown();
    }
    void WaitForWorkers() {
        DWORD start = GetTickCount();
        MSG msg;
        while ((view_->IsLoaderRunning() || view_->IsExtracting()) && GetTickCount() - start < 120000) {
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            Sleep(5);
        }
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        ASSERT_FALSE(view_->IsLoaderRunning() || view_->IsExtracting());
    }
    // Runs `command` with its dialog given `text` in box `box` and confirmed.
    void RunWithText(UINT command, const wchar_t* title, int box, const std::wstring& text) {
        bool ran = false;
        ModalDriver driver([&] {
            HWND dialog = FindWindowW(L"#32770", title);
            if (!dialog || !IsWindowVisible(dialog)) return false;
            SetDlgItemTextW(dialog, box, text.c_str());
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            return ran = true;
        });
        view_->SendMessage(WM_COMMAND, command);
        ASSERT_TRUE(ran) << "no dialog " << fw::ToCodePage(title);
        WaitForWorkers();
    }
    void AddTitled(const std::wstring& title) {
        auto item = std::make_unique<CPlaylistItem>(L"C:\\media\\" + title + L".3gp");
        item->title = title;
        view_->AddItem(std::move(item));
    }
    static std::wstring Url(const LocalHttpServer& server, const wchar_t* name) {
        return fw::Format(L"http://127.0.0.1:%d/%s", server.Port(), name);
    }

    test::ScratchFolder temp_{L"urls"};
    std::unique_ptr<CAppSettings> settings_;
    CAppResources resources_;
    HWND host_ = nullptr;
    CPlaylistView* view_ = nullptr;
    test::RecordingPlayView playView_;
};

TEST_F(UrlCommands, OpenUrlReplacesThePlaylistPlaysTheUrlAndRemembersIt) {
    LocalHttpServer server(test::ReadFileBytes(test::ClipPath(L"phone.3gp")));
    ASSERT_NE(server.Port(), 0);
    AddTitled(L"earlier");
    settings_->recentUrls.Add(L"http://media.example/old.3gp");

    RunWithText(ID_OPEN_URL, L"Open URL", IDC_URL_BOX, L"  " + Url(server, L"phone.3gp") + L" ");
    ASSERT_EQ(view_->GetItemCount(), 1);
    const CPlaylistItem* item = view_->GetItem(0);
    EXPECT_EQ(item->path, Url(server, L"phone.3gp"));
    EXPECT_TRUE(item->flags & EntryFlag::InfoLoaded);
    EXPECT_GT(item->duration, 0);
    EXPECT_EQ(playView_.PlayedIndices(), std::vector<int>{0});
    EXPECT_EQ(settings_->recentUrls.Entries(),
              (std::vector<std::wstring>{Url(server, L"phone.3gp"), L"http://media.example/old.3gp"}));

    // An empty box changes nothing: the playlist stays.
    RunWithText(ID_OPEN_URL, L"Open URL", IDC_URL_BOX, L"   ");
    EXPECT_EQ(view_->GetItemCount(), 1);
    EXPECT_EQ(settings_->recentUrls.Size(), 2u);
}

TEST_F(UrlCommands, AddUrlsAddsEachLineAndKeepsAUrlTheToolsCantReadWithoutInformation) {
    LocalHttpServer media(test::ReadFileBytes(test::ClipPath(L"phone.3gp")));
    LocalHttpServer notMedia(std::string(5000, 'z'));
    AddTitled(L"kept");
    std::wstring lines = Url(media, L"one.3gp") + L"\r\n\r\n   " + Url(notMedia, L"broken.3gp") + L"  \r\n";
    RunWithText(ID_ADD_URLS, L"Add URLs", IDC_URLS_BOX, lines);
    ASSERT_EQ(view_->GetItemCount(), 3);
    EXPECT_EQ(view_->GetItem(0)->title, L"kept");
    EXPECT_EQ(view_->GetItem(1)->path, Url(media, L"one.3gp"));
    EXPECT_TRUE(view_->GetItem(1)->flags & EntryFlag::InfoLoaded);
    EXPECT_EQ(view_->GetItem(2)->path, Url(notMedia, L"broken.3gp"));
    EXPECT_FALSE(view_->GetItem(2)->flags & EntryFlag::InfoLoaded);
    EXPECT_EQ(view_->GetItem(2)->title, L"broken");
    EXPECT_TRUE(playView_.plays.empty()) << "adding plays nothing";
    EXPECT_EQ(settings_->recentUrls.Size(), 0u) << "only Open URL remembers";
}

} // namespace
