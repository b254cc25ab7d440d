// SPDX-License-Identifier: MIT
#pragma once

// Printing the page and saving it as PDF, from the keyboard (Ctrl+P,
// Ctrl+Shift+S) or the page's context menu. The PDF's file is proposed in
// the documents folder under the category's name.

#include <QObject>

#include <functional>

class QWidget;

namespace orv {

class WebBrowserControl;

class PrintActions : public QObject
{
    Q_OBJECT

public:
    struct Dependencies
    {
        // The name the PDF's file is proposed under.
        std::function<QString()> pageName;
        // Asks where the PDF goes, proposing a file; empty: nowhere. A file
        // dialog when not set.
        std::function<QString(const QString &proposed)> choosePdfFile;
    };

    PrintActions(QWidget *window, WebBrowserControl *browser, Dependencies dependencies);

    void print();
    void saveAsPdf();

Q_SIGNALS:
    // What the status band reports once the PDF is written or has failed.
    void statusText(const QString &text);

private:
    QWidget *m_window;
    WebBrowserControl *m_browser;
    Dependencies m_deps;
};

} // namespace orv
