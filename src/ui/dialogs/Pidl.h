#pragma once
// Shell item identifier lists: the shell's encoded paths of items, a run of items that each
// start with their 16-bit byte size and end with an item of size 0. The folder tree keeps one
// per row (relative to the row's folder and absolute from the desktop); these few operations
// and the owning holder are all it needs.
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <utility>

namespace zevrin {

// Bytes of the list without its terminator; 0 for none.
UINT PidlSize(LPCITEMIDLIST pidl);
// The item after `pidl`'s first, or nullptr when that is the terminator.
LPCITEMIDLIST PidlNext(LPCITEMIDLIST pidl);
// The last item of the list (the list itself when it has one item or none).
LPCITEMIDLIST PidlLast(LPCITEMIDLIST pidl);

// A list the holder frees with the shell's allocator.
class CPidl {
public:
    CPidl() = default;
    explicit CPidl(LPITEMIDLIST owned) : pidl_(owned) {}
    CPidl(CPidl&& o) noexcept : pidl_(std::exchange(o.pidl_, nullptr)) {}
    CPidl& operator=(CPidl&& o) noexcept {
        if (this != &o) Reset(std::exchange(o.pidl_, nullptr));
        return *this;
    }
    CPidl(const CPidl&) = delete;
    CPidl& operator=(const CPidl&) = delete;
    ~CPidl() { Reset(); }

    // A copy of the same size from the shell's allocator; empty for none.
    static CPidl Copy(LPCITEMIDLIST pidl);

    LPITEMIDLIST Get() const { return pidl_; }
    explicit operator bool() const { return pidl_ != nullptr; }
    LPITEMIDLIST Release() { return std::exchange(pidl_, nullptr); }
    void Reset(LPITEMIDLIST owned = nullptr);
    // For out parameters: frees what is held and hands out the slot.
    LPITEMIDLIST* Out() {
        Reset();
        return &pidl_;
    }

private:
    LPITEMIDLIST pidl_ = nullptr;
};

// a's items, then b's, then the terminator, from the shell's allocator; empty when both are.
CPidl PidlConcat(LPCITEMIDLIST a, LPCITEMIDLIST b);
// The desktop folder's parse of a display name (a file-system path); empty when it fails.
CPidl PidlFromPath(const std::wstring& path);
// The text of a display-name answer (wide, an offset into `item`, or narrow); frees a wide one.
std::wstring StrRetToString(STRRET& value, LPCITEMIDLIST item);

} // namespace zevrin
