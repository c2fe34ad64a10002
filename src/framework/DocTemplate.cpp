#include "framework/DocTemplate.h"

#include "framework/FrameWnd.h"
#include "framework/Text.h"
#include "framework/WinApp.h"

namespace fw {

CSingleDocTemplate::CSingleDocTemplate(UINT resourceId, std::function<std::unique_ptr<CDocument>()> newDocument,
                                       std::function<CFrameWnd*()> newFrame, std::function<CView*()> newView)
    : resourceId_(resourceId), newDocument_(std::move(newDocument)), newFrame_(std::move(newFrame)),
      newView_(std::move(newView)) {}

std::wstring CSingleDocTemplate::DocString(int field) const {
    return StringField(LoadResourceString(resourceId_), field);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const std::wstring& path) {
    CWinApp* app = CWinApp::Get();
    bool created = false;
    if (!document_) {
        document_ = newDocument_();
        CFrameWnd* frame = newFrame_();
        CCreateContext context{document_.get(), newView_};
        if (!frame->LoadFrame(resourceId_, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, context)) {
            delete frame; // never got a window, so it cannot delete itself
            document_.reset();
            return nullptr;
        }
        app->SetMainWnd(frame);
        created = true;
    }
    bool ok = path.empty() ? document_->OnNewDocument() : document_->OnOpenDocument(path);
    if (!ok) {
        if (created) {
            app->MainWnd()->DestroyWindow();
            document_.reset();
        }
        return nullptr;
    }
    // Every opening gives the views their initial update, so they show what was opened.
    app->MainWnd()->InitialUpdateFrame();
    return document_.get();
}

} // namespace fw
