; Tabira's Windows installer (makensis, NSIS 3). Installs tabira.exe for the current user
; by default, needing no administrator rights, or for all users when asked (/ALLUSERS, or
; the choice on the second page while running as administrator).
;
; Command line, as for any NSIS installer:
;   /S            silent: no pages, no questions
;   /ALLUSERS     install for every user of the computer (needs administrator rights)
;   /DESKTOP      also put a shortcut on the desktop (a choice on the components page)
;   /D=<folder>   the installation folder; must come last and takes no quotes
; Exit codes: 0 installed, 1 cancelled by the user, 2 refused (the folder cannot be written
; to, or all users asked for without administrator rights).
;
; The build passes BUILD_DEFINES, a generated file that defines VERSION, COPYRIGHT, EXE,
; ICON and OUTFILE (installer/CMakeLists.txt).

Unicode true
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include /CHARSET=UTF8 "${BUILD_DEFINES}"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh
!include Sections.nsh

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tabira"
!define UNINSTALLER "uninstall.exe"

Name "Tabira" "Tabira ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "Tabira ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

Var AllUsers     ; 1: for all users (HKLM, Program Files), 0: for this user only
Var IsAdmin      ; 1 when this process may write for all users
Var DirGiven     ; 1 when /D= named the folder
Var ModeCurrent  ; the radio buttons of the install-mode page
Var ModeAll

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_WELCOME
Page custom ModePageShow ModePageLeave
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryPageLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\tabira.exe"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The install-mode page takes its texts from the language files' multi-user strings.
!define MULTIUSER_INSTALLMODEPAGE
; The first language is the one shown when the system's language is neither of these.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Indonesian"

LangString SecProgramName ${LANG_INDONESIAN} "Tabira (penghitung zakat maal)"
LangString SecProgramName ${LANG_ENGLISH} "Tabira (zakat maal calculator)"
LangString SecDesktopName ${LANG_INDONESIAN} "Pintasan di desktop"
LangString SecDesktopName ${LANG_ENGLISH} "Desktop shortcut"
LangString CannotWrite ${LANG_INDONESIAN} "Tabira tidak dapat dipasang di folder ini karena folder tersebut tidak dapat ditulisi:$\r$\n$INSTDIR$\r$\n$\r$\nPilih folder lain, atau jalankan program instalasi sebagai administrator."
LangString CannotWrite ${LANG_ENGLISH} "Tabira cannot be installed in this folder because it cannot be written to:$\r$\n$INSTDIR$\r$\n$\r$\nChoose another folder, or run the installer as administrator."
LangString NeedAdmin ${LANG_INDONESIAN} "Pemasangan untuk semua pengguna memerlukan hak administrator. Jalankan program instalasi sebagai administrator, atau pasang Tabira untuk anda sendiri saja."
LangString NeedAdmin ${LANG_ENGLISH} "Installing for all users needs administrator rights. Run the installer as administrator, or install Tabira for yourself only."
LangString NeedAdminNote ${LANG_INDONESIAN} "Untuk semua pengguna: jalankan program instalasi sebagai administrator."
LangString NeedAdminNote ${LANG_ENGLISH} "For all users: run the installer as administrator."
LangString NotInstalled ${LANG_INDONESIAN} "Tabira tidak terpasang di folder ini, jadi tidak ada yang dihapus:$\r$\n$INSTDIR"
LangString NotInstalled ${LANG_ENGLISH} "Tabira is not installed in this folder, so nothing was removed:$\r$\n$INSTDIR"

LangString StillRunning ${LANG_INDONESIAN} "Tabira tidak dapat dihapus karena sedang berjalan. Tutup Tabira, lalu coba lagi."
LangString StillRunning ${LANG_ENGLISH} "Tabira cannot be removed while it is running. Close Tabira and try again."

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_INDONESIAN} "ProductName" "Tabira"
VIAddVersionKey /LANG=${LANG_INDONESIAN} "FileDescription" "Program instalasi Tabira, penghitung zakat maal"
VIAddVersionKey /LANG=${LANG_INDONESIAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_INDONESIAN} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_INDONESIAN} "LegalCopyright" "${COPYRIGHT}"

