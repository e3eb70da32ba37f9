// The texts shipped in the data template: every key the chart analyses can
// write finds its text through the same look-ups the analysis window and the
// sheets use, every information message a view shows exists, and the
// principles file has its fifteen groups.
#include "analysis/chart_codes.h"
#include "analysis/chart_keys.h"
#include "analysis/subdivisions.h"
#include "base/text_file.h"
#include "display/analysis_session.h"
#include "ephemeris/chart_state.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <unordered_map>
#include <vector>

namespace qv {
namespace content_texts_test {

std::vector<std::string> templateLines(const char* relative) {
    return readTextLines(test::dataTemplateDir() / relative, relative);
}

std::string templateBytes(const char* relative) {
    std::ifstream in(test::dataTemplateDir() / relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Extended norm(Extended x) {
    while (x < 0) x += 360.0L;
    while (x >= 360.0L) x -= 360.0L;
    return x;
}

Extended separation(Extended a, Extended b) {
    Extended d = norm(b - a);
    return d > 180 ? 360 - d : d;
}

// The sky keeps Mercurio within 28° of the Sole and Venere within 47°; the
// Nodo Sud is always opposite the Nodo Nord.
bool possible(const std::array<Extended, 12>& l) {
    return separation(l[1], l[3]) <= 28 && separation(l[1], l[4]) <= 47 && separation(l[3], l[4]) <= 75;
}

ChartState chartOf(const std::array<Extended, 12>& l) {
    ChartState c;
    for (int p = 1; p <= 11; ++p) c.longitude[static_cast<std::size_t>(p)] = l[static_cast<std::size_t>(p)];
    for (int k = 1; k <= 12; ++k) c.cusp[static_cast<std::size_t>(k)] = norm(l[10] + 30.0L * (k - 1));
    for (int k = 1; k <= 22; ++k) c.retroMark[static_cast<std::size_t>(k)] = ' ';
    return c;
}

// Charts that move one point, or one point against another, round the
// zodiac in half-degree steps, keeping what the sky allows.
std::vector<ChartState> sweptCharts() {
    const std::array<Extended, 12> base = {0, 100.3L, 215.7L, 110.9L, 80.2L, 333.1L, 47.6L, 260.4L, 170.8L, 350.8L, 3.4L, 271.9L};
    std::vector<ChartState> charts;
    auto keep = [&](std::array<Extended, 12> l) {
        l[9] = norm(l[8] + 180);
        if (possible(l)) charts.push_back(chartOf(l));
    };
    for (int p = 1; p <= 11; ++p)
        for (int step = 0; step < 720; ++step) {
            std::array<Extended, 12> l = base;
            const Extended lambda = 0.25L + 0.5L * step;
            if (p == 1) {  // Mercurio and Venere travel with the Sole
                l[3] = norm(l[3] - l[1] + lambda);
                l[4] = norm(l[4] - l[1] + lambda);
            }
            if (p == 9) l[8] = norm(lambda + 180); else l[static_cast<std::size_t>(p)] = lambda;
            keep(l);
        }
    for (int i = 1; i <= 9; ++i)
        for (int j = i + 1; j <= 11; ++j)
            for (int step = 0; step <= 360; ++step) {
                std::array<Extended, 12> l = base;
                l[static_cast<std::size_t>(j)] = norm(l[static_cast<std::size_t>(i)] + 0.5L * step);
                if (j == 9) l[8] = norm(l[9] + 180);
                keep(l);
            }
    return charts;
}

OrbTable widestOrbs() {
    OrbTable t{};
    t.fill(15);  // the largest orb the orb editor accepts
    return t;
}

// The points a key belongs to: the point whose code begins it and, for an
// aspect, the point whose code ends it.
std::vector<int> ownersOf(const std::string& key) {
    std::vector<int> owners;
    for (int p = 1; p <= kTraditionalPoints; ++p) {
        const auto q = static_cast<std::size_t>(p);
        const bool begins = key.rfind(kPointCodes4[q], 0) == 0 || key.rfind(kPointAbbreviations[q], 0) == 0 ||
                            (key.size() == 4 && key.rfind(kPointCodes2[q], 0) == 0);
        const bool aspectEnd = key.size() == 8 && key.compare(5, 3, kPointAbbreviations[q]) == 0 &&
                               std::string("CoSeQuTrOp").find(key.substr(3, 2)) != std::string::npos;
        if (begins || aspectEnd) owners.push_back(p);
    }
    return owners;
}

class ShippedTexts : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        charts_ = new std::vector<ChartState>(sweptCharts());
    }
    static void TearDownTestSuite() { delete charts_; }
    static std::vector<ChartState>* charts_;

    const std::vector<std::string> specific_ = templateLines("OpzioneT/SpgPianSpe.Txt");
    const std::vector<std::string> general_ = templateLines("OpzioneT/SpgPian.txt");
};
std::vector<ChartState>* ShippedTexts::charts_ = nullptr;

// A line of SpgPianSpe.Txt whose key part is exactly the key.
bool fileHasKey(const std::vector<std::string>& lines, const std::string& key) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) {
        return l.size() > 21 && l.compare(0, key.size(), key) == 0 && l.find_first_not_of(' ', key.size()) == 21;
    });
}

