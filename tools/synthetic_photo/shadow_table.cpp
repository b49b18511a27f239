#include "tools/synthetic_photo/shadow_table.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

namespace {

std::vector<std::string> Split(const std::string& line)
{
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, ';');) fields.push_back(field);
    return fields;
}

}  // namespace

std::vector<ShadowCase> ReadShadowTable(const std::string& path)
{
    std::ifstream file(path);
    if (!file) throw std::runtime_error("cannot read " + path);
    std::string line;
    std::getline(file, line);
    std::map<std::string, std::size_t> column;
    const std::vector<std::string> header = Split(line);
    for (std::size_t i = 0; i < header.size(); ++i) column[header[i]] = i;
    auto at = [&](const std::vector<std::string>& f, const char* name) -> const std::string& {
        const auto found = column.find(name);
        if (found == column.end() || found->second >= f.size())
            throw std::runtime_error(std::string("no column ") + name + " in " + path);
        return f[found->second];
    };
    auto number = [&](const std::vector<std::string>& f, const char* name) { return std::stod(at(f, name)); };

    std::vector<ShadowCase> table;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        const std::vector<std::string> f = Split(line);
        ShadowCase c;
        c.Date = at(f, "date");
        c.Time = at(f, "time");
        std::sscanf(c.Date.c_str(), "%d.%d.%d", &c.Day, &c.Month, &c.Year);
        std::sscanf(c.Time.c_str(), "%d:%d", &c.Hour, &c.Minute);
        c.Site = at(f, "site");
        c.SiteLatitude = number(f, "site_lat");
        c.SiteLongitude = number(f, "site_lon");
        c.Object = at(f, "object");
        c.ObjectLatitude = number(f, "obj_lat");
        c.ObjectLongitude = number(f, "obj_lon");
        c.Height = number(f, "height_m");
        c.TransitSeconds = number(f, "transit_s");
        c.SunAltitude = number(f, "sun_alt_deg");
        c.MoonAltitude = number(f, "moon_alt_deg");
        c.SummitEast = number(f, "summit_e");
        c.SummitNorth = number(f, "summit_n");
        c.TipEast = number(f, "tip_e");
        c.TipNorth = number(f, "tip_n");
        c.SemiDiameter = number(f, "semidiameter");
        c.AxisPositionAngle = number(f, "axis_pa");
        table.push_back(std::move(c));
    }
    return table;
}

std::vector<ShadowCase> CasesAt(const std::vector<ShadowCase>& table, const std::string& date, const std::string& time,
                                const std::string& site)
{
    std::vector<ShadowCase> cases;
    std::copy_if(table.begin(), table.end(), std::back_inserter(cases),
                 [&](const ShadowCase& c) { return c.Date == date && c.Time == time && c.Site == site; });
    return cases;
}

SkyPlace FootOf(const std::vector<ShadowCase>& casesAtMoment, const std::string& object)
{
    std::vector<const ShadowCase*> summits;
    for (const ShadowCase& c : casesAtMoment)
        if (c.Object == object) summits.push_back(&c);
    std::sort(summits.begin(), summits.end(), [](auto* a, auto* b) { return a->Height < b->Height; });
    if (summits.size() < 2) throw std::runtime_error("fewer than two heights of " + object);
    const ShadowCase& low = *summits[0];
    const ShadowCase& high = *summits[1];
    const double f = low.Height / (high.Height - low.Height);
    return {low.SummitEast - f * (high.SummitEast - low.SummitEast),
            low.SummitNorth - f * (high.SummitNorth - low.SummitNorth)};
}
