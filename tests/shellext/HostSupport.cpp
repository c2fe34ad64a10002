#include "HostSupport.h"

#include <shlobj.h>

#include <cstdlib>
#include <cstring>

namespace nobrel::test {

std::wstring EnvironmentPath(const char* name) {
    const char* value = std::getenv(name);
    return value ? FromUtf8(value) : std::wstring();
}
std::wstring InstalledLibrary() { return EnvironmentPath("NOBREL_DLL"); }
std::wstring StandInProgram() { return EnvironmentPath("NOBREL_STANDIN"); }
std::wstring WorkFolder() { return EnvironmentPath("NOBREL_WORK"); }

std::string Utf8(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring FromUtf8(const std::string& text) {
    int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    for (DWORD start = GetTickCount();; Sleep(50)) {
        if (done()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
    }
}

std::wstring ReadUtf8File(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string text(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
    CloseHandle(file);
    text.resize(read);
    return FromUtf8(text);
}

long RunToEnd(const std::wstring& commandLine, DWORD timeoutMs) {
    std::wstring line = commandLine;
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    CloseHandle(pi.hThread);
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
    else TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    return static_cast<long>(code);
}

long Regsvr32(const std::wstring& arguments, const std::wstring& library) {
    return RunToEnd(L"regsvr32.exe " + arguments + L" \"" + library + L"\"");
}

namespace {

void DumpInto(HKEY key, const std::wstring& prefix, RegistryDump& dump) {
    auto& values = dump[prefix];
    for (DWORD i = 0;; ++i) {
        wchar_t name[16384];
        DWORD nameChars = 16384, type = 0, bytes = 0;
        if (RegEnumValueW(key, i, name, &nameChars, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) break;
        std::vector<BYTE> data(bytes + 2);
        nameChars = 16384;
        RegEnumValueW(key, i, name, &nameChars, nullptr, &type, data.data(), &bytes);
        std::wstring text;
        if (type == REG_SZ || type == REG_EXPAND_SZ)
            text = reinterpret_cast<const wchar_t*>(data.data());
        else if (type == REG_DWORD)
            text = std::to_wstring(*reinterpret_cast<const DWORD*>(data.data()));
        else
            text = L"<type " + std::to_wstring(type) + L", " + std::to_wstring(bytes) + L" bytes>";
        values[name] = text;
    }
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameChars = 256;
        if (RegEnumKeyExW(key, i, name, &nameChars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        HKEY sub = nullptr;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, &sub) != ERROR_SUCCESS) continue;
        DumpInto(sub, prefix.empty() ? name : prefix + L"\\" + name, dump);
        RegCloseKey(sub);
    }
}

} // namespace

RegistryDump DumpKey(HKEY root, const std::wstring& path) {
    RegistryDump dump;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.empty() ? nullptr : path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return dump;
    DumpInto(key, L"", dump);
    RegCloseKey(key);
    return dump;
}

bool KeyExists(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::wstring StringValue(HKEY root, const std::wstring& path, const wchar_t* name) {
    wchar_t data[2048] = {};
    DWORD bytes = sizeof(data) - sizeof(wchar_t);
    if (RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &bytes) != ERROR_SUCCESS) return L"<missing>";
    return data;
}

HGLOBAL MakeDropBlock(const std::vector<std::wstring>& paths) {
    size_t chars = paths.empty() ? 2 : 1;  // an empty list is two terminators
    for (const auto& p : paths) chars += p.size() + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    auto* out = reinterpret_cast<wchar_t*>(header + 1);
    for (const auto& p : paths) {
        std::memcpy(out, p.c_str(), (p.size() + 1) * sizeof(wchar_t));
        out += p.size() + 1;
    }
    GlobalUnlock(memory);
    return memory;
}

namespace {

// Hands out a fresh copy of its block for CF_HDROP / TYMED_HGLOBAL and refuses everything else.
class DropObject final : public IDataObject {
public:
    DropObject(std::vector<BYTE> block, bool withDrop) : block_(std::move(block)), withDrop_(withDrop) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
            *object = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    STDMETHODIMP_(ULONG) Release() override {
        LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override {
        HRESULT hr = QueryGetData(format);
        if (FAILED(hr)) return hr;
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, block_.size());
        if (!memory) return E_OUTOFMEMORY;
        std::memcpy(GlobalLock(memory), block_.data(), block_.size());
        GlobalUnlock(memory);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = memory;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* format) override {
        if (!withDrop_ || !format || format->cfFormat != CF_HDROP) return DV_E_FORMATETC;
        return (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_TYMED;
    }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out) out->ptd = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    LONG references_ = 1;
    std::vector<BYTE> block_;
    bool withDrop_;
};

} // namespace

IDataObject* NewDropObject(const std::vector<std::wstring>& paths, bool withDrop) {
    HGLOBAL memory = MakeDropBlock(paths);
    const auto* data = static_cast<const BYTE*>(GlobalLock(memory));
    std::vector<BYTE> block(data, data + GlobalSize(memory));
    GlobalUnlock(memory);
    GlobalFree(memory);
    return new DropObject(std::move(block), withDrop);
}

IDataObject* NewRawDropObject(const std::vector<BYTE>& block) { return new DropObject(block, true); }

} // namespace nobrel::test
