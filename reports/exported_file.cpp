#include "reports/exported_file.h"

#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/text_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

namespace {

std::filesystem::path FolderOf(const std::string& path)
{
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// Syncs the folder so that the rename survives a power failure.
void SyncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

std::string ExportTwinPath(const std::string& path)
{
    const std::filesystem::path file(path);
    return (FolderOf(path) / ("." + file.filename().string() + ".neu")).string();
}

void WriteExportedFile(const std::string& path, const std::vector<std::string>& lines)
{
    std::vector<std::string> encoded;
    encoded.reserve(lines.size());
    for (const std::string& line : lines) encoded.push_back(Utf8ToCp1252(line));

    const std::string twin = ExportTwinPath(path);
    try {
        TextFileWriter file(twin, TextFileWriter::Mode::Create);
        for (const std::string& line : encoded) file.WriteRawLine(line);
        file.Close();
        if (std::rename(twin.c_str(), path.c_str()) != 0) throw FileAccessError(path);
    } catch (const MireltaError&) {
        std::remove(twin.c_str());
        throw FileAccessError("Schreiben von " + path + " nicht möglich");
    }
    SyncFolder(FolderOf(path));
}
