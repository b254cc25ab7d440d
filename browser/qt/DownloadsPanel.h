// SPDX-License-Identifier: MIT
#pragma once

// The session's downloads inside the browser window: one row per file with
// its name, the bytes and percent while it runs and a cancel button, then
// "Öffnen" and "Ordner öffnen", or why it failed. It floats over the lower
// right corner of the page and opens by itself when a download starts.

#include <QFrame>
#include <QHash>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class QVBoxLayout;

namespace orv {

class DownloadList;

class DownloadsPanel : public QFrame
{
    Q_OBJECT

public:
    // openWithShell hands a file or folder to the desktop's default program.
    DownloadsPanel(
        DownloadList *list, std::function<void(const QString &)> openWithShell, QWidget *parent);

    // Puts the panel into the lower right corner, above the given bottom edge.
    void placeAbove(int bottom);

private:
    struct Row
    {
        QWidget *box = nullptr;
        QLabel *name = nullptr;
        QLabel *state = nullptr;
        QProgressBar *bar = nullptr;
        QPushButton *cancel = nullptr;
        QPushButton *open = nullptr;
        QPushButton *folder = nullptr;
    };
    void addRow(int id);
    void updateRow(int id);

    DownloadList *m_list;
    std::function<void(const QString &)> m_openWithShell;
    QVBoxLayout *m_rows;
    QLabel *m_empty;
    QHash<int, Row> m_rowsById;
    int m_bottom = 0;
};

} // namespace orv
