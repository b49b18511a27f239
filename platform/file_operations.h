#pragma once
// The system calls the data files are read and replaced with, behind one
// seam: the program uses the real ones; tests put in a recorder or make a
// chosen call fail (an I/O error, a full disk, a short write) to prove that
// a file is always left whole, either as it was or as it should become, or
// report what stat would say about a file (as a file system with coarse or
// missing times does).

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>

/// The calls, named after their POSIX counterparts, with their results and
/// errno as those give them.
class FileOperations {
public:
    virtual ~FileOperations() = default;

    virtual int Open(const char* path, int flags, mode_t mode);
    virtual ssize_t Read(int fd, void* buffer, size_t size);
    virtual ssize_t Write(int fd, const void* data, size_t size);
    virtual int Fsync(int fd);
    virtual int Fchmod(int fd, mode_t mode);
    virtual int Close(int fd);
    virtual int Rename(const char* from, const char* to);
    virtual int Unlink(const char* path);
    virtual int Flock(int fd, int operation);
    virtual int Fstat(int fd, struct stat* info);
    virtual int Lstat(const char* path, struct stat* info);
};

/// The operations in use: the real ones unless a test installed others.
FileOperations& Files();

/// Installs `operations` (nullptr: the real ones again) and returns the
/// ones it replaces.
FileOperations* InstallFileOperations(FileOperations* operations);

/// Installs operations for the lifetime of a scope.
class ScopedFileOperations {
public:
    explicit ScopedFileOperations(FileOperations& operations) : previous_(InstallFileOperations(&operations)) {}
    ~ScopedFileOperations() { InstallFileOperations(previous_); }
    ScopedFileOperations(const ScopedFileOperations&) = delete;
    ScopedFileOperations& operator=(const ScopedFileOperations&) = delete;

private:
    FileOperations* previous_;
};
