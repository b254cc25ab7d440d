// SPDX-License-Identifier: MIT
#include "components/PageContextMenu.h"

#include "resources/Texts.h"
#include "resources/qt/QtText.h"

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
        entry(toQt(texts::menuOpenLink), C::OpenLink);
        addAction(toQt(texts::menuCopyLinkAddress), this,
            [link = clicked.link] { QGuiApplication::clipboard()->setText(link.toString()); });
        addSeparator();
    }
    if (clicked.image) {
        entry(toQt(texts::menuSaveImage), C::SaveImage);
        addSeparator();
    }
    if (clicked.editable) {
        entry(toQt(texts::menuCut), C::Cut);
        entry(toQt(texts::menuCopy), C::Copy);
        entry(toQt(texts::menuPaste), C::Paste);
        addSeparator();
    } else if (clicked.selection) {
        entry(toQt(texts::menuCopy), C::Copy);
        addSeparator();
    }
    entry(toQt(texts::menuBack), C::Back);
    entry(toQt(texts::menuForward), C::Forward);
    entry(toQt(texts::menuReload), C::Reload);
    addSeparator();
    // What Ctrl+P and Ctrl+Shift+S do, for those who look for it here.
    entry(toQt(texts::menuPrint), C::Print);
    entry(toQt(texts::menuSaveAsPdf), C::SaveAsPdf);
    addSeparator();
    entry(toQt(texts::menuSelectAll), C::SelectAll);
}

} // namespace orv
