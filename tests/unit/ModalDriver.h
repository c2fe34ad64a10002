#pragma once
// Runs a step from a timer while a modal loop (dialog, property sheet, popup menu) runs on the
// test's own thread, until the step returns true.
#include <windows.h>

#include <functional>

class ModalDriver {
public:
    explicit ModalDriver(std::function<bool()> step) : step_(std::move(step)) {
        current = this;
        id_ = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
            if (current && current->step_()) current->Stop();
        });
    }
    ~ModalDriver() { Stop(); }
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    void Stop() {
        if (id_) KillTimer(nullptr, id_);
        id_ = 0;
        current = nullptr;
    }

private:
    static inline ModalDriver* current = nullptr;
    std::function<bool()> step_;
    UINT_PTR id_ = 0;
};
