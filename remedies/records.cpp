#include "remedies/records.h"

#include "base/text_field.h"

#include <algorithm>
#include <stdexcept>

namespace qv::remedies {

namespace {

// Chunks of `widths` laid one after the other from `offset`.
template <std::size_t N>
constexpr std::array<Field, N> chunkFields(std::size_t offset, const std::array<std::size_t, N>& widths,
                                           const char* name) {
    std::array<Field, N> out{};
    for (std::size_t i = 0; i < N; ++i) {
        out[i] = Field{offset, widths[i], name};
        offset += widths[i] + 1;
    }
    return out;
}

} // namespace

namespace remedy_fields {
const Field rimedio{0, 50, "Rimedio"};
const std::array<Field, 4> posologia = chunkFields(51, kPosologiaWidths, "Posologia");
const std::array<Field, 2> indicazioni = chunkFields(955, kIndicazioniWidths, "Indicazioni");
const std::array<Field, 6> sintesi = chunkFields(1257, kSintesiWidths, "SintesiPsichica");
const Field segnaturaPrimaria{2763, 30, "SegnaturaPrimaria"};
const Field segnaturaSecondaria{2794, 40, "SegnaturaSecondaria"};
const Field segnaturaZodiacale{2835, 70, "SegnaturaZodiacale"};
const std::array<Field, 2> avvertenze = chunkFields(2906, kAvvertenzeWidths, "Avvertenze");
const std::array<Field, 3> note = chunkFields(3308, kNoteWidths, "Note");
const std::array<Field, 3> noteSupplementari = chunkFields(4061, kNoteWidths, "NoteSupplementari");
} // namespace remedy_fields

namespace repertory_fields {
const Field patologia{0, 100, "Patologia"};
const Field posologia{101, 250, "Posologia"};
const Field rimedio{352, 100, "Rimedio"};
const std::array<Field, 3> note = chunkFields(453, kNoteWidths, "Note");
} // namespace repertory_fields

namespace {

namespace rf = remedy_fields;
namespace pf = repertory_fields;

template <std::size_t N>
void append(std::vector<Field>& out, const std::array<Field, N>& fields) {
    out.insert(out.end(), fields.begin(), fields.end());
}

const std::vector<Field>& remedyFieldList() {
    static const std::vector<Field> fields = [] {
        std::vector<Field> f{rf::rimedio};
        append(f, rf::posologia);
        append(f, rf::indicazioni);
        append(f, rf::sintesi);
        f.push_back(rf::segnaturaPrimaria);
        f.push_back(rf::segnaturaSecondaria);
        f.push_back(rf::segnaturaZodiacale);
        append(f, rf::avvertenze);
        append(f, rf::note);
        append(f, rf::noteSupplementari);
        return f;
    }();
    return fields;
}

const std::vector<Field>& repertoryFieldList() {
    static const std::vector<Field> fields = [] {
        std::vector<Field> f{pf::patologia, pf::posologia, pf::rimedio};
        append(f, pf::note);
        return f;
    }();
    return fields;
}

constexpr Field kPlantFields[] = {
    {0, 100, "Sintomo"},          {101, 20, "Pianta"},   {122, 15, "Sigla"},
    {138, 15, "SegnaturaPrimaria"}, {154, 30, "SegnaturaSecondaria"}, {185, 70, "SegnaturaZodiacale"},
    {256, 100, "Sintesi"},        {357, 100, "Autori"},  {458, 140, "Note"},
};
constexpr Field kScoreFields[] = {{0, 50, "Nome"}};
constexpr Field kPrincipleFields[] = {
    {0, 40, "Principio 1"}, {41, 40, "Principio 2"}, {82, 40, "Principio 3"},
    {123, 40, "Principio 4"}, {164, 40, "Principio 5"},
};
constexpr Field kPlantName[] = {{0, kPlantNameWidth, "Nome"}};
constexpr Field kSymptomName[] = {{0, kSymptomNameWidth, "Nome"}};
constexpr Field kRemedyName[] = {{0, kRemedyNameWidth, "Nome"}};

template <std::size_t N>
std::array<std::string, N> readChunks(std::span<const std::uint8_t> r, const std::array<Field, N>& fields) {
    std::array<std::string, N> out;
    for (std::size_t i = 0; i < N; ++i) out[i] = fieldText(r, fields[i]);
    return out;
}

template <std::size_t N>
void writeChunks(Bytes& r, const std::array<Field, N>& fields, const std::array<std::string, N>& chunks) {
    for (std::size_t i = 0; i < N; ++i) writeTextField(r, fields[i].offset, fields[i].width, chunks[i]);
}

void write(Bytes& r, const Field& f, const std::string& text) { writeTextField(r, f.offset, f.width, text); }

void checkSize(std::span<const std::uint8_t> record, std::size_t size) {
    if (record.size() != size) throw std::invalid_argument("record of the wrong size");
}

} // namespace

const RecordLayout& remedyLayout() {
    static const RecordLayout layout{kRemedyRecordSize, remedyFieldList()};
    return layout;
}
const RecordLayout& repertoryLayout() {
    static const RecordLayout layout{kRepertoryRecordSize, repertoryFieldList()};
    return layout;
}
const RecordLayout& plantEntryLayout() {
    static const RecordLayout layout{kPlantEntryRecordSize, kPlantFields};
    return layout;
}
const RecordLayout& scoreLayout() {
    static const RecordLayout layout{kScoreRecordSize, kScoreFields};
    return layout;
}
const RecordLayout& principleLayout() {
    static const RecordLayout layout{kPrincipleRecordSize, kPrincipleFields};
    return layout;
}

RecordLayout nameLayout(std::size_t width) {
    switch (width) {
    case kPlantNameWidth: return {width + 1, kPlantName};
    case kSymptomNameWidth: return {width + 1, kSymptomName};
    case kRemedyNameWidth: return {width + 1, kRemedyName};
    default: throw std::invalid_argument("no name file of this width");
    }
}

const Field* damagedField(std::span<const std::uint8_t> record, const RecordLayout& layout) {
    for (const Field& f : layout.fields)
        if (f.offset >= record.size() || record[f.offset] > f.width) return &f;
    return nullptr;
}

std::string fieldText(std::span<const std::uint8_t> record, const Field& field) {
    return readTextField(record, field.offset, field.width);
}

RemedyRecord decodeRemedy(std::span<const std::uint8_t> r) {
    checkSize(r, kRemedyRecordSize);
    RemedyRecord out;
    out.rimedio = fieldText(r, rf::rimedio);
    out.posologia = readChunks(r, rf::posologia);
    out.indicazioni = readChunks(r, rf::indicazioni);
    out.sintesiPsichica = readChunks(r, rf::sintesi);
    out.segnaturaPrimaria = fieldText(r, rf::segnaturaPrimaria);
    out.segnaturaSecondaria = fieldText(r, rf::segnaturaSecondaria);
    out.segnaturaZodiacale = fieldText(r, rf::segnaturaZodiacale);
    out.avvertenze = readChunks(r, rf::avvertenze);
    out.note = readChunks(r, rf::note);
    out.noteSupplementari = readChunks(r, rf::noteSupplementari);
    return out;
}

Bytes encodeRemedy(const RemedyRecord& in) {
    Bytes r(kRemedyRecordSize, 0);
    write(r, rf::rimedio, in.rimedio);
    writeChunks(r, rf::posologia, in.posologia);
    writeChunks(r, rf::indicazioni, in.indicazioni);
    writeChunks(r, rf::sintesi, in.sintesiPsichica);
    write(r, rf::segnaturaPrimaria, in.segnaturaPrimaria);
    write(r, rf::segnaturaSecondaria, in.segnaturaSecondaria);
    write(r, rf::segnaturaZodiacale, in.segnaturaZodiacale);
    writeChunks(r, rf::avvertenze, in.avvertenze);
    writeChunks(r, rf::note, in.note);
    writeChunks(r, rf::noteSupplementari, in.noteSupplementari);
    return r;
}

RepertoryRecord decodeRepertory(std::span<const std::uint8_t> r) {
    checkSize(r, kRepertoryRecordSize);
    RepertoryRecord out;
    out.patologia = fieldText(r, pf::patologia);
    out.posologia = fieldText(r, pf::posologia);
    out.rimedio = fieldText(r, pf::rimedio);
    out.note = readChunks(r, pf::note);
    return out;
}

Bytes encodeRepertory(const RepertoryRecord& in) {
    Bytes r(kRepertoryRecordSize, 0);
    write(r, pf::patologia, in.patologia);
    write(r, pf::posologia, in.posologia);
    write(r, pf::rimedio, in.rimedio);
    writeChunks(r, pf::note, in.note);
    return r;
}

PlantEntryRecord decodePlantEntry(std::span<const std::uint8_t> r) {
    checkSize(r, kPlantEntryRecordSize);
    const auto f = [&](int i) { return fieldText(r, kPlantFields[i]); };
    return PlantEntryRecord{f(0), f(1), f(2), f(3), f(4), f(5), f(6), f(7), f(8)};
}

Bytes encodePlantEntry(const PlantEntryRecord& in) {
    Bytes r(kPlantEntryRecordSize, 0);
    const std::string* values[] = {&in.sintomo, &in.pianta, &in.sigla, &in.segnaturaPrimaria,
                                   &in.segnaturaSecondaria, &in.segnaturaZodiacale, &in.sintesi,
                                   &in.autori, &in.note};
    for (std::size_t i = 0; i < std::size(kPlantFields); ++i) write(r, kPlantFields[i], *values[i]);
    return r;
}

ScoreRecord decodeScore(std::span<const std::uint8_t> r) {
    checkSize(r, kScoreRecordSize);
    return ScoreRecord{fieldText(r, kScoreFields[0]), r[51]};
}

Bytes encodeScore(const ScoreRecord& in) {
    Bytes r(kScoreRecordSize, 0);
    write(r, kScoreFields[0], in.name);
    r[51] = in.count;
    return r;
}

PrincipleRecord decodePrinciple(std::span<const std::uint8_t> r) {
    checkSize(r, kPrincipleRecordSize);
    PrincipleRecord out;
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = fieldText(r, kPrincipleFields[i]);
    return out;
}

Bytes encodePrinciple(const PrincipleRecord& in) {
    Bytes r(kPrincipleRecordSize, 0);
    for (std::size_t i = 0; i < in.size(); ++i) write(r, kPrincipleFields[i], in[i]);
    return r;
}

std::string decodeName(std::span<const std::uint8_t> r, std::size_t width) {
    checkSize(r, width + 1);
    return readTextField(r, 0, width);
}

Bytes encodeName(const std::string& name, std::size_t width) {
    Bytes r(width + 1, 0);
    writeTextField(r, 0, width, name);
    return r;
}

} // namespace qv::remedies
