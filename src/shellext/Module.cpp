#include "Module.h"

namespace nobrel {

namespace {
HINSTANCE g_instance = nullptr;
LONG g_locks = 0;
LONG g_perUser = 0;
} // namespace

HINSTANCE ModuleInstance() { return g_instance; }
void SetModuleInstance(HINSTANCE instance) { g_instance = instance; }

void LockModule() { InterlockedIncrement(&g_locks); }
void UnlockModule() { InterlockedDecrement(&g_locks); }
LONG ModuleLockCount() { return InterlockedCompareExchange(&g_locks, 0, 0); }

bool PerUserRegistration() { return InterlockedCompareExchange(&g_perUser, 0, 0) != 0; }
void SetPerUserRegistration() { InterlockedExchange(&g_perUser, 1); }

} // namespace nobrel
