// Byte layouts of the archive records, the Corr text, the place and key
// rules, and the chart summaries, against bytes and texts built by hand.
#include "archive/archive_records.h"
#include "archive/chart_summary.h"
#include "base/errors.h"

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace subjects_records_test {

// A text[N] field as the layout tables describe it: length byte, the value,
// zeros up to the width.
Bytes field(const std::string& value, std::size_t width) {
    Bytes b(1 + width, 0);
    b[0] = static_cast<std::uint8_t>(value.size());
    std::copy(value.begin(), value.end(), b.begin() + 1);
    return b;
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

TEST(ArchiveRecords, IndexEntryIsOneText43) {
    const std::string key = subjectKey("Rossi Mario", 7);
    EXPECT_EQ(key, "ROSSI MARIO                           00007");
    EXPECT_EQ(encodeIndexEntry({key}), field(key, 43));
    EXPECT_EQ(encodeIndexEntry(headerIndexEntry()), field("0 Registro vuoto......................00000", 43));
    EXPECT_EQ(decodeIndexEntry(field(key, 43)).text, key);

    // A name of more than 38 characters is cut; the number still follows.
    const std::string longKey = subjectKey("Bartolomeo Alessandro Maria de' Medici di Toscana", 12345);
    EXPECT_EQ(longKey, "BARTOLOMEO ALESSANDRO MARIA DE' MEDICI12345");
    EXPECT_EQ(IndexEntry{longKey}.name(), "BARTOLOMEO ALESSANDRO MARIA DE' MEDICI");
    EXPECT_EQ(IndexEntry{longKey}.recordNumber(), 12345);
    EXPECT_EQ(subjectKey("caff\xE8", 1).substr(0, 5), "CAFF\xC8") << "accented letters upper-cased";
}

TEST(ArchiveRecords, RecordNumberOfAnEntry) {
    const std::pair<std::string, std::optional<int>> cases[] = {
        {"ROSSI MARIO                           00007", 7},
        {"ROSSI MARIO                           0000x", std::nullopt},
        {"ROSSI MARIO                           -0007", std::nullopt},
        {"ROSSI MARIO                            0007", std::nullopt},
        {"0012", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, number] : cases) EXPECT_EQ(IndexEntry{text}.recordNumber(), number) << text;
}

TEST(ArchiveRecords, BirthRecordFieldsInFileOrder) {
    BirthRecord r;
    r.moment = "199912312359-1";
    r.place = "45N28-009E11MILANO *MI*";
    r.calendar = "GR";
    r.nation = "ITALIA";
    r.planetSummary = "10eC10";
    r.cuspSummary = "01A24";
    r.aspectSummary = "eKm8";
    r.annotationNumber = "00003";
    const Bytes expected = concat({field("199912312359-1", 20), field("45N28-009E11MILANO *MI*", 39), field("GR", 2),
                                   field("ITALIA", 20), field("10eC10", 72), field("01A24", 60), field("eKm8", 124),
                                   field("", 21), field("", 12), field("00003", 5)});
    ASSERT_EQ(expected.size(), kBirthRecordSize);
    EXPECT_EQ(encodeBirthRecord(r), expected);
    EXPECT_EQ(decodeBirthRecord(expected), r);

    Bytes header;
    for (std::size_t width : {20, 39, 2, 20, 72, 60, 124, 21, 12}) header = concat({header, field(" ", width)});
    header = concat({header, field("     ", 5)});
    EXPECT_EQ(encodeBirthRecord(headerBirthRecord()), header);
}

TEST(ArchiveRecords, AnnotationRecordWithATextNumber) {
    const AnnotationRecord r = annotationFromFields({"Prima riga", "", "Terza", "Quarta"}, "00001");
    const std::string line4 = "Quarta" + std::string(58, ' ') + "00001";
    ASSERT_EQ(line4.size(), 69u);
    EXPECT_EQ(encodeAnnotationRecord(r),
              concat({field("Prima riga", 70), field("", 70), field("Terza", 70), field(line4, 70)}));
    EXPECT_EQ(r.textNumber(), "00001");
    EXPECT_EQ(annotationFromFields({"", "", "", "x"}, "").lines[3].size(), 64u) << "without text: 64 characters";
    EXPECT_EQ(annotationFromFields({"", "", "", std::string(80, 'q')}, "").lines[3], std::string(64, 'q'));

    const AnnotationRecord standard = headerAnnotationRecord();
    EXPECT_EQ(encodeAnnotationRecord(standard),
              concat({field("   LO SPAZIO DELIMITATO DA QUESTA CORNICE E'DESTINATO A RICEVERE      ", 70),
                      field("  EVENTUALI ANNOTAZIONI SCRITTE DAGLI UTENTI. LE ANNOTAZIONI DEVONO   ", 70),
                      field("      RIFERIRSI A QUESTO SPECIFICO TEMA (O A QUESTA PERSONA).         ", 70),
                      field("           QUESTO TEMA NON CONTIENE PER ORA ANNOTAZIONI.              ", 70)}));
    EXPECT_EQ(standard.textNumber(), "");
}

TEST(ArchiveRecords, ReadersIgnoreTheBytesAfterTheLengthAndCapIt) {
    Bytes b = field("ROSSI", 43);
    b[10] = 'Z';  // after the value: not significant
    EXPECT_EQ(decodeIndexEntry(b).text, "ROSSI");
    b[0] = 200;   // a corrupt length reads as the field's width
    EXPECT_EQ(decodeIndexEntry(b).text.size(), 43u);
}

TEST(Corr, WrittenWithTheItalianCommaAndASignBeforeNonNegativeValues) {
    const std::pair<long double, const char*> cases[] = {
        {-1, "-1"}, {0, "+0"}, {-0.0L, "+0"}, {2, "+2"}, {-1.5L, "-1,5"}, {5.75L, "+5,75"}, {-0.61L, "-0,61"}, {-12.75L, "-12,75"},
    };
    for (auto [value, text] : cases) EXPECT_EQ(corrText(value), text) << static_cast<double>(value);
}

TEST(Corr, ReadWithAPointOrAComma) {
    const std::pair<const char*, long double> good[] = {
        {"-1", -1}, {"-1,5", -1.5L}, {"-1.5", -1.5L}, {"+0", 0}, {" +2 ", 2}, {"-12,75", -12.75L}, {"-0,61", -0.61L},
    };
    for (auto [text, value] : good) EXPECT_EQ(parseCorr(text), value) << text;
    for (const char* text : {"", "abc", "1,2.3", "1,5,5", "+", "--1"}) EXPECT_FALSE(parseCorr(text)) << text;
}

TEST(BirthDecoding, MomentCorrCoordinatesAndPlace) {
    BirthRecord r;
    r.moment = "199912312359-1";
    r.place = "45N28-009E11SAN  DONATO   *MI*";
    r.calendar = "GR";
    r.nation = "ITALIA";
    const DecodedBirth d = decodeBirth(r);
    EXPECT_EQ(d.dateText(), "31/12/1999 23:59");
    EXPECT_EQ(d.corr, -1);
    EXPECT_TRUE(d.gregorian);
    EXPECT_EQ(d.coordinates, "45N28-009E11");
    EXPECT_EQ(d.latDegrees, 45);
    EXPECT_EQ(d.latLetter, "N");
    EXPECT_EQ(d.latMinutes, 28);
    EXPECT_EQ(d.lonDegrees, 9);
    EXPECT_EQ(d.lonLetter, "E");
    EXPECT_EQ(d.lonMinutes, 11);
    EXPECT_EQ(d.place, "SAN DONATO (MI)");

    r.moment = "200001011200-1.5";  // a point is read as the comma
    EXPECT_EQ(decodeBirth(r).corr, -1.5L);
    EXPECT_EQ(decodeBirth(r).corrText, "-1,5");
    r.moment = "200001011200-12,75";  // longer than five characters: read whole
    EXPECT_EQ(decodeBirth(r).corr, -12.75L);
    r.calendar = "GI";
    EXPECT_FALSE(decodeBirth(r).gregorian);
}

TEST(BirthDecoding, FieldsThatDoNotReadAreConversionErrors) {
    const std::pair<const char*, const char*> cases[] = {
        {"19991231xx59-1", "45N28-009E11MILANO"},
        {"199912312359abc", "45N28-009E11MILANO"},
        {"199912312359", "45N28-009E11MILANO"},
        {"1999", "45N28-009E11MILANO"},
        {"199912312359-1", "45N28-0"},
        {"199912312359-1", "4xN28-009E11"},
        {" ", " "},
    };
    for (auto [moment, place] : cases) {
        BirthRecord r;
        r.moment = moment;
        r.place = place;
        EXPECT_THROW(decodeBirth(r), ConversionError) << moment << " / " << place;
    }
}

TEST(PlaceText, DisplayTransformAndStoredForm) {
    const std::pair<const char*, const char*> shown[] = {
        {"MILANO *MI*", "MILANO (MI)"},
        {"SAN  DONATO   *MI*", "SAN DONATO (MI)"},
        {"*A* *B*", "(A) )B)"},
        {"", ""},
    };
    for (auto [stored, text] : shown) EXPECT_EQ(placeShown(stored), text) << stored;
    EXPECT_EQ(placeStored("Forl\xEC (Fc)"), "FORL\xCC *FC*");
}

TEST(ChartSummaries, PlanetCuspAndAspectGroups) {
    ChartState c;
    // Equal cusps from 0° Ariete.
    for (int i = 1; i <= 12; ++i) c.cusp[i] = 30.0L * (i - 1);
    const long double longitudes[15] = {0,  280.368L, 223.316L, 271.892L, 241.568L, 327.963L, 25.253L, 40.387L,
                                        314.808L, 303.196L, 251.396L, 125.04L, 263.35L, 0.5L, 180.4L};
    for (int i = 1; i <= 14; ++i) c.longitude[i] = longitudes[i];
    const ChartSummary s = summariseChart(c);
    EXPECT_EQ(s.planets, "10eC1008lS1310mC0109vR0111aQ2701gA2502sT1011uQ1411nQ0309pR1105dL0509hR23");
    EXPECT_EQ(s.cusps, "01A0002T0003G0004N0005L0006V0007B0008S0009R0010C0011Q0012P00");
    // Pairs: Sun–Moon 57.05 sextile (3), Sun–Mercury 8.48 conjunction (8),
    // Sun–Saturn 120.02 trine (0), Sun–point 14 (180.4 → 99.97) none.
    EXPECT_EQ(s.aspects.substr(0, 12), "eJl3eKm8eZs0");
    EXPECT_EQ(s.aspects.size() % 4, 0u);
    EXPECT_NE(s.aspects.find("mWy1"), std::string::npos) << "Mercury squares point 14 (91.49)";
    EXPECT_EQ(s.aspects.find_first_of("dh"), std::string::npos) << "the node and the Black Moon take no part";
}

TEST(ChartSummaries, AtMost31AspectsAndOrbsRoundedToEven) {
    ChartState c;
    for (int i = 1; i <= 12; ++i) c.cusp[i] = 30.0L * (i - 1);
    for (int i = 1; i <= 14; ++i) c.longitude[i] = 10.0L;  // everything conjunct: 45 pairs
    EXPECT_EQ(summariseChart(c).aspects.size(), 124u);
    EXPECT_EQ(summariseChart(c).aspects.substr(0, 8), "eKl0eKm0");

    c.longitude[2] = 12.5L;  // 2.5 rounds to 2
    c.longitude[3] = 73.5L;  // 63.5 from the Sun: sextile, 3.5 rounds to 4
    EXPECT_EQ(summariseChart(c).aspects.substr(0, 8), "eKl2eJm4");
}

} // namespace subjects_records_test
} // namespace qv
