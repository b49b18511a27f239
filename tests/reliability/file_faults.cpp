#include "tests/reliability/file_faults.h"

#include <cerrno>

const char* FileCallName(FileCall call)
{
    constexpr const char* kNames[] = {"open",   "read",   "write", "fsync", "fchmod", "close",
                                      "rename", "unlink", "flock", "fstat", "lstat"};
    return kNames[static_cast<int>(call)];
}

const char* FaultName(Fault fault)
{
    switch (fault) {
        case Fault::IoError:
            return "EIO";
        case Fault::DiskFull:
            return "ENOSPC";
        case Fault::ShortWrite:
            return "short write";
    }
    return "?";
}

void FaultyFileOperations::FailAt(FileCall call, int number, Fault fault)
{
    failCall_ = call;
    failNumber_ = number;
    fault_ = fault;
}

int FaultyFileOperations::Count(FileCall call) const
{
    int count = 0;
    for (const RecordedCall& recorded : calls_) count += recorded.call == call;
    return count;
}

bool FaultyFileOperations::Fails(FileCall call, int fd, const char* path)
{
    calls_.push_back({call, fd, path ? path : ""});
    if (call != failCall_ || Count(call) != failNumber_) return false;
    failed_ = true;
    errno = fault_ == Fault::IoError ? EIO : ENOSPC;
    return true;
}

int FaultyFileOperations::Open(const char* path, int flags, mode_t mode)
{
    if (Fails(FileCall::Open, -1, path)) return -1;
    int fd = FileOperations::Open(path, flags, mode);
    calls_.back().fd = fd;
    return fd;
}

ssize_t FaultyFileOperations::Read(int fd, void* buffer, size_t size)
{
    if (Fails(FileCall::Read, fd, nullptr)) return -1;
    return FileOperations::Read(fd, buffer, size);
}

ssize_t FaultyFileOperations::Write(int fd, const void* data, size_t size)
{
    if (diskFullAfterShortWrite_) {
        calls_.push_back({FileCall::Write, fd, ""});
        diskFullAfterShortWrite_ = false;
        errno = ENOSPC;
        return -1;
    }
    bool failing = Fails(FileCall::Write, fd, nullptr);
    if (failing && fault_ == Fault::ShortWrite && size > 1) {
        diskFullAfterShortWrite_ = true;
        return FileOperations::Write(fd, data, size / 2);
    }
    if (failing) return -1;
    return FileOperations::Write(fd, data, size);
}

int FaultyFileOperations::Fsync(int fd)
{
    if (Fails(FileCall::Fsync, fd, nullptr)) return -1;
    return FileOperations::Fsync(fd);
}

int FaultyFileOperations::Fchmod(int fd, mode_t mode)
{
    if (Fails(FileCall::Fchmod, fd, nullptr)) return -1;
    return FileOperations::Fchmod(fd, mode);
}

int FaultyFileOperations::Close(int fd)
{
    if (Fails(FileCall::Close, fd, nullptr)) {
        // A failing close releases the descriptor all the same (Linux).
        FileOperations::Close(fd);
        errno = fault_ == Fault::IoError ? EIO : ENOSPC;
        return -1;
    }
    return FileOperations::Close(fd);
}

int FaultyFileOperations::Rename(const char* from, const char* to)
{
    if (Fails(FileCall::Rename, -1, from)) return -1;
    return FileOperations::Rename(from, to);
}

int FaultyFileOperations::Unlink(const char* path)
{
    if (Fails(FileCall::Unlink, -1, path)) return -1;
    return FileOperations::Unlink(path);
}

int FaultyFileOperations::Flock(int fd, int operation)
{
    if (Fails(FileCall::Flock, fd, nullptr)) return -1;
    return FileOperations::Flock(fd, operation);
}

int FaultyFileOperations::Fstat(int fd, struct stat* info)
{
    if (Fails(FileCall::Fstat, fd, nullptr)) return -1;
    return FileOperations::Fstat(fd, info);
}

int FaultyFileOperations::Lstat(const char* path, struct stat* info)
{
    if (Fails(FileCall::Lstat, -1, path)) return -1;
    return FileOperations::Lstat(path, info);
}
