// SPDX-License-Identifier: MIT
#include "modules/modDeclare.h"

#include "core/Application.h"
#include "core/Numeric.h"
#include "modules/SettingsStore.h"

namespace orv {

namespace {

// Only blanks count as "empty"; tabs and line breaks make a value that is
// not a number.
bool isBlank(const std::string &text)
{
    return text.find_first_not_of(' ') == std::string::npos;
}

} // namespace

void SaveWindowPlacement(const PlacementWindow &window, SettingsStore &store)
{
    const std::string application = application::title;
    const std::string section = window.caption();
    store.SaveSetting(application, section, "left", singleToText(window.left()));
    store.SaveSetting(application, section, "top", singleToText(window.top()));
    store.SaveSetting(application, section, "width", singleToText(window.width()));
    store.SaveSetting(application, section, "height", singleToText(window.height()));
    store.SaveSetting(application, section, "windowstate", std::to_string(window.windowState()));
}

void LoadWindowPlacement(PlacementWindow &window, SettingsStore &store)
{
    const std::string application = application::title;
    const std::string section = window.caption();
    const std::string left = store.GetSetting(application, section, "left", "");
    const std::string top = store.GetSetting(application, section, "top", "");
    const std::string width = store.GetSetting(application, section, "width", "");
    const std::string height = store.GetSetting(application, section, "height", "");
    const std::string state = store.GetSetting(application, section, "windowstate", "2");

    if (isBlank(state))
        return;

    switch (textToInt32(state)) {
    case PlacementWindow::Normal:
        // Centring uses the size from before the stored size is applied.
        if (!isBlank(left))
            window.setLeft(textToInt32(left));
        else
            window.setLeft(toInt32(double(window.screenWidth()) - double(window.width())) / 2);
        if (!isBlank(top))
            window.setTop(textToInt32(top));
        else
            window.setTop(toInt32(double(window.screenHeight()) - double(window.height())) / 2);
        if (!isBlank(width))
            window.setWidth(textToInt32(width));
        if (!isBlank(height))
            window.setHeight(textToInt32(height));
        break;
    case PlacementWindow::Minimized:
        window.setWindowState(PlacementWindow::Minimized);
        break;
    case PlacementWindow::Maximized:
        window.setWindowState(PlacementWindow::Maximized);
        break;
    default:
        break;
    }
}

} // namespace orv
