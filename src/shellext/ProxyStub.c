// Binds the generated proxy file of Nobrel.idl to the RPC run time. The proxy class id is the
// id of the first interface in the file, IID_IMyContextMenu, as the IDL compiler's own glue has it.
#define PROXY_DELEGATION
#include <rpcproxy.h>

#include "ProxyStub.h"
#include "Nobrel_h.h"

extern const ExtendedProxyFileInfo Nobrel_ProxyFileInfo;

static const ProxyFileInfo* proxyFiles[] = {&Nobrel_ProxyFileInfo, 0};
static CStdPSFactoryBuffer proxyFactory;

// The generated stub of a derived interface releases itself through this name.
ULONG WINAPI CStdStubBuffer2_Release(IRpcStubBuffer* This) {
    return NdrCStdStubBuffer2_Release(This, (IPSFactoryBuffer*)&proxyFactory);
}

HRESULT NobrelProxyGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    return NdrDllGetClassObject(clsid, iid, object, proxyFiles, &IID_IMyContextMenu, &proxyFactory);
}

HRESULT NobrelProxyCanUnloadNow(void) { return NdrDllCanUnloadNow(&proxyFactory); }

HRESULT NobrelProxyRegister(HMODULE module) { return NdrDllRegisterProxy(module, proxyFiles, &IID_IMyContextMenu); }

HRESULT NobrelProxyUnregister(HMODULE module) { return NdrDllUnregisterProxy(module, proxyFiles, &IID_IMyContextMenu); }
