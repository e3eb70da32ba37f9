// The records of the remedy database, byte for byte: the primary database
// (one use of one remedy per record), the therapy repertory, the plant
// database, the name files, the tally files of the composite searches and
// the principles archive. Strings are length-prefixed fields; long texts
// are kept in consecutive chunks whose concatenation is the whole text.
#pragma once

#include "base/record_file.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qv::remedies {

// One length-prefixed string field: its first byte is at `offset`, it holds
// up to `width` characters and takes width + 1 bytes.
struct Field {
    std::size_t offset;
    std::size_t width;
    const char* name; // shown in messages about a damaged record
};

// Every string field of a record type, in file order, and its size.
struct RecordLayout {
    std::size_t size;
    std::span<const Field> fields;
};

// The characters of `text` shared out over chunks of the given widths: the
// first width[0] characters to chunk 0, the next to chunk 1, and so on.
// Characters beyond the total width are not kept.
template <std::size_t N>
std::array<std::string, N> splitChunks(const std::string& text, const std::array<std::size_t, N>& widths) {
    std::array<std::string, N> out;
    std::size_t at = 0;
    for (std::size_t i = 0; i < N && at < text.size(); ++i) {
        out[i] = text.substr(at, widths[i]);
        at += out[i].size();
    }
    return out;
}

template <std::size_t N>
std::string joinChunks(const std::array<std::string, N>& chunks) {
    std::string out;
    for (const std::string& c : chunks) out += c;
    return out;
}

// ---- "OpzioneH\DBmain.rnd": one use of one remedy, 4814 bytes --------------

inline constexpr std::size_t kRemedyRecordSize = 4814;
inline constexpr std::array<std::size_t, 4> kPosologiaWidths{250, 250, 250, 150};
inline constexpr std::array<std::size_t, 2> kIndicazioniWidths{250, 50};
inline constexpr std::array<std::size_t, 6> kSintesiWidths{250, 250, 250, 250, 250, 250};
inline constexpr std::array<std::size_t, 2> kAvvertenzeWidths{250, 150};
inline constexpr std::array<std::size_t, 3> kNoteWidths{250, 250, 250};

struct RemedyRecord {
    std::string rimedio;                          // 50
    std::array<std::string, 4> posologia;         // 900 in all
    std::array<std::string, 2> indicazioni;       // 300 in all
    std::array<std::string, 6> sintesiPsichica;   // 1500 in all
    std::string segnaturaPrimaria;                // 30
    std::string segnaturaSecondaria;              // 40
    std::string segnaturaZodiacale;               // 70
    std::array<std::string, 2> avvertenze;        // 400 in all
    std::array<std::string, 3> note;              // 750 in all
    std::array<std::string, 3> noteSupplementari; // 750 in all

    std::string dosage() const { return joinChunks(posologia); }
    std::string indication() const { return joinChunks(indicazioni); }
    std::string synthesis() const { return joinChunks(sintesiPsichica); }
    std::string warnings() const { return joinChunks(avvertenze); }
    std::string notes() const { return joinChunks(note); }
    std::string supplementaryNotes() const { return joinChunks(noteSupplementari); }

    // Whole texts shared out over their chunks (longer texts are cut).
    void setDosage(const std::string& t) { posologia = splitChunks(t, kPosologiaWidths); }
    void setIndication(const std::string& t) { indicazioni = splitChunks(t, kIndicazioniWidths); }
    void setSynthesis(const std::string& t) { sintesiPsichica = splitChunks(t, kSintesiWidths); }
    void setWarnings(const std::string& t) { avvertenze = splitChunks(t, kAvvertenzeWidths); }
    void setNotes(const std::string& t) { note = splitChunks(t, kNoteWidths); }
    void setSupplementaryNotes(const std::string& t) { noteSupplementari = splitChunks(t, kNoteWidths); }
};

// ---- "OpzioneH\Repertorio.rnd": a pathology–remedy pair, 1206 bytes ---------

inline constexpr std::size_t kRepertoryRecordSize = 1206;

struct RepertoryRecord {
    std::string patologia;            // 100
    std::string posologia;            // 250
    std::string rimedio;              // 100
    std::array<std::string, 3> note;  // 750 in all

