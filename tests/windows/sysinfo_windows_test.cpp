// The System Information launcher on Windows itself: the real registry under
// HKEY_LOCAL_MACHINE, Windows' file attributes and CreateProcessA, with a
// stand-in MSINFO32.EXE in a folder whose path has blanks. The launcher's
// sequence as such is tested on every platform against a registry table;
// this checks what only Windows does.
#include <windows.h>

#include <QtTest>
#include <algorithm>
#include <string>

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

    // The command line that the stand-in was given, once it has written it whole.
    QString Started(int waitMs) const {
        QStringList lines;
        (void)QTest::qWaitFor(
            [&] {
                QFile file(QString::fromLocal8Bit(marker.c_str()));
                if (!file.open(QIODevice::ReadOnly)) return false;
                lines = QString::fromLocal8Bit(file.readAll()).split('\n');
                return lines.size() >= 2;
            },
            waitMs);
        return lines.size() >= 2 ? lines[0] : QString();
    }
    // Started by its quoted path, its window shown normally and activated (SW_SHOWNORMAL).
    static QString Quoted(const std::string& path) {
        return QString::fromLocal8Bit(("\"" + path + "\" shown 1").c_str());
    }

private slots:
    void initTestCase() {
        // On the system drive, as the tool itself is, not under the user's profile, whose
        // name the ANSI code page may lack. A Chinese Windows gets a Chinese folder too.
        char windows[MAX_PATH] = {};
        const std::string drive(windows, std::min(GetSystemWindowsDirectoryA(windows, MAX_PATH), 3u));
        std::string base = drive + "tessarin check";
        if (GetACP() == 936) base.append("\\").append(QString("齿轮 工具").toLocal8Bit().constData());
        tools = base + "\\Microsoft Shared\\MSInfo";
        tool = tools + "\\MSINFO32.EXE";
        hidden = base + "\\Hidden Tool";
        system = base + "\\System Tool";
        marker = base + "\\started.txt";
        for (const std::string& folder :
             {drive + "tessarin check", base, base + "\\Microsoft Shared", tools, hidden, system}) {
            CreateDirectoryA(folder.c_str(), nullptr);
        }
        char self[MAX_PATH] = {};
        const std::string own(self, GetModuleFileNameA(nullptr, self, MAX_PATH));
        const std::string stub = own.substr(0, own.find_last_of('\\')) + "\\MSINFO32.exe";
        QVERIFY2(CopyFileA(stub.c_str(), tool.c_str(), FALSE), qPrintable(QString::fromLocal8Bit(tool.c_str())));
        // Where an unquoted command line would go astray at the first blank.
        QVERIFY(CopyFileA(stub.c_str(), (drive + "tessarin.exe").c_str(), FALSE));
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

    // The tool by the first value's full path, blanks and all, or in the
    // folder of the second: the joined path as the command line, a second
    // backslash included, or the message for a hidden or system file.
    void startsTheTool() {
        const struct {
            const char* key;
            std::string path;
            QString commandLine;
        } cases[] = {{kFirstKey, tool, Quoted(tool)},
                     {kSecondKey, tools, Quoted(tool)},
                     {kSecondKey, tools + "\\", Quoted(tools + "\\\\MSINFO32.EXE")},
                     {kSecondKey, hidden, ""},
                     {kSecondKey, system, ""}};
        for (const auto& [key, path, commandLine] : cases) {
            init();
            SetText(key, key == kFirstKey ? "PATH" : "MSINFO", path);
            int messages = 0;
            sysinfo::StartSysInfo("Movelant", [&](const std::string& text, const std::string&) {
                messages += text == sysinfo::kUnavailable;
            });
            const QString started = Started(commandLine.isEmpty() ? 1500 : 15000);
            QVERIFY2(messages == (commandLine.isEmpty() ? 1 : 0), path.c_str());
            QVERIFY2(started == commandLine, qPrintable(started));
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
