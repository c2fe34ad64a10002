#include "FileList.h"

#include <climits>
#include <cwchar>
#include <new>

namespace nobrel {

namespace {
constexpr int kGrowth = 8;

wchar_t** NewSlots(int capacity) {
    auto** slots = new (std::nothrow) wchar_t*[static_cast<size_t>(capacity)];
    if (slots)
        for (int i = 0; i < capacity; ++i) slots[i] = nullptr;
    return slots;
}
} // namespace

CFileList::~CFileList() { RemoveAll(); }

int CFileList::Add(const wchar_t* path) {
    if (!path) return -1;
    if (count_ == capacity_) {
        if (capacity_ > INT_MAX - kGrowth) return -1;
        wchar_t** grown = NewSlots(capacity_ + kGrowth);
        if (!grown) return -1;
        for (int i = 0; i < count_; ++i) grown[i] = items_[i];
        delete[] items_;
        items_ = grown;
        capacity_ += kGrowth;
    }
    size_t length = std::wcslen(path);
    auto* copy = new (std::nothrow) wchar_t[length + 1];
    if (!copy) return -1;
    std::wmemcpy(copy, path, length + 1);
    items_[count_] = copy;
    return count_++;
}

bool CFileList::Presize(UINT capacity) {
    RemoveAll();
    if (capacity == 0) return true;
    if (capacity > static_cast<UINT>(INT_MAX)) return false;
    items_ = NewSlots(static_cast<int>(capacity));
    if (!items_) return false;
    capacity_ = static_cast<int>(capacity);
    return true;
}

void CFileList::RemoveAll() {
    for (int i = 0; i < capacity_; ++i) delete[] items_[i];
    delete[] items_;
    items_ = nullptr;
    capacity_ = count_ = 0;
}

} // namespace nobrel