// Every key the point key list holds over the swept charts, with the points
// it belongs to and a chart that writes it.
struct WalkedKey {
    std::vector<int> owners;
    const ChartState* chart = nullptr;
};
std::map<std::string, WalkedKey> walkedPointKeys(const std::vector<ChartState>& charts) {
    const OrbTable orbs = widestOrbs();
    // Hashed while walking: the charts repeat most keys many times over.
    std::unordered_map<std::string, WalkedKey> keys;
    for (const ChartState& chart : charts)
        for (const std::string& key : pointKeys(chart, ComputeSubdivisions(chart), orbs)) {
            auto [it, added] = keys.try_emplace(key);
            if (added) it->second = WalkedKey{ownersOf(key), &chart};
        }
    return {keys.begin(), keys.end()};
}

TEST_F(ShippedTexts, EveryPointKeyShowsItsTextInTheAttributionPanel) {
    const auto keys = walkedPointKeys(*charts_);
    std::map<std::string, std::string> missing;  // key → point
    for (const auto& [key, walked] : keys) {
        if (walked.owners.empty()) missing[key] = "nessun punto";
        if (!fileHasKey(specific_, key)) missing[key] = "nessuna riga";
        for (int p : walked.owners) {
            const Attributions a = pointAttributions(p, *walked.chart, {key}, specific_, general_);
            // name line, the key's text, the dodecatemory line
            if (a.specific.size() != 3 || a.specific[1].empty()) missing[key] = kPointUpperNames[static_cast<std::size_t>(p)];
        }
    }
    // Every point has its own keys: 11 × (12 signs + 60 terms + 36 decans +
    // 36 decades + 24 mirror places) at least, plus the houses and aspects.
    EXPECT_GT(keys.size(), 11u * (12 + 60 + 36 + 36 + 24));
    std::string list;
    for (const auto& [key, point] : missing) list += key + " (" + point + ") ";
    EXPECT_TRUE(missing.empty()) << missing.size() << " chiavi senza testo: " << list;
}

// The nodes' keys begin with "NNor", "Non", "NSud" and "Nos", not with their
// text codes "Nn" and "Ns": their panels find them all the same.
TEST_F(ShippedTexts, NodeKeysShowInTheNodesOwnPanel) {
    std::vector<std::string> unseen;
    for (const auto& [key, walked] : walkedPointKeys(*charts_))
        for (int p : walked.owners)
            if ((p == 8 || p == 9) && pointAttributions(p, *walked.chart, {key}, specific_, general_).specific.size() != 3)
                unseen.push_back(key);
    EXPECT_TRUE(unseen.empty()) << unseen.size() << " chiavi dei nodi non mostrate, la prima " << unseen.front();
}

TEST_F(ShippedTexts, EveryTermDecanAndDecadeOfPointsAndDodecatemoriesIsListed) {
    std::set<std::string> terms, others;
    for (const ChartState& chart : *charts_) {
        const Subdivisions kinds[] = {ComputeSubdivisions(chart), ComputeDodecatemories(chart).subdivisions};
        for (const Subdivisions& s : kinds)
            for (int p = 1; p <= kTraditionalPoints; ++p) {
                const auto q = static_cast<std::size_t>(p);
                terms.insert(s.termKey[q]);
                if (!s.decanKey[q].empty()) others.insert(s.decanKey[q]);
                others.insert(s.decadeKey[q]);
            }
    }
    EXPECT_EQ(terms.size(), 11u * 60);
    EXPECT_EQ(others.size(), 11u * (36 + 36));
    others.insert(terms.begin(), terms.end());
    std::vector<std::string> missing;
    for (const std::string& key : others) {
        Subdivisions one;  // the key in the first place, every other empty
        one.termKey[1] = key;
        const auto list = ListSubdivisionTexts(SubdivisionList::Points, one, specific_);
        // three headings, two separating blank lines and the key's text
        if (list.size() != 6 || list[1].empty()) missing.push_back(key);
    }
    EXPECT_TRUE(missing.empty()) << missing.size() << " chiavi senza testo, la prima " << missing.front();
}

