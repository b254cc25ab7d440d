// SPDX-License-Identifier: MIT
#include "components/EngineSetup.h"

#include <QDir>
#include <QQuickWindow>
#include <QSGRendererInterface>

namespace orv {

namespace {

// Measured with bench/startup.cpp; see docs/benchmarks.md.
const QList<QByteArray> leanFlags = {};

} // namespace

EngineSetup chooseEngineSetup(
    bool hasRenderNode, const QByteArray &gpuOverride, const QByteArray &userFlags)
{
    bool software = !hasRenderNode;
    if (gpuOverride == "0")
        software = true;
    else if (gpuOverride == "1")
        software = false;

    EngineSetup setup { software, userFlags };
    if (software && !userFlags.split(' ').contains("--disable-gpu"))
        setup.chromiumFlags
            = (userFlags.isEmpty() ? QByteArray() : userFlags + ' ') + "--disable-gpu";
    return setup;
}

bool hasGpuRenderNode()
{
    return !QDir(QStringLiteral("/dev/dri"))
                .entryList({ QStringLiteral("renderD*") }, QDir::System | QDir::Files | QDir::Dirs)
                .isEmpty();
}

QByteArray withLeanProcessFlags(const QByteArray &flags)
{
    QByteArray result = flags;
    const QList<QByteArray> present = flags.split(' ');
    for (const QByteArray &flag : leanFlags) {
        if (!present.contains(flag))
            result += (result.isEmpty() ? QByteArray() : QByteArray(" ")) + flag;
    }
    return result;
}

EngineSetup applyEngineSetup(EngineProcesses processes)
{
    EngineSetup setup = chooseEngineSetup(
        hasGpuRenderNode(), qgetenv("ORVEL_GPU"), qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"));
    if (processes == EngineProcesses::Lean)
        setup.chromiumFlags = withLeanProcessFlags(setup.chromiumFlags);
    if (setup.softwareRendering)
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    if (!setup.chromiumFlags.isEmpty())
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", setup.chromiumFlags);
    return setup;
}

} // namespace orv
