// SPDX-License-Identifier: MIT
#include "browser/BrowserWindowRules.h"

#include "core/Numeric.h"
#include "core/Steps.h"
#include "modules/ProgressBar.h"
#include "resources/Texts.h"

namespace orv {

void BrowserWindowRules::Form_Load(std::string_view commandLine)
{
    StepRunner steps("load step");
    steps.step([&] { m_web.setSilent(true); });
    m_fields = parseCommandLine(commandLine);
    m_categories = categoryEntries(m_fields);
    m_shownCategory.clear();
    steps.step([&] { m_view.setCategoryList(m_categories); });

    const StartPage start = startPageFor(m_fields, m_hosts);
    steps.step([&] { m_web.keepLastSeen(ownPageAddresses(m_fields, m_hosts)); });
    steps.step([&] { m_web.Navigate(start.address); });
    steps.step([&] {
        // The eighth position exists only with an extra page caption.
        if (std::size_t(start.position) >= m_categories.size())
            fail(FailureCode::InvalidCall,
                "List position " + std::to_string(start.position) + " out of range");
        m_view.selectCategory(start.position);
        m_shownCategory = m_categories[std::size_t(start.position)];
    });
    steps.step([&] { m_view.setAddressText(start.address); });
    steps.step([&] { m_view.setCaption(captionFor(m_shownCategory)); });
}

void BrowserWindowRules::ActiveBar31_ComboSelChange(const std::string &entry)
{
    runUntrapped("category switch", [&] {
        if (const auto address = switchAddressFor(entry, m_fields, m_hosts)) {
            m_web.Navigate(*address);
            m_view.setAddressText(*address);
        }
        m_shownCategory = entry;
        m_view.setCaption(captionFor(entry));
    });
}

void BrowserWindowRules::ActiveBar31_ToolClick(std::string_view tool)
{
    StepRunner steps("toolbar command");
    if (tool == names::idBeenden)
        steps.step([&] { m_view.closeWindow(); });
    else if (tool == names::idZurueck)
        steps.step([&] { m_web.GoBack(); });
    else if (tool == names::idVorwaerts)
        steps.step([&] { m_web.GoForward(); });
    else if (tool == names::idStop)
        steps.step([&] { m_web.Stop(); });
    else if (tool == names::idAktualisieren)
        steps.step([&] { m_web.Refresh(); });
    else if (tool == names::idInfo)
        steps.step([&] { m_view.showInfoWindow(); });
}

void BrowserWindowRules::txtEingabe_KeyPress(int keyAscii, const std::string &text)
{
    if (keyAscii != 13)
        return;
    runUntrapped("address box", [&] {
        // The control gets the text as typed and completes a bare "www" itself;
        // the box and the history keep the completed form.
        m_web.Navigate(text);
        const std::string kept = AddressHistory::completed(text);
        m_view.setAddressText(kept);
        const AddressHistory::Remembered where = m_history.remember(kept);
        if (where.added)
            m_view.addHistoryEntry(kept);
        m_view.markHistoryEntry(where.index);
        m_view.setAddressText(kept);
    });
}

void BrowserWindowRules::txtEingabe_Click(int index)
{
    runUntrapped("address list", [&] {
        if (index < 0 || std::size_t(index) >= m_history.entries().size())
            fail(
                FailureCode::SubscriptOutOfRange, "No address list entry " + std::to_string(index));
        m_web.Navigate(m_history.entries()[std::size_t(index)]);
        const std::string text = m_history.moveToFront(index);
        m_view.moveHistoryEntryToFront(index);
        m_view.setAddressText(text);
    });
}

void BrowserWindowRules::StatusTextChange(const std::string &text)
{
    runUntrapped("StatusTextChange", [&] { m_view.setStatusText(text); });
}

void BrowserWindowRules::ProgressChange(std::int32_t progress, std::int32_t progressMax)
{
    StepRunner steps("ProgressChange");
    steps.step([&] { m_view.setMeterAreaVisible(true); });
    if (progress == -1 || progress == 0) {
        steps.step([&] { m_view.setMeterAreaVisible(false); });
        return;
    }
    // Every report restarts the meter and draws it up to the new value; a
    // maximum beyond 16 bits skips the start, and the update runs on the last one.
    steps.step([&] { InitMeter(m_view.meter(), toInt16(progressMax), "lad"); });
    steps.step([&] { UpdateMeter(m_view.meter(), progress); });
}

void BrowserWindowRules::CommandStateChange(std::int32_t command, bool enable)
{
    runUntrapped("CommandStateChange", [&] {
        if (command == CommandForward)
            m_view.setToolEnabled(names::idVorwaerts, enable);
        else if (command == CommandBack)
            m_view.setToolEnabled(names::idZurueck, enable);
    });
}

void BrowserWindowRules::DownloadBegin()
{
    StepRunner steps("DownloadBegin");
    steps.step([&] { m_view.setToolEnabled(names::idStop, true); });
}

void BrowserWindowRules::DownloadComplete()
{
    StepRunner steps("DownloadComplete");
    steps.step([&] { m_view.setToolEnabled(names::idStop, false); });
}

} // namespace orv
