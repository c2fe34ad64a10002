#include "ui/dialogs/Pidl.h"

#include <cstring>

namespace zevrin {

namespace {
USHORT ItemSize(LPCITEMIDLIST item) { return item->mkid.cb; }
} // namespace

UINT PidlSize(LPCITEMIDLIST pidl) {
    UINT size = 0;
    for (; pidl && ItemSize(pidl);
         pidl = reinterpret_cast<LPCITEMIDLIST>(reinterpret_cast<const BYTE*>(pidl) + ItemSize(pidl)))
        size += ItemSize(pidl);
    return size;
}

LPCITEMIDLIST PidlNext(LPCITEMIDLIST pidl) {
    if (!pidl || !ItemSize(pidl)) return nullptr;
    auto next = reinterpret_cast<LPCITEMIDLIST>(reinterpret_cast<const BYTE*>(pidl) + ItemSize(pidl));
    return ItemSize(next) ? next : nullptr;
}

LPCITEMIDLIST PidlLast(LPCITEMIDLIST pidl) {
    LPCITEMIDLIST last = pidl;
    for (LPCITEMIDLIST p = PidlNext(pidl); p; p = PidlNext(p)) last = p;
    return last;
}

void CPidl::Reset(LPITEMIDLIST owned) {
    if (pidl_) ::CoTaskMemFree(pidl_);
    pidl_ = owned;
}

CPidl CPidl::Copy(LPCITEMIDLIST pidl) {
    if (!pidl) return {};
    UINT size = PidlSize(pidl);
    auto copy = static_cast<LPITEMIDLIST>(::CoTaskMemAlloc(size + sizeof(USHORT)));
    if (!copy) return {};
    std::memcpy(copy, pidl, size);
    std::memset(reinterpret_cast<BYTE*>(copy) + size, 0, sizeof(USHORT));
    return CPidl(copy);
}

CPidl PidlConcat(LPCITEMIDLIST a, LPCITEMIDLIST b) {
    if (!a && !b) return {};
    UINT sizeA = PidlSize(a), sizeB = PidlSize(b);
    auto list = static_cast<LPITEMIDLIST>(::CoTaskMemAlloc(sizeA + sizeB + sizeof(USHORT)));
    if (!list) return {};
    auto* bytes = reinterpret_cast<BYTE*>(list);
    if (sizeA) std::memcpy(bytes, a, sizeA);
    if (sizeB) std::memcpy(bytes + sizeA, b, sizeB);
    std::memset(bytes + sizeA + sizeB, 0, sizeof(USHORT));
    return CPidl(list);
}

CPidl PidlFromPath(const std::wstring& path) {
    IShellFolder* desktop = nullptr;
    if (FAILED(::SHGetDesktopFolder(&desktop))) return {};
    CPidl pidl;
    std::wstring name = path; // ParseDisplayName takes a writable string
    ULONG eaten = 0;
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, name.data(), &eaten, pidl.Out(), nullptr))) pidl.Reset();
    desktop->Release();
    return pidl;
}

std::wstring StrRetToString(STRRET& value, LPCITEMIDLIST item) {
    switch (value.uType) {
    case STRRET_WSTR: {
        std::wstring text = value.pOleStr ? value.pOleStr : L"";
        ::CoTaskMemFree(value.pOleStr);
        value.pOleStr = nullptr;
        return text;
    }
    case STRRET_OFFSET: {
        if (!item) return {};
        const char* narrow = reinterpret_cast<const char*>(item) + value.uOffset;
        int n = ::MultiByteToWideChar(CP_ACP, 0, narrow, -1, nullptr, 0);
        std::wstring text(n > 0 ? static_cast<size_t>(n) : 1, L'\0');
        ::MultiByteToWideChar(CP_ACP, 0, narrow, -1, text.data(), n);
        text.resize(wcslen(text.c_str()));
        return text;
    }
    case STRRET_CSTR: {
        int n = ::MultiByteToWideChar(CP_ACP, 0, value.cStr, -1, nullptr, 0);
        std::wstring text(n > 0 ? static_cast<size_t>(n) : 1, L'\0');
        ::MultiByteToWideChar(CP_ACP, 0, value.cStr, -1, text.data(), n);
        text.resize(wcslen(text.c_str()));
        return text;
    }
    default:
        return {};
    }
}

} // namespace zevrin
