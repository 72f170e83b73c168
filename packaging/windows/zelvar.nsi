; The Windows installer: per user, without administrator rights, into
; %LOCALAPPDATA%\Programs\Zelvar, with two Start-menu entries, an entry in the list of installed
; programs that removes it, and the choice to start the calendar at login.
; Silent: Zelvar-<version>-setup.exe /S [/AUTOSTART] [/D=folder]; the uninstaller takes /S too.
; makensis -INPUTCHARSET UTF8 -DVERSION=... -DICON=... -DWORK=... -DOUTFILE=... zelvar.nsi
; (WORK holds install-files.nsh, uninstall-files.nsh and the per-user-files marker.)

; The programs are x86-64 only, and so is the installer (Wine here runs no 32-bit programs).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestSupportedOS all
ManifestDPIAware true

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelvar"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The value the options dialog's "ログイン時に起動する" sets and removes too.
!define RUN_VALUE "Zelvar"
!define CALENDAR_LINK "$SMPROGRAMS\カレンダー (Zelvar).lnk"
!define EDITOR_LINK "$SMPROGRAMS\祝日・元号の設定 (Korinset).lnk"

Name "Zelvar ${VERSION}"
Caption "Zelvar ${VERSION} セットアップ"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Zelvar"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Zelvar ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1041 "ProductName" "Zelvar"
VIAddVersionKey /LANG=1041 "FileDescription" "Zelvar ${VERSION} セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "The Zelvar maintainers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Zelvar.exe"
!define MUI_FINISHPAGE_RUN_TEXT "カレンダーを起動する"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

Section "カレンダーと祝日・元号の設定" SectionPrograms
  SectionIn RO
  ; Programs still running would keep their files: ask to close them first.
  retry:
  ClearErrors
  FileOpen $0 "$INSTDIR\Zelvar.exe" a
  ${If} ${Errors}
  ${AndIf} ${FileExists} "$INSTDIR\Zelvar.exe"
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Zelvar が起動しています。終了してから「再試行」を押してください。" /SD IDCANCEL IDRETRY retry
    Abort "Zelvar が起動しているため、インストールを中止しました。"
  ${EndIf}
  FileClose $0

  !include "${WORK}/install-files.nsh"
  SetOutPath "$INSTDIR"
  File "${WORK}/per-user-files"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortCut "${CALENDAR_LINK}" "$INSTDIR\Zelvar.exe" "" "$INSTDIR\Zelvar.exe" 0 SW_SHOWNORMAL "" "和暦と祝日のカレンダー"
  CreateShortCut "${EDITOR_LINK}" "$INSTDIR\Korinset.exe" "" "$INSTDIR\Korinset.exe" 0 SW_SHOWNORMAL "" "祝日と元号の定義ファイルを編集します"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Zelvar (和暦カレンダー)"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Zelvar.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Zelvar"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "ログイン時にカレンダーを起動する" SectionAutostart
  WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\Zelvar.exe"'
SectionEnd

Function .onInit
  SetShellVarContext current
  ; /AUTOSTART on the command line chooses the login start (for silent installs).
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/AUTOSTART" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SectionAutostart} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

; Removes what the installer put there and nothing else: the user's settings and edited
; definition files in %APPDATA%\Zelvar stay.
Section "Uninstall"
  Delete "${CALENDAR_LINK}"
  Delete "${EDITOR_LINK}"
  ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${If} $0 == '"$INSTDIR\Zelvar.exe"'
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  !include "${WORK}/uninstall-files.nsh"
  Delete "$INSTDIR\per-user-files"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
