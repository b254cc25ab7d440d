// SPDX-License-Identifier: MIT
#pragma once

// The pages the browser shows in place of one it could not show: a page
// that could not be reached, a page whose display process died twice, a
// page that no longer answers, and a page whose login the user cancelled.
// Each names the address and offers one button that loads it again. Also
// when the address is tried again, and where Back and Forward lead while
// such a page shows: every engine's adapter decides these alike.

#include "components/WebAddress.h"

#include <string>
#include <string_view>

namespace orv {

enum class ReachFailure { NoNetwork, NameNotFound, Refused, Timeout, Certificate, Other };

// The engine's network error code (negative, as Chromium's network stack
// numbers them) and whether the certificate was refused, as one of the
// cases above.
ReachFailure classifyReachFailure(int networkError, bool certificate);

// A refused certificate stays refused; everything else may come back, so
// its address is tried again.
bool retriesAfter(ReachFailure failure);

// One German sentence saying what happened.
std::string_view reachFailureSentence(ReachFailure failure);

// The status pane's words before the address of a load that failed: a login
// the user cancelled, a refused certificate, or any other failure.
std::string_view failedLoadStatus(ReachFailure failure, bool loginCancelled);
// The status pane's whole text for an address the web control would not
// even start to load.
std::string unopenedAddressStatus(std::string_view address);

// Complete HTML documents (UTF-8); the button is a link to the address.
std::string unreachablePageHtml(ReachFailure failure, const WebAddress &address);
std::string crashedPageHtml(const WebAddress &address);
std::string unresponsivePageHtml(const WebAddress &address);
std::string loginNeededPageHtml(const WebAddress &address);

// The waits between tries of an address that could not be reached: short
// at first, then twice as long each time up to the longest.
struct RetryTiming
{
    int firstWaitMs = 2000;
    int longestWaitMs = 60000;
};
// previousWaitMs 0: the first wait.
int nextRetryWaitMs(int previousWaitMs, const RetryTiming &timing);

// Whether our page stands for a navigation that never became an entry of
// the history (a new address that could not be reached): then the entry
// under it is where the user came from. A page that died, hangs or wanted
// a login, or a step in the history that failed, is the current entry itself.
bool ownPageCoversCurrentEntry(bool ownPageShown, bool historyEmpty, bool currentEntryIsStandIn);

// The Back and Forward tools, from the engine's history and whether our
// page covers its current entry: Back then leads to that entry, and nothing
// comes after our page.
struct HistoryTools
{
    bool back = false;
    bool forward = false;
};
HistoryTools historyTools(bool coversCurrentEntry, bool engineCanGoBack, bool engineCanGoForward);

} // namespace orv
