// places.dat as anyone may have left it: the names, a record by name,
// appending, replacing and removing records.

#include "setup/site_list_file.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    fuzz::EnterScratchFolder();
    std::string_view input = fuzz::AsText(data, size);
    fuzz::PutFile(kSiteListFileName, input);
    std::string name(input.substr(0, std::min<size_t>(input.find('\n'), 40)));
    if (!name.empty() && name.back() == '\r') name.pop_back();

    std::vector<std::string> names;
    fuzz::Try([&] { names = ReadSiteNames(); });
    fuzz::Try([&] { FindSite(name); });
    for (size_t i = 0; i < names.size() && i < 4; ++i) fuzz::Try([&] { FindSite(names[i]); });
    fuzz::Try([&] { ReplaceSites(name, {name + "x", "50,5", "-7.25"}); });
    fuzz::Try([&] {
        AppendSite({name, "1", "2"});
        fuzz::Require(FindSite(name).has_value(), "appended site found");
    });
    fuzz::Try([&] { RemoveSites(name); });
    return 0;
}
