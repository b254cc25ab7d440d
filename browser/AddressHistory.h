// SPDX-License-Identifier: MIT
#pragma once

// The address box's history: most recent first, each text at most once,
// unlimited, never saved. It lives in the model that the box's drop-down
// list shows, so the list and the history cannot disagree.

#include <QString>
#include <QStringList>

class QStringListModel;

namespace orv {

class AddressHistory
{
public:
    explicit AddressHistory(QStringListModel *model) : m_model(model) { }

    // The text the box keeps after Enter: "http://" + text when its first
    // three characters are "www" in any case, else the text unchanged.
    static QString completed(const QString &typed);

    // Puts text in front unless an equal entry (exact, case-sensitive)
    // exists; returns where the entry is.
    int remember(const QString &text);
    // Moves entry index to the front, the entries before it one place back.
    QString moveToFront(int index);
    // Empties the list, as a new start of the window finds it.
    void clear();

    QStringList entries() const;
    int count() const;

private:
    QStringListModel *m_model;
};

} // namespace orv
