// What a consultation tells before its remedies are given: the doctor's
// referral of each complaint, and the cautions of the remedies that apply
// to the person (age on the day, medicines recognised by class, pregnancy,
// breastfeeding, a follow-up later than a remedy may be taken). The tables
// here are small fixtures in the form the content compiler writes.
#include "base/errors.h"
#include "consultations/health_warnings.h"
#include "remedies/medicines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace qv::consultations {
namespace health_warnings_test {

using remedies::CautionRules;
using remedies::RedFlags;

const std::vector<std::string> kFlagLines = {
    "*\tSe il disturbo persiste, rivolgersi al medico.",
    "Palpitazioni nervose\tCon dolore al petto: subito al medico o al 118.",
    "Palpitazioni\tCon dolore al petto: subito al medico o al 118.",
};

const std::vector<std::string> kRuleLines = {
    "*\teta<12\tContiene alcol: mai ai bambini sotto i 12 anni.",
    "TSA Calamo aromatico\teta<18\tNon adatto a bambini e ragazzi. (contiene beta-asarone)",
    "TSA Calamo aromatico\tdurata:14\tDurata massima: per non pi\xF9 di due settimane.",
    "TSA Iperico\tfarmaco:serotoninergici\tRischio di sindrome serotoninergica.",
    "TSA Iperico\tfarmaco:anticoagulanti\tRiduce l'effetto di molti farmaci.",
    "TSA Iperico\tfarmaco:anticoncezionali\tRiduce l'effetto di molti farmaci.",
    "TSA Iperico\tgravidanza\tNon usare in gravidanza e allattamento.",
    "TSA Iperico\tallattamento\tNon usare in gravidanza e allattamento.",
    "TSA Frangola\tdurata:7\tDurata massima: per non pi\xF9 di una settimana.",
    "TSA Quercia\tfarmaci\tAssumerlo ad almeno un'ora da altri farmaci.",
};

// Born 1 March 2010 at noon; the moment as a birth record stores it.
Consultation visit(CalendarDate day, std::vector<std::string> remedies) {
    Consultation c;
    c.subject = {"BASE", "VERDI LUCA", "201003011200-1"};
    c.date = day;
    for (const std::string& r : remedies) c.remedies.push_back({r, "20 gocce", ""});
    return c;
}

bool anyHas(const std::vector<std::string>& lines, const std::string& part) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

TEST(HealthWarnings, AgeComesFromTheBirthDateAndTheConsultationDay) {
    const CautionRules rules = CautionRules::parse(kRuleLines, "Cautele.txt");
    struct Case {
        CalendarDate day;
        bool alcohol;   // under 12
        bool calamus;   // under 18
        const char* age;
    };
    const Case cases[] = {
        {{28, 2, 2022}, true, true, "di 11 anni"},   // the day before the twelfth birthday
        {{1, 3, 2022}, false, true, "di 12 anni"},   // the birthday itself
        {{28, 2, 2026}, false, true, "di 15 anni"},
        {{1, 3, 2026}, false, true, "di 16 anni"},
        {{28, 2, 2028}, false, true, "di 17 anni"},
        {{1, 3, 2028}, false, false, ""},             // eighteen
    };
    for (const Case& c : cases) {
        const auto w = healthWarnings(rules, visit(c.day, {"TSA Calamo aromatico"}));
        EXPECT_EQ(anyHas(w, "alcol"), c.alcohol) << dateText(c.day);
        EXPECT_EQ(anyHas(w, "beta-asarone"), c.calamus) << dateText(c.day);
        if (c.calamus) {
            EXPECT_TRUE(anyHas(w, std::string("Attenzione: TSA Calamo aromatico per una persona ") + c.age))
                << dateText(c.day) << ": " << (w.empty() ? "" : w.front());
        }
    }
    // Born on 29 February: a year older on 1 March of a common year.
    const SubjectLink leap{"BASE", "X", "200802290800-1"};
    EXPECT_EQ(ageOn(leap, {28, 2, 2026}), 17);
    EXPECT_EQ(ageOn(leap, {1, 3, 2026}), 18);
    EXPECT_EQ(ageOn(leap, {1, 1, 2000}), std::nullopt) << "a day before the birth has no age";
    EXPECT_EQ(ageOn({"BASE", "X", "????"}, {1, 1, 2026}), std::nullopt);
}

TEST(HealthWarnings, MedicinesAreMatchedToTheirClassesAndNamed) {
    const CautionRules rules = CautionRules::parse(kRuleLines, "Cautele.txt");
    Consultation c = visit({5, 3, 2040}, {"TSA Iperico", "TSA Quercia"});
    c.medicines = "Sertralina 50 mg\r\nCoumadin 5mg, paracetamolo";
    const auto w = healthWarnings(rules, c);
    EXPECT_TRUE(anyHas(w, "Attenzione: TSA Iperico con \"Sertralina 50 mg\" (antidepressivo serotoninergico (SSRI o SNRI) "
                          "o triptano): Rischio di sindrome serotoninergica."));
    EXPECT_TRUE(anyHas(w, "Attenzione: TSA Iperico con \"Coumadin 5mg\" (anticoagulante): Riduce l'effetto"));
    EXPECT_FALSE(anyHas(w, "Sertralina 50 mg\" (anticoagulante)"));
    EXPECT_TRUE(anyHas(w, "Attenzione: TSA Quercia con altri farmaci (Sertralina 50 mg, Coumadin 5mg, paracetamolo)"));
    // A medicine the table does not know is said, never taken for harmless.
    EXPECT_TRUE(anyHas(w, "farmaco non riconosciuto \"paracetamolo\""));
    EXPECT_EQ(std::set<std::string>(w.begin(), w.end()).size(), w.size()) << "no line twice";
    // Without remedies, medicines alone warn of nothing.
    c.remedies.clear();
    EXPECT_TRUE(healthWarnings(rules, c).empty());
}

TEST(HealthWarnings, PregnancyBreastfeedingAndAFollowUpBeyondTheRemedysLimit) {
    const CautionRules rules = CautionRules::parse(kRuleLines, "Cautele.txt");
    Consultation c = visit({5, 3, 2040}, {"TSA Iperico", "TSA Frangola"});
    EXPECT_TRUE(healthWarnings(rules, c).empty());
    c.pregnancy = true;
    EXPECT_TRUE(anyHas(healthWarnings(rules, c), "Attenzione: TSA Iperico in gravidanza: Non usare"));
    c.pregnancy = false;
    c.breastfeeding = true;
    EXPECT_TRUE(anyHas(healthWarnings(rules, c), "Attenzione: TSA Iperico durante l'allattamento"));
    c.breastfeeding = false;
    c.followUp = CalendarDate{12, 3, 2040};  // seven days: within the week
    EXPECT_TRUE(healthWarnings(rules, c).empty());
    c.followUp = CalendarDate{2, 4, 2040};  // four weeks
    const auto w = healthWarnings(rules, c);
    ASSERT_EQ(w.size(), 1u);
    EXPECT_NE(w[0].find("Attenzione: TSA Frangola: il controllo del 02/04/2040 cade 28 giorni dopo la consultazione, "
                        "oltre i 7 giorni"), std::string::npos) << w[0];
    // A remedy the tables do not know still gets what applies to every remedy.
    Consultation child = visit({5, 3, 2019}, {"TSA Rimedio nuovo"});
    EXPECT_TRUE(anyHas(healthWarnings(rules, child), "Attenzione: TSA Rimedio nuovo per una persona di 9 anni"));
}

TEST(HealthWarnings, EveryComplaintGetsItsReferralOrTheGeneralOne) {
    const RedFlags flags = RedFlags::parse(kFlagLines, "Allarmi.txt");
    Consultation c = visit({5, 3, 2040}, {});
    c.symptoms = {"palpitazioni NERVOSE", "Unghie fragili"};
    const auto r = complaintReferrals(flags, c);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].referral, "Con dolore al petto: subito al medico o al 118.");
    EXPECT_TRUE(r[0].specific);
    EXPECT_EQ(r[1].referral, "Se il disturbo persiste, rivolgersi al medico.");
    EXPECT_FALSE(r[1].specific);
    // Complaints only in words get the general referral; none, nothing.
    c.symptoms.clear();
    EXPECT_TRUE(complaintReferrals(flags, c).empty());
    c.complaints = "Dorme male";
    ASSERT_EQ(complaintReferrals(flags, c).size(), 1u);
    // A missing table still refers: the program's own general referral.
    EXPECT_EQ(RedFlags().referral("Qualsiasi"), remedies::kGeneralReferral);
}

