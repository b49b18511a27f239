#pragma once
// Reading a data file whole, and only when it is a plain file. A FIFO, a
// device, a socket or a folder under a data file's name would block the
// program or make no sense as text: each is refused at once with a German
// reason naming it, never opened for a blocking read. A file opened is
// opened without blocking and checked again (fstat) before it is read, so
// nothing swapped in between the look and the open gets through.

#include <optional>
#include <string>

/// The bytes of `fileName` (a link to a plain file counts as that file).
/// Throws FileNotFoundError when nothing is there, FileAccessError with the
/// reason when it is no plain file, a link to nothing, or cannot be read.
std::string ReadRegularFile(const std::string& fileName);

/// Like ReadRegularFile, but a missing file (nothing at all under its name)
/// gives nothing instead of an error.
std::optional<std::string> ReadRegularFileIfPresent(const std::string& fileName);

/// Like ReadRegularFileIfPresent, naming `shownName` in its errors and
/// giving the file's permission bits in `mode` when it is there.
std::optional<std::string> ReadRegularFileIfPresent(const std::string& fileName, const std::string& shownName,
                                                    unsigned& mode);

/// True when `a` and `b` name one file: the same file reached (through links
/// or other names), or, where one is missing, the same path once made
/// absolute and resolved.
bool IsSameFile(const std::string& a, const std::string& b);
