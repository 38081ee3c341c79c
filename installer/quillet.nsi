; Quillet's installer, one per edition, built by tools/build-installer.sh:
;   makensis -DBITS=32|64 -DVERSION=0.7.1 -DSTAGE=<folder> -DOUTFILE=<exe> quillet.nsi
; STAGE holds Quillet.exe, languages\*.dll and sqlite3odbc.dll (the SQLite
; ODBC driver of the same width). The catalogue is the user's: Quillet makes
; it in %LOCALAPPDATA%\Quillet at its first start.
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
; Quillet's own registration of the driver in its folder, the name its
; connection string asks for first. The shared name "SQLite3 ODBC Driver"
; belongs to whoever installed it and is never touched (a portable copy of
; Quillet falls back to it).
!define DRIVER "Quillet SQLite3 ODBC Driver"
!define DRIVER_DLL "sqlite3odbc.dll"
!define SHARED_DRIVER "SQLite3 ODBC Driver"

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

; The catalogue driver: the DLL in Quillet's folder, registered under
; Quillet's own name, so no other program's driver is replaced or removed.
Function InstallDriver
  SetOutPath "$INSTDIR"
  File "${STAGE}\${DRIVER_DLL}"
  WriteRegStr HKLM "${ODBCINST}\${DRIVER}" "Driver" "$INSTDIR\${DRIVER_DLL}"
  WriteRegStr HKLM "${ODBCINST}\${DRIVER}" "Setup" "$INSTDIR\${DRIVER_DLL}"
  WriteRegStr HKLM "${ODBCINST}\${DRIVER}" "APILevel" "0"
  WriteRegStr HKLM "${ODBCINST}\${DRIVER}" "ConnectFunctions" "YYN"
  WriteRegStr HKLM "${ODBCINST}\${DRIVER}" "DriverODBCVer" "03.00"
  WriteRegStr HKLM "${ODBCINST}\${DRIVER}" "FileUsage" "0"
  WriteRegStr HKLM "${ODBCINST}\${DRIVER}" "SQLLevel" "0"
  WriteRegDWORD HKLM "${ODBCINST}\${DRIVER}" "UsageCount" 1
  WriteRegStr HKLM "${ODBCINST}\ODBC Drivers" "${DRIVER}" "Installed"
  ; Version 0.7.1 and before counted themselves on the shared name: take
  ; that count back, and leave the registration and its DLL to their owner.
  ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "DriverCounted"
  ${If} $1 == "1"
    ReadRegDWORD $2 HKLM "${ODBCINST}\${SHARED_DRIVER}" "UsageCount"
    ${If} $2 != ""
    ${AndIf} $2 > 0
      IntOp $2 $2 - 1
      WriteRegDWORD HKLM "${ODBCINST}\${SHARED_DRIVER}" "UsageCount" $2
    ${EndIf}
    DeleteRegValue HKLM "${UNINSTALL_KEY}" "DriverCounted"
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
  ; A catalogue an older version left here stays, read-only: at its next
  ; start Quillet copies it into each user's own folder and works there.
  ${If} ${FileExists} "$INSTDIR\gamelist.mdb"
    SetFileAttributes "$INSTDIR\gamelist.mdb" READONLY
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

  ; The program finds its files beside itself, whatever folder it starts in.
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

; Only Quillet's own registration and the DLL in its folder go.
Function un.RemoveDriver
  DeleteRegKey HKLM "${ODBCINST}\${DRIVER}"
  DeleteRegValue HKLM "${ODBCINST}\ODBC Drivers" "${DRIVER}"
  Delete "$INSTDIR\${DRIVER_DLL}"
FunctionEnd

; The running user's catalogue (with SQLite's files beside it) in a folder.
!macro un.RemoveCatalogueIn FOLDER
  SetFileAttributes "${FOLDER}\gamelist.mdb" NORMAL
  Delete "${FOLDER}\gamelist.mdb"
  Delete "${FOLDER}\gamelist.mdb-wal"
  Delete "${FOLDER}\gamelist.mdb-shm"
  Delete "${FOLDER}\gamelist.mdb-journal"
!macroend

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
  ; Those of the user running the uninstaller, who is named: other users'
  ; folders are theirs.
  SetShellVarContext current
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVEUSERDATA" $1
  ${If} ${Errors}
    ReadEnvStr $2 USERNAME
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "Also remove the game catalogue and the Quillet settings of the user $2?$\r$\n$\r$\nThe catalogue is in $LOCALAPPDATA\Quillet. Other users keep theirs." \
      /SD IDNO IDYES remove
    Goto done
  ${EndIf}
  remove:
    !insertmacro un.RemoveCatalogueIn "$LOCALAPPDATA\Quillet"
    RMDir "$LOCALAPPDATA\Quillet"
    ; The copy file virtualization made for the 32-bit edition before it had
    ; a manifest: the installation folder below VirtualStore, drive left out.
    StrCpy $3 "$INSTDIR" "" 2
    !insertmacro un.RemoveCatalogueIn "$LOCALAPPDATA\VirtualStore$3"
    RMDir "$LOCALAPPDATA\VirtualStore$3"
    ; A catalogue an older version kept in the installation folder.
    !insertmacro un.RemoveCatalogueIn "$INSTDIR"
    DeleteRegKey HKCU "${USER_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Halvorn"
  done:
  RMDir "$INSTDIR"
SectionEnd
