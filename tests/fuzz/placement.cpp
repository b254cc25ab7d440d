// SPDX-License-Identifier: MIT
// The window placement read back from the settings store: five values, one
// a line, from a store in memory; then the same bytes as the INI file a
// person may have edited. A value that is no number fails the load (the
// caller traps it); nothing else may go wrong.
#include "FakePlacementWindow.h"
#include "Fuzz.h"
#include "MemorySettingsStore.h"
#include "core/Failure.h"
#include "modules/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

using namespace orv;

namespace {

void load(SettingsStore &store)
{
    test::FakePlacementWindow window;
    try {
        LoadWindowPlacement(window, store);
    } catch (const Failure &) {
    }
    FUZZ_CHECK(window.m_state >= 0 && window.m_state <= 2);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto text
        = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    test::MemorySettingsStore memory;
    const QString caption = test::FakePlacementWindow().m_caption;
    const QList<QByteArray> lines = text.split('\n');
    const char *keys[] = { "left", "top", "width", "height", "windowstate" };
    for (qsizetype i = 0; i < 5 && i < lines.size(); ++i)
        memory.set(caption, QLatin1String(keys[i]), QString::fromUtf8(lines[i]));
    load(memory);

    // A new file each time: the settings reader caches a file it has read.
    static int count = 0;
    const QString path = QDir::tempPath()
        + QStringLiteral("/orvel-fuzz-%1-%2.ini")
              .arg(QCoreApplication::applicationPid())
              .arg(++count);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size()) {
        file.close();
        QSettingsStore store(path);
        load(store);
    }
    QFile::remove(path);
    return 0;
}
