// SPDX-License-Identifier: MIT
#pragma once

// The browser windows of this process: one per start, the first start's and
// those that later starts hand over. Each runs its own load step; they share
// the engine's profile, the settings store and the zoom per host. The
// process ends when the last one closes.

#include "browser/qt/frmBrowser.h"

#include <QList>
#include <QObject>
#include <QPointer>

namespace orv::app {

class BrowserWindows : public QObject
{
public:
    // shared: what every window gets; its command line is each start's own.
    explicit BrowserWindows(frmBrowser::Dependencies shared, QObject *parent = nullptr);
    ~BrowserWindows() override;

    // A start's window: made, loaded and shown; a handed-over start's
    // launcher id ends that start's busy feedback and brings it forward.
    frmBrowser *open(const QString &commandLine, const QByteArray &launchId = {});
    // Closes every window as its close button does.
    void closeAll();
    QList<frmBrowser *> windows() const;

private:
    frmBrowser::Dependencies m_shared;
    QList<QPointer<frmBrowser>> m_windows;
};

} // namespace orv::app
