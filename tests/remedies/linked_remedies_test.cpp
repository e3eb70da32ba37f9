// From a planet or sign of the chart to its remedies or plants, from a
// remedy or plant to its symptoms, and the plant database looked up both
// ways.
#include "base/errors.h"
#include "remedies/linked_remedies.h"
#include "remedies/plant_lookup.h"
#include "remedies/remedy_files.h"
#include "remedies/support_lists.h"
#include "tests/remedies/remedy_fixture.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

namespace qv::remedies {
namespace linked_remedies_test {

using test::remedy;

PlantEntryRecord plant(const std::string& name, const std::string& symptom, const std::string& authors = "Autori") {
    PlantEntryRecord e;
    e.pianta = name;
    e.sintomo = symptom;
    e.autori = authors;
    e.segnaturaPrimaria = "sole";
    e.sintesi = "Sintesi di " + name;
    return e;
}

class LinkedRemedies : public ::testing::Test {
protected:
    test::TempDataDir temp;
    DataDir dir{temp.path()};
};

TEST(LinkedSubjects, WhichPointsAndSignsHaveAListAndWhere) {
    struct Case {
        LinkedSubject subject;
        bool remedies, plants;
        const char* remedyFile;
        const char* phrase;
    };
    for (const Case& c : {Case{{false, 1}, true, true, "OpzioneH\\SolePri.rnd", "al SOLE"},
                          Case{{false, 7}, true, true, "OpzioneH\\SatuPri.rnd", "a SATURNO"},
                          Case{{false, 9}, true, false, "OpzioneH\\NodSPri.rnd", "al NODO SUD"},
                          Case{{false, 10}, false, false, nullptr, ""},
                          Case{{false, 11}, false, false, nullptr, ""},
                          Case{{true, 1}, true, true, "OpzioneH\\Ariete.rnd", "all'ARIETE"},
                          Case{{true, 8}, true, true, "OpzioneH\\Scorpione.rnd", "allo SCORPIONE"},
                          Case{{true, 13}, false, false, nullptr, ""}}) {
        EXPECT_EQ(hasLinkedList(c.subject, LinkedMode::Remedies), c.remedies) << c.subject.number;
        EXPECT_EQ(hasLinkedList(c.subject, LinkedMode::Plants), c.plants) << c.subject.number;
        if (c.remedyFile) {
            EXPECT_EQ(linkedFilePath(c.subject, LinkedMode::Remedies), c.remedyFile);
        }
        EXPECT_EQ(linkedPhrase(c.subject), c.phrase);
    }
    EXPECT_EQ(linkedFilePath({true, 12}, LinkedMode::Plants), "OpzioneS\\Pesci.rnd");
}

TEST_F(LinkedRemedies, FiveRecordsShowFiveSortedIndicationsAndTheFirstRecordsSignatures) {
    RemedyRecord first = remedy("Rosa", "Tosse", "Venere", "Toro");
    first.segnaturaSecondaria = "Luna";
    RemedyRecord second = remedy("Rosa", "Ansia", "Sole", "Leone");
    second.setWarnings("Non in gravidanza. Con farmaci chiedere al medico.");
    test::writeRemedyDatabase(dir, {first, second, remedy("Malva", "Febbre", "Venere"),
                                    remedy("Rosa", "cefalea"), remedy("Rosa", "Insonnia"), remedy("Rosa", "Asma")});
    test::writeRepertoryDatabase(dir, {});
    rebuildSupportLists(dir);
    const auto list = linkedList(dir, {false, 4}, LinkedMode::Remedies);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->caption, "RIMEDI associabili a VENERE");
    EXPECT_EQ(list->chooserText, "RIMEDI");
    EXPECT_EQ(list->names, (std::vector<std::string>{"Malva", "Rosa"}));

