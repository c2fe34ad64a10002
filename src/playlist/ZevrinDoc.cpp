#include "playlist/ZevrinDoc.h"

#include "playlist/StartupPlaylist.h"
#include "playback/PlaybackStopper.h"
#include "framework/View.h"
#include "framework/WinApp.h"
#include "framework/FrameWnd.h"

namespace zevrin {

// The playlist's loader stops first, then its two extractors; the items stay in place so
// that the playlist can still be saved. Then the display view stops playback without
// advancing, so that the end of the run starts nothing new while the frame closes.
void CZevrinDoc::PreCloseFrame(fw::CFrameWnd* frame) {
    fw::CWinApp* app = fw::CWinApp::Get();
    if (app && frame == app->MainWnd()) {
        for (fw::CView* view : Views()) {
            if (auto* playlist = dynamic_cast<IStartupPlaylist*>(view)) {
                playlist->StopLoader();
                playlist->StopExtractors();
            }
        }
        for (fw::CView* view : Views())
            if (auto* player = dynamic_cast<IPlaybackStopper*>(view)) player->StopPlaybackWithoutAdvancing();
    }
    fw::CDocument::PreCloseFrame(frame);
}

} // namespace zevrin
