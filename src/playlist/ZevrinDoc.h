#pragma once
// The document. The playlist itself belongs to the playlist view; the document only sees to
// it that work running on the playlist stops, in order, before the main frame closes.
#include "framework/Document.h"

namespace zevrin {

class CZevrinDoc : public fw::CDocument {
public:
    void PreCloseFrame(fw::CFrameWnd* frame) override;

    int reserved1 = 0;
    int reserved2 = 0;
};

} // namespace zevrin