; ---------------------------------------------------------------------------------------
; Install mode: the shell folders, the registry hive (SHCTX) and the default folder.

Function ApplyMode
  ${If} $AllUsers == 1
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
  ${If} $DirGiven != 1
    ; An earlier installation in this mode is upgraded where it is.
    ReadRegStr $INSTDIR SHCTX "${UNINST_KEY}" "InstallLocation"
    ${If} $INSTDIR == ""
      ${If} $AllUsers == 1
        StrCpy $INSTDIR "$PROGRAMFILES64\Tabira"
      ${Else}
        StrCpy $INSTDIR "$LOCALAPPDATA\Programs\Tabira"
      ${EndIf}
    ${EndIf}
  ${EndIf}
FunctionEnd


Function ModePageShow
  !insertmacro MUI_HEADER_TEXT "$(MULTIUSER_TEXT_INSTALLMODE_TITLE)" "$(MULTIUSER_TEXT_INSTALLMODE_SUBTITLE)"
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 24u "$(MULTIUSER_INNERTEXT_INSTALLMODE_TOP)"
  Pop $0
  ${NSD_CreateRadioButton} 10u 34u 280u 12u "$(MULTIUSER_INNERTEXT_INSTALLMODE_CURRENTUSER)"
  Pop $ModeCurrent
  ${NSD_CreateRadioButton} 10u 50u 280u 12u "$(MULTIUSER_INNERTEXT_INSTALLMODE_ALLUSERS)"
  Pop $ModeAll
  ${If} $AllUsers == 1
    ${NSD_Check} $ModeAll
  ${Else}
    ${NSD_Check} $ModeCurrent
  ${EndIf}
  ${If} $IsAdmin != 1
    EnableWindow $ModeAll 0
    ${NSD_CreateLabel} 24u 66u 266u 12u "$(NeedAdminNote)"
    Pop $0
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function ModePageLeave
  ${NSD_GetState} $ModeAll $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $AllUsers 1
  ${Else}
    StrCpy $AllUsers 0
  ${EndIf}
  Call ApplyMode
FunctionEnd

; ---------------------------------------------------------------------------------------
; The folder must take files. Sets $R9 to 1 when a file can be written in $INSTDIR (made
; if missing), else 0; leaves no folder or file behind either way.

Function CheckInstDir
  StrCpy $R9 0
  ; The innermost folder of the path that exists already.
  StrCpy $R8 $INSTDIR
  ${DoUntil} ${FileExists} "$R8\*.*"
    ${GetParent} $R8 $R8
    ${IfThen} $R8 == "" ${|} ${ExitDo} ${|}
  ${Loop}
  ClearErrors
  CreateDirectory $INSTDIR
  ${IfNot} ${Errors}
    ClearErrors
    FileOpen $0 "$INSTDIR\tabira-write-check.tmp" w
    ${IfNot} ${Errors}
      FileClose $0
      Delete "$INSTDIR\tabira-write-check.tmp"
      StrCpy $R9 1
    ${EndIf}
  ${EndIf}
  ; Take away the folders made for the check, innermost first (RMDir keeps full ones).
  StrCpy $R7 $INSTDIR
  ${DoUntil} $R7 == $R8
    RMDir $R7
    ${GetParent} $R7 $R7
    ${IfThen} $R7 == "" ${|} ${ExitDo} ${|}
  ${Loop}
FunctionEnd

Function DirectoryPageLeave
  Call CheckInstDir
  ${If} $R9 != 1
    MessageBox MB_ICONSTOP "$(CannotWrite)"
    Abort
  ${EndIf}
FunctionEnd

; ---------------------------------------------------------------------------------------

