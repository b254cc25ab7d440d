// SPDX-License-Identifier: MIT
#pragma once

// The session's downloads inside the browser window: one row per file with
// its name, the bytes and percent while it runs and a cancel button, then
// "Öffnen" and "Ordner öffnen", or why it failed. It floats over the lower
// right corner of the page, above the status band, and opens by itself when
// a download starts; a button at the band's right end brings it back.

#include <QFrame>
#include <QHash>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class QToolButton;
class QVBoxLayout;

namespace orv {

class ActiveBarBand;
class DownloadList;

class DownloadsPanel : public QFrame
{
    Q_OBJECT

public:
    // openWithShell hands a file or folder to the desktop's default program.
    DownloadsPanel(DownloadList *list, std::function<void(const QString &)> openWithShell,
        QWidget *window, ActiveBarBand &statusBand);

    QToolButton *button() const { return m_button; }
    // Puts the panel into the window's lower right corner, above the status
    // band while that shows.
    void place();
    // The files still arriving.
    QStringList runningNames() const;
    // Cancels what is still running, partial files removed.
    void cancelRunning();

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
    void placeAbove(int bottom);
    void addRow(int id);
    void updateRow(int id);

    DownloadList *m_list;
    ActiveBarBand &m_band;
    QToolButton *m_button;
    std::function<void(const QString &)> m_openWithShell;
    QVBoxLayout *m_rows;
    QLabel *m_empty;
    QHash<int, Row> m_rowsById;
    int m_bottom = 0;
};

} // namespace orv
