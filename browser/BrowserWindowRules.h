// SPDX-License-Identifier: MIT
#pragma once

// What the browser window decides, for every window build: the load step's
// command line and category list, the category switch, the toolbar
// commands, the address box, and the web control's notifications (tools,
// status text, meter). The window itself (BrowserView) only shows what it
// is told and reports what the user does; the web control is reached through
// WebControl. Texts are UTF-8.
//
// Each handler keeps its own failure treatment: the load step, the toolbar
// commands, ProgressChange, DownloadBegin and DownloadComplete skip a
// failing step; the category switch, the address box, StatusTextChange and
// CommandStateChange have no trap, and a failure ends them and goes to the
// process's unhandled-failure path.

#include "browser/AddressHistory.h"
#include "browser/Categories.h"
#include "components/WebControl.h"

#include <string>
#include <string_view>
#include <vector>

namespace orv {

class MeterCanvas;

class BrowserView
{
public:
    virtual ~BrowserView() = default;

    virtual void setCaption(const std::string &caption) = 0;
    // The entries of the category list ID_Seite, replacing what it held; none selected.
    virtual void setCategoryList(const std::vector<std::string> &entries) = 0;
    virtual void selectCategory(int position) = 0;

    // The address box: its edit text, and its drop-down list, which mirrors
    // the history entry by entry.
    virtual void setAddressText(const std::string &text) = 0;
    virtual void addHistoryEntry(const std::string &text) = 0; // in front
    virtual void moveHistoryEntryToFront(int index) = 0;
    // The list opens on this entry next time.
    virtual void markHistoryEntry(int index) = 0;

    // A tool of band Band1 by its name (names::idZurueck, ...).
    virtual void setToolEnabled(std::string_view tool, bool enabled) = 0;
    // The status pane Status_Info, shown at once.
    virtual void setStatusText(const std::string &text) = 0;
    // The meter's inner area bMeter; its frame shows when the meter starts.
    virtual void setMeterAreaVisible(bool visible) = 0;
    virtual MeterCanvas &meter() = 0;

    // Closes the window, as its close button does.
    virtual void closeWindow() = 0;
    // Shows the Info window, modal to this window only.
    virtual void showInfoWindow() = 0;
};

class BrowserWindowRules final : public WebControlEvents
{
public:
    BrowserWindowRules(Hosts hosts, WebControl &web, BrowserView &view)
        : m_hosts(std::move(hosts)), m_web(web), m_view(view)
    {
    }

    // The load step up to the caption; the window restores its placement after it.
    void Form_Load(std::string_view commandLine);

    // The user chose an entry of the category list.
    void ActiveBar31_ComboSelChange(const std::string &entry);
    // A tool of the toolbar was clicked, by name.
    void ActiveBar31_ToolClick(std::string_view tool);
    // A key in the address box, whose text is text; only Enter (13) acts.
    void txtEingabe_KeyPress(int keyAscii, const std::string &text);
    // An entry of the address box's list was picked.
    void txtEingabe_Click(int index);

    void StatusTextChange(const std::string &text) override;
    void ProgressChange(std::int32_t progress, std::int32_t progressMax) override;
    void CommandStateChange(std::int32_t command, bool enable) override;
    void DownloadBegin() override;
    void DownloadComplete() override;

    const CommandLineFields &fields() const { return m_fields; }
    const std::vector<std::string> &categories() const { return m_categories; }
    // The entry the category list shows, empty while none is selected.
    const std::string &shownCategory() const { return m_shownCategory; }
    const AddressHistory &history() const { return m_history; }

private:
    Hosts m_hosts;
    WebControl &m_web;
    BrowserView &m_view;
    CommandLineFields m_fields;
    std::vector<std::string> m_categories;
    std::string m_shownCategory;
    AddressHistory m_history;
};

} // namespace orv
