#include "ui/about/sys_info_launcher.h"

#include <array>
#include <stdexcept>

#include "platform/programs.h"
#include "platform/registry.h"

namespace sysinfo {
namespace {

constexpr std::uint32_t kBufferSize = 1024;

// Closes the key when GetKeyValue leaves, by any path, also the zero-size
// error; closing the 0 handle of a failed open is harmless.
class KeyCloser {
public:
    explicit KeyCloser(const platform::KeyHandle& key) : key_(key) {}
    ~KeyCloser() { platform::RegCloseKey(key_); }
    KeyCloser(const KeyCloser&) = delete;
    KeyCloser& operator=(const KeyCloser&) = delete;

private:
    const platform::KeyHandle& key_;
};

}  // namespace

bool GetKeyValue(std::int32_t& KeyRoot, std::string& KeyName, std::string& SubKeyRef, std::string& KeyVal) {
    platform::KeyHandle key = 0;
    const KeyCloser closer(key);

    // Read access only: nothing here writes, and asking for more would fail
    // for every user without administrator rights.
    if (platform::RegOpenKeyExA(platform::RootKey(KeyRoot), KeyName.c_str(), 0, platform::kKeyRead, &key) !=
        platform::kStatusSuccess) {
        KeyVal.clear();
        return false;
    }
    std::array<unsigned char, kBufferSize> buffer{};
    std::uint32_t size = kBufferSize;
    std::uint32_t type = 0;
    if (platform::RegQueryValueExA(key, SubKeyRef.c_str(), nullptr, &type, buffer.data(), &size) !=
        platform::kStatusSuccess) {
        KeyVal.clear();
        return false;
    }
    if (size == 0 || size > kBufferSize) throw std::invalid_argument("registry value of size 0");

    // A text's stored size counts its terminating zero; a value stored
    // without one keeps all its bytes.
    const std::uint32_t length = buffer[size - 1] == 0 ? size - 1 : size;
    if (type == platform::kTypeText) {
        KeyVal.assign(reinterpret_cast<const char*>(buffer.data()), length);
    } else if (type == platform::kTypeNumber) {
        std::uint32_t number = 0;
        for (std::uint32_t i = 0; i < length && i < 4; ++i) number |= std::uint32_t{buffer[i]} << (8 * i);
        KeyVal = std::to_string(number);
    }
    return true;
}

void StartSysInfo(const std::string& appTitle, const ShowMessage& showMessage) {
    try {
        std::int32_t root = platform::kLocalMachine;
        std::string toolPath;
        std::string key = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
        std::string value = "PATH";
        // A path read from the first value is started as it is, unchecked.
        if (!GetKeyValue(root, key, value, toolPath)) {
            key = "SOFTWARE\\Microsoft\\Shared Tools Location";
            value = "MSINFO";
            if (!GetKeyValue(root, key, value, toolPath)) throw std::runtime_error("no system information key");
            const std::string program = toolPath + "\\MSINFO32.EXE";
            if (!platform::IsOrdinaryFile(program)) throw std::runtime_error("no MSINFO32.EXE in its folder");
            toolPath = program;
        }
        if (!platform::StartProgram(toolPath)) throw std::runtime_error("system information did not start");
    } catch (...) {
        // The one error trap of the program: whatever went wrong, the user
        // learns only that system information is unavailable now.
        showMessage(kUnavailable, appTitle);
    }
}

}  // namespace sysinfo
