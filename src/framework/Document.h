#pragma once
// The document: the data a frame and its views show. The program has exactly one.
#include "framework/CmdTarget.h"

#include <string>
#include <vector>

namespace fw {

class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
public:
    virtual bool OnNewDocument() { return true; }
    // Takes a path that exists or a URL; the program's documents hold no data of their own.
    virtual bool OnOpenDocument(const std::wstring& path);
    // Called while the frame is still fully alive, before it closes; stops what runs on it.
    virtual void PreCloseFrame(CFrameWnd* frame) { (void)frame; }

    const std::wstring& PathName() const { return pathName_; }
    void SetPathName(const std::wstring& path) { pathName_ = path; }

    void AddView(CView* view);
    void RemoveView(CView* view);
    const std::vector<CView*>& Views() const { return views_; }

private:
    std::wstring pathName_;
    std::vector<CView*> views_;
};

} // namespace fw
