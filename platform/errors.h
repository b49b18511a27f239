#pragma once
// The run-time errors of the program. Their what() is the German text the
// general error report shows; handlers never catch them themselves.

#include <stdexcept>
#include <string>

/// Base of every error the general error report shows.
class MireltaError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// A file that should exist does not ("Datei nicht gefunden").
class FileNotFoundError : public MireltaError {
public:
    FileNotFoundError() : MireltaError("Datei nicht gefunden") {}
};

/// Any other failing file operation: open, read, write, flush, rename.
class FileAccessError : public MireltaError {
public:
    using MireltaError::MireltaError;
};

/// A text that is not a number of the expected kind.
class ConversionError : public MireltaError {
public:
    using MireltaError::MireltaError;
};

/// A text that cannot be stored in the program's 8-bit files.
class EncodingError : public MireltaError {
public:
    using MireltaError::MireltaError;
};
