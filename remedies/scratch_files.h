// Files that carry results from one step of a window to the next
// ("FileDum\Prdts.dum", "FileDum\Segnat.dum"), the remedy-name list they
// belong to, and the principles archive ("Principi.txt" → "Principi.sto").
#pragma once

#include "base/data_dir.h"
#include "remedies/records.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv::remedies {

// The remedy-name list of the signature, plant and synthesis windows: each
// distinct name (blanks trimmed at the right) in list order, except names
// that contain "Errore", with the first record (from 0) stored under it.
struct ListedRemedy {
    std::string name;
    std::int64_t firstRecord;
};
std::vector<ListedRemedy> remedyNameList(const std::vector<RemedyRecord>& remedies);
// The same from the stored names alone (record 0 first).
std::vector<ListedRemedy> remedyNameList(const std::vector<std::string>& storedNames);

// "FileDum\Prdts.dum": line k holds the first record of entry k.
void writeRecordNumbers(const DataDir& dir, const std::vector<ListedRemedy>& list);
std::vector<std::int64_t> readRecordNumbers(const DataDir& dir);

// "FileDum\Segnat.dum": four lines per remedy found by a signature search.
struct SignatureHit {
    std::string rimedio, primaria, secondaria, zodiacale;
};
void writeSignatureHits(const DataDir& dir, const std::vector<SignatureHit>& hits);
// The hits of page q (from 1), fourteen to a page.
std::vector<SignatureHit> readSignatureHits(const DataDir& dir, int page);

// "Principi.sto" from "Principi.txt": 15 groups of five lines, each line in
// upper case (letters a to z), group k + 1 to record k. A missing group, a
// line longer than 40 characters or lines beyond the 75th that are not
// empty are an IoError naming "Principi.txt".
std::vector<PrincipleRecord> parsePrinciples(const std::vector<std::string>& lines);
void buildPrinciples(const DataDir& dir);

} // namespace qv::remedies
