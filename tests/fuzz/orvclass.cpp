// SPDX-License-Identifier: MIT
// orvclass's arguments, one a line, against a system that fails every call:
// any arguments end in a result, a failure or a usage error with a message.
// The first byte says whether the tool could make controls (here none can
// be made, as without a display).
#include "FakePlatform.h"
#include "Fuzz.h"
#include "platform/Utf8.h"
#include "sysutil/orvclass/Invocation.h"

using namespace orv;

namespace {

struct NoControls : orvclass::Controls
{
    ComboBoxObject *comboBox(const std::vector<std::wstring> &) override { return nullptr; }
    std::int32_t comboHeight() const override { return 0; }
    std::int32_t comboListWidth() const override { return 0; }
    PictureBoxObject *pictureBox() override { return nullptr; }
    bool savePicture(const std::wstring &) override { return false; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    std::vector<std::wstring> arguments;
    std::string_view text = fuzz::bytes(data + 1, size - 1);
    for (std::size_t end; (end = text.find('\n')) != std::string_view::npos;
         text.remove_prefix(end + 1))
        arguments.push_back(platform::fromUtf8(text.substr(0, end)));
    arguments.push_back(platform::fromUtf8(text));
    test::FakePlatform system;
    orvClassWindows object(system);
    NoControls controls;
    const auto outcome = orvclass::invoke(object, arguments, data[0] & 1 ? &controls : nullptr);
    const int code = static_cast<int>(outcome.exitCode);
    FUZZ_CHECK(code >= 0 && code <= 2);
    FUZZ_CHECK(code != 2 || outcome.text.size() > 1);
    FUZZ_CHECK(outcome.text.empty() || outcome.text.back() == '\n');
    return 0;
}
