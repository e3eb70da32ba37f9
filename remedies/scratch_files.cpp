#include "remedies/scratch_files.h"

#include "base/errors.h"
#include "base/text_file.h"
#include "remedies/list_order.h"
#include "remedies/remedy_files.h"
#include "remedies/remedy_text.h"

#include <algorithm>
#include <map>

namespace qv::remedies {

std::vector<ListedRemedy> remedyNameList(const std::vector<RemedyRecord>& remedies) {
    std::vector<std::string> stored;
    stored.reserve(remedies.size());
    for (const RemedyRecord& r : remedies) stored.push_back(r.rimedio);
    return remedyNameList(stored);
}

std::vector<ListedRemedy> remedyNameList(const std::vector<std::string>& storedNames) {
    std::map<std::string, std::int64_t> firstStored;  // stored name → first record
    std::map<std::string, std::int64_t> firstTrimmed; // name without trailing blanks → first record
    std::vector<std::string> names;
    for (std::size_t k = 0; k < storedNames.size(); ++k) {
        firstStored.emplace(storedNames[k], static_cast<std::int64_t>(k));
        names.push_back(trimRightBlanks(storedNames[k]));
        firstTrimmed.emplace(names.back(), static_cast<std::int64_t>(k));
    }
    sortInListOrder(names);
    dropRepeats(names);
    std::vector<ListedRemedy> out;
    for (const std::string& n : names) {
        if (n.find("Errore") != std::string::npos) continue;
        // The record stored under exactly this name, or else the first
        // whose name differs from it only by trailing blanks.
        const auto it = firstStored.find(n);
        out.push_back({n, it != firstStored.end() ? it->second : firstTrimmed.at(n)});
    }
    return out;
}

void writeRecordNumbers(const DataDir& dir, const std::vector<ListedRemedy>& list) {
    std::vector<std::string> lines;
    for (const ListedRemedy& r : list) lines.push_back(std::to_string(r.firstRecord));
    writeTextList(dir, files::kRemedyRecordNumbers, lines);
}

std::vector<std::int64_t> readRecordNumbers(const DataDir& dir) {
    std::vector<std::int64_t> out;
    const auto lines = readSupportList(dir, files::kRemedyRecordNumbers, 19);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        if (l.empty() || !std::all_of(l.begin(), l.end(), [](char c) { return c >= '0' && c <= '9'; }))
            throw IoError(files::kRemedyRecordNumbers,
                          "la riga " + std::to_string(i + 1) + " non \xE8 un numero di record: \"" + l + "\"");
        out.push_back(std::stoll(l));
    }
    return out;
}

void writeSignatureHits(const DataDir& dir, const std::vector<SignatureHit>& hits) {
    std::vector<std::string> lines;
    for (const SignatureHit& h : hits) lines.insert(lines.end(), {h.rimedio, h.primaria, h.secondaria, h.zodiacale});
    writeTextList(dir, files::kSignatureHits, lines);
}

std::vector<SignatureHit> readSignatureHits(const DataDir& dir, int page) {
    const auto lines = readSupportList(dir, files::kSignatureHits, 70);
    std::vector<SignatureHit> out;
    const std::size_t first = static_cast<std::size_t>(std::max(page - 1, 0)) * 56;
    for (std::size_t i = first; i + 3 < lines.size() && out.size() < 14; i += 4)
        out.push_back({lines[i], lines[i + 1], lines[i + 2], lines[i + 3]});
    return out;
}

std::vector<PrincipleRecord> parsePrinciples(const std::vector<std::string>& lines) {
    constexpr std::size_t kLines = 15 * 5;
    if (lines.size() < kLines)
        throw IoError(files::kPrinciplesText, "servono 15 gruppi di 5 righe (75 righe), il file ne ha " +
                                                  std::to_string(lines.size()));
    for (std::size_t i = kLines; i < lines.size(); ++i)
        if (!lines[i].empty())
            throw IoError(files::kPrinciplesText, "la riga " + std::to_string(i + 1) + " \xE8 oltre i 15 gruppi di 5 righe");
    std::vector<PrincipleRecord> out(15);
    for (std::size_t i = 0; i < kLines; ++i) {
        if (lines[i].size() > kPrincipleWidth)
            throw IoError(files::kPrinciplesText, "la riga " + std::to_string(i + 1) + " ha " +
                                                      std::to_string(lines[i].size()) + " caratteri, pi\xF9 dei 40 del campo");
        out[i / 5][i % 5] = upperLetters(lines[i]);
    }
    return out;
}

void buildPrinciples(const DataDir& dir) {
    const auto records = parsePrinciples(readSupportList(dir, files::kPrinciplesText, 1000));
    std::vector<Bytes> bytes;
    for (const PrincipleRecord& r : records) bytes.push_back(encodePrinciple(r));
    writeRecords(dir, files::kPrinciples, bytes);
}

} // namespace qv::remedies
