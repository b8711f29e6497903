// Stands in for the system information tool: notes its own path in the file
// that TESSARIN_MARKER names, so the check sees exactly which program ran.
#include <windows.h>

#include <cstring>

int main() {
    char marker[MAX_PATH] = {};
    char self[MAX_PATH + 2] = {};
    if (GetEnvironmentVariableA("TESSARIN_MARKER", marker, sizeof marker) == 0) return 1;
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::strcpy(self + length, "\n");
    const HANDLE file =
        CreateFileA(marker, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, self, length + 1, &written, nullptr);
    CloseHandle(file);
    return 0;
}