TEST_F(ShippedTexts, TheSheetsTermBlockHasOneRowPerTermOfTheNinePoints) {
    const auto lines = templateLines("OpzioneT/SpgPianCan.Txt");
    for (int p = 1; p <= 9; ++p)
        for (int term = 1; term <= 60; ++term) {
            std::string key = std::string(kPointCodes4[static_cast<std::size_t>(p)]) + (term < 10 ? "0" : "") + std::to_string(term);
            key.resize(8, ' ');
            const auto rows = std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.compare(0, 8, key) == 0; });
            EXPECT_EQ(rows, 1) << key;
        }
    // The decan lines of the sheet's key list read as "********"; no row answers them.
    EXPECT_TRUE(std::none_of(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("********", 0) == 0; }));
    for (const std::string& l : lines) EXPECT_LE(l.size(), 81u) << l;
}

TEST_F(ShippedTexts, EverySignShowsItsGeneralTextsAndEveryMirrorKeyItsOwn) {
    const auto general = templateLines("OpzioneT/SpgSegni.txt");
    const auto specific = templateLines("OpzioneT/SpgSegnSpe.txt");
    const auto keys = signKeys();
    for (int sign = 1; sign <= 12; ++sign) {
        const Attributions a = signAttributions(sign, keys, general, specific);
        const std::string code = kSignCodes2[static_cast<std::size_t>(sign)];
        std::size_t own = 0, mirror = 0;
        for (const std::string& l : general) own += l.compare(0, 2, code) == 0 ? 1 : 0;
        for (const std::string& key : keys) {
            if (key.compare(0, 2, code) != 0) continue;
            const auto n = std::count_if(specific.begin(), specific.end(), [&](const std::string& l) { return l.compare(0, 7, key) == 0; });
            EXPECT_GE(n, 1) << key;
            mirror += static_cast<std::size_t>(n);
        }
        EXPECT_GE(own, 3u) << code;
        EXPECT_EQ(a.general.size(), 1 + own + mirror) << code;
        for (const std::string& line : a.general) EXPECT_FALSE(line.empty()) << code;
    }
}

TEST_F(ShippedTexts, EveryPointHasGeneralTexts) {
    for (int p = 1; p <= kTraditionalPoints; ++p) {
        const Attributions a = pointAttributions(p, ChartState{}, {}, specific_, general_);
        EXPECT_GE(a.general.size(), 4u) << kPointUpperNames[static_cast<std::size_t>(p)];
    }
}

TEST(ShippedMessages, EveryMessageAViewShowsExists) {
    const auto lines = templateLines("Appoggio/Messaggi.txt");
    // Opening, the buttons' views and the clicks on points and signs.
    const int used[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 24, 25, 26, 11, 12, 13, 14,
                        15, 16, 17, 18, 19, 20, 27, 21, 22, 23, 28, 29, 30, 31, 32, 33};
    // Read as the analysis window reads them.
    for (int n : used) {
        const auto block = messageBlock(lines, n);
        EXPECT_GE(block.size(), 3u) << "messaggio " << n;
        for (const std::string& line : block) EXPECT_LE(line.size(), 40u) << "messaggio " << n << ": " << line;
    }
    EXPECT_EQ(messageBlock(lines, 1).front(), "INFORMAZIONI:");
}

TEST(ShippedFiles, AreWindowsTextWithCrLfLines) {
    for (const char* name : {"OpzioneT/SpgPian.txt", "OpzioneT/SpgPianSpe.Txt", "OpzioneT/SpgPianCan.Txt",
                             "OpzioneT/SpgSegni.txt", "OpzioneT/SpgSegnSpe.txt", "Appoggio/Messaggi.txt",
                             "Appoggio/Aggiorna1.txt", "Appoggio/Aggiorna2.txt", "Principi.txt"}) {
        const std::string bytes = templateBytes(name);
        ASSERT_FALSE(bytes.empty()) << name;
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << name;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n') {
                ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << name << " byte " << i;
            }
            const auto c = static_cast<unsigned char>(bytes[i]);
            // Windows-1252 text: no UTF-8 lead bytes of accented letters (Ã)
            ASSERT_NE(c, 0xC3) << name << " byte " << i;
        }
    }
}

