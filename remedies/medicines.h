// The medicines a person takes, as the practitioner types them, recognised
// by their common Italian names (active ingredient or brand) and sorted
// into the classes the remedy cautions speak of. The table is deliberately
// short: it holds what is commonly prescribed in Italy and what interacts
// with the plants of the database; a medicine it does not know is reported
// as such, never taken for harmless.
#pragma once

#include <string>
#include <vector>

namespace qv::remedies {

struct MedicineClass {
    const char* key;      // as the caution rules name it: "anticoagulanti"
    const char* caption;  // as a warning names it: "anticoagulante"
};
const std::vector<MedicineClass>& medicineClasses();
// The caption of a class key; nullptr when the key is no class.
const char* medicineClassCaption(const std::string& key);

// One medicine of the typed text: the words as typed, and the classes of
// the names recognised in them (empty when none is known).
struct TypedMedicine {
    std::string typed;                 // one line or comma-separated item, trimmed
    std::string recognised;            // the table's name found in it, or empty
    std::vector<std::string> classes;  // class keys
};
// The items of a free text (one per line, or separated by commas or
// semicolons), each matched against the table by whole words with case,
// accents and punctuation aside ("Coumadin 5 mg" is warfarin, an
// anticoagulant). Empty items are dropped.
std::vector<TypedMedicine> recogniseMedicines(const std::string& cp1252Text);

} // namespace qv::remedies
