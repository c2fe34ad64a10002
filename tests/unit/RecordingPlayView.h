#pragma once
// The display view as the playlist pane sees it, for the pane's tests: it plays nothing and
// records what it is asked to play or start early, with how many items the pane held at that
// moment (when it is given a way to count them).
#include "ui/playlist/PlayViewLink.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace zevrin::test {

class RecordingPlayView : public IPlayViewLink {
public:
    RecordingPlayView() = default;
    explicit RecordingPlayView(std::function<int()> count) : count_(std::move(count)) {}

    int PlayItem(int index, VideoPlace where) override {
        plays.push_back({index, where, Count()});
        return 1;
    }
    void PlayAhead(const std::wstring& path) override { aheads.push_back({path, Count()}); }
    void EndPlayAhead() override { ++ends; }
    void StopPlayback() override {}
    int CurrentIndex() const override { return -1; }
    PlayerState GetPlayerState() const override { return PlayerState::Idle; }
    void TogglePause() override {}
    void LayOutHostedWindow() override {}
    HWND PictureWindow() const override { return nullptr; }
    void ShowProperties(int) override {}

    // The indices asked to play, in order.
    std::vector<int> PlayedIndices() const {
        std::vector<int> indices;
        for (const Play& play : plays) indices.push_back(play.index);
        return indices;
    }

    struct Play {
        int index;
        VideoPlace where;
        int itemCount;  // -1 when nothing counts the items
    };
    struct Ahead {
        std::wstring path;
        int itemCount;
    };
    std::vector<Play> plays;
    std::vector<Ahead> aheads;
    int ends = 0;  // how often the early start was ended

private:
    int Count() const { return count_ ? count_() : -1; }

    std::function<int()> count_;
};

} // namespace zevrin::test
