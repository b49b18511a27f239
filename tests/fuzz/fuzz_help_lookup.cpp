// The help command's lookup of the PDF viewer: mimeapps.list, mimeinfo.cache
// and .desktop files with any content, XDG folders with any names (too long,
// missing), and the trimming of the Exec line. Nothing may escape but an
// empty result; no error of the file system reaches the user.

#include "platform/pdf_viewer.h"
#include "tests/fuzz/fuzz_support.h"

#include <sys/stat.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    fuzz::EnterScratchFolder();
    // Parts: mimeapps.list, the .desktop file, an extra XDG folder name, and
    // a command line to trim.
    std::vector<std::string> parts = fuzz::Split(fuzz::AsText(data, size), '\x1E', 4);
    mkdir("config", 0700);
    mkdir("data", 0700);
    mkdir("data/applications", 0700);
    fuzz::PutFile("config/mimeapps.list", parts[0]);
    fuzz::PutFile("data/applications/viewer.desktop", parts[1]);
    fuzz::PutFile("data/applications/mimeinfo.cache", "[MIME Cache]\napplication/pdf=viewer.desktop;\n");

    XdgDirectories directories;
    directories.ConfigDirs = {parts[2], "config"};
    directories.DataDirs = {parts[2], "data", parts[2] + "/" + parts[2]};
    std::string command = PdfViewerCommand(directories);
    std::string trimmed = TrimViewerCommand(command);
    fuzz::Require(trimmed.find('%') == std::string::npos, "no placeholder left");
    ViewerLaunch launch = ViewerLaunchFor(command, "manual.pdf");
    fuzz::Require(!launch.Arguments.empty() && launch.Arguments.back() == "manual.pdf", "manual is the last argument");

    std::string other = TrimViewerCommand(parts[3]);
    fuzz::Require(other.empty() || (other.back() != ' ' && other.back() != '"'), "no trailing blank or quote");
    ViewerLaunchFor(other, "manual.pdf");
    return 0;
}
