// SPDX-License-Identifier: MIT
#include "components/qt/StepLog.h"

#include "core/Steps.h"

namespace orv {

Q_LOGGING_CATEGORY(lcSkippedSteps, "orvel.steps", QtWarningMsg)

void logSkippedSteps()
{
    setAbsorbedFailureHandler([](std::string_view where, const Failure &failure) {
        qCDebug(lcSkippedSteps).noquote()
            << QStringLiteral("skipped a step of %1: %2 %3")
                   .arg(QString::fromUtf8(where.data(), qsizetype(where.size())))
                   .arg(failure.number())
                   .arg(QString::fromUtf8(failure.what()));
    });
}

} // namespace orv
