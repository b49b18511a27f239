#include "app/height_command.h"

#include "catalogue/catalogue.h"
#include "observing/mez_moment.h"
#include "observing/shadow_transit.h"
#include "platform/number_text.h"
#include "platform/visible_text.h"
#include "reports/terminator_list.h"

#include <cmath>
#include <ostream>

namespace {

/// The place of the formation the request names.
SelenographicPoint FormationOf(const HeightRequest& request)
{
    if (!request.FormationName) return {request.FormationLatitude, request.FormationLongitude};
    const std::string& name = *request.FormationName;
    SelectedObjectTexts texts;
    const std::optional<LunarObject> object = FindObjectByName(name, texts);
    if (!object) throw UsageError("die Formation '" + VisibleText(name) + "' steht nicht in objects.dat.");
    const std::optional<double> latitude = CatalogueCoordinate(object->SelenographicLatitude);
    const std::optional<double> longitude = CatalogueCoordinate(object->SelenographicLongitude);
    if (!latitude || !longitude)
        throw UsageError("die Formation '" + VisibleText(name) + "' hat in objects.dat keine Lage.");
    return {*latitude, *longitude};
}

}  // namespace

int PrintHeight(const HeightRequest& request, ObservationState site, char decimalSeparator, std::ostream& out,
                std::ostream& err)
{
    const SelenographicPoint formation = FormationOf(request);
    SetObservationMoment(site, request.Moment);
    const HeightMeasurement measured =
        MeasureMountainHeight(site, request.TransitSeconds, formation.Latitude, formation.Longitude);
    if (!measured.Height) {
        err << "mirelta: keine Höhe. " << NoHeightExplanation(measured.Reason) << '\n';
        return kExitNoHeight;
    }
    out << FloatToText(std::round(*measured.Height * 1000) / 1000, decimalSeparator) << '\n';
    return kExitSuccess;
}
