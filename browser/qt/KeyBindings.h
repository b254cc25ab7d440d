// SPDX-License-Identifier: MIT
#pragma once

// The browser window's keys beyond the toolbar's: each helper of the window
// binds its own, so a command and its keys are read in one place.

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

#include <initializer_list>

namespace orv {

// Binds every key to the command, for the whole window.
template <typename Receiver, typename Command>
void bindKeys(QWidget *window, std::initializer_list<QKeySequence> keys, const Receiver *receiver,
    Command command)
{
    for (const QKeySequence &key : keys) {
        auto *shortcut = new QShortcut(key, window);
        QObject::connect(shortcut, &QShortcut::activated, receiver, command);
        // Where a keyboard reports one key in two spellings, both match; Qt
        // then calls the key ambiguous, but it still means this command.
        QObject::connect(shortcut, &QShortcut::activatedAmbiguously, receiver, command);
    }
}

} // namespace orv
