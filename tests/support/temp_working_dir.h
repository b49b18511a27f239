#pragma once
// Runs a test inside a fresh empty directory, since the program opens its
// data files by bare name in the current directory.

#include <filesystem>
#include <string>
#include <string_view>

class TempWorkingDir {
public:
    TempWorkingDir();
    ~TempWorkingDir();
    TempWorkingDir(const TempWorkingDir&) = delete;
    TempWorkingDir& operator=(const TempWorkingDir&) = delete;

    const std::filesystem::path& path() const { return dir_; }

private:
    std::filesystem::path previous_;
    std::filesystem::path dir_;
};

/// Writes `bytes` to `name` exactly as given.
void WriteBytes(const std::string& name, std::string_view bytes);

/// The whole content of `name`; empty when it does not exist.
std::string ReadBytes(const std::string& name);

/// True when `name` exists in the current directory.
bool FileExists(const std::string& name);
