#include "platform/file_lock.h"

#include "platform/file_messages.h"
#include "platform/file_operations.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <thread>

namespace {

std::chrono::milliseconds patience = kFileLockPatience;

// The longest pause between two tries: short against the patience, long
// enough not to keep a processor busy.
constexpr std::chrono::milliseconds kLongestPause{20};

constexpr const char* kInUse = "ein anderes Programm ändert die Datei gerade";

}  // namespace

void SetFileLockPatience(std::chrono::milliseconds wait) { patience = wait; }

std::string LockFileOf(const std::string& target)
{
    const size_t slash = target.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    return target.substr(0, nameStart) + "." + target.substr(nameStart) + ".sperre";
}

FileChangeLock::FileChangeLock(const std::string& target, const std::string& shownName, bool fileExists)
    : path_(LockFileOf(target))
{
    const auto deadline = std::chrono::steady_clock::now() + patience;
    std::chrono::milliseconds pause{1};
    for (;;) {
        fd_ = Files().Open(path_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
        // Another user's lock file in a shared folder may be readable only;
        // a lock on it works all the same.
        if (fd_ < 0 && errno == EACCES) {
            fd_ = Files().Open(path_.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0);
            if (fd_ < 0) errno = EACCES;  // the folder's, not that no lock file is there
        }
        if (fd_ < 0) {
            const int error = errno;
            struct stat odd {};
            if (Files().Lstat(path_.c_str(), &odd) == 0 && !S_ISREG(odd.st_mode))
                ThrowWriteRefusal(shownName, OddFileReason(path_, odd.st_mode), fileExists);
            ThrowWriteError(shownName, error, fileExists);
        }
        auto fail = [&](const std::string& reason) {
            Files().Close(fd_);
            fd_ = -1;
            ThrowWriteRefusal(shownName, reason, fileExists);
        };
        struct stat held {};
        if (Files().Fstat(fd_, &held) != 0) fail(ErrorReason(errno));
        if (!S_ISREG(held.st_mode)) fail(OddFileReason(path_, held.st_mode));

        if (Files().Flock(fd_, LOCK_EX | LOCK_NB) == 0) {
            // The writer before may have removed the lock file after it was
            // opened here: a lock on a removed file keeps nobody out, so
            // the lock file now under that name is taken instead.
            struct stat now {};
            if (Files().Lstat(path_.c_str(), &now) == 0) {
                if (now.st_dev == held.st_dev && now.st_ino == held.st_ino) return;
            } else if (errno != ENOENT) {
                fail(ErrorReason(errno));
            }
            Files().Close(fd_);
            fd_ = -1;
            if (std::chrono::steady_clock::now() >= deadline) ThrowWriteRefusal(shownName, kInUse, fileExists);
            continue;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) fail(ErrorReason(errno));
        Files().Close(fd_);
        fd_ = -1;
        if (std::chrono::steady_clock::now() >= deadline) ThrowWriteRefusal(shownName, kInUse, fileExists);
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, kLongestPause);
    }
}

FileChangeLock::~FileChangeLock()
{
    // Removed while still held, so that nobody can take a lock on it after
    // it is gone. The change is done by now: a failure here changes nothing.
    Files().Unlink(path_.c_str());
    Files().Close(fd_);
}
