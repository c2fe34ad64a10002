#pragma once
// The class factory of CMyContextMenu. Each request for it gets a factory of its own, which
// holds the module while it lives; LockServer adds the server locks the caller asks for.
#include <windows.h>
#include <unknwn.h>

namespace nobrel {

// Hands out the factory's `iid`; the caller owns the reference.
HRESULT GetContextMenuFactory(REFIID iid, void** object);

} // namespace nobrel
