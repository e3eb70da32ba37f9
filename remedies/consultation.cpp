#include "remedies/consultation.h"

#include "ephemeris/text_forms.h"
#include "remedies/remedy_files.h"
#include "remedies/remedy_text.h"
#include "remedies/support_lists.h"

#include <optional>
#include <algorithm>
#include <cstring>

namespace qv::remedies {

const char* const kNoWarnings = "Non \xE8 stato finora necessario prescrivere Avvertenze";

// ---- Pages and note cycles --------------------------------------------------

void MatchPages::reset() {
    matches_.clear();
    page_ = 1;
    red_ = false;
}

bool MatchPages::add(std::int64_t record) {
    matches_.push_back(record);
    const bool onView = (count() - 1) / kRowsPerPage == page_ - 1;
    red_ = !onView;
    return onView;
}

bool MatchPages::next() {
    if (page_ >= pages()) return false;
    ++page_;
    red_ = false;
    return true;
}

bool MatchPages::previous() {
    if (page_ <= 1) return false;
    --page_;
    red_ = false;
    return true;
}

int MatchPages::entryOfRow(int row) const {
    const int entry = (page_ - 1) * kRowsPerPage + row;
    return row >= 0 && row < kRowsPerPage && entry < count() ? entry : -1;
}

std::vector<int> MatchPages::entriesOnPage() const {
    std::vector<int> out;
    for (int row = 0; row < kRowsPerPage; ++row)
        if (const int e = entryOfRow(row); e >= 0) out.push_back(e);
    return out;
}

std::string MatchPages::indicator() const {
    return std::to_string(page_) + "/" + std::to_string(pages());
}

int NoteCycle::press(int row) {
    int& s = state_.at(static_cast<std::size_t>(row));
    const int shown = s;
    s = (s + 1) % states_;
    return shown;
}

// ---- Searches ---------------------------------------------------------------

namespace {

// True when the text of `field` in `record` could begin with `wanted`
// (a cheap test before the whole comparison).
bool mayBeginWith(std::span<const std::uint8_t> record, const Field& field, const std::string& wanted) {
    const std::size_t len = record[field.offset];
    const std::size_t n = std::min(len, wanted.size());
    return std::memcmp(record.data() + field.offset + 1, wanted.data(), n) == 0;
}

std::string indicationOf(std::span<const std::uint8_t> r) {
    return fieldText(r, remedy_fields::indicazioni[0]) + fieldText(r, remedy_fields::indicazioni[1]);
}

std::vector<RemedyMatch> remediesNamed(const DataDir& dir, const std::string& name) {
    std::vector<RemedyMatch> out;
    if (name.empty()) return out;
    const RecordScan scan(dir, files::kRemedies, remedyLayout());
    scan.forEach(1, [&](std::int64_t k, std::span<const std::uint8_t> r) {
        if (mayBeginWith(r, remedy_fields::rimedio, name) && listedForm(fieldText(r, remedy_fields::rimedio)) == name)
            out.push_back({k, decodeRemedy(r)});
        return true;
    });
    return out;
}

std::string trimmedOrNotice(const std::string& text, const char* notice) {
    const std::string t = TrimRightSymbols(text);
    return t.empty() ? std::string(notice) : t;
}

} // namespace

std::vector<RemedyMatch> findSymptom(const DataDir& dir, const std::string& symptomLine) {
    return findSymptoms(dir, {symptomLine}).front();
}

std::vector<std::vector<RemedyMatch>> findSymptoms(const DataDir& dir, const std::vector<std::string>& symptomLines) {
    std::vector<std::vector<RemedyMatch>> out(symptomLines.size());
    const RecordScan scan(dir, files::kRemedies, remedyLayout());
    scan.forEach(1, [&](std::int64_t k, std::span<const std::uint8_t> r) {
        std::optional<std::string> listed;
        for (std::size_t i = 0; i < symptomLines.size(); ++i) {
            if (!mayBeginWith(r, remedy_fields::indicazioni[0], symptomLines[i])) continue;
            if (!listed) listed = listedForm(indicationOf(r));
            if (*listed == symptomLines[i]) out[i].push_back({k, decodeRemedy(r)});
        }
        return true;
    });
    return out;
}

std::vector<RemedyMatch> findRemedy(const DataDir& dir, const std::string& remedyLine) {
    std::vector<RemedyMatch> out = remediesNamed(dir, remedyLine);
    if (out.empty()) out = remediesNamed(dir, sourceNameOfLine(remedyLine));
    return out;
}

std::vector<RepertoryMatch> findPathology(const DataDir& dir, const std::string& pathology) {
    std::vector<RepertoryMatch> out;
    const RecordScan scan(dir, files::kRepertory, repertoryLayout());
    scan.forEach(1, [&](std::int64_t k, std::span<const std::uint8_t> r) {
        if (mayBeginWith(r, repertory_fields::patologia, pathology) &&
            fieldText(r, repertory_fields::patologia) == pathology)
            out.push_back({k, decodeRepertory(r)});
        return true;
    });
    return out;
}

// ---- Note sections ----------------------------------------------------------

NoteSection symptomRowNote(const RemedyRecord& r, int state) {
    switch (state) {
    case 0: return {r.rimedio + " - Avvertenze", trimmedOrNotice(r.warnings(), kNoWarnings)};
    case 1:
        return {r.rimedio + " - Sintesi Psichica",
                trimmedOrNotice(r.synthesis(), "Non \xE8 per ora stabilita una Sintesi Psichica")};
    case 2: return {r.rimedio + " - Note", trimmedOrNotice(r.notes(), "Il Database Primario non riporta Note")};
    default:
        return {r.rimedio + " - Note Supplementari",
                trimmedOrNotice(r.supplementaryNotes(), "Il Database Primario non riporta Note Supplementari")};
    }
}

NoteSection remedyRowNote(const RemedyRecord& r, int state) {
    if (state == 0) return {r.rimedio + " - Posologia", TrimRightSymbols(r.dosage())};
    return symptomRowNote(r, state);
}

NoteSection therapyRowNote(const DataDir& dir, const std::string& pathology, const std::string& remedy, int state) {
    if (state == 0) {
        NoteSection s{"Note su " + remedy + " / " + pathology, {}};
        const RecordScan scan(dir, files::kRepertory, repertoryLayout());
        scan.forEach(1, [&](std::int64_t, std::span<const std::uint8_t> r) {
            if (fieldText(r, repertory_fields::patologia) != pathology || fieldText(r, repertory_fields::rimedio) != remedy)
                return true;
            s.text = TrimRightSymbols(decodeRepertory(r).notes());
            return false;
        });
        if (s.text.empty()) s.text = "Nessuna Nota registrata per questa combinazione Patologia-Rimedio";
        return s;
    }
    NoteSection s{remedy + " non \xE8 stato rintracciato nel Database Primario", {}};
    const RecordScan scan(dir, files::kRemedies, remedyLayout());
    scan.forEach(1, [&](std::int64_t, std::span<const std::uint8_t> r) {
        if (fieldText(r, remedy_fields::rimedio) != remedy) return true;
        s.label = remedy + " - Avvertenze";
        s.text = trimmedOrNotice(decodeRemedy(r).warnings(),
                                 "Il Database Primario non contempla Avvertenze per l'uso di questo Rimedio");
        return false;
    });
    return s;
}

std::string warningsOrNotice(const RemedyRecord& r) {
    const std::string w = r.warnings();
    return TrimRightSymbols(w).empty() ? std::string(kNoWarnings) : w;
}

std::string planetsText(const RemedyRecord& r) { return r.segnaturaPrimaria + " " + r.segnaturaSecondaria; }

} // namespace qv::remedies
