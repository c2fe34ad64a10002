; The Windows installer of Zevrin: a 64-bit per-machine install into Program Files with the
; modern wizard, Start-menu shortcuts, an "Apps & features" entry and an uninstaller that keeps
; the user's own data unless asked to remove it.
;
; scripts/package.sh compiles it and defines:
;   VERSION     the version text, "3.0.0"          VERSION4  the same with a fourth part, "3.0.0.0"
;   OUTFILE     the installer to write              LICENSE   the licence text shown and installed
;   ICON        the program's icon                  FILES     the generated File commands of the install tree
;   UNFILES     the generated Delete/RMDir commands of the same tree, deepest first
;
; Silent use: "Zevrin-<version>-setup.exe /S [/D=<folder>]" installs; "Uninstall.exe /S" uninstalls,
; keeping settings and playlists unless "/RemoveSettings" is given too.

Unicode true
Target amd64-unicode
SetCompressor /SOLID zlib
; No file times in the package: the same install tree gives the same installer.
SetDateSave off
ManifestDPIAware true
RequestExecutionLevel admin

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include WinMessages.nsh

!define APP_NAME "Zevrin"
!define MAKER "Tresk"
!define APP_KEY "Software\${MAKER}\${APP_NAME}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP_NAME}"
!define FRAME_CLASS "ZevrinFrame"
!define PLAY_PROGID "${MAKER}.${APP_NAME}.play"

Name "${APP_NAME}"
Caption "${APP_NAME} ${VERSION} Setup"
UninstallCaption "${APP_NAME} ${VERSION} Uninstall"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${APP_NAME}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${APP_NAME} ${VERSION}"
ShowInstDetails hide
ShowUninstDetails hide

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=1033 "ProductName" "${APP_NAME}"
VIAddVersionKey /LANG=1033 "CompanyName" "${MAKER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${APP_NAME} ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${MAKER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_WELCOMEPAGE_TITLE "Welcome to ${APP_NAME} ${VERSION} Setup"
!define MUI_FINISHPAGE_SHOWREADME ""
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show the licence and third-party notices"
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION ShowLicense

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!define MUI_COMPONENTSPAGE_TEXT_TOP "Zevrin will be removed from your computer. Your settings and playlists stay unless you tick the box below."
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; A running Zevrin holds its files: it is asked to close (the user is asked first; a silent run
; does not ask), and ended when it has not closed after five seconds. Cancel stops the run.
!macro CLOSE_RUNNING_ZEVRIN prefix
Function ${prefix}CloseRunningZevrin
    FindWindow $0 "${FRAME_CLASS}"
    ${If} $0 == 0
        Return
    ${EndIf}
    MessageBox MB_OKCANCEL|MB_ICONEXCLAMATION "${APP_NAME} is running.$\r$\n$\r$\nClick OK to close it and continue, or Cancel to stop." /SD IDOK IDOK close
    Quit
close:
    DetailPrint "Closing ${APP_NAME}..."
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    StrCpy $1 0
    ${Do}
        FindWindow $0 "${FRAME_CLASS}"
        ${If} $0 == 0
            Sleep 500  ; the window is gone; let the process and its tools finish ending
            Return
        ${EndIf}
        ${If} $1 >= 25
            ${Break}
        ${EndIf}
        Sleep 200
        IntOp $1 $1 + 1
    ${Loop}
    DetailPrint "Ending ${APP_NAME}..."
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i 0 r2) i'
    System::Call 'kernel32::OpenProcess(i 0x00100001, i 0, i r2) p .r3'
    ${If} $3 P<> 0
        System::Call 'kernel32::TerminateProcess(p r3, i 1)'
        System::Call 'kernel32::WaitForSingleObject(p r3, i 5000)'
        System::Call 'kernel32::CloseHandle(p r3)'
    ${EndIf}
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_ZEVRIN ""
!insertmacro CLOSE_RUNNING_ZEVRIN "un."

; The program's ".play" type under one root's classes. An extension another program has taken
; over since is left alone, and so are subkeys others added to it.
!macro REMOVE_PLAY_TYPE root
    ReadRegStr $0 ${root} "Software\Classes\.play" ""
    ${If} $0 == "${PLAY_PROGID}"
        DeleteRegValue ${root} "Software\Classes\.play" ""
        DeleteRegKey /ifempty ${root} "Software\Classes\.play"
    ${EndIf}
    DeleteRegKey ${root} "Software\Classes\${PLAY_PROGID}"
