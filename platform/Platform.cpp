// SPDX-License-Identifier: MIT
#include "platform/Platform.h"

#include <utility>

namespace orv::platform {

std::int32_t Platform::messageBox(
    WindowHandle owner, const std::wstring &text, const std::wstring &caption, std::uint32_t flags)
{
    const MessageBoxRequest request { owner, text, caption, flags };
    if (m_messageBoxSink)
        return m_messageBoxSink(request);
    return showMessageBox(request);
}

MessageBoxSink Platform::setMessageBoxSink(MessageBoxSink sink)
{
    return std::exchange(m_messageBoxSink, std::move(sink));
}

std::int32_t Platform::shFileOperation(FileOperationRecord & /*record*/)
{
    return 0x7C;
}

bool Platform::openClipboard(WindowHandle /*owner*/)
{
    return false;
}

bool Platform::emptyClipboard()
{
    return false;
}

bool Platform::closeClipboard()
{
    return false;
}

bool Platform::isClipboardFormatAvailable(std::uint32_t /*format*/)
{
    return false;
}

MemoryHandle Platform::setClipboardData(std::uint32_t /*format*/, MemoryHandle /*block*/)
{
    return 0;
}

MemoryHandle Platform::getClipboardData(std::uint32_t /*format*/)
{
    return 0;
}

MemoryHandle Platform::globalAlloc(std::uint32_t /*flags*/, std::size_t /*size*/)
{
    return 0;
}

std::uint8_t *Platform::globalLock(MemoryHandle /*block*/, std::size_t & /*size*/)
{
    return nullptr;
}

bool Platform::globalUnlock(MemoryHandle /*block*/)
{
    return false;
}

MemoryHandle Platform::globalFree(MemoryHandle /*block*/)
{
    return 0;
}

std::uint32_t Platform::dragQueryFile(MemoryHandle /*drop*/, std::uint32_t /*index*/,
    std::string & /*buffer*/, std::uint32_t /*length*/)
{
    return 0;
}

std::uintptr_t Platform::shGetFileInfo(const std::wstring & /*path*/, std::uint32_t /*attributes*/,
    ShellFileInfo & /*info*/, std::uint32_t /*flags*/)
{
    return 0;
}

bool Platform::imageListDraw(ImageListHandle /*list*/, std::int32_t /*index*/, DeviceContext /*dc*/,
    std::int32_t /*x*/, std::int32_t /*y*/, std::uint32_t /*style*/)
{
    return false;
}

IconHandle Platform::extractAssociatedIcon(const std::wstring & /*path*/, std::uint16_t & /*index*/)
{
    return 0;
}

bool Platform::drawIcon(
    DeviceContext /*dc*/, std::int32_t /*x*/, std::int32_t /*y*/, IconHandle /*icon*/)
{
    return false;
}

bool Platform::destroyIcon(IconHandle /*icon*/)
{
    return false;
}

std::uint32_t Platform::getShortPathName(
    const std::wstring & /*longPath*/, std::string & /*buffer*/, std::uint32_t /*length*/)
{
    return 0;
}

std::uint32_t Platform::getFileVersionInfoSize(const std::wstring & /*path*/)
{
    return 0;
}

bool Platform::getFileVersionInfo(const std::wstring & /*path*/, std::string & /*data*/)
{
    return false;
}

bool Platform::verQueryValue(const std::string & /*data*/, const std::wstring & /*block*/,
    std::optional<std::size_t> & /*offset*/, std::uint32_t & /*length*/)
{
    return false;
}

FileHandle Platform::createFile(const std::wstring & /*path*/, std::uint32_t /*access*/,
    std::uint32_t /*share*/, std::uint32_t /*disposition*/, std::uint32_t /*attributes*/)
{
    return kInvalidFileHandle;
}

bool Platform::getFileTime(FileHandle /*file*/, std::uint64_t & /*creation*/,
    std::uint64_t & /*lastAccess*/, std::uint64_t & /*lastWrite*/)
{
    return false;
}

bool Platform::fileTimeToLocalFileTime(std::uint64_t /*utc*/, std::uint64_t & /*local*/)
{
    return false;
}

bool Platform::fileTimeToSystemTime(std::uint64_t /*time*/, SystemTime & /*fields*/)
{
    return false;
}

bool Platform::closeHandle(FileHandle /*handle*/)
{
    return false;
}

std::int32_t Platform::shGetSpecialFolderLocation(
    WindowHandle /*owner*/, std::int32_t /*folder*/, ItemList & /*list*/)
{
    return static_cast<std::int32_t>(0x80004005);
}

bool Platform::shGetPathFromIdList(ItemList /*list*/, std::string & /*buffer*/)
{
    return false;
}

void Platform::coTaskMemFree(ItemList /*list*/)
{
}

ItemList Platform::shBrowseForFolder(BrowseInfo & /*info*/)
{
    return 0;
}

SearchHandle Platform::findFirstFile(const std::wstring & /*pattern*/, FindData & /*data*/)
{
    return kInvalidSearchHandle;
}

bool Platform::findNextFile(SearchHandle /*search*/, FindData & /*data*/)
{
    return false;
}

bool Platform::findClose(SearchHandle /*search*/)
{
    return false;
}

std::int32_t Platform::doEvents()
{
    return 0;
}

ScriptShell Platform::createScriptShell(ScriptError &error)
{
    error = { 429, L"ActiveX component can't create object" };
    return 0;
}

bool Platform::scriptShellRun(ScriptShell /*shell*/, const std::wstring & /*command*/,
    std::int32_t /*style*/, bool /*wait*/, ScriptError &error)
{
    error = { static_cast<std::int32_t>(0x80004001), L"Not implemented" };
    return false;
}

bool Platform::scriptShellAppActivate(ScriptShell /*shell*/, const std::wstring & /*title*/)
{
    return false;
}

bool Platform::scriptShellSendKeys(ScriptShell /*shell*/, const std::wstring & /*keys*/)
{
    return false;
}

void Platform::releaseScriptShell(ScriptShell /*shell*/)
{
}

std::wstring Platform::getSystemDirectory()
{
    return {};
}

std::int32_t Platform::getWindowText(
    WindowHandle /*window*/, std::string & /*buffer*/, std::int32_t /*length*/)
{
    return 0;
}

LibraryHandle Platform::loadLibrary(const std::wstring & /*path*/)
{
    return 0;
}

ProcAddress Platform::getProcAddress(LibraryHandle /*library*/, const std::string & /*name*/)
{
    return 0;
}

bool Platform::freeLibrary(LibraryHandle /*library*/)
{
    return false;
}

ThreadHandle Platform::createThread(ProcAddress /*startRoutine*/)
{
    return 0;
}

std::uint32_t Platform::waitForSingleObject(ThreadHandle /*thread*/, std::uint32_t /*milliseconds*/)
{
    return 0xFFFFFFFF;
}

bool Platform::closeThreadHandle(ThreadHandle /*thread*/)
{
    return false;
}

bool Platform::getWindowRect(WindowHandle /*window*/, Rect & /*rect*/)
{
    return false;
}

bool Platform::screenToClient(WindowHandle /*window*/, Point & /*point*/)
{
    return false;
}

bool Platform::moveWindow(WindowHandle /*window*/, std::int32_t /*x*/, std::int32_t /*y*/,
    std::int32_t /*width*/, std::int32_t /*height*/, bool /*repaint*/)
{
    return false;
}

std::intptr_t Platform::sendMessage(WindowHandle /*window*/, std::uint32_t /*message*/,
    std::uintptr_t /*wParam*/, std::intptr_t /*lParam*/)
{
    return 0;
}

DeviceContext Platform::createCompatibleDc(DeviceContext /*dc*/)
{
    return 0;
}

GdiObject Platform::createBitmap(std::int32_t /*width*/, std::int32_t /*height*/,
    std::uint32_t /*planes*/, std::uint32_t /*bitsPerPixel*/)
{
    return 0;
}

GdiObject Platform::createCompatibleBitmap(
    DeviceContext /*dc*/, std::int32_t /*width*/, std::int32_t /*height*/)
{
    return 0;
}

GdiObject Platform::selectObject(DeviceContext /*dc*/, GdiObject /*object*/)
{
    return 0;
}

bool Platform::deleteObject(GdiObject /*object*/)
{
    return false;
}

bool Platform::deleteDc(DeviceContext /*dc*/)
{
    return false;
}

std::uint32_t Platform::setBkColor(DeviceContext /*dc*/, std::uint32_t /*colour*/)
{
    return 0xFFFFFFFF;
}

bool Platform::bitBlt(DeviceContext /*target*/, std::int32_t /*x*/, std::int32_t /*y*/,
    std::int32_t /*width*/, std::int32_t /*height*/, DeviceContext /*source*/,
    std::int32_t /*sourceX*/, std::int32_t /*sourceY*/, std::uint32_t /*rasterOperation*/)
{
    return false;
}

Platform &systemPlatform()
{
    static const std::unique_ptr<Platform> instance = createSystemPlatform();
    return *instance;
}

} // namespace orv::platform
