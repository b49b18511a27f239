#pragma once
// The program's line-oriented data files.
//
// Files are opened by bare name, so they are found in the current
// directory. Their bytes are Windows-1252; lines are written with CR LF and
// read up to CR LF or a lone LF. Reading past the last line yields an empty
// text, never an error.

#include <functional>
#include <string>
#include <string_view>

/// A whole file read in one go; lines are handed out as views into it, so
/// scanning a file allocates nothing per line.
class TextFileReader {
public:
    /// Reads the file. Throws FileNotFoundError when it does not exist,
    /// FileAccessError when it cannot be read.
    explicit TextFileReader(const std::string& fileName);

    /// The next line's bytes without its line end; empty at the end.
    std::string_view ReadRawLine();

    /// The next line converted to UTF-8.
    std::string ReadLine();

    /// Skips `count` lines.
    void SkipLines(int count);

    /// True when no byte is left to read.
    bool AtEnd() const { return position_ >= content_.size(); }

private:
    std::string content_;
    size_t position_ = 0;
};

/// A file written line by line. Nothing is visible under the final name
/// before Commit() for files created through RewriteThroughTwin.
class TextFileWriter {
public:
    enum class Mode { Create, Append };

    /// Create truncates (or creates) the file; Append requires it to exist
    /// (FileNotFoundError otherwise) and starts a new line first if its last
    /// line has no line end, so a record is never glued to the one before.
    TextFileWriter(const std::string& fileName, Mode mode);
    ~TextFileWriter();
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    /// Writes UTF-8 text as Windows-1252 followed by CR LF; throws
    /// EncodingError for characters the code page cannot hold.
    void WriteLine(std::string_view utf8);

    /// Writes bytes unchanged followed by CR LF.
    void WriteRawLine(std::string_view bytes);

    /// Writes everything out, syncs it to the disk and closes the file.
    /// Throws FileAccessError when any of that fails.
    void Close();

private:
    void Put(std::string_view bytes);

    std::string fileName_;
    int fd_ = -1;
    std::string buffer_;
};

/// "objects.dat" -> "objects2.dat": the twin a file is rewritten through.
std::string TwinName(const std::string& fileName);

/// Rewrites a file whole: `produce` reads the old content and writes the new
/// one to the twin; the twin is then synced and renamed over the original in
/// one step, so at every moment one complete version exists under the
/// original name. An old twin left by an interrupted run is truncated. When
/// `produce` or a file operation throws, the original stays untouched.
void RewriteThroughTwin(const std::string& fileName,
                        const std::function<void(TextFileReader& oldFile, TextFileWriter& twin)>& produce);

/// The copy loop of every rewrite: copies the rest of the old file line by
/// line; like a loop with its test at the end, it copies at least one line,
/// so an exhausted file contributes one empty line.
void CopyRemainingLines(TextFileReader& oldFile, TextFileWriter& twin);
