#pragma once
// "Select a Folder": a folder of the shell's namespace, a file-name filter and whether to look
// in sub-folders, for the playlist's Open Folder and Add Folder. The tree fills its branches as
// they are opened, and the caller's folder is opened and selected by a worker so that the
// dialog shows at once. The dialog is resizable down to 320 x 280.
//
// The worker drives the tree through messages it sends to the dialog, so the work itself runs
// on the dialog's thread; the dialog never goes while the worker runs: closing it first waits
// for the worker while dispatching the thread's messages (and so the worker's sent ones).
#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "framework/WorkerThread.h"
#include "ui/dialogs/FolderDialogLayout.h"
#include "ui/dialogs/FolderTreeCtrl.h"

#include <memory>
#include <string>

namespace zevrin {

// Sent to the dialog when the initial-selection worker has ended.
inline constexpr UINT WM_FOLDER_WORKER_DONE = WM_USER + 400;

class CFolderDialog : public fw::CDialog {
public:
    explicit CFolderDialog(HWND parent = nullptr);
    ~CFolderDialog() override;

    // In.
    std::wstring title;         // empty keeps "Select a Folder"
    std::wstring prompt;        // above the tree
    std::wstring initialFolder; // opened and selected at start
    std::wstring filterList;    // the filter box's items, separated by "|"
    std::wstring presets;       // name|pattern|name|pattern... for the "..." button; empty hides it
    int filterIndex = -1;       // item of the filter box to start with; -1: the first
    // In and out.
    std::wstring filter = L"*";
    int includeSubfolders = 0;
    // Out: the selected row's file-system path, empty when it has none.
    std::wstring folder;

    CFolderTreeCtrl& Tree() { return tree_; }
    bool WorkerRunning() const { return worker_ != nullptr; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCmdMsg(UINT id, fw::CCmdUI* ui) override;

private:
    class CSelectWorker;

    LRESULT OnNotify(WPARAM, LPARAM);
    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnGetMinMaxInfo(WPARAM, LPARAM);
    LRESULT OnWorkerDone(WPARAM, LPARAM);
    LRESULT OnSelectInitialFolder(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    void OnPresets();
    void OnFilterSelChange();

    void SetUpFrame();
    void SetUpTooltip();
    void FillFilterBox();
    void StartInitialSelection();
    void WaitForWorker();
    void MeasureControls();
    void LayOut();
    HWND FilterEdit() const;
    std::wstring PresetPattern(int index) const;

    CFolderTreeCtrl tree_;
    std::unique_ptr<CSelectWorker> worker_;
    std::wstring workerPath_;
    HWND grip_ = nullptr;
    HWND tooltip_ = nullptr;
    FolderDialogSizes sizes_;
    bool ending_ = false;
};

} // namespace zevrin
