#include "ui/dialogs/FolderDialog.h"

#include "framework/Dpi.h"

#include "res/resource.h"

#include <shlwapi.h>
#include <windowsx.h>

#include <vector>

namespace zevrin {

namespace {

constexpr int kTree = 1019, kFilter = 1022, kPrompt = 1023, kSubfolders = 1030, kFilterLabel = 1036, kPresets = 1044;
constexpr UINT kFirstPresetCommand = 40000;
constexpr int kFilterDropHeight = 200;
constexpr wchar_t kPresetsTip[] = L"Preset including filters";
// Sent by the worker: select the folder whose path lParam points to.
constexpr UINT WM_SELECT_INITIAL_FOLDER = WM_APP + 400;

std::vector<std::wstring> SplitBars(const std::wstring& text) {
    std::vector<std::wstring> parts;
    if (text.empty()) return parts;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(L'|', start);
        parts.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos) break;
        start = end + 1;
    }
    return parts;
}

SIZE SizeOf(HWND control) {
    RECT rc{};
    ::GetWindowRect(control, &rc);
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

} // namespace

// Selects the initial folder through the dialog's own thread, then says it is done.
class CFolderDialog::CSelectWorker : public fw::CWorkerThread {
public:
    CSelectWorker(HWND dialog, const std::wstring& path) : dialog_(dialog), path_(path) {}

protected:
    int Run() override {
        ::SendMessageW(dialog_, WM_SELECT_INITIAL_FOLDER, 0, reinterpret_cast<LPARAM>(path_.c_str()));
        ::PostMessageW(dialog_, WM_FOLDER_WORKER_DONE, 0, 0);
        return 0;
    }

private:
    HWND dialog_;
    std::wstring path_;
};

CFolderDialog::CFolderDialog(HWND parent) : fw::CDialog(IDD_FOLDER, parent) {}

CFolderDialog::~CFolderDialog() = default;

LRESULT CFolderDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const fw::Message<CFolderDialog> messages[] = {
        {WM_NOTIFY, &CFolderDialog::OnNotify},
        {WM_SIZE, &CFolderDialog::OnSize},
        {WM_GETMINMAXINFO, &CFolderDialog::OnGetMinMaxInfo},
        {WM_FOLDER_WORKER_DONE, &CFolderDialog::OnWorkerDone},
        {WM_SELECT_INITIAL_FOLDER, &CFolderDialog::OnSelectInitialFolder},
        {WM_DESTROY, &CFolderDialog::OnDestroy},
    };
    if (auto r = fw::DispatchMessageTable(this, messages, message, wParam, lParam)) return *r;
    if (message == WM_COMMAND && LOWORD(wParam) == kFilter && HIWORD(wParam) == CBN_SELCHANGE) {
        OnFilterSelChange();
        return 0;
    }
    return fw::CDialog::WindowProc(message, wParam, lParam);
}

bool CFolderDialog::OnCmdMsg(UINT id, fw::CCmdUI* ui) {
    static const fw::Command<CFolderDialog> commands[] = {
        {kPresets, &CFolderDialog::OnPresets},
    };
    return fw::DispatchCommand(this, commands, id, ui) || fw::CDialog::OnCmdMsg(id, ui);
}

bool CFolderDialog::OnInitDialog() {
    SetUpFrame();
    SetUpTooltip();
    if (!title.empty()) SetText(title);
    SetItemText(kPrompt, prompt);
    SetChecked(kSubfolders, includeSubfolders != 0);

    tree_.Attach(Item(kTree));
    tree_.AddDesktopRoot();
    FillFilterBox();
    StartInitialSelection();

    MeasureControls();
    grip_ =
        ::CreateWindowExW(0, L"SCROLLBAR", nullptr, WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN,
                          0, 0, sizes_.grip.cx, sizes_.grip.cy, Hwnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    LayOut();
    return true;
}

void CFolderDialog::SetUpFrame() {
    LONG_PTR ex = ::GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE);
    ::SetWindowLongPtrW(Hwnd(), GWL_EXSTYLE, ex | WS_EX_DLGMODALFRAME);
    if (HMENU system = ::GetSystemMenu(Hwnd(), FALSE)) {
        for (UINT command : {SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE}) ::DeleteMenu(system, command, MF_BYCOMMAND);
    }
}

