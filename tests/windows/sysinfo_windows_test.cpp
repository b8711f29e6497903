// The System Information launcher on Windows itself: the real registry under
// HKEY_LOCAL_MACHINE, Windows' file attributes and CreateProcessA, with a
// stand-in MSINFO32.EXE in a folder whose path has blanks. The launcher's
// sequence as such is tested on every platform against a registry table;
// this checks what only Windows does, once through the real About window.
#include <windows.h>

#include <QPushButton>
#include <QtTest>
#include <memory>
#include <string>

#include "tests/ui/window_fixture.h"
#include "ui/about/sys_info_launcher.h"

namespace {

const char* const kFirstKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char* const kSecondKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

void SetValue(const char* key, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY opened = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened, nullptr);
    RegSetValueExA(opened, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(opened);
}
void SetText(const char* key, const char* name, const std::string& text) {
    SetValue(key, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

}  // namespace

class SysInfoWindowsTest : public QObject {
    Q_OBJECT

    std::string tools, tool, hidden, system, marker;

    // The stand-in's two lines, the program that ran and the command line it
    // was given, once it has written both.
    QStringList Started(int waitMs) const {
        QStringList lines;
        (void)QTest::qWaitFor(
            [&] {
                QFile file(QString::fromLocal8Bit(marker.c_str()));
                if (!file.open(QIODevice::ReadOnly)) return false;
                lines = QString::fromLocal8Bit(file.readAll()).split('\n');
                return lines.size() >= 3;
            },
            waitMs);
        return lines.mid(0, 2);
    }
    static QString Quoted(const std::string& path) { return QString::fromLocal8Bit(("\"" + path + "\"").c_str()); }

private slots:
    void initTestCase() {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        const std::string base = std::string(temp) + "tessarin check";
        tools = base + "\\Microsoft Shared\\MSInfo";
        tool = tools + "\\MSINFO32.EXE";
        hidden = base + "\\Hidden Tool";
        system = base + "\\System Tool";
        marker = base + "\\started.txt";
        for (const std::string& folder : {base, base + "\\Microsoft Shared", tools, hidden, system}) {
            CreateDirectoryA(folder.c_str(), nullptr);
        }
        char self[MAX_PATH] = {};
        const std::string own(self, GetModuleFileNameA(nullptr, self, MAX_PATH));
        const std::string stub = own.substr(0, own.find_last_of('\\')) + "\\MSINFO32.exe";
        QVERIFY(CopyFileA(stub.c_str(), tool.c_str(), FALSE));
        // Where an unquoted command line would go astray at the first blank.
        QVERIFY(CopyFileA(stub.c_str(), (std::string(temp) + "tessarin.exe").c_str(), FALSE));
        // Neither a hidden nor a system file counts as the tool.
        for (const auto& [folder, attribute] :
             {std::pair(hidden, FILE_ATTRIBUTE_HIDDEN), std::pair(system, FILE_ATTRIBUTE_SYSTEM)}) {
            const std::string file = folder + "\\MSINFO32.EXE";
            QVERIFY(CopyFileA(stub.c_str(), file.c_str(), FALSE));
            QVERIFY(SetFileAttributesA(file.c_str(), attribute));
            QVERIFY(GetFileAttributesA(file.c_str()) & attribute);
        }
        SetEnvironmentVariableA("TESSARIN_MARKER", marker.c_str());
    }
    void init() {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kFirstKey);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSecondKey);
        DeleteFileA(marker.c_str());
    }

    // The first value names the tool by its full path, blanks and all.
    void startsTheToolFromTheAboutWindow() {
        SetText(kFirstKey, "PATH", tool);
        const std::unique_ptr<XWK> main = OpenMainWindow();
        QVERIFY(main);
        std::unique_ptr<ModalWatch> message;
        const AboutRun run = WhileAboutOpen(*main, [&](XWKfrmAbout* about) {
            message = std::make_unique<ModalWatch>();  // only a window above the About window counts
            QTest::mouseClick(about->cmdSysInfo, Qt::LeftButton);
            (void)QTest::qWaitFor([&] { return message->seen; }, 2000);
        });
        QVERIFY(run.ran);
        const QStringList started = Started(15000);
        QCOMPARE(started.size(), 2);
        QCOMPARE(started[0].toLower(), QString::fromLocal8Bit(tool.c_str()).toLower());
        QCOMPARE(started[1], Quoted(tool));
        QVERIFY(!message->seen);
    }

    // The folder of the second value: the joined path as the command line,
    // a second backslash included, or the message for a hidden or system file.
    void startsFromTheFolder() {
        const struct {
            std::string folder;
            QString commandLine;
        } cases[] = {
            {tools, Quoted(tool)}, {tools + "\\", Quoted(tools + "\\\\MSINFO32.EXE")}, {hidden, ""}, {system, ""}};
        for (const auto& [folder, commandLine] : cases) {
            init();
            SetText(kSecondKey, "MSINFO", folder);
            int messages = 0;
            sysinfo::StartSysInfo("Movelant", [&](const std::string& text, const std::string&) {
                messages += text == sysinfo::kUnavailable;
            });
            const QStringList started = Started(commandLine.isEmpty() ? 1500 : 15000);
            QVERIFY2(messages == (commandLine.isEmpty() ? 1 : 0), folder.c_str());
            QVERIFY2(started.value(1) == commandLine, qPrintable(started.value(1)));
        }
    }

    void numberReadsAsDecimalDigits() {
        const DWORD number = 66051;
        SetValue("SOFTWARE\\Tessarin Check", "Number", REG_DWORD, &number, sizeof number);
        std::int32_t root = static_cast<std::int32_t>(0x80000002u);
        std::string key = "SOFTWARE\\Tessarin Check", name = "Number", read = "previous";
        QVERIFY(sysinfo::GetKeyValue(root, key, name, read));
        QCOMPARE(read, std::string("66051"));
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
    }
};

QTEST_MAIN(SysInfoWindowsTest)
#include "sysinfo_windows_test.moc"
