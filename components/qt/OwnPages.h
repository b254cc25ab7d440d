// SPDX-License-Identifier: MIT
#pragma once

// The pages the browser shows in place of one it could not show: a page
// that could not be reached, a page whose display process died twice, a
// page that no longer answers, and a page whose login the user cancelled. Each names the address
// and offers one button that loads it again.

#include <QString>
#include <QUrl>

namespace orv {

enum class ReachFailure { NoNetwork, NameNotFound, Refused, Timeout, Certificate, Other };

// The engine's network error code (negative, as the network stack numbers
// them) and whether the certificate was refused, as one of the cases above.
ReachFailure classifyReachFailure(int networkError, bool certificate);

// One German sentence saying what happened.
QString reachFailureSentence(ReachFailure failure);

// Complete HTML documents; the button is a link to the address.
QString unreachablePageHtml(ReachFailure failure, const QUrl &address);
QString crashedPageHtml(const QUrl &address);
QString unresponsivePageHtml(const QUrl &address);
QString loginNeededPageHtml(const QUrl &address);

} // namespace orv
