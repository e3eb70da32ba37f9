// Two tables the content compiler writes beside the remedy database, so that
// what the database says about safety travels with a complaint and with a
// person:
//   OpzioneH\Allarmi.txt  complaint TAB when to see the doctor; the complaint
//                         "*" holds the general referral
//   OpzioneH\Cautele.txt  remedy TAB condition TAB caution; the remedy "*"
//                         holds what applies to every remedy
// Both are Windows-1252 text with CR LF lines. A database edited by the
// administrator may name complaints and remedies the tables do not know:
// those get the general referral and the cautions of every remedy, never
// nothing.
#pragma once

#include "base/data_dir.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qv::remedies {

namespace files {
inline constexpr const char* kRedFlags = "OpzioneH\\Allarmi.txt";
inline constexpr const char* kCautionRules = "OpzioneH\\Cautele.txt";
} // namespace files

// The referral every complaint gets when the table has none of its own.
extern const char* const kGeneralReferral;

// When to see the doctor, by complaint (an indication, its plain form or a
// pathology), compared by folded key.
class RedFlags {
public:
    RedFlags() = default;
    // Reads the table of `dir`; a missing table leaves only the general
    // referral (IoError when it is there and unreadable).
    static RedFlags read(const DataDir& dir);
    // Parses the lines of the table; a line without a tab is a
    // ConversionError naming it.
    static RedFlags parse(const std::vector<std::string>& lines, const std::string& fileName);

    // The complaint's own referral; nothing when it has none.
    std::optional<std::string> specific(const std::string& complaint) const;
    // Its own referral, else the general one.
    std::string referral(const std::string& complaint) const;
    const std::string& general() const { return general_; }

private:
    std::map<std::string, std::string> byKey_;
    std::string general_ = kGeneralReferral;
};

// What makes a caution apply to a person.
struct CautionCondition {
    enum class Kind {
        AgeUnder,       // "eta<N": under N years
        Pregnancy,      // "gravidanza"
        Breastfeeding,  // "allattamento"
        Medicine,       // "farmaco:CLASS"
        AnyMedicine,    // "farmaci"
        MaxDays,        // "durata:N": the remedy is not taken beyond N days
    };
    Kind kind = Kind::AnyMedicine;
    int number = 0;            // years or days
    std::string medicineClass; // a key of medicineClasses()

    bool operator==(const CautionCondition&) const = default;
};
// Reads a condition as the table writes it; nothing when it is no known
// condition (an unknown medicine class included).
std::optional<CautionCondition> parseCautionCondition(const std::string& text);
std::string cautionConditionText(const CautionCondition& c);

struct CautionRule {
    CautionCondition condition;
    std::string caution;  // what to do and why, as the warnings say it
};

class CautionRules {
public:
    CautionRules() = default;
    // Reads the table of `dir`; a missing table gives no rules.
    static CautionRules read(const DataDir& dir);
    // A line that is not three fields or names an unknown condition is a
    // ConversionError naming the line.
    static CautionRules parse(const std::vector<std::string>& lines, const std::string& fileName);

    // The rules of a remedy (compared by folded key) and those of every
    // remedy, the latter first.
    std::vector<CautionRule> of(const std::string& remedy) const;
    // Whether the table knows the remedy by name.
    bool knows(const std::string& remedy) const;

private:
    std::map<std::string, std::vector<CautionRule>> byRemedy_;
};

} // namespace qv::remedies
