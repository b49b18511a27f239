#include "platform/text_file.h"

#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/file_operations.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Why a call failed, in words the user can act on; empty for the rest.
std::string Reason(int error)
{
    switch (error) {
        case ENOSPC:
            return " (der Datenträger ist voll)";
        case EDQUOT:
            return " (das Speicherkontingent ist erschöpft)";
        case EFBIG:
            return " (die Datei ist zu groß)";
        case EACCES:
        case EPERM:
            return " (keine Berechtigung)";
        case EROFS:
            return " (der Datenträger ist schreibgeschützt)";
        case EIO:
            return " (Ein-/Ausgabefehler)";
        default:
            return {};
    }
}

[[noreturn]] void ThrowReadError(const std::string& fileName, int error)
{
    if (error == ENOENT) throw FileNotFoundError(fileName);
    throw FileAccessError("Lesen von " + fileName + " nicht möglich" + Reason(error));
}

[[noreturn]] void ThrowWriteError(const std::string& fileName, int error)
{
    throw FileAccessError("Schreiben von " + fileName + " nicht möglich" + Reason(error) +
                          "; die Datei ist unverändert");
}

bool IsBlankLineByte(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool HasByteBeyondAscii(std::string_view bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
}

// A file saved as UTF-8 by a text editor becomes the Windows-1252 bytes the
// rest of the program works with; a character the code page lacks is
// reported with its line, and the file is left as it is.
std::string FromUtf8File(std::string_view content, const std::string& fileName)
{
    if (content.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark)
        content.remove_prefix(kUtf8ByteOrderMark.size());
    std::string bytes;
    int line = 1;
    for (size_t start = 0; start <= content.size(); ++line) {
        size_t end = std::min(content.find('\n', start), content.size());
        std::string lineBytes;
        try {
            lineBytes = Utf8ToCp1252(content.substr(start, end - start));
        } catch (const EncodingError& error) {
            throw EncodingError(Located(FileLine(fileName, line), error.what()));
        }
        bytes += lineBytes;
        if (end < content.size()) bytes += '\n';
        start = end + 1;
    }
    return bytes;
}

// The file that really gets replaced: a symbolic link is followed to its
// target, so the link stays a link.
std::string ReplacedPath(const std::string& fileName)
{
    struct stat info {};
    if (::lstat(fileName.c_str(), &info) != 0) ThrowReadError(fileName, errno);
    if (!S_ISLNK(info.st_mode)) return fileName;
    std::unique_ptr<char, decltype(&std::free)> target(::realpath(fileName.c_str(), nullptr), &std::free);
    if (!target) ThrowReadError(fileName, errno);
    return target.get();
}

// The twin beside `path`: same folder, "2" before the extension.
std::string TwinPath(const std::string& path)
{
    size_t slash = path.rfind('/');
    size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    return path.substr(0, nameStart) + TwinName(path.substr(nameStart));
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Syncs the folder so that a rename survives a power failure. The file is
// already replaced by then, so a failure here is no failure of the change.
void SyncFolder(const std::string& folder)
{
    int fd = Files().Open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0) return;
    Files().Fsync(fd);
    Files().Close(fd);
}

bool WriteAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        ssize_t written = Files().Write(fd, content.data(), content.size());
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

}  // namespace

TextFileReader::TextFileReader(const std::string& fileName) : fileName_(fileName)
{
    int fd = Files().Open(fileName.c_str(), O_RDONLY | O_CLOEXEC, 0);
    if (fd < 0) ThrowReadError(fileName, errno);
    std::string content;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && info.st_size > 0) content.reserve(static_cast<size_t>(info.st_size));
    char chunk[65536];
    for (;;) {
        ssize_t got = Files().Read(fd, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) continue;
            int error = errno;
            Files().Close(fd);
            ThrowReadError(fileName, error == ENOENT ? EIO : error);
        }
        if (got == 0) break;
        content.append(chunk, static_cast<size_t>(got));
    }
    Files().Close(fd);  // nothing was written: a failing close loses nothing
    if (HasByteBeyondAscii(content) && IsValidUtf8(content)) content = FromUtf8File(content, fileName);
    content_ = std::make_shared<const std::string>(std::move(content));
}

std::string_view TextFileReader::ReadRawLine()
{
    ++lineNumber_;
    if (AtEnd()) return {};
    const std::string& content = *content_;
    size_t end = content.find('\n', position_);
    size_t next = end == std::string::npos ? content.size() : end + 1;
    if (end == std::string::npos) end = content.size();
    std::string_view line(content.data() + position_, end - position_);
    if (!line.empty() && line.back() == '\r' && end < content.size()) line.remove_suffix(1);
    position_ = next;
    return line;
}

std::string TextFileReader::ReadLine() { return Cp1252ToUtf8(ReadRawLine()); }

void TextFileReader::SkipLines(int count)
{
    for (int i = 0; i < count; ++i) ReadRawLine();
}

bool TextFileReader::AtEndOfRecords() const
{
    const std::string& content = *content_;
    for (size_t i = position_; i < content.size(); ++i)
        if (!IsBlankLineByte(content[i])) return false;
    return true;
}

