; Quillet's installer, one per edition, built by tools/build-installer.sh:
;   makensis -DBITS=32|64 -DVERSION=0.7.1 -DSTAGE=<folder> -DOUTFILE=<exe> quillet.nsi
; STAGE holds Quillet.exe, languages\*.dll, gamelist.mdb (empty catalogue)
; and sqlite3odbc.dll (the SQLite ODBC driver of the same width).
;
; Silent use: setup.exe /S [/D=C:\path]; uninstall.exe /S [/REMOVEUSERDATA].
Unicode true
!if ${BITS} == 64
  Target amd64-unicode
!endif
SetCompressor /SOLID lzma

!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh

!define PRODUCT "Quillet"
!define EDITION "${BITS}-bit"
!define MACHINE_KEY "Software\Halvorn\Quillet"
!define USER_KEY "Software\Halvorn\Quillet"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillet"
!define ODBCINST "Software\ODBC\ODBCINST.INI"
; The name the program's SQLite connection string asks for.
!define DRIVER "SQLite3 ODBC Driver"
!define DRIVER_DLL "sqlite3odbc.dll"

Name "${PRODUCT} ${VERSION} (${EDITION})"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
!if ${BITS} == 64
  InstallDir "$PROGRAMFILES64\Quillet"
!else
  InstallDir "$PROGRAMFILES\Quillet"
!endif
ShowInstDetails show
ShowUninstDetails show

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Each edition writes the registry view it reads at run time: the 64-bit
; program the native view, the 32-bit one the 32-bit view (WOW6432Node on
; 64-bit Windows).
!macro UseEditionView
  !if ${BITS} == 64
    SetRegView 64
  !else
    SetRegView 32
  !endif
!macroend

Function .onInit
  !if ${BITS} == 64
    ${IfNot} ${RunningX64}
      MessageBox MB_ICONSTOP "This is the 64-bit edition of Quillet; this Windows is 32-bit. Install the 32-bit edition instead." /SD IDOK
      Abort
    ${EndIf}
  !endif
  !insertmacro UseEditionView
  ; An upgrade goes where the installed copy is.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    StrCpy $INSTDIR $0
  ${EndIf}
FunctionEnd

; The catalogue driver. The registration is shared with any other program
; that installed a driver of the same name: UsageCount counts the programs,
; each installation of Quillet counts once (DriverCounted remembers it, so
; an upgrade does not count again), and the last one out removes it.
Function InstallDriver
  ReadRegStr $0 HKLM "${ODBCINST}\${DRIVER}" "Driver"
  ; Another program's own copy of the driver stays the registered one.
  ${If} $0 == ""
  ${OrIf} $0 == "$SYSDIR\${DRIVER_DLL}"
  ${OrIfNot} ${FileExists} $0
    SetOutPath "$SYSDIR"
    SetOverwrite ifnewer
    File "${STAGE}\${DRIVER_DLL}"
    SetOverwrite on
    WriteRegStr HKLM "${ODBCINST}\${DRIVER}" "Driver" "$SYSDIR\${DRIVER_DLL}"
    WriteRegStr HKLM "${ODBCINST}\${DRIVER}" "Setup" "$SYSDIR\${DRIVER_DLL}"
    WriteRegStr HKLM "${ODBCINST}\${DRIVER}" "APILevel" "0"
    WriteRegStr HKLM "${ODBCINST}\${DRIVER}" "ConnectFunctions" "YYN"
    WriteRegStr HKLM "${ODBCINST}\${DRIVER}" "DriverODBCVer" "03.00"
    WriteRegStr HKLM "${ODBCINST}\${DRIVER}" "FileUsage" "0"
    WriteRegStr HKLM "${ODBCINST}\${DRIVER}" "SQLLevel" "0"
    WriteRegStr HKLM "${ODBCINST}\ODBC Drivers" "${DRIVER}" "Installed"
  ${EndIf}
  ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "DriverCounted"
  ${If} $1 != "1"
    ReadRegDWORD $2 HKLM "${ODBCINST}\${DRIVER}" "UsageCount"
    ${If} $2 == ""
      StrCpy $2 0
    ${EndIf}
    IntOp $2 $2 + 1
    WriteRegDWORD HKLM "${ODBCINST}\${DRIVER}" "UsageCount" $2
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DriverCounted" "1"
  ${EndIf}
