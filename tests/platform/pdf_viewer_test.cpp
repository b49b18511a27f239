// Finding the desktop's PDF viewer and trimming its command line.

#include "platform/pdf_viewer.h"
#include "tests/support/temp_working_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

TEST(TrimViewerCommand, KeepsTheBareProgram)
{
    const std::pair<const char*, const char*> cases[] = {
        {"\"/opt/PDF Leser/leser\" \"%1\"", "/opt/PDF Leser/leser"}, // blanks in the path stay
        {"/usr/bin/evince %U",              "/usr/bin/evince"     },
        {"/usr/bin/okular",                 "/usr/bin/okular"     }, // no placeholder: used whole
        {"%1",                              ""                    },
        {"\"%1\"",                          ""                    },
        {"/usr/bin/viewer \" \" \"  %f",    "/usr/bin/viewer"     }, // trailing blanks and quotes
        {"/opt/a\"b/viewer %f",             "/opt/a\"b/viewer"    }, // quotes inside stay
        {"",                                ""                    },
    };
    for (const auto& [registered, trimmed] : cases) EXPECT_EQ(TrimViewerCommand(registered), trimmed) << registered;
}

TEST(ExecArguments, FollowTheDesktopEntryQuoting)
{
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"viewer --page 1 %f",                        {"viewer", "--page", "1"}            },
        {"\"/opt/x/viewer\" \"--opt with blank\" %U", {"/opt/x/viewer", "--opt with blank"}},
        {"viewer \"a \\\"b\\\" c\"",                  {"viewer", "a \"b\" c"}              }, // escaped quotes
        {"viewer \"\\\\$HOME\"",                      {"viewer", "$HOME"}                  }, // \\$ in the file: a dollar
        {"viewer \"C:\\\\\\\\x\"",                    {"viewer", "C:\\x"}                  }, // four backslashes: one
        {"viewer\\sx \"\\sy\"",                       {"viewer", "x", " y"}                }, // \s: a blank in the value
        {"viewer 100%% --zoom=%f",                    {"viewer", "100%", "--zoom="}        }, // %% stays, a field code ends
        {"viewer \"%1\" --after",                     {"viewer"}                           },
        {"viewer \"\" x",                             {"viewer", "", "x"}                  }, // an empty argument
        {"  viewer\t x  ",                            {"viewer", "x"}                      },
        {"%f",                                        {}                                   },
    };
    for (const auto& [exec, arguments] : cases) EXPECT_EQ(ExecArguments(exec), arguments) << exec;
}

TEST(ViewerLaunchFor, ProgramWordsAndTheManual)
{
    ViewerLaunch simple = ViewerLaunchFor("evince", "manual.pdf");
    EXPECT_EQ(simple.Program, "evince");
    EXPECT_EQ(simple.Arguments, std::vector<std::string>{"manual.pdf"});

    ViewerLaunch wrapped = ViewerLaunchFor("flatpak run \"org.example.Pdf Viewer\"", "manual.pdf");
    EXPECT_EQ(wrapped.Program, "flatpak");
    EXPECT_EQ(wrapped.Arguments, (std::vector<std::string>{"run", "org.example.Pdf Viewer", "manual.pdf"}));

    ViewerLaunch quotedWithOptions = ViewerLaunchFor("\"/opt/PDF Leser/leser\" -v %f", "manual.pdf");
    EXPECT_EQ(quotedWithOptions.Program, "/opt/PDF Leser/leser");
    EXPECT_EQ(quotedWithOptions.Arguments, (std::vector<std::string>{"-v", "manual.pdf"}));

    ViewerLaunch quotedArguments = ViewerLaunchFor("\"/opt/x/viewer\" \"--opt with blank\" %U", "manual.pdf");
    EXPECT_EQ(quotedArguments.Program, "/opt/x/viewer");
    EXPECT_EQ(quotedArguments.Arguments, (std::vector<std::string>{"--opt with blank", "manual.pdf"}));
    EXPECT_EQ(ViewerLaunchText(quotedArguments), "/opt/x/viewer \"--opt with blank\" manual.pdf");

    EXPECT_EQ(ViewerLaunchFor("%1", "manual.pdf").Program, "");

    TempWorkingDir dir;
    fs::create_directories("PDF Leser");
    WriteBytes("PDF Leser/leser", "#!/bin/sh\n");
    std::string path = (dir.path() / "PDF Leser" / "leser").string();
    ViewerLaunch withBlank = ViewerLaunchFor(path, "manual.pdf");
    EXPECT_EQ(withBlank.Program, path);
    EXPECT_EQ(withBlank.Arguments, std::vector<std::string>{"manual.pdf"});
}

