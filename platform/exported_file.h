#pragma once
// A whole text file written to a place the user chose, all or nothing.

#include <string>
#include <vector>

/// Writes `lines` (UTF-8) as the file `path`: Windows-1252, each line ended
/// by CR LF.
///
/// The lines go to a hidden twin in the same folder (".<name>.neu"), which
/// is synced and then renamed over `path` in one step; so `path` holds
/// either its old content or the whole new one, never a part. A twin named
/// after the file with a "2" (as the program's own data files use) could be
/// a file of the user's in a folder of their choice; the hidden name cannot
/// be mistaken for one.
///
/// Throws EncodingError, before anything is written, when a line holds a
/// character Windows-1252 cannot store, and FileAccessError ("Schreiben von
/// <path> nicht möglich …") when the folder cannot take the file; the twin is
/// removed then and `path` stays as it was.
void WriteExportedFile(const std::string& path, const std::vector<std::string>& lines);

/// The twin WriteExportedFile writes through: ".<name>.neu" beside `path`.
std::string ExportTwinPath(const std::string& path);
