#include "MyContextMenu.h"

#include "DroppedFiles.h"
#include "Module.h"
#include "NobrelResource.h"
#include "Parameters.h"
#include "ProgramLocator.h"

#include <shellapi.h>

#include <cstddef>
#include <cstring>
#include <cwchar>
#include <memory>
#include <new>

namespace nobrel {

namespace {

constexpr wchar_t kMenuText[] = L"Play with Zevrin";
constexpr wchar_t kHelpText[] = L"Play selected files with Zevrin";
constexpr size_t kHelpWorkChars = 1024;

// Whether the system is Windows Vista or later: unset (-1) until the first object asks.
LONG g_isVista = -1;

bool IsVistaOrLater() {
    if (g_isVista < 0) {
        OSVERSIONINFOW version;
        std::memset(&version, 0, sizeof(version));
        version.dwOSVersionInfoSize = sizeof(version); // 276 bytes
        const bool vista =
            GetVersionExW(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 6;
        InterlockedExchange(&g_isVista, vista ? 1 : 0);
    }
    return g_isVista == 1;
}

// Releases a storage medium however it was handed over.
class MediumScope {
public:
    explicit MediumScope(STGMEDIUM& medium) : medium_(medium) {}
    ~MediumScope() { ReleaseStgMedium(&medium_); }
    MediumScope(const MediumScope&) = delete;
    MediumScope& operator=(const MediumScope&) = delete;

private:
    STGMEDIUM& medium_;
};

} // namespace

// --- creation and identity ---

HRESULT CMyContextMenu::Create(IUnknown* outer, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer && !IsEqualIID(iid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
    auto* menu = new (std::nothrow) CMyContextMenu(outer);
    if (!menu) return E_OUTOFMEMORY;
    menu->inner_.AddRef();
    HRESULT hr = menu->inner_.QueryInterface(iid, object);
    menu->inner_.Release();
    return hr;
}

CMyContextMenu::CMyContextMenu(IUnknown* outer) : outer_(outer ? outer : &inner_) {
    LockModule();
    if (IsVistaOrLater()) bitmap_ = LoadBitmapW(ModuleInstance(), MAKEINTRESOURCEW(IDB_MENU_ITEM));
}

CMyContextMenu::~CMyContextMenu() {
    if (bitmap_) DeleteObject(bitmap_);
    if (typeInfo_) typeInfo_->Release();
    files_.RemoveAll();
    UnlockModule();
}

STDMETHODIMP CMyContextMenu::Inner::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown))
        *object = static_cast<IUnknown*>(this);
    else if (IsEqualIID(iid, IID_IMyContextMenu))
        *object = static_cast<IMyContextMenu*>(&owner_);
    else if (IsEqualIID(iid, IID_IDispatch))
        *object = static_cast<IDispatch*>(&owner_);
    else if (IsEqualIID(iid, IID_IShellExtInit))
        *object = static_cast<IShellExtInit*>(&owner_);
    else if (IsEqualIID(iid, IID_IContextMenu))
        *object = static_cast<IContextMenu*>(&owner_);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    static_cast<IUnknown*>(*object)->AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CMyContextMenu::Inner::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&owner_.references_));
}

STDMETHODIMP_(ULONG) CMyContextMenu::Inner::Release() {
    const LONG left = InterlockedDecrement(&owner_.references_);
    if (left == 0) delete &owner_;
    return static_cast<ULONG>(left);
}

// --- IDispatch ---

HRESULT CMyContextMenu::LoadTypeInfo() {
    if (typeInfo_) return S_OK;
    wchar_t module[MAX_PATH];
    const DWORD length = GetModuleFileNameW(ModuleInstance(), module, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return TYPE_E_CANTLOADLIBRARY;
    ITypeLib* library = nullptr;
    HRESULT hr = LoadTypeLibEx(module, REGKIND_NONE, &library);
    if (FAILED(hr)) return hr;
    ITypeInfo* info = nullptr;
    hr = library->GetTypeInfoOfGuid(IID_IMyContextMenu, &info);
    library->Release();
    if (FAILED(hr)) return hr;
    // A dual interface is listed as its dispatch part; calls go through its vtable part.
    TYPEATTR* attributes = nullptr;
    if (SUCCEEDED(info->GetTypeAttr(&attributes))) {
        const bool dispatchPart = attributes->typekind == TKIND_DISPATCH;
        info->ReleaseTypeAttr(attributes);
        HREFTYPE reference = 0;
        ITypeInfo* vtablePart = nullptr;
        if (dispatchPart && SUCCEEDED(info->GetRefTypeOfImplType(-1, &reference)) &&
            SUCCEEDED(info->GetRefTypeInfo(reference, &vtablePart))) {
            info->Release();
            info = vtablePart;
        }
    }
    typeInfo_ = info;
    return S_OK;
}

STDMETHODIMP CMyContextMenu::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
}

