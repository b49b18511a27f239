#include "tests/support/temp_working_dir.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

TempWorkingDir::TempWorkingDir() : previous_(fs::current_path())
{
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = fs::temp_directory_path() / ("mirelta-test-" + std::to_string(random()));
        if (fs::create_directory(candidate)) {
            dir_ = candidate;
            fs::current_path(dir_);
            return;
        }
    }
    throw std::runtime_error("no temporary directory");
}

TempWorkingDir::~TempWorkingDir()
{
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    fs::remove_all(dir_, ignored);
}

void WriteBytes(const std::string& name, std::string_view bytes)
{
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string& name) { return fs::exists(name); }
