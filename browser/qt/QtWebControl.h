// SPDX-License-Identifier: MIT
#pragma once

// The Qt build's web control as the browser window's rules reach it: their
// UTF-8 texts become Qt's here.

#include "components/WebControl.h"
#include "components/qt/WebBrowserControl.h"
#include "resources/qt/QtText.h"

#include <QStringList>

#include <functional>
#include <utility>

namespace orv {

class QtWebControl final : public WebControl
{
public:
    // beforeFirstNavigate: told once, just before the first page is requested.
    QtWebControl(WebBrowserControl *control, std::function<void()> beforeFirstNavigate)
        : m_control(control), m_beforeFirstNavigate(std::move(beforeFirstNavigate))
    {
    }

    void setSilent(bool silent) override { m_control->setSilent(silent); }
    void Navigate(const std::string &address) override
    {
        if (m_beforeFirstNavigate)
            std::exchange(m_beforeFirstNavigate, nullptr)();
        m_control->Navigate(toQt(address));
    }
    void GoBack() override { m_control->GoBack(); }
    void GoForward() override { m_control->GoForward(); }
    void Stop() override { m_control->Stop(); }
    void Refresh() override { m_control->Refresh(); }
    void Move(int left, int top, int width, int height) override
    {
        m_control->Move(left, top, width, height);
    }
    void keepLastSeen(const std::vector<std::string> &addresses) override
    {
        QStringList list;
        for (const std::string &address : addresses)
            list.append(toQt(address));
        m_control->keepLastSeen(list);
    }

private:
    WebBrowserControl *m_control;
    std::function<void()> m_beforeFirstNavigate;
};

} // namespace orv