Section "$(SecProgramName)" SecProgram
  SectionIn RO
  Call CheckInstDir
  ${If} $R9 != 1
    MessageBox MB_ICONSTOP "$(CannotWrite)" /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}

  SetOutPath $INSTDIR
  File "/oname=tabira.exe" "${EXE}"
  ; The shipped looks; skins the user adds to Tema stay through upgrades and uninstalling.
  SetOutPath "$INSTDIR\Tema"
  File "/oname=Teal.mskn" "${TEMA}\Teal.mskn"
  File "/oname=Gelap.mskn" "${TEMA}\Gelap.mskn"
  SetOutPath $INSTDIR
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "$SMPROGRAMS\Tabira.lnk" "$INSTDIR\tabira.exe"

  ; The entry in the list of installed programs.
  WriteRegStr SHCTX "${UNINST_KEY}" "DisplayName" "Tabira"
  WriteRegStr SHCTX "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\tabira.exe,0"
  WriteRegStr SHCTX "${UNINST_KEY}" "Publisher" "Pengembang Tabira"
  WriteRegStr SHCTX "${UNINST_KEY}" "URLInfoAbout" "http://www.tabira.web.id"
  WriteRegStr SHCTX "${UNINST_KEY}" "InstallLocation" $INSTDIR
  WriteRegStr SHCTX "${UNINST_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr SHCTX "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD SHCTX "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} $INSTDIR "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "$(SecDesktopName)" SecDesktop
  CreateShortcut "$DESKTOP\Tabira.lnk" "$INSTDIR\tabira.exe"
SectionEnd

; The options on the command line; the desktop section must be declared before this.
Function .onInit
  SetRegView 64
  StrCpy $AllUsers 0
  ; /D= names the folder. NSIS itself drops a /D= folder it finds unusable (below a file,
  ; on a missing drive) before this runs, and would quietly install elsewhere; read it
  ; from the process's own command line instead, so that such a folder is refused.
  StrCpy $DirGiven 0
  System::Call 'kernel32::GetCommandLineW() t .R2'
  ClearErrors
  ${GetOptions} $R2 "/D=" $R1
  ${IfNot} ${Errors}
  ${AndIf} $R1 != ""
    StrCpy $INSTDIR $R1
    StrCpy $DirGiven 1
  ${EndIf}
  StrCpy $IsAdmin 0
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    StrCpy $IsAdmin 1
  ${EndIf}

  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/ALLUSERS" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/DESKTOP" $R1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecDesktop}
  ${EndIf}

  ${If} $AllUsers == 1
  ${AndIf} $IsAdmin != 1
    MessageBox MB_ICONSTOP "$(NeedAdmin)" /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
  Call ApplyMode
FunctionEnd

; ---------------------------------------------------------------------------------------
; The uninstaller removes what the installer added, and only when the installation it
; belongs to is still registered for its folder: run a second time, or from a copy left
; behind, it changes nothing.

Function un.onInit
  SetRegView 64
  SetShellVarContext all
  ReadRegStr $0 HKLM "${UNINST_KEY}" "InstallLocation"
  ${If} $0 != $INSTDIR
    SetShellVarContext current
    ReadRegStr $0 HKCU "${UNINST_KEY}" "InstallLocation"
    ${If} $0 != $INSTDIR
      MessageBox MB_ICONINFORMATION "$(NotInstalled)" /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  ; The program first: while it runs it cannot be removed, and then nothing else is.
  Delete "$INSTDIR\tabira.exe"
  ${If} ${FileExists} "$INSTDIR\tabira.exe"
    MessageBox MB_ICONSTOP "$(StillRunning)" /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
  Delete "$SMPROGRAMS\Tabira.lnk"
  Delete "$DESKTOP\Tabira.lnk"
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Only the skins installed here; the folder goes when nothing else is left in it.
  Delete "$INSTDIR\Tema\Teal.mskn"
  Delete "$INSTDIR\Tema\Gelap.mskn"
  RMDir "$INSTDIR\Tema"
  RMDir $INSTDIR
  DeleteRegKey SHCTX "${UNINST_KEY}"
SectionEnd
