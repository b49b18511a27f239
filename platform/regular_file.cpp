#include "platform/regular_file.h"

#include "platform/errors.h"
#include "platform/file_messages.h"
#include "platform/file_operations.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <filesystem>

namespace {

// Where a link points, as it is written in it.
std::string LinkText(const std::string& link)
{
    char target[PATH_MAX];
    const ssize_t length = ::readlink(link.c_str(), target, sizeof target);
    return length > 0 ? std::string(target, static_cast<size_t>(length)) : std::string("?");
}

}  // namespace

std::optional<std::string> ReadRegularFileIfPresent(const std::string& fileName, const std::string& shownName,
                                                    unsigned& mode)
{
    // A look first, so that a device or a FIFO is never even opened (opening
    // a device may do something, a FIFO without a writer would wait).
    struct stat info {};
    if (Files().Lstat(fileName.c_str(), &info) != 0) {
        if (errno == ENOENT) return std::nullopt;
        ThrowReadError(shownName, errno);
    }
    const bool link = S_ISLNK(info.st_mode);
    if (!link && !S_ISREG(info.st_mode)) ThrowReadRefusal(shownName, OddFileReason(shownName, info.st_mode));

    const int fd = Files().Open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0);
    if (fd < 0) {
        const int error = errno;
        if (link && error == ENOENT) ThrowReadRefusal(shownName, DanglingLinkReason(shownName, LinkText(fileName)));
        if (error == ENXIO) ThrowReadRefusal(shownName, OddFileReason(shownName, S_IFSOCK));
        ThrowReadError(shownName, error);
    }
    auto fail = [&](const std::string& reason) {
        Files().Close(fd);
        ThrowReadRefusal(shownName, reason);
    };
    if (Files().Fstat(fd, &info) != 0) fail(ErrorReason(errno));
    if (!S_ISREG(info.st_mode)) fail(OddFileReason(shownName, info.st_mode));
    mode = info.st_mode & 07777;

    std::string content;
    if (info.st_size > 0) content.reserve(static_cast<size_t>(info.st_size));
    char chunk[65536];
    for (;;) {
        const ssize_t got = Files().Read(fd, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) continue;
            fail(ErrorReason(errno == ENOENT ? EIO : errno));
        }
        if (got == 0) break;
        content.append(chunk, static_cast<size_t>(got));
    }
    Files().Close(fd);  // nothing was written: a failing close loses nothing
    return content;
}

std::optional<std::string> ReadRegularFileIfPresent(const std::string& fileName)
{
    unsigned mode = 0;
    return ReadRegularFileIfPresent(fileName, fileName, mode);
}

std::string ReadRegularFile(const std::string& fileName)
{
    std::optional<std::string> content = ReadRegularFileIfPresent(fileName);
    if (!content) throw FileNotFoundError(fileName);
    return std::move(*content);
}

bool IsSameFile(const std::string& a, const std::string& b)
{
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error) && !error) return true;
    const std::filesystem::path first = std::filesystem::weakly_canonical(a, error);
    if (error) return false;
    const std::filesystem::path second = std::filesystem::weakly_canonical(b, error);
    return !error && first == second;
}
