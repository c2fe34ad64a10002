// The five entry points of Nobrel.dll (exported by name, ordinals 1 to 5, through Nobrel.def)
// and its DllMain.
#include "ClassFactory.h"
#include "Module.h"
#include "Nobrel_h.h"
#include "ProxyStub.h"
#include "Registration.h"

#include <windows.h>
#include <shlwapi.h>

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        nobrel::SetModuleInstance(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllCanUnloadNow() {
    if (NobrelProxyCanUnloadNow() != S_OK) return S_FALSE;
    return nobrel::ModuleLockCount() == 0 ? S_OK : S_FALSE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (SUCCEEDED(NobrelProxyGetClassObject(clsid, iid, object))) return S_OK;
    *object = nullptr;
    if (IsEqualCLSID(clsid, CLSID_MyContextMenu)) return nobrel::GetContextMenuFactory(iid, object);
    return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllInstall(BOOL install, LPCWSTR commandLine) { return nobrel::InstallServer(install, commandLine); }

STDAPI DllRegisterServer() { return nobrel::RegisterServer(); }

STDAPI DllUnregisterServer() { return nobrel::UnregisterServer(); }

} // extern "C"
