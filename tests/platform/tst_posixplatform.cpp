// SPDX-License-Identifier: MIT
// The Linux backend for real: registry files read from disk, processes and
// xdg-open started, message boxes shown (on the offscreen platform) and
// answered, and the utility class driving it.
#include "core/Failure.h"
#include "platform/posix/CommandLine.h"
#include "platform/posix/Objects.h"
#include "platform/posix/PosixPlatform.h"
#include "sysutil/orvClassWindows.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>

using namespace orv;
using namespace orv::platform;
using namespace std::string_literals;

namespace {

// A shell script that writes "<show value>|<working folder>|<arguments>" to
// the file named by its first argument, atomically.
const QByteArray kProbeScript
    = "#!/bin/sh\n"
      "out=$1; shift\n"
      "printf '%s|%s|%s\\n' \"$ORVEL_SHOW_WINDOW\" \"$PWD\" \"$*\" > \"$out.tmp\"\n"
      "mv \"$out.tmp\" \"$out\"\n";

bool writeFile(const QString &path, const QByteArray &content, bool executable = false)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return false;
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFile::ExeOwner);
    return true;
}

// The file's content once a started process has written it; empty after 10 s.
QByteArray waitForFile(const QString &path)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            return file.readAll();
        QThread::msleep(20);
    }
    return {};
}

std::wstring wide(const QString &text)
{
    return text.toStdWString();
}

// Sets an environment variable for one test and restores it after.
class EnvironmentGuard
{
public:
    EnvironmentGuard(const char *name, const QByteArray &value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~EnvironmentGuard()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_had;
    QByteArray m_old;
};

// The real backend without a script shell object, whose system folder is the
// one of the test's self-registering library.
class NoScriptShellPlatform : public PosixPlatform
{
public:
    explicit NoScriptShellPlatform(const QString &systemFolder)
        : PosixPlatform(""), m_systemFolder(systemFolder.toStdWString())
    {
    }
    ScriptShell createScriptShell(ScriptError &) override
    {
        ++attempts;
        return 0;
    }
    std::wstring getSystemDirectory() override { return m_systemFolder; }

    int attempts = 0;

private:
    std::wstring m_systemFolder;
};

} // namespace

