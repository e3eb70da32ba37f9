#include "archive/subject_registration.h"

#include "archive/archive_files.h"
#include "archive/chart_summary.h"
#include "archive/current_subject.h"
#include "archive/side_files.h"
#include "archive/subject_operations.h"
#include "base/cp1252.h"
#include "base/data_dir.h"
#include "base/decimal_text.h"
#include "base/errors.h"
#include "base/file_safety.h"
#include "ephemeris/birth_data.h"
#include "ephemeris/text_forms.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unistd.h>
#include <cstdint>
#include <filesystem>
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

// The byte lengths of an archive's birth and text files (-1: no file).
struct ArchiveLengths {
    std::intmax_t births = -1, annotations = -1;
};

std::intmax_t lengthOf(const std::string& dataPath) {
    std::error_code ec;
    if (!dataDir().exists(dataPath)) return -1;
    const auto size = std::filesystem::file_size(dataDir().resolve(dataPath), ec);
    return ec ? -1 : static_cast<std::intmax_t>(size);
}

ArchiveLengths archiveLengths(const std::string& archive) {
    return {lengthOf(archiveFileName(archive, 2)), lengthOf(archiveFileName(archive, 3))};
}

// Cuts the files back to `before`; a text file the attempt created goes.
// Cutting needs no free space, so it works on the full disk that made the
// attempt fail.
void restoreArchiveLengths(const std::string& archive, const ArchiveLengths& before) {
    std::error_code ec;
    const std::pair<int, std::intmax_t> files[] = {{2, before.births}, {3, before.annotations}};
    for (const auto& [extension, length] : files) {
        const std::string dataPath = archiveFileName(archive, extension);
        if (!dataDir().exists(dataPath)) continue;
        const auto path = dataDir().resolve(dataPath);
        if (length < 0)
            std::filesystem::remove(path, ec);
        else if (lengthOf(dataPath) != length)
            std::filesystem::resize_file(path, static_cast<std::uintmax_t>(length), ec);
    }
}

// The index as it was, kept under a second name (a hard link) while a
// subject is registered: putting it back is a rename, which needs no free
// space on the full disk that made the registration fail. On a file system
// without hard links nothing is kept.
class KeptIndex {
public:
    explicit KeptIndex(std::filesystem::path index) : index_(std::move(index)) {
        kept_ = uniqueTemporaryBeside(index_);
        if (::link(index_.c_str(), kept_.c_str()) != 0) kept_.clear();
    }
    ~KeptIndex() {
        if (!kept_.empty()) ::unlink(kept_.c_str());
    }
    KeptIndex(const KeptIndex&) = delete;
    KeptIndex& operator=(const KeptIndex&) = delete;
    bool putBack() const {
        if (kept_.empty() || std::rename(kept_.c_str(), index_.c_str()) != 0) return false;
        kept_.clear();
        return true;
    }

private:
    std::filesystem::path index_;
    mutable std::filesystem::path kept_;
};

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

    if (!temporary) {
        const Archive existing = openAnyArchive(out.archive);
        if (const auto same = positionOfSameSubject(existing, s.name, record.moment)) {
            out.samePosition = *same;
            out.failure = sameSubjectMessage(existing, *same);
            return out;
        }
    }

    noteArchiveInUse(out.archive);
    if (temporary) {
        out.birthNumber = currentSubjectBirthCount();
        out.entry.text = subjectKey(s.name, out.birthNumber);
        replaceCurrentSubject(out.entry.text, record, true);
        writeAnnotationsFile(recalledAnnotationText(annotation));
        writeTextPointer({out.archive, s.textNumber});
        return out;
    }

    // The text file, the birth file and the index take the subject together:
    // when any write fails (a full disk), each file is cut back to what it
    // held before, so the next subject gets the record number this one would
    // have had.
    Archive archive = openAnyArchive(out.archive);
    const ArchiveLengths before = archiveLengths(out.archive);
    const KeptIndex keptIndex(dataDir().resolve(archiveFileName(out.archive, 1)));
    bool indexed = false;
    try {
        if (annotated) {
            out.annotationNumber = archive.appendAnnotation(annotation);
            record.annotationNumber = ZeroPad(out.annotationNumber, 5);
        }
        out.birthNumber = archive.appendBirth(record);
        out.entry.text = subjectKey(s.name, out.birthNumber);
        out.indexPosition = archive.appendInOrder(out.entry);
        indexed = true;
        replaceCurrentSubject(out.entry.text, record, false);
        writeAnnotationsFile(annotated ? registeredAnnotationText(annotation) : recalledAnnotationText(annotation));
        writeTextPointer({out.archive, s.textNumber});
    } catch (...) {
        // An entry in the index goes first; when that fails too, its
        // records stay with it (the new error is reported).
        if (indexed && !keptIndex.putBack()) archive.removeIndexEntry(out.indexPosition);
        restoreArchiveLengths(out.archive, before);
        throw;
    }
    return out;
}

