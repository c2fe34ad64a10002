// "Shutdown this computer" saves what the forced power-off would otherwise lose, before asking.
// The request itself is replaced by a recorder here; tests/playback carries out a real one in
// a throwaway Wine prefix.
#include "system/SaveBeforeShutdown.h"

#include "services/AppSettings.h"
#include "RegistryFixture.h"

#include <string>
#include <vector>

using namespace zevrin;

namespace {

std::vector<std::string>* g_steps = nullptr;
std::wstring g_settingsKey;
DWORD g_volumeWhenAsked = 0;
UINT g_flags = 0;

int RecordShutdown(UINT flags) {
    g_flags = flags;
    g_steps->push_back("shutdown");
    g_volumeWhenAsked = fw::RegKey::Open(HKEY_CURRENT_USER, g_settingsKey).ReadDword(L"Volume").value_or(0);
    return 1;
}

class SaveBeforeShutdown : public RegistryTest {
protected:
    void SetUp() override {
        RegistryTest::SetUp();
        g_steps = &steps;
        g_settingsKey = Root() + L"\\Settings";
        g_volumeWhenAsked = 0;
        settings = std::make_unique<CAppSettings>(Root());
        settings->Load();
        preparation.writeBackViewState = [this] {
            steps.push_back("view");
            settings->volume = 37;
        };
        preparation.saveDefaultPlaylist = [this] {
            steps.push_back("playlist");
            return playlistSaves;
        };
    }
    void TearDown() override {
        settings.reset();
        g_steps = nullptr;
        RegistryTest::TearDown();
    }
    std::vector<std::string> steps;
    std::unique_ptr<CAppSettings> settings;
    ShutdownPreparation preparation;
    bool playlistSaves = true;
};

} // namespace

TEST_F(SaveBeforeShutdown, ViewStatePlaylistAndSettingsAreSavedBeforeTheRequest) {
    EXPECT_EQ(SaveAndShutDown(*settings, preparation, kShutdownFlags, RecordShutdown), 1);
    EXPECT_EQ(steps, (std::vector<std::string>{"view", "playlist", "shutdown"}));
    EXPECT_EQ(g_volumeWhenAsked, 37u);  // already in the registry when the power-off was asked for
    EXPECT_EQ(g_flags, 12u);
}

TEST_F(SaveBeforeShutdown, APlaylistThatCannotBeSavedKeepsTheComputerRunning) {
    playlistSaves = false;
    EXPECT_EQ(SaveAndShutDown(*settings, preparation, kShutdownFlags, RecordShutdown), 0);
    EXPECT_EQ(steps, (std::vector<std::string>{"view", "playlist"}));
    EXPECT_EQ(fw::RegKey::Open(HKEY_CURRENT_USER, g_settingsKey).ReadDword(L"Volume").value_or(0), 37u);
}

TEST_F(SaveBeforeShutdown, ARefusedRequestIsReportedAfterSaving) {
    auto refuse = [](UINT) { return 0; };
    EXPECT_EQ(SaveAndShutDown(*settings, {}, kShutdownFlags, refuse), 0);
    EXPECT_EQ(fw::RegKey::Open(HKEY_CURRENT_USER, g_settingsKey).ReadDword(L"Volume").value_or(0), 100u);
}
