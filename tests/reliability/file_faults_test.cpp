// Every append and rewrite of the three data files, with each of its file
// operations failing in turn (an I/O error, a full disk, a short write):
// the file is afterwards byte for byte its old or its new content, the
// failure was reported exactly when it is the old one, no twin is left
// behind, and repeating the change after a failure gives the new content
// once (never a record twice).

#include "tests/reliability/file_faults.h"
#include "journal/measurement_journal.h"
#include "platform/errors.h"
#include "tests/reliability/file_changes.h"
#include "tests/support/temp_working_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace {

struct Outcome {
    bool reported = false;
    std::string message;
};

Outcome RunChange(const FileChange& change, FileOperations& operations)
{
    ScopedFileOperations installed(operations);
    Outcome outcome;
    try {
        change.run();
    } catch (const MireltaError& error) {
        outcome.reported = true;
        outcome.message = error.what();
    }
    return outcome;
}

void Reset(const FileChange& change)
{
    WriteBytes(change.file, change.before);
    std::remove(TwinOf(change).c_str());
}

TEST(FileFaults, EveryFailingCallLeavesTheOldOrTheNewFileAndReportsExactlyTheOld)
{
    TempWorkingDir dir;
    int runs = 0;
    for (const FileChange& change : AllFileChanges()) {
        Reset(change);
        FaultyFileOperations counting;
        ASSERT_FALSE(RunChange(change, counting).reported) << change.name;
        const std::string after = ReadBytes(change.file);
        ASSERT_NE(after, change.before) << change.name;

        for (FileCall call : kAllFileCalls) {
            for (int k = 1; k <= counting.Count(call); ++k) {
                for (Fault fault : {Fault::IoError, Fault::DiskFull, Fault::ShortWrite}) {
                    if (fault == Fault::ShortWrite && call != FileCall::Write) continue;
                    std::string what =
                        change.name + ", " + FileCallName(call) + " #" + std::to_string(k) + ", " + FaultName(fault);
                    Reset(change);
                    FaultyFileOperations faulty;
                    faulty.FailAt(call, k, fault);
                    Outcome outcome = RunChange(change, faulty);
                    ++runs;
                    std::string content = ReadBytes(change.file);
                    EXPECT_TRUE(faulty.Failed()) << what;
                    EXPECT_TRUE(content == change.before || content == after) << what;
                    EXPECT_EQ(outcome.reported, content == change.before) << what << ": " << outcome.message;
                    EXPECT_FALSE(FileExists(TwinOf(change))) << what;
                    if (outcome.reported) {
                        EXPECT_NE(outcome.message.find("nicht möglich"), std::string::npos) << what;
                    }

                    // Tried again once the disk is fine: the new content, once.
                    FileOperations real;
                    EXPECT_FALSE(RunChange(change, real).reported) << what;
                    if (outcome.reported) {
                        EXPECT_EQ(ReadBytes(change.file), after) << what;
                    }
                }
            }
        }
    }
    EXPECT_GT(runs, 100);
    std::printf("fault runs: %d\n", runs);
}

TEST(FileFaults, TheTwinIsSyncedBeforeItReplacesTheFileAndTheFolderAfter)
{
    // Without the fsync a power failure after the rename could leave an
    // empty file under the old name; without the folder's, the old file.
    TempWorkingDir dir;
    for (const FileChange& change : AllFileChanges()) {
        Reset(change);
        FaultyFileOperations recording;
        ASSERT_FALSE(RunChange(change, recording).reported);
        const std::vector<RecordedCall>& calls = recording.Calls();
        int twin = -1;
        int folder = -1;
        size_t lastWrite = 0, sync = 0, close = 0, rename = 0, folderSync = 0;
        for (size_t i = 0; i < calls.size(); ++i) {
            const RecordedCall& c = calls[i];
            if (c.call == FileCall::Open && c.path.ends_with(TwinOf(change))) twin = c.fd;
            if (c.fd == twin && c.call == FileCall::Write) lastWrite = i;
            if (c.fd == twin && c.call == FileCall::Fsync && !sync) sync = i;
            if (c.fd == twin && c.call == FileCall::Close && !close) close = i;
            if (c.call == FileCall::Rename) rename = i;
            if (rename && c.call == FileCall::Open && std::filesystem::equivalent(c.path, ".")) folder = c.fd;
            if (rename && c.fd == folder && c.call == FileCall::Fsync) folderSync = i;
        }
        ASSERT_GE(twin, 0) << change.name;
        EXPECT_GT(sync, lastWrite) << change.name;
        EXPECT_LT(sync, close) << change.name;
        EXPECT_LT(close, rename) << change.name;
        EXPECT_GE(folder, 0) << change.name << ": the folder is not opened after the rename";
        EXPECT_GT(folderSync, rename) << change.name << ": the folder is not synced after the rename";
    }
}

TEST(FileFaults, ANewJournalIsCreatedWholeOrNotAtAll)
{
    TempWorkingDir dir;
    JournalMeasurement measured;
    measured.Formation = "Euler";
    const FileChange create{"messungen.csv: create", kJournalFileName, "", [&] { AppendToJournal(measured, ','); }};
    FaultyFileOperations counting;
    ASSERT_FALSE(RunChange(create, counting).reported);
    const std::string whole = ReadBytes(kJournalFileName);
    for (FileCall call : kAllFileCalls) {
        for (int k = 1; k <= counting.Count(call); ++k) {
            std::string what = std::string(FileCallName(call)) + " #" + std::to_string(k);
            std::remove(kJournalFileName);
            FaultyFileOperations faulty;
            faulty.FailAt(call, k, Fault::IoError);
            Outcome outcome = RunChange(create, faulty);
            EXPECT_TRUE(faulty.Failed()) << what;
            EXPECT_EQ(outcome.reported, !FileExists(kJournalFileName)) << what << ": " << outcome.message;
            if (!outcome.reported) {
                EXPECT_EQ(ReadBytes(kJournalFileName), whole) << what;
            }
            EXPECT_FALSE(FileExists(TwinOf(create))) << what;
        }
    }
}

}  // namespace
