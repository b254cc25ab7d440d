// SPDX-License-Identifier: MIT
#include "components/EngineSetup.h"

#include <QDir>
#include <QQuickWindow>
#include <QSGRendererInterface>

namespace orv {

namespace {

// Each one measured with bench/startup.cpp (docs/benchmarks.md). The engine
// keeps a second zygote for child processes without a sandbox; Qt runs the
// GPU and network services inside the program, so that zygote only costs
// memory. Renderers still come from the sandboxed zygote.
const QList<QByteArray> leanFlags = { "--no-unsandboxed-zygote" };

QtMessageHandler previousHandler = nullptr;

// Without OpenGL the toolkit and the engine each say so once at start;
// rendering in software is what was chosen, so these two are no news.
void quietWithoutOpenGl(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtWarningMsg
        && (text.startsWith(QLatin1String("QXcbIntegration: Cannot create platform OpenGL"))
            || text == QLatin1String("No suitable graphics backend found")))
        return;
    if (previousHandler)
        previousHandler(type, context, text);
}

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
    if (processes == EngineProcesses::Lean) {
        setup.chromiumFlags = withLeanProcessFlags(setup.chromiumFlags);
        // Drawing in software needs no OpenGL, but the X11 platform loads an
        // OpenGL driver to probe it, and the software driver alone holds
        // about 20 MiB. Without its OpenGL part the platform loads none.
        if (setup.softwareRendering && !qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION")) {
            qputenv("QT_XCB_GL_INTEGRATION", "none");
            previousHandler = qInstallMessageHandler(quietWithoutOpenGl);
        }
    }
    if (setup.softwareRendering)
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    if (!setup.chromiumFlags.isEmpty())
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", setup.chromiumFlags);
    return setup;
}

} // namespace orv
