#include "remedies/safety_tables.h"

#include "base/errors.h"
#include "base/folded_key.h"
#include "base/text_file.h"
#include "remedies/medicines.h"

#include <charconv>

namespace qv::remedies {

const char* const kGeneralReferral =
    "Se il disturbo persiste, peggiora o cambia, o compaiono febbre alta, dolore forte o difficolt\xE0 a "
    "respirare, rivolgersi al medico.";

namespace {

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out;
    std::size_t from = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', from);
        out.push_back(line.substr(from, tab == std::string::npos ? std::string::npos : tab - from));
        if (tab == std::string::npos) return out;
        from = tab + 1;
    }
}

std::vector<std::string> tableLines(const DataDir& dir, const char* dataPath) {
    if (!dir.exists(dataPath)) return {};
    return readTextLines(dir.resolve(dataPath), dataPath);
}

std::optional<int> number(const std::string& text) {
    int n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size() || n <= 0 || n > 36500) return std::nullopt;
    return n;
}

} // namespace

RedFlags RedFlags::read(const DataDir& dir) { return parse(tableLines(dir, files::kRedFlags), files::kRedFlags); }

RedFlags RedFlags::parse(const std::vector<std::string>& lines, const std::string& fileName) {
    RedFlags r;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty()) continue;
        const auto f = fields(lines[i]);
        if (f.size() != 2 || f[1].empty())
            throw ConversionError(fileName + ", riga " + std::to_string(i + 1) + ": attesi un disturbo e, dopo una "
                                  "tabulazione, quando rivolgersi al medico");
        if (f[0] == "*") r.general_ = f[1];
        else r.byKey_[foldedKey(f[0])] = f[1];
    }
    return r;
}

std::optional<std::string> RedFlags::specific(const std::string& complaint) const {
    const auto it = byKey_.find(foldedKey(complaint));
    if (it == byKey_.end()) return std::nullopt;
    return it->second;
}

std::string RedFlags::referral(const std::string& complaint) const { return specific(complaint).value_or(general_); }

std::optional<CautionCondition> parseCautionCondition(const std::string& text) {
    using Kind = CautionCondition::Kind;
    if (text == "gravidanza") return CautionCondition{Kind::Pregnancy, 0, {}};
    if (text == "allattamento") return CautionCondition{Kind::Breastfeeding, 0, {}};
    if (text == "farmaci") return CautionCondition{Kind::AnyMedicine, 0, {}};
    if (text.rfind("eta<", 0) == 0) {
        if (const auto n = number(text.substr(4)); n && *n <= 120) return CautionCondition{Kind::AgeUnder, *n, {}};
        return std::nullopt;
    }
    if (text.rfind("durata:", 0) == 0) {
        if (const auto n = number(text.substr(7))) return CautionCondition{Kind::MaxDays, *n, {}};
        return std::nullopt;
    }
    if (text.rfind("farmaco:", 0) == 0) {
        const std::string key = text.substr(8);
        if (medicineClassCaption(key)) return CautionCondition{Kind::Medicine, 0, key};
    }
    return std::nullopt;
}

std::string cautionConditionText(const CautionCondition& c) {
    using Kind = CautionCondition::Kind;
    switch (c.kind) {
    case Kind::AgeUnder: return "eta<" + std::to_string(c.number);
    case Kind::Pregnancy: return "gravidanza";
    case Kind::Breastfeeding: return "allattamento";
    case Kind::Medicine: return "farmaco:" + c.medicineClass;
    case Kind::AnyMedicine: return "farmaci";
    case Kind::MaxDays: return "durata:" + std::to_string(c.number);
    }
    return {};
}

CautionRules CautionRules::read(const DataDir& dir) {
    return parse(tableLines(dir, files::kCautionRules), files::kCautionRules);
}

CautionRules CautionRules::parse(const std::vector<std::string>& lines, const std::string& fileName) {
    CautionRules r;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty()) continue;
        const auto f = fields(lines[i]);
        const std::string where = fileName + ", riga " + std::to_string(i + 1);
        if (f.size() != 3 || f[0].empty() || f[2].empty())
            throw ConversionError(where + ": attesi rimedio, condizione e cautela separati da tabulazioni");
        const auto condition = parseCautionCondition(f[1]);
        if (!condition) throw ConversionError(where + ": condizione sconosciuta \"" + f[1] + "\"");
        r.byRemedy_[f[0] == "*" ? "*" : foldedKey(f[0])].push_back({*condition, f[2]});
    }
    return r;
}

std::vector<CautionRule> CautionRules::of(const std::string& remedy) const {
    std::vector<CautionRule> out;
    if (const auto all = byRemedy_.find("*"); all != byRemedy_.end()) out = all->second;
    if (const auto own = byRemedy_.find(foldedKey(remedy)); own != byRemedy_.end())
        out.insert(out.end(), own->second.begin(), own->second.end());
    return out;
}

bool CautionRules::knows(const std::string& remedy) const { return byRemedy_.count(foldedKey(remedy)) > 0; }

} // namespace qv::remedies
