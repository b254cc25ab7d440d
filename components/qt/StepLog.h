// SPDX-License-Identifier: MIT
#pragma once

// Skipped steps are the program's rule, but never invisible: each one goes
// to the logging category "orvel.steps", which is off unless turned on, e.g.
// QT_LOGGING_RULES="orvel.*=true".

#include <QLoggingCategory>

namespace orv {

Q_DECLARE_LOGGING_CATEGORY(lcSkippedSteps)

// Installs the absorbed-failure handler that writes to that category.
void logSkippedSteps();

} // namespace orv
