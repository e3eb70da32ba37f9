#include "remedies/composite.h"

#include "base/folded_key.h"
#include "base/lookup.h"
#include "ephemeris/text_forms.h"
#include "remedies/list_order.h"
#include "remedies/named_lists.h"
#include "remedies/remedy_files.h"
#include "remedies/remedy_text.h"
#include "remedies/support_lists.h"

#include <algorithm>
#include <map>

namespace qv::remedies {

const char* const kDetailSeparator = "            =======\xA7\xA7\xA7\xA7\xA7\xA7\xA7=======";

namespace {

// One source record as the composite searches see it.
struct Link {
    std::string complaint;  // compared with the slots
    std::string remedy;     // counted under this name
    std::span<const std::uint8_t> record;
    bool symptoms;

    std::string shownComplaint() const {
        return symptoms ? fieldText(record, remedy_fields::indicazioni[0]) + fieldText(record, remedy_fields::indicazioni[1])
                        : complaint;
    }
    std::string dosage() const {
        if (!symptoms) return fieldText(record, repertory_fields::posologia);
        std::string d;
        for (const Field& f : remedy_fields::posologia) d += fieldText(record, f);
        return d;
    }
};

// Calls visit(link) for every record, record 0 included.
template <typename Visit>
void forEachLink(const DataDir& dir, CompositeKind kind, Visit visit) {
    if (kind == CompositeKind::Symptoms) {
        const RecordScan scan(dir, files::kRemedies, remedyLayout());
        scan.forEach(0, [&](std::int64_t, std::span<const std::uint8_t> r) {
            const std::string indication =
                fieldText(r, remedy_fields::indicazioni[0]) + fieldText(r, remedy_fields::indicazioni[1]);
            visit(Link{listedForm(indication), listedForm(fieldText(r, remedy_fields::rimedio)), r, true});
            return true;
        });
    } else {
        const RecordScan scan(dir, files::kRepertory, repertoryLayout());
        scan.forEach(0, [&](std::int64_t, std::span<const std::uint8_t> r) {
            visit(Link{fieldText(r, repertory_fields::patologia), fieldText(r, repertory_fields::rimedio), r, false});
            return true;
        });
    }
}

} // namespace

std::string RankedRemedy::entry() const { return ZeroPad(count, 2) + " " + name; }

std::vector<RankedRemedy> rankRemedies(const DataDir& dir, CompositeKind kind, const ComplaintSlots& slots) {
    const bool symptoms = kind == CompositeKind::Symptoms;
    const std::vector<std::string> tallyNames =
        symptoms ? readSupportList(dir, files::kRemedyNames, kLongestRemedyName)
                 : readSupportList(dir, files::kRepertoryRemedies, kLongestRepertoryRemedy);

    std::map<std::string, int> slotCount;  // complaint → slots holding it
    for (const std::string& s : slots)
        if (!s.empty()) ++slotCount[s];
    std::map<std::string, int> counts;
    if (!slotCount.empty())
        forEachLink(dir, kind, [&](const Link& l) {
            if (const auto it = slotCount.find(l.complaint); it != slotCount.end()) counts[l.remedy] += it->second;
        });

    std::vector<Bytes> tally;
    tally.reserve(tallyNames.size());
    for (const std::string& name : tallyNames) {
        const auto it = counts.find(name);
        const int c = it == counts.end() ? 0 : std::min(it->second, 255);
        tally.push_back(encodeScore(ScoreRecord{name, static_cast<std::uint8_t>(c)}));
    }
    // The tally the windows read back; a read-only data directory is
    // ranked in memory.
    if (!dir.readOnly()) writeRecords(dir, symptoms ? files::kSymptomTally : files::kTherapyTally, tally);

    std::vector<std::pair<std::string, RankedRemedy>> keyed;
    for (const auto& [name, c] : counts) keyed.push_back({listOrderKey(name), RankedRemedy{c, name}});
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        if (a.second.count != b.second.count) return a.second.count > b.second.count;
        return a.first > b.first;
    });
    std::vector<RankedRemedy> out;
    out.reserve(keyed.size());
    for (auto& k : keyed) out.push_back(std::move(k.second));
    return out;
}

RemedyDetail remedyDetail(const DataDir& dir, CompositeKind kind, const std::string& remedy,
                          const ComplaintSlots& slots) {
    RemedyDetail d;
    forEachLink(dir, kind, [&](const Link& l) {
        if (l.remedy != remedy) return;
        for (const std::string& s : slots) {
            if (s.empty() || s != l.complaint) continue;
            d.lines.push_back("= " + l.shownComplaint());
            d.lines.push_back("- " + l.dosage());
            d.complaints.insert(s);
        }
    });
    // The remedy's warnings in full, wherever it is proposed.
    if (const std::string w = remedyWarningsOf(dir, remedy); !w.empty()) d.lines.push_back("AVVERTENZE: " + w);
    d.lines.push_back(kDetailSeparator);
    return d;
}

int findWordInList(const std::vector<std::string>& entries, const std::string& word, int& position) {
    const std::string w = foldedKey(word);
    for (int i = std::max(position, 0); i < static_cast<int>(entries.size()); ++i) {
        if (keyContains(foldedKey(entries[static_cast<std::size_t>(i)]), w)) {
            position = i + 1;
            return i;
        }
    }
    return 0;
}

} // namespace qv::remedies
