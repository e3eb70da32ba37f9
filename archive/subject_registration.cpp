#include "archive/subject_registration.h"

#include "archive/archive_files.h"
#include "archive/chart_summary.h"
#include "archive/current_subject.h"
#include "archive/side_files.h"
#include "base/cp1252.h"
#include "ephemeris/text_forms.h"

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
    if (s.day < 1 || s.day > 31 || s.month < 1 || s.month > 12 || s.year < 0 || s.year > 2080 || s.hour < 0 ||
        s.hour > 23 || s.minute < 0 || s.minute > 59)
        return "Data Scorretta";
    const std::string& c = s.coordinates;
    const bool coordinatesOk = c.size() == 12 && digitsIn(c, 0, 2, 0, 89) && (c[2] == 'N' || c[2] == 'S') &&
                               digitsIn(c, 3, 2, 0, 59) && digitsIn(c, 6, 3, 0, 180) &&
                               (c[9] == 'E' || c[9] == 'W' || c[9] == 'O') && digitsIn(c, 10, 2, 0, 59);
    if (!coordinatesOk) return "Coordinate Errate o Mancanti";
    if (!(s.corr >= -24 && s.corr <= 24)) return "Correzione Totale fuori dai limiti (da -24 a +24 ore)";
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
