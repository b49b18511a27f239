#pragma once
// Whether a file is still the one read earlier, told without reading it:
// what stat gives about it (device, inode, size, and the times of its last
// change to the nanosecond) stays the same only while nobody writes it.
//
// Times stored by the file system are coarse (a clock tick, up to seconds on
// some), so a change in the same tick as an earlier one may leave them as
// they were. Content read from a file is therefore reused only when the file
// had settled before it was read: its last change lay a safe while before.

#include <chrono>
#include <optional>
#include <string>

struct FileIdentity {
    unsigned long long Device = 0;
    unsigned long long Inode = 0;
    long long Size = 0;
    long long ModifiedNanoseconds = 0;  ///< since the epoch
    long long ChangedNanoseconds = 0;   ///< inode change time, since the epoch

    bool operator==(const FileIdentity&) const = default;
};

/// The identity of `fileName` as it is now (a link is followed); nothing
/// when it cannot be told (the file is missing, or stat fails).
std::optional<FileIdentity> IdentifyFile(const std::string& fileName);

/// The wall-clock time file systems stamp their times from, in the same unit.
long long FileClockNow();

/// True when a file of `identity`, read from `readStart` (FileClockNow()
/// taken before the identity), had settled: its last change lies at least
/// `settle` before the read began, so any later change stamps new times.
bool SettledBeforeRead(const FileIdentity& identity, long long readStart, std::chrono::nanoseconds settle);
