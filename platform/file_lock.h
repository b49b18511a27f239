#pragma once
// One writer at a time. Every change of a file (read the old content,
// write the twin, rename it over the file) holds an advisory lock (flock)
// from the reading to the rename, so that two copies of the program saving
// into one folder never both build on the same old content and one of the
// changes silently disappears.
//
// The lock lies on a hidden file beside the file (".messungen.csv.sperre"),
// so that a file that does not exist yet can be locked too. The holder
// removes it before letting go; whoever got the lock on a file already
// removed starts again, so two writers never hold locks on different files
// of the same name. A lock file left by a killed process holds no lock (the
// system lets go of it) and is taken over.
//
// Programs that change the file without this lock (a shell loop appending
// with >>) are not held back; their changes can still be lost.

#include <chrono>
#include <string>

/// How long a writer waits for another one to finish before it gives up.
inline constexpr std::chrono::milliseconds kFileLockPatience{2000};

/// Sets that time (tests shorten it).
void SetFileLockPatience(std::chrono::milliseconds patience);

/// The lock file of `target`: ".<name>.sperre" in its folder.
std::string LockFileOf(const std::string& target);

class FileChangeLock {
public:
    /// Takes the lock for changing `target` (a path without links), waiting
    /// at most the patience. Throws FileAccessError naming `shownName` when
    /// another writer holds it that long ("ein anderes Programm ändert die
    /// Datei gerade") or the lock file cannot be made; `fileExists` says
    /// which ending the message gets.
    FileChangeLock(const std::string& target, const std::string& shownName, bool fileExists);
    ~FileChangeLock();
    FileChangeLock(const FileChangeLock&) = delete;
    FileChangeLock& operator=(const FileChangeLock&) = delete;

private:
    std::string path_;
    int fd_ = -1;
};
