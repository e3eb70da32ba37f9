#include "remedies/search_correct.h"

#include "base/errors.h"
#include "remedies/remedy_files.h"
#include "remedies/remedy_text.h"
#include "remedies/safe_rewrite.h"

namespace qv::remedies {

namespace {

bool primary(SearchField f) { return searchFieldInfo(f).database == Database::Primary; }

} // namespace

const std::vector<SearchFieldInfo>& searchFields() {
    static const std::vector<SearchFieldInfo> table = {
        {SearchField::Rimedio, Database::Primary, "RbRime", "Rimedio", 50},
        {SearchField::Indicazioni, Database::Primary, "RBindi", "Indicazioni", 300},
        {SearchField::Posologia, Database::Primary, "RBposo", "Posologia", 900},
        {SearchField::Avvertenze, Database::Primary, "RBavve", "Avvertenze", 400},
        {SearchField::SegnaturaPrimaria, Database::Primary, "RBSpri", "Segnat. Primaria", 30},
        {SearchField::SegnaturaSecondaria, Database::Primary, "RBSSec", "Segnat.Second.", 40},
        {SearchField::SegnaturaZodiacale, Database::Primary, "RBSZod", "Segnat. Zodiac.", 70},
        {SearchField::SintesiPsichica, Database::Primary, "RBpsic", "Sintesi Psichica", 1500},
        {SearchField::Note, Database::Primary, "RBnote", "Note", 750},
        {SearchField::NoteSupplementari, Database::Primary, "RBnoSu", "Note Supplementari", 750},
        {SearchField::RepRimedio, Database::Repertory, "RBrimed", "Rimedio", 100},
        {SearchField::RepPatologia, Database::Repertory, "RBpatol", "Patologia", 100},
        {SearchField::RepPosologia, Database::Repertory, "RBposol", "Posologia", 250},
        {SearchField::RepNote, Database::Repertory, "RBnotes", "Note", 750},
    };
    return table;
}

const SearchFieldInfo& searchFieldInfo(SearchField field) {
    return searchFields().at(static_cast<std::size_t>(field));
}

std::string searchFieldText(SearchField field, const Bytes& record) {
    if (primary(field)) {
        const RemedyRecord r = decodeRemedy(record);
        switch (field) {
        case SearchField::Rimedio: return r.rimedio;
        case SearchField::Indicazioni: return r.indication();
        case SearchField::Posologia: return r.dosage();
        case SearchField::Avvertenze: return r.warnings();
        case SearchField::SegnaturaPrimaria: return r.segnaturaPrimaria;
        case SearchField::SegnaturaSecondaria: return r.segnaturaSecondaria;
        case SearchField::SegnaturaZodiacale: return r.segnaturaZodiacale;
        case SearchField::SintesiPsichica: return r.synthesis();
        case SearchField::Note: return r.notes();
        default: return r.supplementaryNotes();
        }
    }
    const RepertoryRecord r = decodeRepertory(record);
    switch (field) {
    case SearchField::RepRimedio: return r.rimedio;
    case SearchField::RepPatologia: return r.patologia;
    case SearchField::RepPosologia: return r.posologia;
    default: return r.notes();
    }
}

Bytes withSearchFieldText(SearchField field, const Bytes& record, const std::string& t) {
    if (primary(field)) {
        RemedyRecord r = decodeRemedy(record);
        switch (field) {
        case SearchField::Rimedio: r.rimedio = t; break;
        case SearchField::Indicazioni: r.setIndication(t); break;
        case SearchField::Posologia: r.setDosage(t); break;
        case SearchField::Avvertenze: r.setWarnings(t); break;
        case SearchField::SegnaturaPrimaria: r.segnaturaPrimaria = t; break;
        case SearchField::SegnaturaSecondaria: r.segnaturaSecondaria = t; break;
        case SearchField::SegnaturaZodiacale: r.segnaturaZodiacale = t; break;
        case SearchField::SintesiPsichica: r.setSynthesis(t); break;
        case SearchField::Note: r.setNotes(t); break;
        default: r.setSupplementaryNotes(t); break;
        }
        return encodeRemedy(r);
    }
    RepertoryRecord r = decodeRepertory(record);
    switch (field) {
    case SearchField::RepRimedio: r.rimedio = t; break;
    case SearchField::RepPatologia: r.patologia = t; break;
    case SearchField::RepPosologia: r.posologia = t; break;
    default: r.setNotes(t); break;
    }
    return encodeRepertory(r);
}

std::optional<SearchHit> findNextHit(const DataDir& dir, SearchField field, const std::string& term,
                                     std::int64_t from) {
    const std::string wanted = upperLetters(term);
    if (wanted.empty()) return std::nullopt;
    const Database db = searchFieldInfo(field).database;
    const RecordScan scan(dir, databasePath(db), databaseLayout(db));
    std::optional<SearchHit> hit;
    scan.forEach(from, [&](std::int64_t k, std::span<const std::uint8_t> r) {
        const Bytes record(r.begin(), r.end());
        const std::string text = searchFieldText(field, record);
        const std::size_t at = upperLetters(text).find(wanted);
        if (at == std::string::npos) return true;
        hit = SearchHit{k, recordName(db, record), text, at};
        return false;
    });
    return hit;
}

std::int64_t searchRecordCount(const DataDir& dir, SearchField field) {
    const Database db = searchFieldInfo(field).database;
    return RecordScan(dir, databasePath(db), databaseLayout(db)).count();
}

void writeCorrection(const DataDir& dir, SearchField field, std::int64_t k, const std::string& text) {
    const SearchFieldInfo& info = searchFieldInfo(field);
    if (text.size() > info.capacity)
        throw ConversionError("Il testo corretto ha " + std::to_string(text.size()) + " caratteri: il campo " +
                              info.caption + " ne contiene al massimo " + std::to_string(info.capacity) +
                              ". Accorciarlo di " + std::to_string(text.size() - info.capacity) +
                              " caratteri prima di salvare; nulla \xE8 stato scritto.");
    const Database db = info.database;
    const Bytes corrected = withSearchFieldText(field, RecordScan(dir, databasePath(db), databaseLayout(db)).read(k), text);
    // The names and the second keys are lines of the consultation lists.
    if (field == SearchField::Rimedio || field == SearchField::Indicazioni || field == SearchField::RepRimedio ||
        field == SearchField::RepPatologia)
        if (const std::string why = listedKeyProblem(db, corrected); !why.empty()) throw ConversionError(why);
    replaceRecordSafely(dir, databasePath(db), databaseLayout(db), k, corrected);
}

} // namespace qv::remedies
