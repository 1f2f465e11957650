#include "platform/paths/PrivateFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/paths/Paths.h"

namespace platform {

namespace {

std::string ErrorText(int error) {
    char buf[256];
    const char* text = ::strerror_r(error, buf, sizeof buf);
    return text ? std::string(text) : std::string();
}

bool Fail(std::string* why, const std::string& text) {
    if (why != nullptr) *why = text;
    return false;
}

}  // namespace

bool MakePrivateFolder(const std::string& path, std::string* why) {
    if (path.empty()) return Fail(why, "no folder given");
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return Fail(why, "the folder " + path + " cannot be made: " + ErrorText(errno));
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return Fail(why, "the folder " + path + " cannot be reached: " + ErrorText(errno));
    if (!S_ISDIR(st.st_mode)) return Fail(why, path + " is not a folder");
    if ((st.st_mode & 07777) != 0700 && ::chmod(path.c_str(), 0700) != 0)
        return Fail(why, "the folder " + path + " cannot be made private: " + ErrorText(errno));
    return true;
}

std::FILE* OpenPrivateFile(const std::string& path, const char* mode) {
    if (path.empty() || mode == nullptr || (mode[0] != 'w' && mode[0] != 'a')) return nullptr;
    int flags = O_CREAT | O_CLOEXEC | (mode[0] == 'w' ? O_TRUNC : O_APPEND);
    flags |= std::strchr(mode, '+') != nullptr ? O_RDWR : O_WRONLY;
    const int fd = ::open(path.c_str(), flags, 0600);
    if (fd < 0) return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || ((st.st_mode & 07777) != 0600 && ::fchmod(fd, 0600) != 0)) {
        ::close(fd);
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, mode);
    if (file == nullptr) ::close(fd);
    return file;
}

bool MakeFilePrivate(const std::string& path) { return !path.empty() && ::chmod(path.c_str(), 0600) == 0; }

int FileMode(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return -1;
    return static_cast<int>(st.st_mode & 07777);
}

}  // namespace platform
