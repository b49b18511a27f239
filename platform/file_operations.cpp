#include "platform/file_operations.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>

namespace {

FileOperations& RealOperations()
{
    static FileOperations real;
    return real;
}

FileOperations* installed = nullptr;

}  // namespace

int FileOperations::Open(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }

ssize_t FileOperations::Read(int fd, void* buffer, size_t size) { return ::read(fd, buffer, size); }

ssize_t FileOperations::Write(int fd, const void* data, size_t size) { return ::write(fd, data, size); }

int FileOperations::Fsync(int fd) { return ::fsync(fd); }

int FileOperations::Fchmod(int fd, mode_t mode) { return ::fchmod(fd, mode); }

int FileOperations::Close(int fd) { return ::close(fd); }

int FileOperations::Rename(const char* from, const char* to) { return std::rename(from, to); }

int FileOperations::Unlink(const char* path) { return ::unlink(path); }

int FileOperations::Flock(int fd, int operation) { return ::flock(fd, operation); }

int FileOperations::Fstat(int fd, struct stat* info) { return ::fstat(fd, info); }

int FileOperations::Lstat(const char* path, struct stat* info) { return ::lstat(path, info); }

FileOperations& Files() { return installed ? *installed : RealOperations(); }

FileOperations* InstallFileOperations(FileOperations* operations)
{
    FileOperations* previous = installed;
    installed = operations;
    return previous;
}
