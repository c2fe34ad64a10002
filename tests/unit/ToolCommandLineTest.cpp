// Command lines built from option rows: spacing, formats and quoting that survives the tool's
// command-line splitter.
#include "tools/ArgumentQuoting.h"
#include "tools/ToolOption.h"

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <vector>

using namespace zevrin;

namespace {

// Splits the way a tool started with this command line will see it (first token: the program).
std::vector<std::wstring> Split(const std::wstring& commandLine) {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(commandLine.c_str(), &count);
    std::vector<std::wstring> out(argv, argv + count);
    LocalFree(argv);
    return out;
}

constexpr CToolOption kPositional{nullptr, ToolOptionKind::Text, L"\"%s\""};
constexpr CToolOption kInput{L"-i", ToolOptionKind::Text, L"\"%s\""};
constexpr CToolOption kTitle{L"-title", ToolOptionKind::Text, L"%s"};
constexpr CToolOption kFlag{L"-y", ToolOptionKind::Flag, nullptr};
constexpr CToolOption kSize{L"-s", ToolOptionKind::Size, L"%dx%d"};
constexpr CToolOption kBytes{L"-fs", ToolOptionKind::Integer64, L"%I64d"};

} // namespace

TEST(ToolCommandLine, ArgumentsAreSeparatedByOneBlank) {
    std::wstring line;
    AppendArgument(line, L"");
    EXPECT_EQ(line, L"");
    AppendArgument(line, L"\"C:\\t.exe\"");
    AppendArgument(line, L"");
    AppendOption(line, kFlag);
    AppendOption(line, kSize, 174, 144);
    AppendOption(line, kBytes, 5000000000LL);
    AppendOption(line, kInput, std::wstring(L"C:\\a b.mp4"));
    AppendOption(line, kPositional, std::wstring(L"C:\\out.jpg"));
    EXPECT_EQ(line, L"\"C:\\t.exe\" -y -s 174x144 -fs 5000000000 -i \"C:\\a b.mp4\" \"C:\\out.jpg\"");
}

TEST(ToolCommandLine, TextOfEveryKindComesBackWhole) {
    const std::vector<std::wstring> values = {
        L"C:\\Music\\Zoë Ünicode — 日本語.mp3",
        L"http://host/a\"b\" -o \"C:\\evil",  // a quote must not end the argument
        L"C:\\folder with blanks\\",          // trailing backslash before the closing quote
        L"\\\\server\\share\\x.avi",
        L"-starts-with-dash",
    };
    for (const std::wstring& value : values) {
        std::wstring line = QuotedToolPath(L"C:\\Tools\\T.exe");
        AppendOption(line, kInput, value);
        AppendOption(line, kTitle, value);
        AppendOption(line, kPositional, value);
        const std::vector<std::wstring> argv = Split(line);
        ASSERT_EQ(argv.size(), 6u) << line;
        EXPECT_EQ(argv[0], L"C:\\Tools\\T.exe");
        EXPECT_EQ(argv[2], value);
        EXPECT_EQ(argv[4], value);
        EXPECT_EQ(argv[5], value);
    }
}

TEST(ToolCommandLine, PlainTokensStayUnquoted) {
    std::wstring line;
    AppendOption(line, kTitle, std::wstring(L"Title"));
    AppendOption(line, kTitle, std::wstring(L"Two words"));
    EXPECT_EQ(line, L"-title Title -title \"Two words\"");
    EXPECT_EQ(QuoteIfNeeded(L"a\"b"), L"\"a\\\"b\"");
    EXPECT_EQ(EscapeInsideQuotes(L"C:\\x\\"), L"C:\\x\\\\");
    EXPECT_EQ(EscapeInsideQuotes(L"C:\\x\\y"), L"C:\\x\\y");
}

TEST(ToolCommandLine, LongValuesAreNotCut) {
    const std::wstring path = L"C:\\" + std::wstring(3000, L'x') + L".mp4";
    std::wstring line;
    AppendOption(line, kInput, path);
    EXPECT_EQ(line, L"-i \"" + path + L"\"");
}