TEST(SafetyTables, ALineTheyCannotReadIsRefusedNamingIt) {
    const std::pair<std::vector<std::string>, const char*> rules[] = {
        {{"TSA Iperico\tfarmaco:aspirine\tX"}, "riga 1"},
        {{"*\teta<12\tX", "TSA Iperico\teta<\tX"}, "riga 2"},
        {{"TSA Iperico\tgravidanza"}, "riga 1"},
    };
    for (const auto& [lines, where] : rules) {
        try {
            CautionRules::parse(lines, "Cautele.txt");
            ADD_FAILURE() << lines.back();
        } catch (const ConversionError& e) {
            EXPECT_NE(std::string(e.what()).find(where), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(RedFlags::parse({"Tosse senza tabulazione"}, "Allarmi.txt"), ConversionError);
}

TEST(Medicines, CommonItalianNamesFindTheirClassesByWholeWords) {
    struct Case {
        const char* typed;
        std::vector<std::string> classes;
    };
    const Case cases[] = {
        {"sertralina", {"serotoninergici"}},
        {"ZOLOFT 50", {"serotoninergici"}},
        {"Cardioaspirina 100 mg", {"antiaggreganti"}},
        {"acido acetilsalicilico", {"antiaggreganti"}},
        {"Eutirox 75", {"tiroide"}},
        {"metformina 500", {"antidiabetici"}},
        {"Lanoxin", {"digossina"}},
        {"Lasix", {"diuretici"}},
        {"Deltacortene", {"corticosteroidi"}},
        {"Tavor", {"sedativi"}},
        {"la pillola", {"anticoncezionali"}},
        {"Imigran al bisogno", {"serotoninergici"}},
        {"quetiapina", {"dopamina", "sedativi"}},
        {"Xarelto", {"anticoagulanti"}},
        {"ciclosporina", {"immunosoppressori"}},
        {"Biktarvy", {"antiretrovirali"}},
        {"Trittico", {"serotoninergici", "sedativi"}},
        {"enalapril", {"cardiovascolari"}},
        {"paracetamolo", {}},
        {"warfarinasi", {}},  // a longer word is not the name
    };
    for (const Case& c : cases) {
        const auto found = remedies::recogniseMedicines(c.typed);
        ASSERT_EQ(found.size(), 1u) << c.typed;
        EXPECT_EQ(found[0].classes, c.classes) << c.typed;
    }
    const auto several = remedies::recogniseMedicines(" Coumadin ;\r\n\r\nTavor, ");
    ASSERT_EQ(several.size(), 2u);
    EXPECT_EQ(several[0].typed, "Coumadin");
    EXPECT_EQ(several[1].typed, "Tavor");
    for (const remedies::MedicineClass& k : remedies::medicineClasses())
        EXPECT_TRUE(remedies::parseCautionCondition(std::string("farmaco:") + k.key)) << k.key;
}

} // namespace health_warnings_test
} // namespace qv::consultations
