#pragma once
// The run-time errors of the program. Their what() is the German text the
// general error report shows; handlers never catch them themselves.

#include <stdexcept>
#include <string>
#include <string_view>

/// Base of every error the general error report shows.
class MireltaError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// A file that should exist does not: "objects.dat: Datei nicht gefunden".
class FileNotFoundError : public MireltaError {
public:
    FileNotFoundError() : MireltaError("Datei nicht gefunden") {}
    explicit FileNotFoundError(const std::string& fileName) : MireltaError(fileName + ": Datei nicht gefunden") {}
};

/// Any other failing file operation: open, read, write, flush, rename.
class FileAccessError : public MireltaError {
public:
    using MireltaError::MireltaError;
};

/// A text that is not a number of the expected kind, or a number outside
/// the range its field allows.
class ConversionError : public MireltaError {
public:
    using MireltaError::MireltaError;
};

/// A text that cannot be stored in the program's 8-bit files.
class EncodingError : public MireltaError {
public:
    using MireltaError::MireltaError;
};

/// "objects.dat, Zeile 13": where a line of a data file stands, for messages.
inline std::string FileLine(std::string_view fileName, int line)
{
    std::string where(fileName);
    where += ", Zeile ";
    where += std::to_string(line);
    return where;
}

/// "<where>: <message>", the form of every message about a place in a file.
inline std::string Located(std::string_view where, std::string_view message)
{
    std::string text(where);
    text += ": ";
    text += message;
    return text;
}
