#pragma once
// The record the application's command line is parsed into: what the shell asked for (a new
// document, open a file, register, ...). Subclasses collect more by overriding ParseParam and
// calling this one's.
#include <string>
#include <vector>

namespace fw {

class CCommandLineInfo {
public:
    enum ShellCommand { FileNew, FileOpen, FileDDE, AppRegister, AppUnregister, FileNothing };

    virtual ~CCommandLineInfo() = default;

    // One parameter: `flag` when it began with '/' or '-' (then `param` is without it);
    // `last` for the final parameter.
    virtual void ParseParam(const wchar_t* param, bool flag, bool last);

    ShellCommand shellCommand = FileNew;
    std::wstring fileName; // the first parameter that is not a flag
};

// Splits a command line the way the system does; the program's own name is dropped.
std::vector<std::wstring> SplitCommandLine(const wchar_t* commandLine);
// Feeds the parameters to the record.
void ParseCommandLine(CCommandLineInfo& info, const std::vector<std::wstring>& params);

} // namespace fw
