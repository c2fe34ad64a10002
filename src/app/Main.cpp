// The program's entry point and its one application object.
#include "app/ZevrinApp.h"

#include <windows.h>

namespace {
zevrin::CZevrinApp theApp;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) { return theApp.Run(); }
