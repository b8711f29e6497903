#pragma once

// Where there is no Windows registry, the registry functions read this
// table. The program installs none, so every look-up fails there; tests
// install one with keys and values, and read back what the program did.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace platform {

struct RegistryTable {
    struct Value {
        std::uint32_t type = 0;
        std::string data;  // the stored bytes, a text's terminating zero included if stored
    };
    // Key paths below HKEY_LOCAL_MACHINE, and value names; both compare without
    // regard to ASCII case, as Windows does.
    std::map<std::string, std::map<std::string, Value>> keys;

    // What the program did, in order.
    std::vector<std::string> queried;  // "key path\value name", each query
    std::vector<std::uint32_t> accessMasks;
    int openKeys = 0;  // opened and not yet closed
};

// Installs `table` for the registry functions of this process; nullptr
// restores the empty registry.
void InstallRegistryTable(RegistryTable* table);

}  // namespace platform
