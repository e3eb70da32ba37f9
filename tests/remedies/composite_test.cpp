// The composite searches: ranking remedies by the chosen complaints they
// serve, the detail of one remedy, and "Trova" in the complaint list.
#include "remedies/composite.h"
#include "remedies/remedy_files.h"
#include "remedies/support_lists.h"
#include "tests/remedies/remedy_fixture.h"
#include "tests/support/temp_data_dir.h"

#include "base/errors.h"

#include <gtest/gtest.h>

namespace qv::remedies {
namespace composite_test {

using test::remedy;
using test::therapy;

std::vector<std::string> entries(const std::vector<RankedRemedy>& ranked) {
    std::vector<std::string> out;
    for (const RankedRemedy& r : ranked) out.push_back(r.entry());
    return out;
}

class Composite : public ::testing::Test {
protected:
    test::TempDataDir temp;
    DataDir dir{temp.path()};

    void SetUp() override {
        RemedyRecord x1 = remedy("X", "A"), x2 = remedy("X", "C");
        x1.setDosage("X per A");
        x2.setWarnings("Non in gravidanza. Con farmaci chiedere al medico.");  // the second record of X
        test::writeRemedyDatabase(dir, {x1, remedy("Y", "B"), x2, remedy("W", "D"), remedy("Z", std::string(251, 'L'))});
        test::writeRepertoryDatabase(dir, {therapy("Tosse", "Malva", "5 gocce"), therapy("Febbre", "Malva", "2 gocce"),
                                           therapy("Tosse", "Rosa", "1 goccia")});
        rebuildSupportLists(dir);
    }
};

TEST_F(Composite, RemediesServingMoreSymptomsComeFirst) {
    ComplaintSlots slots;
    slots[0] = "A";
    slots[1] = "B";
    slots[2] = "C";
    EXPECT_EQ(entries(rankRemedies(dir, CompositeKind::Symptoms, slots)), (std::vector<std::string>{"02 X", "01 Y"}));
    // The tally file keeps the counts, one record per remedy name.
    const auto tally = readScores(dir, files::kSymptomTally);
    ASSERT_EQ(tally.size(), 4u);  // W X Y Z
    EXPECT_EQ(tally[1].name, "X");
    EXPECT_EQ(tally[1].count, 2);

    // Slot 13 counts like any other; the same symptom in two slots counts twice.
    ComplaintSlots twice;
    twice[12] = "B";
    twice[14] = "B";
    twice[3] = "D";
    EXPECT_EQ(entries(rankRemedies(dir, CompositeKind::Symptoms, twice)), (std::vector<std::string>{"02 Y", "01 W"}));
    // Equal counts: names from Z to A; a long indication is found whole.
    ComplaintSlots ties;
    ties[0] = "D";
    ties[1] = "B";
    ties[2] = std::string(251, 'L');
    EXPECT_EQ(entries(rankRemedies(dir, CompositeKind::Symptoms, ties)),
              (std::vector<std::string>{"01 Z", "01 Y", "01 W"}));
    EXPECT_TRUE(rankRemedies(dir, CompositeKind::Symptoms, ComplaintSlots{}).empty());
}

TEST_F(Composite, CompositeTherapyAndItsDetail) {
    ComplaintSlots slots;
    slots[0] = "Tosse";
    slots[5] = "Febbre";
    EXPECT_EQ(entries(rankRemedies(dir, CompositeKind::Therapies, slots)),
              (std::vector<std::string>{"02 Malva", "01 Rosa"}));
    const RemedyDetail d = remedyDetail(dir, CompositeKind::Therapies, "Malva", slots);
    // No record of the primary database names Malva: no warnings to show.
    EXPECT_EQ(d.lines, (std::vector<std::string>{"= Tosse", "- 5 gocce", "= Febbre", "- 2 gocce", kDetailSeparator}));
    EXPECT_EQ(d.complaints, (std::set<std::string>{"Febbre", "Tosse"}));

    ComplaintSlots symptoms;
    symptoms[0] = "A";
    symptoms[1] = "C";
    const RemedyDetail x = remedyDetail(dir, CompositeKind::Symptoms, "X", symptoms);
    EXPECT_EQ(x.lines, (std::vector<std::string>{"= A", "- X per A", "= C", "- ",
                                                 "AVVERTENZE: Non in gravidanza. Con farmaci chiedere al medico.",
                                                 kDetailSeparator}));
    EXPECT_EQ(remedyDetail(dir, CompositeKind::Symptoms, "Y", symptoms).lines.size(), 1u); // no warnings, no line
}

TEST_F(Composite, AMissingRemedyListIsReported) {
    std::filesystem::remove(dir.resolve(files::kRemedyNames));
    ComplaintSlots slots;
    slots[0] = "A";
    EXPECT_THROW(rankRemedies(dir, CompositeKind::Symptoms, slots), IoError);
}

TEST(FindWordInList, StepsThroughTheMatchesThenFallsBackToTheFirstEntry) {
    std::vector<std::string> list(12, "Altro");
    list[5] = "Dolore al capo";
    list[9] = "Capogiro";
    int position = 0;
    EXPECT_EQ(findWordInList(list, "capo", position), 5);
    EXPECT_EQ(position, 6);
    EXPECT_EQ(findWordInList(list, "capo", position), 9);
    EXPECT_EQ(position, 10);
    EXPECT_EQ(findWordInList(list, "capo", position), 0);
    EXPECT_EQ(position, 10);
    position = 0;  // a click into "Cerca"
    EXPECT_EQ(findWordInList(list, "CAPO", position), 5);
    // Case, accents and punctuation do not count, as in every lookup.
    int from = 0;
    EXPECT_EQ(findWordInList({"Altro", "Fragilit\xE0 capillare"}, " FRAGILITA,", from), 1);
}

} // namespace composite_test
} // namespace qv::remedies
