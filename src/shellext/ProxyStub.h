#pragma once
// The proxy/stub of IMyContextMenu that the IDL compiler generated, reached through the RPC run
// time: its class object, whether it is in use, and its registration.
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

HRESULT NobrelProxyGetClassObject(REFCLSID clsid, REFIID iid, void** object);
HRESULT NobrelProxyCanUnloadNow(void);
HRESULT NobrelProxyRegister(HMODULE module);
HRESULT NobrelProxyUnregister(HMODULE module);

#ifdef __cplusplus
}
#endif
