#include "app/pdf_viewer.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

constexpr const char* kPdfMimeType = "application/pdf";

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::vector<std::string> SplitList(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, separator))
        if (!part.empty()) parts.push_back(part);
    return parts;
}

std::string Trimmed(std::string text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.pop_back();
    size_t start = text.find_first_not_of(" \t");
    return start == std::string::npos ? std::string() : text.substr(start);
}

// True when `path` names a regular file. Anything that cannot be looked at
// (a name too long for the system, a folder the user may not read) counts
// as no file: the lookup goes on with the next place, and no error of the
// file system ever reaches the user.
bool IsReadableFile(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && !error;
}

// The value of `key` in `[section]` of an ini-style file, or empty (also
// when the file cannot be read).
std::string IniValue(const std::filesystem::path& file, const std::string& section, const std::string& key)
{
    if (!IsReadableFile(file)) return {};
    std::ifstream in(file);
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        line = Trimmed(line);
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[') {
            inSection = line == "[" + section + "]";
            continue;
        }
        size_t equals = line.find('=');
        if (inSection && equals != std::string::npos && Trimmed(line.substr(0, equals)) == key)
            return Trimmed(line.substr(equals + 1));
    }
    return {};
}

// The Exec line of the first of `desktopIds` whose .desktop file exists.
std::string ExecOfFirstInstalled(const std::string& desktopIds, const XdgDirectories& directories)
{
    for (const std::string& id : SplitList(desktopIds, ';')) {
        for (const std::string& dataDir : directories.DataDirs) {
            std::filesystem::path desktopFile = std::filesystem::path(dataDir) / "applications" / id;
            if (!IsReadableFile(desktopFile)) continue;
            // The first file found for an id is the one that counts, Exec or not.
            return IniValue(desktopFile, "Desktop Entry", "Exec");
        }
    }
    return {};
}

// mimeapps.list files in the order they are consulted.
std::vector<std::filesystem::path> MimeAppsLists(const XdgDirectories& directories)
{
    std::vector<std::filesystem::path> lists;
    for (const std::string& dir : directories.ConfigDirs) lists.push_back(std::filesystem::path(dir) / "mimeapps.list");
    for (const std::string& dir : directories.DataDirs)
        lists.push_back(std::filesystem::path(dir) / "applications" / "mimeapps.list");
    return lists;
}

}  // namespace

XdgDirectories XdgDirectoriesFromEnvironment()
{
    std::string home = Environment("HOME");
    XdgDirectories directories;
    std::string configHome = Environment("XDG_CONFIG_HOME");
    directories.ConfigDirs.push_back(configHome.empty() ? home + "/.config" : configHome);
    std::string configDirs = Environment("XDG_CONFIG_DIRS");
    for (const std::string& dir : SplitList(configDirs.empty() ? "/etc/xdg" : configDirs, ':'))
        directories.ConfigDirs.push_back(dir);
    std::string dataHome = Environment("XDG_DATA_HOME");
    directories.DataDirs.push_back(dataHome.empty() ? home + "/.local/share" : dataHome);
    std::string dataDirs = Environment("XDG_DATA_DIRS");
    for (const std::string& dir : SplitList(dataDirs.empty() ? "/usr/local/share:/usr/share" : dataDirs, ':'))
        directories.DataDirs.push_back(dir);
    return directories;
}

std::string PdfViewerCommand(const XdgDirectories& directories)
{
    // The user's and the system's chosen default comes first ...
    for (const std::filesystem::path& list : MimeAppsLists(directories)) {
        std::string exec = ExecOfFirstInstalled(IniValue(list, "Default Applications", kPdfMimeType), directories);
        if (!exec.empty()) return exec;
    }
    // ... then any application that declares it can open PDF files.
    for (const std::filesystem::path& list : MimeAppsLists(directories)) {
        std::string exec = ExecOfFirstInstalled(IniValue(list, "Added Associations", kPdfMimeType), directories);
        if (!exec.empty()) return exec;
    }
    for (const std::string& dataDir : directories.DataDirs) {
        std::filesystem::path cache = std::filesystem::path(dataDir) / "applications" / "mimeinfo.cache";
        std::string exec = ExecOfFirstInstalled(IniValue(cache, "MIME Cache", kPdfMimeType), directories);
        if (!exec.empty()) return exec;
    }
    return {};
}

std::string TrimViewerCommand(std::string command)
{
    size_t placeholder = command.find('%');
    if (placeholder != std::string::npos) command.erase(placeholder);
    if (!command.empty() && command.front() == '"') command.erase(0, 1);
    if (!command.empty() && command.back() == '"') command.pop_back();
    while (!command.empty() && (command.back() == ' ' || command.back() == '"')) command.pop_back();
    return command;
}

namespace {

// Words as an Exec line writes them: blanks separate, double quotes group,
// a backslash escapes the next character.
std::vector<std::string> SplitWords(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, inWord = false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            word += text[++i];
            inWord = true;
        } else if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (c == ' ' && !quoted) {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

}  // namespace

ViewerLaunch ViewerLaunchFor(const std::string& trimmedCommand, const std::string& manualFileName)
{
    ViewerLaunch launch;
    size_t quotes = std::count(trimmedCommand.begin(), trimmedCommand.end(), '"');
    if (IsReadableFile(trimmedCommand)) {
        launch.Program = trimmedCommand;
    } else if (quotes % 2 == 1) {
        // Trimming took the opening quote of a quoted program path that has
        // arguments after it: the path ends at the remaining quote.
        size_t end = trimmedCommand.find('"');
        launch.Program = trimmedCommand.substr(0, end);
        launch.Arguments = SplitWords(trimmedCommand.substr(end + 1));
    } else {
        std::vector<std::string> words = SplitWords(trimmedCommand);
        if (!words.empty()) {
            launch.Program = words.front();
            launch.Arguments.assign(words.begin() + 1, words.end());
        }
    }
    launch.Arguments.push_back(manualFileName);
    return launch;
}
