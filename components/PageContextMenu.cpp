// SPDX-License-Identifier: MIT
#include "components/PageContextMenu.h"

#include "resources/Texts.h"

#include <QClipboard>
#include <QGuiApplication>

namespace orv {

PageContextMenu::PageContextMenu(
    const ClickedOn &clicked, const std::function<bool(Command)> &available, QWidget *parent)
    : QMenu(parent)
{
    const auto entry = [&](const QString &text, Command command) {
        addAction(text, this, [this, command] {
            Q_EMIT chosen(command);
        })->setEnabled(available(command));
    };
    using C = Command;
    if (clicked.link.isValid()) {
        entry(texts::menuOpenLink(), C::OpenLink);
        addAction(texts::menuCopyLinkAddress(), this,
            [link = clicked.link] { QGuiApplication::clipboard()->setText(link.toString()); });
        addSeparator();
    }
    if (clicked.image) {
        entry(texts::menuSaveImage(), C::SaveImage);
        addSeparator();
    }
    if (clicked.editable) {
        entry(texts::menuCut(), C::Cut);
        entry(texts::menuCopy(), C::Copy);
        entry(texts::menuPaste(), C::Paste);
        addSeparator();
    } else if (clicked.selection) {
        entry(texts::menuCopy(), C::Copy);
        addSeparator();
    }
    entry(texts::menuBack(), C::Back);
    entry(texts::menuForward(), C::Forward);
    entry(texts::menuReload(), C::Reload);
    addSeparator();
    // What Ctrl+P and Ctrl+Shift+S do, for those who look for it here.
    entry(texts::menuPrint(), C::Print);
    entry(texts::menuSaveAsPdf(), C::SaveAsPdf);
    addSeparator();
    entry(texts::menuSelectAll(), C::SelectAll);
}

} // namespace orv
