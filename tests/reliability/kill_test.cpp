// A process that is changing a data file is killed (SIGKILL) at random
// moments: afterwards the file is always whole, byte for byte its old or its
// new content; a twin left by the killed process disturbs nothing.
//
// MIRELTA_KILL_RUNS sets the runs per data file (default 20; the long run in
// scripts/kill_test.sh uses 500). Each run forks a child that makes one
// change; the parent kills it after a random delay of up to one and a half
// times the change's usual duration.

#include "tests/reliability/file_changes.h"
#include "tests/support/temp_working_dir.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <map>
#include <random>

namespace {

int RunsPerFile()
{
    const char* runs = std::getenv("MIRELTA_KILL_RUNS");
    return runs ? std::max(1, std::atoi(runs)) : 20;
}

// Runs the change in a child; kills it after `delay` unless it finished.
// Returns true when the kill hit the running change.
bool RunAndKill(const FileChange& change, std::chrono::microseconds delay)
{
    pid_t child = fork();
    if (child == 0) {
        try {
            change.run();
        } catch (...) {
            _exit(2);
        }
        _exit(0);
    }
    if (child < 0) std::abort();
    timespec pause{0, static_cast<long>(delay.count()) * 1000};
    nanosleep(&pause, nullptr);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status)) {
        EXPECT_EQ(WEXITSTATUS(status), 0) << change.name;
    }
    return WIFSIGNALED(status);
}

std::chrono::microseconds UsualDuration(const FileChange& change)
{
    std::vector<std::chrono::microseconds> durations;
    for (int i = 0; i < 5; ++i) {
        WriteBytes(change.file, change.before);
        auto start = std::chrono::steady_clock::now();
        pid_t child = fork();
        if (child == 0) {
            change.run();
            _exit(0);
        }
        waitpid(child, nullptr, 0);
        durations.push_back(
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start));
    }
    std::sort(durations.begin(), durations.end());
    return durations[durations.size() / 2];
}

TEST(KillTest, AKilledChangeLeavesTheOldOrTheNewFile)
{
    TempWorkingDir dir;
    std::vector<FileChange> changes = AllFileChanges();
    std::map<std::string, std::vector<const FileChange*>> byFile;
    std::map<std::string, std::string> after;
    std::map<std::string, std::chrono::microseconds> usual;
    for (const FileChange& change : changes) {
        byFile[change.file].push_back(&change);
        WriteBytes(change.file, change.before);
        change.run();
        after[change.name] = ReadBytes(change.file);
        usual[change.name] = UsualDuration(change);
    }

    std::mt19937 random(std::random_device{}());
    for (const auto& [file, fileChanges] : byFile) {
        int runs = 0, kills = 0, lost = 0, mixed = 0, twinsLeft = 0;
        for (int run = 0; run < RunsPerFile(); ++run) {
            const FileChange& change = *fileChanges[random() % fileChanges.size()];
            WriteBytes(change.file, change.before);
            auto span = usual[change.name].count() * 3 / 2 + 1;
            std::chrono::microseconds delay(std::uniform_int_distribution<long>(0, span)(random));
            kills += RunAndKill(change, delay);
            ++runs;
            if (!FileExists(change.file)) {
                ++lost;
                continue;
            }
            std::string content = ReadBytes(change.file);
            if (content != change.before && content != after[change.name]) ++mixed;
            twinsLeft += FileExists(TwinOf(change));
        }
        std::printf("%s: %d runs, %d killed while changing, %d files lost, %d mixed, %d twins left behind\n",
                    file.c_str(), runs, kills, lost, mixed, twinsLeft);
        EXPECT_EQ(lost, 0) << file;
        EXPECT_EQ(mixed, 0) << file;
        // Left-over twins must not disturb the next change.
        const FileChange& change = *fileChanges.front();
        WriteBytes(change.file, change.before);
        change.run();
        EXPECT_EQ(ReadBytes(change.file), after[change.name]) << file;
    }
}

}  // namespace
