// The folders as layers: each folder's files include only their own folder
// and the folders below it, the uses form no cycle, and the lower layers
// stay free of Qt. The build's include roots already refuse most wrong
// includes; this catches the ones a widened link would let through.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct FolderRule {
    std::string Folder;
    std::vector<std::string> Uses;  ///< the folders directly below it
    bool WithoutQt = false;
};

// Keep in step with the README's "Layout".
const std::vector<FolderRule> Layers = {
    {"platform",   {},                                                           false},
    {"astronomy",  {"platform"},                                                 true },
    {"observing",  {"astronomy"},                                                true },
    {"catalogue",  {"platform"},                                                 true },
    {"windowbase", {"platform"},                                                 false},
    {"map",        {"reports", "catalogue", "windowbase"},                       false},
    {"setup",      {"astronomy", "windowbase"},                                  false},
    {"reports",    {"observing", "windowbase"},                                  false},
    {"journal",    {"reports", "observing", "windowbase"},                       false},
    {"photo",      {"map", "journal", "setup"},                                  false},
    {"app",        {"map", "journal", "photo", "setup", "reports", "catalogue"}, false},
};

// Folders at the top of the tree that hold no part of the program.
const std::set<std::string> NotProgramFolders = {"bench",     "tests",     "tools",  "data",
                                                 "packaging", "resources", "scripts"};

const fs::path SourceDir = MIRELTA_SOURCE_DIR;

std::map<std::string, std::set<std::string>> Reachable()
{
    std::map<std::string, std::vector<std::string>> uses;
    for (const FolderRule& rule : Layers) uses[rule.Folder] = rule.Uses;
    std::map<std::string, std::set<std::string>> reachable;
    for (const FolderRule& rule : Layers) {
        std::vector<std::string> open = rule.Uses;
        std::set<std::string>& seen = reachable[rule.Folder];
        while (!open.empty()) {
            const std::string folder = open.back();
            open.pop_back();
            if (!seen.insert(folder).second) continue;
            for (const std::string& next : uses[folder]) open.push_back(next);
        }
    }
    return reachable;
}

std::vector<fs::path> SourceFiles(const std::string& folder)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(SourceDir / folder)) {
        const std::string ext = entry.path().extension().string();
        if (entry.is_regular_file() && (ext == ".h" || ext == ".cpp")) files.push_back(entry.path());
    }
    return files;
}

/// The text between the quotes or angle brackets of each #include line.
std::vector<std::string> Includes(const fs::path& file)
{
    std::ifstream in(file);
    std::vector<std::string> includes;
    for (std::string line; std::getline(in, line);) {
        const std::size_t hash = line.find_first_not_of(" \t");
        if (hash == std::string::npos || line.compare(hash, 1, "#") != 0) continue;
        const std::size_t word = line.find_first_not_of(" \t", hash + 1);
        if (word == std::string::npos || line.compare(word, 7, "include") != 0) continue;
        const std::size_t open = line.find_first_of("\"<", word + 7);
        const std::size_t close = line.find_first_of("\">", open + 1);
        if (open != std::string::npos && close != std::string::npos)
            includes.push_back(line.substr(open, close - open + 1));
    }
    return includes;
}

}  // namespace

TEST(Architecture, FolderUsesFormNoCycle)
{
    for (const auto& [folder, below] : Reachable()) EXPECT_FALSE(below.count(folder)) << folder << " uses itself";
}

TEST(Architecture, EveryProgramFolderHasARule)
{
    std::set<std::string> ruled;
    for (const FolderRule& rule : Layers) ruled.insert(rule.Folder);
    for (const auto& entry : fs::directory_iterator(SourceDir)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_directory() || name.starts_with(".") || name.starts_with("build") ||
            NotProgramFolders.count(name))
            continue;
        EXPECT_TRUE(ruled.count(name)) << name << "/ has no place among the layers";
    }
}

TEST(Architecture, FoldersIncludeOnlyTheirOwnAndLowerFolders)
{
    const auto reachable = Reachable();
    std::set<std::string> folders;
    for (const FolderRule& rule : Layers) folders.insert(rule.Folder);
    for (const FolderRule& rule : Layers) {
        for (const fs::path& file : SourceFiles(rule.Folder)) {
            const std::string name = fs::relative(file, SourceDir).string();
            for (const std::string& include : Includes(file)) {
                if (include.front() != '"') continue;
                const std::string path = include.substr(1, include.size() - 2);
                EXPECT_EQ(path.find(".."), std::string::npos) << name << " reaches out with " << include;
                const std::string folder = path.substr(0, path.find('/'));
                if (folder == path || folder == rule.Folder || !folders.count(folder)) continue;
                EXPECT_TRUE(reachable.at(rule.Folder).count(folder))
                    << name << " includes " << include << ", but " << rule.Folder << "/ lies below " << folder << "/";
            }
        }
    }
}

TEST(Architecture, LowerLayersUseNoQt)
{
    for (const FolderRule& rule : Layers) {
        if (!rule.WithoutQt) continue;
        std::ifstream lists(SourceDir / rule.Folder / "CMakeLists.txt");
        const std::string cmake{std::istreambuf_iterator<char>(lists), {}};
        EXPECT_EQ(cmake.find("Qt6::"), std::string::npos) << rule.Folder << "/ links Qt";
        for (const fs::path& file : SourceFiles(rule.Folder)) {
            for (const std::string& include : Includes(file)) {
                const bool qt = include.starts_with("<Q") || include.ends_with(".moc\"");
                EXPECT_FALSE(qt) << fs::relative(file, SourceDir).string() << " includes " << include;
            }
        }
    }
}
