#pragma once
// A whole text file written to a place the user chose, all or nothing.

#include <string>
#include <vector>

/// Writes `lines` (UTF-8) as the file `path`: Windows-1252, each line ended
/// by CR LF.
///
/// The lines go to a hidden twin in the same folder (".<name>.neu", see
/// platform/file_change.h), which is synced and then renamed over `path` in
/// one step, under the file's lock; so `path` holds either its old content
/// or the whole new one, never a part. A twin named after the file with a
/// "2" (as the program's own data files use) could be a file of the user's
/// in a folder of their choice; the hidden name is unlikely to be one, and
/// a file of that name is never removed all the same.
///
/// Throws EncodingError, before anything is written, when a line holds a
/// character Windows-1252 cannot store, and FileAccessError ("Schreiben von
/// <path> nicht möglich …") when the folder cannot take the file or `path`
/// is no plain file (a folder, a FIFO, a link to nothing), or is one of the
/// program's own files in the working folder (objects.dat, places.dat,
/// mirelta.ini, messungen.csv, under any name or link); the twin is removed
/// then and `path` stays as it was.
void WriteExportedFile(const std::string& path, const std::vector<std::string>& lines);

/// Writes `bytes` as the file `path` in the same way.
void WriteExportedBytes(const std::string& path, const std::string& bytes);
