#include "platform/exported_file.h"

#include "platform/cp1252.h"
#include "platform/file_change.h"
#include "platform/text_file.h"

void WriteExportedBytes(const std::string& path, const std::string& bytes)
{
    ChangeFile(path, {.MayCreate = true, .Twin = ChangeRules::TwinKind::Hidden},
               [&](const std::string*) { return bytes; });
}

void WriteExportedFile(const std::string& path, const std::vector<std::string>& lines)
{
    // Every line is converted before anything is written.
    TextFileWriter content;
    for (const std::string& line : lines) content.WriteRawLine(Utf8ToCp1252(line));
    WriteExportedBytes(path, content.Content());
}
