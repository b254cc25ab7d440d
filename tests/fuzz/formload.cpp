// SPDX-License-Identifier: MIT
// The load step's handling of a command line on the browser window itself,
// with the fake web control, offscreen: any command line opens exactly one
// page. One window takes every input, as a second start hands its command
// line to the running window.
#include "FakeWebBrowser.h"
#include "Fuzz.h"
#include "MemorySettingsStore.h"
#include "browser/frmBrowser.h"
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
    static test::FakeWebBrowser *control = nullptr;
    static frmBrowser *window = [] {
        setUnhandledFailureHandler([](std::string_view, const Failure &) {});
        frmBrowser::Dependencies deps;
        deps.hosts = { "main.test", "shop.test" };
        deps.store = &store;
        deps.createBrowser = [](QWidget *container) {
            return control = new test::FakeWebBrowser(container);
        };
        auto *made = new frmBrowser(std::move(deps));
        made->Form_Load();
        return made;
    }();
    (void)offscreen;
    (void)application;
    control->calls.clear();
    store.reads.clear();
    store.writes.clear();
    store.values.clear(); // each hand-over files a section under its own caption
    window->handOver(QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)));
    FUZZ_CHECK(control->callsOf(QStringLiteral("Navigate")).size() == 1);
    // The program's event loop would deliver what the hand-over posted; without it
    // every input would leave its events queued.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
