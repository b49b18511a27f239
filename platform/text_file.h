#pragma once
// The program's line-oriented data files.
//
// Files are opened by bare name, so they are found in the current
// directory. Their bytes are Windows-1252; lines are written with CR LF and
// read up to CR LF or a lone LF. Reading past the last line yields an empty
// text, never an error. A file that a text editor saved as UTF-8 (all of it
// well-formed UTF-8, with characters beyond ASCII) is read as UTF-8; the
// next rewrite stores it as Windows-1252 again.
//
// A file is only ever changed whole, through its twin ("objects2.dat"),
// one writer at a time (platform/file_change.h): the new content goes into
// a freshly created twin, is synced to the disk, and the twin is renamed
// over the file in one step. At every moment the file holds its old or its
// new content, never a mixture. Only plain files are read
// (platform/regular_file.h).

#include "platform/file_change.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

/// A whole file read in one go; lines are handed out as views into it, so
/// scanning a file allocates nothing per line. A copy shares the bytes and
/// reads on from where the original stands, on its own.
class TextFileReader {
public:
    /// Where a reader stands: the next byte and the number of the line read last.
    struct Position {
        size_t Offset = 0;
        int LineNumber = 0;
    };

    /// Reads the file. Throws FileNotFoundError when it does not exist,
    /// FileAccessError when it is no plain file or cannot be read,
    /// EncodingError when it is UTF-8 with a character Windows-1252 cannot
    /// hold.
    explicit TextFileReader(const std::string& fileName);

    /// The file's bytes as read already (`fileName` names it in messages).
    TextFileReader(const std::string& fileName, std::string bytes);

    /// The bytes exactly as they are, a UTF-8 file included: for a file
    /// whose UTF-8 text Windows-1252 cannot hold, read and kept as UTF-8.
    static TextFileReader AsIs(const std::string& fileName, std::string bytes);

    /// The next line's bytes (Windows-1252) without its line end; empty at
    /// the end.
    std::string_view ReadRawLine();

    /// The next line converted to UTF-8.
    std::string ReadLine();

    /// Skips `count` lines.
    void SkipLines(int count);

    /// True when no byte is left to read.
    bool AtEnd() const { return position_ >= content_->size(); }

    /// True when nothing but empty (or blank) lines is left: record loops
    /// stop here, so an empty line after the last record makes no record.
    bool AtEndOfRecords() const;

    /// The number of the line read last, counted from 1.
    int LastLineNumber() const { return lineNumber_; }

    /// The bytes not read yet, exactly as they stand.
    std::string_view RemainingBytes() const { return std::string_view(*content_).substr(position_); }

    /// Where the reader stands, and a return there (or to where a reader of
    /// the same bytes stood).
    Position Tell() const { return {position_, lineNumber_}; }
    void Seek(Position position)
    {
        position_ = position.Offset;
        lineNumber_ = position.LineNumber;
    }

    const std::string& FileName() const { return fileName_; }

    /// The file's bytes as they were read, before a UTF-8 file was turned
    /// into Windows-1252.
    const std::string& OriginalBytes() const { return *original_; }

private:
    friend TextFileReader ReadTextKeepingUtf8(const std::string&, std::string, std::string&);
    TextFileReader() = default;

    std::string fileName_;
    std::shared_ptr<const std::string> original_;
    std::shared_ptr<const std::string> content_;  ///< the same as original_ unless converted
    size_t position_ = 0;
    int lineNumber_ = 0;
};

/// Reads `bytes` as the converting constructor does, except that UTF-8 text
/// Windows-1252 cannot hold is kept as UTF-8 (as AsIs does, after a byte
/// order mark) instead of refused; `utf8Reason` then gets what the
/// constructor would have thrown ("messungen.csv, Zeile 5: …"), and stays
/// empty otherwise.
TextFileReader ReadTextKeepingUtf8(const std::string& fileName, std::string bytes, std::string& utf8Reason);

/// The new content of a file, collected line by line before anything is
/// written.
class TextFileWriter {
public:
    /// Writes bytes unchanged followed by CR LF.
    void WriteRawLine(std::string_view bytes);

    /// Writes bytes unchanged.
    void WriteRawBytes(std::string_view bytes) { content_.append(bytes); }

    const std::string& Content() const { return content_; }

private:
    std::string content_;
};

/// A text for a line of a data file, as Windows-1252 bytes. Throws
/// EncodingError with a message naming `field` when the text holds a control
/// character (a line break would split the record), is not well-formed UTF-8,
/// or holds a character the code page cannot store.
std::string EncodeField(std::string_view utf8, std::string_view field);

/// Rewrites a file whole: `produce` reads the old content and writes the new
/// one, which is stored through the twin, all under the file's lock. When
/// `produce` or a file operation throws, the file stays untouched.
void RewriteThroughTwin(const std::string& fileName,
                        const std::function<void(TextFileReader& oldFile, TextFileWriter& twin)>& produce);

/// Appends a record at the end of an existing file of records of
/// `linesPerRecord` lines, all or nothing: the old content and the new lines
/// go through the twin like a rewrite. The new record starts where a record
/// must start: a truncated last record is filled up with empty lines (as it
/// reads), a last line without its line end gets one, and empty lines after
/// the last record, which no reader takes for a record, are dropped.
void AppendThroughTwin(const std::string& fileName, int linesPerRecord,
                       const std::function<void(TextFileWriter& end)>& produce);

/// The old lines of `oldFile` up to the end of its last record, as
/// AppendThroughTwin keeps them before the new record.
void CopyWholeRecords(TextFileReader& oldFile, int linesPerRecord, TextFileWriter& twin);

/// Replaces the content of `fileName` (which must exist) through its twin,
/// under its lock: a stale twin is removed, the twin is created anew without
/// following a link, gets the file's permission bits, receives `content`, is
/// synced and renamed over the file. A file that is a symbolic link is
/// replaced at its target, the twin standing in the target's folder. On any
/// failure the twin is removed and FileAccessError reports it; the file is
/// then unchanged. A file without write permission is refused the same way,
/// even where the folder would allow the rename.
void ReplaceFileContent(const std::string& fileName, std::string_view content);

/// The copy loop of every rewrite: copies the rest of the old file line by
/// line; like a loop with its test at the end, it copies at least one line,
/// so an exhausted file contributes one empty line.
void CopyRemainingLines(TextFileReader& oldFile, TextFileWriter& twin);
