#include "engine/util/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>

namespace Util {

size_t fileSize(const std::string& path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return 0;
    const auto count = file.tellg();
    return count < 0 ? 0 : size_t(count);
}

bool readTextFile(const std::string& path, std::string& text, const std::string& separator) {
    if (fileSize(path) == 0) return false;
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        text += line;
        text += line.empty() ? std::string("\n") : separator;
    }
    return true;
}

namespace {

bool writeAll(int descriptor, const std::string& contents) {
    for (size_t written = 0; written < contents.size();) {
        const ssize_t count = ::write(descriptor, contents.data() + written, contents.size() - written);
        if (count < 0 && errno != EINTR) return false;
        if (count > 0) written += size_t(count);
    }
    return true;
}

// A player who made the file read-only keeps it so.
bool takeModeOf(int descriptor, const std::string& path) {
    struct stat old {};
    if (::stat(path.c_str(), &old) != 0 || !S_ISREG(old.st_mode)) return true;
    return ::fchmod(descriptor, old.st_mode & 07777) == 0;
}

}  // namespace

bool replaceFile(const std::string& path, const std::string& contents, std::string& reason) {
    const std::string temporary = path + ".tmp";
    const int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        reason = std::strerror(errno);
        return false;
    }
    bool done = writeAll(descriptor, contents) && ::fsync(descriptor) == 0 && takeModeOf(descriptor, path);
    if (!done) reason = std::strerror(errno);
    if (::close(descriptor) != 0 && done) {
        done = false;
        reason = std::strerror(errno);
    }
    if (done && ::rename(temporary.c_str(), path.c_str()) != 0) {
        done = false;
        reason = std::strerror(errno);
    }
    if (!done) ::unlink(temporary.c_str());
    return done;
}

}  // namespace Util
