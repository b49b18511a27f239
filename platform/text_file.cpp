#include "platform/text_file.h"

#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/regular_file.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

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

}  // namespace

TextFileReader::TextFileReader(const std::string& fileName) : TextFileReader(fileName, ReadRegularFile(fileName)) {}

TextFileReader::TextFileReader(const std::string& fileName, std::string bytes) : fileName_(fileName)
{
    original_ = std::make_shared<const std::string>(std::move(bytes));
    content_ = HasByteBeyondAscii(*original_) && IsValidUtf8(*original_)
                   ? std::make_shared<const std::string>(FromUtf8File(*original_, fileName))
                   : original_;
}

TextFileReader TextFileReader::AsIs(const std::string& fileName, std::string bytes)
{
    TextFileReader reader;
    reader.fileName_ = fileName;
    reader.original_ = std::make_shared<const std::string>(std::move(bytes));
    reader.content_ = reader.original_;
    if (reader.content_->starts_with(kUtf8ByteOrderMark)) reader.position_ = kUtf8ByteOrderMark.size();
    return reader;
}

TextFileReader ReadTextKeepingUtf8(const std::string& fileName, std::string bytes, std::string& utf8Reason)
{
    utf8Reason.clear();
    if (!HasByteBeyondAscii(bytes) || !IsValidUtf8(bytes)) return TextFileReader(fileName, std::move(bytes));
    try {
        std::string converted = FromUtf8File(bytes, fileName);
        TextFileReader reader = TextFileReader::AsIs(fileName, std::move(bytes));
        reader.content_ = std::make_shared<const std::string>(std::move(converted));
        reader.position_ = 0;
        return reader;
    } catch (const EncodingError& error) {
        utf8Reason = error.what();
        return TextFileReader::AsIs(fileName, std::move(bytes));
    }
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

void RewriteThroughTwin(const std::string& fileName,
                        const std::function<void(TextFileReader& oldFile, TextFileWriter& twin)>& produce)
{
    ChangeFile(fileName, {}, [&](const std::string* old) {
        TextFileReader oldFile(fileName, *old);
        TextFileWriter twin;
        produce(oldFile, twin);
        return twin.Content();
    });
}

void CopyWholeRecords(TextFileReader& old, int linesPerRecord, TextFileWriter& twin)
{
    // The old lines up to the end of the last record that holds any text;
    // a truncated last record is filled up with empty lines (as it reads)
    // and empty lines after it, which no reader takes for a record, are
    // dropped. So a new record starts where a record must start, and every
    // record after it is read in step.
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
}

void AppendThroughTwin(const std::string& fileName, int linesPerRecord,
                       const std::function<void(TextFileWriter& end)>& produce)
{
    RewriteThroughTwin(fileName, [&](TextFileReader& old, TextFileWriter& twin) {
        CopyWholeRecords(old, linesPerRecord, twin);
        produce(twin);
    });
}

void ReplaceFileContent(const std::string& fileName, std::string_view content)
{
    ChangeFile(fileName, {}, [&](const std::string*) { return std::string(content); });
}

void CopyRemainingLines(TextFileReader& oldFile, TextFileWriter& twin)
{
    do {
        twin.WriteRawLine(oldFile.ReadRawLine());
    } while (!oldFile.AtEnd());
}
