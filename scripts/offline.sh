# Keeps Zevrin.exe started by the scripts and tests on this machine: with its default settings the
# program checks the web site for updates after start-up. Source it; it needs WINEPREFIX set.

zevrin_offline_key='HKCU\Software\Tresk\Zevrin\Settings'

zevrin_keep_offline() { # the update check goes to a closed port here and runs only when asked
    wine reg add "$zevrin_offline_key" /v UpdateURL /t REG_SZ /d 'http://127.0.0.1:9/zevrin/update.xml' /f >/dev/null 2>&1
    wine reg query "$zevrin_offline_key" /v AutoCheckUpdate >/dev/null 2>&1 ||
        wine reg add "$zevrin_offline_key" /v AutoCheckUpdate /t REG_DWORD /d 0 /f >/dev/null 2>&1
}

zevrin_check_offline() { # fails when the settings a run left would let the program check the web site
    local values
    values="$(wine reg query "$zevrin_offline_key" 2>/dev/null)" || return 0 # no settings left
    values="${values//$'\r'/}"
    grep -Eq '^\s*UpdateURL\s+REG_SZ\s+https?://127\.0\.0\.1[:/]' <<<"$values" && return 0
    grep -Eq '^\s*AutoCheckUpdate\s+REG_DWORD\s+0x0\s*$' <<<"$values" && return 0
    echo "FAIL: a test started Zevrin.exe without KeepUpdateCheckOffline (tests/KeepOffline.h): its settings would check the web site for updates" >&2
    echo "$values" >&2
    return 1
}
