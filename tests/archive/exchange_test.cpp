// Subjects in and out through the exchange files: the AAF and CSV formats
// read and written, the review of an import against the atlas and the time
// regimes, and an import registered whole or not at all.
#include "archive/archive_files.h"
#include "archive/current_subject.h"
#include "archive/exchange/aaf_format.h"
#include "archive/exchange/csv_format.h"
#include "archive/exchange/import_review.h"
#include "archive/birth_entry_rules.h"
#include "archive/subject_registration.h"
#include "base/data_dir.h"
#include "base/errors.h"
#include "base/file_safety.h"
#include "base/text_file.h"
#include "settings/chart_settings.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv::exchange {
namespace exchange_test {

namespace fs = std::filesystem;

TEST(AafFormat, ZonesAsTheFormatWritesThem) {
    const struct {
        const char* text;
        std::optional<Extended> hours;
    } cases[] = {
        {"1he", 1},      {"5hw", -5},    {"0e21:48", 21 / 60.0L + 48 / 3600.0L}, {"3h30w", -3.5L},
        {"5w30:00", -5.5L}, {"0he", 0},  {"2HE", 2}, {"*", std::nullopt},         {"e", std::nullopt},
        {"1hx", std::nullopt}, {"99he", std::nullopt}, {"0e61:00", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto got = parseAafZone(c.text);
        ASSERT_EQ(got.has_value(), c.hours.has_value()) << c.text;
        if (got) {
            EXPECT_NEAR(static_cast<double>(*got), static_cast<double>(*c.hours), 1e-12) << c.text;
        }
    }
    for (const Extended hours : {1.0L, -5.0L, 0.0L, 30 / 60.0L + 44 / 3600.0L, -(3 + 45 / 60.0L)})
        EXPECT_NEAR(static_cast<double>(*parseAafZone(aafZoneText(hours))), static_cast<double>(hours), 1 / 3600.0) << aafZoneText(hours);
}

TEST(AafFormat, ReadsItsChunksAndSaysWhichLinesItCannot) {
    const ExchangeFile f = readAaf(
        "un'intestazione qualsiasi\r\n"
        "#A93:Rossi,Mario,m,01.02.1980,08:30,Milano,I\r\n"
        "#B93:2444270.8125,45n28,9e11,1he,0\r\n"
        "#ZNAM:MET\r\n"
        "#COM:primo\r\n"
        "#A93:*,Anna,f,22.07.1958,06:05:40,Buenos Aires,RA\r\n"
        "#B93:*,34s36:30,58w22,3hw,1\r\n"
        "#A93:Corto,Solo,m\r\n"
        "#A93:Data,Sbagliata,m,31-12-1990,10:00,Roma,I\r\n"
        "#B93:2448000.5,41n54,12e29,1he,0\r\n"
        "#XYZ:un pezzo sconosciuto\r\n");
    ASSERT_EQ(f.subjects.size(), 2u);
    const ExchangedSubject& rossi = f.subjects[0];
    EXPECT_EQ(rossi.name, "Rossi Mario");
    EXPECT_EQ(rossi.place, "Milano");
    EXPECT_EQ(rossi.country, "I");
    EXPECT_EQ(rossi.coordinates, "45N28-009E11");
    EXPECT_EQ(rossi.zoneEast, 1);
    EXPECT_NEAR(static_cast<double>(*rossi.julianDay), 2444270.8125, 1e-9);
    EXPECT_EQ(rossi.note, "primo");
    const ExchangedSubject& anna = f.subjects[1];
    EXPECT_EQ(anna.name, "Anna");
    EXPECT_EQ(anna.minute, 5) << "the seconds are passed over";
    EXPECT_EQ(anna.coordinates, "34S37-058W22") << "seconds round into the minutes";
    EXPECT_EQ(anna.zoneEast, -2) << "three hours west with summer time";
    EXPECT_FALSE(anna.julianDay);
    ASSERT_EQ(f.problems.size(), 3u);
    EXPECT_EQ(f.problems[0].line, 8);
    EXPECT_NE(f.problems[1].reason.find("data illeggibile"), std::string::npos);
    EXPECT_EQ(f.problems[2].reason, "riga #B93 senza la sua riga #A93");
}

TEST(ExchangeFormats, WhatIsWrittenReadsBackTheSame) {
    ExchangedSubject a;
    a.name = "D'ANGELO, MARIA";  // a comma in a name
    a.day = 3;
    a.month = 3;
    a.year = 1985;
    a.hour = 14;
    a.minute = 20;
    a.place = "FORLI' (FC)";
    a.country = "I";
    a.coordinates = "44N13-012E02";
    a.zoneEast = 1;
    a.julianDay = 2446128.05555556L;
    a.note = "Allergie: \"polline\"";
    ExchangedSubject b = a;
    b.name = "M\xDCLLER J\xDCRGEN";
    b.place = "M\xDCNCHEN";
    b.country = "D";
    b.coordinates = "48N08-011E35";
    b.zoneEast = std::nullopt;
    b.julianDay = std::nullopt;
    b.note.clear();
    const std::vector<ExchangedSubject> both{a, b};

    const ExchangeFile csv = readCsv(writeCsv(both));
    ASSERT_TRUE(csv.problems.empty());
    ASSERT_EQ(csv.subjects.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        ExchangedSubject got = csv.subjects[i];
        got.line = 0;
        EXPECT_EQ(got.name, both[i].name);
        EXPECT_EQ(got.place, both[i].place);
        EXPECT_EQ(got.note, both[i].note);
        EXPECT_EQ(got.coordinates, both[i].coordinates);
        EXPECT_EQ(got.zoneEast.has_value(), both[i].zoneEast.has_value());
    }
    EXPECT_NE(writeCsv(both).find("M\xC3\x9CLLER"), std::string::npos) << "the file is UTF-8";

    const ExchangeFile aaf = readAaf(writeAaf(both));
    ASSERT_EQ(aaf.subjects.size(), 2u);
    EXPECT_EQ(aaf.subjects[0].name, "D'ANGELO  MARIA") << "a comma would split the field";
    EXPECT_EQ(aaf.subjects[1].name, b.name);
    EXPECT_NEAR(static_cast<double>(*aaf.subjects[0].julianDay), static_cast<double>(*a.julianDay), 1e-6);
    EXPECT_EQ(aaf.subjects[0].zoneEast, 1);

    const ExchangeFile noHeader = readCsv("a,b,c\r\n1,2,3\r\n");
    ASSERT_EQ(noHeader.problems.size(), 1u);
    EXPECT_EQ(noHeader.problems[0].reason, "manca la colonna \"nome\" nella riga di intestazione");
}

class Import : public ::testing::Test {
protected:
    void SetUp() override {
        resetChartSettings();
        LoadActiveOrbs();
        createPersonalArchive();
    }
    void TearDown() override {
        setWriteFailureAfter(-1);
        resetChartSettings();
    }
    static ExchangeFile tenPersons() {
        return readAaf(readWholeFile(test::fixturesDir() / "exchange" / "dieci.aaf"));
    }
    test::TempDataDir dir{true};
};

// Ten persons written by hand from the format's description, with an
// unknown zone, foreign places and a birth in local mean time: each one's
// birth gives the Julian day its file gives, within the atlas's rounding.
TEST_F(Import, TenPersonsAreReviewedAgainstTheAtlasAndGiveTheFilesJulianDays) {
    const ExchangeFile file = tenPersons();
    ASSERT_EQ(file.subjects.size(), 10u);
    ASSERT_TRUE(file.problems.empty());
    const auto review = reviewImport(openAnyArchive("BASE"), file.subjects);
    for (const ReviewedSubject& r : review) {
        SCOPED_TRACE(r.from.name);
        ASSERT_EQ(r.status, ReviewStatus::Ready) << r.reason;
        const Extended jd = typedUniversalJulianDay(r.subject.gregorian,
                                                    {r.subject.day, r.subject.month, r.subject.year, r.subject.hour,
                                                     r.subject.minute},
                                                    r.subject.corr);
        EXPECT_LT(std::fabs(static_cast<double>(jd - *r.from.julianDay)) * 1440, 0.5);
    }
    EXPECT_EQ(review[2].subject.nation, "ARGENTINA");
    EXPECT_EQ(review[5].subject.corr, parseCorr("-0.51222").value()) << "local mean time kept as the file gives it";
    EXPECT_EQ(review[6].subject.corr, -2) << "an unknown zone comes from the regimes: summer time in 1990";
    ASSERT_EQ(review[6].notes.size(), 1u);

    std::string failure;
    std::vector<NewSubject> all;
    for (const ReviewedSubject& r : review) all.push_back(r.subject);
    EXPECT_EQ(registerSubjectsTogether("BASE", all, failure).size(), 10u);
    EXPECT_EQ(failure, "");
    // Imported again: each is already there, and nothing changes.
    for (const ReviewedSubject& r : reviewImport(openAnyArchive("BASE"), file.subjects))
        EXPECT_EQ(r.status, ReviewStatus::Duplicate) << r.from.name;
}

TEST_F(Import, WhatCannotBeTakenIsRefusedWithItsReason) {
    ExchangeFile f = readAaf(
        "#A93:Nessuno,Luogo,m,01.01.1990,10:00,Xyzzyville,I\r\n"
        "#A93:Fuori,Tempo,m,01.01.2090,10:00,Roma,I\r\n"
        "#A93:Solo,Coordinate,f,01.01.1990,10:00,Atlantide,*\r\n"
        "#B93:*,40n00,20w00,2hw,0\r\n"
        "#A93:Rossi,Mario,m,01.02.1980,08:30,Milano,I\r\n"
        "#A93:Rossi,Mario,m,01.02.1980,08:30,Milano,I\r\n");
    const auto review = reviewImport(openAnyArchive("BASE"), f.subjects);
    ASSERT_EQ(review.size(), 5u);
    EXPECT_EQ(review[0].status, ReviewStatus::Refused);
    EXPECT_NE(review[0].reason.find("non trovata nell'atlante"), std::string::npos) << review[0].reason;
    EXPECT_EQ(review[1].status, ReviewStatus::Refused);
    EXPECT_NE(review[1].reason.find("fuori dai limiti"), std::string::npos) << review[1].reason;
    EXPECT_EQ(review[2].status, ReviewStatus::Ready) << "coordinates and zone of the file stand";
    EXPECT_EQ(review[2].subject.coordinates, "40N00-020W00");
    EXPECT_EQ(review[3].status, ReviewStatus::Ready);
    EXPECT_EQ(review[4].status, ReviewStatus::Duplicate);
    EXPECT_EQ(review[4].reason, "ripetuto nel file (riga 5)");
}

// An import is one unit: on a full disk at any byte the archive is as it
// was, and the current subject is never the import's business.
TEST_F(Import, AnImportIsRegisteredWholeOrNotAtAll) {
    const auto review = reviewImport(openAnyArchive("BASE"), tenPersons().subjects);
    std::vector<NewSubject> all;
    for (const ReviewedSubject& r : review) all.push_back(r.subject);
    const std::string before = readWholeFile(dataDir().resolve("BASE.ST1")) + readWholeFile(dataDir().resolve("BASE.ST2"));
    int failures = 0;
    for (std::int64_t limit = 0;; limit += 997) {
        ASSERT_LT(limit, 100000);
        setWriteFailureAfter(limit);
        std::string failure;
        try {
            registerSubjectsTogether("BASE", all, failure);
        } catch (const IoError& e) {
            setWriteFailureAfter(-1);
            ++failures;
            EXPECT_EQ(readWholeFile(dataDir().resolve("BASE.ST1")) + readWholeFile(dataDir().resolve("BASE.ST2")), before)
                << "limit " << limit;
            continue;
        }
        setWriteFailureAfter(-1);
        break;
    }
    EXPECT_GT(failures, 2);
    EXPECT_EQ(openAnyArchive("BASE").subjectCount(), 10);
    EXPECT_FALSE(currentSubjectExists());
}

} // namespace exchange_test
} // namespace qv::exchange
