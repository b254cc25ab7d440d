// SPDX-License-Identifier: MIT
// The command line as the load step reads it: its fields, each a piece of
// the line, the start page and the category list they give, and every listed
// entry leads somewhere when chosen.
#include "Fuzz.h"
#include "browser/Categories.h"

using namespace orv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view command = fuzz::bytes(data, size);
    const CommandLineFields fields = parseCommandLine(command);
    for (const std::string *field : { &fields.ProgramTag, &fields.Category,
             &fields.ExtraPageCaption, &fields.ExtraPageAddress })
        FUZZ_CHECK(command.find(*field) != std::string_view::npos);
    const Hosts hosts { "main.test", "shop.test" };
    const StartPage start = startPageFor(fields, hosts);
    FUZZ_CHECK(start.position >= 0 && start.position <= 7);
    for (const std::string &entry : categoryEntries(fields))
        FUZZ_CHECK(switchAddressFor(entry, fields, hosts).has_value());
    return 0;
}
