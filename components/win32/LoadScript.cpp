// SPDX-License-Identifier: MIT
#include "components/win32/LoadScript.h"

#include "components/OwnPages.h"
#include "core/Failure.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <limits>
#include <utility>

namespace orv::win32 {

namespace {

constexpr std::string_view kBlanks = " \t\r";

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Splits off the first blank-separated word.
std::string_view nextWord(std::string_view &rest)
{
    rest = trimmed(rest);
    const auto end = rest.find_first_of(kBlanks);
    const std::string_view word = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view {} : trimmed(rest.substr(end));
    return word;
}

std::int32_t number(std::string_view &rest, std::string_view step, std::int32_t lowest)
{
    const std::string_view word = nextWord(rest);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || error != std::errc {} || end != word.data() + word.size() || value < lowest)
        fail(FailureCode::InvalidCall, "load script: bad number in \"" + std::string(step) + '"');
    return value;
}

LoadStep parseStep(std::string_view step)
{
    using Kind = LoadStep::Kind;
    std::string_view rest = step;
    const std::string_view word = nextWord(rest);
    LoadStep result { Kind::Begin };
    if (word == "status") {
        result.kind = Kind::Status;
        result.text = std::string(rest);
        return result;
    }
    if (word == "begin")
        result.kind = Kind::Begin;
    else if (word == "complete")
        result.kind = Kind::Complete;
    else if (word == "history")
        result.kind = Kind::History;
    else if (word == "unreachable") {
        result.kind = Kind::Unreachable;
        const std::string_view why = nextWord(rest);
        constexpr std::pair<std::string_view, ReachFailure> kReasons[]
            = { { "network", ReachFailure::NoNetwork }, { "name", ReachFailure::NameNotFound },
                  { "refused", ReachFailure::Refused }, { "timeout", ReachFailure::Timeout },
                  { "certificate", ReachFailure::Certificate }, { "other", ReachFailure::Other } };
        const auto found = std::find_if(std::begin(kReasons), std::end(kReasons),
            [&](const auto &reason) { return reason.first == why; });
        if (found == std::end(kReasons))
            fail(FailureCode::InvalidCall,
                "load script: unknown reason in \"" + std::string(step) + '"');
        result.first = static_cast<std::int32_t>(found->second);
    } else if (word == "wait") {
        result.kind = Kind::Wait;
        result.first = number(rest, step, 0);
    } else if (word == "progress") {
        result.kind = Kind::Progress;
        result.first = number(rest, step, std::numeric_limits<std::int32_t>::min());
        result.second = number(rest, step, std::numeric_limits<std::int32_t>::min());
    } else {
        fail(FailureCode::InvalidCall, "load script: unknown step \"" + std::string(step) + '"');
    }
    if (!rest.empty())
        fail(FailureCode::InvalidCall, "load script: too much in \"" + std::string(step) + '"');
    return result;
}

} // namespace

LoadScript parseLoadScript(std::string_view text)
{
    LoadScript script;
    while (!text.empty()) {
        const auto end = text.find_first_of(";\n");
        const std::string_view step = trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view {} : text.substr(end + 1);
        if (!step.empty())
            script.push_back(parseStep(step));
    }
    return script;
}

// The values of NavigationProgress, with a pause between the phases.
const char defaultLoadScript[] = "begin; history; progress 10 100; wait 150; progress 40 100;"
                                 " wait 150; progress 80 100; wait 150; progress 100 100;"
                                 " complete; progress -1 0";

} // namespace orv::win32
