// File associations against the real registry of the test prefix: the class keys a type
// writes, the previous owner remembered and given back, and the keys that must survive.
#include "services/AppInfo.h"
#include "system/ClassesKeys.h"
#include "system/FileAssociations.h"
#include "AssociationFixture.h"

#include <gtest/gtest.h>
#include <shellapi.h>

using namespace zevrin;

namespace {

constexpr wchar_t kProgram[] = L"C:\\Program Files\\Zevrin\\Zevrin.exe";

class FileAssociations : public AssociationTest {
protected:
    std::wstring Remembered(const std::wstring& extension) {
        return fw::RegKey::Open(HKEY_CURRENT_USER, Root() + L"\\FileTypes\\" + extension)
            .ReadString(extension.c_str())
            .value_or(L"<none>");
    }
    void Apply(const CFileTypeInfo& type, bool checked) { ApplyFileTypeChoices(Settings(), {{type, checked}}, kProgram); }
};

TEST_F(FileAssociations, ClassKeysLiveInTheUsersClassesExceptUnderWineAndDefaultValuesAreReadWhole) {
    // Wine's shell reads HKEY_CLASSES_ROOT only, so the program writes there under Wine.
    bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    EXPECT_EQ(PerUserClasses(), !wine);
    ClassesKeyPath perUser = ClassesKey(L".3gp", true);
    EXPECT_EQ(perUser.root, HKEY_CURRENT_USER);
    EXPECT_EQ(perUser.path, L"Software\\Classes\\.3gp");
    ClassesKeyPath old = ClassesKey(L"Tresk.Zevrin.3gp\\DefaultIcon", false);
    EXPECT_EQ(old.root, HKEY_CLASSES_ROOT);
    EXPECT_EQ(old.path, L"Tresk.Zevrin.3gp\\DefaultIcon");

    std::wstring text = L"untouched";
    EXPECT_FALSE(ReadDefaultValue(L".zvta", text));
    EXPECT_EQ(text, L"untouched");

    // 600 characters: more than a 1024-byte buffer holds.
    std::wstring longValue(600, L'x');
    ASSERT_TRUE(WriteDefaultValue(L".zvta", longValue));
    ASSERT_TRUE(ReadDefaultValue(L".zvta", text));
    EXPECT_EQ(text, longValue);

    // A key without a default value reads as an empty one.
    CreateClassKey(L".zvtb");
    EXPECT_TRUE(ReadDefaultValue(L".zvtb", text));
    EXPECT_EQ(text, L"");
}

TEST_F(FileAssociations, RegisterWritesDescriptionIconAndQuotedCommandAndUnregisterRemovesOnlyTheProgId) {
    CFileTypeInfo type(L"ZV Video", L".zvta", 2);
    EXPECT_EQ(type.progId, L"Tresk.Zevrin.zvta");
    EXPECT_FALSE(type.IsRegistered());
    ASSERT_TRUE(type.Register(kProgram));
    EXPECT_TRUE(type.IsRegistered());
    EXPECT_EQ(DefaultOf(L"Tresk.Zevrin.zvta"), L"ZV Video");
    EXPECT_EQ(DefaultOf(L"Tresk.Zevrin.zvta\\shell\\open\\command"),
              L"\"C:\\Program Files\\Zevrin\\Zevrin.exe\" \"%1\"");
    // No such program file: its icons can't be had.
    EXPECT_EQ(DefaultOf(L"Tresk.Zevrin.zvta\\DefaultIcon"), L"C:\\Program Files\\Zevrin\\Zevrin.exe,0");

    // This test program carries the program's icons: the application, the ".play" document
    // and the four kinds, in the order the icon indices name them.
    std::wstring self = ModulePath();
    EXPECT_EQ(ExtractIconExW(self.c_str(), -1, nullptr, nullptr, 0), 6u);
    ASSERT_TRUE(type.Register(self));
    EXPECT_EQ(DefaultOf(L"Tresk.Zevrin.zvta\\DefaultIcon"), self + L",2");
    CFileTypeInfo noIcon(L"No Icon", L".zvtb", 0);
    ASSERT_TRUE(noIcon.Register(self));
    EXPECT_EQ(DefaultOf(L"Tresk.Zevrin.zvtb\\DefaultIcon"), L"<missing>");

    // Another name in the ProgID's key: not ours.
    CFileTypeInfo renamed(L"Other Name", L".zvta", 2);
    EXPECT_FALSE(renamed.IsRegistered());

    EXPECT_TRUE(type.Unregister(self));
    EXPECT_FALSE(ClassKey(L"Tresk.Zevrin.zvta"));
    EXPECT_TRUE(ClassKey(L"Tresk.Zevrin.zvtb\\shell\\open\\command"));

    // A type without extension or ProgID touches nothing.
    CFileTypeInfo empty(L"Nothing", L"", 2);
    empty.progId.clear();
    EXPECT_FALSE(empty.Register(self));
    std::wstring previous = L"x";
    EXPECT_FALSE(empty.Associate(previous));
    EXPECT_FALSE(empty.IsAssociated());
    EXPECT_FALSE(empty.Unregister(self));
}

TEST_F(FileAssociations, AForeignOwnerIsRememberedAndGivenBackWhenUnchecked) {
    SetDefault(L".zvta", L"Foreign.Player");
    CFileTypeInfo type(L"ZV Video", L".zvta", 2);
    Apply(type, true);
    EXPECT_EQ(DefaultOf(L".zvta"), L"Tresk.Zevrin.zvta");
    EXPECT_TRUE(type.IsAssociated());
    EXPECT_TRUE(type.IsRegistered());
    EXPECT_EQ(Remembered(L".zvta"), L"Foreign.Player");
    ASSERT_EQ(Settings().fileTypes.size(), 1u);
    EXPECT_EQ(Settings().fileTypes[0]->extension, L".zvta");

    // Associating again keeps the foreign owner, never our own ProgID.
    Apply(type, true);
    EXPECT_EQ(Remembered(L".zvta"), L"Foreign.Player");

    Apply(type, false);
    EXPECT_EQ(DefaultOf(L".zvta"), L"Foreign.Player");
    EXPECT_FALSE(ClassKey(L"Tresk.Zevrin.zvta"));
    EXPECT_FALSE(type.IsAssociated());
}

TEST_F(FileAssociations, AnExtensionAnotherProgramTookMeanwhileIsLeftAlone) {
    CFileTypeInfo type(L"ZV Video", L".zvta", 2);
    Apply(type, true);
    SetDefault(L".zvta", L"Newer.Player");
    Apply(type, false);
    EXPECT_EQ(DefaultOf(L".zvta"), L"Newer.Player");
    EXPECT_FALSE(ClassKey(L"Tresk.Zevrin.zvta"));  // our ProgID goes all the same
}

TEST_F(FileAssociations, WithoutAPreviousOwnerTheExtensionKeyGoesButTheClassesKeyStays) {
    SetDefault(L".zvtb", L"Sibling.Type");
    CFileTypeInfo type(L"ZV Video", L".zvta", 2);
    Apply(type, true);
    Apply(type, true);  // twice: our own ProgID is never remembered
    EXPECT_EQ(Remembered(L".zvta"), L"<none>");
    EXPECT_EQ(DefaultOf(L".zvta"), L"Tresk.Zevrin.zvta");

    Apply(type, false);
    EXPECT_EQ(DefaultOf(L".zvta"), L"<missing>");
    // The chain stops at the classes root: its other keys stay.
    EXPECT_EQ(DefaultOf(L".zvtb"), L"Sibling.Type");
    if (PerUserClasses()) {
        EXPECT_TRUE(fw::RegKey::Open(HKEY_CURRENT_USER, L"Software\\Classes"));
    }

    // Our own ProgID remembered by an older run counts as no owner.
    fw::RegKey::Create(HKEY_CURRENT_USER, Root() + L"\\FileTypes\\.zvta").WriteString(L".zvta", type.progId);
    Apply(type, true);
    EXPECT_EQ(RememberedOwner(Root(), type), L"");
    Apply(type, false);
    EXPECT_EQ(DefaultOf(L".zvta"), L"<missing>");
}

TEST_F(FileAssociations, AnExtensionKeyWithSubkeysIsNeverDeleted) {
    CreateClassKey(L".zvta\\OpenWithProgids").WriteString(L"Some.Player", L"");
    CFileTypeInfo type(L"ZV Video", L".zvta", 2);
    Apply(type, true);
    EXPECT_EQ(DefaultOf(L".zvta"), L"Tresk.Zevrin.zvta");
    EXPECT_TRUE(ClassKey(L".zvta\\OpenWithProgids"));

    // Nobody to give it back to: the key stays for its subkey, but no longer names our
    // vanished ProgID.
    Apply(type, false);
    EXPECT_TRUE(ClassKey(L".zvta\\OpenWithProgids"));
    EXPECT_EQ(DefaultOf(L".zvta"), L"");
    EXPECT_FALSE(type.IsAssociated());
}

TEST_F(FileAssociations, TheListDecidesTheTableAndDeletingOneEntryGivesItBackAtOnce) {
    SetDefault(L".zvtb", L"Foreign.Audio");
    CFileTypeInfo a(L"ZV Video", L".zvta", 2), b(L"ZV Audio", L".zvtb", 4);
    // An extension typed with a blank keeps it; its ProgID does not.
    CFileTypeInfo c(L"Blank", L".zvt c", 2);
    EXPECT_EQ(c.progId, L"Tresk.Zevrin.zvtc");
    Settings().AddFileType(L"Old", L".old", 2);
    ApplyFileTypeChoices(Settings(), {{b, true}, {a, false}, {c, true}}, kProgram);
    ASSERT_EQ(Settings().fileTypes.size(), 3u);
    EXPECT_EQ(Settings().fileTypes[0]->extension, L".zvtb");
    EXPECT_EQ(Settings().fileTypes[1]->extension, L".zvta");
    EXPECT_EQ(Settings().fileTypes[2]->progId, L"Tresk.Zevrin.zvtc");
    EXPECT_EQ(DefaultOf(L".zvt c"), L"Tresk.Zevrin.zvtc");
    EXPECT_EQ(DefaultOf(L".zvta"), L"<missing>");

    RemoveFileType(Root(), b, kProgram);
    EXPECT_EQ(DefaultOf(L".zvtb"), L"Foreign.Audio");
    EXPECT_FALSE(ClassKey(L"Tresk.Zevrin.zvtb"));
    RemoveFileType(Root(), c, kProgram);
    EXPECT_EQ(DefaultOf(L".zvt c"), L"<missing>");
    EXPECT_FALSE(ClassKey(L"Tresk.Zevrin.zvtc"));
}

class PlaylistDocumentType : public AssociationTest {
protected:
    std::vector<std::wstring> Extensions() const override { return {L".play"}; }
};

TEST_F(PlaylistDocumentType, IsRegisteredAndAssociatedAtEveryStartWithoutRememberingTheOwner) {
    SetDefault(L".play", L"Foreign.Playlist");
    EXPECT_TRUE(RegisterPlaylistDocumentType(kProgram));
    EXPECT_EQ(DefaultOf(L".play"), L"Tresk.Zevrin.play");
    EXPECT_EQ(DefaultOf(L"Tresk.Zevrin.play"), L"Playlist");
    EXPECT_EQ(DefaultOf(L"Tresk.Zevrin.play\\shell\\open\\command"),
              L"\"C:\\Program Files\\Zevrin\\Zevrin.exe\" \"%1\"");
    EXPECT_EQ(RememberedOwner(Root(), CFileTypeInfo(L"Playlist", L".play", 1)), L"");
    // Nothing to change the second time; a program moved elsewhere changes the command.
    EXPECT_FALSE(RegisterPlaylistDocumentType(kProgram));
    EXPECT_TRUE(RegisterPlaylistDocumentType(L"D:\\Zevrin\\Zevrin.exe"));
}

} // namespace
