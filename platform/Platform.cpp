// SPDX-License-Identifier: MIT
#include "platform/Platform.h"

#include "platform/SystemPlatform.h"

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

std::unique_ptr<Platform> createSystemPlatform()
{
    return std::make_unique<SystemPlatform>();
}

Platform &systemPlatform()
{
    static const std::unique_ptr<Platform> instance = createSystemPlatform();
    return *instance;
}

} // namespace orv::platform
