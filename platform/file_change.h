#pragma once
// Changing a file all or nothing, one writer at a time: under the file's
// lock (platform/file_lock.h) its old content is read, the new content is
// made from it, written to a twin in the same folder, synced and renamed
// over the file in one step. At every moment the file holds its old or its
// new content; a change another writer made meanwhile is never overwritten,
// because nobody else changes the file between the reading and the rename.
//
// A file that is a symbolic link is changed at its target (the twin and the
// lock lie beside the target). Anything but a plain file under the name (a
// folder, a FIFO, a device, a link to nothing) is refused with its reason
// before anything is opened for writing.

#include <functional>
#include <string>

/// How a change names its twin and treats a file that is not there.
struct ChangeRules {
    /// A missing file is created (with the permission bits the umask leaves
    /// of 0666); without this it is FileNotFoundError.
    bool MayCreate = false;
    enum class TwinKind {
        /// The "2" twin beside the file ("objects2.dat"), as the program's
        /// own data files use; one left by an interrupted change is removed.
        Numbered,
        /// A hidden ".<name>.neu" for files in folders of the user's choice,
        /// where a "2" twin could be a file of the user's. A file of that
        /// name is never removed: the next free ".<name>.<n>.neu" is taken.
        Hidden,
    };
    TwinKind Twin = TwinKind::Numbered;
};

/// The new content of a file from its old bytes (nullptr when the file does
/// not exist yet). May throw; the file then stays as it is.
using MakeContent = std::function<std::string(const std::string* oldBytes)>;

/// Changes `path` all or nothing. Throws FileNotFoundError, FileAccessError
/// with a German reason (the file is then unchanged, or was not created),
/// or whatever `make` throws. A file without write permission is refused,
/// even where the folder would allow the rename.
void ChangeFile(const std::string& path, const ChangeRules& rules, const MakeContent& make);

/// "objects.dat" -> "objects2.dat": the twin a file is rewritten through.
std::string TwinName(const std::string& fileName);

/// ".plan.csv.neu": the first hidden twin tried for "plan.csv"; the folder
/// is kept.
std::string HiddenTwinPath(const std::string& path);
