; Prismel's setup program. It lays an installed copy exactly as uninstall.exe removes it, and
; writes the record uninstall.exe reads to find it. installer/make-setup.sh runs makensis with:
;   -DOUTDIR=<folder for the setup program>
;   -DWIN64_BIN=<the x86_64 build's bin folder> -DWIN32_BIN=<the i686 build's bin folder>
;   -DICON=<Tintview's icon>

; uninstall.exe reads the record with the ANSI registry functions, so the setup writes it with
; them: a folder name that cannot pass through the ANSI code page is refused when chosen.
Unicode false

!include LogicLib.nsh
!include x64.nsh
!include FileFunc.nsh
!include Sections.nsh

!searchparse /file "${__FILEDIR__}/../version/prismel_version.h" \
    '#define PRISMEL_VERSION_TEXT "' VERSION '"'

; The record uninstall.exe reads, in the 32-bit registry view: the shipped uninstall.exe is a
; 32-bit program, and on 64-bit Windows its HKLM\SOFTWARE is WOW6432Node.
!define RECORD_KEY "SOFTWARE\Prismel1.00"
!define PROGRAM_LIST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Prismel"
; uninstall.exe composes each path in 255 characters and skips one that would not fit: each
; folder of the record leaves room for the longest name joined to it.
!define /math INSTALL_BASE_LIMIT 255 - 21 ; Prismel\uninstall.exe
!define /math GROUP_BASE_LIMIT 255 - 25   ; Prismel\uninstall.exe.lnk
!define /math DESKTOP_LIMIT 255 - 16      ; Tintview.exe.lnk

Name "Prismel"
Icon "${ICON}"
Caption "Prismel ${VERSION} Setup"
BrandingText "Prismel ${VERSION}"
OutFile "${OUTDIR}/Prismel-${VERSION}-setup.exe"
RequestExecutionLevel admin
ManifestDPIAware true
SetCompressor /SOLID lzma
; A file that cannot be written (a running Tintview) stops the install rather than being skipped.
AllowSkipFiles off
ShowInstDetails show
; The installation folder is always called Prismel: browsing appends it to the folder chosen.
InstallDir "$PROGRAMFILES\Prismel"
DirText "Setup will install Prismel in the following folder. To install in a different folder, \
    click Browse and select another folder." "Installation folder"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "Prismel"
VIAddVersionKey "CompanyName" "Prismel"
VIAddVersionKey "FileDescription" "Prismel ${VERSION} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) 2026 Prismel"

Page directory "" "" LeaveFolderPage
Page instfiles

Var base     ; the folder that holds the installation folder, ending with "\"
Var group    ; the all-users start-menu programs folder, ending with "\"
Var desk     ; the all-users desktop folder, ending with "\"
Var refusal  ; why the chosen folders cannot be used; empty when they can

Function .onInit
    SetShellVarContext all
    SetRegView 32
    Call ChoosePrograms
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "Admin"
        MessageBox MB_ICONSTOP|MB_OK "Prismel can only be installed by an administrator. \
            Start the setup again as an administrator." /SD IDOK
        SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
        Quit
    ${EndIf}
    ; A /D= on the command line replaces the default, which is kept then.
    ${If} $INSTDIR == "$PROGRAMFILES\Prismel"
        ; An installed copy is updated where it lies.
        ReadRegStr $0 HKLM "${RECORD_KEY}" "InstallPath"
        ${If} $0 != ""
            StrCpy $INSTDIR "$0Prismel"
        ${ElseIf} ${IsNativeAMD64}
            StrCpy $INSTDIR "$PROGRAMFILES64\Prismel"
        ${EndIf}
    ${EndIf}
FunctionEnd

; $0 := $0 with exactly one "\" at its end.
Function EndWithSeparator
    StrCpy $1 $0 1 -1
    ${If} $1 != "\"
        StrCpy $0 "$0\"
    ${EndIf}
FunctionEnd

!macro RefuseLongerThan path limit what
    StrLen $1 ${path}
    ${If} $1 > ${limit}
        StrCpy $refusal "The path of ${what} is too long for Prismel's uninstaller: ${path}"
    ${EndIf}
!macroend

; Settles the installation folder and the three folders of the record, and says in $refusal
; why they cannot be used, if so.
Function SettleFolders
    StrCpy $refusal ""
    ; The installation folder is named Prismel, whatever the user chose.
    StrCpy $0 $INSTDIR 1 -1
    ${If} $0 == "\"
        StrCpy $INSTDIR $INSTDIR -1
    ${EndIf}
    ${GetFileName} $INSTDIR $0
    ${If} $0 != "Prismel"
        StrCpy $INSTDIR "$INSTDIR\Prismel"
    ${EndIf}
    ${GetParent} $INSTDIR $0
    Call EndWithSeparator
    StrCpy $base $0
    StrCpy $0 $SMPROGRAMS
    Call EndWithSeparator
    StrCpy $group $0
    StrCpy $0 $DESKTOP
    Call EndWithSeparator
    StrCpy $desk $0

    !insertmacro RefuseLongerThan $desk ${DESKTOP_LIMIT} "the desktop"
    !insertmacro RefuseLongerThan $group ${GROUP_BASE_LIMIT} "the start menu"
    !insertmacro RefuseLongerThan $base ${INSTALL_BASE_LIMIT} "the folder chosen"
    Call RefuseUnrepresentable

    ; Another copy recorded elsewhere, still there, would be orphaned: its record is replaced.
    ReadRegStr $0 HKLM "${RECORD_KEY}" "InstallPath"
    ${If} $0 != ""
    ${AndIf} $0 != $base
        ${If} ${FileExists} "$0Prismel\Tintview.exe"
        ${OrIf} ${FileExists} "$0Prismel\uninstall.exe"
            StrCpy $refusal "Prismel is already installed in $0Prismel. Uninstall it first \
                with its uninstall.exe, or install into that folder again."
        ${EndIf}
    ${EndIf}