    std::string notes() const { return joinChunks(note); }
    void setNotes(const std::string& t) { note = splitChunks(t, kNoteWidths); }
};

// ---- "OpzioneS\DataStf.rnd": one symptom of one plant, 599 bytes -----------

inline constexpr std::size_t kPlantEntryRecordSize = 599;

struct PlantEntryRecord {
    std::string sintomo;             // 100
    std::string pianta;              // 20
    std::string sigla;               // 15
    std::string segnaturaPrimaria;   // 15
    std::string segnaturaSecondaria; // 30
    std::string segnaturaZodiacale;  // 70
    std::string sintesi;             // 100
    std::string autori;              // 100
    std::string note;                // 140
};

// ---- Name files: one name per record ---------------------------------------

inline constexpr std::size_t kPlantNameWidth = 20;    // "OpzioneS\Piante.rnd", 21 bytes
inline constexpr std::size_t kSymptomNameWidth = 100; // "OpzioneS\Sintomi.rnd", 101 bytes
inline constexpr std::size_t kRemedyNameWidth = 50;   // per-planet and per-sign files, 51 bytes

// ---- "OpzioneH\RicCom.Rnd", "OpzioneH\TerCom.Rnd": 52 bytes ----------------

inline constexpr std::size_t kScoreRecordSize = 52;

struct ScoreRecord {
    std::string name;       // 50
    std::uint8_t count = 0; // the complaints the remedy serves in the search
};

// ---- "Principi.sto": five names of width 40, 205 bytes ---------------------

inline constexpr std::size_t kPrincipleRecordSize = 205;
inline constexpr std::size_t kPrincipleWidth = 40;
using PrincipleRecord = std::array<std::string, 5>;

// ---- Layouts and codecs ----------------------------------------------------

const RecordLayout& remedyLayout();
const RecordLayout& repertoryLayout();
const RecordLayout& plantEntryLayout();
const RecordLayout& scoreLayout();
const RecordLayout& principleLayout();
// The layout of a name file of the given width.
RecordLayout nameLayout(std::size_t width);

// The first field of `layout` whose length byte in `record` is larger than
// its width, or nullptr when every length is sound.
const Field* damagedField(std::span<const std::uint8_t> record, const RecordLayout& layout);

// Decoders read a record of exactly the layout's size; texts longer than a
// field's width never arise because the length byte is checked first by
// the readers of remedy_files.h (a damaged length here is read as the width).
RemedyRecord decodeRemedy(std::span<const std::uint8_t> record);
RepertoryRecord decodeRepertory(std::span<const std::uint8_t> record);
PlantEntryRecord decodePlantEntry(std::span<const std::uint8_t> record);
ScoreRecord decodeScore(std::span<const std::uint8_t> record);
PrincipleRecord decodePrinciple(std::span<const std::uint8_t> record);
std::string decodeName(std::span<const std::uint8_t> record, std::size_t width);

// Encoders write every field (cut to its width, bytes after a text zeroed).
Bytes encodeRemedy(const RemedyRecord& r);
Bytes encodeRepertory(const RepertoryRecord& r);
Bytes encodePlantEntry(const PlantEntryRecord& r);
Bytes encodeScore(const ScoreRecord& r);
Bytes encodePrinciple(const PrincipleRecord& r);
Bytes encodeName(const std::string& name, std::size_t width);

// The text of one field of a record without decoding the rest.
std::string fieldText(std::span<const std::uint8_t> record, const Field& field);

// Fields by which the searches read records without decoding them whole.
namespace remedy_fields {
extern const Field rimedio;
extern const std::array<Field, 4> posologia;
extern const std::array<Field, 2> indicazioni;
extern const std::array<Field, 6> sintesi;
extern const std::array<Field, 3> note;
extern const Field segnaturaPrimaria;
extern const Field segnaturaSecondaria;
extern const Field segnaturaZodiacale;
} // namespace remedy_fields

namespace repertory_fields {
extern const Field patologia;
extern const Field posologia;
extern const Field rimedio;
} // namespace repertory_fields

} // namespace qv::remedies
