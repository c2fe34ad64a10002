#pragma once
// The paths of the selection Explorer hands the context-menu handler, in the order it delivers
// them. Each slot owns a private copy of its path. The list never throws: when memory runs out
// an operation reports it and the list stays as it was, since it lives inside Explorer.
#include <windows.h>

namespace nobrel {

class CFileList {
public:
    CFileList() = default;
    virtual ~CFileList();
    CFileList(const CFileList&) = delete;
    CFileList& operator=(const CFileList&) = delete;

    // Stores a copy of `path` at index Count(), growing the array by 8 slots when it is full.
    // Returns that index, or -1 when memory is short.
    int Add(const wchar_t* path);
    // Empties the list and makes room for `capacity` paths; false when that much memory can't
    // be had (the list is then empty).
    bool Presize(UINT capacity);
    void RemoveAll();

    int Count() const { return count_; }
    int Capacity() const { return capacity_; }
    const wchar_t* At(int i) const { return i >= 0 && i < count_ ? items_[i] : nullptr; }

private:
    int capacity_ = 0;
    int count_ = 0;
    wchar_t** items_ = nullptr;
};

} // namespace nobrel
