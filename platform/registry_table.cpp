#include "platform/registry_table.h"

#include <algorithm>
#include <cstring>

#include "platform/registry.h"

namespace platform {
namespace {

RegistryTable* installed = nullptr;
std::map<KeyHandle, std::string> openHandles;  // handle -> key path as stored
KeyHandle nextHandle = 0x100;

// What Windows grants an ordinary user under HKEY_LOCAL_MACHINE: KEY_READ
// (0x20019), in either registry view (KEY_WOW64_64KEY, KEY_WOW64_32KEY).
// Asking for more, write rights included, is refused as it is there. Written
// out here rather than taken from the launcher's own mask, so that the table
// stays the system's side of the boundary.
constexpr std::uint32_t kGrantedToUsers = 0x20019 | 0x0100 | 0x0200;

bool SameText(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

template <class Map>
auto FindIgnoringCase(Map& map, const std::string& name) {
    return std::find_if(map.begin(), map.end(), [&](const auto& entry) { return SameText(entry.first, name); });
}

}  // namespace

void InstallRegistryTable(RegistryTable* table) {
    installed = table;
    openHandles.clear();
}

std::int32_t RegOpenKeyExA(KeyHandle hKey, const char* lpSubKey, std::uint32_t, std::uint32_t samDesired,
                           KeyHandle* phkResult) {
    *phkResult = 0;
    if (!installed || hKey != RootKey(kLocalMachine) || !lpSubKey) return kStatusNotFound;
    const auto key = FindIgnoringCase(installed->keys, lpSubKey);
    if (key == installed->keys.end()) return kStatusNotFound;
    installed->accessMasks.push_back(samDesired);
    if ((samDesired & ~kGrantedToUsers) != 0) return kStatusAccessDenied;
    *phkResult = nextHandle++;
    openHandles[*phkResult] = key->first;
    ++installed->openKeys;
    return kStatusSuccess;
}

std::int32_t RegQueryValueExA(KeyHandle hKey, const char* lpValueName, std::uint32_t*, std::uint32_t* lpType,
                              unsigned char* lpData, std::uint32_t* lpcbData) {
    const auto handle = openHandles.find(hKey);
    if (!installed || handle == openHandles.end()) return kStatusInvalidHandle;
    const std::string name = lpValueName ? lpValueName : "";
    installed->queried.push_back(handle->second + "\\" + name);
    auto& values = installed->keys[handle->second];
    const auto value = FindIgnoringCase(values, name);
    if (value == values.end()) return kStatusNotFound;
    const auto size = static_cast<std::uint32_t>(value->second.data.size());
    if (lpType) *lpType = value->second.type;
    if (lpData && lpcbData && *lpcbData < size) {
        *lpcbData = size;
        return kStatusMoreData;
    }
    if (lpData) std::memcpy(lpData, value->second.data.data(), size);
    if (lpcbData) *lpcbData = size;
    return kStatusSuccess;
}

std::int32_t RegCloseKey(KeyHandle hKey) {
    if (!installed || openHandles.erase(hKey) == 0) return kStatusInvalidHandle;
    --installed->openKeys;
    return kStatusSuccess;
}

}  // namespace platform
