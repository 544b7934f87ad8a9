; The Windows installer, for the current user, without administrator rights:
; the logs lie beside the program, so it goes where the operator can write.
; Made by windows.sh with:
;   makensis -INPUTCHARSET UTF8 -DVERSION=... -DICONE=... -DFICHIERS=...
;            -DDESINSTALLE=... -DTAILLE_KO=... -DSORTIE=... installation.nsi
; FICHIERS and DESINSTALLE are the lists of the package's own files, written
; by windows.sh: only those are ever removed.

; A 64-bit installer, as the program: Wine's 64-bit loader runs it for the tests.
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "WinVer.nsh"

!define NOM "KOB_Dezudidar_ERI"
!define RACCOURCI "KOB Dezudidar ERI"
!define EXE "KOB_Dezudidar_ERI.exe"
!define DESINSTALLEUR "Desinstaller KOB_Dezudidar_ERI.exe"
!define CLE_DESINSTALLATION "Software\Microsoft\Windows\CurrentVersion\Uninstall\${NOM}"

Name "KOB Dezudidar ERI ${VERSION}"
OutFile "${SORTIE}"
InstallDir "$LOCALAPPDATA\Programs\${NOM}"
BrandingText "KOB_Dezudidar_ERI ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1036 "ProductName" "KOB_Dezudidar_ERI"
VIAddVersionKey /LANG=1036 "FileDescription" "Installation de KOB_Dezudidar_ERI"
VIAddVersionKey /LANG=1036 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "LegalCopyright" "Licence GNU GPL version 3"

!define MUI_ICON "${ICONE}"
!define MUI_UNICON "${ICONE}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_DIRECTORYPAGE_TEXT_TOP "Vos logs seront enregistrés dans ce dossier, à côté du programme : choisissez un dossier où vous pouvez écrire (le dossier proposé convient)."
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!define MUI_FINISHPAGE_RUN_TEXT "Lancer KOB_Dezudidar_ERI"

!insertmacro MUI_PAGE_COMPONENTS
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE Dossier_Quitte
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "French"

; Sets $0 to 1 when a file can be made in $INSTDIR, creating the folder if
; need be; a folder made for the trial only is removed again.
Function Essaie_Dossier
  StrCpy $0 0
  StrCpy $1 0
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    StrCpy $1 1
  ${EndIf}
  ClearErrors
  CreateDirectory "$INSTDIR"
  ${IfNot} ${Errors}
    ClearErrors
    FileOpen $2 "$INSTDIR\kob_essai_ecriture.tmp" w
    ${IfNot} ${Errors}
      FileClose $2
      Delete "$INSTDIR\kob_essai_ecriture.tmp"
      StrCpy $0 1
    ${EndIf}
  ${EndIf}
  ${If} $1 == 1
    RMDir "$INSTDIR"
  ${EndIf}
FunctionEnd

Function Refuse_Dossier
  MessageBox MB_OK|MB_ICONSTOP "Le dossier $INSTDIR ne peut pas être écrit : KOB_Dezudidar_ERI y garde vos logs, à côté du programme. Choisissez un dossier à vous, par exemple $LOCALAPPDATA\Programs\${NOM}." /SD IDOK
FunctionEnd

Function Dossier_Quitte
  Call Essaie_Dossier
  ${If} $0 != 1
    Call Refuse_Dossier
    Abort
  ${EndIf}
FunctionEnd

Function .onInit
  ; The Qt shipped runs on Windows 10 version 1809 (build 17763) and later:
  ; an older Windows is told so before anything is copied.
  ${IfNot} ${AtLeastWin10}
  ${OrIfNot} ${AtLeastBuild} 17763
    MessageBox MB_OK|MB_ICONSTOP "KOB_Dezudidar_ERI demande Windows 10 (version 1809 ou plus récente) ou Windows 11 : il ne peut pas fonctionner sur ce Windows, plus ancien. Rien n'a été installé." /SD IDOK
    SetErrorLevel 3
    Quit
  ${EndIf}
  ; A silent install has no folder page: the folder given by /D= is tried here,
  ; before anything is copied.
  ${If} ${Silent}
    Call Essaie_Dossier
    ${If} $0 != 1
      Call Refuse_Dossier
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "KOB_Dezudidar_ERI" Programme
  SectionIn RO
  SetShellVarContext current
  ; Files of an earlier version are replaced; the operator's are not touched.
  SetOverwrite on
  !include "${FICHIERS}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\${DESINSTALLEUR}"
  CreateShortcut "$SMPROGRAMS\${RACCOURCI}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0
  WriteRegStr HKCU "${CLE_DESINSTALLATION}" "DisplayName" "KOB Dezudidar ERI"
  WriteRegStr HKCU "${CLE_DESINSTALLATION}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${CLE_DESINSTALLATION}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr HKCU "${CLE_DESINSTALLATION}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${CLE_DESINSTALLATION}" "UninstallString" '"$INSTDIR\${DESINSTALLEUR}"'
  WriteRegStr HKCU "${CLE_DESINSTALLATION}" "QuietUninstallString" '"$INSTDIR\${DESINSTALLEUR}" /S'
  WriteRegDWORD HKCU "${CLE_DESINSTALLATION}" "EstimatedSize" ${TAILLE_KO}
  WriteRegDWORD HKCU "${CLE_DESINSTALLATION}" "NoModify" 1
  WriteRegDWORD HKCU "${CLE_DESINSTALLATION}" "NoRepair" 1
SectionEnd

Section /o "Raccourci sur le bureau" Bureau
  SetShellVarContext current
  CreateShortcut "$DESKTOP\${RACCOURCI}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0
SectionEnd

; Only the package's own files go; logs, Sauvegardes\, exported lists and
; anything else the operator keeps there stay, and so does the folder then.
Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\${RACCOURCI}.lnk"
  Delete "$DESKTOP\${RACCOURCI}.lnk"
  !include "${DESINSTALLE}"
  Delete "$INSTDIR\${DESINSTALLEUR}"
  DeleteRegKey HKCU "${CLE_DESINSTALLATION}"
  RMDir "$INSTDIR"
SectionEnd
