// SPDX-License-Identifier: MIT
#include "FakeWebBrowser.h"

#include "components/qt/Twips.h"
#include "core/Failure.h"

namespace orv::test {

FakeWebBrowser::FakeWebBrowser(QWidget *container)
    : WebBrowserControl(container), fileDownloads(new DownloadList(this)),
      m_widget(new QWidget(container))
{
    m_widget->setObjectName("brwWebBrowser");
}

void FakeWebBrowser::record(const QString &operation, const QString &arguments)
{
    calls.append(arguments.isEmpty() ? operation : operation + ' ' + arguments);
    if (failing.contains(operation))
        fail(FailureCode::ControlFailed, operation.toStdString() + " failed");
}

void FakeWebBrowser::Move(int left, int top, int width, int height)
{
    record("Move", QString("%1 %2 %3 %4").arg(left).arg(top).arg(width).arg(height));
    lastMove = QRect(left, top, width, height);
    const TwipsPerPixel tpp = TwipsPerPixel::of(m_widget);
    m_widget->setGeometry(
        tpp.xToPixels(left), tpp.yToPixels(top), tpp.xToPixels(width), tpp.yToPixels(height));
}

QStringList FakeWebBrowser::callsOf(const QString &operation) const
{
    QStringList arguments;
    for (const QString &call : calls) {
        if (call == operation || call.startsWith(operation + ' '))
            arguments.append(call.mid(operation.size() + 1));
    }
    return arguments;
}

} // namespace orv::test
