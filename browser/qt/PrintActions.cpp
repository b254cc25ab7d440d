// SPDX-License-Identifier: MIT
#include "browser/qt/PrintActions.h"

#include "browser/qt/KeyBindings.h"
#include "components/qt/WebBrowserControl.h"
#include "core/Steps.h"
#include "resources/Texts.h"
#include "resources/qt/QtText.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

namespace orv {

PrintActions::PrintActions(QWidget *window, WebBrowserControl *browser, Dependencies dependencies)
    : QObject(window), m_window(window), m_browser(browser), m_deps(std::move(dependencies))
{
    connect(browser, &WebBrowserControl::PrintRequested, this, &PrintActions::print);
    connect(browser, &WebBrowserControl::SaveAsPdfRequested, this, &PrintActions::saveAsPdf);
    connect(browser, &WebBrowserControl::PdfPrinted, this,
        [this](const QString &filePath, bool success) {
            Q_EMIT statusText(
                toQt(success ? texts::statusPdfSaved : texts::statusPdfFailed) + filePath);
        });
    bindKeys(window, { QKeySequence(Qt::CTRL | Qt::Key_P) }, this, &PrintActions::print);
    bindKeys(
        window, { QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S) }, this, &PrintActions::saveAsPdf);
}

void PrintActions::print()
{
    runUntrapped("print", [&] { m_browser->Print(); });
}

void PrintActions::saveAsPdf()
{
    runUntrapped("PDF", [&] {
        QString name = m_deps.pageName ? m_deps.pageName() : QString();
        name.replace(QLatin1Char('/'), QLatin1Char('_'));
        const QString proposed
            = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                  .filePath(
                      (name.isEmpty() ? QStringLiteral("Seite") : name) + QStringLiteral(".pdf"));
        const QString path = m_deps.choosePdfFile
            ? m_deps.choosePdfFile(proposed)
            : QFileDialog::getSaveFileName(m_window, QStringLiteral("Als PDF speichern"), proposed,
                QStringLiteral("PDF-Dateien (*.pdf)"));
        if (!path.isEmpty())
            m_browser->PrintToPdf(path);
    });
}

} // namespace orv
