#include "app/MultiFileCommandLineInfo.h"

namespace zevrin {

void CMultiFileCommandLineInfo::ParseParam(const wchar_t* param, bool flag, bool last) {
    if (!flag) files.emplace_back(param);
    if (last) {
        if (shellCommand == FileNew && !files.empty()) shellCommand = FileOpen;
        showSplash = !runEmbedded && !runAutomated;
    }
}

} // namespace zevrin
