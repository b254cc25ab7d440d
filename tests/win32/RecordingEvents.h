// SPDX-License-Identifier: MIT
#pragma once

// The web control's notifications as one line of text each, in order.

#include "components/WebControl.h"

#include <string>
#include <utility>
#include <vector>

namespace orv::test {

class RecordingEvents : public WebControlEvents
{
public:
    void StatusTextChange(const std::string &text) override { lines.push_back("status " + text); }
    void ProgressChange(std::int32_t progress, std::int32_t progressMax) override
    {
        lines.push_back("progress " + std::to_string(progress) + '/' + std::to_string(progressMax));
    }
    void CommandStateChange(std::int32_t command, bool enable) override
    {
        lines.push_back(
            (command == CommandBack ? "back " : "forward ") + std::string(enable ? "on" : "off"));
    }
    void DownloadBegin() override { lines.push_back("begin"); }
    void DownloadComplete() override { lines.push_back("complete"); }

    std::vector<std::string> take() { return std::exchange(lines, {}); }

    std::vector<std::string> lines;
};

} // namespace orv::test
