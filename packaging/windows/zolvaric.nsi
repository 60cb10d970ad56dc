; The setup program for 64-bit Windows: installs the program folder staged by
; `cmake --install` (STAGE), a Start-menu entry, the .prj file association and
; an uninstaller listed under Apps / Programs and Features.
;   makensis -DVERSION=1.0.0 -DSTAGE=folder -DUNINSTALL_LIST=file.nsh -DOUTFILE=setup.exe \
;            -DRUNNING_MARK=name zolvaric.nsi
; RUNNING_MARK is the name of the mutex the running window program holds.
!ifndef VERSION | STAGE | UNINSTALL_LIST | OUTFILE | RUNNING_MARK
  !error "VERSION, STAGE, UNINSTALL_LIST, OUTFILE and RUNNING_MARK must be given with -D"
!endif

Unicode true
; The programs are 64-bit; a 64-bit setup also writes the 64-bit registry.
Target amd64-unicode
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Zolvaric"
!define PUBLISHER "Quorvel-Software"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zolvaric"
!define PROGID "Zolvaric.Projekt"
!define UNINSTALLER "Deinstallieren.exe"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
; An update goes where the installed version is.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1031 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1031 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1031 "FileDescription" "Setup für ${PRODUCT} (Honorarrechner nach HOAI)"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "LegalCopyright" "${PUBLISHER}"

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\zolvaric.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

; A running Zolvaric holds its files: they could be neither replaced nor
; removed. An update started from the program ends it just after starting the
; setup, so the setup first waits up to ten seconds, then asks. Silent runs
; give up with exit code 2.
!macro WAIT_FOR_PROGRAM_END UN WHAT
Function ${UN}waitForProgramEnd
  StrCpy $R1 0
  ${Do}
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${RUNNING_MARK}") p .R0'
    ${If} $R0 == 0
      System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "Global\${RUNNING_MARK}") p .R0'
    ${EndIf}
    ${If} $R0 == 0
      ${Break}
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p R0)'
    ${If} $R1 < 20
      IntOp $R1 $R1 + 1
      Sleep 500
    ${Else}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Zolvaric läuft noch und kann so nicht ${WHAT} werden.$\r$\n$\r$\nBitte beenden Sie Zolvaric und klicken Sie dann auf „Wiederholen“." /SD IDCANCEL IDRETRY +3
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${Loop}
FunctionEnd
!macroend
!insertmacro WAIT_FOR_PROGRAM_END "" "installiert"
!insertmacro WAIT_FOR_PROGRAM_END "un." "entfernt"

Function .onInit
  Call waitForProgramEnd
FunctionEnd

Function un.onInit
  Call un.waitForProgramEnd
FunctionEnd

Section "Zolvaric"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File /r /x Zolvaric_Vorlage.htm /x Zolvaric_Vorlage.dot "${STAGE}/*"
  ; The office edits its report templates in place: an update keeps them.
  SetOverwrite off
  File "${STAGE}/Zolvaric_Vorlage.htm"
  File "${STAGE}/Zolvaric_Vorlage.dot"
  SetOverwrite on
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\zolvaric.exe" "" \
    "$INSTDIR\zolvaric.exe" 0 SW_SHOWNORMAL "" "Honorarrechner nach HOAI"

  ; Double click on a project file. The owner .prj had before comes back
  ; when Zolvaric is removed.
  ReadRegStr $0 HKLM "Software\Classes\.prj" ""
  ${If} $0 != ""
  ${AndIf} $0 != "${PROGID}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "PrjVorher" $0
  ${EndIf}
  WriteRegStr HKLM "Software\Classes\.prj" "" "${PROGID}"
  WriteRegStr HKLM "Software\Classes\.prj\OpenWithProgids" "${PROGID}" ""
  WriteRegStr HKLM "Software\Classes\${PROGID}" "" "Zolvaric-Projekt"
  WriteRegStr HKLM "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\zolvaric.exe,0"
  WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\zolvaric.exe" "%1"'

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zolvaric.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "https://www.quorvel-software.de"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0

  ; Explorer shows the new icon and program for .prj files at once.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"

  ReadRegStr $0 HKLM "Software\Classes\.prj" ""
  ${If} $0 == "${PROGID}"
    ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "PrjVorher"
    ${If} $1 != ""
      WriteRegStr HKLM "Software\Classes\.prj" "" $1
    ${Else}
      DeleteRegValue HKLM "Software\Classes\.prj" ""
    ${EndIf}
  ${EndIf}
  DeleteRegValue HKLM "Software\Classes\.prj\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty HKLM "Software\Classes\.prj\OpenWithProgids"
  DeleteRegKey /ifempty HKLM "Software\Classes\.prj"
  DeleteRegKey HKLM "Software\Classes\${PROGID}"

  ; Only what the setup installed: the office's own tables and settings in
  ; the program folder stay, and with them the folder.
  !include "${UNINSTALL_LIST}"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
