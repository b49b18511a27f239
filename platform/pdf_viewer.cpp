#include "platform/pdf_viewer.h"

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

// The escapes of a string value in a desktop entry file, which come before
// the quoting of an Exec line.
std::string UnescapeStringValue(const std::string& value)
{
    std::string text;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        switch (value[++i]) {
            case 's':
                text += ' ';
                break;
            case 'n':
                text += '\n';
                break;
            case 't':
                text += '\t';
                break;
            case 'r':
                text += '\r';
                break;
            case '\\':
                text += '\\';
                break;
            default:
                text += '\\', text += value[i];  // not an escape: kept for the quoting
        }
    }
    return text;
}

}  // namespace

std::vector<std::string> ExecArguments(const std::string& exec)
{
    const std::string text = UnescapeStringValue(exec);
    std::vector<std::string> arguments;
    std::string argument;
    bool quoted = false, inArgument = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%' && i + 1 < text.size() && text[i + 1] == '%') {
            argument += '%';
            ++i;
            inArgument = true;
        } else if (c == '%') {
            // The document's place: the command ends here, and an argument
            // that held nothing but the field code ("%1" in quotes) goes.
            if (!argument.empty()) arguments.push_back(argument);
            return arguments;
        } else if (c == '\\' && i + 1 < text.size()) {
            argument += text[++i];
            inArgument = true;
        } else if (c == '"') {
            quoted = !quoted;
            inArgument = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inArgument) arguments.push_back(argument);
            argument.clear();
            inArgument = false;
        } else {
            argument += c;
            inArgument = true;
        }
    }
    if (inArgument) arguments.push_back(argument);
    return arguments;
}

ViewerLaunch ViewerLaunchFor(const std::string& registeredCommand, const std::string& manualFileName)
{
    ViewerLaunch launch;
    const std::string trimmed = TrimViewerCommand(registeredCommand);
    if (!trimmed.empty() && IsReadableFile(trimmed)) {
        // A program path with blanks registered without quotes.
        launch.Program = trimmed;
    } else {
        std::vector<std::string> arguments = ExecArguments(registeredCommand);
        if (!arguments.empty()) {
            launch.Program = arguments.front();
            launch.Arguments.assign(arguments.begin() + 1, arguments.end());
        }
    }
    launch.Arguments.push_back(manualFileName);
    return launch;
}

std::string ViewerLaunchText(const ViewerLaunch& launch)
{
    auto shown = [](const std::string& word) {
        if (!word.empty() && word.find_first_of(" \t\"") == std::string::npos) return word;
        std::string quoted = "\"";
        for (char c : word) {
            if (c == '"' || c == '\\') quoted += '\\';
            quoted += c;
        }
        return quoted + "\"";
    };
    std::string text = shown(launch.Program);
    for (const std::string& argument : launch.Arguments) text += " " + shown(argument);
    return text;
}