void TextFileWriter::WriteRawLine(std::string_view bytes)
{
    content_.append(bytes);
    content_.append(kLineEnd);
}

std::string EncodeField(std::string_view utf8, std::string_view field)
{
    std::string quoted = "Das Feld \u201E" + std::string(field) + "\u201C";
    if (HasControlCharacter(utf8))
        throw EncodingError(quoted +
                            " enthält ein Steuerzeichen (etwa einen Zeilenumbruch); es wurde nichts gespeichert");
    if (!IsValidUtf8(utf8)) throw EncodingError(quoted + " enthält ungültigen Text; es wurde nichts gespeichert");
    try {
        return Utf8ToCp1252(utf8);
    } catch (const EncodingError& error) {
        throw EncodingError(Located(quoted, error.what()));
    }
}

std::string TwinName(const std::string& fileName)
{
    size_t dot = fileName.rfind('.');
    if (dot == std::string::npos) return fileName + "2";
    return fileName.substr(0, dot) + "2" + fileName.substr(dot);
}

namespace {

// Stores `content` under `target` through `twin` in the same folder: a stale
// twin is removed, never followed (were it a link, writing through it would
// change whatever it points to); the twin is created anew, carries
// `permissions`, is synced and renamed over `target`. On any failure the twin
// is removed and the error names `shownName`.
void StoreThroughTwin(const std::string& shownName, const std::string& target, const std::string& twin,
                      mode_t permissions, std::string_view content)
{
    if (Files().Unlink(twin.c_str()) != 0 && errno != ENOENT) ThrowWriteError(shownName, errno);
    int fd = Files().Open(twin.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, permissions & 0777);
    if (fd < 0) ThrowWriteError(shownName, errno);

    auto fail = [&](bool open) {
        int error = errno;
        if (open) Files().Close(fd);
        Files().Unlink(twin.c_str());
        ThrowWriteError(shownName, error);
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
        throw FileAccessError("Schreiben von " + shownName +
                              " nicht möglich (die Datei ist schreibgeschützt); die Datei ist unverändert");
}

}  // namespace

void ReplaceFileContent(const std::string& fileName, std::string_view content)
{
    std::string target = ReplacedPath(fileName);
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0) ThrowReadError(fileName, errno);
    RefuseWriteProtected(fileName, target, info.st_mode);
    StoreThroughTwin(fileName, target, TwinPath(target), info.st_mode & 07777, content);
}

void WriteFileThroughTwin(const std::string& path, std::string_view content,
                          const std::function<std::string(const std::string& target)>& twinFor)
{
    auto twinOf = [&](const std::string& target) { return twinFor ? twinFor(target) : TwinPath(target); };
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        if (errno != ENOENT) ThrowWriteError(path, errno);
        // A new file gets what the umask leaves of rw for everybody.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        StoreThroughTwin(path, path, twinOf(path), 0666 & ~mask, content);
        return;
    }
    std::string target = ReplacedPath(path);
    if (::stat(target.c_str(), &info) != 0) ThrowWriteError(path, errno);
    RefuseWriteProtected(path, target, info.st_mode);
    StoreThroughTwin(path, target, twinOf(target), info.st_mode & 07777, content);
}

void RewriteThroughTwin(const std::string& fileName,
                        const std::function<void(TextFileReader& oldFile, TextFileWriter& twin)>& produce)
{
    TextFileReader oldFile(fileName);
    TextFileWriter twin;
    produce(oldFile, twin);
    ReplaceFileContent(fileName, twin.Content());
}

void AppendThroughTwin(const std::string& fileName, int linesPerRecord,
                       const std::function<void(TextFileWriter& end)>& produce)
{
    RewriteThroughTwin(fileName, [&](TextFileReader& old, TextFileWriter& twin) {
        // The old lines up to the end of the last record that holds any text;
        // a truncated last record is filled up with empty lines (as it reads)
        // and empty lines after it, which no reader takes for a record, are
        // dropped. So the new record starts where a record must start, and
        // every record after it is read in step.
        std::vector<std::string_view> lines;
        size_t linesBeforeBlankEnd = 0;
        for (std::string_view rest = old.RemainingBytes(); !rest.empty();) {
            size_t end = rest.find('\n');
            std::string_view line = rest.substr(0, end == std::string_view::npos ? rest.size() : end + 1);
            lines.push_back(line);
            if (line.find_first_not_of(" \t\r\n") != std::string_view::npos) linesBeforeBlankEnd = lines.size();
            rest.remove_prefix(line.size());
        }
        size_t records = (linesBeforeBlankEnd + linesPerRecord - 1) / linesPerRecord;
        for (size_t i = 0; i < records * linesPerRecord; ++i) {
            std::string_view line = i < lines.size() ? lines[i] : std::string_view();
            twin.WriteRawBytes(line);
            if (line.empty() || line.back() != '\n') twin.WriteRawBytes(kLineEnd);
        }
        produce(twin);
    });
}

void CopyRemainingLines(TextFileReader& oldFile, TextFileWriter& twin)
{
    do {
        twin.WriteRawLine(oldFile.ReadRawLine());
    } while (!oldFile.AtEnd());
}
