#include "archive/subject_operations.h"

#include "base/cp1252.h"
#include "base/decimal_text.h"
#include "archive/chart_summary.h"
#include "archive/current_subject.h"
#include "archive/side_files.h"
#include "base/errors.h"
#include "ephemeris/birth_data.h"
#include "ephemeris/text_forms.h"

#include <cmath>

namespace qv {

namespace {

std::optional<int> fiveDigitNumber(const std::string& text) {
    if (text.size() != 5) return std::nullopt;
    int v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

std::optional<int> digitsAt(const std::string& text, std::size_t from, std::size_t count) {
    if (from + count > text.size()) return std::nullopt;
    int v = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        v = v * 10 + (text[i] - '0');
    }
    return v;
}

bool inRange(const std::optional<int>& v, int low, int high) { return v && *v >= low && *v <= high; }

std::string fieldPart(const std::string& text, std::size_t from, std::size_t count) {
    return from < text.size() ? text.substr(from, count) : std::string();
}

// The Corr field as stored: "." written as ",".
std::string corrFieldText(const std::string& typed) {
    std::string s = typed;
    for (char& c : s)
        if (c == '.') c = ',';
    return s;
}

constexpr std::size_t kCorrFieldWidth = 8;

} // namespace

StoredSubject readStoredSubject(const Archive& archive, int k) {
    if (k < 1 || k > archive.subjectCount())
        throw IoError(archiveFileName(archive.name(), 1), "la voce " + std::to_string(k) + " non esiste");
    StoredSubject s;
    s.indexPosition = k;
    s.entry = archive.readIndex(k);
    const auto number = s.entry.recordNumber();
    if (!number) throw ConversionError("Numero di registrazione non valido nella voce \"" + s.entry.text + "\"");
    s.birthNumber = *number;
    s.record = archive.readBirth(s.birthNumber);
    const auto annotation = fiveDigitNumber(s.record.annotationNumber);
    if (!annotation)
        throw ConversionError("Numero di annotazione non valido nel record di nascita " + std::to_string(s.birthNumber) +
                              ": \"" + s.record.annotationNumber + "\"");
    s.annotationNumber = *annotation;
    if (archive.hasAnnotations()) s.annotation = archive.readAnnotation(s.annotationNumber);
    return s;
}

Recall recallSubject(const Archive& archive, int k) {
    Recall r;
    r.subject = readStoredSubject(archive, k);
    r.birth = decodeBirth(r.subject.record);
    r.annotationText = r.subject.annotation ? recalledAnnotationText(*r.subject.annotation) : std::string();
    r.archive = archive.name();
    writeRecalledPointer(r.subject.birthNumber, archive.name());
    return r;
}

void confirmRecall(const Recall& recall, const std::string& name, const std::string& place, const std::string& nation) {
    BirthRecord record = recall.subject.record;
    record.place = recall.birth.coordinates + place;
    record.nation = nation;
    writeCurrentSubject(name.substr(0, kKeyWidth), record);
    // The annotations and the text go with the subject that became current,
    // not with one only looked at.
    writeAnnotationsFile(recall.annotationText);
    writeTextPointer({recall.archive, recall.subject.textNumber()});
}

SubjectEdit editFieldsOf(const StoredSubject& s) {
    const std::string& m = s.record.moment;
    SubjectEdit e;
    e.name = s.entry.name();
    e.date = fieldPart(m, 6, 2) + "/" + fieldPart(m, 4, 2) + "/" + fieldPart(m, 0, 4);
    e.time = fieldPart(m, 8, 2) + ":" + fieldPart(m, 10, 2);
    e.corr = fieldPart(m, 12, 8);
    e.place = trimRight(fieldPart(s.record.place, 12, 27));
    e.nation = s.record.nation;
    e.coordinates = fieldPart(s.record.place, 0, 12);
    e.calendar = s.record.calendar == "GR" ? "GREGORIANO" : "GIULIANO";
    if (s.annotationNumber != 0 && s.annotation) {
        for (std::size_t i = 0; i < 3; ++i) e.annotations[i] = s.annotation->lines[i];
        e.annotations[3] = fieldPart(s.annotation->lines[3], 0, 64);
        e.textNumber = fieldPart(s.annotation->lines[3], 64, 5);
    }
    return e;
}

std::optional<std::array<int, 5>> momentOfEdit(const SubjectEdit& e) {
    const auto day = digitsAt(e.date, 0, 2), month = digitsAt(e.date, 3, 2), year = digitsAt(e.date, 6, 4);
    const auto hour = digitsAt(e.time, 0, 2), minute = digitsAt(e.time, 3, 2);
    if (!day || !month || !year || !hour || !minute) return std::nullopt;
    return std::array<int, 5>{*day, *month, *year, *hour, *minute};
}

EditCheck checkSubjectEdit(SubjectEdit& e) {
    for (std::string* f : {&e.name, &e.date, &e.time, &e.corr, &e.place, &e.nation, &e.coordinates, &e.calendar,
                           &e.annotations[0], &e.annotations[1], &e.annotations[2], &e.annotations[3], &e.textNumber})
        *f = trimSpaces(*f);
    EditCheck check;
    if (!inRange(digitsAt(e.date, 0, 2), 1, 31) || !inRange(digitsAt(e.date, 3, 2), 1, 12) ||
        !inRange(digitsAt(e.date, 6, 4), 1, 2080)) {
        check.failure = "Data Nascita Scorretta o Incompleta";
        return check;
    }
    if (!inRange(digitsAt(e.time, 0, 2), 0, 23) || !inRange(digitsAt(e.time, 3, 2), 0, 59)) {
        check.failure = "Ora Nascita Scorretta o Incompleta";
        return check;
    }
    const std::string& c = e.coordinates;
    if (c.size() != 12 || !inRange(digitsAt(c, 0, 2), 0, 89) || !inRange(digitsAt(c, 3, 2), 0, 59) ||
        !inRange(digitsAt(c, 6, 3), 0, 179) || !inRange(digitsAt(c, 10, 2), 0, 59) || (c[2] != 'N' && c[2] != 'S') ||
        (c[9] != 'E' && c[9] != 'W')) {
        check.failure = "Coordinate Scorrette o Incomplete";
        return check;
    }
    if (e.calendar != "GREGORIANO" && e.calendar != "GIULIANO") {
        check.failure = "Errore definizione Calendario";
        return check;
    }
    // A day the calendar does not have (31/02, 29/02/1900 Gregorian) would be
    // stored and then refused by every chart of the subject.
    if (!isExistingDate(*digitsAt(e.date, 0, 2), *digitsAt(e.date, 3, 2), *digitsAt(e.date, 6, 4),
                        e.calendar == "GREGORIANO")) {
        check.failure = "Data Nascita Scorretta o Incompleta";
        return check;
    }
    std::string point = e.corr;
    for (char& ch : point)
        if (ch == ',') ch = '.';
    Extended corr = 0;
    if (!parseSettingReal(point, corr) || corrFieldText(e.corr).size() > kCorrFieldWidth) {
        check.failure = "Errore alla voce \"Corr\" (Correzione Totale)";
        return check;
    }
    if (corr < -12 || corr > 12) {
        check.failure = "\"Corr\" riporta un valore impossibile";
        return check;
    }
    const int longitude = *digitsAt(c, 6, 3) * (c[9] == 'W' ? -1 : 1);
    if (std::fabs(corr + longitude / 15.0L) > 2)
        check.question = "Possibile Incongruenza tra Longitudine e \"Corr\", Confermi i Dati?";
    return check;
}

BirthRecord editedBirthRecord(const StoredSubject& subject, const SubjectEdit& e) {
    BirthRecord record;
    record.moment = e.date.substr(6, 4) + e.date.substr(3, 2) + e.date.substr(0, 2) + e.time.substr(0, 2) +
                    e.time.substr(3, 2) + corrFieldText(e.corr);
    record.place = e.coordinates + e.place;
    record.calendar = e.calendar.substr(0, 2);
    record.nation = e.nation;
    record.annotationNumber = subject.record.annotationNumber;
    const ChartSummary summary = summaryChartOf(decodeBirth(record));
    record.planetSummary = summary.planets;
    record.cuspSummary = summary.cusps;
    record.aspectSummary = summary.aspects;
    return record;
}

std::optional<int> positionOfSameSubject(const Archive& archive, const std::string& name, const std::string& moment,
                                         int exceptBirthNumber) {
    const std::string wantedName = trimRight(upperCase1252(name.substr(0, std::min(name.size(), kNameWidth))));
    const std::string wantedMoment = trimRight(moment);
    const std::vector<IndexEntry> entries = archive.readWholeIndex();
    for (std::size_t k = 1; k < entries.size(); ++k) {
        if (trimRight(entries[k].name()) != wantedName) continue;
        const auto number = entries[k].recordNumber();
        if (!number || *number == exceptBirthNumber || *number < 0 || *number >= archive.birthCount()) continue;
        if (trimRight(archive.readBirth(*number).moment) == wantedMoment) return static_cast<int>(k);
    }
    return std::nullopt;
}

std::string sameSubjectMessage(const Archive& archive, int position) {
    const StoredSubject s = readStoredSubject(archive, position);
    const std::string& m = s.record.moment;
    return trimRight(s.entry.name()) + " (nascita " + fieldPart(m, 6, 2) + "/" + fieldPart(m, 4, 2) + "/" +
           fieldPart(m, 0, 4) + " " + fieldPart(m, 8, 2) + ":" + fieldPart(m, 10, 2) + ") c'\xE8 gi\xE0 nell'archivio " +
           archive.name() + " alla voce " + std::to_string(position);
}

Modification modifySubject(Archive& archive, const StoredSubject& subject, SubjectEdit e, bool confirmed) {
    Modification out;
    const EditCheck check = checkSubjectEdit(e);
    out.failure = check.failure;
    if (!out.failure.empty()) return out;
    if (!check.question.empty() && !confirmed) {
        out.question = check.question;
        return out;
    }
    if (archive.readIndex(subject.indexPosition).text != subject.entry.text)
        throw IoError(archiveFileName(archive.name(), 1), "la voce " + std::to_string(subject.indexPosition) +
                                                            " \xE8 cambiata dopo la lettura");

    BirthRecord record = editedBirthRecord(subject, e);

    bool annotated = !e.textNumber.empty();
    for (const auto& line : e.annotations) annotated = annotated || !line.empty();
    if (annotated) {
        const AnnotationRecord annotation = annotationFromFields(e.annotations, e.textNumber);
        if (subject.annotationNumber != 0) {
            archive.rewriteAnnotation(subject.annotationNumber, annotation);
        } else {
            record.annotationNumber = ZeroPad(archive.appendAnnotation(annotation), 5);
        }
    }
    archive.rewriteBirth(subject.birthNumber, record);
    out.indexPosition = archive.replaceInOrder(subject.indexPosition, {subjectKey(e.name, subject.birthNumber)});
    return out;
}

bool isCurrentSubject(const StoredSubject& subject) {
    if (!currentSubjectExists()) return false;
    const BirthRecord current = readCurrentSubject().record;
    return current.moment == subject.record.moment && current.calendar == subject.record.calendar &&
           fieldPart(current.place, 0, 12) == fieldPart(subject.record.place, 0, 12);
}

void makeCurrentSubject(const Archive& archive, int k) {
    const Recall r = recallSubject(archive, k);
    confirmRecall(r, r.subject.entry.name(), r.birth.place, r.subject.record.nation);
}

std::string textDocumentForEdit(const std::string& archive, const SubjectEdit& edit) {
    const std::string number = trimSpaces(edit.textNumber);
    if (textDocumentExists(archive, number)) {
        writeEditedDocument(textDocumentPath(archive, number));
        return number;
    }
    return createTextDocument(archive, trimSpaces(edit.name));
}

} // namespace qv
