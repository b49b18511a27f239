#include "bench/support/iau_catalogue.h"

#include "astronomy/angles.h"
#include "map/map_projection.h"
#include "platform/cp1252.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr double kMoonRadiusKm = 1737.4;
constexpr int kOutlinePoints = 72;
constexpr int kSmallestFrame = 5;     // pixels, each side
constexpr int kAssumedHeight = 1000;  // metres, with HeightForEveryFormation

std::vector<std::vector<std::string>> ReadTable(const std::filesystem::path& file)
{
    std::ifstream in(file);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    std::vector<std::vector<std::string>> rows;
    std::string line;
    std::getline(in, line);  // the column names
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        std::vector<std::string> fields;
        std::stringstream cells(line);
        std::string cell;
        while (std::getline(cells, cell, '\t')) fields.push_back(cell);
        rows.push_back(std::move(fields));
    }
    return rows;
}

std::string GermanKind(const std::string& code, const std::string& name)
{
    static const std::map<std::string, std::string> kinds = {
        {"AA", "Krater"       },
        {"SF", "Krater"       },
        {"CA", "Kraterkette"  },
        {"DO", "Rücken"      },
        {"LC", "See"          },
        {"LF", "Landestelle"  },
        {"ME", "Meer"         },
        {"OC", "Ozean"        },
        {"PA", "Sumpf"        },
        {"PL", "Ebene"        },
        {"PR", "Kap"          },
        {"RI", "Rille"        },
        {"RU", "Geländestufe"},
        {"SI", "Bucht"        },
        {"VA", "Tal"          },
        {"AL", "Albedomerkmal"},
    };
    if (code == "MO") return name.rfind("Montes", 0) == 0 ? "Gebirge" : "Berg";
    const auto kind = kinds.find(code);
    return kind == kinds.end() ? "Formation" : kind->second;
}

// The letters of the gazetteer's names that Windows-1252 lacks.
std::string StorableName(const std::string& name)
{
    std::string stored;
    if (TryUtf8ToCp1252(name, stored)) return stored;
    static const std::pair<const char*, const char*> plain[] = {
        {"ć", "c"},
        {"č", "c"},
        {"ě", "e"},
        {"ń", "n"},
        {"ř", "r"},
        {"Č", "C"},
        {"Ř", "R"},
        {"Š", "S"},
        {"Ž", "Z"},
    };
    std::string text = name;
    for (const auto& [from, to] : plain)
        for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at))
            text.replace(at, std::string(from).size(), to);
    return Utf8ToCp1252(text);
}

std::string DecimalComma(std::string number)
{
    std::replace(number.begin(), number.end(), '.', ',');
    return number;
}

struct Frame {
    int left, right, top, bottom;
};

// A point of the outline in map pixels; far-side points go to the limb.
void AddToFrame(double latitude, double longitude, double& left, double& right, double& top, double& bottom)
{
    MapViewPoint p = ToMapView(latitude, longitude);
    if (p.Towards < 0) {
        const double r = std::hypot(p.East, p.North);
        if (r > 0) p.East /= r, p.North /= r;
    }
    left = std::min(left, MapX(p));
    right = std::max(right, MapX(p));
    top = std::min(top, MapY(p));
    bottom = std::max(bottom, MapY(p));
}

Frame OutlineFrame(double latitude, double longitude, double diameterKm)
{
    double left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
    AddToFrame(latitude, longitude, left, right, top, bottom);
    // A circle of the formation's radius around its centre, on the sphere.
    const double arc = diameterKm / 2 / kMoonRadiusKm;
    const double phi = latitude * DegreeFactor;
    for (int i = 0; i < kOutlinePoints; ++i) {
        const double bearing = TwoPi * i / kOutlinePoints;
        const double lat = std::asin(std::sin(phi) * std::cos(arc) + std::cos(phi) * std::sin(arc) * std::cos(bearing));
        const double dLon = std::atan2(std::sin(bearing) * std::sin(arc) * std::cos(phi),
                                       std::cos(arc) - std::sin(phi) * std::sin(lat));
        AddToFrame(lat / DegreeFactor, longitude + dLon / DegreeFactor, left, right, top, bottom);
    }
    auto side = [](double low, double high) {
        int from = static_cast<int>(std::floor(low)), to = static_cast<int>(std::ceil(high));
        if (to - from + 1 < kSmallestFrame) {
            const int middle = (from + to) / 2;
            from = middle - kSmallestFrame / 2;
            to = from + kSmallestFrame - 1;
        }
        from = std::clamp(from, 0, MapSize - kSmallestFrame);
        to = std::clamp(to, from + kSmallestFrame - 1, MapSize - 1);
        return std::pair{from, to};
    };
    const auto [l, r] = side(left, right);
    const auto [t, b] = side(top, bottom);
    return {l, r, t, b};
}

}  // namespace

std::filesystem::path IauSourceDataFolder() { return MIRELTA_SOURCE_DATA_DIR; }

IauCatalogueSummary WriteIauCatalogue(const std::filesystem::path& output, const IauCatalogueOptions& options,
                                      const std::filesystem::path& sourceData)
{
    std::map<std::string, std::string> heights;
    for (const auto& row : ReadTable(sourceData / "feature-heights.tsv"))
        if (row.size() >= 2) heights[row[0]] = row[1];

    std::string file;
    IauCatalogueSummary summary;
    auto line = [&file](const std::string& text) { file += text + "\r\n"; };
    for (const auto& row : ReadTable(sourceData / "moon-features.tsv")) {
        if (row.size() < 6) continue;
        const std::string& name = row[1];
        const double latitude = std::stod(row[3]), longitude = std::stod(row[4]), diameter = std::stod(row[5]);
        const Frame frame = OutlineFrame(latitude, longitude, diameter);
        std::string height = heights.count(name) ? heights[name] : "";
        if (height.empty() && options.HeightForEveryFormation) height = std::to_string(kAssumedHeight);

        for (int value : {frame.left, frame.right, frame.top, frame.bottom}) line(std::to_string(value));
        line(StorableName(name));
        line(DecimalComma(row[3]));
        line(DecimalComma(row[4]));
        line(height);
        line(Utf8ToCp1252(GermanKind(row[2], name)));
        line("Durchmesser " + std::to_string(std::lround(diameter)) + " km");
        line("");
        line(height.empty() ? "0" : "1");

        ++summary.Formations;
        if (ToMapView(latitude, longitude).Towards <= 0) ++summary.FarSide;
        if (!height.empty()) ++summary.WithHeight;
    }
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out << file;
    if (!out.flush()) throw std::runtime_error("cannot write " + output.string());
    return summary;
}
