// Nobrel's pieces on their own: the file list, the parameter line and its fixed buffer, the
// checks on AppFolder's value and on a CF_HDROP block, and the registration-script registrar
// applied inside a key of the test's own.
#include "DroppedFiles.h"
#include "FileList.h"
#include "HostSupport.h"
#include "Parameters.h"
#include "ProgramLocator.h"
#include "Registrar.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <cwchar>

#include <memory>

namespace nobrel::test {
namespace {

std::wstring Line(const CFileList& files, bool shift, size_t capacity, int* taken = nullptr) {
    std::vector<wchar_t> buffer(capacity, L'#');
    ParameterLine line = BuildParameters(files, shift, buffer.data(), capacity);
    if (taken) *taken = line.pathsTaken;
    EXPECT_EQ(line.length, std::wcslen(buffer.data()));
    return buffer.data();
}

TEST(NobrelPieces, FileListGrowsByEightAndParametersTakeWholeQuotedPaths) {
    CFileList files;
    EXPECT_EQ(files.Add(L"C:\\v\\a.3gp"), 0);
    EXPECT_EQ(files.Capacity(), 8);
    EXPECT_EQ(files.Add(L"C:\\v\\b.mp4"), 1);
    EXPECT_EQ(Line(files, false, kParameterChars), L"\"C:\\v\\a.3gp\" \"C:\\v\\b.mp4\" ");
    EXPECT_EQ(Line(files, true, kParameterChars), L"\"C:\\v\\a.3gp\" \"C:\\v\\b.mp4\"  /s");
    for (int i = 2; i < 9; ++i) files.Add(L"x");
    EXPECT_EQ(files.Count(), 9);
    EXPECT_EQ(files.Capacity(), 16);
    files.RemoveAll();
    EXPECT_EQ(files.Count(), 0);
    EXPECT_EQ(files.Capacity(), 0);
    EXPECT_EQ(Line(files, false, kParameterChars), L"");
    EXPECT_EQ(Line(files, true, kParameterChars), L" /s");

    // A path that does not fit whole ends the line before it; what follows is not taken either.
    ASSERT_TRUE(files.Presize(3));
    EXPECT_EQ(files.Capacity(), 3);
    files.Add(L"abc");       // 6 characters quoted
    files.Add(L"defghij");   // 10
    files.Add(L"k");
    int taken = -1;
    EXPECT_EQ(Line(files, false, 17, &taken), L"\"abc\" \"defghij\" ");  // 16 and the terminator
    EXPECT_EQ(taken, 2);
    EXPECT_EQ(Line(files, false, 16, &taken), L"\"abc\" ");
    EXPECT_EQ(taken, 1);
    // With Shift the flag's room is kept back, so it is the path that goes.
    EXPECT_EQ(Line(files, true, 19, &taken), L"\"abc\"  /s");
    EXPECT_EQ(Line(files, true, 20, &taken), L"\"abc\" \"defghij\"  /s");
    EXPECT_EQ(Line(files, true, 4, &taken), L" /s");

    // Thousands of paths of 1,022 characters: the 40,960-character buffer takes 39 of them.
    CFileList many;
    const std::wstring longPath = L"C:\\" + std::wstring(1019, L'p');
    for (int i = 0; i < 3000; ++i) many.Add(longPath.c_str());
    std::wstring line = Line(many, true, kParameterChars, &taken);
    EXPECT_EQ(taken, 39);
    EXPECT_EQ(line.size(), 39u * 1025 + 3);
    EXPECT_EQ(line.substr(line.size() - 5), L"\"  /s");

    // The whole command line, "program" and a blank first, stays within what a program receives.
    EXPECT_EQ(ParameterCapacity(20), 32767u - 23);
    EXPECT_EQ(ParameterCapacity(1023), 32767u - 1026);
    EXPECT_EQ(ParameterCapacity(40000), 0u);
    line = Line(many, true, ParameterCapacity(100), &taken);
    EXPECT_EQ(taken, 31);
    EXPECT_LE(line.size() + 103 + 1, 32767u);
}

TEST(NobrelPieces, AppFolderValueCountsOnlyAsATerminatedNonEmptyStringThatLeavesRoomForTheName) {
    const wchar_t folder[] = L"C:\\Zevrin";
    const DWORD bytes = sizeof(folder);
    EXPECT_TRUE(IsUsableFolderValue(REG_SZ, folder, bytes));
    EXPECT_TRUE(IsUsableFolderValue(REG_EXPAND_SZ, folder, bytes));
    EXPECT_FALSE(IsUsableFolderValue(REG_DWORD, folder, bytes));
    EXPECT_FALSE(IsUsableFolderValue(REG_BINARY, folder, bytes));
    EXPECT_FALSE(IsUsableFolderValue(REG_SZ, folder, bytes - 2)) << "not terminated";
    EXPECT_FALSE(IsUsableFolderValue(REG_SZ, folder, bytes - 1)) << "odd size";
    EXPECT_FALSE(IsUsableFolderValue(REG_SZ, L"", 2)) << "empty";
    EXPECT_FALSE(IsUsableFolderValue(REG_SZ, folder, 0));
    const wchar_t multi[] = L"C:\\A\0C:\\B\0";
    EXPECT_TRUE(IsUsableFolderValue(REG_MULTI_SZ, multi, sizeof(multi)));

    wchar_t path[kProgramPathChars] = L"C:\\Zevrin";
    ASSERT_TRUE(AppendProgramName(path, kProgramPathChars));
    EXPECT_STREQ(path, L"C:\\Zevrin\\Zevrin.exe");
    // 1,012 characters and "\Zevrin.exe" fill the buffer exactly; one more does not fit.
    std::wstring edge(1012, L'f');
    wcscpy(path, edge.c_str());
    EXPECT_TRUE(AppendProgramName(path, kProgramPathChars));
    EXPECT_EQ(std::wcslen(path), 1023u);
    edge += L'f';
    wcscpy(path, edge.c_str());
    EXPECT_FALSE(AppendProgramName(path, kProgramPathChars));
    EXPECT_EQ(std::wstring(path), edge) << "left as it was";
}

TEST(NobrelPieces, DropBlocksAreCheckedAndPathsTooLongForASlotLeftOut) {
    const std::wstring fits = L"C:\\" + std::wstring(1019, L'a');   // 1,022 characters
    const std::wstring tooLong = L"C:\\" + std::wstring(1020, L'b'); // 1,023
    HGLOBAL block = MakeDropBlock({L"C:\\v\\a.3gp", fits, tooLong, L"C:\\v"});
    CFileList files;
    files.Add(L"earlier");
    ASSERT_EQ(ReadDroppedFiles(block, files), S_OK);
    ASSERT_EQ(files.Count(), 3);
    EXPECT_STREQ(files.At(0), L"C:\\v\\a.3gp");
    EXPECT_EQ(std::wstring(files.At(1)), fits);
    EXPECT_STREQ(files.At(2), L"C:\\v");
    EXPECT_EQ(files.Capacity(), 4) << "sized for the paths dropped";
    GlobalFree(block);

    HGLOBAL empty = MakeDropBlock({});
    EXPECT_EQ(ReadDroppedFiles(empty, files), S_OK);
    EXPECT_EQ(files.Count(), 0);
    GlobalFree(empty);

    // Malformed blocks: too short, list outside the block, list without its end.
    auto raw = [](std::vector<BYTE> bytes) {
        HGLOBAL m = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        std::memcpy(GlobalLock(m), bytes.data(), bytes.size());
        GlobalUnlock(m);
        return m;
    };
    DROPFILES header{sizeof(DROPFILES), {0, 0}, FALSE, TRUE};
    std::vector<BYTE> good(sizeof(header));
    std::memcpy(good.data(), &header, sizeof(header));
    for (wchar_t c : std::wstring(L"C:\\x")) good.insert(good.end(), {BYTE(c), 0});
    std::vector<BYTE> unterminated = good;
    good.insert(good.end(), {0, 0, 0, 0});
    std::vector<BYTE> outside = good;
    reinterpret_cast<DROPFILES*>(outside.data())->pFiles = 4096;
    std::vector<BYTE> shortBlock(good.begin(), good.begin() + 12);
    std::vector<BYTE> emptyWithOneTerminator(good.begin(), good.begin() + sizeof(header));
    emptyWithOneTerminator.insert(emptyWithOneTerminator.end(), {0, 0});
    files.Add(L"kept");
    for (auto* bad : {&unterminated, &outside, &shortBlock, &emptyWithOneTerminator}) {
        HGLOBAL m = raw(*bad);
        EXPECT_FALSE(IsWellFormedDrop(m));
        EXPECT_EQ(ReadDroppedFiles(m, files), E_INVALIDARG);
        GlobalFree(m);
    }
    EXPECT_EQ(files.Count(), 1) << "a refused block leaves the list alone";
    HGLOBAL m = raw(good);
    EXPECT_TRUE(IsWellFormedDrop(m));
    GlobalFree(m);
}

// --- the registrar, inside HKCU\Software\NobrelTest ---

class RegistrarTest : public testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kRoot);
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kRoot, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root_, nullptr),
                  ERROR_SUCCESS);
        registrar_.RedirectRoot(HKEY_CLASSES_ROOT, root_);
        registrar_.AddReplacement(L"MODULE", L"C:\\It''s\\Nobrel.dll");
        registrar_.AddReplacement(L"APPID", L"{APP}");
    }
    void TearDown() override {
        RegCloseKey(root_);
        RegDeleteTreeW(HKEY_CURRENT_USER, kRoot);
    }
    RegistryDump Dump() const { return DumpKey(HKEY_CURRENT_USER, kRoot); }

    static constexpr wchar_t kRoot[] = L"Software\\NobrelTest";
    HKEY root_ = nullptr;
    CRegistrar registrar_;
};

