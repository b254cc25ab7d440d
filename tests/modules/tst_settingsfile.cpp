// SPDX-License-Identifier: MIT
// The settings file on disk: read once, written whole at each flush, merged
// with another process's writes, kept aside when it did not read cleanly.
#include "Expect.h"
#include "modules/posix/IniSettingsStore.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace orv;
namespace fs = std::filesystem;

namespace {

const std::string kApp = "OrvelBrowser";

struct Folder
{
    fs::path path = fs::temp_directory_path() / ("orvel-settings-" + std::to_string(::getpid()));
    Folder() { fs::create_directories(path); }
    ~Folder() { fs::remove_all(path); }
    std::string file() const { return (path / "OrvelBrowser.ini").string(); }
    std::string read() const
    {
        std::ifstream in(file(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void write(const std::string &text) const { std::ofstream(file(), std::ios::binary) << text; }
    std::vector<std::string> kept() const
    {
        std::vector<std::string> names;
        for (const auto &entry : fs::directory_iterator(path)) {
            if (entry.path().filename().string().starts_with("OrvelBrowser.ini.defekt-"))
                names.push_back(entry.path().string());
        }
        return names;
    }
};

} // namespace

TEST_CASE("a file of an earlier version is read, and written once per flush with the change only")
{
    Folder folder;
    const std::string earlier
        = "[Harlund%20Webbrowser...%20Kategorie%3A%20Download]\nheight=6000\nleft=1500\n"
          "top=1200\nwidth=9000\nwindowstate=0\n\n[Zoom]\nHarlund%20Webbrowser...=90\n";
    folder.write(earlier);
    IniSettingsStore store(folder.file());
    const std::string caption = "Harlund Webbrowser... Kategorie: Download";
    CHECK(store.GetSetting(kApp, caption, "left", "") == "1500");
    CHECK(store.GetSetting(kApp, caption, "missing", "dflt") == "dflt");
    store.SaveSetting(kApp, caption, "left", "1500"); // unchanged: the line stays as it was
    store.SaveSetting(kApp, "Harlund Webbrowser... Kategorie: Grüße", "left", "15");
    store.removeSection("Zoom");
    CHECK(folder.read() == earlier); // nothing on disk before the flush
    store.flush();
    CHECK(folder.read()
        == earlier.substr(0, earlier.find("[Zoom]"))
            + "[Harlund%20Webbrowser...%20Kategorie%3A%20Gr%FC%DFe]\nleft=15\n");
    CHECK(folder.kept().empty());
    CHECK(IniSettingsStore(folder.file()).GetSetting(kApp, caption, "width", "") == "9000");
}

TEST_CASE("a file that does not read cleanly is kept aside once, and what was understood stays")
{
    Folder folder;
    const std::string news = "[News]\nleft=1\n\n";
    const std::string broken
        = "[A]\ntop=\"5\n" + news + std::string(100000, '#') + "\n\x01\x02 garbage\n";
    folder.write(broken);
    std::vector<std::string> logged;
    IniSettingsStore store(folder.file(), [&](const std::string &line) { logged.push_back(line); });
    store.SaveSetting(kApp, "A", "left", "7");
    store.flush();
    REQUIRE(folder.kept().size() == 1);
    CHECK(logged.size() == 1);
    std::ifstream keptFile(folder.kept().front(), std::ios::binary);
    CHECK(std::string(std::istreambuf_iterator<char>(keptFile), {}) == broken);
    CHECK(folder.read().starts_with("[A]\nleft=7\n" + news));
    store.SaveSetting(kApp, "A", "left", "8");
    store.flush(); // the file reads cleanly now: nothing more is kept
    CHECK(folder.kept().size() == 1);
    CHECK(logged.size() == 1);
}

TEST_CASE("two processes' stores: each flush keeps what the other wrote meanwhile")
{
    Folder folder;
    IniSettingsStore first(folder.file()), second(folder.file());
    first.SaveSetting(kApp, "A", "left", "1");
    second.SaveSetting(kApp, "B", "left", "2");
    second.SaveSetting(kApp, "A", "top", "3");
    first.flush();
    second.flush(); // the later close wins where both wrote
    first.SaveSetting(kApp, "A", "left", "4");
    first.flush();
    IniSettingsStore reread(folder.file());
    CHECK(reread.GetSetting(kApp, "A", "left", "") == "4");
    CHECK(reread.GetSetting(kApp, "A", "top", "") == "3");
    CHECK(reread.GetSetting(kApp, "B", "left", "") == "2");
}

TEST_CASE("a thousand captions go out and come back")
{
    Folder folder;
    {
        IniSettingsStore store(folder.file());
        for (int i = 0; i < 1000; ++i)
            store.SaveSetting(kApp, "Harlund Webbrowser... Kategorie: ]=;# " + std::to_string(i),
                "width", std::to_string(i * 15));
        store.flush();
    }
    IniSettingsStore reread(folder.file());
    for (int i = 0; i < 1000; i += 37)
        CHECK(reread.GetSetting(
                  kApp, "Harlund Webbrowser... Kategorie: ]=;# " + std::to_string(i), "width", "")
            == std::to_string(i * 15));
}

TEST_CASE("a store that cannot write says so at the flush, and keeps what it was told")
{
    Folder folder;
    std::ofstream(folder.path / "blocked") << "a file where the folder should be";
    IniSettingsStore store((folder.path / "blocked" / "OrvelBrowser.ini").string());
    store.SaveSetting(kApp, "A", "left", "1");
    CHECK(orv::test::failureOf([&] { store.flush(); }) == FailureCode::ControlFailed);
    CHECK(store.GetSetting(kApp, "A", "left", "") == "1");
}