!macroend

Function ShowLicense
    ExecShell "open" "$INSTDIR\License.txt"
FunctionEnd

Section "${APP_NAME} (required)" SecProgram
    SectionIn RO
    SetShellVarContext all
    Call CloseRunningZevrin

    ; An earlier install in this folder is taken away by its own uninstaller first (in place,
    ; keeping the user's data), so no file of an older version stays behind.
    ${If} ${FileExists} "$INSTDIR\Uninstall.exe"
        DetailPrint "Removing the earlier installation..."
        ExecWait '"$INSTDIR\Uninstall.exe" /S _?=$INSTDIR'
        Delete "$INSTDIR\Uninstall.exe"
    ${EndIf}

    !include "${FILES}"
    SetOutPath "$INSTDIR"
    File "/oname=License.txt" "${LICENSE}"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    ; The program looks for its folder here (without it: beside itself).
    WriteRegStr HKCU "${APP_KEY}" "AppFolder" "$INSTDIR"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APP_NAME}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${MAKER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Zevrin.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0

    ; The Explorer extension, registered as the program's settings register it.
    DetailPrint "Registering the Explorer extension..."
    ExecWait '"$SYSDIR\regsvr32.exe" /s /c "$INSTDIR\Nobrel.dll"' $0
    ${If} $0 != 0
        DetailPrint "The Explorer extension could not be registered ($0)."
    ${EndIf}
    ; ".play" through the program's own registration.
    ExecWait '"$INSTDIR\Zevrin.exe" /Register'

    CreateDirectory "$SMPROGRAMS\${APP_NAME}"
    CreateShortcut "$SMPROGRAMS\${APP_NAME}\${APP_NAME}.lnk" "$INSTDIR\Zevrin.exe" "" "$INSTDIR\Zevrin.exe" 0
    CreateShortcut "$SMPROGRAMS\${APP_NAME}\Uninstall.lnk" "$INSTDIR\Uninstall.exe" "" "$INSTDIR\Uninstall.exe" 0
SectionEnd

Section /o "Desktop shortcut" SecDesktop
    SetShellVarContext all
    CreateShortcut "$DESKTOP\${APP_NAME}.lnk" "$INSTDIR\Zevrin.exe" "" "$INSTDIR\Zevrin.exe" 0
SectionEnd

Section "un.${APP_NAME}" UnSecProgram
    SectionIn RO
    SetShellVarContext all
    Call un.CloseRunningZevrin

    DetailPrint "Unregistering the Explorer extension..."
    ExecWait '"$SYSDIR\regsvr32.exe" /s /u "$INSTDIR\Nobrel.dll"'

    ; ".play" as the program registered it: for this user, or machine-wide where the program
    ; writes the merged classes (older systems, Wine).
    !insertmacro REMOVE_PLAY_TYPE HKCU
    !insertmacro REMOVE_PLAY_TYPE HKLM

    !include "${UNFILES}"
    Delete "$INSTDIR\License.txt"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"

    Delete "$SMPROGRAMS\${APP_NAME}\${APP_NAME}.lnk"
    Delete "$SMPROGRAMS\${APP_NAME}\Uninstall.lnk"
    RMDir "$SMPROGRAMS\${APP_NAME}"
    Delete "$DESKTOP\${APP_NAME}.lnk"

    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DeleteRegValue HKCU "${APP_KEY}" "AppFolder"
    DeleteRegKey /ifempty HKCU "${APP_KEY}"
    DeleteRegKey /ifempty HKCU "Software\${MAKER}"
SectionEnd

Section /o "un.Remove my settings and playlists" UnSecUserData
    SetShellVarContext current
    DeleteRegKey HKCU "${APP_KEY}"
    DeleteRegKey /ifempty HKCU "Software\${MAKER}"
    RMDir /r "$APPDATA\${MAKER}\${APP_NAME}"
    RMDir "$APPDATA\${MAKER}"
SectionEnd

Function un.onInit
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/RemoveSettings" $1
    ${IfNot} ${Errors}
        SectionSetFlags ${UnSecUserData} ${SF_SELECTED}
    ${EndIf}
FunctionEnd
