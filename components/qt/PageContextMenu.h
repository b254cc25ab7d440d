// SPDX-License-Identifier: MIT
#pragma once

// The page's German context menu. What it offers follows from what was
// clicked: a misspelt word's suggestions, a link's and a picture's entries
// and the editing ones where they fit, then the page's own (back, forward,
// reload, open in the default browser, print, save as PDF, select all). The menu leaves the page
// alone: each entry reports its command and the browser control carries it out. Only a link's
// address it copies by itself.

#include <QMenu>
#include <QUrl>

#include <functional>

namespace orv {

// What lay under the mouse, as plain facts.
struct ClickedOn
{
    QUrl link {}; // invalid: none
    bool image = false;
    bool editable = false; // a field the user types into
    bool selection = false; // text is selected
    QString misspelt {}; // empty: none, or one the user added to the dictionary
    QStringList suggestions {}; // the dictionary's, best first
};

class PageContextMenu : public QMenu
{
    Q_OBJECT

public:
    enum class Command {
        OpenLink,
        SaveImage,
        Cut,
        Copy,
        Paste,
        Back,
        Forward,
        Reload,
        OpenPageExternally,
        AddToDictionary,
        Print,
        SaveAsPdf,
        SelectAll
    };
    Q_ENUM(Command)

    // Entries whose command is not available now show greyed.
    PageContextMenu(const ClickedOn &clicked, const std::function<bool(Command)> &available,
        QWidget *parent = nullptr);

Q_SIGNALS:
    void chosen(orv::PageContextMenu::Command command);
    // A suggestion for the misspelt word.
    void replacementChosen(const QString &word);
};

class WebEngineBrowser;

// Opens the menu for what lies under the mouse in the control's view and
// carries out the entry chosen: the editing ones on the page shown there,
// the others through the control.
void popUpPageMenu(WebEngineBrowser *control, const QPoint &position);

} // namespace orv
