#pragma once
// Finding the program the desktop opens PDF files with, the freedesktop
// way: the default application for application/pdf in the mimeapps.list
// files (or any application registered for it in mimeinfo.cache), and the
// Exec line of its .desktop file (standard C++ only).

#include <string>
#include <vector>

/// The XDG base directories, most important first.
struct XdgDirectories {
    std::vector<std::string> ConfigDirs;  ///< $XDG_CONFIG_HOME, then $XDG_CONFIG_DIRS
    std::vector<std::string> DataDirs;    ///< $XDG_DATA_HOME, then $XDG_DATA_DIRS
};

/// The directories from the environment, with the standard defaults
/// (~/.config, /etc/xdg, ~/.local/share, /usr/local/share, /usr/share).
XdgDirectories XdgDirectoriesFromEnvironment();

/// The Exec line of the application registered for application/pdf, or an
/// empty text when there is none (no association, or its .desktop file is
/// missing or has no Exec line).
std::string PdfViewerCommand(const XdgDirectories& directories);

/// Trims a registered command line to the bare program: everything from the
/// first "%" on is dropped (the document placeholder and what follows), then
/// a leading and a trailing double quote, then any trailing blanks and
/// quotes. Quotes inside the path stay.
std::string TrimViewerCommand(std::string command);

/// The arguments of an Exec line by the freedesktop.org rules for desktop
/// entries: first the escapes of a string value (\s, \n, \t,
/// \r, \\), then the quoting (blanks separate arguments; an argument in
/// double quotes keeps its blanks, and there a backslash takes the next
/// character as it is). "%%" is a percent sign; the first other field code
/// ("%f", "%U" ...) ends the command, as the trimming does: that argument is
/// cut before it, and every later one is dropped.
std::vector<std::string> ExecArguments(const std::string& exec);

/// The program and its arguments for opening the manual. A registered
/// command whose trimmed form (TrimViewerCommand) names an existing file is
/// that program as it stands, blanks included and without arguments;
/// otherwise the first of its ExecArguments is the program and the others
/// follow it. The manual's bare file name is the last argument. The program
/// is empty when the command names none.
struct ViewerLaunch {
    std::string Program;
    std::vector<std::string> Arguments;
};
ViewerLaunch ViewerLaunchFor(const std::string& registeredCommand, const std::string& manualFileName);

/// The launch as one line for a message: program and arguments separated by
/// blanks, each one that holds a blank or a quote in double quotes.
std::string ViewerLaunchText(const ViewerLaunch& launch);
