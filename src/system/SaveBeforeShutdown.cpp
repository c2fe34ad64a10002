#include "system/SaveBeforeShutdown.h"

#include "services/AppSettings.h"

namespace zevrin {

int SaveAndShutDown(CAppSettings& settings, const ShutdownPreparation& preparation, UINT flags,
                    ShutdownRequest request) {
    if (preparation.writeBackViewState) preparation.writeBackViewState();
    const bool playlistSaved = !preparation.saveDefaultPlaylist || preparation.saveDefaultPlaylist();
    // The settings are written either way; writing them again at the normal exit is harmless.
    settings.Save();
    if (!playlistSaved) return 0;
    return request ? request(flags) : 0;
}

} // namespace zevrin
