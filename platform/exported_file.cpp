#include "platform/exported_file.h"

#include "platform/cp1252.h"
#include "platform/file_change.h"
#include "platform/file_messages.h"
#include "platform/regular_file.h"
#include "platform/text_file.h"

#include <filesystem>
#include <system_error>

namespace {

/// The files the program keeps in its working folder. An export is a view
/// of them; written over one of them it would replace the data it shows.
constexpr const char* kWorkingFolderFiles[] = {"objects.dat", "places.dat", "mirelta.ini", "messungen.csv"};

void RefuseWorkingFolderFile(const std::string& path)
{
    for (const char* name : kWorkingFolderFiles)
        if (IsSameFile(path, name)) {
            std::error_code error;
            ThrowWriteRefusal(path, std::string("das ist die Datei ") + name + " des Programms selbst",
                              std::filesystem::exists(path, error));
        }
}

}  // namespace

void WriteExportedBytes(const std::string& path, const std::string& bytes)
{
    RefuseWorkingFolderFile(path);
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
