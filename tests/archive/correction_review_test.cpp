// The correction, coordinates and calendar that follow a change of birth
// data, against the shipped atlas and time regimes.
#include "archive/correction_review.h"
#include "archive/place_lookup.h"
#include "base/data_dir.h"
#include "tests/archive/atlas_support.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <memory>

namespace qv {
namespace correction_review_test {

using CorrectionReviewTest = test::ShippedAtlasSuite;

// A subject born at Gubbio in winter 1975, as the modification window
// shows it (the place as stored, with "*" for the brackets).
SubjectEdit gubbio() {
    SubjectEdit e;
    e.name = "ROSSI MARIA";
    e.date = "03/03/1975";
    e.time = "12:00";
    e.corr = "-1";
    e.place = "GUBBIO *PG*";
    e.nation = "ITALIA";
    e.coordinates = "43N21-012E35";
    e.calendar = "GREGORIANO";
    return e;
}

struct Case {
    const char* label;
    void (*change)(SubjectEdit&);
    AtlasAnswer answer;
    const char* correction;  // the derived one, when derived
    bool correctionDiffers, coordinatesDiffer, calendarDiffers;
};

const Case kCases[] = {
    {"name only", [](SubjectEdit& e) { e.name = "ROSSI MARIA LUISA"; }, AtlasAnswer::Unchanged, "", false, false,
     false},
    {"into summer time, 1 June 1975", [](SubjectEdit& e) { e.date = "03/06/1975"; }, AtlasAnswer::Derived, "-2", true,
     false, false},
    {"the last day before it", [](SubjectEdit& e) { e.date = "31/05/1975"; }, AtlasAnswer::Derived, "-1", false, false,
     false},
    {"typed correction already the new one",
     [](SubjectEdit& e) {
         e.date = "03/06/1975";
         e.corr = "-2,00";
     },
     AtlasAnswer::Derived, "-2", false, false, false},
    {"time moved within the day", [](SubjectEdit& e) { e.time = "23:59"; }, AtlasAnswer::Derived, "-1", false, false,
     false},
    {"a new place takes its coordinates", [](SubjectEdit& e) { e.place = "MILANO (MI)"; }, AtlasAnswer::Derived, "-1",
     false, true, false},
    {"a foreign place", [](SubjectEdit& e) {
         e.place = "LONDON";
         e.nation = "REGNO UNITO";
     },
     AtlasAnswer::Derived, "+0", true, true, false},
    {"Julian 25 May is Gregorian 7 June", [](SubjectEdit& e) {
         e.date = "25/05/1975";
         e.calendar = "GIULIANO";
     },
     AtlasAnswer::Derived, "-2", true, false, false},
    {"a date before the reform is Julian", [](SubjectEdit& e) { e.date = "03/03/1575"; }, AtlasAnswer::Derived,
     nullptr, true, false, true},
    {"a name of two provinces", [](SubjectEdit& e) { e.place = "CASTRO"; }, AtlasAnswer::Ambiguous, "", false, false,
     false},
    {"a place the atlas lacks", [](SubjectEdit& e) { e.place = "ATLANTIDE"; }, AtlasAnswer::NotFound, "", false,
     false, false},
};

TEST_F(CorrectionReviewTest, FollowsTheChangedBirthData) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.label);
        SubjectEdit typed = gubbio();
        c.change(typed);
        const CorrectionReview r = reviewCorrection(gubbio(), typed, 0);
        EXPECT_EQ(r.answer, c.answer);
        if (c.answer != AtlasAnswer::Derived) {
            EXPECT_FALSE(r.proposesChange());
            continue;
        }
        if (c.correction) {
            EXPECT_EQ(r.correction, c.correction);
        }
        EXPECT_EQ(r.correctionDiffers, c.correctionDiffers);
        EXPECT_EQ(r.coordinatesDiffer, c.coordinatesDiffer);
        EXPECT_EQ(r.calendarDiffers, c.calendarDiffers);
    }
}

TEST_F(CorrectionReviewTest, ProposedValuesAreTheAtlasOnesAndATypedCorrectionCanStay) {
    SubjectEdit typed = gubbio();
    typed.place = "MILANO (MI)";
    typed.date = "03/06/1975";
    const CorrectionReview r = reviewCorrection(gubbio(), typed, 0);
    ASSERT_EQ(r.answer, AtlasAnswer::Derived);
    EXPECT_EQ(r.coordinates, "45N28-009E11");
    EXPECT_EQ(r.correction, "-2");

    // Kept on purpose: nothing of the review goes in.
    SubjectEdit kept = typed;
    EXPECT_EQ(kept.corr, "-1");
    // Accepted: the atlas values replace the typed ones.
    acceptReview(typed, r);
    EXPECT_EQ(typed.corr, "-2");
    EXPECT_EQ(typed.coordinates, "45N28-009E11");
    EXPECT_EQ(typed.calendar, "GREGORIANO");
}

TEST_F(CorrectionReviewTest, AClockTimeTheRegimeChangeSkippedIsNoted) {
    SubjectEdit typed = gubbio();
    typed.date = "01/06/1975";
    typed.time = "00:30";
    const CorrectionReview r = reviewCorrection(gubbio(), typed, 0);
    ASSERT_EQ(r.answer, AtlasAnswer::Derived);
    EXPECT_EQ(r.correction, "-2");
    ASSERT_EQ(r.notes.size(), 1u);
    EXPECT_EQ(r.notes[0].rfind("ORA INESISTENTE: l'ora salta al cambio di regime del 01/06/1975", 0), 0u) << r.notes[0];
    EXPECT_TRUE(reviewCorrection(gubbio(), gubbio(), 0).notes.empty());
}

TEST_F(CorrectionReviewTest, AmbiguousPlaceListsItsCandidates) {
    SubjectEdit typed = gubbio();
    typed.place = "castro";
    const CorrectionReview r = reviewCorrection(gubbio(), typed, 0);
    ASSERT_EQ(r.answer, AtlasAnswer::Ambiguous);
    ASSERT_EQ(r.candidates.size(), 2u);
    EXPECT_EQ(r.candidates[0].name, "CASTRO (BG)");
    EXPECT_EQ(r.candidates[1].name, "CASTRO (LE)");
    typed.place = "CASTRO *LE*";
    EXPECT_EQ(reviewCorrection(gubbio(), typed, 0).answer, AtlasAnswer::Derived);
}

TEST(SameCorrection, ComparesNumbersNotTexts) {
    EXPECT_TRUE(sameCorrection("-1", "-1,00"));
    EXPECT_TRUE(sameCorrection("+1.5", "1,5"));
    EXPECT_FALSE(sameCorrection("-1", "+1"));
}

} // namespace correction_review_test
} // namespace qv