void CFolderDialog::SetUpTooltip() {
    tooltip_ = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, Hwnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!tooltip_) return;
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(Item(kPresets));
    tool.lpszText = const_cast<wchar_t*>(kPresetsTip);
    ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CFolderDialog::FillFilterBox() {
    HWND box = Item(kFilter);
    ::SetWindowTextW(FilterEdit(), filter.c_str());
    int position = 0;
    for (const std::wstring& choice : SplitBars(filterList)) {
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT;
        item.iItem = position++;
        item.pszText = const_cast<wchar_t*>(choice.c_str());
        ::SendMessageW(box, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    if (position > 0) ::SendMessageW(box, CB_SETCURSEL, 0, 0);
    if (filterIndex != -1) {
        ::SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(filterIndex), 0);
        OnFilterSelChange();
    }
}

std::wstring CFolderDialog::PresetPattern(int index) const {
    std::vector<std::wstring> parts = SplitBars(presets);
    size_t at = 2 * static_cast<size_t>(index) + 1;
    return index >= 0 && at < parts.size() ? parts[at] : std::wstring();
}

void CFolderDialog::OnFilterSelChange() {
    int selected = static_cast<int>(::SendMessageW(Item(kFilter), CB_GETCURSEL, 0, 0));
    std::wstring pattern = PresetPattern(selected);
    if (!pattern.empty()) ::SetWindowTextW(FilterEdit(), pattern.c_str());
}

HWND CFolderDialog::FilterEdit() const {
    return reinterpret_cast<HWND>(::SendMessageW(Item(kFilter), CBEM_GETEDITCONTROL, 0, 0));
}

void CFolderDialog::OnPresets() {
    std::vector<std::wstring> parts = SplitBars(presets);
    fw::UniqueMenu menu(::CreatePopupMenu());
    if (!menu) return;
    for (size_t k = 0; 2 * k < parts.size(); ++k)
        ::AppendMenuW(menu.Get(), MF_STRING, kFirstPresetCommand + k, parts[2 * k].c_str());
    POINT at{};
    ::GetCursorPos(&at);
    UINT chosen = static_cast<UINT>(
        ::TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, at.x, at.y, 0, Hwnd(), nullptr));
    if (chosen < kFirstPresetCommand) return;
    std::wstring pattern = PresetPattern(static_cast<int>(chosen - kFirstPresetCommand));
    ::SetWindowTextW(FilterEdit(), pattern.c_str());
}

// The worker is left out when the folder is not there; when it can't be started the folder is
// selected here and now.
void CFolderDialog::StartInitialSelection() {
    if (initialFolder.empty() || !::PathFileExistsW(initialFolder.c_str())) return;
    std::wstring path = initialFolder;
    path.resize(path.size() + 1); // room for PathMakePrettyW's terminator
    ::PathMakePrettyW(path.data());
    path.resize(wcslen(path.c_str()));
    workerPath_ = path;
    auto worker = std::make_unique<CSelectWorker>(Hwnd(), workerPath_);
    if (!worker->Start()) {
        tree_.SelectPath(workerPath_);
        return;
    }
    worker_ = std::move(worker);
}

LRESULT CFolderDialog::OnSelectInitialFolder(WPARAM, LPARAM lParam) {
    tree_.SelectPath(reinterpret_cast<const wchar_t*>(lParam));
    return 0;
}

LRESULT CFolderDialog::OnWorkerDone(WPARAM, LPARAM) {
    if (worker_) {
        worker_->Join();
        worker_.reset();
    }
    return 0;
}

// The worker sends to this thread, so waiting must go on dispatching: messages are handled
// until the worker's thread has ended, then it is joined.
void CFolderDialog::WaitForWorker() {
    while (worker_ && worker_->IsRunning()) {
        HANDLE thread = worker_->Handle();
        DWORD woken = ::MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT);
        if (woken != WAIT_OBJECT_0 + 1) continue;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    if (worker_) {
        worker_->Join();
        worker_.reset();
    }
}

