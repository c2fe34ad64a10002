// The folder scan's pattern matcher and filter, the shell identifier-list helpers, and the folder
// dialog's pure parts: the progress bar's width, the layout and how a path is taken apart.
#include "ui/dialogs/AnimatedShellTreeCtrl.h"
#include "ui/dialogs/FileNameFilter.h"
#include "ui/dialogs/FolderDialogLayout.h"
#include "ui/dialogs/Pidl.h"
#include "ui/dialogs/ShellTreeCtrl.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace zevrin {
namespace {

TEST(MatchPattern, StarsQuestionMarksAndCase) {
    EXPECT_TRUE(MatchPattern(L"*", L""));
    EXPECT_TRUE(MatchPattern(L"*", L"anything.at.all"));
    EXPECT_TRUE(MatchPattern(L"*.3gp", L"clip.3gp"));
    EXPECT_TRUE(MatchPattern(L"*.3gp", L"CLIP.3GP"));
    EXPECT_TRUE(MatchPattern(L"*.3GP", L"clip.3gp"));
    EXPECT_TRUE(MatchPattern(L"*.3gp", L".3gp"));
    EXPECT_FALSE(MatchPattern(L"*.3gp", L"clip.3gpx"));
    EXPECT_FALSE(MatchPattern(L"*.3gp", L"clip.3g2"));
    EXPECT_TRUE(MatchPattern(L"*.mp4", L"C:\\v\\A.MP4"));  // a whole path: "*" crosses backslashes
    EXPECT_TRUE(MatchPattern(L"a*b*c", L"aXXbYYc"));
    EXPECT_TRUE(MatchPattern(L"a*b*c", L"abc"));
    EXPECT_FALSE(MatchPattern(L"a*b*c", L"aXXbYY"));
    EXPECT_TRUE(MatchPattern(L"clip?.avi", L"clip1.avi"));
    EXPECT_FALSE(MatchPattern(L"clip?.avi", L"clip.avi"));
    EXPECT_FALSE(MatchPattern(L"clip?.avi", L"clip12.avi"));
    EXPECT_FALSE(MatchPattern(L"", L"x"));
    EXPECT_TRUE(MatchPattern(L"", L""));
    // Many stars on a long name end at once.
    std::wstring longName(2000, L'a');
    EXPECT_FALSE(MatchPattern(L"*a*a*a*a*a*a*a*a*a*a*b", longName));
}

TEST(MatchPattern, SetsRangesAndNegatedSets) {
    EXPECT_TRUE(MatchPattern(L"clip[123].3gp", L"clip2.3gp"));
    EXPECT_FALSE(MatchPattern(L"clip[123].3gp", L"clip4.3gp"));
    EXPECT_TRUE(MatchPattern(L"[a-c]*", L"banana"));
    EXPECT_TRUE(MatchPattern(L"[a-c]*", L"Banana"));  // ranges ignore case too
    EXPECT_FALSE(MatchPattern(L"[a-c]*", L"date"));
    EXPECT_TRUE(MatchPattern(L"[!a-c]*", L"date"));
    EXPECT_FALSE(MatchPattern(L"[!a-c]*", L"apple"));
    EXPECT_TRUE(MatchPattern(L"[a-cx-z0-9]", L"y"));
    EXPECT_TRUE(MatchPattern(L"[a-cx-z0-9]", L"7"));
    EXPECT_FALSE(MatchPattern(L"[a-cx-z0-9]", L"m"));
    EXPECT_TRUE(MatchPattern(L"[!0-9]x", L"ax"));
    EXPECT_FALSE(MatchPattern(L"[!0-9]x", L"5x"));
    EXPECT_FALSE(MatchPattern(L"[!0-9]", L""));  // a set takes one character, also when negated
    EXPECT_TRUE(MatchPattern(L"[z-a]", L"m"));   // a reversed range still spans
    EXPECT_TRUE(MatchPattern(L"a[-]b", L"a-b")); // "-" alone is itself
    EXPECT_TRUE(MatchPattern(L"[]]", L"]"));     // "]" first in a set is a member
    EXPECT_TRUE(MatchPattern(L"[ab", L"[ab"));   // never closed: plain characters
    EXPECT_FALSE(MatchPattern(L"[ab", L"a"));
}

TEST(MatchPattern, BacktickBangAndAnyWithoutDot) {
    // The backtick takes the next character as it is.
    EXPECT_TRUE(MatchPattern(L"`*.txt", L"*.txt"));
    EXPECT_FALSE(MatchPattern(L"`*.txt", L"a.txt"));
    EXPECT_TRUE(MatchPattern(L"what`?", L"what?"));
    EXPECT_FALSE(MatchPattern(L"what`?", L"whats"));
    EXPECT_TRUE(MatchPattern(L"[`]]", L"]"));
    EXPECT_TRUE(MatchPattern(L"[`!a]", L"!"));
    EXPECT_TRUE(MatchPattern(L"a`", L"a`"));  // at the end it is itself
    EXPECT_TRUE(MatchPattern(L"`!*", L"!x"));

    // "!" matches where the rest does not.
    EXPECT_TRUE(MatchPattern(L"!*.tmp", L"movie.3gp"));
    EXPECT_TRUE(MatchPattern(L"!*.tmp", L"tmp"));
    EXPECT_TRUE(MatchPattern(L"!*.tmp", L""));
    EXPECT_FALSE(MatchPattern(L"!*.tmp", L"scratch.tmp"));
    EXPECT_FALSE(MatchPattern(L"!*.tmp", L"SCRATCH.TMP"));
    EXPECT_TRUE(MatchPattern(L"a!b*", L"ac"));
    EXPECT_FALSE(MatchPattern(L"a!b*", L"abc"));
    EXPECT_FALSE(MatchPattern(L"a!b*", L"bc"));  // what comes before the "!" must still match
    EXPECT_TRUE(MatchPattern(L"*!", L"wow!"));   // a "!" that ends the pattern is itself
    EXPECT_FALSE(MatchPattern(L"*!", L"wow"));

    // 0x1A: a run without a ".".
    const std::wstring stem = std::wstring(1, wchar_t(0x1A)) + L".3gp";
    EXPECT_TRUE(MatchPattern(stem, L"clip.3gp"));
    EXPECT_TRUE(MatchPattern(stem, L".3gp"));
    EXPECT_FALSE(MatchPattern(stem, L"clip.old.3gp"));
    const std::wstring noDot(1, wchar_t(0x1A));
    EXPECT_TRUE(MatchPattern(noDot, L"README"));
    EXPECT_TRUE(MatchPattern(noDot, L""));
    EXPECT_FALSE(MatchPattern(noDot, L"read.me"));
    EXPECT_TRUE(MatchPattern(noDot + L".*", L"read.me.txt"));
}

TEST(FileNameFilter, IncludeAndExcludeLists) {
    EXPECT_TRUE(CFileNameFilter().Match(L"anything"));
    EXPECT_TRUE(CFileNameFilter(L"*").Match(L"no-extension"));
    EXPECT_TRUE(CFileNameFilter(L";;").Match(L"x.doc"));  // no non-empty pattern: everything

    CFileNameFilter phone(L"*.3gp;*.3g2");
    EXPECT_TRUE(phone.Match(L"a.3gp"));
    EXPECT_TRUE(phone.Match(L"B.3G2"));
    EXPECT_FALSE(phone.Match(L"c.mp4"));

    EXPECT_TRUE(CFileNameFilter(L"*.3gp;*.mp4").Match(L"C:\\v\\A.MP4"));
    EXPECT_TRUE(CFileNameFilter(L"*.3gp; *.mp4 ").Match(L"a.mp4"));  // spaces after ";" are not part of a pattern

    CFileNameFilter all(L"*.*");
    EXPECT_TRUE(all.Match(L"clip.avi"));
    EXPECT_FALSE(all.Match(L"README"));

    CFileNameFilter notTemp(L"!*.tmp");
    EXPECT_TRUE(notTemp.Match(L"clip.3gp"));
    EXPECT_FALSE(notTemp.Match(L"x.tmp"));

    CFileNameFilter videoButNotSample(L"*.mp4;*.avi", L"sample*;*.part");
    EXPECT_TRUE(videoButNotSample.Match(L"holiday.mp4"));
    EXPECT_FALSE(videoButNotSample.Match(L"sample.mp4"));
    EXPECT_FALSE(videoButNotSample.Match(L"holiday.mp4.part"));
    EXPECT_FALSE(videoButNotSample.Match(L"holiday.mkv"));
    EXPECT_FALSE(CFileNameFilter(L"*", L"*.tmp").Match(L"x.tmp"));

    EXPECT_EQ(SplitPatterns(L" *.a ;;*.b;"), (std::vector<std::wstring>{L"*.a", L"*.b"}));
}

// Identifier lists built by hand: items of 2 + n bytes, a zero size at the end.
std::vector<BYTE> MakeList(const std::vector<std::vector<BYTE>>& items) {
    std::vector<BYTE> bytes;
    for (const auto& item : items) {
        USHORT cb = static_cast<USHORT>(item.size() + 2);
        bytes.push_back(static_cast<BYTE>(cb & 0xFF));
        bytes.push_back(static_cast<BYTE>(cb >> 8));
        bytes.insert(bytes.end(), item.begin(), item.end());
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

TEST(Pidl, SizeNextLastConcatCopyAndNames) {
    auto a = MakeList({{1, 2, 3}, {4}});
    auto b = MakeList({{9, 9}});
    auto empty = MakeList({});
    auto list = [](const std::vector<BYTE>& v) { return reinterpret_cast<LPCITEMIDLIST>(v.data()); };

    EXPECT_EQ(PidlSize(nullptr), 0u);
    EXPECT_EQ(PidlSize(list(empty)), 0u);
    EXPECT_EQ(PidlSize(list(a)), 8u);
    EXPECT_EQ(PidlNext(list(a)), reinterpret_cast<LPCITEMIDLIST>(a.data() + 5));
    EXPECT_EQ(PidlNext(PidlNext(list(a))), nullptr);
    EXPECT_EQ(PidlNext(list(empty)), nullptr);
    EXPECT_EQ(PidlLast(list(a)), reinterpret_cast<LPCITEMIDLIST>(a.data() + 5));
    EXPECT_EQ(PidlLast(list(b)), list(b));

    CPidl joined = PidlConcat(list(a), list(b));
    ASSERT_TRUE(joined);
    EXPECT_EQ(PidlSize(joined.Get()), 12u);
    EXPECT_EQ(std::memcmp(joined.Get(), a.data(), 8), 0);
    EXPECT_EQ(std::memcmp(reinterpret_cast<BYTE*>(joined.Get()) + 8, b.data(), 6), 0);  // b and the terminator
    EXPECT_EQ(PidlSize(PidlConcat(nullptr, list(b)).Get()), 4u);
    EXPECT_EQ(PidlSize(PidlConcat(list(a), nullptr).Get()), 8u);
    EXPECT_FALSE(PidlConcat(nullptr, nullptr));

    CPidl copy = CPidl::Copy(list(a));
    ASSERT_TRUE(copy);
    EXPECT_NE(copy.Get(), list(a));
    EXPECT_EQ(std::memcmp(copy.Get(), a.data(), a.size()), 0);
    CPidl moved = std::move(copy);
    EXPECT_FALSE(copy);
    EXPECT_TRUE(moved);
    EXPECT_FALSE(CPidl::Copy(nullptr));

    // A display-name answer in each of its three forms.
    STRRET wide{STRRET_WSTR};
    const wchar_t text[] = L"Vid\u00e9os";
    wide.pOleStr = static_cast<LPWSTR>(CoTaskMemAlloc(sizeof(text)));
    std::memcpy(wide.pOleStr, text, sizeof(text));
    EXPECT_EQ(StrRetToString(wide, nullptr), text);
    EXPECT_EQ(wide.pOleStr, nullptr);
    STRRET narrow{STRRET_CSTR};
    std::strcpy(narrow.cStr, "Clips");
    EXPECT_EQ(StrRetToString(narrow, nullptr), L"Clips");
    auto named = MakeList({{'x', 'N', 'a', 'm', 'e', 0}});
    STRRET offset{STRRET_OFFSET};
    offset.uOffset = 3;
    EXPECT_EQ(StrRetToString(offset, list(named)), L"Name");

    // The desktop's parse of a real folder ends at that folder.
    wchar_t windows[MAX_PATH] = L"";
    GetWindowsDirectoryW(windows, MAX_PATH);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        CPidl folder = PidlFromPath(windows);
        ASSERT_TRUE(folder);
        wchar_t back[MAX_PATH] = L"";
        ASSERT_TRUE(SHGetPathFromIDListW(folder.Get(), back));
        EXPECT_EQ(_wcsicmp(back, windows), 0) << back;
        EXPECT_FALSE(PidlFromPath(L"C:\\no such folder here\\at all"));
    }
    CoUninitialize();
}

TEST(FolderDialogParts, ProgressPathsAndLayout) {
    // With a total the bar is proportional; without one it grows towards the full width.
    EXPECT_EQ(ProgressBarWidth(1, 0), 0);
    EXPECT_EQ(ProgressBarWidth(1, 1), 50);
    EXPECT_EQ(ProgressBarWidth(4, 1), 12);
    EXPECT_EQ(ProgressBarWidth(0, 0), 0);
    int previous = 0;
    for (int c : {1, 2, 5, 10, 20, 40}) {
        int width = ProgressBarWidth(0, c);
        EXPECT_GE(width, previous) << c;
        previous = width;
    }
    EXPECT_GT(ProgressBarWidth(0, 5), 10);
    EXPECT_GE(ProgressBarWidth(0, 20), 49);   // close to full but never past it...
    EXPECT_EQ(ProgressBarWidth(0, 5000), 50); // ...also where e^(0.4c) no longer fits a double
    EXPECT_EQ(ProgressBarWidth(0, -3), 0);

    EXPECT_EQ(PathComponents(L"C:/Videos\\Phone\\\\"), (std::vector<std::wstring>{L"C:", L"Videos", L"Phone"}));
    EXPECT_TRUE(PathComponents(L"").empty());
    std::vector<std::wstring> parts{L"C:", L"v", L"w"};
    EXPECT_EQ(CumulativePath(parts, 0), L"C:\\");
    EXPECT_EQ(CumulativePath(parts, 1), L"C:\\v");
    EXPECT_EQ(CumulativePath(parts, 2), L"C:\\v\\w");

    FolderDialogSizes sizes;
    FolderDialogRects r = LayOutFolderDialog(SIZE{500, 400}, sizes);
    EXPECT_EQ(r.cancel.right, 490);
    EXPECT_EQ(r.cancel.bottom, 390);
    EXPECT_EQ(r.ok.right, r.cancel.left - 6);
    EXPECT_EQ(r.ok.top, r.cancel.top);
    EXPECT_EQ(r.check.left, 10);
    EXPECT_GE(r.check.top, r.cancel.top);
    EXPECT_LE(r.check.bottom, r.cancel.bottom);
    EXPECT_EQ(r.filter.left, 10);
    EXPECT_EQ(r.filter.right, 490);  // no presets: the box reaches the margin
    EXPECT_LT(r.filter.bottom, r.ok.top);
    EXPECT_LE(r.label.bottom, r.filter.top);
    EXPECT_EQ(r.prompt.top, 10);
    EXPECT_EQ(r.prompt.right, 490);
    EXPECT_EQ(r.tree.left, 10);
    EXPECT_EQ(r.tree.right, 490);
    EXPECT_GT(r.tree.top, r.prompt.bottom);
    EXPECT_LT(r.tree.bottom, r.label.top);
    EXPECT_EQ(r.grip.right, 500);
    EXPECT_EQ(r.grip.bottom, 400);

    sizes.presets = true;
    FolderDialogRects p = LayOutFolderDialog(SIZE{500, 400}, sizes);
    EXPECT_EQ(p.presetButton.right, 490);
    EXPECT_EQ(p.filter.right, p.presetButton.left - 6);
    // Growing the window moves the bottom and right controls and gives the tree the rest.
    FolderDialogRects big = LayOutFolderDialog(SIZE{700, 600}, sizes);
    EXPECT_EQ(big.cancel.left - p.cancel.left, 200);
    EXPECT_EQ(big.cancel.top - p.cancel.top, 200);
    EXPECT_EQ(big.tree.bottom - p.tree.bottom, 200);
    EXPECT_EQ(big.tree.right - p.tree.right, 200);
    EXPECT_EQ(big.tree.top, p.tree.top);
}

} // namespace
} // namespace zevrin
