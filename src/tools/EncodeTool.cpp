#include "tools/EncodeTool.h"

#include "framework/Text.h"

#include <windows.h>

#include <cstdint>

namespace zevrin {

namespace {

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::intptr_t Address(const void* p) { return reinterpret_cast<std::intptr_t>(p); }

} // namespace

int CEncodeTool::Setup(const std::wstring& toolPath, const std::wstring& presetFolder, HWND callbackWindow,
                       IToolSink* sink) {
    SetToolPath(toolPath);
    presetFolder_ = presetFolder;
    SetCallbackWindow(callbackWindow);
    sink_ = sink;
    return 0;
}

int CEncodeTool::Execute(const ToolStopFlag* stopFlag) {
    options_.Normalise();
    const int result = RunWithCallback(BuildCommandLine(), stopFlag);
    if (sink_) sink_->Notify(0, harlow::kCallbackEnded, 0, nullptr);
    return result;
}

int CEncodeTool::ResolvePreset(const std::wstring& name, std::wstring& path) const {
    if (presetFolder_.empty() || !IsFolder(presetFolder_)) return -1;
    std::wstring candidate = fw::Format(L"%s\\%s.preset", presetFolder_.c_str(), name.c_str());
    if (!IsFile(candidate)) return -1;
    path = std::move(candidate);
    return 0;
}

LRESULT CEncodeTool::Translate(ToolCallbackBytes bytes) {
    const auto& block = *reinterpret_cast<const harlow::EncodeCallbackBlock*>(bytes.data());
    std::intptr_t args[2] = {};
    int count = 0;
    switch (block.head.type) {
    case harlow::kCallbackMessage:
        args[0] = Address(block.head.text);
        args[1] = block.head.value;
        count = 2;
        break;
    case harlow::kCallbackOpened:
    case harlow::kCallbackStatus:
        args[0] = Address(&block.progress);
        count = 1;
        break;
    case harlow::kCallbackEnded:
        break;
    default:
        return -1;
    }
    return sink_ ? sink_->Notify(0, block.head.type, count, args) : 0;
}

} // namespace zevrin
