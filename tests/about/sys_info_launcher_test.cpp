// The System Information launcher against a filled registry table and real
// files and programs in a scratch folder.
#include "ui/about/sys_info_launcher.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/registry.h"
#include "platform/registry_table.h"

namespace {

namespace fs = std::filesystem;
using Value = platform::RegistryTable::Value;

const std::string kFirstKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kSecondKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const std::string kFirstQuery = kFirstKey + "\\PATH";
const std::string kSecondQuery = kSecondKey + "\\MSINFO";

Value Text(const std::string& text) {
    return {platform::kTypeText, text + '\0'};
}

// A scratch folder whose programs note each start in a marker file.
class Scratch {
public:
    Scratch() : dir_(fs::temp_directory_path() / ("sysinfo-test-" + std::to_string(::getpid()))) {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    ~Scratch() { fs::remove_all(dir_); }
    // Fills in "{dir}" in a value's text.
    std::string Fill(std::string text) const {
        for (auto at = text.find("{dir}"); at != std::string::npos; at = text.find("{dir}"))
            text.replace(at, 5, dir_.string());
        return text;
    }

    // A program at `relative` that appends its own path to the marker.
    void Program(const std::string& relative) const {
        const fs::path path = dir_ / relative;
        std::ofstream(path) << "#!/bin/sh\necho \"$0\" >> '" << (dir_ / "started").string() << "'\n";
        fs::permissions(path, fs::perms::owner_all);
    }
    // The first program started, waiting a moment for a detached start; only
    // a whole line, ended by its newline, counts.
    std::string Started(bool expectStart) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(expectStart ? 10 : 1);
        for (;;) {
            std::ifstream in(dir_ / "started");
            const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (const auto end = content.find('\n'); end != std::string::npos) return content.substr(0, end);
            if (std::chrono::steady_clock::now() >= deadline) return {};
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

private:
    fs::path dir_;
};

struct SequenceCase {
    const char* name;
    std::optional<Value> first;   // SOFTWARE\...\MSINFO, value PATH
    std::optional<Value> second;  // SOFTWARE\...\Shared Tools Location, value MSINFO
    const char* started;          // "" when nothing may start
    std::vector<std::string> queried;
    std::vector<std::string> programs = {"MSINFO32.EXE"};  // made in the scratch folder
};

const SequenceCase kSequence[] = {
    // Started as read, without a test: a dot name would fail the file test.
    {"first names a program", Text("{dir}/.tool"), Text("{dir}"), "{dir}/.tool", {kFirstQuery}, {".tool"}},
    {"first names a missing file", Text("{dir}/gone"), Text("{dir}"), "", {kFirstQuery}},
    // Found, but the path stays empty, and the start of nothing fails.
    {"first of type 2", Value{platform::kTypeExpandText, "{dir}/MSINFO32.EXE"}, Text("{dir}"), "", {kFirstQuery}},
    {"folder holds the tool", std::nullopt, Text("{dir}"), "{dir}/MSINFO32.EXE", {kSecondQuery}},
    {"folder ends in a backslash", std::nullopt, Text("{dir}\\"), "{dir}//MSINFO32.EXE", {kSecondQuery}},
    {"folder without the tool", std::nullopt, Text("{dir}"), "", {kSecondQuery}, {}},
    {"both missing", std::nullopt, std::nullopt, "", {}, {}},
    // 1025 bytes do not fit the buffer: the first look-up fails, the second is tried.
    {"first too long", Text(std::string(1024, 'x')), Text("{dir}"), "{dir}/MSINFO32.EXE", {kFirstQuery, kSecondQuery}},
    {"first of size zero", Value{platform::kTypeText, ""}, Text("{dir}"), "", {kFirstQuery}},
};

TEST(Launcher, Sequence) {
    for (const SequenceCase& c : kSequence) {
        SCOPED_TRACE(c.name);
        Scratch local;
        for (const std::string& program : c.programs) local.Program(program);
        platform::RegistryTable filled;
        if (c.first) filled.keys[kFirstKey]["PATH"] = {c.first->type, local.Fill(c.first->data)};
        if (c.second) filled.keys[kSecondKey]["MSINFO"] = {c.second->type, local.Fill(c.second->data)};
        platform::InstallRegistryTable(&filled);

        std::vector<std::string> messages;
        sysinfo::StartSysInfo("Movelant", [&](auto& text, auto& title) { messages.push_back(title + ": " + text); });
        const bool expectStart = *c.started != '\0';
        EXPECT_EQ(local.Started(expectStart), local.Fill(c.started));
        EXPECT_EQ(messages, std::vector<std::string>(expectStart ? 0 : 1, "Movelant: 此时系统信息不可用"));
        EXPECT_EQ(filled.queried, c.queried);
        EXPECT_EQ(filled.openKeys, 0) << "a key was left open";
        // KEY_READ, the most an ordinary user gets under the local-machine root.
        for (std::uint32_t mask : filled.accessMasks) EXPECT_EQ(mask, 0x20019u);
        platform::InstallRegistryTable(nullptr);
    }
}

struct ReadCase {
    const char* name;
    std::optional<Value> stored;  // of value "Value" in key "Key"; nullopt: no such value
    bool result;
    std::string read;                  // KeyVal afterwards, the caller having passed "previous"
    const char* key = "key";           // names compare without case
    std::uint32_t root = 0x80000002u;  // HKEY_LOCAL_MACHINE
};

const ReadCase kReads[] = {
    {"text", Text("C:\\tools\\msinfo32.exe"), true, "C:\\tools\\msinfo32.exe"},
    {"1024 bytes with the zero", Text(std::string(1023, 'a')), true, std::string(1023, 'a')},
    {"1024 bytes without a zero", Value{platform::kTypeText, std::string(1024, 'a')}, true, std::string(1024, 'a')},
    {"1025 bytes", Text(std::string(1024, 'a')), false, ""},
    // A number reads as its decimal digits, not mixed with what was passed in.
    {"number", Value{platform::kTypeNumber, std::string("\x03\x02\x01\x00", 4)}, true, "66051"},
    {"number with inner zero bytes", Value{platform::kTypeNumber, std::string("\x00\x01\x00\x01", 4)}, true,
     "16777472"},
    {"largest number", Value{platform::kTypeNumber, "\xFF\xFF\xFF\xFF"}, true, "4294967295"},
    {"other type keeps the caller's text", Value{platform::kTypeExpandText, "%SystemRoot%"}, true, "previous"},
    {"missing value", std::nullopt, false, ""},
    {"missing key", Text("x"), false, "", "Missing"},
    {"under HKEY_CURRENT_USER", Text("x"), false, "", "key", 0x80000001u},
    // A zero-size value is an error for the caller; the key is closed even so.
    {"size zero throws", Value{platform::kTypeText, ""}, false, "throws"},
};

TEST(Launcher, GetKeyValue) {
    for (const ReadCase& c : kReads) {
        SCOPED_TRACE(c.name);
        platform::RegistryTable filled;
        filled.keys["Key"];
        if (c.stored) filled.keys["Key"]["Value"] = *c.stored;
        platform::InstallRegistryTable(&filled);
        auto root = static_cast<std::int32_t>(c.root);
        std::string key = c.key, value = "VALUE", read = "previous";
        try {
            EXPECT_EQ(sysinfo::GetKeyValue(root, key, value, read), c.result);
        } catch (const std::invalid_argument&) {
            read = "throws";
        }
        EXPECT_EQ(read, c.read);
        EXPECT_EQ(filled.openKeys, 0);
        platform::InstallRegistryTable(nullptr);
    }
}

}  // namespace
