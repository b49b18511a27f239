#include "platform/exported_file.h"

#include "platform/cp1252.h"
#include "platform/text_file.h"

#include <filesystem>

std::string ExportTwinPath(const std::string& path)
{
    const std::filesystem::path file(path);
    const std::filesystem::path folder = file.parent_path();
    return ((folder.empty() ? std::filesystem::path(".") : folder) / ("." + file.filename().string() + ".neu"))
        .string();
}

void WriteExportedFile(const std::string& path, const std::vector<std::string>& lines)
{
    // Every line is converted before anything is written.
    TextFileWriter content;
    for (const std::string& line : lines) content.WriteRawLine(Utf8ToCp1252(line));
    WriteFileThroughTwin(path, content.Content(), ExportTwinPath);
}
