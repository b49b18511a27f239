#include "bench/support/generated_catalogue.h"

#include "map/map_projection.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

// Windows-1252 bytes: umlauts and sharp s, as German names have them.
const char* const kSyllables[] = {"Ar",     "be",  "Cor", "dal", "\xC4g", "fen", "Gru",    "hel",   "Ist", "jan",
                                  "Kl\xF6", "lin", "Mon", "nar", "Ost",   "per", "Qu",     "ras",   "St",  "tor",
                                  "\xDC",   "ver", "Wal", "xen", "Yor",   "zi",  "ma\xDF", "\xF6r", "sch", "\xE4l"};
constexpr int kSyllableCount = static_cast<int>(std::size(kSyllables));

const char* const kKinds[] = {"Krater", "Berg", "Rille", "Tal", "Kraterkette", "Kap"};

// A name unique to `i`: its digits in base kSyllableCount as syllables; some
// start with a lower-case letter, every seventh gets a satellite letter.
std::string Name(int i)
{
    std::string name;
    for (int rest = i, syllables = 0; syllables < 2 || rest > 0; rest /= kSyllableCount, ++syllables)
        name += kSyllables[rest % kSyllableCount];
    if (i % 11 == 0) name[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[0])));
    if (i % 7 == 0) name += std::string(" ") + static_cast<char>('A' + i % 26);
    return name;
}

std::string DecimalComma(double value)
{
    std::string text = std::to_string(std::round(value * 10000) / 10000);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

}  // namespace

std::string GeneratedCatalogue(int records)
{
    std::string file;
    file.reserve(static_cast<std::size_t>(records) * 110);
    auto line = [&file](const std::string& text) {
        file += text;
        file += "\r\n";
    };
    for (int i = 0; i < records; ++i) {
        // Spread over the near side by a fixed sequence (golden-ratio steps).
        const double latitude = -75 + 150 * std::fmod(i * 0.6180339887, 1.0);
        const double longitude = -80 + 160 * std::fmod(i * 0.7548776662 + 0.5, 1.0);
        const MapViewPoint centre = ToMapView(latitude, longitude);
        const int half = 2 + i % 8;
        const int x = static_cast<int>(std::lround(MapX(centre))), y = static_cast<int>(std::lround(MapY(centre)));
        for (int edge : {x - half, x + half, y - half, y + half})
            line(std::to_string(std::clamp(edge, 0, MapSize - 1)));
        line(Name(i));
        line(DecimalComma(latitude));
        line(DecimalComma(longitude));
        const bool withHeight = i % 4 == 0;
        line(withHeight ? std::to_string(500 + i % 4000) : "");
        line(kKinds[i % std::size(kKinds)]);
        line("Durchmesser " + std::to_string(3 + i % 90) + " km");
        line("");
        line(withHeight ? "1" : "0");
    }
    return file;
}
