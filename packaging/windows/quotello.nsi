; SPDX-FileCopyrightText: 2026 The Quotello developers
; SPDX-License-Identifier: GPL-3.0-or-later
;
; The installer of Quotello for every user of a Windows computer, in Italian.
; tools/windows/make-windows.sh builds it with makensis -NOCD from the
; project's folder, and defines VERSION, STAGE (the folder `cmake --install`
; filled), UNINSTALL_FILES (a Delete or RMDir line for each thing in STAGE),
; SIZE_KB and OUTFILE.

; A 64-bit installer: it puts a 64-bit program into the 64-bit Program Files.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!include MUI2.nsh

!define KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quotello"
; $APPDATA is ProgramData once SetShellVarContext is all.
!define RECORD "$APPDATA\Quotello"

Name "Quotello"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Quotello"
RequestExecutionLevel admin
BrandingText "Quotello ${VERSION}"

!define MUI_ICON "resources/icons/windows/quotello.ico"
!define MUI_ABORTWARNING

; The GPL grants rights and asks nothing to be accepted: the page only shows it.
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "Quotello è software libero: puoi usarlo, copiarlo e modificarlo secondo questa licenza."
; The record is the teacher's: the game reads it and never writes it.
!define MUI_FINISHPAGE_TITLE "Quotello è installato"
!define MUI_FINISHPAGE_TEXT "Lo trovi nel menu Start come Quotello.$\r$\n$\r$\nIl record che vedono tutti i giocatori di questo computer è nella cartella ${RECORD}: il punteggio in fravis.txt e il nome di chi lo detiene in nfravis.txt. Un insegnante lo stabilisce scrivendoli con il Blocco note, aperto come amministratore; il gioco non li cambia mai."
!define MUI_FINISHPAGE_TEXT_LARGE
!define MUI_UNCONFIRMPAGE_TEXT_TOP "Quotello sarà tolto da questa cartella. Il record, in ${RECORD}, resta com'è."

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "LICENSE"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Italian"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ITALIAN} ProductName "Quotello"
VIAddVersionKey /LANG=${LANG_ITALIAN} ProductVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_ITALIAN} FileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_ITALIAN} FileDescription "Installazione di Quotello"
VIAddVersionKey /LANG=${LANG_ITALIAN} CompanyName "The Quotello developers"
VIAddVersionKey /LANG=${LANG_ITALIAN} LegalCopyright "GPL-3.0-or-later"

; The shortcut and the record folder are the whole computer's, not the
; installing user's.
Function .onInit
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetShellVarContext all
FunctionEnd

; An empty record file where there is none; one a teacher wrote stays as it is.
!macro EmptyRecordFile NAME
    IfFileExists "${RECORD}\${NAME}" +3
        FileOpen $0 "${RECORD}\${NAME}" w
        FileClose $0
!macroend

Section
    SetOutPath "$INSTDIR"
    File /r "${STAGE}/*"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Quotello.lnk" "$INSTDIR\quotello.exe" "" "$INSTDIR\quotello.exe" 0 \
        SW_SHOWNORMAL "" "Quotello: le frazioni di un numero"

    CreateDirectory "${RECORD}"
    !insertmacro EmptyRecordFile fravis.txt
    !insertmacro EmptyRecordFile nfravis.txt

    WriteRegStr HKLM "${KEY}" DisplayName "Quotello"
    WriteRegStr HKLM "${KEY}" DisplayVersion "${VERSION}"
    WriteRegStr HKLM "${KEY}" Publisher "The Quotello developers"
    WriteRegStr HKLM "${KEY}" DisplayIcon "$INSTDIR\quotello.exe,0"
    WriteRegStr HKLM "${KEY}" InstallLocation "$INSTDIR"
    WriteRegStr HKLM "${KEY}" UninstallString '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${KEY}" QuietUninstallString '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${KEY}" NoModify 1
    WriteRegDWORD HKLM "${KEY}" NoRepair 1
    WriteRegDWORD HKLM "${KEY}" EstimatedSize ${SIZE_KB}
SectionEnd

Section Uninstall
    Delete "$SMPROGRAMS\Quotello.lnk"
    !include "${UNINSTALL_FILES}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${KEY}"
SectionEnd
