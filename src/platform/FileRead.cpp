#include "platform/FileRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// Closes the descriptor on every way out.
class CDescriptor {
public:
    explicit CDescriptor(int fd) : m_fd(fd) {}
    CDescriptor(const CDescriptor&) = delete;
    CDescriptor& operator=(const CDescriptor&) = delete;
    ~CDescriptor() {
        if (m_fd >= 0) close(m_fd);
    }
    int Get() const { return m_fd; }

private:
    int m_fd;
};

std::string KindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "is a folder, not a file";
    if (S_ISFIFO(mode)) return "is a FIFO, not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "is a device, not a file";
    return "is not a regular file";
}

std::string Megabytes(size_t bytes) {
    return std::to_string(bytes >> 20) + " MiB";
}

// Reads up to maxBytes + 1, so a file that grew past its stat size is caught too.
bool ReadAll(int fd, size_t expected, size_t maxBytes, std::string& bytes, std::string& error) {
    bytes.assign(expected, '\0');
    size_t got = 0;
    while (true) {
        if (got == bytes.size()) bytes.resize(std::min(bytes.size() + 4096, maxBytes + 1));
        if (got == bytes.size()) break;
        const ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return error = std::string("cannot read: ") + std::strerror(errno), false;
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    bytes.resize(got);
    if (got > maxBytes) return error = "is larger than " + Megabytes(maxBytes), false;
    return true;
}

// O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
// The kind is taken from the open descriptor, so a link is judged by what it
// points at (a link to /dev/zero is a device).
bool ReadFile(const std::string& path, size_t maxBytes, std::string& bytes, std::string& error,
              bool& missing) {
    bytes.clear();
    const CDescriptor fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    missing = fd.Get() < 0 && errno == ENOENT;
    if (fd.Get() < 0) return error = std::string("cannot open: ") + std::strerror(errno), false;
    struct stat info {};
    if (fstat(fd.Get(), &info) != 0)
        return error = std::string("cannot read: ") + std::strerror(errno), false;
    if (!S_ISREG(info.st_mode)) return error = KindOf(info.st_mode), false;
    if (static_cast<uintmax_t>(info.st_size) > maxBytes)
        return error = "is larger than " + Megabytes(maxBytes), false;
    return ReadAll(fd.Get(), static_cast<size_t>(info.st_size), maxBytes, bytes, error);
}

}  // namespace

bool CFileRead::ReadWhole(const std::string& path, size_t maxBytes, std::string& bytes,
                          std::string& error) {
    bool missing = false;
    return ReadFile(path, maxBytes, bytes, error, missing);
}

bool CFileRead::ReadOrSay(const std::string& path, size_t maxBytes, std::string& bytes) {
    std::string error;
    bool missing = false;
    if (ReadFile(path, maxBytes, bytes, error, missing)) return true;
    if (!missing) std::fprintf(stderr, "tabi: %s: %s\n", path.c_str(), error.c_str());
    return false;
}

bool CFileRead::ReadStart(const std::string& path, size_t count, std::string& bytes) {
    bytes.clear();
    const CDescriptor fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (fd.Get() < 0 || fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    bytes.assign(count, '\0');
    ssize_t n = 0;
    do {
        n = pread(fd.Get(), bytes.data(), count, 0);
    } while (n < 0 && errno == EINTR);
    if (n < 0) return false;
    bytes.resize(static_cast<size_t>(n));
    return true;
}
