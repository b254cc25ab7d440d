// SPDX-License-Identifier: MIT
// Micro-benchmarks of the paths a user waits on: reading the command line,
// the load step, Enter in the address box, the meter and the placement store.

#include "browser/Categories.h"
#include "browser/qt/frmBrowser.h"
#include "components/qt/PictureBox.h"
#include "components/qt/WebBrowserControl.h"
#include "modules/SettingsStore.h"
#include "modules/modDeclare.h"
#include "modules/posix/IniSettingsStore.h"
#include "modules/qt/PictureMeterHost.h"
#include "modules/qt/WidgetPlacementWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <map>

using namespace orv;

namespace {

// A control that loads nothing: the window's own cost, without the engine's.
class NullBrowser : public WebBrowserControl
{
public:
    explicit NullBrowser(QWidget *container) : m_widget(new QWidget(container)) { }
    QWidget *widget() const override { return m_widget; }
    void setSilent(bool silent) override { m_silent = silent; }
    bool silent() const override { return m_silent; }
    void Navigate(const QString &) override { }
    void GoBack() override { }
    void GoForward() override { }
    void Stop() override { }
    void Refresh() override { }
    void Move(int, int, int, int) override { }
    void FindText(const QString &, bool) override { }
    void SetZoomFactor(double) override { }
    void Print() override { }
    void PrintToPdf(const QString &) override { }
    void ExitFullScreen() override { }

private:
    QWidget *m_widget;
    bool m_silent = false;
};

// The settings store without its disk.
class MemoryStore : public SettingsStore
{
public:
    std::string GetSetting(const std::string &application, const std::string &section,
        const std::string &key, const std::string &defaultValue) override
    {
        const auto found = m_values.find(application + section + key);
        return found == m_values.end() ? defaultValue : found->second;
    }
    void SaveSetting(const std::string &application, const std::string &section,
        const std::string &key, const std::string &value) override
    {
        m_values[application + section + key] = value;
    }

private:
    std::map<std::string, std::string> m_values;
};

frmBrowser::Dependencies fakeDependencies(SettingsStore *store, const QString &commandLine)
{
    frmBrowser::Dependencies deps;
    deps.hosts = { "www.harlund.example", "shop.harlund.example" };
    deps.commandLine = commandLine;
    deps.store = store;
    deps.createBrowser = [](QWidget *container) {
        return new NullBrowser(container);
    };
    return deps;
}

const QString kCommandLine
    = QStringLiteral("4711|x|Download|Handbuch|http://www.harlund.example/handbuch");

void BM_CommandLine(benchmark::State &state)
{
    const std::string line = kCommandLine.toStdString();
    for (auto _ : state)
        benchmark::DoNotOptimize(parseCommandLine(line));
}
BENCHMARK(BM_CommandLine);

void BM_WindowConstruction(benchmark::State &state)
{
    MemoryStore store;
    for (auto _ : state) {
        frmBrowser window(fakeDependencies(&store, kCommandLine));
        benchmark::DoNotOptimize(&window);
    }
}
BENCHMARK(BM_WindowConstruction)->Unit(benchmark::kMicrosecond);

void BM_LoadStep(benchmark::State &state)
{
    MemoryStore store;
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<frmBrowser>(fakeDependencies(&store, kCommandLine));
        state.ResumeTiming();
        window->Form_Load();
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadStep)->Unit(benchmark::kMicrosecond);

// Enter with a history of N entries, on the address entered first: the whole
// scan. The history is filled by Enter too, each one in front: quadratic,
// hence no more than 10,000 entries.
void BM_AddressEnter(benchmark::State &state)
{
    MemoryStore store;
    frmBrowser window(fakeDependencies(&store, kCommandLine));
    window.Form_Load();
    QLineEdit *edit = window.addressBox()->lineEdit();
    const auto enter = [edit](const QString &text) {
        edit->setText(text);
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(edit, &key);
    };
    for (int i = 0; i < state.range(0); ++i)
        enter(QStringLiteral("http://www.harlund.example/seite/%1").arg(i));
    for (auto _ : state)
        enter(QStringLiteral("http://www.harlund.example/seite/0"));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_AddressEnter)
    ->RangeMultiplier(10)
    ->Range(10, 10000)
    ->Complexity()
    ->Unit(benchmark::kMicrosecond);

void BM_MeterStartAndFill(benchmark::State &state)
{
    QWidget window;
    auto *frame = new PictureBox(&window);
    auto *area = new PictureBox(frame);
    frame->setGeometry(0, 0, 155, 19);
    frame->Tag = QStringLiteral("6");
    area->Tag = QStringLiteral("1");
    PictureMeterHost host(frame, area);
    const int maximum = int(state.range(0));
    for (auto _ : state) {
        InitMeter(host, std::int16_t(maximum), "lad");
        for (int value = 0; value <= maximum; ++value)
            UpdateMeter(host, value);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_MeterStartAndFill)
    ->RangeMultiplier(10)
    ->Range(10, 10000)
    ->Complexity()
    ->Unit(benchmark::kMicrosecond);

struct PlacementFixture
{
    QTemporaryDir folder;
    IniSettingsStore store { folder.filePath(QStringLiteral("OrvelBrowser.ini")).toStdString() };
    QWidget widget;
    WidgetPlacementWindow window { &widget };

    PlacementFixture()
    {
        widget.setWindowTitle(QStringLiteral("Harlund Webbrowser... Kategorie: Download"));
        widget.setGeometry(100, 100, 696, 332);
        for (int i = 0; i < 8; ++i) { // other categories' sections in the same file
            widget.setWindowTitle(QStringLiteral("Harlund Webbrowser... Kategorie: %1").arg(i));
            SaveWindowPlacement(window, store);
        }
        store.flush();
        widget.setWindowTitle(QStringLiteral("Harlund Webbrowser... Kategorie: Download"));
    }
};

// A close: the five keys and the one write of the whole file.
void BM_SaveWindowPlacement(benchmark::State &state)
{
    PlacementFixture f;
    for (auto _ : state) {
        SaveWindowPlacement(f.window, f.store);
        f.store.flush();
    }
}
BENCHMARK(BM_SaveWindowPlacement)->Unit(benchmark::kMicrosecond);

void BM_LoadWindowPlacement(benchmark::State &state)
{
    PlacementFixture f;
    SaveWindowPlacement(f.window, f.store);
    for (auto _ : state)
        LoadWindowPlacement(f.window, f.store);
}
BENCHMARK(BM_LoadWindowPlacement)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
