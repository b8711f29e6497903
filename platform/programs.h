#pragma once

// Files and programs as the About window's launcher sees them. Paths come in
// Windows form: elsewhere a backslash separates folders as on Windows.
#include <string>

namespace platform {

// Whether `path` names an ordinary file: not a folder, not hidden, not a
// system file. On Windows by its attributes; elsewhere a regular file whose
// name does not start with a dot.
bool IsOrdinaryFile(const std::string& path);

// Starts the program file `path`, exactly that file and without arguments,
// as a process of its own with a normal, activated window, and does not wait
// for it. False when it could not be started.
bool StartProgram(const std::string& path);

}  // namespace platform
