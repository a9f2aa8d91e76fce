; The Windows installer: makensis -DVERSION=x.y.z -DFILES=<folder with the program's files>
;   -DOUTFILE=<setup.exe> installer.nsi
; Installs for every user under Program Files with a Start-menu entry and an uninstaller that
; Windows lists; the uninstaller leaves the user's Zentrik.ini where it is.
; A 64-bit installer for the 64-bit program; it also runs where no 32-bit Windows layer exists.
Target amd64-unicode
!include "MUI2.nsh"
!include "x64.nsh"

!ifndef VERSION | FILES | OUTFILE
  !error "usage: makensis -DVERSION=... -DFILES=... -DOUTFILE=... installer.nsi"
!endif

!define PRODUCT "Zentrik Vesmar"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZentrikVesmar"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} installer"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "2026 Dalvenor, GNU GPL 3 or later"

!define MUI_ICON "${FILES}/zentrik-vesmar.ico"
!define MUI_UNICON "${FILES}/zentrik-vesmar.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\zentrik-vesmar.exe"
!define MUI_LANGDLL_ALLLANGUAGES

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${FILES}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one a silent install and an unknown system language get.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Russian"

LangString ShortcutComment ${LANG_ENGLISH} "Set the clock of a mini video camera"
LangString ShortcutComment ${LANG_RUSSIAN} "Установка часов минивидеокамеры"

Function .onInit
  SetShellVarContext all
  SetRegView 64
  !insertmacro MUI_LANGDLL_DISPLAY
FunctionEnd

Function un.onInit
  SetShellVarContext all
  SetRegView 64
  !insertmacro MUI_UNGETLANGUAGE
FunctionEnd

Section "${PRODUCT}"
  SetOutPath "$INSTDIR"
  File "${FILES}/zentrik-vesmar.exe"
  File "${FILES}/LICENSE.txt"
  File "${FILES}/Qt-LGPL-3.txt"
  File "${FILES}/README.txt"
  File "${FILES}/zentrik-vesmar.ico"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\zentrik-vesmar.exe" "" \
    "$INSTDIR\zentrik-vesmar.exe" 0 SW_SHOWNORMAL "" "$(ShortcutComment)"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Dalvenor"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zentrik-vesmar.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there goes; Zentrik.ini, the owner's settings, stays, and so
; does the folder while it holds it.
Section "Uninstall"
  Delete "$INSTDIR\zentrik-vesmar.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Qt-LGPL-3.txt"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\zentrik-vesmar.ico"
  Delete "$INSTDIR\uninstall.exe"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
