// SPDX-License-Identifier: MIT
#include "browser/qt/DownloadsPanel.h"

#include "components/qt/ActiveBar.h"
#include "components/qt/DownloadList.h"

#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

namespace orv {

DownloadsPanel::DownloadsPanel(DownloadList *list,
    std::function<void(const QString &)> openWithShell, QWidget *window, ActiveBarBand &statusBand)
    : QFrame(window), m_list(list), m_band(statusBand), m_button(new QToolButton(window)),
      m_openWithShell(std::move(openWithShell))
{
    setObjectName(QStringLiteral("downloadsPanel"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setFixedWidth(380);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    auto *head = new QHBoxLayout;
    auto *title = new QLabel(QStringLiteral("<b>Downloads</b>"), this);
    auto *close = new QToolButton(this);
    close->setObjectName(QStringLiteral("downloadsClose"));
    close->setText(QStringLiteral("×"));
    close->setToolTip(QStringLiteral("Schließen"));
    close->setAutoRaise(true);
    connect(close, &QToolButton::clicked, this, &QWidget::hide);
    head->addWidget(title, 1);
    head->addWidget(close);
    layout->addLayout(head);

    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *content = new QWidget(scroll);
    m_rows = new QVBoxLayout(content);
    m_rows->setContentsMargins(0, 0, 0, 0);
    m_empty = new QLabel(QStringLiteral("In dieser Sitzung wurde noch nichts heruntergeladen."));
    m_empty->setWordWrap(true);
    m_rows->addWidget(m_empty);
    m_rows->addStretch(1);
    scroll->setWidget(content);
    layout->addWidget(scroll);

    for (const DownloadEntry &entry : m_list->entries())
        addRow(entry.id);
    connect(m_list, &DownloadList::added, this, [this](int id) {
        addRow(id);
        show();
        raise();
    });
    connect(m_list, &DownloadList::changed, this, &DownloadsPanel::updateRow);
    hide();

    m_button->setObjectName(QStringLiteral("downloadsButton"));
    m_button->setText(QStringLiteral("Downloads"));
    m_button->setToolTip(QStringLiteral("Downloads dieser Sitzung"));
    m_button->setAutoRaise(true);
    statusBand.addWidget(m_button);
    connect(m_button, &QToolButton::clicked, this, [this] {
        if (isVisible()) {
            hide();
            return;
        }
        place();
        show();
        raise();
    });
    connect(m_list, &DownloadList::added, this, &DownloadsPanel::place);
}

void DownloadsPanel::place()
{
    QWidget *window = parentWidget();
    placeAbove(m_band.isVisible() ? m_band.mapTo(window, QPoint(0, 0)).y() : window->height());
}

QStringList DownloadsPanel::runningNames() const
{
    QStringList names;
    for (const DownloadEntry &entry : m_list->entries()) {
        if (entry.state == DownloadEntry::State::Running)
            names.append(entry.fileName);
    }
    return names;
}

void DownloadsPanel::cancelRunning()
{
    m_list->cancelRunning();
}

void DownloadsPanel::placeAbove(int bottom)
{
    m_bottom = bottom;
    const int rows = int(m_rowsById.size());
    const int height = qMin(qMax(120, 60 + rows * 78), qMax(120, bottom - 40));
    setGeometry(parentWidget()->width() - width() - 6, bottom - height - 6, width(), height);
}

void DownloadsPanel::addRow(int id)
{
    const DownloadEntry *entry = m_list->entry(id);
    if (!entry)
        return;
    m_empty->hide();
    Row row;
    row.box = new QFrame(this);
    row.box->setObjectName(QStringLiteral("download%1").arg(id));
    auto *layout = new QGridLayout(row.box);
    layout->setContentsMargins(0, 4, 0, 4);
    row.name = new QLabel(entry->fileName, row.box);
    row.name->setObjectName(QStringLiteral("name"));
    row.state = new QLabel(row.box);
    row.state->setObjectName(QStringLiteral("state"));
    row.state->setWordWrap(true);
    row.bar = new QProgressBar(row.box);
    row.bar->setMaximumHeight(10);
    row.bar->setTextVisible(false);
    row.cancel = new QPushButton(QStringLiteral("Abbrechen"), row.box);
    row.cancel->setObjectName(QStringLiteral("cancel"));
    row.open = new QPushButton(QStringLiteral("Öffnen"), row.box);
    row.open->setObjectName(QStringLiteral("open"));
    row.folder = new QPushButton(QStringLiteral("Ordner öffnen"), row.box);
    row.folder->setObjectName(QStringLiteral("folder"));
    layout->addWidget(row.name, 0, 0, 1, 3);
    layout->addWidget(row.bar, 1, 0, 1, 3);
    layout->addWidget(row.state, 2, 0, 1, 3);
    layout->addWidget(row.cancel, 3, 2);
    layout->addWidget(row.open, 3, 1);
    layout->addWidget(row.folder, 3, 2);
    const QString path = entry->path;
    connect(row.cancel, &QPushButton::clicked, this, [this, id] { m_list->cancel(id); });
    connect(row.open, &QPushButton::clicked, this, [this, path] {
        if (m_openWithShell)
            m_openWithShell(path);
    });
    connect(row.folder, &QPushButton::clicked, this, [this, path] {
        if (m_openWithShell)
            m_openWithShell(QFileInfo(path).absolutePath());
    });
    m_rows->insertWidget(m_rows->count() - 1, row.box);
    m_rowsById.insert(id, row);
    updateRow(id);
    if (m_bottom > 0)
        placeAbove(m_bottom);
}

void DownloadsPanel::updateRow(int id)
{
    const DownloadEntry *entry = m_list->entry(id);
    const auto found = m_rowsById.constFind(id);
    if (!entry || found == m_rowsById.constEnd())
        return;
    const Row &row = *found;
    using State = DownloadEntry::State;
    const bool running = entry->state == State::Running;
    const bool done = entry->state == State::Done;
    row.bar->setVisible(running);
    row.bar->setRange(0, entry->percent() < 0 ? 0 : 100);
    row.bar->setValue(qMax(0, entry->percent()));
    row.cancel->setVisible(running);
    row.open->setVisible(done);
    row.folder->setVisible(done);
    switch (entry->state) {
    case State::Running:
        row.state->setText(entry->progressText());
        break;
    case State::Done:
        row.state->setText(QStringLiteral("Fertig – ") + entry->progressText());
        break;
    case State::Cancelled:
        row.state->setText(QStringLiteral("Abgebrochen"));
        break;
    case State::Failed:
        row.state->setText(QStringLiteral("Fehlgeschlagen: ") + entry->failure);
        break;
    }
}

} // namespace orv
