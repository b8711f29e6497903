#pragma once

// The three registry functions that the About window's launcher calls, in
// the argument order and with the status meaning of advapi32's ANSI forms:
// a status of 0 means success, anything else failure. Key paths, value
// names and text data are bytes in the system's ANSI code page.
//
// On Windows they are advapi32's RegOpenKeyExA, RegQueryValueExA and
// RegCloseKey. Elsewhere there is no registry: they read a read-only table
// in the process (registry_table.h), empty unless a test fills it.
#include <cstdint>

namespace platform {

// A key handle as advapi32 passes it; 0 is no key.
using KeyHandle = std::uintptr_t;

// A predefined root handle from its 32-bit value, sign-extended as Windows does.
constexpr KeyHandle RootKey(std::int32_t value) {
    return static_cast<KeyHandle>(static_cast<std::intptr_t>(value));
}
constexpr std::int32_t kLocalMachine = static_cast<std::int32_t>(0x80000002u);

constexpr std::uint32_t kKeyRead = 0x20019;   // READ_CONTROL, query value, enumerate, notify
constexpr std::uint32_t kTypeText = 1;        // REG_SZ
constexpr std::uint32_t kTypeExpandText = 2;  // REG_EXPAND_SZ
constexpr std::uint32_t kTypeNumber = 4;      // REG_DWORD
constexpr std::int32_t kStatusSuccess = 0;
constexpr std::int32_t kStatusNotFound = 2;       // ERROR_FILE_NOT_FOUND
constexpr std::int32_t kStatusAccessDenied = 5;   // ERROR_ACCESS_DENIED
constexpr std::int32_t kStatusInvalidHandle = 6;  // ERROR_INVALID_HANDLE
constexpr std::int32_t kStatusMoreData = 234;     // ERROR_MORE_DATA

std::int32_t RegOpenKeyExA(KeyHandle hKey, const char* lpSubKey, std::uint32_t ulOptions, std::uint32_t samDesired,
                           KeyHandle* phkResult);
std::int32_t RegQueryValueExA(KeyHandle hKey, const char* lpValueName, std::uint32_t* lpReserved, std::uint32_t* lpType,
                              unsigned char* lpData, std::uint32_t* lpcbData);
std::int32_t RegCloseKey(KeyHandle hKey);

}  // namespace platform
