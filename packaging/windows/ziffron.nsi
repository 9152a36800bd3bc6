; The Windows installer. scripts/build-windows.sh passes STAGE (the folder with
; the programs, DLLs, fonts and sample media), OUTFILE and VERSION.
Unicode true
; A 64-bit installer for the 64-bit programs: it also runs where Windows (or
; Wine) has no 32-bit layer.
Target amd64-unicode
SetCompressor /SOLID lzma
!include "MUI2.nsh"

!ifndef VERSION
  !define VERSION "0.0.0"
!endif
!define REGKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Ziffron"

Name "Ziffron ${VERSION}"
OutFile "${OUTFILE}"
; The folder name is appended to whatever folder the user picks, so the
; uninstaller's RMDir /r never removes more than the program's own folder.
InstallDir "$PROGRAMFILES64\Ziffron"
InstallDirRegKey HKLM "Software\Ziffron" "InstallDir"
RequestExecutionLevel admin

!insertmacro MUI_PAGE_WELCOME
; GPL-3.0-or-later: shown for reading, not for accepting (it governs copying,
; not use).
!define MUI_LICENSEPAGE_TEXT_TOP "Ziffron ist freie Software unter der GNU General Public License, Version 3 oder später."
!define MUI_LICENSEPAGE_BUTTON "Weiter"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "Die Lizenz regelt das Weitergeben und Verändern, nicht die Benutzung."
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\ziffron.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

Section "Ziffron"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\Deinstallieren.exe"
  CreateDirectory "$SMPROGRAMS\Ziffron"
  CreateShortcut "$SMPROGRAMS\Ziffron\Ziffron.lnk" "$INSTDIR\ziffron.exe" "" "$INSTDIR\ziffron.exe" 0
  CreateShortcut "$SMPROGRAMS\Ziffron\Ziffron deinstallieren.lnk" "$INSTDIR\Deinstallieren.exe"
  CreateShortcut "$SMPROGRAMS\Ziffron\Liesmich.lnk" "$INSTDIR\README.txt"
  WriteRegStr HKLM "Software\Ziffron" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${REGKEY}" "DisplayName" "Ziffron"
  WriteRegStr HKLM "${REGKEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${REGKEY}" "DisplayIcon" "$INSTDIR\ziffron.exe"
  WriteRegStr HKLM "${REGKEY}" "UninstallString" '"$INSTDIR\Deinstallieren.exe"'
  WriteRegStr HKLM "${REGKEY}" "QuietUninstallString" '"$INSTDIR\Deinstallieren.exe" /S'
  WriteRegDWORD HKLM "${REGKEY}" "NoModify" 1
  WriteRegDWORD HKLM "${REGKEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  ; A running program keeps its files; stop before anything is removed.
  Delete "$INSTDIR\ziffron.exe"
  IfFileExists "$INSTDIR\ziffron.exe" 0 +3
    MessageBox MB_OK|MB_ICONSTOP "Ziffron läuft noch. Bitte zuerst das Programm beenden." /SD IDOK
    Abort
  Delete "$SMPROGRAMS\Ziffron\Ziffron.lnk"
  Delete "$SMPROGRAMS\Ziffron\Ziffron deinstallieren.lnk"
  Delete "$SMPROGRAMS\Ziffron\Liesmich.lnk"
  RMDir "$SMPROGRAMS\Ziffron"
  RMDir /r "$INSTDIR"
  DeleteRegKey HKLM "${REGKEY}"
  DeleteRegKey HKLM "Software\Ziffron"
SectionEnd
