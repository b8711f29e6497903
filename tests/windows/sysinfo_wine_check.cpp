// The System Information launcher on Windows itself: the real registry, file
// attributes and CreateProcessA, run under Wine. It writes the two registry
// values, places a stand-in MSINFO32.EXE in a folder whose path has blanks,
// and checks what started, or that the message came instead.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/programs.h"
#include "ui/about/sys_info_launcher.h"

namespace {

int failures = 0;

void Check(bool ok, const char* what, const std::string& detail = {}) {
    std::printf("%s: %s%s%s\n", ok ? "ok" : "FAILED", what, detail.empty() ? "" : " -- ", detail.c_str());
    if (!ok) ++failures;
}

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
void DeleteKey(const char* key) { RegDeleteKeyA(HKEY_LOCAL_MACHINE, key); }

std::string OwnFolder() {
    char path[MAX_PATH] = {};
    const std::string self(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return self.substr(0, self.find_last_of('\\'));
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()),
                                                  b.c_str(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

// The whole command line is the path as the launcher passed it, in quotes,
// with no argument: a path with blanks must never start what lies at its
// first blank, and nothing may be added to it.
bool QuotedAlone(const std::string& commandLine, const std::string& path) {
    return commandLine == "\"" + path + "\"";
}

struct Outcome {
    int messages = 0;
    std::string text, title;
    std::string started;      // the program that ran, or empty
    std::string commandLine;  // the command line it was given
};

// Runs the launcher once and waits a while for the stand-in to report.
Outcome Run(const std::string& marker, bool expectStart) {
    DeleteFileA(marker.c_str());
    Outcome outcome;
    sysinfo::StartSysInfo("Movelant", [&](const std::string& text, const std::string& title) {
        ++outcome.messages;
        outcome.text = text;
        outcome.title = title;
    });
    // Both lines, each ended by its newline: the marker may exist before the
    // stand-in has written into it.
    for (int waited = 0; waited < (expectStart ? 15000 : 1500); waited += 50) {
        std::ifstream in(marker);
        const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const auto first = content.find('\n');
        const auto second = first == std::string::npos ? first : content.find('\n', first + 1);
        if (second != std::string::npos) {
            outcome.started = content.substr(0, first);
            outcome.commandLine = content.substr(first + 1, second - first - 1);
            break;
        }
        Sleep(50);
    }
    return outcome;
}

}  // namespace

int main() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string base = std::string(temp) + "tessarin check";
    const std::string tools = base + "\\Common Files\\Microsoft Shared\\MSInfo";
    const std::string tool = tools + "\\MSINFO32.EXE";
    const std::string hidden = base + "\\Hidden Tool";
    const std::string empty = base + "\\Empty Folder";
    const std::string marker = base + "\\started.txt";
    for (const std::string& folder : {base, base + "\\Common Files", base + "\\Common Files\\Microsoft Shared", tools,
                                      hidden, empty}) {
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    const std::string stub = OwnFolder() + "\\MSINFO32.exe";
    CopyFileA(stub.c_str(), tool.c_str(), FALSE);
    // Where an unquoted command line would go astray at the first blank.
    CopyFileA(stub.c_str(), (std::string(temp) + "tessarin.exe").c_str(), FALSE);
    CopyFileA(stub.c_str(), (base + "\\Common.exe").c_str(), FALSE);
    CopyFileA(stub.c_str(), (hidden + "\\MSINFO32.EXE").c_str(), FALSE);
    SetFileAttributesA((hidden + "\\MSINFO32.EXE").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetEnvironmentVariableA("TESSARIN_MARKER", marker.c_str());

    Check(platform::IsOrdinaryFile(tool), "the tool is an ordinary file");
    Check(!platform::IsOrdinaryFile(tools), "a folder is not");
    Check(!platform::IsOrdinaryFile(hidden + "\\MSINFO32.EXE"), "a hidden file is not");

    // The first value names the tool by its full path, blanks and all.
    SetText(kFirstKey, "PATH", tool);
    SetText(kSecondKey, "MSINFO", empty);
    Outcome run = Run(marker, true);
    Check(SameName(run.started, tool), "started from the first value", run.started);
    Check(QuotedAlone(run.commandLine, tool), "called by its quoted path alone", run.commandLine);
    Check(run.messages == 0, "no message when the tool starts");

    // A first value naming a missing file ends in the message; the second is not tried.
    SetText(kFirstKey, "PATH", base + "\\gone\\MSINFO32.EXE");
    SetText(kSecondKey, "MSINFO", tools);
    run = Run(marker, false);
    Check(run.started.empty(), "nothing started for a missing first path", run.started);
    Check(run.messages == 1 && run.text == sysinfo::kUnavailable && run.title == "Movelant", "the message instead");

    // Without the first key, the folder of the second value.
    DeleteKey(kFirstKey);
    run = Run(marker, true);
    Check(SameName(run.started, tool), "started from the folder of the second value", run.started);
    Check(QuotedAlone(run.commandLine, tools + "\\MSINFO32.EXE"), "called by the joined path alone", run.commandLine);
    SetText(kSecondKey, "MSINFO", tools + "\\");
    run = Run(marker, true);
    Check(SameName(run.started, tool), "started from a folder ending in a backslash", run.started);
    Check(QuotedAlone(run.commandLine, tools + "\\\\MSINFO32.EXE"), "called by the joined path, both backslashes kept",
          run.commandLine);

    for (const std::string& folder : {empty, hidden}) {
        SetText(kSecondKey, "MSINFO", folder);
        run = Run(marker, false);
        Check(run.started.empty() && run.messages == 1, "the message for a folder without an ordinary MSINFO32.EXE",
              folder);
    }
    DeleteKey(kSecondKey);
    run = Run(marker, false);
    Check(run.started.empty() && run.messages == 1, "the message when both keys are missing");

    // A 32-bit number reads as its decimal digits.
    const DWORD number = 66051;
    SetValue("SOFTWARE\\Tessarin Check", "Number", REG_DWORD, &number, sizeof number);
    std::int32_t root = static_cast<std::int32_t>(0x80000002u);
    std::string key = "SOFTWARE\\Tessarin Check", name = "Number", read = "previous";
    Check(sysinfo::GetKeyValue(root, key, name, read) && read == "66051", "a number reads as decimal digits", read);
    DeleteKey("SOFTWARE\\Tessarin Check");

    std::printf("%d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
