#include "tools/ToolClient.h"

#include "tools/ToolClientRegistry.h"
#include "tools/ToolOption.h"

namespace zevrin {

CToolClient::CToolClient() { RegisterToolClient(this); }

CToolClient::~CToolClient() { UnregisterToolClient(this); }

int CToolClient::RunWithCallback(const std::wstring& commandLine, const ToolStopFlag* stopFlag) const {
    std::wstring line = commandLine;
    if (callbackWindow_) {
        AppendArgument(line, L"-callbackwindow");
        AppendArgument(line, fw::Format(L"%I64d", static_cast<long long>(reinterpret_cast<LONG_PTR>(callbackWindow_))));
    }
    AppendArgument(line, L"-context");
    AppendArgument(line, fw::Format(L"%I64d", static_cast<long long>(ContextValue())));
    const int result = Run(line, stopFlag);
    return stopFlag && stopFlag->load() != kStopNone ? 1 : result;
}

LRESULT CToolClient::Translate(ToolCallbackBytes) { return -1; }

} // namespace zevrin
