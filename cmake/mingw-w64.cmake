# Cross-compiling for 64-bit Windows with mingw-w64 (posix threads flavour).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)   # with AMD64 libpng silently drops its SSE2 code

set(tool_prefix x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${tool_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${tool_prefix}-g++-posix)
set(CMAKE_RC_COMPILER  ${tool_prefix}-windres)
set(CMAKE_AR           /usr/bin/${tool_prefix}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB       /usr/bin/${tool_prefix}-ranlib CACHE FILEPATH "")

# No mingw DLLs to ship next to the programs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

set(CMAKE_FIND_ROOT_PATH ${ZEVRIN_DEPS_PREFIX} /usr/${tool_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# CMake's pkg-config module ignores the find root.
if(ZEVRIN_DEPS_PREFIX)
  set(ENV{PKG_CONFIG_LIBDIR} ${ZEVRIN_DEPS_PREFIX}/lib/pkgconfig)
  set(ENV{PKG_CONFIG_PATH} "")
endif()

# Lets ctest and gtest_discover_tests run the .exe files under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/env;WINEDEBUG=-all;WINEDLLOVERRIDES=mscoree,mshtml=;wine)
