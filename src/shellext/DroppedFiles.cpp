#include "DroppedFiles.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <cwchar>

namespace nobrel {

namespace {

// A list of strings ends with an empty one; true when that end lies within `bytes`. An empty
// list is written as two terminators (readers skip the first string before looking for the end).
template <class Char>
bool ListEndsWithin(const BYTE* list, SIZE_T bytes) {
    const SIZE_T chars = bytes / sizeof(Char);
    const auto* p = reinterpret_cast<const Char*>(list);
    if (chars > 0 && p[0] == 0) return chars > 1 && p[1] == 0;
    bool atStart = true; // at the first character of a string
    for (SIZE_T i = 0; i < chars; ++i) {
        if (p[i] == 0) {
            if (atStart) return true;
            atStart = true;
        } else {
            atStart = false;
        }
    }
    return false;
}

class GlobalLockScope {
public:
    explicit GlobalLockScope(HGLOBAL memory) : memory_(memory), data_(static_cast<const BYTE*>(GlobalLock(memory))) {}
    ~GlobalLockScope() {
        if (data_) GlobalUnlock(memory_);
    }
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;
    const BYTE* Data() const { return data_; }

private:
    HGLOBAL memory_;
    const BYTE* data_;
};

} // namespace

bool IsWellFormedDrop(HGLOBAL drop) {
    if (!drop) return false;
    const SIZE_T size = GlobalSize(drop);
    if (size < sizeof(DROPFILES)) return false;
    GlobalLockScope lock(drop);
    if (!lock.Data()) return false;
    DROPFILES header;
    std::memcpy(&header, lock.Data(), sizeof(header));
    if (header.pFiles < sizeof(DROPFILES) || header.pFiles >= size) return false;
    const BYTE* list = lock.Data() + header.pFiles;
    const SIZE_T listBytes = size - header.pFiles;
    return header.fWide ? ListEndsWithin<wchar_t>(list, listBytes) : ListEndsWithin<char>(list, listBytes);
}

HRESULT ReadDroppedFiles(HGLOBAL drop, CFileList& files) {
    if (!IsWellFormedDrop(drop)) return E_INVALIDARG;
    auto* hdrop = static_cast<HDROP>(drop);
    const UINT count = DragQueryFileW(hdrop, 0xFFFFFFFF, nullptr, 0);
    if (!files.Presize(count)) return E_OUTOFMEMORY;
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(hdrop, i, nullptr, 0);
        if (length == 0 || length >= kDroppedPathChars) continue;
        wchar_t path[kDroppedPathChars] = {};
        DragQueryFileW(hdrop, i, path, kDroppedPathChars);
        if (files.Add(path) < 0) {
            files.RemoveAll();
            return E_OUTOFMEMORY;
        }
    }
    return S_OK;
}

} // namespace nobrel
