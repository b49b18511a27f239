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
// A file is only ever changed whole, through its twin ("objects2.dat"):
// the new content goes into a freshly created twin, is synced to the disk,
// and the twin is renamed over the file in one step. At every moment the
// file holds its old or its new content, never a mixture.

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
    /// FileAccessError when it cannot be read, EncodingError when it is
    /// UTF-8 with a character Windows-1252 cannot hold.
    explicit TextFileReader(const std::string& fileName);

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

private:
    std::string fileName_;
    std::shared_ptr<const std::string> content_;
    size_t position_ = 0;
    int lineNumber_ = 0;
};

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

/// "objects.dat" -> "objects2.dat": the twin a file is rewritten through.
std::string TwinName(const std::string& fileName);

/// Rewrites a file whole: `produce` reads the old content and writes the new
/// one; then ReplaceFileContent stores it. When `produce` or a file
/// operation throws, the file stays untouched.
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

/// Replaces the content of `fileName` (which must exist) through its twin:
/// a stale twin is removed, the twin is created anew without following a
/// link, gets the file's permission bits, receives `content`, is synced and
/// renamed over the file. A file that is a symbolic link is replaced at its
/// target, the twin standing in the target's folder. On any failure the twin
/// is removed and FileAccessError reports it; the file is then unchanged.
/// A file without write permission is refused the same way, even where the
/// folder would allow the rename.
void ReplaceFileContent(const std::string& fileName, std::string_view content);

/// Stores `content` as the file `path` all or nothing, like
/// ReplaceFileContent, for a file that need not exist yet (it is then
/// created with the permission bits the umask leaves of 0666) and a twin the
/// caller may name: `twinFor` gets the path that is really replaced (a
/// link's target) and returns the twin's path, in the same folder; without
/// it the twin is the "2" twin beside the target.
void WriteFileThroughTwin(const std::string& path, std::string_view content,
                          const std::function<std::string(const std::string& target)>& twinFor = {});

/// The copy loop of every rewrite: copies the rest of the old file line by
/// line; like a loop with its test at the end, it copies at least one line,
/// so an exhausted file contributes one empty line.
void CopyRemainingLines(TextFileReader& oldFile, TextFileWriter& twin);
