#pragma once
// RAII owners for the Win32 handles the program holds. Each owner closes its handle with the
// one function the platform pairs with it, so a handle can never outlive its owner by mistake.
#include <windows.h>
#include <commctrl.h>
#include <utility>

namespace fw {

// Traits name the handle type, its "no handle" value and the function that closes it.
template <class Traits>
class UniqueHandle {
public:
    using H = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(H h) : h_(h) {}
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, Traits::Invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) Reset(std::exchange(o.h_, Traits::Invalid()));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    H Get() const { return h_; }
    explicit operator bool() const { return h_ != Traits::Invalid(); }
    H Release() { return std::exchange(h_, Traits::Invalid()); }
    void Reset(H h = Traits::Invalid()) {
        if (h_ != Traits::Invalid()) Traits::Close(h_);
        h_ = h;
    }

private:
    H h_ = Traits::Invalid();
};

template <class T, auto CloseFn>
struct NullIsInvalid {
    using Handle = T;
    static T Invalid() { return nullptr; }
    static void Close(T h) { CloseFn(h); }
};

struct FileTraits {
    using Handle = HANDLE;
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};

struct FindTraits {
    using Handle = HANDLE;
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::FindClose(h); }
};

inline void DeleteGdiObject(HGDIOBJ h) { ::DeleteObject(h); }

using UniqueKernelHandle = UniqueHandle<NullIsInvalid<HANDLE, ::CloseHandle>>;
using UniqueFile = UniqueHandle<FileTraits>; // CreateFileW fails with INVALID_HANDLE_VALUE
using UniqueFindHandle = UniqueHandle<FindTraits>;
using UniqueFont = UniqueHandle<NullIsInvalid<HFONT, DeleteGdiObject>>;
using UniqueBitmap = UniqueHandle<NullIsInvalid<HBITMAP, DeleteGdiObject>>;
using UniqueBrush = UniqueHandle<NullIsInvalid<HBRUSH, DeleteGdiObject>>;
using UniqueKey = UniqueHandle<NullIsInvalid<HKEY, ::RegCloseKey>>;
using UniqueMenu = UniqueHandle<NullIsInvalid<HMENU, ::DestroyMenu>>;
using UniqueCursor = UniqueHandle<NullIsInvalid<HCURSOR, ::DestroyCursor>>;
using UniqueIcon = UniqueHandle<NullIsInvalid<HICON, ::DestroyIcon>>;
using UniqueImageList = UniqueHandle<NullIsInvalid<HIMAGELIST, ::ImageList_Destroy>>;
using UniqueAccel = UniqueHandle<NullIsInvalid<HACCEL, ::DestroyAcceleratorTable>>;

} // namespace fw
