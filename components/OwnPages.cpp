// SPDX-License-Identifier: MIT
#include "components/OwnPages.h"

#include "resources/Texts.h"

#include <algorithm>

namespace orv {

namespace {

std::string page(std::string_view title, std::string_view sentence, const WebAddress &address,
    std::string_view button)
{
    return "<!doctype html><html lang=de><head><meta charset=utf-8><title>" + htmlEscaped(title)
        + "</title>"
          "<style>body{font-family:sans-serif;margin:3em;color:#222;background:#fafafa}"
          "h1{color:#8b0304;font-size:1.4em}p{max-width:40em}"
          ".address{font-family:monospace;word-break:break-all;color:#444}"
          "a.button{display:inline-block;margin-top:1em;padding:.5em 1.2em;background:#00558f;"
          "color:#fff;text-decoration:none;border-radius:3px}</style></head>"
          "<body><h1>"
        + htmlEscaped(title) + "</h1><p id=sentence>" + htmlEscaped(sentence)
        + "</p><p class=address id=address>" + htmlEscaped(address.forPeople())
        + "</p><a class=button id=retry href=\"" + htmlEscaped(address.text) + "\">"
        + std::string(button) + "</a></body></html>";
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

bool retriesAfter(ReachFailure failure)
{
    return failure != ReachFailure::Certificate;
}

std::string_view reachFailureSentence(ReachFailure failure)
{
    switch (failure) {
    case ReachFailure::NoNetwork:
        return texts::pages::noNetwork;
    case ReachFailure::NameNotFound:
        return texts::pages::nameNotFound;
    case ReachFailure::Refused:
        return texts::pages::refused;
    case ReachFailure::Timeout:
        return texts::pages::timeout;
    case ReachFailure::Certificate:
        return texts::pages::certificate;
    case ReachFailure::Other:
        break;
    }
    return texts::pages::notReached;
}

std::string_view failedLoadStatus(ReachFailure failure, bool loginCancelled)
{
    if (loginCancelled)
        return texts::statusLoginCancelled;
    return failure == ReachFailure::Certificate ? texts::statusCertificateRejected
                                                : texts::statusLoadFailed;
}

std::string unopenedAddressStatus(std::string_view address)
{
    return std::string(failedLoadStatus(ReachFailure::Other, false)) + std::string(address);
}

std::string unreachablePageHtml(ReachFailure failure, const WebAddress &address)
{
    return page(
        texts::pages::unreachable, reachFailureSentence(failure), address, texts::pages::tryAgain);
}

std::string crashedPageHtml(const WebAddress &address)
{
    return page(
        texts::pages::crashed, texts::pages::crashedSentence, address, texts::pages::reload);
}

std::string unresponsivePageHtml(const WebAddress &address)
{
    return page(texts::pages::unresponsive, texts::pages::unresponsiveSentence, address,
        texts::pages::reload);
}

std::string loginNeededPageHtml(const WebAddress &address)
{
    return page(
        texts::pages::loginNeeded, texts::pages::loginCancelled, address, texts::pages::tryAgain);
}

int nextRetryWaitMs(int previousWaitMs, const RetryTiming &timing)
{
    if (previousWaitMs <= 0)
        return timing.firstWaitMs;
    // Doubled without overflowing; a longest wait below the first still holds.
    return previousWaitMs > timing.longestWaitMs / 2
        ? timing.longestWaitMs
        : std::min(previousWaitMs * 2, timing.longestWaitMs);
}

bool ownPageCoversCurrentEntry(bool ownPageShown, bool historyEmpty, bool currentEntryIsStandIn)
{
    return ownPageShown && !historyEmpty && !currentEntryIsStandIn;
}

HistoryTools historyTools(bool coversCurrentEntry, bool engineCanGoBack, bool engineCanGoForward)
{
    return { coversCurrentEntry || engineCanGoBack, !coversCurrentEntry && engineCanGoForward };
}

} // namespace orv
