// Record layouts against bytes laid out by hand from the layout tables.
#include "remedies/records.h"

#include <gtest/gtest.h>

#include <cstring>

namespace qv::remedies {
namespace records_test {

// Puts a length-prefixed text at `offset` of a hand-made record.
void put(Bytes& r, std::size_t offset, const std::string& text) {
    r[offset] = static_cast<std::uint8_t>(text.size());
    std::memcpy(r.data() + offset + 1, text.data(), text.size());
}

TEST(RemedyRecordLayout, FieldsSitAtTheirOffsets) {
    Bytes hand(4814, 0);
    put(hand, 0, "Rosa MSA");
    put(hand, 51, std::string(250, 'p'));
    put(hand, 302, std::string(250, 'q'));
    put(hand, 553, std::string(250, 'r'));
    put(hand, 804, std::string(150, 's'));
    put(hand, 955, std::string(250, 'i'));
    put(hand, 1206, "j");
    for (int c = 0; c < 6; ++c) put(hand, 1257 + 251 * c, std::string(1, static_cast<char>('A' + c)));
    put(hand, 2763, "Sole-Luna");
    put(hand, 2794, "Marte");
    put(hand, 2835, "Ariete Toro");
    put(hand, 2906, "Avv1");
    put(hand, 3157, "Avv2");
    put(hand, 3308, "N1");
    put(hand, 3559, "N2");
    put(hand, 3810, "N3");
    put(hand, 4061, "S1");
    put(hand, 4312, "S2");
    put(hand, 4563, "\xE0\xA7");

    const RemedyRecord r = decodeRemedy(hand);
    EXPECT_EQ(r.rimedio, "Rosa MSA");
    EXPECT_EQ(r.dosage(), std::string(250, 'p') + std::string(250, 'q') + std::string(250, 'r') + std::string(150, 's'));
    EXPECT_EQ(r.indicazioni[0], std::string(250, 'i'));
    EXPECT_EQ(r.indication(), std::string(250, 'i') + "j");
    EXPECT_EQ(r.synthesis(), "ABCDEF");
    EXPECT_EQ(r.segnaturaPrimaria, "Sole-Luna");
    EXPECT_EQ(r.segnaturaSecondaria, "Marte");
    EXPECT_EQ(r.segnaturaZodiacale, "Ariete Toro");
    EXPECT_EQ(r.warnings(), "Avv1Avv2");
    EXPECT_EQ(r.notes(), "N1N2N3");
    EXPECT_EQ(r.supplementaryNotes(), "S1S2\xE0\xA7");
    EXPECT_EQ(encodeRemedy(r), hand);  // writers zero the bytes after each text
}

TEST(RemedyRecordLayout, LongTextsShareOutOverTheirChunks) {
    RemedyRecord r;
    r.setIndication(std::string(250, 'a'));
    EXPECT_EQ(r.indicazioni[0].size(), 250u);
    EXPECT_TRUE(r.indicazioni[1].empty());
    r.setIndication(std::string(250, 'a') + "Z");
    EXPECT_EQ(r.indicazioni[1], "Z");

    r.setSynthesis(std::string(1500, 'x') + "!");  // the 1501st character is lost
    for (const std::string& chunk : r.sintesiPsichica) EXPECT_EQ(chunk.size(), 250u);
    const Bytes b = encodeRemedy(r);
    for (int c = 0; c < 6; ++c) EXPECT_EQ(b[1257 + 251 * c], 250);
    EXPECT_EQ(decodeRemedy(b).synthesis(), std::string(1500, 'x'));

    r.rimedio = std::string(60, 'N');  // a longer name is cut to the field
    EXPECT_EQ(encodeRemedy(r)[0], 50);
}

TEST(RepertoryAndPlantLayouts, FieldsSitAtTheirOffsets) {
    Bytes rep(1206, 0);
    put(rep, 0, "Cefalea");
    put(rep, 101, "10 gocce");
    put(rep, 352, std::string(100, 'R'));
    put(rep, 453, "n1");
    put(rep, 704, "n2");
    put(rep, 955, "n3");
    const RepertoryRecord r = decodeRepertory(rep);
    EXPECT_EQ(r.patologia, "Cefalea");
    EXPECT_EQ(r.posologia, "10 gocce");
    EXPECT_EQ(r.rimedio, std::string(100, 'R'));
    EXPECT_EQ(r.notes(), "n1n2n3");
    EXPECT_EQ(encodeRepertory(r), rep);

    Bytes plant(599, 0);
    const std::pair<std::size_t, std::string> fields[] = {
        {0, "Tosse"}, {101, "Malva"}, {122, "MLV"}, {138, "venere"}, {154, "luna"},
        {185, "Toro"}, {256, "Dolcezza"}, {357, "Autori vari"}, {458, "nota"}};
    for (const auto& [offset, text] : fields) put(plant, offset, text);
    const PlantEntryRecord p = decodePlantEntry(plant);
    EXPECT_EQ(p.sintomo, "Tosse");
    EXPECT_EQ(p.pianta, "Malva");
    EXPECT_EQ(p.sigla, "MLV");
    EXPECT_EQ(p.segnaturaPrimaria, "venere");
    EXPECT_EQ(p.segnaturaSecondaria, "luna");
    EXPECT_EQ(p.segnaturaZodiacale, "Toro");
    EXPECT_EQ(p.sintesi, "Dolcezza");
    EXPECT_EQ(p.autori, "Autori vari");
    EXPECT_EQ(p.note, "nota");
    EXPECT_EQ(encodePlantEntry(p), plant);
}

TEST(SmallRecordLayouts, ScoreNamesAndPrinciples) {
    Bytes score(52, 0);
    put(score, 0, "Rosa");
    score[51] = 7;
    EXPECT_EQ(encodeScore(ScoreRecord{"Rosa", 7}), score);
    EXPECT_EQ(decodeScore(score).count, 7);

    for (std::size_t width : {kPlantNameWidth, kSymptomNameWidth, kRemedyNameWidth}) {
        Bytes name(width + 1, 0);
        put(name, 0, "Iperico");
        EXPECT_EQ(encodeName("Iperico", width), name);
        EXPECT_EQ(decodeName(name, width), "Iperico");
        EXPECT_EQ(nameLayout(width).size, width + 1);
    }

    Bytes principle(205, 0);
    for (int i = 0; i < 5; ++i) put(principle, 41 * i, "P" + std::to_string(i));
    EXPECT_EQ(encodePrinciple({"P0", "P1", "P2", "P3", "P4"}), principle);
}

TEST(RecordLayouts, DamagedLengthBytesAreFound) {
    Bytes r = encodeRemedy(RemedyRecord{});
    EXPECT_EQ(damagedField(r, remedyLayout()), nullptr);
    r[2794] = 41;  // SegnaturaSecondaria is 40 wide
    ASSERT_NE(damagedField(r, remedyLayout()), nullptr);
    EXPECT_STREQ(damagedField(r, remedyLayout())->name, "SegnaturaSecondaria");
    // Every layout covers its record exactly.
    for (const RecordLayout* l : {&remedyLayout(), &repertoryLayout(), &plantEntryLayout(), &scoreLayout(),
                                  &principleLayout()}) {
        std::size_t end = 0;
        for (const Field& f : l->fields) {
            EXPECT_EQ(f.offset, end) << f.name;
            end = f.offset + f.width + 1;
        }
        EXPECT_EQ(end + (l == &scoreLayout() ? 1 : 0), l->size);
    }
}

} // namespace records_test
} // namespace qv::remedies
