// What the settings pages accept in their number fields, and the file type "Add..." makes.
#include "ui/dialogs/SettingsFields.h"

#include <gtest/gtest.h>

using namespace zevrin;

TEST(SettingsFields, NumberFieldsAcceptTheirRangeAndNameWhatIsWrong) {
    const std::wstring between40 = L"Please enter an integer between 40 and 400.";
    EXPECT_EQ(CheckUnsignedField(L"39", 40, 400).message, between40);
    EXPECT_EQ(CheckUnsignedField(L"401", 40, 400).message, between40);
    EXPECT_TRUE(CheckUnsignedField(L"40", 40, 400).Ok());
    EXPECT_EQ(CheckUnsignedField(L" 400 ", 40, 400).value, 400);
    for (const wchar_t* bad : {L"", L"abc", L"-50", L"12px", L"99999999999999999999"})
        EXPECT_EQ(CheckUnsignedField(bad, 40, 400).message, L"Please enter a positive integer.") << bad;

    EXPECT_EQ(CheckIntegerField(L"31", 0, 30).message, L"Please enter an integer between 0 and 30.");
    EXPECT_EQ(CheckIntegerField(L"-1", 0, 30).message, L"Please enter an integer between 0 and 30.");
    EXPECT_EQ(CheckIntegerField(L"ten", 0, 30).message, L"Please enter an integer.");
    EXPECT_EQ(CheckIntegerField(L"0", 0, 30).value, 0);
    EXPECT_EQ(CheckIntegerField(L"30", 0, 30).value, 30);
}

TEST(SettingsFields, AFileTypeNeedsNameExtensionAndIconAndGetsItsDotAndProgId) {
    auto type = NewFileType(L" 3GP File ", L"3gp", 0);
    ASSERT_TRUE(type);
    EXPECT_EQ(type->extension, L".3gp");
    EXPECT_EQ(type->progId, L"Tresk.Zevrin.3gp");
    EXPECT_EQ(type->name, L"3GP File");
    EXPECT_EQ(type->icon, 2);

    auto blank = NewFileType(L"My Video", L".my vid", 3);
    ASSERT_TRUE(blank);
    EXPECT_EQ(blank->extension, L".my vid");
    EXPECT_EQ(blank->progId, L"Tresk.Zevrin.myvid");
    EXPECT_EQ(blank->icon, 5);

    EXPECT_FALSE(NewFileType(L"  ", L"3gp", 0));
    EXPECT_FALSE(NewFileType(L"Name", L" ", 0));
    EXPECT_FALSE(NewFileType(L"Name", L"3gp", -1));
}
