// Windows-1252 and UTF-8: every byte string survives a round trip through
// UTF-8, text accepted for a file reads back unchanged, no control character
// or malformed sequence is ever accepted as a field, and a file is read
// either as Windows-1252 or (when it is well-formed UTF-8) as UTF-8.

#include "platform/cp1252.h"
#include "platform/text_file.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    std::string_view input = fuzz::AsText(data, size);

    std::string utf8 = Cp1252ToUtf8(input);
    fuzz::Require(IsValidUtf8(utf8), "decoded bytes are valid UTF-8");
    fuzz::Require(Utf8ToCp1252(utf8) == input, "bytes survive a round trip");

    std::string bytes;
    if (TryUtf8ToCp1252(input, bytes)) {
        fuzz::Require(IsValidUtf8(input), "only valid UTF-8 converts");
        fuzz::Require(Cp1252ToUtf8(bytes) == input, "text survives a round trip");
    }
    std::string field;
    if (fuzz::Try([&] { field = EncodeField(input, "Name"); })) {
        fuzz::Require(!HasControlCharacter(field), "no control character in a field");
        fuzz::Require(Cp1252ToUtf8(field) == input, "field reads back");
    }

    fuzz::EnterScratchFolder();
    fuzz::PutFile("text.dat", input);
    fuzz::Try([&] {
        TextFileReader file("text.dat");
        while (!file.AtEnd()) fuzz::Require(IsValidUtf8(file.ReadLine()), "lines read are valid UTF-8");
    });
    return 0;
}
