#pragma once
// File operations that fail on purpose: the k-th call of one kind (open,
// write, fsync, close, rename ...) fails with an I/O error, a full disk or a
// short write; every call is recorded, so tests can also check the order of
// the calls.

#include "platform/file_operations.h"

#include <array>
#include <string>
#include <vector>

enum class FileCall { Open, Read, Write, Fsync, Fchmod, Close, Rename, Unlink, Flock, Fstat, Lstat };
inline constexpr std::array kAllFileCalls = {FileCall::Open,   FileCall::Read,  FileCall::Write,  FileCall::Fsync,
                                             FileCall::Fchmod, FileCall::Close, FileCall::Rename, FileCall::Unlink,
                                             FileCall::Flock,  FileCall::Fstat, FileCall::Lstat};

const char* FileCallName(FileCall call);

enum class Fault {
    IoError,    ///< EIO
    DiskFull,   ///< ENOSPC
    ShortWrite  ///< a write stores half of its bytes, the next one finds the disk full
};

const char* FaultName(Fault fault);

/// One recorded call: its kind, the descriptor it worked on (or returned),
/// and the path it named, if any.
struct RecordedCall {
    FileCall call;
    int fd;
    std::string path;
};

class FaultyFileOperations : public FileOperations {
public:
    /// Fails the `number`-th call (counted from 1) of kind `call`; 0 fails none.
    void FailAt(FileCall call, int number, Fault fault);

    const std::vector<RecordedCall>& Calls() const { return calls_; }
    int Count(FileCall call) const;
    /// True once the planned failure has happened.
    bool Failed() const { return failed_; }

    int Open(const char* path, int flags, mode_t mode) override;
    ssize_t Read(int fd, void* buffer, size_t size) override;
    ssize_t Write(int fd, const void* data, size_t size) override;
    int Fsync(int fd) override;
    int Fchmod(int fd, mode_t mode) override;
    int Close(int fd) override;
    int Rename(const char* from, const char* to) override;
    int Unlink(const char* path) override;
    int Flock(int fd, int operation) override;
    int Fstat(int fd, struct stat* info) override;
    int Lstat(const char* path, struct stat* info) override;

private:
    /// Records the call; true when it is the one to fail (errno set).
    bool Fails(FileCall call, int fd, const char* path);

    std::vector<RecordedCall> calls_;
    FileCall failCall_ = FileCall::Open;
    int failNumber_ = 0;
    Fault fault_ = Fault::IoError;
    bool failed_ = false;
    bool diskFullAfterShortWrite_ = false;
};