TEST(ShippedFiles, PrinciplesHaveFifteenGroupsOfFiveLines) {
    const auto lines = templateLines("Principi.txt");
    ASSERT_EQ(lines.size(), 75u);
    for (const std::string& line : lines) {
        EXPECT_FALSE(line.empty());
        EXPECT_LE(line.size(), 40u) << line;
    }
}

} // namespace content_texts_test
} // namespace qv

namespace qv {
namespace content_texts_test {

// The pages of a PDF: its page objects, written as "/Type /Page" (the page
// tree is "/Type /Pages").
int pdfPages(const std::string& bytes) {
    int pages = 0;
    for (std::size_t at = bytes.find("/Type"); at != std::string::npos; at = bytes.find("/Type", at + 5)) {
        std::size_t v = bytes.find_first_not_of(" \r\n", at + 5);
        if (v != std::string::npos && bytes.compare(v, 5, "/Page") == 0 && (v + 5 >= bytes.size() || bytes[v + 5] != 's'))
            ++pages;
    }
    return pages;
}

// What pdftotext reads of a shipped PDF, blanks and line ends folded to
// single blanks.
std::string pdfText(const char* file) {
    const std::string command = "pdftotext -enc UTF-8 '" + (test::dataTemplateDir() / file).string() + "' - 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    std::string out;
    for (int c; pipe && (c = std::fgetc(pipe.get())) != EOF;) {
        const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f';
        if (!blank) out += static_cast<char>(c);
        else if (!out.empty() && out.back() != ' ') out += ' ';
    }
    // The typesetter joins f with the letter after it: read the letters.
    const std::pair<const char*, const char*> ligatures[] = {
        {"\xEF\xAC\x83", "ffi"}, {"\xEF\xAC\x84", "ffl"}, {"\xEF\xAC\x80", "ff"},
        {"\xEF\xAC\x81", "fi"},  {"\xEF\xAC\x82", "fl"}};
    for (const auto& [joined, letters] : ligatures)
        for (std::size_t at; (at = out.find(joined)) != std::string::npos;) out.replace(at, 3, letters);
    return out;
}

// A shipped manual is the PDF of its source as it is now: every heading of
// the Markdown is in the PDF's text (a manual left behind by its source
// lacks the newer sections, whatever its page count).
TEST(ShippedManuals, CarryEveryHeadingOfTheirSource) {
    const std::pair<const char*, const char*> manuals[] = {
        {"Istruzioni_J.pdf", "Istruzioni_J.md"}, {"Istruzioni.pdf", "Istruzioni.md"}, {"Dispensa.pdf", "Dispensa.md"}};
    for (const auto& [pdf, source] : manuals) {
        const std::string bytes = templateBytes(pdf);
        ASSERT_EQ(bytes.rfind("%PDF-", 0), 0u) << pdf;
        EXPECT_NE(bytes.find("%%EOF"), std::string::npos) << pdf;
        EXPECT_GT(pdfPages(bytes), 0) << pdf;
        const std::string text = pdfText(pdf);
        std::ifstream in(std::filesystem::path(QV_SOURCE_DIR) / "docs" / "manuals" / source);
        ASSERT_TRUE(in) << source;
        int headings = 0;
        for (std::string line; std::getline(in, line);) {
            if (line.empty() || line[0] != '#') continue;
            const std::string heading = line.substr(line.find_first_not_of("# "));
            ++headings;
            EXPECT_NE(text.find(heading), std::string::npos) << pdf << " lacks \"" << heading << "\"";
        }
        EXPECT_GT(headings, 5) << source;
    }
    // The consultations and the backup of them are in the full guide.
    const std::string full = pdfText("Istruzioni.pdf");
    EXPECT_NE(full.find("Consultazioni e relazione per la persona"), std::string::npos);
    EXPECT_NE(full.find("registro delle consultazioni"), std::string::npos);
}

} // namespace content_texts_test
} // namespace qv
