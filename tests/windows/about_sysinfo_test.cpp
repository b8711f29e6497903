// The System Information button of the real About window on Windows: the
// registry under HKEY_LOCAL_MACHINE, the file test and CreateProcessA, with
// a stand-in MSINFO32.EXE in a folder whose path has blanks.
#include <windows.h>

#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <memory>
#include <string>

#include "tests/ui/modal_watch.h"
#include "ui/about/xwk_frm_about.h"
#include "ui/main/xwk.h"

namespace {

const char* const kFirstKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char* const kSecondKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

void SetText(const char* key, const char* name, const std::string& text) {
    HKEY opened = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened, nullptr);
    RegSetValueExA(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(opened);
}

std::string Folder(const char* path) {
    const std::string text(path);
    return text.substr(0, text.find_last_of('\\'));
}

}  // namespace

class AboutSysInfoTest : public QObject {
    Q_OBJECT

    std::string tools, tool, marker;

    // Opens the About window from the main window, presses System
    // Information there and closes the About window again. Returns what the
    // message box said, if one came (it is closed with OK).
    static ModalWatch* PressSystemInformation(XWK& main, ModalWatch*& message) {
        QTimer poll;
        bool pressed = false;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* about = qobject_cast<XWKfrmAbout*>(QApplication::activeModalWidget());
            if (!about || QApplication::activeWindow() != about) return;
            poll.stop();
            message = new ModalWatch;  // only a window above the About window counts
            QTest::mouseClick(about->cmdSysInfo, Qt::LeftButton);
            pressed = true;
            (void)QTest::qWaitFor([&] { return message->seen; }, 2000);
            about->cmdOK->click();
        });
        poll.start(20);
        main.Command3->click();
        return pressed ? message : nullptr;
    }

    // The stand-in's two lines: the program that ran and its command line.
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

private slots:
    void initTestCase() {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        const std::string base = std::string(temp) + "tessarin about check";
        tools = base + "\\Microsoft Shared\\MSInfo";
        tool = tools + "\\MSINFO32.EXE";
        marker = base + "\\started.txt";
        for (const std::string& folder : {base, base + "\\Microsoft Shared", tools}) {
            CreateDirectoryA(folder.c_str(), nullptr);
        }
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        QVERIFY(CopyFileA((Folder(self) + "\\MSINFO32.exe").c_str(), tool.c_str(), FALSE));
        SetEnvironmentVariableA("TESSARIN_MARKER", marker.c_str());
    }

    void startsTheToolNamedInTheRegistry_data() {
        QTest::addColumn<bool>("byFolder");
        QTest::newRow("first value: the tool's path") << false;
        QTest::newRow("second value: its folder") << true;
    }
    void startsTheToolNamedInTheRegistry() {
        QFETCH(bool, byFolder);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kFirstKey);
        if (byFolder) SetText(kSecondKey, "MSINFO", tools);
        else SetText(kFirstKey, "PATH", tool);
        DeleteFileA(marker.c_str());
        XWK main;
        main.show();
        ModalWatch* message = nullptr;
        QVERIFY(PressSystemInformation(main, message));
        std::unique_ptr<ModalWatch> owned(message);
        const QStringList started = Started(15000);
        QCOMPARE(started.size(), 2);
        QCOMPARE(started[0].toLower(), QString::fromLocal8Bit(tool.c_str()).toLower());
        QCOMPARE(started[1], QString::fromLocal8Bit(("\"" + tool + "\"").c_str()));
        QVERIFY(!message->seen);
    }

    void saysUnavailableWithoutTheKeys() {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kFirstKey);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSecondKey);
        DeleteFileA(marker.c_str());
        XWK main;
        main.show();
        ModalWatch* message = nullptr;
        QVERIFY(PressSystemInformation(main, message));
        std::unique_ptr<ModalWatch> owned(message);
        QVERIFY(message->seen);
        QCOMPARE(message->text, QString("此时系统信息不可用"));
        QCOMPARE(message->title, QString("Movelant"));
        QVERIFY(Started(1000).isEmpty());
    }
};

QTEST_MAIN(AboutSysInfoTest)
#include "about_sysinfo_test.moc"
