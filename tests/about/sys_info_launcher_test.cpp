// The System Information launcher against a filled registry table and real
// files and programs in a scratch folder.
#include "ui/about/sys_info_launcher.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/programs.h"
#include "platform/registry.h"
#include "platform/registry_table.h"

namespace {

namespace fs = std::filesystem;
using Value = platform::RegistryTable::Value;

const std::string kFirstKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kSecondKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

Value Text(const std::string& text) { return {platform::kTypeText, text + '\0'}; }

// A scratch folder with a program that notes each start in a marker file.
class Scratch {
public:
    Scratch() {
        dir_ = fs::temp_directory_path() / ("sysinfo-test-" + std::to_string(::getpid()) + "-" + std::to_string(count_++));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    ~Scratch() { fs::remove_all(dir_); }
    std::string Dir() const { return dir_.string(); }
    std::string Marker() const { return (dir_ / "started").string(); }

    // Writes a program at `relative` that appends its own path to the marker.
    std::string Program(const std::string& relative) const {
        const fs::path path = dir_ / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path) << "#!/bin/sh\necho \"$0\" >> '" << Marker() << "'\n";
        fs::permissions(path, fs::perms::owner_all);
        return path.string();
    }
    // What was started, waiting a moment for a detached start to run. The
    // marker may exist before the program has written its line into it, so
    // only a whole line, ended by its newline, counts.
    std::string Started(bool expectStart) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(expectStart ? 10 : 1);
        for (;;) {
            std::ifstream in(Marker());
            const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            const auto end = content.find('\n');
            if (end != std::string::npos) return content.substr(0, end);
            if (std::chrono::steady_clock::now() >= deadline) return {};
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

private:
    fs::path dir_;
    static inline int count_ = 0;
};

// Fills in "{dir}" in a value's text.
std::string Fill(std::string text, const Scratch& scratch) {
    for (auto at = text.find("{dir}"); at != std::string::npos; at = text.find("{dir}")) text.replace(at, 5, scratch.Dir());
    return text;
}

struct Message {
    int count = 0;
    std::string text, title;
};

class Launcher : public ::testing::Test {
protected:
    void SetUp() override { platform::InstallRegistryTable(&table); }
    void TearDown() override { platform::InstallRegistryTable(nullptr); }

    Message Run() {
        Message message;
        sysinfo::StartSysInfo("Movelant", [&](const std::string& text, const std::string& title) {
            ++message.count;
            message.text = text;
            message.title = title;
        });
        return message;
    }

