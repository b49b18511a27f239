#include "platform/text_file.h"

#include "platform/cp1252.h"
#include "platform/errors.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>

namespace {

constexpr std::string_view kLineEnd = "\r\n";

[[noreturn]] void ThrowAccess(const std::string& what, const std::string& fileName)
{
    if (errno == ENOENT) throw FileNotFoundError();
    throw FileAccessError(what + " " + fileName + " nicht möglich");
}

// Syncs the directory so that a rename survives a power failure.
void SyncCurrentDirectory()
{
    int dir = ::open(".", O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

}  // namespace

TextFileReader::TextFileReader(const std::string& fileName)
{
    int fd = ::open(fileName.c_str(), O_RDONLY);
    if (fd < 0) ThrowAccess("Lesen von", fileName);
    struct stat info {};
    if (::fstat(fd, &info) == 0 && info.st_size > 0) content_.reserve(static_cast<size_t>(info.st_size));
    char chunk[65536];
    for (;;) {
        ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            throw FileAccessError("Lesen von " + fileName + " nicht möglich");
        }
        if (got == 0) break;
        content_.append(chunk, static_cast<size_t>(got));
    }
    ::close(fd);
}

std::string_view TextFileReader::ReadRawLine()
{
    if (AtEnd()) return {};
    size_t end = content_.find('\n', position_);
    size_t next = end == std::string::npos ? content_.size() : end + 1;
    if (end == std::string::npos) end = content_.size();
    std::string_view line(content_.data() + position_, end - position_);
    if (!line.empty() && line.back() == '\r' && end < content_.size()) line.remove_suffix(1);
    position_ = next;
    return line;
}

std::string TextFileReader::ReadLine() { return Cp1252ToUtf8(ReadRawLine()); }

void TextFileReader::SkipLines(int count)
{
    for (int i = 0; i < count; ++i) ReadRawLine();
}

TextFileWriter::TextFileWriter(const std::string& fileName, Mode mode) : fileName_(fileName)
{
    int flags = mode == Mode::Create ? (O_WRONLY | O_CREAT | O_TRUNC) : (O_RDWR | O_APPEND);
    fd_ = ::open(fileName.c_str(), flags, 0644);
    if (fd_ < 0) ThrowAccess("Schreiben von", fileName);
    if (mode == Mode::Append) {
        off_t size = ::lseek(fd_, 0, SEEK_END);
        char last = '\n';
        if (size > 0 && ::pread(fd_, &last, 1, size - 1) == 1 && last != '\n') buffer_ += kLineEnd;
    }
}

TextFileWriter::~TextFileWriter()
{
    if (fd_ >= 0) ::close(fd_);
}

void TextFileWriter::WriteLine(std::string_view utf8) { WriteRawLine(Utf8ToCp1252(utf8)); }

void TextFileWriter::WriteRawLine(std::string_view bytes)
{
    Put(bytes);
    Put(kLineEnd);
}

void TextFileWriter::Put(std::string_view bytes) { buffer_.append(bytes); }

void TextFileWriter::Close()
{
    if (fd_ < 0) return;
    const char* data = buffer_.data();
    size_t left = buffer_.size();
    while (left > 0) {
        ssize_t written = ::write(fd_, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            ::close(fd_);
            fd_ = -1;
            throw FileAccessError("Schreiben von " + fileName_ + " nicht möglich");
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    buffer_.clear();
    bool synced = ::fsync(fd_) == 0;
    bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!synced || !closed) throw FileAccessError("Schreiben von " + fileName_ + " nicht möglich");
}

std::string TwinName(const std::string& fileName)
{
    size_t dot = fileName.rfind('.');
    if (dot == std::string::npos) return fileName + "2";
    return fileName.substr(0, dot) + "2" + fileName.substr(dot);
}

void RewriteThroughTwin(const std::string& fileName,
                        const std::function<void(TextFileReader& oldFile, TextFileWriter& twin)>& produce)
{
    TextFileReader oldFile(fileName);
    std::string twinName = TwinName(fileName);
    TextFileWriter twin(twinName, TextFileWriter::Mode::Create);
    produce(oldFile, twin);
    twin.Close();
    if (std::rename(twinName.c_str(), fileName.c_str()) != 0)
        throw FileAccessError("Umbenennen von " + twinName + " nicht möglich");
    SyncCurrentDirectory();
}

void CopyRemainingLines(TextFileReader& oldFile, TextFileWriter& twin)
{
    do {
        twin.WriteRawLine(oldFile.ReadRawLine());
    } while (!oldFile.AtEnd());
}
