// Stands in for the system information tool: notes the command line it was
// given, and how its window was asked to show, in the file that
// TESSARIN_MARKER names, so the check sees exactly how it was called.
#include <windows.h>

#include <string>

int main() {
    // The marker's name in full: Wine's ANSI form of this call cuts a name with
    // Chinese characters short by one byte for each of them.
    wchar_t marker[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"TESSARIN_MARKER", marker, MAX_PATH) == 0) return 1;
    STARTUPINFOW startup = {};
    GetStartupInfoW(&startup);
    const int show = startup.dwFlags & STARTF_USESHOWWINDOW ? startup.wShowWindow : -1;
    const std::string record = GetCommandLineA() + std::string(" shown ") + std::to_string(show) + '\n';
    const HANDLE file =
        CreateFileW(marker, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
}
