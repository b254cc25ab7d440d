// SPDX-License-Identifier: MIT
#include "FakeWebBrowser.h"

#include "components/Twips.h"
#include "core/Failure.h"

namespace orv::test {

FakeWebBrowser::FakeWebBrowser(QWidget *container)
    : WebBrowserControl(container), fileDownloads(new DownloadList(this)),
      m_widget(new QWidget(container))
{
    m_widget->setObjectName(QStringLiteral("brwWebBrowser"));
}

void FakeWebBrowser::record(const QString &operation, const QString &arguments)
{
    calls.append(arguments.isEmpty() ? operation : operation + QLatin1Char(' ') + arguments);
    if (failing.contains(operation))
        fail(FailureCode::ControlFailed, operation.toStdString() + " failed");
}

void FakeWebBrowser::setSilent(bool silent)
{
    record(QStringLiteral("Silent"), silent ? QStringLiteral("true") : QStringLiteral("false"));
    m_silent = silent;
}

void FakeWebBrowser::Navigate(const QString &address)
{
    record(QStringLiteral("Navigate"), address);
}

void FakeWebBrowser::GoBack()
{
    record(QStringLiteral("GoBack"));
}

void FakeWebBrowser::GoForward()
{
    record(QStringLiteral("GoForward"));
}

void FakeWebBrowser::Stop()
{
    record(QStringLiteral("Stop"));
}

void FakeWebBrowser::Refresh()
{
    record(QStringLiteral("Refresh"));
}

void FakeWebBrowser::Move(int left, int top, int width, int height)
{
    record(QStringLiteral("Move"),
        QStringLiteral("%1 %2 %3 %4").arg(left).arg(top).arg(width).arg(height));
    lastMove = QRect(left, top, width, height);
    const TwipsPerPixel tpp = TwipsPerPixel::of(m_widget);
    m_widget->setGeometry(
        tpp.xToPixels(left), tpp.yToPixels(top), tpp.xToPixels(width), tpp.yToPixels(height));
}

QStringList FakeWebBrowser::navigations() const
{
    QStringList result;
    const QString prefix = QStringLiteral("Navigate ");
    for (const QString &call : calls) {
        if (call.startsWith(prefix) || call == QStringLiteral("Navigate"))
            result.append(call.mid(prefix.size()));
    }
    return result;
}

} // namespace orv::test
