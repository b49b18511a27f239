#pragma once
// The independent table of simulated shadows, tools/height_check/
// shadow_timings.csv (written with astronomy-engine, nothing of the
// program): one row per case, read as it stands.

#include <string>
#include <vector>

struct ShadowCase {
    std::string Date;  ///< "18.12.2026", MEZ
    std::string Time;  ///< "18:00", MEZ
    int Day = 0, Month = 0, Year = 0, Hour = 0, Minute = 0;
    std::string Site;
    double SiteLatitude = 0, SiteLongitude = 0;  ///< degrees
    std::string Object;
    double ObjectLatitude = 0, ObjectLongitude = 0;  ///< selenographic degrees
    double Height = 0;                               ///< metres, the true height
    double TransitSeconds = 0;
    double SunAltitude = 0;                  ///< degrees over the summit
    double MoonAltitude = 0;                 ///< degrees over the site's horizon
    double SummitEast = 0, SummitNorth = 0;  ///< arcseconds from the topocentric disc centre
    double TipEast = 0, TipNorth = 0;        ///< likewise, the shadow's far end
    double SemiDiameter = 0;                 ///< arcseconds, topocentric
    double AxisPositionAngle = 0;            ///< degrees
};

/// Every row of the table at `path`; throws std::runtime_error when it
/// cannot be read.
std::vector<ShadowCase> ReadShadowTable(const std::string& path);

/// The rows of one moment and site, in table order.
std::vector<ShadowCase> CasesAt(const std::vector<ShadowCase>& table, const std::string& date, const std::string& time,
                                const std::string& site);

/// The place of a formation's foot (height 0) on the sky, arcseconds: the
/// summits of its heights lie on one straight line on the sky (a straight
/// line in space seen through a central projection), which is followed
/// back to height 0 from the two lowest summits of the moment.
struct SkyPlace {
    double East = 0, North = 0;
};
SkyPlace FootOf(const std::vector<ShadowCase>& casesAtMoment, const std::string& object);
