#include <windows.h>

#include "platform/registry.h"

namespace platform {
namespace {

HKEY Native(KeyHandle key) {
    return reinterpret_cast<HKEY>(key);
}

}  // namespace

std::int32_t RegOpenKeyExA(KeyHandle hKey, const char* lpSubKey, std::uint32_t ulOptions, std::uint32_t samDesired,
                           KeyHandle* phkResult) {
    HKEY opened = nullptr;
    const LONG status = ::RegOpenKeyExA(Native(hKey), lpSubKey, ulOptions, samDesired, &opened);
    *phkResult = reinterpret_cast<KeyHandle>(opened);
    return status;
}

std::int32_t RegQueryValueExA(KeyHandle hKey, const char* lpValueName, std::uint32_t* lpReserved, std::uint32_t* lpType,
                              unsigned char* lpData, std::uint32_t* lpcbData) {
    DWORD type = 0;
    DWORD size = lpcbData ? *lpcbData : 0;
    const LONG status = ::RegQueryValueExA(Native(hKey), lpValueName, reinterpret_cast<LPDWORD>(lpReserved), &type,
                                           lpData, lpcbData ? &size : nullptr);
    if (lpType) *lpType = type;
    if (lpcbData) *lpcbData = size;
    return status;
}

std::int32_t RegCloseKey(KeyHandle hKey) {
    return ::RegCloseKey(Native(hKey));
}

}  // namespace platform
