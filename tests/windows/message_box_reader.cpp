// Stands in for the person at the screen: waits up to 30 s for a message box,
// writes its title and text in UTF-8 to the file named on the command line,
// then presses OK. Exit code 0 when a box came, 1 when none did.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// The text of a message box's message, on Windows and Wine alike.
constexpr int kMessageTextId = 0xFFFF;

BOOL CALLBACK FindMessageBox(HWND window, LPARAM found) {
    wchar_t class_name[8] = {};
    if (IsWindowVisible(window) && GetClassNameW(window, class_name, 8) && std::wstring(class_name) == L"#32770" &&
        GetDlgItem(window, kMessageTextId)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

std::string Utf8Text(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    std::string utf8(static_cast<size_t>(text.size()) * 3, '\0');
    utf8.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                        utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr)));
    return utf8;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    for (int waited_ms = 0; waited_ms < 30000; waited_ms += 100) {
        HWND box = nullptr;
        EnumWindows(FindMessageBox, reinterpret_cast<LPARAM>(&box));
        if (box) {
            FILE* out = std::fopen(argv[1], "wb");
            if (!out) return 2;
            std::fprintf(out, "%s\n%s\n", Utf8Text(box).c_str(), Utf8Text(GetDlgItem(box, kMessageTextId)).c_str());
            std::fclose(out);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return 0;
        }
        Sleep(100);
    }
    return 1;
}
