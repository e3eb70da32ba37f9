// Finding a word or phrase in one field of the primary database or of the
// therapy repertory, record after record, and correcting the field where it
// is found. The term and the texts are compared in upper case (letters a to
// z); a correction is written over the record found and never longer than
// the field can hold.
#pragma once

#include "base/data_dir.h"
#include "remedies/maintenance.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv::remedies {

enum class SearchField {
    // primary database
    Rimedio, Indicazioni, Posologia, Avvertenze, SegnaturaPrimaria, SegnaturaSecondaria, SegnaturaZodiacale,
    SintesiPsichica, Note, NoteSupplementari,
    // repertory
    RepRimedio, RepPatologia, RepPosologia, RepNote,
};

struct SearchFieldInfo {
    SearchField field;
    Database database;
    const char* control; // the button that chooses it
    const char* caption;
    std::size_t capacity; // characters the field holds (all its chunks)
};
const std::vector<SearchFieldInfo>& searchFields();
const SearchFieldInfo& searchFieldInfo(SearchField field);

// The whole text of the field in a record of its database, and the record
// with the field replaced (cut into its chunks).
std::string searchFieldText(SearchField field, const Bytes& record);
Bytes withSearchFieldText(SearchField field, const Bytes& record, const std::string& text);

struct SearchHit {
    std::int64_t record = 0;
    std::string name;     // the remedy of the record
    std::string text;     // the field's whole text as stored
    std::size_t position = 0; // where the term begins in it (from 0)
};

// The first record from `from` on (record 0 included) whose field holds the
// term; none when the end of the file is reached. An empty term finds
// nothing.
std::optional<SearchHit> findNextHit(const DataDir& dir, SearchField field, const std::string& term,
                                     std::int64_t from);

// The records of the field's database (header included).
std::int64_t searchRecordCount(const DataDir& dir, SearchField field);

// Replaces the field of record k with `text`. A text longer than the field
// is refused with a ConversionError that says by how much; nothing is
// written then.
void writeCorrection(const DataDir& dir, SearchField field, std::int64_t k, const std::string& text);

} // namespace qv::remedies