class PdfViewerLookup : public ::testing::Test {
protected:
    TempWorkingDir dir;
    XdgDirectories directories{
        {"config-home", "config-system"},
        {"data-home",   "data-system"  }
    };

    void Desktop(const std::string& dataDir, const std::string& id, const std::string& exec)
    {
        fs::create_directories(dataDir + "/applications");
        WriteBytes(dataDir + "/applications/" + id,
                   "[Desktop Entry]\nName=Leser\n" + exec + "\n[Desktop Action x]\nExec=falsch\n");
    }
    void File(const std::string& path, const std::string& content)
    {
        fs::create_directories(fs::path(path).parent_path());
        WriteBytes(path, content);
    }
};

TEST_F(PdfViewerLookup, NothingRegisteredGivesNothing) { EXPECT_EQ(PdfViewerCommand(directories), ""); }

TEST_F(PdfViewerLookup, TheUsersDefaultComesFirst)
{
    Desktop("data-system", "system.desktop", "Exec=systemviewer %f");
    Desktop("data-system", "mine.desktop", "Exec=\"/opt/my viewer\" %U");
    File("data-system/applications/mimeapps.list", "[Default Applications]\napplication/pdf=system.desktop\n");
    File("config-home/mimeapps.list",
         "[Added Associations]\napplication/pdf=system.desktop;\n[Default Applications]\ntext/plain=x.desktop\n"
         "application/pdf=missing.desktop;mine.desktop;\n");
    EXPECT_EQ(PdfViewerCommand(directories), "\"/opt/my viewer\" %U");
}

TEST_F(PdfViewerLookup, FallsBackToAssociationsAndTheCache)
{
    Desktop("data-home", "cached.desktop", "Exec=cachedviewer %f");
    File("data-system/applications/mimeinfo.cache", "[MIME Cache]\napplication/pdf=gone.desktop;cached.desktop;\n");
    EXPECT_EQ(PdfViewerCommand(directories), "cachedviewer %f");

    Desktop("data-system", "added.desktop", "Exec=addedviewer %f");
    File("config-system/mimeapps.list", "[Added Associations]\napplication/pdf=added.desktop;\n");
    EXPECT_EQ(PdfViewerCommand(directories), "addedviewer %f");
}

TEST_F(PdfViewerLookup, ADesktopFileWithoutExecCountsAsNoViewer)
{
    Desktop("data-home", "broken.desktop", "NoDisplay=true");
    File("config-home/mimeapps.list", "[Default Applications]\napplication/pdf=broken.desktop\n");
    EXPECT_EQ(PdfViewerCommand(directories), "");
}

TEST_F(PdfViewerLookup, PlacesThatCannotBeReadAreSkipped)
{
    // A name too long for the system and a folder that is a loop of links
    // once ended the help command with an English file system error.
    fs::create_directory_symlink("schleife", "schleife");
    const std::string tooLong(5000, 'x');
    Desktop("data-system", "viewer.desktop", "Exec=viewer %f");
    File("config-system/mimeapps.list",
         "[Default Applications]\napplication/pdf=" + tooLong + ".desktop;viewer.desktop\n");
    XdgDirectories awkward{
        {tooLong, "schleife/sub", "config-system"},
        {tooLong, "schleife",     "data-system"  },
    };
    EXPECT_EQ(PdfViewerCommand(awkward), "viewer %f");
    EXPECT_NO_THROW(ViewerLaunchFor(tooLong, "manual.pdf"));
    EXPECT_NO_THROW(ViewerLaunchFor("schleife/x", "manual.pdf"));
}

}  // namespace