class TestPosixPlatform : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void versionIsTheKernelRelease()
    {
        PosixPlatform platform("");
        OsVersionInfo record;
        record.size = kOsVersionInfoSize;
        QVERIFY(platform.getVersionEx(record));
        const QStringList release = QSysInfo::kernelVersion().split(QLatin1Char('.'));
        QCOMPARE(record.platformId, 0u);
        QCOMPARE(record.majorVersion, release.value(0).toUInt());
        QCOMPARE(record.minorVersion, release.value(1).toUInt());
        QCOMPARE(record.servicePack[0], '\0');

        OsVersionInfo wrongSize;
        wrongSize.majorVersion = 99;
        QVERIFY(!platform.getVersionEx(wrongSize));
        QCOMPARE(wrongSize.majorVersion, 99u);

        orvClassWindows object(platform);
        QCOMPARE(object.GetPlatform(), L"Unbekanntes Betriebssystem"s);
        QCOMPARE(object.OSMajorVersion(), std::int32_t(record.majorVersion));
        QCOMPARE(object.OSBuild(), std::int32_t(record.buildNumber & 0x7FFF));
    }

    void registryFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<quint32>("root");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<quint32>("openError");
        QTest::addColumn<quint32>("queryError");
        QTest::addColumn<quint32>("type");
        QTest::addColumn<QByteArray>("data");

        const QByteArray orvel = "Windows Registry Editor Version "
                                 "5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvel]\r\n";
        const QString key = QStringLiteral("SOFTWARE\\Orvel");
        const auto s = [](const char *text) {
            return QString::fromUtf8(text);
        };
        const auto b = [](const char *bytes, int size) {
            return QByteArray(bytes, size);
        };
        // clang-format off
        QTest::newRow("text") << orvel + "\"Path\"=\"/usr/bin/tool\"" << kHkeyLocalMachine << key << s("Path") << 0u << 0u << kRegText << b("/usr/bin/tool\0", 14);
        QTest::newRow("names without case") << orvel + "\"Path\"=\"x\"" << kHkeyLocalMachine << s("software\\ORVEL") << s("PATH") << 0u << 0u << kRegText << b("x\0", 2);
        QTest::newRow("escapes") << orvel + "\"E\"=\"a\\\\b\\\"c\"" << kHkeyLocalMachine << key << s("E") << 0u << 0u << kRegText << b("a\\b\"c\0", 6);
        QTest::newRow("UTF-8 text") << orvel + "\"N\"=\"Gr\xC3\xBC\xC3\x9F" "e\"" << kHkeyLocalMachine << key << s("N") << 0u << 0u << kRegText << b("Gr\xC3\xBC\xC3\x9F" "e\0", 8);
        QTest::newRow("number") << orvel + "\"Count\"=dword:0000011f" << kHkeyLocalMachine << key << s("Count") << 0u << 0u << kRegNumber << b("\x1F\x01\0\0", 4);
        QTest::newRow("typed hex") << orvel + "\"X\"=hex(2):25,00,41,00" << kHkeyLocalMachine << key << s("X") << 0u << 0u << kRegExpandText << b("%\0A\0", 4);
        QTest::newRow("hex list over two lines") << orvel + "\"Bin\"=hex:01,02,\\\n  03" << kHkeyLocalMachine << key << s("Bin") << 0u << 0u << kRegBinary << b("\1\2\3", 3);
        QTest::newRow("default value") << orvel + "@=\"standard\"" << kHkeyLocalMachine << key << s("") << 0u << 0u << kRegText << b("standard\0", 9);
        QTest::newRow("later value wins") << orvel + "\"V\"=\"a\"\n\"v\"=\"b\"" << kHkeyLocalMachine << key << s("V") << 0u << 0u << kRegText << b("b\0", 2);
        QTest::newRow("abbreviated root") << QByteArray("[HKCU\\Software\\Orvel]\n\"V\"=\"u\"") << kHkeyCurrentUser << s("Software\\Orvel") << s("V") << 0u << 0u << kRegText << b("u\0", 2);
        QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + orvel + "\"V\"=\"m\"" << kHkeyLocalMachine << key << s("V") << 0u << 0u << kRegText << b("m\0", 2);
        QTest::newRow("missing value") << orvel + "\"V\"=\"a\"" << kHkeyLocalMachine << key << s("W") << 0u << 2u << 0u << QByteArray();
        QTest::newRow("deleted value") << orvel + "\"V\"=\"a\"\n\"V\"=-" << kHkeyLocalMachine << key << s("V") << 0u << 2u << 0u << QByteArray();
        QTest::newRow("malformed line skipped") << orvel + "\"Bad\"=word:1\n\"Good\"=\"ok\"" << kHkeyLocalMachine << key << s("Bad") << 0u << 2u << 0u << QByteArray();
        QTest::newRow("line after a malformed one") << orvel + "\"Bad\"=word:1\n\"Good\"=\"ok\"" << kHkeyLocalMachine << key << s("Good") << 0u << 0u << kRegText << b("ok\0", 3);
        QTest::newRow("parent of a key exists") << orvel + "\"V\"=\"a\"" << kHkeyLocalMachine << s("SOFTWARE") << s("V") << 0u << 2u << 0u << QByteArray();
        QTest::newRow("missing key") << orvel << kHkeyLocalMachine << s("SOFTWARE\\Other") << s("V") << 2u << 0u << 0u << QByteArray();
        QTest::newRow("key of another name's prefix") << orvel << kHkeyLocalMachine << s("SOFTWARE\\Orv") << s("V") << 2u << 0u << 0u << QByteArray();
        QTest::newRow("other root") << orvel << kHkeyCurrentUser << key << s("V") << 2u << 0u << 0u << QByteArray();
        QTest::newRow("deleted key") << orvel + "\"V\"=\"a\"\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvel]" << kHkeyLocalMachine << key << s("V") << 2u << 0u << 0u << QByteArray();
        // clang-format on
    }

    void registryFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(quint32, root);
        QFETCH(QString, key);
        QFETCH(QString, name);
        QFETCH(quint32, openError);
        QFETCH(quint32, queryError);
        QFETCH(quint32, type);
        QFETCH(QByteArray, data);
        const QString path = m_dir.filePath(QStringLiteral("registry.reg"));
        QVERIFY(writeFile(path, file));
        PosixPlatform platform(path.toStdString());

        RegistryKey handle = 0;
        QCOMPARE(platform.regOpenKeyEx(root, wide(key), 0x2003F, handle), openError);
        if (openError != 0) {
            QCOMPARE(handle, RegistryKey(0));
            return;
        }
        std::string buffer(1024, '\0');
        std::uint32_t size = 1024;
        std::uint32_t valueType = 0;
        QCOMPARE(platform.regQueryValueEx(handle, wide(name), valueType, buffer, size), queryError);
        if (queryError == 0) {
            QCOMPARE(valueType, type);
            QCOMPARE(QByteArray(buffer.data(), int(size)), data);
        }
        QCOMPARE(platform.regCloseKey(handle), kErrorSuccess);
        QCOMPARE(platform.regCloseKey(handle), kErrorInvalidHandle);
    }

    void registryBufferAndHandles()
    {
        const QString path = m_dir.filePath(QStringLiteral("buffer.reg"));
        QVERIFY(writeFile(path, "[HKEY_CURRENT_USER\\Software\\Orvel]\n\"Long\"=\"123456789\"\n"));
        PosixPlatform platform(path.toStdString());
        RegistryKey handle = 0;
        QCOMPARE(platform.regOpenKeyEx(kHkeyCurrentUser, L"Software\\Orvel", 0x2003F, handle),
            kErrorSuccess);
        std::string small(4, '\0');
        std::uint32_t size = 4;
        std::uint32_t type = 0;
        QCOMPARE(platform.regQueryValueEx(handle, L"Long", type, small, size), kErrorMoreData);
        QCOMPARE(size, 10u);
        QCOMPARE(small, std::string(4, '\0'));
        QCOMPARE(
            platform.regQueryValueEx(handle + 1, L"Long", type, small, size), kErrorInvalidHandle);
        QCOMPARE(platform.regCloseKey(0), kErrorInvalidHandle);
        QCOMPARE(platform.regCloseKey(handle), kErrorSuccess);
    }

    void builtInSystemInformationTool()
    {
        QDir dir(m_dir.path());
        for (const char *folder : { "empty", "plain", "tools", "with blank" })
            QVERIFY(dir.mkpath(QString::fromLatin1(folder)));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("plain/hardinfo")), "not executable"));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("tools/kinfocenter")), "#!/bin/sh\n", true));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("tools/cpu-x")), "#!/bin/sh\n", true));
        QVERIFY(
            writeFile(dir.filePath(QStringLiteral("with blank/hardinfo")), "#!/bin/sh\n", true));
        const std::string key = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
        const auto path = [&](const QStringList &folders) {
            QStringList absolute;
            for (const QString &folder : folders)
                absolute << dir.filePath(folder);
            const auto value
                = PosixPlatform::builtInRegistry(absolute.join(QLatin1Char(':')).toStdString())
                      .value(kHkeyLocalMachine, key, "PATH");
            return value ? QByteArray::fromStdString(value->data) : QByteArray("none");
        };
        const QByteArray tools = dir.filePath(QStringLiteral("tools")).toUtf8();
        const QByteArray blank = dir.filePath(QStringLiteral("with blank")).toUtf8();
        QCOMPARE(path({ QStringLiteral("empty") }), QByteArray("none"));
        QCOMPARE(path({ QStringLiteral("plain") }), QByteArray("none"));
        // The preferred tool wins over the folder order; a non-executable file is no tool.
        QCOMPARE(
            path({ QStringLiteral("empty"), QStringLiteral("plain"), QStringLiteral("tools") }),
            tools + "/kinfocenter" + '\0');
        QCOMPARE(path({ QStringLiteral("tools"), QStringLiteral("with blank") }),
            '"' + blank + "/hardinfo\"" + '\0');

        // Through the backend: the search path of the moment, and the file on top.
        const EnvironmentGuard searchPath("PATH", tools);
        const QString file = m_dir.filePath(QStringLiteral("msinfo.reg"));
        QVERIFY(writeFile(file, ""));
        std::wstring value;
        QVERIFY(readText(file, key, value));
        QCOMPARE(value, wide(QString::fromUtf8(tools)) + L"/kinfocenter" + L'\0');
        QVERIFY(writeFile(file,
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared "
            "Tools\\MSINFO]\n\"PATH\"=\"/opt/x\"\n"));
        QVERIFY(readText(file, key, value));
        QCOMPARE(value, L"/opt/x"s + L'\0');
        QVERIFY(
            writeFile(file, "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n"));
        QVERIFY(!readText(file, key, value));
    }

    void commandLineSplitting_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("expected");

        const auto list = [](std::initializer_list<const char *> items) {
            QStringList result;
            for (const char *item : items)
                result << QString::fromUtf8(item);
            return result;
        };
        // clang-format off
        QTest::newRow("applet") << QStringLiteral("rundll32.exe shell32.dll,Control_RunDLL appwiz.cpl,,1") << list({ "rundll32.exe", "shell32.dll,Control_RunDLL", "appwiz.cpl,,1" });
        QTest::newRow("quoted program") << QStringLiteral("\"C:\\Program Files\\x.exe\" /a") << list({ "C:\\Program Files\\x.exe", "/a" });
        QTest::newRow("quoted argument") << QStringLiteral("p \"a b\" c") << list({ "p", "a b", "c" });
        QTest::newRow("blanks and tabs") << QStringLiteral("  p \t a  ") << list({ "p", "a" });
        QTest::newRow("empty quoted argument") << QStringLiteral("p \"\"") << list({ "p", "" });
        QTest::newRow("escaped quote") << QStringLiteral("p a\\\"b") << list({ "p", "a\"b" });
        QTest::newRow("escaped backslash before quote") << QStringLiteral("p a\\\\\"b c\"") << list({ "p", "a\\b c" });
        QTest::newRow("backslashes elsewhere literal") << QStringLiteral("p C:\\dir\\ x") << list({ "p", "C:\\dir\\", "x" });
        QTest::newRow("doubled quote inside quotes") << QStringLiteral("p \"a\"\"b\"") << list({ "p", "a\"b" });
        QTest::newRow("program keeps backslash before quote") << QStringLiteral("\"C:\\dir\\\" a") << list({ "C:\\dir\\", "a" });
        QTest::newRow("nothing") << QStringLiteral("   ") << QStringList();
        // clang-format on
    }

    void commandLineSplitting()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, expected);
        QStringList arguments;
        for (const std::wstring &argument : splitCommandLine(wide(line)))
            arguments << QString::fromStdWString(argument);
        QCOMPARE(arguments, expected);
    }

    void startsProcessesWithTheirShowValue_data()
    {
        QTest::addColumn<qint32>("show");
        // clang-format off
        QTest::newRow("normal") << 1;
        QTest::newRow("as it is") << 5;
        // clang-format on
    }

    void startsProcessesWithTheirShowValue()
    {
        QFETCH(qint32, show);
        const QString probe = probeScript();
        const QString out = m_dir.filePath(QStringLiteral("start-%1.out").arg(show));
        PosixPlatform platform("");
        const std::wstring line
            = L"\"" + wide(probe) + L"\" \"" + wide(out) + L"\" one \"two words\"";
        QCOMPARE(platform.startProcess(line, show), kErrorSuccess);
        const QByteArray written = waitForFile(out);
        QVERIFY2(written.startsWith(QByteArray::number(show) + '|'), written.constData());
        QVERIFY2(written.endsWith("|one two words\n"), written.constData());
    }

    void unstartableCommandLines()
    {
        PosixPlatform platform("");
        QCOMPARE(platform.startProcess(L"rundll32.exe shell32.dll,Control_RunDLL timedate.cpl", 5),
            kErrorFileNotFound);
        QCOMPARE(platform.startProcess(L"  ", 1), kErrorFileNotFound);

        // Through the class: an applet is ignored, a direct entry fails.
        orvClassWindows object(platform);
        std::int32_t index = 2;
        object.ShowControlPanels(index);
        index = 26;
        try {
            object.ShowControlPanels(index);
            QFAIL("Calc.exe started on Linux");
        } catch (const Failure &failure) {
            QCOMPARE(failure.code(), FailureCode::FileNotFound);
        }
    }

    void sysInfoStartsTheConfiguredTool()
    {
        const QString out = m_dir.filePath(QStringLiteral("sysinfo.out"));
        const QString file = m_dir.filePath(QStringLiteral("sysinfo.reg"));
        QVERIFY(writeFile(file,
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n\"PATH\"=\"\\\""
                + probeScript().toUtf8() + "\\\" " + out.toUtf8() + "\"\n"));
        PosixPlatform platform(file.toStdString());
        std::vector<MessageBoxRequest> messages;
        platform.setMessageBoxSink([&](const MessageBoxRequest &request) {
            messages.push_back(request);
            return 1;
        });
        orvClassWindows object(platform);
        object.ShowSysInfo();
        const QByteArray written = waitForFile(out);
        QVERIFY2(written.startsWith("1|"), written.constData());
        QVERIFY(messages.empty());

        // A tool folder has no counterpart: its "\MSINFO32.EXE" names no file here.
        QVERIFY(writeFile(file,
            "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location]\n\"MSINFO\"=\""
                + m_dir.path().toUtf8() + "\"\n"));
        object.ShowSysInfo();
        QCOMPARE(int(messages.size()), 1);
        QCOMPARE(messages[0].text, L"System Information Is Unavailable At This Time"s);
        QCOMPARE(messages[0].flags, 0u);
    }

    void shellOpensWithXdgOpen()
    {
        QDir dir(m_dir.path());
        QVERIFY(dir.mkpath(QStringLiteral("bin")));
        QVERIFY(dir.mkpath(QStringLiteral("work")));
        const QString out = dir.filePath(QStringLiteral("xdg.out"));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("bin/xdg-open")),
            "#!/bin/sh\nprintf '%s|%s\\n' \"$PWD\" \"$*\" > \"" + out.toUtf8() + ".tmp\"\nmv \""
                + out.toUtf8() + ".tmp\" \"" + out.toUtf8() + "\"\n",
            true));
        const EnvironmentGuard searchPath(
            "PATH", dir.filePath(QStringLiteral("bin")).toUtf8() + ':' + qgetenv("PATH"));
        PosixPlatform platform("");
        std::vector<MessageBoxRequest> messages;
        platform.setMessageBoxSink([&](const MessageBoxRequest &request) {
            messages.push_back(request);
            return 1;
        });
        orvClassWindows object(platform);

        std::int32_t window = 0;
        std::wstring url = L"http://127.0.0.1:9/seite";
        object.ShowInternet(window, &url);
        QVERIFY(messages.empty());
        QVERIFY(waitForFile(out).endsWith("|http://127.0.0.1:9/seite\n"));

        QFile::remove(out);
        const std::wstring work = wide(dir.filePath(QStringLiteral("work")));
        QVERIFY(platform.shellExecute(0, L"Open", L"a.txt", std::nullopt, work, 1) > 32);
        QCOMPARE(waitForFile(out), dir.filePath(QStringLiteral("work")).toUtf8() + "|a.txt\n");

        // No other verb exists here.
        QCOMPARE(platform.shellExecute(0, L"find", L"", std::nullopt, std::nullopt, 1),
            std::intptr_t(31));
        std::wstring file = L"a.txt";
        QCOMPARE(object.ShowFileProperties(window, &file), 31);
    }

    void shellWithoutXdgOpen()
    {
        const EnvironmentGuard searchPath("PATH", m_dir.path().toUtf8() + "/nothing-here");
        PosixPlatform platform("");
        std::vector<MessageBoxRequest> messages;
        platform.setMessageBoxSink([&](const MessageBoxRequest &request) {
            messages.push_back(request);
            return 1;
        });
        orvClassWindows object(platform);
        std::int32_t window = 0;
        std::wstring url = L"http://127.0.0.1:9/";
        object.ShowInternet(window, &url);
        QCOMPARE(int(messages.size()), 1);
        QCOMPARE(messages[0].text, L"Der Internet-Browser konnte nicht gestartet werden!"s);
        QCOMPARE(messages[0].flags, 16u);
        QCOMPARE(messages[0].caption, L"OrvelBrowser"s);
    }

    void noWindowsToFindOrMove()
    {
        PosixPlatform platform("");
        QCOMPARE(platform.findWindow(L"Shell_TrayWnd", L""), 0);
        QVERIFY(!platform.setWindowPos(1, 0, 0, 0, 0, 0, 0x80));
        orvClassWindows object(platform);
        QVERIFY(std::holds_alternative<std::monostate>(object.SetStartleiste(true)));
    }

    void fileExistence()
    {
        PosixPlatform platform("");
        const QString file = m_dir.filePath(QStringLiteral("present.txt"));
        QVERIFY(writeFile(file, "x"));
        QVERIFY(platform.fileExists(wide(file)));
        QVERIFY(!platform.fileExists(wide(m_dir.path())));
        QVERIFY(!platform.fileExists(wide(m_dir.filePath(QStringLiteral("absent.txt")))));
    }

    void messageBoxShowsAndAnswers_data()
    {
        QTest::addColumn<quint32>("flags");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("click");
        QTest::addColumn<qint32>("answer");

        // clang-format off
        QTest::newRow("OK, no icon") << 0u << int(QMessageBox::NoIcon) << int(QMessageBox::Ok) << int(QMessageBox::Ok) << 1;
        QTest::newRow("critical stop") << 16u << int(QMessageBox::Critical) << int(QMessageBox::Ok) << int(QMessageBox::Ok) << 1;
        QTest::newRow("information") << 64u << int(QMessageBox::Information) << int(QMessageBox::Ok) << int(QMessageBox::Ok) << 1;
        QTest::newRow("OK/Cancel question, cancelled") << 0x21u << int(QMessageBox::Question) << int(QMessageBox::Ok | QMessageBox::Cancel) << int(QMessageBox::Cancel) << 2;
        QTest::newRow("abort/retry/ignore") << 0x32u << int(QMessageBox::Warning) << int(QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore) << int(QMessageBox::Ignore) << 5;
        QTest::newRow("yes/no/cancel") << 3u << int(QMessageBox::NoIcon) << int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) << int(QMessageBox::Yes) << 6;
        QTest::newRow("yes/no") << 4u << int(QMessageBox::NoIcon) << int(QMessageBox::Yes | QMessageBox::No) << int(QMessageBox::No) << 7;
        QTest::newRow("retry/cancel") << 5u << int(QMessageBox::NoIcon) << int(QMessageBox::Retry | QMessageBox::Cancel) << int(QMessageBox::Retry) << 4;
        // clang-format on
    }

    void messageBoxShowsAndAnswers()
    {
        QFETCH(quint32, flags);
        QFETCH(int, icon);
        QFETCH(int, buttons);
        QFETCH(int, click);
        QFETCH(qint32, answer);
        PosixPlatform platform("");
        int seenIcon = -1;
        int seenButtons = -1;
        QString seenTitle;
        QString seenText;
        int ticks = 0;
        QTimer closer;
        closer.setInterval(20);
        connect(&closer, &QTimer::timeout, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box) {
                if (++ticks > 500) // 10 s: give up rather than hang
                    closer.stop();
                return;
            }
            closer.stop();
            seenIcon = int(box->icon());
            seenButtons = int(box->standardButtons());
            seenTitle = box->windowTitle();
            seenText = box->text();
            box->button(QMessageBox::StandardButton(click))->click();
        });
        closer.start();
        const std::int32_t result = platform.messageBox(0, L"Gr\u00FC\u00DFe", L"Titel", flags);
        QCOMPARE(result, answer);
        QCOMPARE(seenIcon, icon);
        QCOMPARE(seenButtons, buttons);
        QCOMPARE(seenTitle, QStringLiteral("Titel"));
        QCOMPARE(seenText, QString::fromStdWString(L"Gr\u00FC\u00DFe"));
    }

    void sinkReplacesTheBox()
    {
        PosixPlatform platform("");
        std::vector<MessageBoxRequest> seen;
        QVERIFY(!platform.setMessageBoxSink([&](const MessageBoxRequest &request) {
            seen.push_back(request);
            return 7;
        }));
        QCOMPARE(platform.messageBox(3, L"Text", L"Titel", 4), 7);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(int(seen.size()), 1);
        QCOMPARE(seen[0].owner, 3);
        QCOMPARE(seen[0].flags, 4u);
        QVERIFY(platform.setMessageBoxSink({}));
    }

    void shellFileOperationsAndTheTrash()
    {
        QTemporaryDir dir;
        const QString data = dir.path() + QStringLiteral("/data");
        qputenv("XDG_DATA_HOME", data.toUtf8());
        const QString a = dir.path() + QStringLiteral("/a.txt");
        QVERIFY(writeFile(a, "alpha"));
        PosixPlatform platform("");
        orvClassWindows object(platform);
        const auto path = [&](const QString &name) {
            return (dir.path() + name).toStdWString();
        };
        object.FileCopy(0, path(QStringLiteral("/a.txt")), path(QStringLiteral("/b.txt")));
        object.FileMove(0, path(QStringLiteral("/b.txt")), path(QStringLiteral("/c.txt")));
        QVERIFY(QFile::exists(a));
        QVERIFY(!QFile::exists(dir.path() + QStringLiteral("/b.txt")));
        QCOMPARE(waitForFile(dir.path() + QStringLiteral("/c.txt")), QByteArray("alpha"));
        // An existing target is not replaced: nobody confirms it.
        QVERIFY(writeFile(dir.path() + QStringLiteral("/d.txt"), "delta"));
        object.FileCopy(0, path(QStringLiteral("/a.txt")), path(QStringLiteral("/d.txt")));
        QCOMPARE(waitForFile(dir.path() + QStringLiteral("/d.txt")), QByteArray("delta"));

        std::int32_t window = 0;
        object.FileDelete(window, path(QStringLiteral("/a.txt")));
        QVERIFY(!QFile::exists(a));
        QCOMPARE(waitForFile(data + QStringLiteral("/Trash/files/a.txt")), QByteArray("alpha"));
        const QByteArray info = waitForFile(data + QStringLiteral("/Trash/info/a.txt.trashinfo"));
        QVERIFY(
            info.startsWith("[Trash Info]\nPath=" + QFile::encodeName(a) + "\nDeletionDate=20"));
        // A second a.txt in the bin gets a name of its own.
        QVERIFY(writeFile(a, "again"));
        object.FileDelete(window, path(QStringLiteral("/a.txt")));
        QCOMPARE(waitForFile(data + QStringLiteral("/Trash/files/a.txt.2")), QByteArray("again"));
        object.FileDelete(window, path(QStringLiteral("/c.txt")), true);
        QVERIFY(!QFile::exists(dir.path() + QStringLiteral("/c.txt")));
        QVERIFY(!QFile::exists(data + QStringLiteral("/Trash/files/c.txt")));
        qunsetenv("XDG_DATA_HOME");
    }

    void clipboardRoundTrip()
    {
        PosixPlatform platform("");
        orvClassWindows object(platform);
        std::vector<std::wstring> files { L"/tmp/\u00E4 b.txt", L"/tmp/c.txt" };
        QVERIFY(object.FileCopyClipboard(files));
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(data->urls().value(0), QUrl::fromLocalFile(QStringLiteral("/tmp/\u00E4 b.txt")));
        std::vector<std::wstring> pasted;
        QCOMPARE(object.FilePasteClipboard(pasted), 2);
        QCOMPARE(pasted, files);
        // A list another program put there as addresses only.
        auto *other = new QMimeData;
        other->setUrls({ QUrl::fromLocalFile(QStringLiteral("/x/y")) });
        QGuiApplication::clipboard()->setMimeData(other);
        QCOMPARE(object.FilePasteClipboard(pasted), 1);
        QCOMPARE(pasted, std::vector { L"/x/y"s });
        QGuiApplication::clipboard()->setText(QStringLiteral("text"));
        QCOMPARE(object.FilePasteClipboard(pasted), 0);
    }

    void fileTimesAndSharing()
    {
        const QString file = m_dir.path() + QStringLiteral("/time.txt");
        QVERIFY(writeFile(file, "t"));
        // Written at 09:05:07.8 local time.
        std::tm local {};
        local.tm_year = 2024 - 1900;
        local.tm_mon = 2;
        local.tm_mday = 9;
        local.tm_hour = 9;
        local.tm_min = 5;
        local.tm_sec = 7;
        local.tm_isdst = -1;
        const timespec times[2]
            = { { std::mktime(&local), 800000000 }, { std::mktime(&local), 800000000 } };
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(file).constData(), times, 0), 0);
        PosixPlatform platform("");
        orvClassWindows object(platform);
        DateTime write;
        QVERIFY(object.ReadFileLastTime(file.toStdWString(), write));
        QCOMPARE(write, (DateTime { 2024, 3, 9, 9, 5, 7 }));
        // Open elsewhere: refused even though that side shares.
        QFile other(file);
        QVERIFY(other.open(QIODevice::ReadOnly));
        DateTime unchanged;
        const bool leases = ::fcntl(other.handle(), F_GETLEASE) >= 0;
        if (leases)
            QVERIFY(!object.ReadFileLastTime(file.toStdWString(), unchanged));
        QCOMPARE(unchanged, DateTime {});
        DateTime a, b, c;
        QVERIFY(!object.ReadFileTime((file + QStringLiteral("x")).toStdWString(), a, b, c));
    }

    void folderListing()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.path() + QStringLiteral("/one.txt"), "1"));
        QVERIFY(writeFile(dir.path() + QStringLiteral("/.hidden.txt"), "2"));
        QVERIFY(writeFile(dir.path() + QStringLiteral("/other.dat"), "3"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub.txt")));
        PosixPlatform platform("");
        orvClassWindows object(platform);
        std::vector<std::wstring> listed;
        object.DirFile(listed, dir.path().toStdWString(), L"*.txt");
        QCOMPARE(listed.size(), std::size_t(101));
        const std::wstring folder = dir.path().toStdWString() + L"\\";
        std::vector<std::wstring> found(listed.begin(), listed.begin() + 2);
        std::sort(found.begin(), found.end());
        QCOMPARE(found, (std::vector { folder + L".hidden.txt", folder + L"one.txt" }));
        QCOMPARE(listed[2], L""s);
        // The listed paths name the files.
        QVERIFY(platform.fileExists(found[1]));
    }

    void transparentPicture()
    {
        // Source: a red square on a green (transparent) background; the
        // background is blue.
        QImage source(4, 4, QImage::Format_RGB32);
        source.fill(QColor(0, 255, 0));
        source.setPixel(1, 1, qRgb(255, 0, 0));
        QImage background(6, 6, QImage::Format_RGB32);
        background.fill(QColor(0, 0, 255));
        QImage out(6, 6, QImage::Format_RGB32);
        out.fill(Qt::black);
        std::int32_t src = posix::registerSurface(&source);
        std::int32_t dst = posix::registerSurface(&background);
        std::int32_t target = posix::registerSurface(&out);
        PosixPlatform platform("");
        orvClassWindows object(platform);
        std::int32_t x = 0, y = 0, xx = 3, yy = 3, colour = 0x00FF00;
        object.TranspPic(target, dst, src, x, y, xx, yy, 2, 1, colour);
        QCOMPARE(colour, 0x00FF00);
        QCOMPARE(out.pixel(3, 2), qRgb(255, 0, 0)); // the source shows
        QCOMPARE(out.pixel(2, 1), qRgb(0, 0, 255)); // the background shows through
        QCOMPARE(out.pixel(4, 3), qRgb(0, 0, 255));
        QCOMPARE(out.pixel(5, 5), qRgb(0, 0, 0)); // outside the rectangle: untouched
        QCOMPARE(background.pixel(3, 2), qRgb(0, 0, 255));
        for (const std::int32_t dc : { src, dst, target })
            posix::unregisterSurface(dc);
    }

    void programRunAndWaitedFor()
    {
        const QString script = m_dir.path() + QStringLiteral("/probe.sh");
        QVERIFY(writeFile(script, kProbeScript, true));
        const QString out = m_dir.path() + QStringLiteral("/run.txt");
        PosixPlatform platform("");
        orvClassWindows object(platform);
        bool wait = true;
        QVERIFY(!object.Datei_ausführen(
            script.toStdWString(), (L"\"" + out.toStdWString() + L"\" x"), wait));
        // Waited for: the file is there at once.
        QVERIFY(QFile::exists(out));
        QVERIFY(wait);
        QVERIFY(object.Datei_ausführen(m_dir.path().toStdWString() + L"/missing", L"", wait));
    }

    void scriptHostRegisteredWhenMissing()
    {
        // The library is loaded for real and its export runs on its own thread.
        const QString marker = m_dir.path() + QStringLiteral("/registered.txt");
        const EnvironmentGuard guard("ORVEL_SERVER_MARKER", QFile::encodeName(marker));
        NoScriptShellPlatform platform(
            QCoreApplication::applicationDirPath() + QStringLiteral("/server"));
        orvClassWindows object(platform);
        bool wait = false;
        // Still no script shell object after the registration: failed.
        QVERIFY(object.Datei_ausführen(L"/bin/true", L"", wait));
        QCOMPARE(platform.attempts, 2);
        QCOMPARE(waitForFile(marker), QByteArray("registered"));
    }

    void documentsFolder_data()
    {
        QTest::addColumn<QByteArray>("userDirs");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("no user folders file") << QByteArray() << QStringLiteral("Documents");
        QTest::newRow("user folders file")    << QByteArray("XDG_DOCUMENTS_DIR=\"$HOME/Papiere\"\n") << QStringLiteral("Papiere");
        // clang-format on
    }
    void documentsFolder()
    {
        QFETCH(QByteArray, userDirs);
        QFETCH(QString, expected);
        QTemporaryDir home;
        const QString config = home.path() + QStringLiteral("/config");
        const EnvironmentGuard homeGuard("HOME", QFile::encodeName(home.path()));
        const EnvironmentGuard configGuard("XDG_CONFIG_HOME", QFile::encodeName(config));
        if (!userDirs.isEmpty()) {
            QVERIFY(QDir().mkpath(config));
            QVERIFY(writeFile(config + QStringLiteral("/user-dirs.dirs"), userDirs));
        }
        PosixPlatform platform("");
        orvClassWindows object(platform);
        std::int32_t window = 0;
        QCOMPARE(QString::fromStdWString(object.GetShellPersonalLocation(window)),
            home.path() + QLatin1Char('/') + expected);
    }

    void folderDialog_data()
    {
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("chosen")    << true  << QStringLiteral("/chosen\\");
        QTest::newRow("cancelled") << false << QString();
        // clang-format on
    }
    void folderDialog()
    {
        QFETCH(bool, accepted);
        QFETCH(QString, expected);
        const QString chosen = m_dir.path() + QStringLiteral("/chosen");
        QVERIFY(QDir().mkpath(chosen));
        QString title;
        // Answers the dialog as soon as it shows.
        QTimer answer;
        answer.setInterval(20);
        connect(&answer, &QTimer::timeout, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            answer.stop();
            title = dialog->windowTitle();
            if (!accepted) {
                dialog->reject();
                return;
            }
            dialog->setDirectory(chosen);
            static_cast<QDialog *>(dialog)->accept(); // protected in QFileDialog
        });
        answer.start();
        PosixPlatform platform("");
        orvClassWindows object(platform);
        std::int32_t window = 0;
        const std::wstring result = object.GetBrowseDirectory(window);
        QCOMPARE(title, QStringLiteral("ZARE Pfad ausw\u00E4hlen"));
        // The choice with a backslash appended, the class's folder separator.
        QCOMPARE(QString::fromStdWString(result),
            expected.isEmpty() ? expected : m_dir.path() + expected);
    }

private:
    QString probeScript()
    {
        const QString path = m_dir.filePath(QStringLiteral("probe.sh"));
        if (!QFile::exists(path))
            writeFile(path, kProbeScript, true);
        return path;
    }

    // A text value through the backend with the given registry file.
    bool readText(const QString &file, const std::string &key, std::wstring &value)
    {
        PosixPlatform platform(file.toStdString());
        RegistryKey handle = 0;
        if (platform.regOpenKeyEx(
                kHkeyLocalMachine, QString::fromStdString(key).toStdWString(), 0x2003F, handle)
            != kErrorSuccess)
            return false;
        std::string buffer(1024, '\0');
        std::uint32_t size = 1024;
        std::uint32_t type = 0;
        const bool read = platform.regQueryValueEx(handle, L"PATH", type, buffer, size) == 0;
        platform.regCloseKey(handle);
        value = platform.fromSystemText(std::string_view(buffer.data(), size));
        return read;
    }

    QTemporaryDir m_dir;
};

QTEST_MAIN(TestPosixPlatform)
#include "tst_posixplatform.moc"
