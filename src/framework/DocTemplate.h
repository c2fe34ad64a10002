#pragma once
// The single-document template: which document, frame and first view make up the program's
// window, all loaded from one resource id.
#include "framework/Document.h"

#include <functional>
#include <memory>
#include <string>

namespace fw {

class CFrameWnd;
class CView;

class CSingleDocTemplate {
public:
    CSingleDocTemplate(UINT resourceId, std::function<std::unique_ptr<CDocument>()> newDocument,
                       std::function<CFrameWnd*()> newFrame, std::function<CView*()> newView);

    // Creates the document and its frame when they don't exist yet, then opens `path` into the
    // document (or starts a new one when it is empty). Returns the document or nullptr.
    CDocument* OpenDocumentFile(const std::wstring& path);

    CDocument* Document() const { return document_.get(); }
    UINT ResourceId() const { return resourceId_; }
    // A field of the template's document string (string resource `resourceId`).
    std::wstring DocString(int field) const;

    void CloseDocument() { document_.reset(); }

private:
    UINT resourceId_;
    std::function<std::unique_ptr<CDocument>()> newDocument_;
    std::function<CFrameWnd*()> newFrame_;
    std::function<CView*()> newView_;
    std::unique_ptr<CDocument> document_;
};

} // namespace fw
