#pragma once
// Objects that a worker thread hands to the window's thread travel as posted messages. The
// lParam is the object's only owner while the message waits in the queue: the sender gives it
// up only when the post succeeded (and gets it back otherwise, to clean up), and the receiver
// takes it at once into a unique_ptr. Nothing is deleted by hand on either side.
#include <windows.h>

#include <memory>

namespace zevrin {

// Posts `owned` to `window`; on success the receiver owns it and the result is empty, otherwise
// the result is `owned`, back with the caller.
template <class T>
[[nodiscard]] std::unique_ptr<T> PostOwned(HWND window, UINT message, WPARAM wParam, std::unique_ptr<T> owned) {
    if (::PostMessageW(window, message, wParam, reinterpret_cast<LPARAM>(owned.get()))) owned.release();
    return owned;
}

// The receiving side: the object a PostOwned message carries (empty for an lParam of 0).
template <class T>
[[nodiscard]] std::unique_ptr<T> TakePosted(LPARAM lParam) {
    return std::unique_ptr<T>(reinterpret_cast<T*>(lParam));
}

} // namespace zevrin