void CFolderDialog::OnOK() {
    if (ending_) return;
    ending_ = true;
    WaitForWorker();
    filter.resize(static_cast<size_t>(::GetWindowTextLengthW(FilterEdit())) + 1);
    filter.resize(static_cast<size_t>(::GetWindowTextW(FilterEdit(), filter.data(), static_cast<int>(filter.size()))));
    if (filter.empty()) filter = L"*";
    includeSubfolders = IsChecked(kSubfolders) ? 1 : 0;
    HTREEITEM selected = TreeView_GetSelection(tree_.Hwnd());
    folder = selected ? tree_.PathOf(selected) : std::wstring();
    EndDialog(IDOK);
}

void CFolderDialog::OnCancel() {
    if (ending_) return;
    ending_ = true;
    WaitForWorker();
    EndDialog(IDCANCEL);
}

LRESULT CFolderDialog::OnDestroy(WPARAM wParam, LPARAM lParam) {
    WaitForWorker();
    return DefaultProc(WM_DESTROY, wParam, lParam);
}

LRESULT CFolderDialog::OnNotify(WPARAM wParam, LPARAM lParam) {
    const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
    LRESULT result = 0;
    if (header.idFrom == kTree && tree_.OnNotify(header, result)) return result;
    return DefaultProc(WM_NOTIFY, wParam, lParam);
}

LRESULT CFolderDialog::OnGetMinMaxInfo(WPARAM, LPARAM lParam) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    const int dpi = fw::DpiOf(Hwnd());
    info->ptMinTrackSize = POINT{fw::ScaleTo(kFolderDialogMinSize.cx, dpi), fw::ScaleTo(kFolderDialogMinSize.cy, dpi)};
    return 0;
}

LRESULT CFolderDialog::OnSize(WPARAM wParam, LPARAM lParam) {
    if (tree_.Hwnd()) LayOut();
    return DefaultProc(WM_SIZE, wParam, lParam);
}

void CFolderDialog::MeasureControls() {
    sizes_.button = SizeOf(Item(IDOK));
    sizes_.check = SizeOf(Item(kSubfolders));
    sizes_.label = SizeOf(Item(kFilterLabel));
    sizes_.filterHeight = SizeOf(Item(kFilter)).cy;
    sizes_.presetWidth = SizeOf(Item(kPresets)).cx;
    sizes_.promptHeight = SizeOf(Item(kPrompt)).cy;
    sizes_.grip = SIZE{::GetSystemMetrics(SM_CXVSCROLL), ::GetSystemMetrics(SM_CYHSCROLL)};
    sizes_.presets = !presets.empty();
    sizes_.dpi = fw::DpiOf(Hwnd());
}

void CFolderDialog::LayOut() {
    RECT client = ClientRect();
    FolderDialogRects r = LayOutFolderDialog(SIZE{client.right, client.bottom}, sizes_);
    struct Placement {
        HWND control;
        const RECT& rect;
    };
    const Placement placements[] = {
        {Item(kPrompt), r.prompt},     {tree_.Hwnd(), r.tree},
        {Item(kFilterLabel), r.label}, {Item(kPresets), r.presetButton},
        {Item(kSubfolders), r.check},  {Item(IDOK), r.ok},
        {Item(IDCANCEL), r.cancel},    {grip_, r.grip},
    };
    HDWP moves = ::BeginDeferWindowPos(static_cast<int>(std::size(placements)) + 1);
    for (const Placement& p : placements) {
        if (!p.control) continue;
        moves = ::DeferWindowPos(moves, p.control, nullptr, p.rect.left, p.rect.top, p.rect.right - p.rect.left,
                                 p.rect.bottom - p.rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // A combo box's height is that of its drop-down list too.
    moves = ::DeferWindowPos(moves, Item(kFilter), nullptr, r.filter.left, r.filter.top, r.filter.right - r.filter.left,
                             kFilterDropHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    ::EndDeferWindowPos(moves);
    ::ShowWindow(Item(kPresets), sizes_.presets ? SW_SHOW : SW_HIDE);
    if (grip_) ::SetWindowPos(grip_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::InvalidateRect(Hwnd(), nullptr, TRUE);
}

} // namespace zevrin
