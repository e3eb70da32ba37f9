#include "archive/subject_registration.h"

#include "archive/archive_files.h"
#include "archive/chart_summary.h"
#include "archive/current_subject.h"
#include "archive/side_files.h"
#include "base/cp1252.h"
#include "base/decimal_text.h"
#include "ephemeris/birth_data.h"
#include "ephemeris/text_forms.h"

#include <cmath>
#include <utility>

namespace qv {

namespace {

bool digitsIn(const std::string& text, std::size_t from, std::size_t count, int low, int high) {
    if (from + count > text.size()) return false;
    int v = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        v = v * 10 + (text[i] - '0');
    }
    return v >= low && v <= high;
}

bool hasAnnotations(const NewSubject& s) {
    for (const auto& line : s.annotations)
        if (!line.empty()) return true;
    return !s.textNumber.empty();
}

// Corr has the birth-moment field's last 8 characters.
constexpr std::size_t kCorrWidth = 8;

} // namespace

std::string checkNewSubject(const NewSubject& s) {
    if (trimSpaces(s.name).empty()) return "Manca il Nome del Soggetto";
    const std::pair<const char*, const std::string*> texts[] = {
        {"Il Nome", &s.name},           {"La Localit\xE0", &s.place},         {"La Nazionalit\xE0", &s.nation},
        {"Le annotazioni", &s.annotations[0]}, {"Le annotazioni", &s.annotations[1]},
        {"Le annotazioni", &s.annotations[2]}, {"Le annotazioni", &s.annotations[3]}};
    for (const auto& [field, text] : texts)
        if (const std::string c = controlCharacterIn(*text); !c.empty())
            return std::string(field) + " contiene un carattere di controllo (" + c + "), non ammesso";
    if (s.year < 0 || s.year > 2080) return "Data Scorretta";
    BirthData b;
    b.day = s.day;
    b.month = s.month;
    b.year = s.year;
    b.hour = s.hour;
    b.minute = s.minute;
    b.corr = s.corr;
    b.gregorian = s.gregorian;
    if (const BirthFault f = birthDataFault(b); f.field == BirthField::Date || f.field == BirthField::Time)
        return "Data Scorretta";
    if (!readTypedCoordinates(s.coordinates, b)) return "Coordinate Errate o Mancanti";
    switch (const BirthFault f = birthDataFault(b); f.field) {
    case BirthField::None: break;
    case BirthField::Date:
    case BirthField::Time: return "Data Scorretta";
    case BirthField::Coordinates: return "Coordinate Errate o Mancanti";
    case BirthField::Corr:
        return std::isfinite(s.corr) && s.corr >= -24 && s.corr <= 24
                   ? "Correzione Totale troppo piccola per essere scritta (diversa da 0 ma sotto un milionesimo di ora)"
                   : "Correzione Totale fuori dai limiti (da -24 a +24 ore)";
    }
    if (corrText(s.corr).size() > kCorrWidth)
        return "Correzione Totale con troppe cifre (al massimo " + std::to_string(kCorrWidth) + " caratteri)";
    if (!s.textNumber.empty() && !(s.textNumber.size() == 5 && digitsIn(s.textNumber, 0, 5, 0, 99999)))
        return "Numero del testo non valido (5 cifre)";
    return {};
}

BirthRecord birthRecordOf(const NewSubject& s) {
    BirthRecord r;
    r.moment = momentDigits(s.day, s.month, s.year, s.hour, s.minute) + corrText(s.corr);
    r.place = s.coordinates + placeStored(s.place);
    r.calendar = s.gregorian ? "GR" : "GI";
    r.nation = upperCase1252(s.nation);
    r.annotationNumber = "00000";
    const ChartSummary summary = summaryChartOf(decodeBirth(r));
    r.planetSummary = summary.planets;
    r.cuspSummary = summary.cusps;
    r.aspectSummary = summary.aspects;
    return r;
}

Registration registerSubject(const std::string& rawArchive, const NewSubject& s) {
    Registration out;
    out.archive = upperCase1252(rawArchive);
    out.failure = checkNewSubject(s);
    if (!out.failure.empty()) return out;
    const bool temporary = out.archive == kTemporaryArchive;
    if (!isPlainArchiveName(out.archive)) {
        out.failure = "Nome di archivio non ammesso: \"" + out.archive + "\" (da una a quattro lettere o cifre)";
        return out;
    }
    if (!temporary && (out.archive.size() != 4 || !archiveExists(out.archive))) {
        out.failure = "Archivio " + out.archive + " inesistente";
        return out;
    }

    BirthRecord record = birthRecordOf(s);  // the only step that computes: nothing written yet
    const bool annotated = !temporary && hasAnnotations(s);
    const AnnotationRecord annotation = annotated ? annotationFromFields(s.annotations, s.textNumber)
                                                  : headerAnnotationRecord();

    noteArchiveInUse(out.archive);
    if (temporary) {
        out.birthNumber = currentSubjectBirthCount();
        out.entry.text = subjectKey(s.name, out.birthNumber);
        replaceCurrentSubject(out.entry.text, record, true);
    } else {
        Archive archive = openAnyArchive(out.archive);
        if (annotated) {
            out.annotationNumber = archive.appendAnnotation(annotation);
            record.annotationNumber = ZeroPad(out.annotationNumber, 5);
        }
        out.birthNumber = archive.appendBirth(record);
        out.entry.text = subjectKey(s.name, out.birthNumber);
        out.indexPosition = archive.appendInOrder(out.entry);
        replaceCurrentSubject(out.entry.text, record, false);
    }
    writeAnnotationsFile(annotated ? registeredAnnotationText(annotation) : recalledAnnotationText(annotation));
    writeTextPointer({out.archive, s.textNumber});
    return out;
}

} // namespace qv
