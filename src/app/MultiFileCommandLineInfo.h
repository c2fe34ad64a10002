#pragma once
// The command line as Zevrin reads it, once: every parameter that is not a flag is a media file,
// folder or URL for the playlist, in order. The shell's own flags (/dde, /register,
// /unregister) set the shell command as the framework's record does; any other flag is ignored.
#include "framework/CommandLineInfo.h"

#include <string>
#include <vector>

namespace zevrin {

class CMultiFileCommandLineInfo : public fw::CCommandLineInfo {
public:
    void ParseParam(const wchar_t* param, bool flag, bool last) override;

    std::vector<std::wstring> files;
};

} // namespace zevrin
