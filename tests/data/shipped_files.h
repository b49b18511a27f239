#pragma once
// The files shipped in data/ are checked as the program sees them: copied
// into a scratch working directory and opened there by bare name.

#include "tests/support/temp_working_dir.h"

#include <filesystem>
#include <string>

/// Copies data/<name> of the source tree into the current directory.
inline void CopyShippedFile(const std::string& name)
{
    std::filesystem::path source(MIRELTA_DATA_DIR);
    source /= name;
    std::filesystem::copy_file(source, name, std::filesystem::copy_options::overwrite_existing);
}

/// True when `bytes` ends every line with CR LF and has no other CR or LF.
inline bool HasOnlyCrLfLineEnds(const std::string& bytes)
{
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) return false;
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) return false;
    }
    return bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0;
}

/// Number of lines of a file whose lines all end with CR LF.
inline size_t CountLines(const std::string& bytes)
{
    size_t lines = 0;
    for (char c : bytes) lines += c == '\n';
    return lines;
}
