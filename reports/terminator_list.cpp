#include "reports/terminator_list.h"

#include "observing/shadow_transit.h"
#include "observing/terminator_zone.h"
#include "platform/errors.h"
#include "platform/number_text.h"
#include "platform/time_text.h"
#include "reports/ephemeris_table_text.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace {

bool WorthTiming(const TerminatorFormation& formation) { return formation.Timing == TimingVerdict::Timeable; }

}  // namespace

std::optional<double> CatalogueCoordinate(const std::string& text)
{
    if (text.empty()) return std::nullopt;
    try {
        const double value = FileTextToFloat(text);
        if (std::isfinite(value)) return value;
    } catch (const ConversionError&) {}
    return std::nullopt;
}

PlacedFormations PlaceFormations(const std::vector<CatalogueFormation>& catalogue)
{
    PlacedFormations placed;
    for (const CatalogueFormation& entry : catalogue) {
        const std::optional<double> latitude = CatalogueCoordinate(entry.Latitude);
        const std::optional<double> longitude = CatalogueCoordinate(entry.Longitude);
        if (!latitude || !longitude) continue;
        placed.Formations.push_back(&entry);
        placed.Points.push_back({*latitude, *longitude});
        placed.Directions.push_back(DirectionOf(placed.Points.back()));
    }
    return placed;
}

TerminatorSurvey SurveyTerminator(ObservationState& state, const std::vector<CatalogueFormation>& catalogue)
{
    return SurveyTerminator(state, PlaceFormations(catalogue));
}

TerminatorSurvey SurveyTerminator(ObservationState& state, const PlacedFormations& placed)
{
    const ShadowView view = PrepareShadowView(state);
    TerminatorSurvey survey;
    survey.Sun = SunOverMoonFromEphemerides(state);

    const SunAltitudeBand band{LowestTerminatorSunAltitude, HighestTerminatorSunAltitude};
    for (std::size_t i : FormationsInTerminatorZone(state, survey.Sun, placed.Points, placed.Directions, band)) {
        const CatalogueFormation& entry = *placed.Formations[i];
        const SelenographicPoint& p = placed.Points[i];
        TerminatorFormation formation{entry.Name,
                                      entry.Kind,
                                      SunAltitudeOver(survey.Sun, p.Latitude, p.Longitude),
                                      TerminatorSideAt(survey.Sun, p.Longitude),
                                      entry.Height,
                                      std::nullopt,
                                      std::nullopt};
        int height = 0;
        if (TryTextToInt(entry.Height, height) && height > 0) {
            const ExpectedShadow shadow = ExpectShadow(SceneOf(view, p), height);
            formation.TransitSeconds = shadow.TransitSeconds;
            formation.Timing = shadow.Verdict;
        }
        survey.Formations.push_back(std::move(formation));
    }
    RankForHeightMeasurement(survey.Formations);
    return survey;
}

void RankForHeightMeasurement(std::vector<TerminatorFormation>& formations)
{
    // Sorting small keys and moving each formation once is several times
    // quicker than sorting the formations with their texts.
    struct Key {
        bool untimed;  // timed ones first, by falling time; then by rising Sun altitude
        double value;
        const std::string* name;
        std::size_t index;
    };
    std::vector<Key> keys;
    keys.reserve(formations.size());
    for (std::size_t i = 0; i < formations.size(); ++i) {
        const TerminatorFormation& f = formations[i];
        const bool timed = WorthTiming(f);
        keys.push_back({!timed, timed ? -*f.TransitSeconds : f.SunAltitude, &f.Name, i});
    }
    std::stable_sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
        return std::tie(a.untimed, a.value, *a.name) < std::tie(b.untimed, b.value, *b.name);
    });
    std::vector<TerminatorFormation> ranked;
    ranked.reserve(formations.size());
    for (const Key& key : keys) ranked.push_back(std::move(formations[key.index]));
    formations = std::move(ranked);
}

std::string TerminatorHeading(const ObservationState& state, const SunOverMoon& sun, char decimalSeparator)
{
    // 359.96 is shown as 0,0, not 360,0.
    double colongitude = std::round(sun.Colongitude * 10) / 10;
    if (colongitude >= 360) colongitude -= 360;
    return "Lichtgrenze am " + DateAndTimeText(state.Day, state.Month, state.Year, state.Hour, state.Minute) +
           " Uhr MEZ in " + state.SiteName + ", Colongitude " + OneDecimalText(colongitude, decimalSeparator) + "°";
}

std::string OneDecimalText(double value, char decimalSeparator)
{
    return FixedDecimalsText(value, 1, decimalSeparator);
}

std::string TerminatorSideText(TerminatorSide side) { return side == TerminatorSide::Morning ? "Morgen" : "Abend"; }

std::string TransitTimeText(const std::optional<double>& seconds, char decimalSeparator)
{
    if (!seconds) return "- - -";
    return OneDecimalText(*seconds, decimalSeparator) + " s";
}

std::string TimedTransitText(const TerminatorFormation& formation, char decimalSeparator)
{
    return TransitTimeText(WorthTiming(formation) ? formation.TransitSeconds : std::nullopt, decimalSeparator);
}

std::string TimingReasonText(const TerminatorFormation& formation, char decimalSeparator)
{
    if (!formation.Timing) return "keine Höhe";
    const std::string seconds =
        formation.TransitSeconds ? TransitTimeText(formation.TransitSeconds, decimalSeparator) : "";
    switch (*formation.Timing) {
        case TimingVerdict::Timeable:
            return {};
        case TimingVerdict::MoonBelowHorizon:
            return "Mond unter dem Horizont";
        case TimingVerdict::NotVisible:
            return "abgewandte Seite";
        case TimingVerdict::NightSide:
            return "Mondnacht";
        case TimingVerdict::SunTooLow:
            return "Sonne zu tief für " + formation.Height + " m";
        case TimingVerdict::TooShort:
            return "Durchgang " + seconds + ": zu kurz";
        case TimingVerdict::TooLong:
            return "Durchgang " + seconds + ": zu lang";
    }
    return {};
}

std::string CatalogueHeightText(const std::string& height) { return height.empty() ? std::string() : height + "m"; }
