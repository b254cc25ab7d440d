// SPDX-License-Identifier: MIT
// The command line as the load step reads it: its fields in one pass, the
// start page and the category list they give, and every listed entry leads
// somewhere when chosen. The first byte also picks a field of its own.
#include "Fuzz.h"
#include "browser/Categories.h"

using namespace orv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString command
        = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const CommandLineFields fields = parseCommandLine(command);
    const Hosts hosts { QStringLiteral("main.test"), QStringLiteral("shop.test") };
    const StartPage start = startPageFor(fields, hosts);
    FUZZ_CHECK(start.position >= 0 && start.position <= 7);
    for (const QString &entry : categoryEntries(fields))
        FUZZ_CHECK(switchAddressFor(entry, fields, hosts).has_value());
    if (size > 0) {
        const QString field = GetField(command, command.left(1), static_cast<std::int8_t>(data[0]));
        FUZZ_CHECK(field.size() <= command.size());
    }
    return 0;
}
