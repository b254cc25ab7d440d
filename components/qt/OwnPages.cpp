// SPDX-License-Identifier: MIT
#include "components/qt/OwnPages.h"

#include "resources/Texts.h"
#include "resources/qt/QtText.h"

namespace orv {

namespace {

QString page(
    const QString &title, const QString &sentence, const QUrl &address, const QString &button)
{
    const QString shown = address.toDisplayString().toHtmlEscaped();
    const QString href = QString::fromLatin1(address.toEncoded()).toHtmlEscaped();
    return QStringLiteral(
        "<!doctype html><html lang=de><head><meta charset=utf-8><title>%1</title>"
        "<style>body{font-family:sans-serif;margin:3em;color:#222;background:#fafafa}"
        "h1{color:#8b0304;font-size:1.4em}p{max-width:40em}"
        ".address{font-family:monospace;word-break:break-all;color:#444}"
        "a.button{display:inline-block;margin-top:1em;padding:.5em 1.2em;background:#00558f;"
        "color:#fff;text-decoration:none;border-radius:3px}</style></head>"
        "<body><h1>%1</h1><p id=sentence>%2</p><p class=address id=address>%3</p>"
        "<a class=button id=retry href=\"%4\">%5</a></body></html>")
        .arg(title.toHtmlEscaped(), sentence.toHtmlEscaped(), shown, href, button);
}

} // namespace

ReachFailure classifyReachFailure(int networkError, bool certificate)
{
    if (certificate || (networkError <= -200 && networkError > -300))
        return ReachFailure::Certificate;
    switch (networkError) {
    case -106: // internet disconnected
    case -109: // address unreachable
    case -21: // network changed
        return ReachFailure::NoNetwork;
    case -105: // name not resolved
    case -137: // name resolution failed
        return ReachFailure::NameNotFound;
    case -102: // connection refused
    case -100: // connection closed
    case -101: // connection reset
        return ReachFailure::Refused;
    case -7: // timed out
    case -118: // connection timed out
        return ReachFailure::Timeout;
    default:
        return ReachFailure::Other;
    }
}

QString reachFailureSentence(ReachFailure failure)
{
    switch (failure) {
    case ReachFailure::NoNetwork:
        return toQt(texts::pages::noNetwork);
    case ReachFailure::NameNotFound:
        return toQt(texts::pages::nameNotFound);
    case ReachFailure::Refused:
        return toQt(texts::pages::refused);
    case ReachFailure::Timeout:
        return toQt(texts::pages::timeout);
    case ReachFailure::Certificate:
        return toQt(texts::pages::certificate);
    case ReachFailure::Other:
        break;
    }
    return toQt(texts::pages::notReached);
}

QString unreachablePageHtml(ReachFailure failure, const QUrl &address)
{
    return page(toQt(texts::pages::unreachable), reachFailureSentence(failure), address,
        toQt(texts::pages::tryAgain));
}

QString crashedPageHtml(const QUrl &address)
{
    return page(toQt(texts::pages::crashed), toQt(texts::pages::crashedSentence), address,
        toQt(texts::pages::reload));
}

QString unresponsivePageHtml(const QUrl &address)
{
    return page(toQt(texts::pages::unresponsive), toQt(texts::pages::unresponsiveSentence), address,
        toQt(texts::pages::reload));
}

QString loginNeededPageHtml(const QUrl &address)
{
    return page(toQt(texts::pages::loginNeeded), toQt(texts::pages::loginCancelled), address,
        toQt(texts::pages::tryAgain));
}

} // namespace orv
