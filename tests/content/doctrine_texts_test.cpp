// The doctrine the shipped texts state: every term and decade text names the
// accord of the point with the ruler, under a header that always fits, with
// one spelling per point; the planetary joys stand in their classical houses;
// the antiscia messages say which mirrored signs share the length of the day.
#include "base/cp1252.h"
#include "base/text_file.h"
#include "display/analysis_session.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace qv {
namespace doctrine_texts_test {

// Key (columns 1–21, blanks trimmed) → text (from column 22).
std::map<std::string, std::string> pointSpecificTexts() {
    std::map<std::string, std::string> out;
    for (const std::string& line : readTextLines(test::dataTemplateDir() / "OpzioneT/SpgPianSpe.Txt", "SpgPianSpe.Txt")) {
        std::string key = line.substr(0, 21);
        key.erase(key.find_last_not_of(' ') + 1);
        out[key] = line.size() > 21 ? line.substr(21) : std::string();
    }
    return out;
}

// The accord the text states: the word between the header's ": " and "; ".
std::string statedAccord(const std::string& text) {
    const std::size_t colon = text.find(": ");
    const std::size_t semicolon = text.find("; ", colon);
    if (colon == std::string::npos || semicolon == std::string::npos) return {};
    return text.substr(colon + 2, semicolon - colon - 2);
}

TEST(ShippedDoctrine, EveryTermAndDecadeTextStatesTheAccordUnderAFixedHeader) {
    const std::map<std::string, std::string> labels = {
        {"Sole", "Sole"}, {"Luna", "Luna"}, {"Merc", "Merc."}, {"Vene", "Ven."}, {"Mart", "Marte"},  {"Giov", "Giove"},
        {"Satu", "Sat."}, {"NNor", "N.Nord"}, {"NSud", "N.Sud"}, {"Asce", "Asc."}, {"Mcie", "MC"}};
    const std::map<std::string, std::string> decadePoints = {
        {"SO", "Sole"}, {"LU", "Luna"}, {"ME", "Merc"}, {"VE", "Vene"}, {"MA", "Mart"}, {"GI", "Giov"},
        {"SA", "Satu"}, {"NN", "NNor"}, {"NS", "NSud"}, {"AS", "Asce"}, {"MC", "Mcie"}};
    const std::set<std::string> accords = {"concorde",   "temperato",  "temperata", "in contrasto",
                                           "rafforzato", "rafforzata", "neutro"};
    int terms = 0, decades = 0;
    for (const auto& [key, text] : pointSpecificTexts()) {
        if (key.size() != 6 && key.size() != 4) continue;
        const bool term = key.size() == 6;
        const std::string point = term ? key.substr(0, 4) : decadePoints.count(key.substr(0, 2)) ? decadePoints.at(key.substr(0, 2)) : "";
        ASSERT_TRUE(labels.count(point)) << key;
        (term ? terms : decades)++;
        EXPECT_EQ(text.rfind(labels.at(point) + " ", 0), 0u) << key << ": " << text;
        EXPECT_TRUE(accords.count(statedAccord(text))) << key << ": " << text;
        EXPECT_LE(text.size(), term ? 60u : 70u) << key;  // what the panel and the lists show
        const bool angle = point == "Asce" || point == "Mcie";
        EXPECT_EQ(statedAccord(text) == "neutro", angle) << key << ": " << text;
    }
    EXPECT_EQ(terms, 660);
    EXPECT_EQ(decades, 396);
    // The accord follows the temperaments: hot and dry with hot and dry,
    // one quality in common, none, the same planet.
    const auto texts = pointSpecificTexts();
    const std::pair<const char*, const char*> cases[] = {
        {"Sole03", "concorde"},      // Sole in a term of Marte
        {"Merc02", "in contrasto"},  // Mercurio (dry) in a term of Giove (hot and moist)
        {"Merc01", "temperato"},     // Mercurio with Saturno: dry in common
        {"Luna04", "temperata"},     // Luna with Venere: moist in common
        {"Giov02", "rafforzato"},    // Giove in its own term
        {"SA01", "temperato"},       // Saturno in the first decade of Ariete (Marte): dry in common
        {"VE01", "temperata"},       // Venere (hot and moist) with Marte: hot in common
        {"ME04", "in contrasto"},    // Mercurio in the first decade of Toro (Venere)
    };
    for (const auto& [key, expected] : cases) {
        EXPECT_EQ(statedAccord(texts.at(key)), expected) << texts.at(key);
    }
}

TEST(ShippedDoctrine, EveryHeaderWritesAPointOneWay) {
    const char* others[] = {"Mercurio", "Venere", "Saturno", "Nodo N.", "Nodo S.", "Congiunz.", "Opposizi."};
    int decans = 0, mirrors = 0;
    for (const auto& [key, text] : pointSpecificTexts()) {
        if (key.size() != 8) continue;
        const std::string header = text.substr(0, text.find(": "));
        for (const char* other : others) EXPECT_NE(header.rfind(other, 0), 0u) << key << ": " << text;
        if (header.find(" dec. ") != std::string::npos) ++decans;
        if (header.find("antiscio ") != std::string::npos) ++mirrors;
    }
    EXPECT_EQ(decans, 396);   // eleven points, 36 decans
    EXPECT_EQ(mirrors, 264);  // eleven points, antiscio and contrantiscio in 12 signs
}

TEST(ShippedDoctrine, PlanetsRejoiceInTheirClassicalHouses) {
    const std::set<std::string> joys = {"MercPrim", "LunaTerz", "VeneQuin", "MartSest", "SoleNona", "GiovUndi", "SatuDodi"};
    std::set<std::string> found;
    for (const auto& [key, text] : pointSpecificTexts())
        if (text.find("in gioia") != std::string::npos) found.insert(key);
    EXPECT_EQ(found, joys);
}

TEST(ShippedDoctrine, AntisciaMessagesSayWhichMirroredSignsShareTheDay) {
    const auto lines = readTextLines(test::dataTemplateDir() / "Appoggio/Messaggi.txt", "Messaggi.txt");
    auto joined = [&](int n) {
        std::string all;
        for (const std::string& line : messageBlock(lines, n)) all += line + " ";
        return all;
    };
    // Across 0 Ariete the day of one sign is the night of the other; equal
    // days belong to the pairs across 0 Cancro.
    EXPECT_EQ(joined(14).find("stessa durata"), std::string::npos) << joined(14);
    EXPECT_NE(joined(14).find(utf8ToCp1252("quanto la notte")), std::string::npos) << joined(14);
    EXPECT_NE(joined(15).find("stessa durata del giorno"), std::string::npos) << joined(15);
    EXPECT_NE(joined(15).find("tradizione classica"), std::string::npos) << joined(15);
}

} // namespace doctrine_texts_test
} // namespace qv
