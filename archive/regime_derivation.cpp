#include "base/decimal_text.h"
#include "ephemeris/birth_data.h"
#include "archive/regime_derivation.h"

#include "archive/local_time_correction.h"
#include "archive/time_regimes.h"
#include "base/errors.h"
#include "ephemeris/angles.h"
#include "ephemeris/julian_day.h"
#include "ephemeris/text_forms.h"

#include <cmath>
#include <cstdio>
#include <optional>

namespace qv::atlas {

namespace {

// The first Julian Day of the Gregorian calendar (15 October 1582, 0h) and
// the date that a table's reform entry carries when the reform is left to
// the setting.
constexpr Extended kFirstGregorianJd = 2299160.5L;
constexpr long long kReformLeftToSetting = 1721423;
// The one table whose correction becomes -5 after a date.
const char* const kSpecialTable = "00920000.CAL";
constexpr Extended kSpecialTableFrom = 2433919.5L;
// A table that continues in another more often than this is circular.
constexpr int kMaxContinuations = 32;

const char* const kWeekdays[7] = {"domenica", "luned\xEC", "marted\xEC", "mercoled\xEC",
                                  "gioved\xEC", "venerd\xEC", "sabato"};
const char* const kMonths[12] = {"gennaio", "febbraio", "marzo",     "aprile",  "maggio",   "giugno",
                                 "luglio",  "agosto",   "settembre", "ottobre", "novembre", "dicembre"};

std::string logLine(const RegimeRecord& r) {
    return JulianDayText(r.date()) + " " + (r.correction < 0 ? "-" : "+") +
           NumberText(5, std::fabs(static_cast<Extended>(r.correction))) + " " + r.code;
}

Extended jdOf(bool gregorian, const BirthMoment& m, Extended extraHours = 0) {
    return julianDayOf(gregorian, m.day, m.month, m.year, m.hour + extraHours, m.minute);
}

std::string significant11(Extended x) { return generalText(x, 11); }

} // namespace

DateField invalidDateField(const BirthMoment& m) {
    if (m.day < 1 || m.day > 31) return DateField::Day;
    if (m.month < 1 || m.month > 12) return DateField::Month;
    if (m.year < 0 || m.year > 2080) return DateField::Year;
    if (m.hour < 0 || m.hour > 23) return DateField::Hour;
    if (m.minute < 0 || m.minute > 59) return DateField::Minute;
    return DateField::None;
}

std::string extendedDateText(Extended jd, bool gregorian) {
    const CivilDate d = civilDateOf(jd, gregorian);
    const long long dayNumber = static_cast<long long>(std::floor(jd + 1.5L));
    const int weekday = static_cast<int>(((dayNumber % 7) + 7) % 7);
    return std::string(kWeekdays[weekday]) + " " + std::to_string(d.day) + " " + kMonths[d.month - 1] + " " +
           std::to_string(d.year) + ", ore " + ZeroPad(d.hour, 2) + ":" + ZeroPad(d.minute, 2);
}

Derivation deriveCorrection(PlaceArchive archive, const Place& place, const BirthMoment& moment,
                            int reformSetting, std::optional<bool> chosenGregorian) {
    if (invalidDateField(moment) != DateField::None) throw ConversionError("Data Scorretta");
    Derivation out;
    out.placeName = place.name;
    out.state = place.state;
    out.coordinates = coordinatesText(place.latitude, place.longitude);

    // The working copy of the place's table.
    out.tableName = regimeTableName(place.tableNumber);
    RegimeTable table = loadRegimeTable(archive, out.tableName);
    out.log.push_back(out.tableName);
    if (table.size() < 2)
        throw ConversionError("Tabella dei regimi orari " + out.tableName + " incompleta");

    // The calendar: the reform entry against the local date read as Gregorian.
    const Extended typedJd = jdOf(true, moment);
    Extended reform = table[0].date();
    if (archive == PlaceArchive::Italia) reform -= 1.0L;
    bool julian;
    if (static_cast<long long>(Int(reform)) != kReformLeftToSetting)
        julian = typedJd <= reform;
    else
        julian = reformSetting == 1 && typedJd < kFirstGregorianJd + 0.5L;
    if (reformSetting == 1 && typedJd > kFirstGregorianJd) julian = false;
    if (chosenGregorian) julian = !*chosenGregorian;
    out.gregorian = !julian;
    out.calendar = julian ? "GIUL" : "GREG";
    if (!isExistingDate(moment.day, moment.month, moment.year, out.gregorian))
        throw ConversionError("Data Scorretta: il " + std::to_string(moment.day) + "/" + std::to_string(moment.month) + "/" +
                              std::to_string(moment.year) + " non esiste nel calendario " +
                              (out.gregorian ? "gregoriano" : "giuliano"));

    // The local date in its own calendar: local mean time applies up to the
    // end date of the table's local-mean-time entry.
    const Extended jd = jdOf(out.gregorian, moment);
    out.localMeanTime = table[1].code == kLocalMeanTimeCode && table[1].date() >= jd;

    // The walk: from record 1 on, up to the first record dated at or after
    // the birth; the regime in force is the one read before it.
    std::optional<RegimeRecord> previous, beforePrevious, stopper, lastRead;
    std::size_t k = 1;
    int continuations = 0;
    for (;;) {
        if (k >= table.size()) break;
        const RegimeRecord& r = table[k];
        if (r.code == kContinuationCode) {
            if (++continuations > kMaxContinuations)
                throw ConversionError("Tabelle dei regimi orari concatenate in cerchio da " + out.tableName);
            const std::string next = continuationTableName(r);
            out.log.push_back("CAMBIO FILE: " + next);
            table = loadRegimeTable(archive, next);
            k = 1;
            previous.reset();
            beforePrevious.reset();
            continue;
        }
        out.log.push_back(logLine(r));
        lastRead = r;
        if (r.date() >= jd) {
            stopper = r;
            break;
        }
        beforePrevious = previous;
        previous = r;
        ++k;
    }
    if (!lastRead) throw ConversionError("Tabella dei regimi orari " + out.tableName + " senza regimi");
    const RegimeRecord& inForce = stopper ? (previous ? *previous : *stopper) : *lastRead;
    out.correction = inForce.correction;
    out.regimeCode = inForce.code;
    out.correctionText = correctionText(out.correction);

    if (out.localMeanTime) {
        out.correction = localMeanTimeCorrection(out.coordinates);
        out.correctionText = localMeanTimeCorrectionText(out.coordinates);
        out.regimeCode = kLocalMeanTimeCode;
    } else {
        // A clock time that a change of regime repeated or skipped.
        if (stopper && previous && stopper->correction > previous->correction) {
            const Extended back = (stopper->correction - previous->correction) / 24.0L;
            if (jd >= stopper->date() - back) {
                out.anomaly = ClockAnomaly::Repeated;
                out.log.push_back("ORA AMBIGUA: l'ora si ripete al cambio di regime del " +
                                  JulianDayText(stopper->date()) + "; si prende la prima, " +
                                  inForce.code + " " + out.correctionText);
            }
        }
        if (previous && beforePrevious && previous->correction < beforePrevious->correction) {
            const Extended forward = (beforePrevious->correction - previous->correction) / 24.0L;
            if (jd < previous->date() + forward) {
                out.anomaly = ClockAnomaly::Skipped;
                out.log.push_back("ORA INESISTENTE: l'ora salta al cambio di regime del " +
                                  JulianDayText(previous->date()) + "; si prende il regime " +
                                  inForce.code + " " + out.correctionText);
            }
        }
    }

    out.regimesNotUpdated = archive == PlaceArchive::Italia && moment.year > kRegimesKnownThroughYear;

    if (out.tableName == kSpecialTable && jdOf(out.gregorian, moment, out.correction) > kSpecialTableFrom) {
        out.correction = -5;
        out.correctionText = "-5";
    }
    out.localJd = jd;
    out.universalJd = jdOf(out.gregorian, moment, out.correction);
    out.universalJdText = significant11(out.universalJd);
    out.extendedDate = extendedDateText(jd, out.gregorian);
    return out;
}

} // namespace qv::atlas
