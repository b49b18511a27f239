#include "platform/file_change.h"

#include "platform/errors.h"
#include "platform/file_lock.h"
#include "platform/file_messages.h"
#include "platform/file_operations.h"
#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <optional>

namespace {

// Hidden twins tried before a change gives up: a folder holding this many
// is no place to write to.
constexpr int kHiddenTwinsTried = 100;

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// "<folder>/" or "" for a bare name, and the name.
std::pair<std::string, std::string> SplitPath(const std::string& path)
{
    const size_t slash = path.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    return {path.substr(0, nameStart), path.substr(nameStart)};
}

// The file that really gets changed, and whether it is there: a symbolic
// link is followed to its target, so the link stays a link. Anything but a
// plain file or nothing at all under the name is refused here, before any
// lock or twin is made.
struct ChangedFile {
    std::string target;
    bool exists = false;
};

ChangedFile ChangedPath(const std::string& path, bool mayCreate)
{
    // A change that cannot create the file reads it first, and says so.
    auto refuse = [&](const std::string& reason) {
        if (mayCreate) ThrowWriteRefusal(path, reason, false);
        ThrowReadRefusal(path, reason);
    };
    struct stat info {};
    if (Files().Lstat(path.c_str(), &info) != 0) {
        if (errno == ENOENT) return {path, false};
        ThrowReadError(path, errno);
    }
    std::string target = path;
    if (S_ISLNK(info.st_mode)) {
        std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
        if (!resolved) {
            if (errno != ENOENT) ThrowReadError(path, errno);
            char written[PATH_MAX];
            const ssize_t length = ::readlink(path.c_str(), written, sizeof written);
            refuse(DanglingLinkReason(path, length > 0 ? std::string(written, static_cast<size_t>(length)) : "?"));
        }
        target = resolved.get();
        if (Files().Lstat(target.c_str(), &info) != 0) ThrowReadError(path, errno);
    }
    if (!S_ISREG(info.st_mode)) refuse(OddFileReason(path, info.st_mode));
    return {target, true};
}

// Syncs the folder so that a rename survives a power failure. The file is
// already replaced by then, so a failure here is no failure of the change.
void SyncFolder(const std::string& folder)
{
    const int fd = Files().Open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0) return;
    Files().Fsync(fd);
    Files().Close(fd);
}

bool WriteAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t written = Files().Write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        content.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// What a change reports: the name the user gave, and whether the file was
// there (so that "die Datei ist unverändert" is only said of a file).
struct Shown {
    const std::string& name;
    bool existed;
};

constexpr int kTwinFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;

// The twin, created anew and open for writing; its path goes to `twin`.
int CreateTwin(const std::string& target, ChangeRules::TwinKind kind, mode_t permissions, const Shown& shown,
               std::string& twin)
{
    const auto [folder, name] = SplitPath(target);
    if (kind == ChangeRules::TwinKind::Numbered) {
        // Under the lock a twin can only be left from an interrupted
        // change. It is removed, never followed: were it a link, writing
        // through it would change whatever it points to.
        twin = folder + TwinName(name);
        if (Files().Unlink(twin.c_str()) != 0 && errno != ENOENT) {
            const int error = errno;
            struct stat odd {};
            if (Files().Lstat(twin.c_str(), &odd) == 0 && S_ISDIR(odd.st_mode))
                ThrowWriteRefusal(shown.name, OddFileReason(twin, odd.st_mode), shown.existed);
            ThrowWriteError(shown.name, error, shown.existed);
        }
        const int fd = Files().Open(twin.c_str(), kTwinFlags, permissions & 0777);
        if (fd < 0) ThrowWriteError(shown.name, errno, shown.existed);
        return fd;
    }
    // In a folder of the user's choice nothing is removed that this change
    // did not make.
    for (int number = 0; number < kHiddenTwinsTried; ++number) {
        twin = folder + "." + name + (number ? "." + std::to_string(number) : "") + ".neu";
        const int fd = Files().Open(twin.c_str(), kTwinFlags, permissions & 0777);
        if (fd >= 0) return fd;
        if (errno != EEXIST) ThrowWriteError(shown.name, errno, shown.existed);
    }
    ThrowWriteError(shown.name, EEXIST, shown.existed);
}

// Stores `content` under `target` through a new twin carrying
// `permissions`, synced and renamed over it. On any failure the twin is
// removed and the error names the file as shown.
void StoreThroughTwin(const std::string& target, ChangeRules::TwinKind kind, mode_t permissions,
                      std::string_view content, const Shown& shown)
{
    std::string twin;
    const int fd = CreateTwin(target, kind, permissions, shown, twin);
    auto fail = [&](bool open) {
        const int error = errno;
        if (open) Files().Close(fd);
        Files().Unlink(twin.c_str());
        ThrowWriteError(shown.name, error, shown.existed);
    };
    // The creation mode passes through the umask; the twin must carry the
    // file's own bits.
    if (Files().Fchmod(fd, permissions) != 0) fail(true);
    if (!WriteAll(fd, content)) fail(true);
    if (Files().Fsync(fd) != 0) fail(true);
    if (Files().Close(fd) != 0) fail(false);
    if (Files().Rename(twin.c_str(), target.c_str()) != 0) fail(false);
    SyncFolder(FolderOf(target));
}

// A file its owner made read-only is left alone, even where the folder
// would let its twin be renamed over it (and for root, whom the bits do
// not stop).
void RefuseWriteProtected(const std::string& shownName, const std::string& target, mode_t mode)
{
    if ((mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)
        ThrowWriteRefusal(shownName, "die Datei ist schreibgeschützt", true);
}

mode_t NewFilePermissions()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

std::string TwinName(const std::string& fileName)
{
    const size_t dot = fileName.rfind('.');
    if (dot == std::string::npos) return fileName + "2";
    return fileName.substr(0, dot) + "2" + fileName.substr(dot);
}

std::string HiddenTwinPath(const std::string& path)
{
    const auto [folder, name] = SplitPath(path);
    return folder + "." + name + ".neu";
}

void ChangeFile(const std::string& path, const ChangeRules& rules, const MakeContent& make)
{
    const auto [target, seen] = ChangedPath(path, rules.MayCreate);
    if (!seen && !rules.MayCreate) throw FileNotFoundError(path);
    FileChangeLock lock(target, path, seen);

    // Read under the lock: whether the file is there, and what it holds,
    // is what the previous writer left.
    unsigned mode = 0;
    const std::optional<std::string> old = ReadRegularFileIfPresent(target, path, mode);
    if (!old && !rules.MayCreate) throw FileNotFoundError(path);
    if (old) RefuseWriteProtected(path, target, mode);
    const std::string content = make(old ? &*old : nullptr);
    StoreThroughTwin(target, rules.Twin, old ? mode : NewFilePermissions(), content, {path, old.has_value()});
}
