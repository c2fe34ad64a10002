#pragma once
// What the Nobrel tests share: the paths the test script hands over, programs run to their end,
// a hand-written data object carrying CF_HDROP (as Explorer passes a selection), and a dump of
// registry keys and values for comparing states before and after registration.
#include <windows.h>
#include <objidl.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace nobrel::test {

// Windows paths from the environment the test script sets; empty when it is not set.
std::wstring EnvironmentPath(const char* name);
std::wstring InstalledLibrary();  // NOBREL_DLL: dist's Nobrel.dll
std::wstring StandInProgram();    // NOBREL_STANDIN
std::wstring WorkFolder();        // NOBREL_WORK: a folder of the build tree the tests may fill

std::string Utf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs);

// A whole file's bytes as UTF-8 text, decoded; empty when it can't be read.
std::wstring ReadUtf8File(const std::wstring& path);

// Runs a command line to its end (at most `timeoutMs`); its exit code, or -1.
long RunToEnd(const std::wstring& commandLine, DWORD timeoutMs = 60000);
// Runs the system's registration tool with `arguments` in front of the quoted library path.
long Regsvr32(const std::wstring& arguments, const std::wstring& library);

// Every key under `root\path` (relative names, the key itself as "") with its values as text.
using RegistryDump = std::map<std::wstring, std::map<std::wstring, std::wstring>>;
RegistryDump DumpKey(HKEY root, const std::wstring& path);
bool KeyExists(HKEY root, const std::wstring& path);
// The default or named string value; "<missing>" when there is none.
std::wstring StringValue(HKEY root, const std::wstring& path, const wchar_t* name = nullptr);

// A data object offering one format: CF_HDROP with `paths` (wide), or nothing when `withDrop`
// is false; NewRawDropObject offers bytes of the test's own as the block.
IDataObject* NewDropObject(const std::vector<std::wstring>& paths, bool withDrop = true);
IDataObject* NewRawDropObject(const std::vector<BYTE>& block);
// A CF_HDROP block in global memory, as the shell makes them.
HGLOBAL MakeDropBlock(const std::vector<std::wstring>& paths);

inline constexpr wchar_t kZevrinKey[] = L"Software\\Tresk\\Zevrin";

// Holds one reference to a COM interface.
template <class T>
class Ref {
public:
    Ref() = default;
    explicit Ref(T* p) : p_(p) {}
    ~Ref() {
        if (p_) p_->Release();
    }
    Ref(Ref&& o) noexcept : p_(o.p_) { o.p_ = nullptr; }
    Ref& operator=(Ref&& o) noexcept {
        if (this != &o) {
            Reset();
            p_ = o.p_;
            o.p_ = nullptr;
        }
        return *this;
    }
    T* operator->() const { return p_; }
    T* Get() const { return p_; }
    T** Out() { return &p_; }
    void Reset() {
        if (p_) p_->Release();
        p_ = nullptr;
    }
    template <class Q>
    Ref<Q> As(REFIID iid) const {
        Ref<Q> q;
        if (p_) p_->QueryInterface(iid, reinterpret_cast<void**>(q.Out()));
        return q;
    }

private:
    T* p_ = nullptr;
};

inline void SetAppFolder(DWORD type, const void* data, DWORD bytes) {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, kZevrinKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExW(key, L"AppFolder", 0, type, static_cast<const BYTE*>(data), bytes);
    RegCloseKey(key);
}
inline void SetAppFolder(const std::wstring& folder) {
    SetAppFolder(REG_SZ, folder.c_str(), static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
}

// Shift as GetKeyState sees it on this thread.
inline void HoldShift(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    keys[VK_LSHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

} // namespace nobrel::test