FunctionEnd

Section "Quillet"
  SetOutPath "$INSTDIR"
  File "${STAGE}\Quillet.exe"
  File "${STAGE}\README.txt"
  SetOutPath "$INSTDIR\languages"
  File "${STAGE}\languages\english.dll"
  File "${STAGE}\languages\italian.dll"
  SetOutPath "$INSTDIR"
  ; An upgrade keeps the user's catalogue.
  ${IfNot} ${FileExists} "$INSTDIR\gamelist.mdb"
    File "${STAGE}\gamelist.mdb"
  ${EndIf}

  ; The machine key with the installed language modules. The emulator
  ; paths and Version are the program's to write; an upgrade keeps them.
  WriteRegDWORD HKLM "${MACHINE_KEY}\Languages" "english" 9
  WriteRegDWORD HKLM "${MACHINE_KEY}\Languages" "italian" 16

  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION} (${EDITION})"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Halvorn"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Quillet.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  Call InstallDriver

  ; The program finds its language modules and catalogue in its start
  ; directory: the shortcut starts it in the installation folder.
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  CreateDirectory "$SMPROGRAMS\Quillet"
  CreateShortcut "$SMPROGRAMS\Quillet\Quillet.lnk" "$INSTDIR\Quillet.exe"
  CreateShortcut "$SMPROGRAMS\Quillet\Uninstall Quillet.lnk" "$INSTDIR\uninstall.exe"

  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Function un.onInit
  !insertmacro UseEditionView
FunctionEnd

Function un.RemoveDriver
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "DriverCounted"
  ${If} $0 != "1"
    Return
  ${EndIf}
  ReadRegDWORD $1 HKLM "${ODBCINST}\${DRIVER}" "UsageCount"
  ${If} $1 == ""
    StrCpy $1 1
  ${EndIf}
  IntOp $1 $1 - 1
  ${If} $1 > 0
    WriteRegDWORD HKLM "${ODBCINST}\${DRIVER}" "UsageCount" $1
    Return
  ${EndIf}
  ReadRegStr $2 HKLM "${ODBCINST}\${DRIVER}" "Driver"
  DeleteRegKey HKLM "${ODBCINST}\${DRIVER}"
  DeleteRegValue HKLM "${ODBCINST}\ODBC Drivers" "${DRIVER}"
  ${If} $2 == "$SYSDIR\${DRIVER_DLL}"
    Delete "$SYSDIR\${DRIVER_DLL}"
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.RemoveDriver

  Delete "$INSTDIR\Quillet.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\languages\english.dll"
  Delete "$INSTDIR\languages\italian.dll"
  RMDir "$INSTDIR\languages"
  Delete "$INSTDIR\uninstall.exe"

  SetShellVarContext all
  Delete "$SMPROGRAMS\Quillet\Quillet.lnk"
  Delete "$SMPROGRAMS\Quillet\Uninstall Quillet.lnk"
  RMDir "$SMPROGRAMS\Quillet"

  DeleteRegKey HKLM "${MACHINE_KEY}"
  DeleteRegKey /ifempty HKLM "Software\Halvorn"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; The catalogue and the settings are the user's: they stay unless asked.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVEUSERDATA" $1
  ${If} ${Errors}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "Also remove your game catalogue ($INSTDIR\gamelist.mdb) and your Quillet settings?" /SD IDNO IDYES remove
    Goto done
  ${EndIf}
  remove:
    Delete "$INSTDIR\gamelist.mdb"
    Delete "$INSTDIR\gamelist.mdb-wal"
    Delete "$INSTDIR\gamelist.mdb-shm"
    Delete "$INSTDIR\gamelist.mdb-journal"
    DeleteRegKey HKCU "${USER_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Halvorn"
  done:
  RMDir "$INSTDIR"
SectionEnd
