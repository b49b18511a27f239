#pragma once
// Shared by the fuzz targets: a scratch working folder for the readers that
// open their files by bare name, and the rule every target checks: reading
// outside text may end in one of the program's own errors (shown to the
// user as a German message), never in anything else. Any other exception
// escapes the target and counts as a finding, as does a crash or a report
// of the sanitizers.

#include "platform/errors.h"

#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

/// The input as text.
inline std::string_view AsText(const std::uint8_t* data, size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

/// Moves the process into a fresh folder once (on a RAM disk when there is
/// one, since the targets write their files at every run); the folder is
/// removed when the process ends.
inline void EnterScratchFolder()
{
    static std::string folder;
    if (!folder.empty()) return;
    std::string base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string pattern = base + "/mirelta-fuzz-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data()) || chdir(buffer.data()) != 0) std::abort();
    folder = buffer.data();
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    });
}

/// Writes `bytes` to `name` in the current folder, replacing what was there.
inline void PutFile(const char* name, std::string_view bytes)
{
    std::FILE* file = std::fopen(name, "wb");
    if (!file) std::abort();
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) std::abort();
    std::fclose(file);
}

/// Splits the input at `separator` into at most `count` parts (the last part
/// keeps any further separators); missing parts are empty.
inline std::vector<std::string> Split(std::string_view text, char separator, size_t count)
{
    std::vector<std::string> parts;
    while (parts.size() + 1 < count) {
        size_t at = text.find(separator);
        if (at == std::string_view::npos) break;
        parts.emplace_back(text.substr(0, at));
        text.remove_prefix(at + 1);
    }
    parts.emplace_back(text);
    parts.resize(count);
    return parts;
}

/// Runs `step`; the program's own errors are an expected outcome.
template <class Step>
bool Try(Step&& step)
{
    try {
        step();
        return true;
    } catch (const MireltaError&) {
        return false;
    }
}

/// A broken promise of the code under test.
inline void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "violated: %s\n", what);
        std::abort();
    }
}

}  // namespace fuzz
