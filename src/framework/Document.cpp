#include "framework/Document.h"

#include <windows.h>

#include <algorithm>

namespace fw {

bool CDocument::OnOpenDocument(const std::wstring& path) {
    bool url = path.find(L"://") != std::wstring::npos;
    if (!url && GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    pathName_ = path;
    return true;
}

void CDocument::AddView(CView* view) {
    if (std::find(views_.begin(), views_.end(), view) == views_.end()) views_.push_back(view);
}

void CDocument::RemoveView(CView* view) { std::erase(views_, view); }

} // namespace fw
