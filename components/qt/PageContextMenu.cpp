// SPDX-License-Identifier: MIT
#include "components/qt/PageContextMenu.h"

#include "components/qt/SpellCheck.h"
#include "components/qt/WebEngineBrowser.h"
#include "resources/Texts.h"
#include "resources/qt/QtText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineView>

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
    if (!clicked.misspelt.isEmpty()) {
        for (const QString &suggestion : clicked.suggestions)
            addAction(
                suggestion, this, [this, suggestion] { Q_EMIT replacementChosen(suggestion); });
        entry(toQt(texts::menuAddToDictionary), C::AddToDictionary);
        addSeparator();
    }
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
    entry(toQt(texts::menuOpenPageInDefaultBrowser), C::OpenPageExternally);
    addSeparator();
    // What Ctrl+P and Ctrl+Shift+S do, for those who look for it here.
    entry(toQt(texts::menuPrint), C::Print);
    entry(toQt(texts::menuSaveAsPdf), C::SaveAsPdf);
    addSeparator();
    entry(toQt(texts::menuSelectAll), C::SelectAll);
}

namespace {

// The editing entries act on the page shown, be it ours.
QWebEnginePage::WebAction editAction(PageContextMenu::Command command)
{
    using C = PageContextMenu::Command;
    return command == C::Cut      ? QWebEnginePage::Cut
        : command == C::Copy      ? QWebEnginePage::Copy
        : command == C::Paste     ? QWebEnginePage::Paste
        : command == C::SelectAll ? QWebEnginePage::SelectAll
                                  : QWebEnginePage::NoWebAction;
}

bool isWebAddress(const QUrl &address)
{
    return address.scheme() == QLatin1String("http") || address.scheme() == QLatin1String("https");
}

bool available(const WebEngineBrowser *control, PageContextMenu::Command command)
{
    using C = PageContextMenu::Command;
    if (const auto action = editAction(command); action != QWebEnginePage::NoWebAction)
        return control->view()->page()->action(action)->isEnabled();
    // Back and forward as on the toolbar, our own pages skipped alike.
    return command == C::OpenLink ? control->opensExternally()
        : command == C::OpenPageExternally
        ? control->opensExternally() && isWebAddress(control->address())
        : command == C::Back    ? control->canGoBack()
        : command == C::Forward ? control->canGoForward()
        : command == C::Print   ? !control->printing()
                                : true;
}

void run(WebEngineBrowser *control, PageContextMenu::Command command, const QUrl &link,
    const QUrl &picture, const QString &misspelt)
{
    using C = PageContextMenu::Command;
    if (const auto action = editAction(command); action != QWebEnginePage::NoWebAction)
        control->view()->page()->triggerAction(action);
    else if (command == C::OpenLink)
        control->openExternally(link);
    else if (command == C::OpenPageExternally)
        control->openExternally(control->address()); // the desktop's way, as a foreign link goes
    else if (command == C::AddToDictionary)
        UserDictionary::of(control->view()->page()->profile())->add(misspelt);
    else if (command == C::SaveImage)
        control->saveImage(picture);
    else if (command == C::Back && control->canGoBack()) // the history may have moved on meanwhile
        control->GoBack();
    else if (command == C::Forward && control->canGoForward())
        control->GoForward();
    else if (command == C::Reload)
        control->Refresh();
    else if (command == C::Print)
        control->Print();
    else if (command == C::SaveAsPdf)
        Q_EMIT control->SaveAsPdfRequested();
}

} // namespace

void popUpPageMenu(WebEngineBrowser *control, const QPoint &position)
{
    QWebEngineView *view = control->view();
    const QWebEngineContextMenuRequest *request = view->lastContextMenuRequest();
    if (!request)
        return;
    QWebEnginePage *page = view->page();
    // A word the user added counts from the engine's next start; till then
    // the menu knows it.
    const QString misspelt = request->misspelledWord();
    const bool added = UserDictionary::of(page->profile())->contains(misspelt);
    const ClickedOn clicked { .link = request->linkUrl(),
        .image = request->mediaType() == QWebEngineContextMenuRequest::MediaTypeImage,
        .editable = request->isContentEditable(),
        .selection = !request->selectedText().isEmpty(),
        .misspelt = added ? QString() : misspelt,
        .suggestions = request->spellCheckerSuggestions() };
    auto *menu = new PageContextMenu(
        clicked,
        [control](PageContextMenu::Command command) { return available(control, command); }, view);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(menu, &PageContextMenu::chosen, control,
        [control, link = clicked.link, picture = request->mediaUrl(), misspelt](
            PageContextMenu::Command command) { run(control, command, link, picture, misspelt); });
    // The page the word was in: the suggestion replaces it there.
    QObject::connect(menu, &PageContextMenu::replacementChosen, page,
        [page](const QString &word) { page->replaceMisspelledWord(word); });
    menu->popup(view->mapToGlobal(position));
}

} // namespace orv
