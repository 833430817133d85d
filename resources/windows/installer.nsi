; The installer of the Windows program: per user, without administrator rights, into
; %LOCALAPPDATA%\Programs\Wakelatch, with a Start-menu shortcut and an entry in "Apps" (Installed apps).
; Made by cmake/WindowsPackage.cmake (target wakelatch_dist) and by tests/windows/installer.sh:
;   makensis -DVERSION=1.0.0 -DPROGRAM=Wakelatch.exe -DREADME=README.md -DICON=wakelatch.ico
;            -DOUTFILE=Wakelatch-1.0.0-setup.exe installer.nsi
; Silent use: "Wakelatch-1.0.0-setup.exe /S" installs; "uninstall.exe /S" uninstalls and keeps the
; settings (only the interactive uninstaller asks whether to remove them).

Unicode true
; A 64-bit installer for a 64-bit program (an x86 one would install nothing under a 64-bit-only Wine).
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma
ManifestDPIAware true

!macro REQUIRE_DEFINE name
  !ifndef ${name}
    !error "installer.nsi needs -D${name}=..."
  !endif
!macroend
!insertmacro REQUIRE_DEFINE VERSION
!insertmacro REQUIRE_DEFINE PROGRAM
!insertmacro REQUIRE_DEFINE README
!insertmacro REQUIRE_DEFINE ICON
!insertmacro REQUIRE_DEFINE OUTFILE

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Wakelatch"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\Wakelatch"
!define PUBLISHER "Wakelatch contributors"
; The main window's title, shown or hidden in the tray: how a running Wakelatch is found.
!define MAIN_WINDOW_TITLE "Wakelatch Version ${VERSION}"

Name "Wakelatch"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Wakelatch"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Wakelatch ${VERSION}"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Wakelatch.exe"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the fallback; Windows' display language picks German where it is German.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"

LangString RemoveSettings ${LANG_ENGLISH} "Remove Wakelatch's settings too (ticked drives, interval, options, window position)?"
LangString RemoveSettings ${LANG_GERMAN} "Auch die Einstellungen von Wakelatch entfernen (gewählte Laufwerke, Intervall, Optionen, Fensterposition)?"
LangString StillRunning ${LANG_ENGLISH} "Wakelatch is still running and did not end when asked. Please end it and try again."
LangString StillRunning ${LANG_GERMAN} "Wakelatch läuft noch und hat sich nicht beenden lassen. Bitte beenden Sie es und versuchen Sie es erneut."

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Wakelatch"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Wakelatch ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${PUBLISHER}"

; Ends a running Wakelatch politely: WM_CLOSE to its main window, as its exit button, so that it saves what
; an exit saves (window position, autostart entry); then waits for the process itself to end, not only its
; window: its file stays locked until then. Under Wine without a window manager an end takes ~2 s; closed
; while its start-up was still busy on a loaded machine, ~20 s were measured: hence up to 30 s. A copy that
; does not end stops the (un)installer: its files could be neither replaced nor removed.
!macro DEFINE_CLOSE_RUNNING prefix
Function ${prefix}CloseRunningWakelatch
  FindWindow $0 "" "${MAIN_WINDOW_TITLE}"
  ${If} $0 = 0
    Return
  ${EndIf}
  StrCpy $2 0
  System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r2)'
  ; SYNCHRONIZE: enough to wait for the process.
  System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r2) p .r3'
  System::Call 'user32::PostMessageW(p r0, i 0x0010, p 0, p 0)'
  StrCpy $4 0
  ${If} $3 P<> 0
    System::Call 'kernel32::WaitForSingleObject(p r3, i 30000) i .r4'
    System::Call 'kernel32::CloseHandle(p r3)'
  ${Else}
    Sleep 2000
  ${EndIf}
  FindWindow $0 "" "${MAIN_WINDOW_TITLE}"
  ${If} $0 <> 0
  ${OrIf} $4 <> 0
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDOK
    Abort
  ${EndIf}
FunctionEnd
!macroend
!insertmacro DEFINE_CLOSE_RUNNING ""
!insertmacro DEFINE_CLOSE_RUNNING "un."

Section "Wakelatch"
  Call CloseRunningWakelatch
  SetOutPath "$INSTDIR"
  File "/oname=Wakelatch.exe" "${PROGRAM}"
  File "/oname=README.md" "${README}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ; Per user: the shell folders are the current user's (the default for RequestExecutionLevel user).
  CreateShortcut "$SMPROGRAMS\Wakelatch.lnk" "$INSTDIR\Wakelatch.exe" "" "$INSTDIR\Wakelatch.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Wakelatch"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Wakelatch.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

!macro REMOVE_HELP_FILES folder
  Delete "${folder}\wakelatch_help_german.chm"
  Delete "${folder}\wakelatch_help_english.chm"
  RMDir "${folder}"
!macroend

Section "Uninstall"
  ; First end the program: at exit it writes its autostart entry, which is removed below.
  Call un.CloseRunningWakelatch
  DeleteRegValue HKCU "${RUN_KEY}" "Wakelatch"

  ; The help files Wakelatch writes: beside the program, or in %LOCALAPPDATA%\Wakelatch\help where the
  ; program's folder is not writable. Only these files: a folder the user chose may hold other things.
  ; (The shell link type library in the Windows folder is shared by the system and stays.)
  !insertmacro REMOVE_HELP_FILES "$INSTDIR\help"
  !insertmacro REMOVE_HELP_FILES "$LOCALAPPDATA\Wakelatch\help"
  RMDir "$LOCALAPPDATA\Wakelatch"
  ; The private temp folder (its pictures are deleted as soon as they are shown).
  RMDir "$TEMP\Wakelatch"

  Delete "$SMPROGRAMS\Wakelatch.lnk"
  ; A program that has only just ended may hold its file a moment longer (so may a virus scanner): try
  ; again for up to 5 s before the folder is given up.
  StrCpy $5 0
  ${Do}
    ClearErrors
    Delete "$INSTDIR\Wakelatch.exe"
    ${IfNot} ${Errors}
      ${Break}
    ${EndIf}
    IntOp $5 $5 + 1
    ${If} $5 >= 20
      ${Break}
    ${EndIf}
    Sleep 250
  ${Loop}
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ; The settings stay unless the user says otherwise; a silent uninstall keeps them.
  MessageBox MB_YESNO|MB_ICONQUESTION "$(RemoveSettings)" /SD IDNO IDNO keepSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  keepSettings:
SectionEnd
