// Type-ahead over titles with the key times given: which title each typed character picks.
#include "ui/playlist/TypeAhead.h"

#include <gtest/gtest.h>

#include <vector>

using namespace zevrin;

namespace {

class TypeAheadTest : public ::testing::Test {
protected:
    int Type(wchar_t ch, DWORD at) {
        return typeAhead_.Type(ch, at, static_cast<int>(titles_.size()), [this](int i) -> const std::wstring& { return titles_[i]; });
    }
    std::vector<std::wstring> titles_{L"Alpha", L"Bravo", L"Able", L"bOx", L"b"};
    CTypeAhead typeAhead_;
};

TEST_F(TypeAheadTest, QuickKeysSpellATitleAndAPauseStartsOver) {
    EXPECT_EQ(Type(L'b', 10000), 1);
    EXPECT_EQ(Type(L'o', 10000 + 500), 3);  // half a second is still quick: the second character
    EXPECT_EQ(Type(L'x', 10000 + 900), 3);
    EXPECT_EQ(Type(L'a', 10000 + 1401), 0);  // after a pause the first character again
    EXPECT_EQ(Type(L'B', 20000), 1) << "case aside";
}

TEST_F(TypeAheadTest, AQuickKeyThatContinuesNothingIsTriedAsAFirstCharacter) {
    EXPECT_EQ(Type(L'a', 5000), 0);
    EXPECT_EQ(Type(L'b', 5100), 2);  // "Able"
    EXPECT_EQ(Type(L'b', 5200), 1);  // no title has "b" third: "Bravo" by its first character
    EXPECT_EQ(Type(L'r', 5300), 1);  // and the next key continues from there
}

TEST_F(TypeAheadTest, NothingMatchesWithoutTitlesOrForAnUnknownCharacter) {
    EXPECT_EQ(Type(L'z', 1000), -1);
    EXPECT_EQ(Type(L'z', 1100), -1);
    titles_.clear();
    EXPECT_EQ(Type(L'a', 3000), -1);
}

// The tick count wraps after 49.7 days; a key just after the wrap is still a quick one.
TEST_F(TypeAheadTest, TheTickCountWrappingKeepsQuickKeysQuick) {
    EXPECT_EQ(Type(L'b', 0xFFFFFF00u), 1);
    EXPECT_EQ(Type(L'o', 0x00000010u), 3);
}

} // namespace
