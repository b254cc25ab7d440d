// SPDX-License-Identifier: MIT
#include "core/Failure.h"

namespace orv {

void fail(FailureCode code, std::string_view what)
{
    throw Failure(code, std::string(what));
}

} // namespace orv