STDMETHODIMP CMyContextMenu::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    HRESULT hr = LoadTypeInfo();
    if (FAILED(hr)) return hr;
    typeInfo_->AddRef();
    *info = typeInfo_;
    return S_OK;
}

STDMETHODIMP CMyContextMenu::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    HRESULT hr = LoadTypeInfo();
    return FAILED(hr) ? hr : DispGetIDsOfNames(typeInfo_, names, count, ids);
}

STDMETHODIMP CMyContextMenu::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                    EXCEPINFO* exception, UINT* badArgument) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    HRESULT hr = LoadTypeInfo();
    if (FAILED(hr)) return hr;
    return DispInvoke(static_cast<IMyContextMenu*>(this), typeInfo_, id, flags, params, result, exception, badArgument);
}

// --- IShellExtInit ---

STDMETHODIMP CMyContextMenu::Initialize(PCIDLIST_ABSOLUTE, IDataObject* data, HKEY) {
    if (!data) return E_INVALIDARG;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&format, &medium))) return E_INVALIDARG;
    MediumScope release(medium);
    if (medium.tymed != TYMED_HGLOBAL) return E_INVALIDARG;
    return ReadDroppedFiles(medium.hGlobal, files_);
}

// --- IContextMenu ---

STDMETHODIMP CMyContextMenu::QueryContextMenu(HMENU menu, UINT index, UINT firstId, UINT lastId, UINT flags) {
    const HRESULT nothingAdded = MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, 0);
    if (flags & CMF_DEFAULTONLY) return nothingAdded;
    // An id past the range Explorer offers would collide with another handler's command.
    if (firstId > lastId) return nothingAdded;
    const int before = GetMenuItemCount(menu);
    if (before < 0 || !InsertMenuW(menu, index, MF_BYPOSITION | MF_STRING, firstId, kMenuText)) return nothingAdded;
    // A position past the end appends, so the item is where it landed.
    const UINT position = index < static_cast<UINT>(before) ? index : static_cast<UINT>(before);
    if (bitmap_) SetMenuItemBitmaps(menu, position, MF_BYPOSITION, bitmap_, bitmap_);
    return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, 1);
}

STDMETHODIMP CMyContextMenu::GetCommandString(UINT_PTR id, UINT type, UINT*, CHAR* name, UINT size) {
    if (id != 0) return E_INVALIDARG;
    switch (type) {
    case GCS_HELPTEXTA:
    case GCS_HELPTEXTW: {
        // Nothing can be written into a missing or empty buffer, not even the terminator.
        if (!name || size == 0) return E_INVALIDARG;
        wchar_t work[kHelpWorkChars] = {};
        wcsncpy(work, kHelpText, kHelpWorkChars - 1);
        if (type == GCS_HELPTEXTW) {
            auto* out = reinterpret_cast<wchar_t*>(name);
            wcsncpy(out, work, size);
            out[size - 1] = L'\0';
        } else {
            char narrow[4 * kHelpWorkChars] = {};
            WideCharToMultiByte(CP_THREAD_ACP, 0, work, -1, narrow, sizeof(narrow) - 1, nullptr, nullptr);
            strncpy(name, narrow, size);
            name[size - 1] = '\0';
        }
        return S_OK;
    }
    case GCS_VALIDATEA:
    case GCS_VALIDATEW:
        return S_OK;
    default: // GCS_VERBA and GCS_VERBW among them: the item has no verb
        return E_INVALIDARG;
    }
}

STDMETHODIMP CMyContextMenu::InvokeCommand(CMINVOKECOMMANDINFO* info) {
    // The record must at least reach the verb before the verb is read.
    if (!info || info->cbSize < offsetof(CMINVOKECOMMANDINFO, lpVerb) + sizeof(info->lpVerb)) return E_INVALIDARG;
    if (!IS_INTRESOURCE(info->lpVerb) || LOWORD(reinterpret_cast<ULONG_PTR>(info->lpVerb)) != 0) return E_INVALIDARG;
    wchar_t program[kProgramPathChars];
    if (!FindProgram(program)) return E_INVALIDARG;
    std::unique_ptr<wchar_t[]> parameters(new (std::nothrow) wchar_t[kParameterChars]());
    if (!parameters) return E_OUTOFMEMORY;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    BuildParameters(files_, shift, parameters.get(), ParameterCapacity(std::wcslen(program)));
    ShellExecuteW(nullptr, nullptr, program, parameters.get(), nullptr, SW_SHOW);
    files_.RemoveAll();
    return S_OK;
}

} // namespace nobrel
