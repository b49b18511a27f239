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

/// The program and its arguments for opening the manual: a trimmed command
/// naming an existing file is the program as it stands (blanks included);
/// otherwise it is split into words, the first being the program. The
/// manual's bare file name is the last argument.
struct ViewerLaunch {
    std::string Program;
    std::vector<std::string> Arguments;
};
ViewerLaunch ViewerLaunchFor(const std::string& trimmedCommand, const std::string& manualFileName);