std::vector<Registration> registerSubjectsTogether(const std::string& rawArchive, const std::vector<NewSubject>& subjects,
                                                   std::string& failure) {
    failure.clear();
    const std::string name = upperCase1252(rawArchive);
    if (name == kTemporaryArchive || !isPlainArchiveName(name) || name.size() != 4 || !archiveExists(name)) {
        failure = "Archivio " + name + " inesistente";
        return {};
    }
    Archive archive = openAnyArchive(name);
    // Everything is checked and computed before the first byte is written.
    std::vector<BirthRecord> records;
    std::vector<std::pair<std::string, std::string>> seen;  // name, moment of the list so far
    for (const NewSubject& s : subjects) {
        if (std::string f = checkNewSubject(s); !f.empty()) {
            failure = trimSpaces(s.name) + ": " + f;
            return {};
        }
        BirthRecord record = birthRecordOf(s);
        if (const auto same = positionOfSameSubject(archive, s.name, record.moment)) {
            failure = sameSubjectMessage(archive, *same);
            return {};
        }
        const std::pair<std::string, std::string> key{trimRight(upperCase1252(s.name)), trimRight(record.moment)};
        if (std::find(seen.begin(), seen.end(), key) != seen.end()) {
            failure = key.first + " \xE8 due volte nell'elenco con la stessa nascita";
            return {};
        }
        seen.push_back(key);
        records.push_back(std::move(record));
    }
    if (subjects.empty()) return {};

    std::vector<Registration> out;
    const ArchiveLengths before = archiveLengths(name);
    const KeptIndex keptIndex(dataDir().resolve(archiveFileName(name, 1)));
    const std::vector<IndexEntry> indexBefore = archive.readWholeIndex();
    try {
        noteArchiveInUse(name);
        for (std::size_t i = 0; i < subjects.size(); ++i) {
            const NewSubject& s = subjects[i];
            Registration r;
            r.archive = name;
            BirthRecord& record = records[i];
            if (hasAnnotations(s)) {
                r.annotationNumber = archive.appendAnnotation(annotationFromFields(s.annotations, s.textNumber));
                record.annotationNumber = ZeroPad(r.annotationNumber, 5);
            }
            r.birthNumber = archive.appendBirth(record);
            r.entry.text = subjectKey(s.name, r.birthNumber);
            out.push_back(r);
        }
        // Each entry goes to its sorted place; the positions are read once all are in.
        for (Registration& r : out) archive.appendInOrder(r.entry);
        const std::vector<IndexEntry> index = archive.readWholeIndex();
        for (Registration& r : out)
            for (std::size_t k = 1; k < index.size(); ++k)
                if (index[k].text == r.entry.text) r.indexPosition = static_cast<int>(k);
    } catch (...) {
        if (!keptIndex.putBack()) {
            try {
                std::vector<Bytes> encoded;
                for (const IndexEntry& e : indexBefore) encoded.push_back(encodeIndexEntry(e));
                rewriteRecordFile(dataDir().resolve(archiveFileName(name, 1)), encoded, archiveFileName(name, 1));
            } catch (const IoError&) {
                // The new entries point at records that are cut back below:
                // reported with the first error.
            }
        }
        restoreArchiveLengths(name, before);
        throw;
    }
    return out;
}

} // namespace qv
