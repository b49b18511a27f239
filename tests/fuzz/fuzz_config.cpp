// mirelta.ini as anyone may have left it: the sort key, the current site and
// both rewrites.

#include "setup/config_file.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    fuzz::EnterScratchFolder();
    std::string_view input = fuzz::AsText(data, size);
    fuzz::PutFile(kConfigFileName, input);

    std::string key;
    fuzz::Try([&] { key = ReadSortKey(); });
    StoredSite site;
    bool read = fuzz::Try([&] { site = ReadCurrentSite(); });
    fuzz::Try([&] { WriteSortKey(key); });
    if (read) {
        // A site read back is one that can be written and read again.
        fuzz::Try([&] {
            WriteCurrentSite(site);
            StoredSite again = ReadCurrentSite();
            fuzz::Require(again.LatitudeText == site.LatitudeText && again.LongitudeText == site.LongitudeText,
                          "site survives a rewrite");
        });
    }
    return 0;
}