FunctionEnd

; The folder came through the ANSI code page, which turns what it lacks into "?", a character
; no real folder name holds.
Function RefuseUnrepresentable
    StrLen $2 $INSTDIR
    StrCpy $3 0
    ${DoWhile} $3 < $2
        StrCpy $1 $INSTDIR 1 $3
        ${If} $1 == "?"
            StrCpy $refusal "The folder's name holds characters that Prismel's uninstaller \
                cannot read back: $INSTDIR"
            ${Break}
        ${EndIf}
        IntOp $3 $3 + 1
    ${Loop}
FunctionEnd

Function LeaveFolderPage
    Call SettleFolders
    ${If} $refusal != ""
        MessageBox MB_ICONEXCLAMATION|MB_OK $refusal
        Abort ; stay on the page
    ${EndIf}
FunctionEnd

Section "-Folders and common files"
    ; Silent installs skip the folder page: the same check runs here.
    Call SettleFolders
    ${If} $refusal != ""
        MessageBox MB_ICONSTOP|MB_OK $refusal /SD IDOK
        SetErrorLevel 2
        Quit
    ${EndIf}

    SetOutPath "$INSTDIR"
    File "/oname=Tintview.hlp" "${WIN32_BIN}/Tintview.HLP"
    File "/oname=Tintview.cnt" "${WIN32_BIN}/Tintview.cnt"
    File "/oname=uninstall.exe" "${WIN32_BIN}/uninstall.exe"
SectionEnd

; Exactly one of the two pairs is selected, in .onInit.
Section "-The 64-bit programs" programs64
    File "/oname=Tintview.exe" "${WIN64_BIN}/Tintview.exe"
    File "/oname=Mousetap.dll" "${WIN64_BIN}/Mousetap.dll"
SectionEnd

Section "-The 32-bit programs" programs32
    File "/oname=Tintview.exe" "${WIN32_BIN}/Tintview.exe"
    File "/oname=Mousetap.dll" "${WIN32_BIN}/Mousetap.dll"
SectionEnd

; Laid last: the record points at a complete copy.
Section "-Shortcuts and record"
    ; Shortcuts start in the installation folder ($OUTDIR).
    CreateDirectory "$groupPrismel"
    CreateShortcut "$groupPrismel\Tintview.exe.lnk" "$INSTDIR\Tintview.exe"
    CreateShortcut "$groupPrismel\Tintview.hlp.lnk" "$INSTDIR\Tintview.hlp"
    CreateShortcut "$groupPrismel\uninstall.exe.lnk" "$INSTDIR\uninstall.exe"
    CreateShortcut "$deskTintview.exe.lnk" "$INSTDIR\Tintview.exe"

    WriteRegStr HKLM "${RECORD_KEY}" "InstallPath" $base
    WriteRegStr HKLM "${RECORD_KEY}" "CommonPath" $group
    WriteRegStr HKLM "${RECORD_KEY}" "DeskPath" $desk

    ; Windows' list of installed programs.
    WriteRegStr HKLM "${PROGRAM_LIST_KEY}" "DisplayName" "Prismel"
    WriteRegStr HKLM "${PROGRAM_LIST_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${PROGRAM_LIST_KEY}" "Publisher" "Prismel"
    WriteRegStr HKLM "${PROGRAM_LIST_KEY}" "DisplayIcon" "$INSTDIR\Tintview.exe,0"
    WriteRegStr HKLM "${PROGRAM_LIST_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${PROGRAM_LIST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${PROGRAM_LIST_KEY}" "URLInfoAbout" "http://prismel.example/"
    WriteRegDWORD HKLM "${PROGRAM_LIST_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${PROGRAM_LIST_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${PROGRAM_LIST_KEY}" "EstimatedSize" $0
SectionEnd

; 64-bit Windows on an x86-64 processor gets the 64-bit Tintview and Mousetap.dll, every other
; Windows (32-bit, or on ARM, which runs x86 programs) the 32-bit pair: see the README's
; "Release". (After the sections, whose numbers it uses.)
Function ChoosePrograms
    ${If} ${IsNativeAMD64}
        !insertmacro UnselectSection ${programs32}
    ${Else}
        !insertmacro UnselectSection ${programs64}
    ${EndIf}
FunctionEnd