constexpr wchar_t kScript[] = LR"(HKCR
{
    NoRemove Shared
    {
        Plain = s 'default'
        {
            val Named = s '%APPID%'
            val Count = d '42'
        }
        ForceRemove Forced = s '%MODULE%'
        {
            Inner = e '50%% off'
        }
        'Key With Blanks'
    }
})";

TEST_F(RegistrarTest, RegistersOnceReplacesForcedKeysAndRemovesOnlyWhatItNamed) {
    ASSERT_EQ(registrar_.Run(kScript, ScriptMode::Register), S_OK);
    RegistryDump first = Dump();
    EXPECT_EQ(first[L"Shared\\Plain"][L""], L"default");
    EXPECT_EQ(first[L"Shared\\Plain"][L"Named"], L"{APP}");
    EXPECT_EQ(first[L"Shared\\Plain"][L"Count"], L"42");
    EXPECT_EQ(first[L"Shared\\Forced"][L""], L"C:\\It's\\Nobrel.dll") << "a doubled quote is one in the value";
    EXPECT_EQ(first[L"Shared\\Forced\\Inner"][L""], L"50% off");
    EXPECT_TRUE(first.count(L"Shared\\Key With Blanks"));
    EXPECT_EQ(first.size(), 6u);  // the root, Shared and four keys

    // A stale subkey under a forced key goes; a second run leaves exactly the first state.
    HKEY stale = nullptr;
    RegCreateKeyExW(root_, L"Shared\\Forced\\Stale", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &stale, nullptr);
    RegCloseKey(stale);
    ASSERT_EQ(registrar_.Run(kScript, ScriptMode::Register), S_OK);
    EXPECT_EQ(Dump(), first);

    // Removal leaves the NoRemove key, and a named key that holds something the script did not name.
    HKEY foreign = nullptr;
    RegCreateKeyExW(root_, L"Shared\\Plain\\Foreign", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &foreign, nullptr);
    RegCloseKey(foreign);
    ASSERT_EQ(registrar_.Run(kScript, ScriptMode::Unregister), S_OK);
    RegistryDump after = Dump();
    EXPECT_EQ(after.size(), 4u);
    EXPECT_TRUE(after.count(L"Shared"));
    EXPECT_TRUE(after.count(L"Shared\\Plain\\Foreign"));
    EXPECT_FALSE(after[L"Shared\\Plain"].count(L"Named")) << "its named values go";
    // Removing what is not there succeeds.
    EXPECT_EQ(registrar_.Run(kScript, ScriptMode::Unregister), S_OK);
}

TEST_F(RegistrarTest, ScriptsThatDoNotParseChangeNothing) {
    const wchar_t* broken[] = {
        L"HKCR { A = s 'open }",               // quote left open
        L"HKCR { A { B }",                     // brace left open
        L"HKXX { A }",                         // unknown root
        L"HKCR { A = x 'y' }",                 // unknown type
        L"HKCR { A = s unquoted }",
        L"HKCR { A = d 'many' }",
        L"HKCR { B } HKCR { A = s '%UNKNOWN%' }",  // unknown replacement
    };
    for (const wchar_t* script : broken) {
        EXPECT_EQ(registrar_.Run(script, ScriptMode::Register), HRESULT_FROM_WIN32(ERROR_INVALID_DATA)) << Utf8(script);
        EXPECT_EQ(Dump().size(), 1u) << Utf8(script);
    }
}

} // namespace
} // namespace nobrel::test
