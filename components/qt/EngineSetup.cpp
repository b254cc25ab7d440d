// SPDX-License-Identifier: MIT
#include "components/qt/EngineSetup.h"

#include "components/qt/SpellCheck.h"

#include <QDir>
#include <QQuickWindow>
#include <QSGRendererInterface>

namespace orv {

namespace {

// Each one measured with bench/startup.cpp (docs/benchmarks.md). The engine
// keeps a second zygote for child processes without a sandbox; Qt runs the
// GPU and network services inside the program, so that zygote only costs
// memory. Renderers still come from the sandboxed zygote. The script engine
// keeps its own heap sizing: sized for memory it ran the shop's kind of
// script 1.4 to 1.7 times as long, a price every click pays.
const QList<QByteArray> leanFlags = { "--no-unsandboxed-zygote" };

// "--name=value" and "--name" are the same switch; the engine reads the
// last one given, so a switch of the user's is not given again.
QByteArray switchName(const QByteArray &flag)
{
    const qsizetype equals = flag.indexOf('=');
    return equals < 0 ? flag : flag.left(equals);
}

QtMessageHandler previousHandler = nullptr;

// Without OpenGL the toolkit and the engine each say so once at start;
// rendering in software is what was chosen, so these two are no news.
void quietWithoutOpenGl(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtWarningMsg
        && (text.startsWith(QLatin1String("QXcbIntegration: Cannot create platform OpenGL"))
            // the engine ends this one with a line break of its own
            || text.trimmed() == QLatin1String("No suitable graphics backend found")))
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
    QList<QByteArray> present;
    for (const QByteArray &flag : flags.split(' '))
        present.append(switchName(flag));
    for (const QByteArray &flag : leanFlags) {
        if (!present.contains(switchName(flag)))
            result += (result.isEmpty() ? QByteArray() : QByteArray(" ")) + flag;
    }
    return result;
}

void ignoreRelativeXdgPaths()
{
    for (const char *name : { "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME" }) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty() && QDir::isRelativePath(value))
            qunsetenv(name);
    }
}

EngineSetup applyEngineSetup(EngineProcesses processes)
{
    ignoreRelativeXdgPaths();
    useSystemDictionaries();
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
