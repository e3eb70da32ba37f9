#include "archive/exchange/import_review.h"

#include "archive/birth_entry_rules.h"
#include "archive/local_time_correction.h"
#include "archive/place_lookup.h"
#include "archive/places.h"
#include "archive/regime_derivation.h"
#include "archive/subject_operations.h"
#include "base/cp1252.h"
#include "base/decimal_text.h"
#include "base/errors.h"
#include "ephemeris/text_forms.h"
#include "settings/display_settings.h"

#include <cmath>
#include <cstdio>

namespace qv::exchange {

namespace {

std::string dateTimeText(const ExchangedSubject& s) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d", s.day, s.month, s.year, s.hour, s.minute);
    return text;
}

// Minutes of arc between two coordinate texts, the larger of latitude and
// longitude; nothing when one does not read.
std::optional<int> arcMinutesApart(const std::string& a, const std::string& b) {
    BirthData x, y;
    if (!readCoordinates(a, x) || !readCoordinates(b, y)) return std::nullopt;
    auto signedMinutes = [](int degrees, int minutes, const std::string& letter, const char* negative) {
        const int v = degrees * 60 + minutes;
        return letter.find_first_of(negative) != std::string::npos ? -v : v;
    };
    const int lat = std::abs(signedMinutes(x.latDegrees, x.latMinutes, x.latLetter, "S") -
                             signedMinutes(y.latDegrees, y.latMinutes, y.latLetter, "S"));
    const int lon = std::abs(signedMinutes(x.lonDegrees, x.lonMinutes, x.lonLetter, "WO") -
                             signedMinutes(y.lonDegrees, y.lonMinutes, y.lonLetter, "WO"));
    return std::max(lat, lon);
}

std::string offsetText(Extended hoursEast) { return "GMT" + std::string(hoursEast < 0 ? "" : "+") + NumberText(4, hoursEast); }

// The correction as the birth record can hold it.
Extended fitted(Extended corr) { return parseCorr(fittedCorrection(corr)).value_or(corr); }

struct Found {
    atlas::PlaceArchive table = atlas::PlaceArchive::Italia;
    std::vector<atlas::Place> places;
};

Found findPlace(const ExchangedSubject& s, std::string& state, std::vector<std::string>& notes) {
    Found f;
    const std::string place = upperCase1252(s.place);
    state = atlasStateOf(s.country);
    if (!s.country.empty() && state.empty()) {
        notes.push_back("nazione \"" + s.country + "\" non riconosciuta: cercata fra tutte le localit\xE0 estere");
    }
    if (place.empty()) return f;
    if (state == "ITALIA" || s.country.empty()) {
        f.places = atlas::placesNamed(atlas::PlaceTable(atlas::PlaceArchive::Italia), place, "");
        if (!f.places.empty() || state == "ITALIA") return f;
    }
    f.table = atlas::PlaceArchive::Estero;
    f.places = atlas::placesNamed(atlas::PlaceTable(atlas::PlaceArchive::Estero), place, state == "ITALIA" ? "" : state);
    return f;
}

void review(const Archive& archive, ReviewedSubject& r, const std::vector<ReviewedSubject>& earlier) {
    const ExchangedSubject& s = r.from;
    NewSubject& n = r.subject;
    n.name = s.name;
    n.day = s.day;
    n.month = s.month;
    n.year = s.year;
    n.hour = s.hour;
    n.minute = s.minute;
    n.annotations[0] = s.note.substr(0, std::min<std::size_t>(s.note.size(), 70));
    const std::string upperName = upperCase1252(trimSpaces(s.name));
    if (upperName.size() > kNameWidth) {
        r.reason = "nome di " + std::to_string(upperName.size()) + " caratteri: al massimo " + std::to_string(kNameWidth);
        return;
    }
    const atlas::BirthMoment moment{s.day, s.month, s.year, s.hour, s.minute};
    if (atlas::invalidDateField(moment) != atlas::DateField::None) {
        r.reason = "data o ora fuori dai limiti (" + dateTimeText(s) + ")";
        return;
    }

    std::string state;
    const Found found = findPlace(s, state, r.notes);
    std::optional<atlas::Place> place;
    if (found.places.size() == 1) {
        place = found.places.front();
    } else if (found.places.size() > 1 && s.coordinates) {
        // Among places of one name, the one at the file's coordinates.
        for (const atlas::Place& p : found.places) {
            const auto apart = arcMinutesApart(*s.coordinates, carriedMinutes(
                atlas::deriveCorrection(found.table, p, moment, calendarReformSetting()).coordinates));
            if (apart && *apart <= 30) place = p;
        }
    }
    n.place = place ? place->name : upperCase1252(s.place);
    n.nation = found.table == atlas::PlaceArchive::Italia && (place || state == "ITALIA")
                   ? "ITALIA"
                   : (place ? place->state : (state.empty() ? upperCase1252(s.country) : state));

    if (place) {
        const atlas::Derivation d = atlas::deriveCorrection(found.table, *place, moment, calendarReformSetting());
        const std::string atlasCoords = carriedMinutes(d.coordinates);
        n.coordinates = s.coordinates.value_or(atlasCoords);
        if (const auto apart = s.coordinates ? arcMinutesApart(*s.coordinates, atlasCoords) : std::nullopt; apart && *apart > 2)
            r.notes.push_back("coordinate del file " + *s.coordinates + ", dell'atlante " + atlasCoords + ": prese quelle del file");
        Extended atlasCorr = d.correction;
        if (d.localMeanTime && atlas::validCoordinatesText(n.coordinates)) atlasCorr = atlas::localMeanTimeCorrection(n.coordinates);
        if (s.zoneEast) {
            n.corr = -*s.zoneEast;
            if (std::fabs(n.corr - atlasCorr) * 60 > 1)
                r.notes.push_back("fuso del file " + offsetText(*s.zoneEast) + ", dei regimi orari " + offsetText(-atlasCorr) +
                                  ": preso quello del file");
        } else {
            n.corr = atlasCorr;
            r.notes.push_back("fuso dai regimi orari: " + offsetText(-atlasCorr) + (d.localMeanTime ? " (ora locale media)" : ""));
        }
        n.gregorian = d.gregorian;
    } else if (s.coordinates && s.zoneEast) {
        n.coordinates = *s.coordinates;
        n.corr = -*s.zoneEast;
        n.gregorian = s.year > 1582 || (s.year == 1582 && (s.month > 10 || (s.month == 10 && s.day >= 15)));
        r.notes.push_back(found.places.empty() ? "localit\xE0 non trovata nell'atlante: coordinate e fuso del file"
                                               : "pi\xF9 localit\xE0 con questo nome: coordinate e fuso del file");
    } else {
        r.reason = found.places.empty() ? "localit\xE0 \"" + s.place + "\" non trovata nell'atlante, e il file non d\xE0 "
                                                                        "coordinate e fuso"
                                         : "pi\xF9 localit\xE0 \"" + s.place + "\" nell'atlante: il file non d\xE0 le "
                                                                               "coordinate per sceglierne una";
        return;
    }
    n.corr = fitted(n.corr);

    if (s.julianDay) {
        const Extended ours = typedUniversalJulianDay(n.gregorian, moment, n.corr);
        const Extended minutes = std::fabs(ours - *s.julianDay) * 1440;
        if (minutes > 1)
            r.notes.push_back("il giorno giuliano del file differisce di " + std::to_string(std::lround(static_cast<double>(minutes))) +
                              " minuti da quello della data, dell'ora e del fuso");
    }
    if (const std::string failure = checkNewSubject(n); !failure.empty()) {
        r.reason = failure;
        return;
    }
    const std::string stored = momentDigits(n.day, n.month, n.year, n.hour, n.minute) + corrText(n.corr);
    if (const auto same = positionOfSameSubject(archive, n.name, stored)) {
        r.status = ReviewStatus::Duplicate;
        r.reason = sameSubjectMessage(archive, *same);
        return;
    }
    for (const ReviewedSubject& e : earlier)
        if (e.status == ReviewStatus::Ready && upperCase1252(trimSpaces(e.subject.name)) == upperName &&
            momentDigits(e.subject.day, e.subject.month, e.subject.year, e.subject.hour, e.subject.minute) +
                    corrText(e.subject.corr) == stored) {
            r.status = ReviewStatus::Duplicate;
            r.reason = "ripetuto nel file (riga " + std::to_string(e.from.line) + ")";
            return;
        }
    r.status = ReviewStatus::Ready;
}

} // namespace

std::vector<ReviewedSubject> reviewImport(const Archive& archive, const std::vector<ExchangedSubject>& subjects) {
    std::vector<ReviewedSubject> out;
    for (const ExchangedSubject& s : subjects) {
        ReviewedSubject r;
        r.from = s;
        try {
            review(archive, r, out);
        } catch (const ConversionError& e) {
            r.status = ReviewStatus::Refused;
            r.reason = e.what();
        }
        out.push_back(std::move(r));
    }
    return out;
}

std::string reviewLine(const ReviewedSubject& r) {
    const char* status = r.status == ReviewStatus::Ready ? "pronto" : r.status == ReviewStatus::Duplicate ? "gi\xE0 presente" : "escluso";
    std::string line = "riga " + std::to_string(r.from.line) + "  " + upperCase1252(trimSpaces(r.from.name)) + "  " +
                       dateTimeText(r.from) + "  " + (r.subject.place.empty() ? r.from.place : placeShown(r.subject.place)) +
                       "  " + status;
    if (!r.reason.empty()) line += ": " + r.reason;
    return line;
}

} // namespace qv::exchange
