#pragma once
// A text someone else typed (a command-line argument, a name from a file),
// made safe to echo in a message: it cannot clear the terminal, move the
// cursor, turn the rest of the line round or fill the screen.

#include <cstddef>
#include <string>
#include <string_view>

/// `text` (UTF-8) with every control character shown by its escape ("\n",
/// "\t", "\x1B", "\u202E" for the marks that reorder text) and every byte
/// that is no valid UTF-8 as "\xFF"; cut after `most` characters, a cut
/// marked by "…".
std::string VisibleText(std::string_view text, std::size_t most = 40);
