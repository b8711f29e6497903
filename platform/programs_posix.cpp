#include <sys/stat.h>

#include <QProcess>
#include <QString>
#include <algorithm>

#include "platform/programs.h"

namespace platform {
namespace {

// The launcher joins folders and file names with a backslash, as on Windows.
std::string NativePath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

}  // namespace

bool IsOrdinaryFile(const std::string& path) {
    const std::string native = NativePath(path);
    struct stat status = {};
    if (stat(native.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
    const std::string name = native.substr(native.find_last_of('/') + 1);
    return !name.empty() && name.front() != '.';
}

bool StartProgram(const std::string& path) {
    if (path.empty()) return false;
    return QProcess::startDetached(QString::fromLocal8Bit(NativePath(path)), {});
}

}  // namespace platform
