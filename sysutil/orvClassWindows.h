// SPDX-License-Identifier: MIT
#pragma once

// Operating-system and shell services behind one object: the system's version
// and name, control-panel applets and system tools, opening files, programs
// and web addresses, shell file operations, clipboard file lists, file
// information, folder choice, and helpers for combo boxes and drawing.
//
// The public operations keep their interface order and parameter names.
// Parameter passing follows one rule:
//  - a reference is in/out: the caller's variable sees the new value;
//  - a value or const reference is in only;
//  - an optional in/out parameter is a pointer, nullptr when left out;
//  - an optional in parameter has its left-out value (0, false, empty) as
//    default, or is a std::optional where "left out" differs from any value.
//
// The class makes no system call itself; everything goes through a
// platform::Platform (by default the backend of the build).

#include "platform/Platform.h"
#include "sysutil/ClassTypes.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orv {

class orvClassWindows
{
public:
    orvClassWindows();
    explicit orvClassWindows(platform::Platform &platform);

    // 1-2: combo boxes.
    void SetComboBoxHeight(ComboBoxObject &ComboBox, std::int32_t NewHeight);
    void ComboSetListWidth(ComboBoxObject &oCombo, std::optional<double> nFixWidth = std::nullopt,
        std::optional<double> nScaleMode = std::nullopt);

    // 3-5: applets and system tools.
    void ShowControlPanels(std::int32_t &Index, std::int32_t *pTab = nullptr);
    void ShowDatumTime();
    void ShowSysInfo();

    // 6-12
    std::wstring GetBrowseDirectory(std::int32_t &frmhWnd, std::wstring *xPfad = nullptr);
    void ShowFind(std::int32_t &frmhWnd, std::wstring *Pfad = nullptr);
    std::int32_t ShowFileProperties(std::int32_t &frmhWnd, std::wstring *FileName = nullptr);
    Variant GetFileIcon(PictureBoxObject &picBuff, std::wstring &xFile);
    bool GetFileIconEx(PictureBoxObject &picBuff, std::wstring &xFile, bool largeIcon = false,
        std::wstring *GetFileIconName = nullptr);
    std::wstring GetFileEx(std::wstring &xFile);
    std::wstring GetShellPersonalLocation(std::int32_t &lnghWnd);

    // 13: shows (true) or hides the taskbar; the result stays empty.
    Variant SetStartleiste(bool Visible = false);

    // 14-16: read-only properties of the system's version; 0 when the query
    // raises a failure.
    std::int32_t OSBuild() const;
    std::int32_t OSMajorVersion() const;
    std::int32_t OSMinorVersion() const;

    // 17-21: shell file operations and clipboard file lists.
    void FileCopy(std::int32_t hwnd, const std::wstring &xFromFile, const std::wstring &xToFile);
    void FileMove(std::int32_t hwnd, const std::wstring &xFromFile, const std::wstring &xToFile);
    void FileDelete(std::int32_t &xWnd, const std::wstring &xFile, bool xUndo = false);
    bool FileCopyClipboard(std::vector<std::wstring> &files);
    std::int32_t FilePasteClipboard(std::vector<std::wstring> &files);

    // 22-24: the script shell runners; true from the last two means failed.
    Variant PDF_Öffnen(const std::wstring &uFilePath);
    bool Datei_ausführen(
        const std::wstring &uFilePath, const std::wstring &uProperties, bool &uWarten);
    bool EXE_ausführen(std::wstring &EXE, bool &bWarten, bool &dat);

    // 25: opens a web address with the shell.
    void ShowInternet(std::int32_t &Wnd, std::wstring *URL = nullptr);

    // 26-27
    std::wstring GetShortFileName(const std::wstring &strLongPath);
    std::wstring GetFileVersion(std::wstring &FullFileName, std::int32_t dat = 0);

    // 28: the system's name ("Windows Vista", ...).
    std::wstring GetPlatform();

    // 29-32
    void DirFile(std::vector<std::wstring> &datFile, const std::wstring &vsFolderPath,
        const std::wstring &vsSearch);
    bool ReadFileTime(const std::wstring &lpFileName, DateTime &tCreation, DateTime &tLastAccess,
        DateTime &tLastWrite);
    bool ReadFileLastTime(const std::wstring &lpFileName, DateTime &tLastWrite);
    void TranspPic(std::int32_t &OutDstDC, std::int32_t &DstDC, std::int32_t &SrcDC,
        std::int32_t &SrcX, std::int32_t &SrcY, std::int32_t &SrcXX, std::int32_t &SrcYY,
        std::int32_t DstX, std::int32_t DstY, std::int32_t &TransColor);

private:
    void RunCommand(const std::wstring &commandLine);
    bool ReadRegistryValue(std::uint32_t rootKey, const std::wstring &keyPath,
        const std::wstring &valueName, std::wstring &value);
    std::wstring AddBackslash(const std::wstring &path);
    bool RegisterServerDll(const std::wstring &filePath, bool registerServer);
    std::wstring TrimAtNull(const std::wstring &text);
    std::wstring CutAtNull(const std::wstring &text);

    // Starts a command line; a start that fails is a FileNotFound failure.
    void startOrFail(const std::wstring &commandLine, std::int32_t show);
    // A fresh version record filled by the system; zeroed when the query fails.
    platform::OsVersionInfo queryVersion() const;
    // The shell's file information of a file into FileInfo; the call's result.
    std::uintptr_t queryFileInfo(const std::wstring &file, std::uint32_t flags);
    // "display|type" of FileInfo.
    std::wstring fileInfoNames();
    // A file's times in local time to the second; nullopt when any step fails.
    std::optional<std::array<DateTime, 3>> fileTimes(const std::wstring &fileName);
    // "<system directory>\wshom.ocx"
    std::wstring scriptHostPath();

    platform::Platform &m_platform;
    // The shell's file-information record, kept between calls.
    platform::ShellFileInfo FileInfo;
    std::vector<std::wstring> FileList;
    std::int32_t FileCount = 0;
};

} // namespace orv
