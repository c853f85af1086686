; The VelPanel installer, one per architecture, made by packaging/make-packages.sh
; (./build.sh --package) from a staged program folder. Defines it expects:
;   VERSION  four numbers, from res/version.h      ARCH     win64 or win32
;   SRCDIR   the staged folder (dist/<arch>)        FILES    the generated lists of its files
;   OUTFILE  the installer to write
;
; Silent use: Setup.exe /S [/SIMULATED] [/D=C:\folder]  (/D last, unquoted); Uninstall.exe /S.
;
; By default it installs what a site needs. The simulated panels (the stand-in
; TqDvManager.dll, velsim.exe and the sample images broken on purpose) are an option, off
; by default: on the panel PC the maker's library belongs in the program folder, ours must
; never replace or remove it, and no broken image belongs beside real panels. A
; TqDvManager.dll found there counts as ours only if its version resource carries our mark
; (InternalName, contract/StandInMark.h); anything else, a library without a
; version resource too, is the maker's and stays untouched by install and uninstall.

Unicode true

!ifndef VERSION | ARCH | SRCDIR | FILES | OUTFILE
  !error "VelPanel.nsi is made by packaging/make-packages.sh; it needs VERSION, ARCH, SRCDIR, FILES and OUTFILE"
!endif

!if "${ARCH}" == "win64"
  Target amd64-unicode
  !define PROGRAM_FILES "$PROGRAMFILES64"
  !define SHORTCUT "VelPanel.lnk"
!else if "${ARCH}" == "win32"
  ; A 32-bit installer: on 64-bit Windows, Program Files (x86) and the 32-bit registry view.
  Target x86-unicode
  !define PROGRAM_FILES "$PROGRAMFILES"
  !define SHORTCUT "VelPanel (32-bit).lnk"
!else
  !error "ARCH must be win64 or win32"
!endif

!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include "${FILES}"

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VelPanel"
; makensis runs in this script's folder.
!searchparse /file "../contract/StandInMark.h" '#define VEL_STAND_IN_MARK "' STAND_IN_MARK '"'

Name "VelPanel ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "${PROGRAM_FILES}\VelPanel"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}"
VIAddVersionKey ProductName "VelPanel"
VIAddVersionKey CompanyName "Quorvel"
VIAddVersionKey FileDescription "VelPanel ${VERSION} (${ARCH}) setup"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey LegalCopyright "Copyright (C) 2026"

Page components
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Pushes 1 if the file named on the stack is our stand-in library, 0 otherwise.
!macro VEL_IS_STAND_IN_FUNCTION prefix
Function ${prefix}IsStandIn
    Exch $0
    Push $1
    Push $2
    Push $3
    Push $4
    Push $5
    Push $6
    StrCpy $6 0
    System::Call 'version::GetFileVersionInfoSizeW(w r0, p 0) i .r1'
    ${If} $1 > 0
        System::Alloc $1
        Pop $2
        System::Call 'version::GetFileVersionInfoW(w r0, i 0, i r1, p r2) i .r3'
        ${If} $3 <> 0
            System::Call 'version::VerQueryValueW(p r2, w "\StringFileInfo\040904b0\InternalName", *p .r4, *i .r5) i .r3'
            ${If} $3 <> 0
            ${AndIf} $5 > 0
                System::Call '*$4(&w$5 .r3)'
                ${If} $3 S== "${STAND_IN_MARK}"
                    StrCpy $6 1
                ${EndIf}
            ${EndIf}
        ${EndIf}
        System::Free $2
    ${EndIf}
    StrCpy $0 $6
    Pop $6
    Pop $5
    Pop $4
    Pop $3
    Pop $2
    Pop $1
    Exch $0
FunctionEnd
!macroend
!insertmacro VEL_IS_STAND_IN_FUNCTION ""
!insertmacro VEL_IS_STAND_IN_FUNCTION "un."

Section "VelPanel" SecProgram
    SectionIn RO
    SetShellVarContext all
    !insertmacro VelInstallFiles
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${SHORTCUT}" "$INSTDIR\VelPanel.exe"

    WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "VelPanel"
    WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "Quorvel"
    WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\VelPanel.exe"
    WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
SectionEnd

Section /o "simulated panels, for use without hardware" SecSimulated
    ${If} ${FileExists} "$INSTDIR\TqDvManager.dll"
        Push "$INSTDIR\TqDvManager.dll"
        Call IsStandIn
        Pop $0
        ${If} $0 != 1
            DetailPrint "Kept the panel maker's TqDvManager.dll: the simulated panels are not installed."
            Return
        ${EndIf}
    ${EndIf}
    SetOutPath "$INSTDIR"
    File "${SRCDIR}/TqDvManager.dll"
    !insertmacro VelInstallSimulatedFiles
SectionEnd

Section "-size"
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

Function .onInit
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/SIMULATED" $1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${SecSimulated}
    ${EndIf}
FunctionEnd

Section "Uninstall"
    SetShellVarContext all
    !insertmacro VelRemoveFiles
    ${If} ${FileExists} "$INSTDIR\TqDvManager.dll"
        Push "$INSTDIR\TqDvManager.dll"
        Call un.IsStandIn
        Pop $0
        ${If} $0 == 1
            Delete "$INSTDIR\TqDvManager.dll"
        ${Else}
            DetailPrint "Left the panel maker's TqDvManager.dll in $INSTDIR."
        ${EndIf}
    ${EndIf}
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${SHORTCUT}"
    DeleteRegKey HKLM "${UNINST_KEY}"
SectionEnd
