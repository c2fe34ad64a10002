#pragma once
// The class Explorer creates for every context menu of files and folders: it takes the selection
// (IShellExtInit), adds "Play with Zevrin" to the menu and starts Zevrin.exe with the selected
// paths when that item is chosen (IContextMenu). IMyContextMenu is its dual interface, served
// from the library's own type library. The object may be aggregated; it lives on the thread that
// created it and takes no locks. Everything it does runs inside Explorer, so no call throws,
// blocks on anything but the program start, or writes past a buffer.
#include "FileList.h"
#include "Nobrel_h.h"

#include <windows.h>
#include <shlobj.h>

namespace nobrel {

class CMyContextMenu final : public IMyContextMenu, public IShellExtInit, public IContextMenu {
public:
    // Creates an object and hands out `iid` of it; with `outer` the object is aggregated and
    // `iid` must be IID_IUnknown.
    static HRESULT Create(IUnknown* outer, REFIID iid, void** object);

    // IUnknown, delegated to the controlling unknown.
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override { return outer_->QueryInterface(iid, object); }
    STDMETHODIMP_(ULONG) AddRef() override { return outer_->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return outer_->Release(); }

    // IDispatch, from the type library.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* badArgument) override;

    // IShellExtInit
    STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE folder, IDataObject* data, HKEY progIdKey) override;

    // IContextMenu
    STDMETHODIMP QueryContextMenu(HMENU menu, UINT index, UINT firstId, UINT lastId, UINT flags) override;
    STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* info) override;
    STDMETHODIMP GetCommandString(UINT_PTR id, UINT type, UINT* reserved, CHAR* name, UINT size) override;

private:
    // The object's own IUnknown: identity, reference count and the interface table.
    class Inner final : public IUnknown {
    public:
        explicit Inner(CMyContextMenu& owner) : owner_(owner) {}
        STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
        STDMETHODIMP_(ULONG) AddRef() override;
        STDMETHODIMP_(ULONG) Release() override;

    private:
        CMyContextMenu& owner_;
    };

    explicit CMyContextMenu(IUnknown* outer);
    ~CMyContextMenu();
    CMyContextMenu(const CMyContextMenu&) = delete;
    CMyContextMenu& operator=(const CMyContextMenu&) = delete;

    HRESULT LoadTypeInfo();

    Inner inner_{*this};
    IUnknown* outer_;
    LONG references_ = 0;
    HBITMAP bitmap_ = nullptr;
    ITypeInfo* typeInfo_ = nullptr;
    CFileList files_;
};

} // namespace nobrel
