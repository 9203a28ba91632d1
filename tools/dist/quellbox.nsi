; The Quellbox installer. makensis is given:
;   BINDIR   the folder holding the files that ship (the same set as the zip)
;   OUTFILE  the installer to write
;   VERSION  the program version
;   TARGET   x86-unicode (the shipping 32-bit installer) or amd64-unicode
; It installs into Program Files\Quellbox, adds a Start-menu shortcut that
; starts the program in that folder (the program reads its manual from the
; folder it starts in), and registers an uninstaller. /S runs both silently.

!ifndef BINDIR | OUTFILE | VERSION
  !error "makensis needs -DBINDIR=... -DOUTFILE=... -DVERSION=..."
!endif
!ifndef TARGET
  !define TARGET x86-unicode
!endif

Target ${TARGET}
SetCompressor /SOLID lzma
Name "Quellbox ${VERSION}"
Caption "Quellbox ${VERSION} Setup"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
!if "${TARGET}" == "amd64-unicode"
  InstallDir "$PROGRAMFILES64\Quellbox"
!else
  InstallDir "$PROGRAMFILES\Quellbox"
!endif
InstallDirRegKey HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quellbox" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quellbox"
!define SHORTCUT "$SMPROGRAMS\Quellbox.lnk"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; The files of the program, installed and removed by the same list.
!macro QuellboxFiles action
  !insertmacro ${action} qbx15.exe
  !insertmacro ${action} player.dll
  !insertmacro ${action} phaser.dll
  !insertmacro ${action} flanger.dll
  !insertmacro ${action} chorus.dll
  !insertmacro ${action} chdelay.dll
  !insertmacro ${action} led.dll
  !insertmacro ${action} qbx15.hlp
  !insertmacro ${action} qbx15.cnt
  !insertmacro ${action} demo.wav
  !insertmacro ${action} README.txt
!macroend
!macro InstallFile name
  File "${BINDIR}/${name}"
!macroend
!macro RemoveFile name
  Delete "$INSTDIR\${name}"
!macroend

Section "Quellbox"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  !insertmacro QuellboxFiles InstallFile
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The shortcut's working folder is the current output path.
  SetOutPath "$INSTDIR"
  CreateShortCut "${SHORTCUT}" "$INSTDIR\qbx15.exe" "" "$INSTDIR\qbx15.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Quellbox ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\qbx15.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes what the installer put there, file by file; qbx15.ini lives in the
; Windows folder and stays.
Section "Uninstall"
  SetShellVarContext all
  Delete "${SHORTCUT}"
  !insertmacro QuellboxFiles RemoveFile
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
