// objects.dat as anyone may have left it: the names, the lookups by name and
// by map point, every record, deleting and appending.

#include "catalogue/catalogue.h"
#include "platform/number_text.h"
#include "tests/fuzz/fuzz_support.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    fuzz::EnterScratchFolder();
    std::string_view input = fuzz::AsText(data, size);
    fuzz::PutFile(kCatalogueFileName, input);
    // The looked-up name and point come from the input too.
    std::string name(input.substr(0, std::min<size_t>(input.find('\n'), 31)));
    int x = size > 0 ? data[0] * 401 / 256 : 0;
    int y = size > 1 ? data[1] * 401 / 256 : 0;

    SelectedObjectTexts selected;
    fuzz::Try([&] { ReadObjectNames(); });
    fuzz::Try([&] { FindObjectByName(name, selected); });
    fuzz::Try([&] {
        if (auto found = FindObjectAtPoint(x, y, selected)) fuzz::Require(found->FrameContains(x, y), "pick in frame");
    });
    fuzz::Try([&] {
        for (const LunarObject& object : ReadAllObjects()) {
            for (int value : {object.FrameLeft, object.FrameRight, object.FrameTop, object.FrameBottom})
                fuzz::Require(0 <= value && value <= 400, "frame on the map");
            if (!object.SelenographicLatitude.empty())
                fuzz::Require(std::abs(FileTextToFloat(object.SelenographicLatitude)) <= 90, "latitude in range");
            if (!object.SelenographicLongitude.empty())
                fuzz::Require(std::abs(FileTextToFloat(object.SelenographicLongitude)) <= 180, "longitude in range");
        }
    });
    fuzz::Try([&] { DeleteUserObjects(name); });
    fuzz::Try([&] {
        LunarObject object;
        object.Name = name;
        object.FrameLeft = x;
        object.FrameRight = y;
        object.Origin = "2";
        AppendObject(object);
        // What was appended can be found again.
        SelectedObjectTexts again;
        fuzz::Require(FindObjectByName(name, again).has_value() || name.empty(), "appended record found");
    });
    return 0;
}
