#pragma once
// A tool that talks back: it is told a window of the program ("-callbackwindow") and a context
// value naming this wrapper ("-context"), and sends WM_COPYDATA blocks to that window, which
// hands them to the wrapper's Translate (see ToolCallbackDelivery.h).
#include "tools/ToolProcess.h"

#include <harlow/ToolMessages.h> // the layouts shared with the tools

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>

namespace zevrin {

using ToolCallbackBytes = std::span<const std::byte, harlow::kToolCallbackSize>;

class CToolClient : public CToolProcess {
public:
    CToolClient();
    ~CToolClient() override;

    void SetCallbackWindow(HWND window) { callbackWindow_ = window; }
    HWND CallbackWindow() const { return callbackWindow_; }

    // The value given with -context: this object's address. Tools echo its low 32 bits only.
    std::int64_t ContextValue() const { return static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(this)); }
    std::int32_t ContextCookie() const { return static_cast<std::int32_t>(ContextValue()); }

    // Appends " -callbackwindow <handle>" (only with a window) and " -context <address>", then
    // runs. 1 when a stop flag was given and is non-zero after the run, else Run's result.
    int RunWithCallback(const std::wstring& commandLine, const ToolStopFlag* stopFlag) const;

    // Turns one received block into a notification of the wrapper's sink; -1 for a type this
    // tool does not send. Runs on the thread of the callback window.
    virtual LRESULT Translate(ToolCallbackBytes block);
    // False while the wrapper wants no callbacks, e.g. while its window is being destroyed.
    virtual bool AcceptsCallbacks() const { return true; }

private:
    HWND callbackWindow_ = nullptr;
};

} // namespace zevrin
