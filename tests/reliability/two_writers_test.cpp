// Two processes change one file at the same time, as two copies of the
// program in one folder would: each appends records of its own and deletes
// some of them again, in quick succession. One waits for the other as long as
// the program does, the other hardly at all, so that some of its changes
// fail. Afterwards every change reported done is in the file, every one
// reported failed is not, and the file reads without a damaged line.
//
// MIRELTA_WRITER_OPERATIONS sets the changes per process (default 60).

#include "catalogue/catalogue.h"
#include "journal/measurement_journal.h"
#include "platform/errors.h"
#include "platform/file_lock.h"
#include "tests/support/catalogue_records.h"
#include "tests/support/temp_working_dir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <sstream>
#include <thread>

namespace {

int OperationsPerProcess()
{
    const char* count = std::getenv("MIRELTA_WRITER_OPERATIONS");
    return count ? std::max(1, std::atoi(count)) : 60;
}

// A data file and how a writer changes it, each record named by an id.
struct SharedFile {
    const char* name;
    std::string start;
    std::function<void(const std::string& id)> append;  ///< throws MireltaError when it fails
    std::function<bool(const std::string& id)> remove;  ///< false: the record was not there
    std::function<std::multiset<std::string>()> ids;    ///< the ids in the file
};

SharedFile JournalFile()
{
    auto measurement = [](const std::string& id) {
        JournalMeasurement m;
        m.Day = 15, m.Month = 3, m.Year = 2003, m.Hour = 20, m.Minute = 5;
        m.SiteName = id;
        m.Formation = "Euler";
        m.TransitSeconds = 1.5;
        m.Height = 2000;
        return m;
    };
    return {kJournalFileName, "", [=](const std::string& id) { AppendToJournal(measurement(id), ','); },
            [](const std::string& id) {
                const Journal journal = ReadJournal();
                for (const JournalEntry& entry : journal.Entries)
                    if (entry.Measurement.SiteName == id) return DeleteFromJournal({entry}) == 1;
                return false;
            },
            [] {
                const Journal journal = ReadJournal();
                std::multiset<std::string> ids;
                for (const JournalEntry& entry : journal.Entries) ids.insert(entry.Measurement.SiteName);
                for (const DamagedJournalLine& damaged : journal.Damaged) ids.insert("damaged: " + damaged.Message);
                return ids;
            }};
}

SharedFile CatalogueFile()
{
    return {kCatalogueFileName, Record("1 2 3 4", "Basis", "1", "2", "100", "1"),
            [](const std::string& id) {
                AppendObject({10, 20, 30, 40, id, "1,5", "-2", "", "", "", "", "2"});
            },
            [](const std::string& id) { return DeleteUserObjects(id) == 1; },
            [] {
                std::multiset<std::string> ids;
                for (const LunarObject& object : ReadAllObjects()) ids.insert(object.Name);
                ids.erase("Basis");
                return ids;
            }};
}

// One writer: appends record after record; after every second one it
// deletes the oldest of its records it was told were saved. Each outcome
// goes to `log` as "<A|D> <id> <done|failed|missing>".
void Write(const SharedFile& file, int process, const std::string& log)
{
    std::ofstream out(log);
    std::deque<std::string> saved;
    std::mt19937 random(static_cast<unsigned>(process) * 7919u + static_cast<unsigned>(getpid()));
    for (int i = 0; i < OperationsPerProcess(); ++i) {
        // A pause of up to a millisecond lets the other run even on a busy
        // machine, so that the two really meet.
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 1000));
        const std::string id = "P" + std::to_string(process) + "-" + std::to_string(i);
        try {
            file.append(id);
            out << "A " << id << " done\n";
            saved.push_back(id);
        } catch (const MireltaError&) {
            out << "A " << id << " failed\n";
        }
        if (i % 2 == 1 && !saved.empty()) {
            const std::string victim = saved.front();
            saved.pop_front();
            std::string outcome;
            try {
                outcome = file.remove(victim) ? "done" : "missing";
            } catch (const MireltaError&) {
                outcome = "failed";
            }
            out << "D " << victim << " " << outcome << "\n";
        }
    }
}

TEST(TwoWriters, EverySaveReportedDoneIsInTheFileAndEveryFailedOneIsNot)
{
    for (const SharedFile& file : {JournalFile(), CatalogueFile()}) {
        TempWorkingDir dir;
        WriteBytes(file.name, file.start);
        // Both start together: they wait until the parent closes the pipe.
        int start[2];
        ASSERT_EQ(pipe(start), 0);
        pid_t writers[2];
        for (int process = 0; process < 2; ++process) {
            writers[process] = fork();
            ASSERT_GE(writers[process], 0);
            if (writers[process] == 0) {
                close(start[1]);
                char go;
                (void)!read(start[0], &go, 1);
                // One try only: whenever the other is changing the file, this one fails.
                if (process == 1) SetFileLockPatience(std::chrono::milliseconds(0));
                Write(file, process, "log" + std::to_string(process));
                _exit(0);
            }
        }
        close(start[0]);
        close(start[1]);
        for (pid_t writer : writers) {
            int status = 0;
            waitpid(writer, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << file.name;
        }

        std::multiset<std::string> expected;
        int done = 0, failed = 0, missing = 0;
        for (const char* log : {"log0", "log1"}) {
            std::istringstream lines(ReadBytes(log));
            std::string what, id, outcome;
            while (lines >> what >> id >> outcome) {
                done += outcome == "done";
                failed += outcome == "failed";
                missing += outcome == "missing";
                if (what == "A" && outcome == "done") expected.insert(id);
                if (what == "D" && outcome == "done") expected.erase(id);
                // A deletion that found its saved record gone: the save was lost.
                if (outcome == "missing") expected.erase(id);
            }
        }
        std::printf("%s: %d changes done, %d reported failed, %d saved records missing\n", file.name, done, failed,
                    missing);
        EXPECT_EQ(missing, 0) << file.name;
        EXPECT_EQ(file.ids(), expected) << file.name;
    }
}

}  // namespace
