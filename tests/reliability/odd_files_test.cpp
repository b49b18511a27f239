// Something other than a plain file under a data file's name: every reading
// and every change of each data file returns at once with a German reason
// naming what stands there, and leaves it as it was. A FIFO would make a
// blocking read wait for a writer forever, so the whole test runs under an
// alarm that ends it (and fails it) instead.

#include "catalogue/catalogue.h"
#include "journal/measurement_journal.h"
#include "platform/errors.h"
#include "setup/config_file.h"
#include "setup/site_list_file.h"
#include "tests/reliability/file_changes.h"
#include "tests/support/temp_working_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

namespace {

struct FileUse {
    std::string name;
    std::string file;
    std::function<void()> run;
};

// Every reading of a data file, and every change (file_changes.h).
std::vector<FileUse> AllFileUses()
{
    SelectedObjectTexts selected;
    std::vector<FileUse> uses = {
        {"objects.dat: names",          kCatalogueFileName, [] { ReadObjectNames(); }                         },
        {"objects.dat: find",           kCatalogueFileName, [=]() mutable { FindObjectByName("x", selected); }},
        {"places.dat: names",           kSiteListFileName,  [] { ReadSiteNames(); }                           },
        {"mirelta.ini: sort key",       kConfigFileName,    [] { ReadSortKey(); }                             },
        {"mirelta.ini: current site",   kConfigFileName,    [] { ReadCurrentSite(); }                         },
        {"messungen.csv: read",         kJournalFileName,   [] { ReadJournal(); }                             },
        {"messungen.csv: export to it", "export.csv",       [] { ExportJournal({}, ',', "export.csv"); }      },
    };
    for (const FileChange& change : AllFileChanges()) uses.push_back({change.name, change.file, change.run});
    return uses;
}

// The message the use ends with; "" when it did not fail.
std::string Failure(const FileUse& use)
{
    try {
        use.run();
    } catch (const MireltaError& error) {
        return error.what();
    }
    return {};
}

class OddFiles : public ::testing::Test {
protected:
    void SetUp() override { alarm(60); }
    void TearDown() override { alarm(0); }
    TempWorkingDir dir;
};

TEST_F(OddFiles, AFifoOrAFolderUnderADataFileNameIsRefusedAtOnceWithItsReason)
{
    namespace fs = std::filesystem;
    struct Odd {
        const char* what;
        std::function<void(const std::string&)> make;
        const char* reason;
    };
    const Odd odds[] = {
        {"FIFO",            [](const std::string& name) { ASSERT_EQ(mkfifo(name.c_str(), 0644), 0); },
         " ist eine benannte Pipe, keine gewöhnliche Datei"                                                                          },
        {"folder",          [](const std::string& name) { fs::create_directory(name); },                " ist ein Ordner, keine Datei"},
        {"link to nothing", [](const std::string& name) { fs::create_symlink("fehlt/" + name, name); },
         " ist eine Verknüpfung auf das fehlende Ziel \u201Efehlt/"                                                                  },
    };
    for (const FileUse& use : AllFileUses()) {
        for (const Odd& odd : odds) {
            fs::remove_all(use.file);
            odd.make(use.file);
            const fs::file_type before = fs::symlink_status(use.file).type();
            const std::string message = Failure(use);
            EXPECT_NE(message.find(use.file + odd.reason), std::string::npos)
                << use.name << ", " << odd.what << ": " << message;
            // There was no file to stay unchanged.
            EXPECT_EQ(message.find("unverändert"), std::string::npos) << use.name << ", " << odd.what;
            EXPECT_EQ(fs::symlink_status(use.file).type(), before) << use.name << ", " << odd.what;
        }
        fs::remove_all(use.file);
    }
}

TEST_F(OddFiles, ATwinThatIsAFolderIsNamedAndTheFileStays)
{
    for (const FileChange& change : AllFileChanges()) {
        WriteBytes(change.file, change.before);
        std::filesystem::create_directory(TwinOf(change));
        const std::string message = Failure({change.name, change.file, change.run});
        EXPECT_NE(message.find("(" + TwinOf(change) + " ist ein Ordner, keine Datei); die Datei ist unverändert"),
                  std::string::npos)
            << change.name << ": " << message;
        EXPECT_EQ(ReadBytes(change.file), change.before) << change.name;
        std::filesystem::remove_all(TwinOf(change));
    }
}

}  // namespace
