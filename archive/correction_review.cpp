#include "archive/correction_review.h"

#include "archive/birth_entry_rules.h"
#include "archive/local_time_correction.h"
#include "archive/place_lookup.h"
#include "archive/regime_derivation.h"
#include "base/decimal_text.h"
#include "base/errors.h"

#include <cmath>
#include <optional>

namespace qv {

namespace {

constexpr const char* kGregorian = "GREGORIANO";
constexpr const char* kJulian = "GIULIANO";

// "dd/mm/yyyy" and "hh:mm" as the modification window holds them.
std::optional<atlas::BirthMoment> momentOf(const SubjectEdit& e) {
    const auto v = momentOfEdit(e);
    if (!v) return std::nullopt;
    const atlas::BirthMoment m{(*v)[0], (*v)[1], (*v)[2], (*v)[3], (*v)[4]};
    if (atlas::invalidDateField(m) != atlas::DateField::None) return std::nullopt;
    return m;
}

} // namespace

bool sameCorrection(const std::string& a, const std::string& b) {
    const auto x = parseCorr(a), y = parseCorr(b);
    if (!x || !y) return a == b;
    return std::fabs(*x - *y) < 1e-9L;
}

std::vector<std::string> derivationNotes(const atlas::Derivation& d) {
    std::vector<std::string> notes;
    if (d.regimesNotUpdated) notes.push_back("REGIMI ORARI NON AGGIORNATI");
    if (d.anomaly != atlas::ClockAnomaly::None)
        for (const std::string& line : d.log)
            if (line.rfind("ORA ", 0) == 0) notes.push_back(line);
    return notes;
}

CorrectionReview reviewCorrection(const SubjectEdit& stored, const SubjectEdit& typed, int reformSetting) {
    CorrectionReview r;
    const bool placeChanged = stored.place != typed.place || stored.nation != typed.nation;
    const bool calendarChanged = stored.calendar != typed.calendar;
    if (!placeChanged && !calendarChanged && stored.date == typed.date && stored.time == typed.time) return r;

    const auto moment = momentOf(typed);
    if (!moment) {
        r.answer = AtlasAnswer::NotDerived;
        r.reason = "Data Nascita Scorretta o Incompleta";
        return r;
    }
    try {
        const atlas::PlaceArchive archive = atlas::placeArchiveOfNation(typed.nation);
        const atlas::PlaceTable table(archive);
        r.candidates = atlas::placesNamed(table, placeShown(typed.place),
                                          archive == atlas::PlaceArchive::Estero ? typed.nation : std::string());
        if (r.candidates.empty()) {
            r.answer = AtlasAnswer::NotFound;
            return r;
        }
        if (r.candidates.size() > 1) {
            r.answer = AtlasAnswer::Ambiguous;
            return r;
        }
        std::optional<bool> chosen;
        if (calendarChanged && (typed.calendar == kGregorian || typed.calendar == kJulian))
            chosen = typed.calendar == kGregorian;
        const atlas::Derivation d =
            atlas::deriveCorrection(archive, r.candidates.front(), *moment, reformSetting, chosen);
        // A place that did not change keeps the coordinates the subject has,
        // which may have been corrected by hand; local mean time follows them.
        r.coordinates = placeChanged ? carriedMinutes(d.coordinates) : typed.coordinates;
        Extended correction = d.correction;
        if (d.localMeanTime && atlas::validCoordinatesText(r.coordinates))
            correction = atlas::localMeanTimeCorrection(r.coordinates);
        r.correction = fittedCorrection(correction);
        r.calendar = chosen ? typed.calendar : (d.gregorian ? kGregorian : kJulian);
        r.notes = derivationNotes(d);
    } catch (const IoError& e) {
        r.answer = AtlasAnswer::NotDerived;
        r.reason = e.what();
        return r;
    } catch (const ConversionError& e) {
        r.answer = AtlasAnswer::NotDerived;
        r.reason = e.what();
        return r;
    }
    r.answer = AtlasAnswer::Derived;
    r.correctionDiffers = !sameCorrection(r.correction, typed.corr);
    r.coordinatesDiffer = r.coordinates != typed.coordinates;
    r.calendarDiffers = r.calendar != typed.calendar;
    return r;
}

void acceptReview(SubjectEdit& edit, const CorrectionReview& review) {
    if (review.answer != AtlasAnswer::Derived) return;
    edit.corr = review.correction;
    edit.coordinates = review.coordinates;
    edit.calendar = review.calendar;
}

} // namespace qv
