#pragma once
// What Nobrel knows about itself as a loaded library: its module handle, the lock count that
// tells the system whether the library may be unloaded (live objects, class factories and
// server locks), and whether registration goes to the current user instead of the machine.
#include <windows.h>

namespace nobrel {

HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);

void LockModule();
void UnlockModule();
LONG ModuleLockCount();

// Switched on by DllInstall's "user" command line, for the rest of the process.
bool PerUserRegistration();
void SetPerUserRegistration();

// Holds one lock on the module for as long as it lives.
class ModuleLock {
public:
    ModuleLock() { LockModule(); }
    ~ModuleLock() { UnlockModule(); }
    ModuleLock(const ModuleLock&) = delete;
    ModuleLock& operator=(const ModuleLock&) = delete;
};

} // namespace nobrel
