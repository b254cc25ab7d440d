// SPDX-License-Identifier: MIT
// The load step's handling of a command line on the browser window itself,
// with the fake web control, offscreen: any command line opens exactly one
// page in a window of its own, as each start has.
#include "FakeWebBrowser.h"
#include "Fuzz.h"
#include "MemorySettingsStore.h"
#include "browser/qt/frmBrowser.h"
#include "core/Steps.h"

#include <QApplication>

using namespace orv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_formload";
    static char *argv[] = { name, nullptr };
    static const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: Qt's own clean-up at exit would find the window alive.
    static const auto *application = new QApplication(argc, argv);
    static test::MemorySettingsStore store;
    (void)offscreen;
    (void)application;
    setUnhandledFailureHandler([](std::string_view, const Failure &) {});
    test::FakeWebBrowser *control = nullptr;
    frmBrowser::Dependencies deps;
    deps.hosts = { "main.test", "shop.test" };
    deps.commandLine = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    deps.store = &store;
    deps.createBrowser = [&control](QWidget *container) {
        return control = new test::FakeWebBrowser(container);
    };
    store.values.clear();
    {
        frmBrowser window(std::move(deps));
        window.Form_Load();
        FUZZ_CHECK(control->callsOf(QStringLiteral("Navigate")).size() == 1);
    }
    // The program's event loop would deliver what the window posted; without
    // it every input would leave its events queued.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
