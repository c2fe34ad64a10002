#include "playback/Sequencing.h"
#include "system/Shutdown.h"

#include <gtest/gtest.h>

using namespace zevrin;

namespace {

TEST(Sequencing, NextAndPreviousWrapOnlyWhenAsked) {
    EXPECT_EQ(NextIndex(0, 0, true), -1);
    EXPECT_EQ(PreviousIndex(0, 0, true), -1);
    EXPECT_EQ(NextIndex(1, 3, false), 2);
    EXPECT_EQ(NextIndex(2, 3, false), -1);
    EXPECT_EQ(NextIndex(2, 3, true), 0);
    EXPECT_EQ(PreviousIndex(0, 3, false), -1);
    EXPECT_EQ(PreviousIndex(0, 3, true), 2);
    // A current item that left the playlist (-1): Next starts at the top, Previous at the end.
    EXPECT_EQ(NextIndex(-1, 3, false), 0);
    EXPECT_EQ(PreviousIndex(-1, 3, true), 2);
}

TEST(Sequencing, RepeatCurrentPlaysTheSameItemWhereverItIsNow) {
    auto d = DecideAdvance(RepeatMode::Current, 4, 6, true, true);
    EXPECT_EQ(d.action, AdvanceDecision::Play);
    EXPECT_EQ(d.index, 4);
    // Removed meanwhile: nothing to play, and the view falls back to the playlist.
    EXPECT_EQ(DecideAdvance(RepeatMode::Current, -1, 6, false, false).index, -1);
}

TEST(Sequencing, RepeatAllContinuesWithTheFirstItemAfterTheLast) {
    auto d = DecideAdvance(RepeatMode::All, 5, 6, true, true);
    EXPECT_EQ(d.action, AdvanceDecision::Play);
    EXPECT_EQ(d.index, 0);
    EXPECT_EQ(DecideAdvance(RepeatMode::All, 2, 6, false, false).index, 3);
}

TEST(Sequencing, WithoutRepeatTheEndOfThePlaylistCarriesOutTheAfterPlaybackChoice) {
    EXPECT_EQ(DecideAdvance(RepeatMode::Off, 2, 6, true, true).action, AdvanceDecision::SendNext);
    EXPECT_EQ(DecideAdvance(RepeatMode::Off, 5, 6, true, true).action, AdvanceDecision::ShutDown);
    EXPECT_EQ(DecideAdvance(RepeatMode::Off, 5, 6, true, false).action, AdvanceDecision::CloseWindow);
    EXPECT_EQ(DecideAdvance(RepeatMode::Off, 5, 6, false, false).action, AdvanceDecision::ReturnToPlaylist);
    EXPECT_EQ(DecideAdvance(RepeatMode::Off, 0, 0, false, false).action, AdvanceDecision::ReturnToPlaylist);
}

TEST(ScreenSaver, DroppedOnlyWhilePlayingWithTheSettingOn) {
    MSG start{nullptr, WM_SYSCOMMAND, SC_SCREENSAVE, 0};
    MSG other{nullptr, WM_SYSCOMMAND, SC_MINIMIZE, 0};
    EXPECT_TRUE(SuppressesScreenSaver(start, true, PlayerState::Playing));
    EXPECT_FALSE(SuppressesScreenSaver(start, true, PlayerState::Paused));   // paused
    EXPECT_FALSE(SuppressesScreenSaver(start, true, PlayerState::Starting));   // starting
    EXPECT_FALSE(SuppressesScreenSaver(start, false, PlayerState::Playing));
    EXPECT_FALSE(SuppressesScreenSaver(other, true, PlayerState::Playing));
    start.wParam = SC_SCREENSAVE | 2;  // the low four bits are the system's own
    EXPECT_TRUE(SuppressesScreenSaver(start, true, PlayerState::Playing));
}

} // namespace
