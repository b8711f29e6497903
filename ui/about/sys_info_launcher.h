#pragma once

// The About window's System Information button: finds the system information
// tool through the registry and starts it, or says that it is unavailable.
// Free of Qt, so that the same code runs against the Windows registry.
#include <cstdint>
#include <functional>
#include <string>

namespace sysinfo {

// Shows the unavailability message, with the application title as caption,
// modal to the About window, and returns once it is dismissed.
using ShowMessage = std::function<void(const std::string& text, const std::string& title)>;

inline constexpr const char* kUnavailable = "此时系统信息不可用";

// Reads value `SubKeyRef` of key `KeyName` below root `KeyRoot` into
// `KeyVal`: a text as stored (its terminating zero dropped), a 32-bit number
// as its decimal digits, any other type leaves `KeyVal` as passed. True when
// the key opened and the value was read; false leaves `KeyVal` empty. A value
// of size 0 throws std::invalid_argument. The key is closed on every path.
bool GetKeyValue(std::int32_t& KeyRoot, std::string& KeyName, std::string& SubKeyRef, std::string& KeyVal);

// The whole sequence: the tool's path from the first registry value, else
// its folder from the second (and then only if MSINFO32.EXE is there as an
// ordinary file), then the start. Whatever fails ends in one message.
void StartSysInfo(const std::string& appTitle, const ShowMessage& showMessage);

}  // namespace sysinfo