    const LinkedDetails rosa = remedySymptoms(dir, "Rosa  ");
    EXPECT_EQ(rosa.symptoms, (std::vector<std::string>{"USI TRADIZIONALI di ", "Rosa", "Ansia", "Asma", "cefalea",
                                                       "Insonnia", "Tosse"}));
    // The warnings are those of the first record that has any, in full.
    EXPECT_EQ(rosa.details, (std::vector<std::string>{"RIMEDIO: Rosa", "SEGNATURA PRIMARIA: Venere",
                                                      "SEGNATURA SECONDARIA: Luna", "SEGNATURA ZODIACALE: Toro",
                                                      "AVVERTENZE: Non in gravidanza. Con farmaci chiedere al medico."}));
    EXPECT_EQ(remedySymptoms(dir, "Malva").details.back(),
              "AVVERTENZE: Non \xE8 stato finora necessario prescrivere Avvertenze");
}

TEST_F(LinkedRemedies, ANameNoLongerInTheDatabaseShowsOnlyTheHeading) {
    test::writeRemedyDatabase(dir, {remedy("Malva", "Febbre", "Venere")});
    writeRecords(dir, "OpzioneH\\VenePri.rnd", {encodeName("Malva", 50), encodeName("Rosa", 50)});
    const LinkedDetails gone = remedySymptoms(dir, linkedList(dir, {false, 4}, LinkedMode::Remedies)->names[1]);
    EXPECT_EQ(gone.symptoms, (std::vector<std::string>{"USI TRADIZIONALI di ", "Rosa"}));
    EXPECT_TRUE(gone.details.empty());
    EXPECT_THROW(linkedList(dir, {true, 3}, LinkedMode::Remedies), IoError);  // Gemelli.rnd was never written
}

TEST_F(LinkedRemedies, PlantsModeSkipsTheHeaderAndShowsTheLastEntrysDetails) {
    writeRecords(dir, "OpzioneS\\LunaPri.rnd", namesFromRecordOne({"Melissa", "Tiglio"}, kPlantNameWidth));
    PlantEntryRecord last = plant("Melissa", "Ansia");
    last.sintesi = "Quiete";
    writePlantEntries(dir, {PlantEntryRecord{}, plant("Melissa", "Insonnia"), plant("Tiglio", "Tosse"), last});
    const auto list = linkedList(dir, {false, 2}, LinkedMode::Plants);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->caption, "PIANTE associate alla LUNA");
    EXPECT_EQ(list->names, (std::vector<std::string>{"Melissa", "Tiglio"}));
    const LinkedDetails fromList = plantSymptoms(dir, "Melissa", false);
    EXPECT_EQ(fromList.symptoms, (std::vector<std::string>{"USI TRADIZIONALI di Melissa", "Insonnia", "Ansia"}));
    EXPECT_EQ(fromList.details.back(), "SINTESI PSICHICA: Quiete");
    EXPECT_EQ(plantSymptoms(dir, "Melissa", true).symptoms.at(1), "Melissa");
}

TEST_F(LinkedRemedies, AChartLinksEachPointThroughItsPlanetAndItsSign) {
    test::writeRemedyDatabase(dir, {remedy("Rosa", "Tosse", "Venere", "Toro"), remedy("Iperico", "Ansia", "Sole", "Leone"),
                                    remedy("Ortica", "Gotta", "Marte", "Ariete")});
    test::writeRepertoryDatabase(dir, {});
    rebuildSupportLists(dir);
    ChartState chart;
    for (int p = 1; p <= 11; ++p) chart.signOf[static_cast<std::size_t>(p)] = 1;  // Ariete
    chart.signOf[kSun] = 2;                                                       // Toro
    const auto links = chartLinks(dir, chart);
    ASSERT_EQ(links.size(), 11u);
    EXPECT_EQ(links[0].pointName, "Sole");
    EXPECT_EQ(links[0].signName, "Toro");
    EXPECT_EQ(links[0].byPlanet, std::vector<std::string>{"Iperico"});
    EXPECT_EQ(links[0].bySign, std::vector<std::string>{"Rosa"});
    EXPECT_EQ(links[4].byPlanet, std::vector<std::string>{"Ortica"});
    EXPECT_EQ(links[9].pointName, "Ascendente");
    EXPECT_TRUE(links[9].byPlanet.empty());
    EXPECT_EQ(links[9].bySign, std::vector<std::string>{"Ortica"});
}

TEST_F(LinkedRemedies, PlantDatabaseBothWays) {
    std::vector<PlantEntryRecord> entries{PlantEntryRecord{}};
    entries.push_back(plant("", "Tosse", "vedi Catarro"));
    entries.push_back(plant("Altea", "Catarro"));
    entries.push_back(plant("Malva", "Catarro  "));
    for (int i = 0; i < 80; ++i) entries.push_back(plant("Tiglio", "Sintomo " + std::to_string(100 + i)));
    writePlantEntries(dir, entries);
    writeRecords(dir, files::kPlantSymptoms, namesFromRecordOne(derivePlantSymptoms(entries), kSymptomNameWidth));
    writeRecords(dir, files::kPlants, namesFromRecordOne(derivePlantNames(entries), kPlantNameWidth));

    EXPECT_EQ(plantNames(dir), (std::vector<std::string>{"Altea", "Malva", "Tiglio"}));
    EXPECT_EQ(plantSymptomNames(dir).front(), "Catarro");

    const SymptomPlants catarrh = plantsOfSymptom(dir, "Catarro");
    ASSERT_EQ(catarrh.plants.size(), 2u);
    EXPECT_EQ(catarrh.plants[0].line, "Altea" + std::string(40, '-'));
    EXPECT_EQ(catarrh.plants[1].record, 3);
    EXPECT_EQ(catarrh.last.pianta, "Malva");
    const SymptomPlants cough = plantsOfSymptom(dir, "Tosse");
    EXPECT_TRUE(cough.plants.empty());
    EXPECT_EQ(cough.alternative, "vedi Catarro");

    const PlantSymptoms lime = symptomsOfPlant(dir, "Tiglio");
    ASSERT_EQ(lime.pages.size(), 4u);  // 26, 26, 26 and the last two
    EXPECT_EQ(lime.pages[0].size(), 26u);
    EXPECT_EQ(lime.pages[3].size(), 2u);
    EXPECT_EQ(lime.pages[3].back().sintomo, "Sintomo 179");
    EXPECT_TRUE(plantNames(DataDir(temp.path() / "vuota")).empty());
}

} // namespace linked_remedies_test
} // namespace qv::remedies
