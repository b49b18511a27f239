#include "platform/file_identity.h"

#include <sys/stat.h>

#include <algorithm>
#include <ctime>

namespace {

constexpr long long kNanosecondsPerSecond = 1000000000LL;

long long Nanoseconds(const timespec& time)
{
    return static_cast<long long>(time.tv_sec) * kNanosecondsPerSecond + time.tv_nsec;
}

}  // namespace

std::optional<FileIdentity> IdentifyFile(const std::string& fileName)
{
    struct stat info {};
    if (::stat(fileName.c_str(), &info) != 0) return std::nullopt;
    return FileIdentity{static_cast<unsigned long long>(info.st_dev), static_cast<unsigned long long>(info.st_ino),
                        static_cast<long long>(info.st_size), Nanoseconds(info.st_mtim), Nanoseconds(info.st_ctim)};
}

long long FileClockNow()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return Nanoseconds(now);
}

bool SettledBeforeRead(const FileIdentity& identity, long long readStart, std::chrono::nanoseconds settle)
{
    // The inode change time cannot be set back by a program, unlike the
    // modification time; the later of both counts.
    const long long lastChange = std::max(identity.ModifiedNanoseconds, identity.ChangedNanoseconds);
    return lastChange < readStart - settle.count();
}
