// Which names a list of 9 or 8 lines shows, and the cycle of the name
// inversion.
#include "archive/ui/name_list_rules.h"

#include <gtest/gtest.h>

namespace qv {
namespace name_list_rules_test {

TEST(NameListWindow, ClampsThePositionSoThatTheListStaysFull) {
    struct Case {
        int lines, subjects, asked;
        int position, first, shown;
    };
    const Case cases[] = {
        {9, 0, 3, 0, 1, 0},     // an empty archive
        {9, 3, 2, 0, 1, 3},     // fewer than 9: all of them, no scrolling
        {9, 9, 7, 0, 1, 9},
        {9, 10, 1, 5, 1, 9},    // the first 9
        {9, 10, 10, 6, 2, 9},   // the last subject is reachable: lines 2…10
        {9, 30, 17, 17, 13, 9}, // the position in the middle line
        {9, 30, 30, 26, 22, 9}, // lines 22…30
        {8, 8, 5, 0, 1, 8},
        {8, 9, 1, 4, 1, 8},
        {8, 9, 9, 5, 2, 8},     // lines 2…9
        {8, 30, 17, 17, 14, 8}, // three lines above, four below
        {8, 30, 30, 26, 23, 8},
    };
    for (const auto& c : cases) {
        const NameListWindow w{c.lines, c.subjects};
        const int p = w.clamp(c.asked);
        EXPECT_EQ(p, c.position) << c.lines << " lines, " << c.subjects << " subjects, asked " << c.asked;
        EXPECT_EQ(w.first(p), c.first) << c.lines << " lines, " << c.subjects << " subjects";
        EXPECT_EQ(w.shown(), c.shown);
        if (!w.showsAll()) {
            EXPECT_EQ(w.first(p) + w.shown() - 1, p + 4) << "four lines below the position";
        }
    }
}

TEST(NameInversion, ThreeWordsCycleThroughSixOrders) {
    const char* expected[] = {"MARIO LUIGI ROSSI", "ROSSI LUIGI MARIO", "MARIO ROSSI LUIGI", "LUIGI ROSSI MARIO",
                              "LUIGI MARIO ROSSI", "ROSSI MARIO LUIGI", "MARIO LUIGI ROSSI"};
    for (int click = 1; click <= 7; ++click)
        EXPECT_EQ(invertedName("ROSSI MARIO LUIGI", click), expected[click - 1]) << click << " clicks";
}

TEST(NameInversion, TwoWordsAlternateAndTheRestStays) {
    struct Case {
        const char* name;
        int clicks;
        const char* shown;
    };
    const Case cases[] = {
        {"ROSSI MARIO", 1, "MARIO ROSSI"},
        {"ROSSI MARIO", 2, "ROSSI MARIO"},
        {"ROSSI MARIO", 3, "MARIO ROSSI"},
        {"ROSSI   MARIO                         ", 1, "MARIO ROSSI"},   // padded as in the index
        {"ROSSI MARIO (DETTO GIGI)", 1, "MARIO ROSSI (DETTO GIGI)"},   // words end at the "("
        {"DE LUCA ANNA MARIA", 1, "LUCA ANNA DE MARIA"},              // a fourth word stays last
        {"ROSSI", 1, "ROSSI"},                                         // nothing to turn
        {"", 1, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(invertedName(c.name, c.clicks), c.shown) << c.name << " / " << c.clicks;
}

} // namespace name_list_rules_test
} // namespace qv
