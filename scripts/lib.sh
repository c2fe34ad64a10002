# Shared by run.sh and test.sh: building the project and the Wine/X environment it runs in.
# Source it; it defines functions and sets $root, $build, $dist.

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${ZEVRIN_BUILD_DIR:-$root/build}"
dist="${ZEVRIN_DIST_DIR:-$root/dist/Zevrin}"
source "$root/scripts/offline.sh"
deps_prefix="$(readlink -f "${ZEVRIN_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zevrin-deps}/current")"
started_pids=()

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

zevrin_build() { # configure, build and lay out the install tree; the logs stay in the build tree
    mkdir -p "$build"
    cmake -S "$root" -B "$build" -G "Unix Makefiles" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
        -DZEVRIN_DEPS_PREFIX="$deps_prefix" -DCMAKE_BUILD_TYPE=Release >"$build/configure.log" 2>&1 ||
        { cat "$build/configure.log"; return 1; }
    if ! cmake --build "$build" -j "$(nproc)" >"$build/build.log" 2>&1; then
        grep -E 'error|Error' "$build/build.log" | head -n 40
        echo "build failed: see $build/build.log" >&2
        return 1
    fi
    rm -rf "$dist"
    cmake --install "$build" --prefix "$dist" >"$build/install.log" 2>&1 || { cat "$build/install.log"; return 1; }
}

zevrin_display() { # use $DISPLAY, or start a private Xvfb and export its display
    if [ -n "${DISPLAY:-}" ]; then return 0; fi
    local n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    started_pids+=($!)
    export DISPLAY=":$n"
    for _ in $(seq 100); do
        xdpyinfo >/dev/null 2>&1 && { ZEVRIN_OWN_DISPLAY=1; return 0; }
        sleep 0.1
    done
    echo "could not start Xvfb" >&2
    return 1
}

zevrin_wine_prefix() { # prefix-dir [fresh]: point WINEPREFIX at it, creating it when needed
    export WINEPREFIX="$1"
    if [ "${2:-}" = fresh ]; then rm -rf "$WINEPREFIX"; fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i >/dev/null 2>&1 || true
    fi
    # Keep one server up for the whole run: every program start is then cheap. The server
    # wineboot left behind is replaced by a persistent one (it saves the registry as it goes).
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    wineserver -p
    wine cmd /c exit >/dev/null 2>&1
}

zevrin_unmanaged_windows() { # the test prefix: no top-level window waits for a window manager
    # Xvfb has no window manager, and Wine waits up to 2 s for one whenever it hides or destroys
    # a managed window: every test that shows a frame paid that. Unmanaged, nothing waits.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
}

zevrin_set_app_folder() { # writes AppFolder as an installer would
    wine reg add 'HKCU\Software\Tresk\Zevrin' /v AppFolder /t REG_SZ /d "$(winepath -w "$dist")" /f >/dev/null 2>&1
}

zevrin_no_skips() { # ctest-log: fails, loudly, when CTest skipped a test
    local skipped
    skipped=$(grep -cE '^[[:space:]]*[0-9]+ - .*\(Skipped\)$' "$1" || true)
    ((skipped == 0)) && return 0
    echo "test.sh: $skipped test(s) SKIPPED, counted as failures: every tool, clip and the install tree" \
         "are set up here, so a skip hides coverage (outputs in ${build#"$root"/}/Testing/Temporary/LastTest.log)" >&2
    return 1
}

zevrin_cleanup() { # stop the Wine server and whatever this script started, by process id
    if [ -n "${WINEPREFIX:-}" ]; then wineserver -k 2>/dev/null || true; fi
    local pid
    for pid in "${started_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}
