#pragma once
// Every way the program changes one of its three data files (the appends
// and rewrites of objects.dat, places.dat and mirelta.ini), each with the
// content it starts from, for the fault and kill tests.

#include <functional>
#include <string>
#include <vector>

struct FileChange {
    std::string name;    ///< e.g. "objects.dat: append"
    std::string file;    ///< the data file it changes
    std::string before;  ///< its content before the change
    std::function<void()> run;
};

std::vector<FileChange> AllFileChanges();

/// The twin a change goes through ("objects2.dat").
std::string TwinOf(const FileChange& change);
