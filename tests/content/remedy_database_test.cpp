// The shipped remedy and plant database: its size, the cautions every
// remedy carries, and support lists that the program's own rebuild gives
// back byte for byte.
#include "base/data_dir.h"
#include "remedies/records.h"
#include "remedies/remedy_files.h"
#include "remedies/support_lists.h"
#include "tests/support/cli_runner.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <cctype>
#include <set>
#include <string>

namespace qv {
namespace remedy_database_test {

namespace fs = std::filesystem;

std::string bytesOf(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const DataDir& shipped() {
    static const DataDir dir(test::dataTemplateDir());
    return dir;
}

TEST(ShippedRemedies, HoldAStarterDatabase) {
    const auto remedies = remedies::readRemedies(shipped());
    const auto repertory = remedies::readRepertory(shipped());
    const auto plants = remedies::readPlantEntries(shipped());
    std::set<std::string> names, pathologies, plantNames;
    for (std::size_t k = 1; k < remedies.size(); ++k) names.insert(remedies[k].rimedio);
    for (std::size_t k = 1; k < repertory.size(); ++k) pathologies.insert(repertory[k].patologia);
    for (std::size_t k = 1; k < plants.size(); ++k) plantNames.insert(plants[k].pianta);
    EXPECT_GE(names.size(), 150u);
    EXPECT_GE(remedies.size() - 1, 500u);
    EXPECT_GE(pathologies.size(), 100u);
    EXPECT_GE(plantNames.size(), 100u);
}

TEST(ShippedRemedies, EveryRemedyStatesItsLimitsAndItsSignature) {
    const auto remedies = remedies::readRemedies(shipped());
    for (std::size_t k = 1; k < remedies.size(); ++k) {
        const auto& r = remedies[k];
        EXPECT_NE(r.notes().find("non sostituisce"), std::string::npos) << r.rimedio;
        EXPECT_NE(r.dosage().find("professionista"), std::string::npos) << r.rimedio;
        EXPECT_FALSE(r.warnings().empty()) << r.rimedio;
        EXPECT_FALSE(r.segnaturaPrimaria.empty()) << r.rimedio;
        EXPECT_FALSE(r.segnaturaZodiacale.empty()) << r.rimedio;
        EXPECT_LE(r.indication().size(), 250u) << r.rimedio;  // found by the multiple-symptom search
    }
    // A plant with known cautions says so: St John's wort and the sun, willow
    // and aspirin.
    bool iperico = false, salice = false;
    for (const auto& r : remedies) {
        if (r.rimedio == "TSA Iperico") iperico = r.warnings().find("sole") != std::string::npos;
        if (r.rimedio == "TSA Salice") salice = r.warnings().find("aspirina") != std::string::npos;
    }
    EXPECT_TRUE(iperico);
    EXPECT_TRUE(salice);
}

TEST(ShippedRemedies, RebuildGivesBackTheShippedSupportLists) {
    test::TempDataDir scratch;
    for (const char* folder : {"OpzioneH", "OpzioneS"})
        fs::copy(test::dataTemplateDir() / folder, scratch.path() / folder, fs::copy_options::recursive);
    // Spoil every list the rebuild derives, keep the sources.
    // The safety tables come from the content compiler, as the database does.
    const std::set<std::string> sources = {"dbmain.rnd", "repertorio.rnd", "dbtesto.txt", "datastf.rnd",
                                           "allarmi.txt", "cautele.txt"};
    std::vector<fs::path> derived;
    for (const auto& e : fs::recursive_directory_iterator(scratch.path())) {
        if (!e.is_regular_file()) continue;
        std::string name = e.path().filename().string();
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const bool plantList = name == "sintomi.rnd" || name == "piante.rnd";
        if (sources.count(name) || (e.path().parent_path().filename() == "OpzioneS" && !plantList)) continue;
        std::ofstream(e.path(), std::ios::binary | std::ios::trunc) << "x";
        derived.push_back(e.path());
    }
    ASSERT_GT(derived.size(), 20u);
    const test::CliRun run = test::runCli(QV_CLI_PATH, "remedies rebuild --data-dir " + scratch.path().string());
    ASSERT_EQ(run.status, 0) << run.out;
    for (const fs::path& p : derived) {
        const fs::path original = test::dataTemplateDir() / fs::relative(p, scratch.path());
        EXPECT_EQ(bytesOf(p), bytesOf(original)) << p;
    }
}

TEST(ShippedRemedies, PlantsOfEveryPlanetAndSignAreListedForTheChart) {
    for (const char* stem : {"SolePri", "LunaPri", "MercPri", "VenePri", "MartPri", "GiovPri", "SatuPri", "Ariete",
                             "Toro", "Gemelli", "Cancro", "Leone", "Vergine", "Bilancia", "Scorpione", "Sagittario",
                             "Capricorno", "Acquario", "Pesci"}) {
        const auto names = remedies::readNames(shipped(), std::string("OpzioneS\\") + stem + ".rnd", remedies::kPlantNameWidth);
        EXPECT_GE(names.size(), 2u) << stem;  // record 0 and at least one plant
    }
}

} // namespace remedy_database_test
} // namespace qv
