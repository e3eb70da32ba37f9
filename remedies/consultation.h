// The consultations of the remedy database: from a symptom to the remedy
// records that serve it, from a remedy to its records, from a pathology to
// the repertory's remedies; the pages of fourteen rows they are shown in;
// and the sections each row's numbered button cycles through. Every search
// reads its files within the call (nothing is kept between actions).
#pragma once

#include "base/data_dir.h"
#include "remedies/records.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qv::remedies {

inline constexpr int kRowsPerPage = 14;

// The matches of one search shown fourteen to a page. Every match is kept:
// a search with more matches than fit on the pages so far simply has more
// pages, and the indicator tells how many.
class MatchPages {
public:
    void reset();
    // Appends a match; true when it falls on the page on view.
    bool add(std::int64_t record);
    // Next or previous page; false (and nothing changes) at either end.
    bool next();
    bool previous();

    int count() const { return static_cast<int>(matches_.size()); }
    int pages() const { return (count() + kRowsPerPage - 1) / kRowsPerPage; }
    int page() const { return page_; }
    // Match-list entry of row k (0 … 13) of the page on view, or −1.
    int entryOfRow(int row) const;
    std::int64_t record(int entry) const { return matches_.at(static_cast<std::size_t>(entry)); }
    // The entries on view, in row order.
    std::vector<int> entriesOnPage() const;
    // "page/pages"; red while the page on view cannot show every match
    // found by the search (more pages follow the first).
    std::string indicator() const;
    bool indicatorRed() const { return red_; }

private:
    std::vector<std::int64_t> matches_;
    int page_ = 1;
    bool red_ = false;
};

// One state per row, stepping 0, 1, … states−1, 0 on each press of the row's
// numbered button; reset by a new search, kept by a page change.
class NoteCycle {
public:
    explicit NoteCycle(int states) : states_(states) {}
    void reset() { state_.fill(0); }
    // The state the row shows now; the row then moves to the next state.
    int press(int row);
    int state(int row) const { return state_.at(static_cast<std::size_t>(row)); }

private:
    int states_;
    std::array<int, kRowsPerPage> state_{};
};

// A remedy record found by a search, with its number.
struct RemedyMatch {
    std::int64_t record;
    RemedyRecord data;
};

// Records 1 … N−1 whose indication, in its listed form, equals the symptom
// line (byte for byte), in file order.
std::vector<RemedyMatch> findSymptom(const DataDir& dir, const std::string& symptomLine);
// The same for several entries at once, in one pass over the records: the
// matches of each entry, in the entries' order.
std::vector<std::vector<RemedyMatch>> findSymptoms(const DataDir& dir, const std::vector<std::string>& symptomLines);

// The records of a remedy-list line: the records named like the whole line
// (listed form), or, when there are none, those named like the source name
// a preparation-type line carries.
std::vector<RemedyMatch> findRemedy(const DataDir& dir, const std::string& remedyLine);

struct RepertoryMatch {
    std::int64_t record;
    RepertoryRecord data;
};
// Repertory records 1 … N−1 whose pathology equals the line exactly.
std::vector<RepertoryMatch> findPathology(const DataDir& dir, const std::string& pathology);

// What a numbered button shows: a caption for the note label and the text.
struct NoteSection {
    std::string label;
    std::string text;
};
// Symptom window, four states: warnings, psychic synthesis, notes,
// supplementary notes.
NoteSection symptomRowNote(const RemedyRecord& r, int state);
// Remedy window, four states: dosage, psychic synthesis, notes,
// supplementary notes.
NoteSection remedyRowNote(const RemedyRecord& r, int state);
// Therapy window, two states: the notes on the pathology–remedy pair, then
// the remedy's warnings in the primary database (read from the files).
NoteSection therapyRowNote(const DataDir& dir, const std::string& pathology, const std::string& remedy, int state);

// The warnings a remedy window shows beside the name.
std::string warningsOrNotice(const RemedyRecord& r);
extern const char* const kNoWarnings;

// Row texts.
std::string planetsText(const RemedyRecord& r);  // primary, a blank, secondary

} // namespace qv::remedies