    platform::RegistryTable table;
    Scratch scratch;
};

struct SequenceCase {
    const char* name;
    std::vector<const char*> programs;  // made in the scratch folder
    std::vector<const char*> folders;   // made in the scratch folder
    std::optional<Value> first;         // SOFTWARE\...\MSINFO, value PATH
    std::optional<Value> second;        // SOFTWARE\...\Shared Tools Location, value MSINFO
    const char* started;                // "" when nothing may start
    std::vector<std::string> queried;
};

const std::string kFirstQuery = kFirstKey + "\\PATH";
const std::string kSecondQuery = kSecondKey + "\\MSINFO";

const SequenceCase kSequence[] = {
    // Started as read, without a test: a dot name would fail the file test.
    {"first names a program", {".tool"}, {}, Text("{dir}/.tool"), Text("{dir}"), "{dir}/.tool", {kFirstQuery}},
    {"first names a missing file", {"MSINFO32.EXE"}, {}, Text("{dir}/gone"), Text("{dir}"), "", {kFirstQuery}},
    // Found, but the path stays empty, and the start of nothing fails.
    {"first of type 2", {"MSINFO32.EXE"}, {}, Value{platform::kTypeExpandText, "{dir}/MSINFO32.EXE"}, Text("{dir}"),
     "", {kFirstQuery}},
    {"folder holds the tool", {"MSINFO32.EXE"}, {}, std::nullopt, Text("{dir}"), "{dir}/MSINFO32.EXE",
     {kSecondQuery}},
    {"folder ends in a backslash", {"MSINFO32.EXE"}, {}, std::nullopt, Text("{dir}\\"), "{dir}//MSINFO32.EXE",
     {kSecondQuery}},
    {"folder without the tool", {}, {}, std::nullopt, Text("{dir}"), "", {kSecondQuery}},
    {"folder named MSINFO32.EXE", {}, {"MSINFO32.EXE"}, std::nullopt, Text("{dir}"), "", {kSecondQuery}},
    {"both missing", {}, {}, std::nullopt, std::nullopt, "", {}},
    // 1025 bytes do not fit the buffer: the first look-up fails, the second is tried.
    {"first of 1025 bytes", {"MSINFO32.EXE"}, {}, Text(std::string(1024, 'x')), Text("{dir}"),
     "{dir}/MSINFO32.EXE", {kFirstQuery, kSecondQuery}},
    {"first of size zero", {"MSINFO32.EXE"}, {}, Value{platform::kTypeText, ""}, Text("{dir}"), "", {kFirstQuery}},
};

TEST_F(Launcher, Sequence) {
    for (const SequenceCase& c : kSequence) {
        SCOPED_TRACE(c.name);
        Scratch local;
        for (const char* program : c.programs) local.Program(program);
        for (const char* folder : c.folders) fs::create_directories(fs::path(local.Dir()) / folder);
        platform::RegistryTable filled;
        if (c.first) filled.keys[kFirstKey]["PATH"] = {c.first->type, Fill(c.first->data, local)};
        if (c.second) filled.keys[kSecondKey]["MSINFO"] = {c.second->type, Fill(c.second->data, local)};
        platform::InstallRegistryTable(&filled);

        const Message message = Run();
        const bool expectStart = *c.started != '\0';
        EXPECT_EQ(local.Started(expectStart), Fill(c.started, local));
        EXPECT_EQ(message.count, expectStart ? 0 : 1);
        if (!expectStart) {
            EXPECT_EQ(message.text, "此时系统信息不可用");
            EXPECT_EQ(message.title, "Movelant");
        }
        EXPECT_EQ(filled.queried, c.queried);
        EXPECT_EQ(filled.openKeys, 0) << "a key was left open";
        // KEY_READ, the most an ordinary user gets under the local-machine root.
        for (std::uint32_t mask : filled.accessMasks) EXPECT_EQ(mask, 0x20019u);
    }
}

TEST_F(Launcher, PressedAgainRunsAgainFromTheStart) {
    table.keys[kSecondKey]["MSINFO"] = Text(scratch.Dir());
    EXPECT_EQ(Run().count, 1);
    scratch.Program("MSINFO32.EXE");
    EXPECT_EQ(Run().count, 0);
    EXPECT_EQ(scratch.Started(true), scratch.Dir() + "/MSINFO32.EXE");
}

struct ReadCase {
    const char* name;
    std::optional<Value> stored;  // nullopt: no such value in the key
    bool result;
    std::string read;  // KeyVal afterwards, the caller having passed "previous"
};

const ReadCase kReads[] = {
    {"text", Text("C:\\tools\\msinfo32.exe"), true, "C:\\tools\\msinfo32.exe"},
    {"text stored without its zero", Value{platform::kTypeText, "abc"}, true, "abc"},
    {"1023 bytes with the zero", Text(std::string(1022, 'a')), true, std::string(1022, 'a')},
    {"1024 bytes with the zero", Text(std::string(1023, 'a')), true, std::string(1023, 'a')},
    {"1024 bytes without a zero", Value{platform::kTypeText, std::string(1024, 'a')}, true, std::string(1024, 'a')},
    {"1025 bytes", Text(std::string(1024, 'a')), false, ""},
    // A number reads as its decimal digits, not mixed with what was passed in.
    {"number", Value{platform::kTypeNumber, std::string("\x03\x02\x01\x00", 4)}, true, "66051"},
    {"number with inner zero bytes", Value{platform::kTypeNumber, std::string("\x00\x01\x00\x01", 4)}, true, "16777472"},
    {"number zero", Value{platform::kTypeNumber, std::string(4, '\0')}, true, "0"},
    {"largest number", Value{platform::kTypeNumber, "\xFF\xFF\xFF\xFF"}, true, "4294967295"},
    {"other type keeps the caller's text", Value{platform::kTypeExpandText, "%SystemRoot%"}, true, "previous"},
    {"missing value", std::nullopt, false, ""},
};

TEST_F(Launcher, GetKeyValue) {
    for (const ReadCase& c : kReads) {
        SCOPED_TRACE(c.name);
        platform::RegistryTable filled;
        filled.keys["Key"];
        if (c.stored) filled.keys["Key"]["Value"] = *c.stored;
        platform::InstallRegistryTable(&filled);
        std::int32_t root = platform::kLocalMachine;
        std::string key = "key", value = "VALUE", read = "previous";  // names compare without case
        EXPECT_EQ(sysinfo::GetKeyValue(root, key, value, read), c.result);
        EXPECT_EQ(read, c.read);
        EXPECT_EQ(filled.openKeys, 0);
    }
}

TEST_F(Launcher, GetKeyValueFailures) {
    table.keys["Denied"]["Value"] = Text("x");
    table.deniedKeys = {"Denied"};
    table.keys["Empty"]["Value"] = Value{platform::kTypeText, ""};
    std::int32_t root = platform::kLocalMachine;
    std::string value = "Value", read = "previous";

    for (std::string key : {"Missing", "Denied"}) {
        read = "previous";
        EXPECT_FALSE(sysinfo::GetKeyValue(root, key, value, read)) << key;
        EXPECT_EQ(read, "") << key;
    }
    std::int32_t otherRoot = static_cast<std::int32_t>(0x80000001u);  // HKEY_CURRENT_USER
    std::string empty = "Empty";
    EXPECT_FALSE(sysinfo::GetKeyValue(otherRoot, empty, value, read));
    // A zero-size value is an error for the caller; the key is closed even so.
    EXPECT_THROW(sysinfo::GetKeyValue(root, empty, value, read), std::invalid_argument);
    EXPECT_EQ(table.openKeys, 0);
}

TEST(Programs, OrdinaryFileTest) {
    Scratch scratch;
    scratch.Program("tool");
    scratch.Program(".hidden");
    fs::create_directories(fs::path(scratch.Dir()) / "folder");
    const struct {
        std::string path;
        bool ordinary;
    } cases[] = {
        {scratch.Dir() + "/tool", true},
        {scratch.Dir() + "\\tool", true},  // the launcher's Windows separator
        {scratch.Dir() + "/.hidden", false},
        {scratch.Dir() + "/folder", false},
        {scratch.Dir() + "/missing", false},
        {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(platform::IsOrdinaryFile(c.path), c.ordinary) << c.path;
}

TEST(Programs, StartFailsForWhatCannotRun) {
    Scratch scratch;
    std::ofstream(fs::path(scratch.Dir()) / "notes.txt") << "not a program\n";
    EXPECT_FALSE(platform::StartProgram(""));
    EXPECT_FALSE(platform::StartProgram(scratch.Dir() + "/missing"));
    EXPECT_FALSE(platform::StartProgram(scratch.Dir() + "/notes.txt"));
    EXPECT_FALSE(platform::StartProgram(scratch.Dir()));
}

}  // namespace
