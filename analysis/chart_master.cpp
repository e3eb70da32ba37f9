#include "analysis/chart_master.h"

#include "analysis/chart_codes.h"
#include "analysis/substance.h"
#include "settings/chart_settings.h"
#include "base/data_dir.h"
#include "base/text_file.h"
#include "base/errors.h"
#include "ephemeris/angles.h"
#include "ephemeris/bodies.h"
#include "ephemeris/houses.h"
#include "ephemeris/julian_day.h"
#include "ephemeris/text_forms.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

// Value of a planet (columns Sole … Plutone) in a sign (rows).
constexpr int kSignValue[13][11] = {
    {},
    {0, 8, 0, 2, -2, 11, 5, -2, 3, 0, -1},    // Ariete
    {0, 0, 9, 3, 10, -3, 2, 6, -2, 3, 2},     // Toro
    {0, 1, 0, 8, 2, 3, 1, 5, 5, 5, -1},       // Gemelli
    {0, 0, 9, 3, 6, 1, 8, -3, 6, 5, 1},       // Cancro
    {0, 8, 0, 2, 2, 3, 6, 0, -5, 10, 5},      // Leone
    {0, 1, 3, 13, 2, 2, -3, 5, 8, -5, 1},     // Vergine
    {0, -4, 1, 5, 8, -3, 6, 10, 6, 3, 8},     // Bilancia
    {0, 1, -1, 2, 1, 10, 2, 2, 9, 6, 1},      // Scorpione
    {0, 3, 1, -1, 2, 5, 10, 3, 3, 6, 8},      // Sagittario
    {0, 1, -2, 2, 5, 7, 1, 10, 6, 3, 1},      // Capricorno
    {0, -5, 1, 6, 3, 2, 5, 10, 9, -2, 3},     // Acquario
    {0, 0, 3, -3, 9, 6, 9, 2, 6, 8, 1},       // Pesci
};

// The traditional ranges of the seven planets (bounds excluded).
constexpr double kRanges[8][4][2] = {
    {},
    {{0, 12.8572}, {90, 102.8572}, {180, 192.8572}, {270, 282.8572}},
    {{12.8572, 25.7144}, {102.8572, 115.7144}, {192.8572, 205.7144}, {282.8572, 295.7144}},
    {{38.5717, 51.4289}, {128.5717, 141.4289}, {218.5717, 231.4289}, {308.5717, 321.4289}},
    {{64.2864, 77.1433}, {154.2864, 167.1433}, {244.2864, 257.1433}, {334.2864, 347.1433}},
    {{25.7147, 38.5717}, {115.7147, 128.5717}, {205.7147, 218.5717}, {295.7147, 308.5717}},
    {{51.4292, 64.2861}, {141.4292, 154.2861}, {231.4292, 244.2861}, {321.4292, 334.2861}},
    {{77.1436, 90}, {167.1436, 180}, {257.1436, 270}, {347.1436, 360}},
};
constexpr int kTraditionalIncrement = 5;

// Parts of each house and the offset of its values in the value list.
constexpr int kHouseParts[13] = {0, 4, 5, 6, 3, 5, 5, 4, 5, 3, 3, 3, 6};
constexpr int kHouseOffset[13] = {0, 0, 2, 9, 15, 18, 23, 28, 32, 37, 40, 43, 46};
constexpr int kHouseValues[54] = {0,  // 1-based; entry 53 is 0
    11, 10, 9, 8, 7, 6, 4, 2, 2, 2, 2, 2, 4, 6, 8, 10, 9, 8, 7, 6, 4, 3, 2, 2, 2, 2,
    4, 7, 10, 10, 9, 8, 7, 6, 4, 2, 4, 5, 6, 8, 10, 9, 8, 8, 7, 6, 4, 3, 2, 4, 6, 8, 0};

// Affinity of a planet (rows) with a house (columns).
constexpr int kHouseAffinity[11][13] = {
    {},
    {0, 4, 0, 0, 0, 4, 0, -3, 0, 0, 0, -2, 0},
    {0, 0, 4, 0, 4, 0, 0, 0, -1, 0, -3, 0, 0},
    {0, 0, 0, 2, 0, 0, 3, 0, 0, -1, 0, 0, -2},
    {0, -1, 3, 0, 0, 0, -1, 2, -1, 0, 0, 0, 2},
    {0, 4, -1, 0, -1, 1, 0, -1, 2, 0, 3, 0, 0},
    {0, 0, 0, -1, 2, 0, -1, 0, 0, 2, 0, 0, 2},
    {0, -1, 0, 0, -2, -1, 0, 1, 0, 0, 3, 2, 0},
    {0, 0, -1, 0, 0, -2, 1, 0, 2, 0, 0, 2, 0},
    {0, 0, 0, 0, 0, 2, -1, 0, 0, 0, 0, -1, 2},
    {0, -1, 1, -1, 0, 0, 0, 2, 0, 2, 0, 0, 0},
};

// Affinity of planet and sign by sex: +3 in the masculine (odd) signs for
// the masculine planets, the reverse for the feminine ones; Mercurio none;
// Saturno +3 in Capricorno and Acquario only.
int sexAffinity(int planet, int sign) {
    const int masculine = sign % 2 == 1 ? 3 : -3;
    switch (planet) {
    case 1: case 5: case 6: case 8: case 10: return masculine;
    case 2: case 4: case 9: return -masculine;
    case 7: return sign == 10 || sign == 11 ? 3 : 0;
    default: return 0;
    }
}

// Speed thresholds (degrees per day): direct slow below, direct fast above,
// retrograde slow below, retrograde fast above.
constexpr double kSpeed[11][4] = {
    {},
    {0.966, 1, 0, 0},
    {12.5, 14, 0, 0},
    {0.8333, 1.6667, 0.4167, 0.8334},
    {0.6, 1, 0.3, 0.5},
    {0.3333, 0.6167, 0.1667, 0.3084},
    {0.0833, 0.1667, 0.0417, 0.0834},
    {0.05, 0.0917, 0.025, 0.0419},
    {0.025, 0.05, 0.0125, 0.025},
    {0.0139, 0.0278, 0.007, 0.0139},
    {0.0083, 0.0194, 0.0042, 0.0097},
};

constexpr const char* kColumnLine = "SOL  LUN  MER  VEN  MAR  GIO  SAT  URA  NET  PLU  ASC   MC";

int speedValue(int planet, double s) {
    const double* t = kSpeed[planet];
    if (s >= 0) return s < t[0] ? 1 : s > t[1] ? 5 : 3;
    const double a = -s;
    return a < t[2] ? -1 : a > t[3] ? -5 : -3;
}

// The first house whose arc holds the longitude (computed in doubles).
int firstHouseOf(double lambda, const std::array<double, 14>& cusp) {
    for (int h = 1; h <= 12; ++h) {
        double a = cusp[static_cast<std::size_t>(h + 1)] - cusp[static_cast<std::size_t>(h)];
        double d = lambda - cusp[static_cast<std::size_t>(h)];
        if (a < 0) a += 360;
        if (d < 0) d += 360;
        if (d <= a) return h;
    }
    // Only when every cusp is the same point.
    return 1;
}

int houseValue(Extended lambda, int h, const std::array<Extended, 13>& cusp) {
    const Extended next = h == 12 ? cusp[1] : cusp[static_cast<std::size_t>(h + 1)];
    Extended arc = next - cusp[static_cast<std::size_t>(h)];
    if (arc < 0) arc += 360.0L;
    const Extended step = arc / kHouseParts[h];
    Extended c = Round(lambda - cusp[static_cast<std::size_t>(h)]);
    if (c < 0) c += 360.0L;
    int k = 1;
    Extended m = step;
    // The rounded distance may pass the house's end by half a degree: the
    // part after the last is the next entry of the list (entry 53 is 0).
    while (c > m && k <= kHouseParts[h]) {
        m += step;
        ++k;
    }
    return kHouseValues[kHouseOffset[h] + k];
}

std::string valueText(int v) { return std::to_string(v).substr(0, 5); }


// The working files the windows read after a scoring; a read-only data
// directory is scored all the same, in memory.
void writeLines(const char* path, const std::vector<std::string>& lines) {
    if (dataDir().readOnly()) return;
    writeTextLines(dataDir().prepareForWrite(path), lines, path);
}

} // namespace

const std::array<const char*, 11> kMasterPlanetNames = {
    "",          "SOLE     ", "LUNA     ", "MERCURIO ", "VENERE   ", "MARTE    ",
    "GIOVE    ", "SATURNO  ", "URANO    ", "NETTUNO  ", "PLUTONE  "};

CarrierBirth writeCarrierFile(const std::string& name, const std::string& moment, const std::string& place,
                              const ChartState& chart) {
    std::vector<std::string> lines;
    std::string momentWithComma = moment;
    std::replace(momentWithComma.begin(), momentWithComma.end(), '.', ',');
    lines.push_back(name);
    lines.push_back(momentWithComma);
    lines.push_back(place);
    lines.push_back(chart.houseSystem);
    lines.push_back(settingRealText(chart.jd));
    for (int i = 1; i <= 22; ++i) lines.push_back(settingRealText(chart.longitude[static_cast<std::size_t>(i)]));
    for (int i = 1; i <= 12; ++i) lines.push_back(settingRealText(chart.cusp[static_cast<std::size_t>(i)]));
    lines.push_back("LATITUDINI");
    for (int i = 1; i <= 12; ++i) lines.push_back(settingRealText(chart.latitude[static_cast<std::size_t>(i)]));
    lines.push_back("RETROGRADI");
    for (int i = 1; i <= 22; ++i) {
        const char mark = chart.retroMark[static_cast<std::size_t>(i)];
        lines.push_back(std::string(1, mark == 'r' ? 'r' : ' '));
    }
    for (int i = 13; i <= 22; ++i) lines.push_back(settingRealText(chart.latitude[static_cast<std::size_t>(i)]));
    writeLines(kCarrierPath, lines);
    return decodeCarrier(lines);
}

CarrierBirth decodeCarrier(const std::vector<std::string>& lines) {
    if (lines.size() < 5)
        throw IoError(kCarrierPath, "il file ha " + std::to_string(lines.size()) + " righe invece di almeno 5");
    CarrierBirth b;
    b.name = lines[0];
    const std::string& moment = lines[1];
    if (!readMomentDigits(moment, b))
        throw ConversionError("Dato di nascita non valido nel file DatiNasc.Tmp: \"" + moment + "\"");
    b.corrText = moment.size() > 12 ? moment.substr(12, 6) : std::string();
    while (!b.corrText.empty() && b.corrText.back() == ' ') b.corrText.pop_back();
    // Corr is written with a decimal comma: read with "." only, -1,5 would
    // be no number (or -1); either separator is taken.
    const auto corr = parseCorr(b.corrText);
    if (!corr) throw ConversionError("Correzione Totale non valida nel file DatiNasc.Tmp: \"" + moment + "\"");
    b.corr = *corr;
    b.zoneText = b.corrText;
    if (!b.zoneText.empty() && b.zoneText[0] == '-')
        b.zoneText[0] = '+';
    else if (!b.zoneText.empty() && b.zoneText[0] == '+')
        b.zoneText[0] = '-';

    const std::string& place = lines[2];
    if (place.size() < 12) throw ConversionError("Coordinate non valide nel file DatiNasc.Tmp: \"" + place + "\"");
    if (!readCoordinates(place.substr(0, 12), b))
        throw ConversionError("Dato di nascita non valido nel file DatiNasc.Tmp: \"" + place + "\"");
    b.place = place.size() > 12 ? place.substr(12, 27) : std::string();
    while (!b.place.empty() && b.place.back() == ' ') b.place.pop_back();

    b.gregorian = moment.substr(0, 8) > "15821015";
    b.title = "Nascita a " + b.place + " il " + moment.substr(6, 2) + "/" + moment.substr(4, 2) + "/" +
              moment.substr(0, 4) + " " + moment.substr(8, 2) + ":" + moment.substr(10, 2) + "  GMT" + b.zoneText;
    return b;
}

double degreesPerDay(Extended before, Extended after) {
    double delta = static_cast<double>(after - before);
    if (delta > 180) delta -= 360;
    if (delta < -180) delta += 360;
    return 12 * delta;
}

std::array<int, 4> elementBalance(const std::array<int, 13>& values, const std::array<int, 13>& sign) {
    std::array<Extended, 13> sum{};
    for (int i = 1; i <= 12; ++i) sum[static_cast<std::size_t>(sign[static_cast<std::size_t>(i)])] += values[static_cast<std::size_t>(i)];
    Extended m = 0;
    for (int s = 1; s <= 12; ++s) m = std::max(m, sum[static_cast<std::size_t>(s)]);
    for (int s = 1; s <= 12; ++s) {
        Extended& x = sum[static_cast<std::size_t>(s)];
        x = m > 0 ? x / m * 50.0L : 0;
        if (!(x > 0)) x = 1;
    }
    auto three = [&](int a, int b, int c) {
        return static_cast<int>(Round(sum[static_cast<std::size_t>(a)] + sum[static_cast<std::size_t>(b)] +
                                      sum[static_cast<std::size_t>(c)]));
    };
    return {three(1, 5, 9), three(2, 6, 10), three(3, 7, 11), three(4, 8, 12)};
}

ChartMasterScores scoreOf(const std::array<Extended, 13>& rawLongitude, const std::array<double, 11>& speed,
                          const std::array<Extended, 13>& rawCusp) {
    // Every sign and house below indexes a table: the points are taken
    // within one turn first, whatever the ephemeris left.
    std::array<Extended, 13> longitude{}, cusp{};
    for (std::size_t i = 1; i <= 12; ++i) {
        longitude[i] = oneTurn(rawLongitude[i]);
        cusp[i] = oneTurn(rawCusp[i]);
    }
    ChartMasterScores r;
    r.longitude = longitude;
    r.speed = speed;
    for (int i = 1; i <= 12; ++i) r.sign[static_cast<std::size_t>(i)] = zodiacSignOf(longitude[static_cast<std::size_t>(i)]);
    std::array<double, 14> c{};
    for (int h = 1; h <= 12; ++h) c[static_cast<std::size_t>(h)] = static_cast<double>(cusp[static_cast<std::size_t>(h)]);
    c[13] = c[1];
    for (int i = 1; i <= 12; ++i) r.house[static_cast<std::size_t>(i)] = firstHouseOf(static_cast<double>(longitude[static_cast<std::size_t>(i)]), c);
    const int a = zodiacSignOf(cusp[1]);
    r.ascendantSign = a;

    auto section = [&](const char* header, auto valueOf, bool writeTotals) {
        MasterSection s;
        s.header = header;
        for (int p = 1; p <= 10; ++p) {
            const int v = valueOf(p);
            r.total[static_cast<std::size_t>(p)] += v;
            s.value[static_cast<std::size_t>(p)] = writeTotals ? r.total[static_cast<std::size_t>(p)] : v;
        }
        r.sections.push_back(s);
    };
    const bool lastDegrees = 30.0L - Norm30(cusp[1]) < 3.0L;
    const int nextSign = a % 12 + 1;
    section("AFFINITA' CON SEGNO ASCEND ",
            [&](int p) { return kSignValue[a][p] + (lastDegrees ? kSignValue[nextSign][p] : 0); }, true);
    section("VALORE PIANETI NEI SEGNI", [&](int p) { return kSignValue[r.sign[static_cast<std::size_t>(p)]][p]; }, false);
    section("MAGGIORAZ PIAN TRADIZION ", [&](int p) {
        if (p > 7) return 0;
        const double l = static_cast<double>(longitude[static_cast<std::size_t>(p)]);
        for (const auto& range : kRanges[p])
            if (range[0] < l && l < range[1]) return kTraditionalIncrement;
        return 0;
    }, false);
    section("VALORE PIANETI NELLE CASE",
            [&](int p) { return houseValue(longitude[static_cast<std::size_t>(p)], r.house[static_cast<std::size_t>(p)], cusp); }, false);
    section("AFFINITA' PIANETA CON CASA", [&](int p) { return kHouseAffinity[p][r.house[static_cast<std::size_t>(p)]]; }, false);
    section("AFFIN SESSO PIANETA/SEGNO", [&](int p) { return sexAffinity(p, r.sign[static_cast<std::size_t>(p)]); }, false);
    section("VALORE PER VELOC PIANETA", [&](int p) { return speedValue(p, speed[static_cast<std::size_t>(p)]); }, false);
    MasterSection totals;
    totals.header = "TOTALE";
    totals.value = r.total;
    r.sections.push_back(totals);

    std::array<int, 13> x{};
    for (int p = 1; p <= 10; ++p) x[static_cast<std::size_t>(p)] = r.total[static_cast<std::size_t>(p)];
    r.elementsOfTen = elementBalance(x, r.sign);
    for (int p = 8; p <= 10; ++p) x[static_cast<std::size_t>(p)] = 0;
    r.elementsOfSeven = elementBalance(x, r.sign);
    return r;
}

ChartMasterScores scoreChartMaster(const CarrierBirth& carrier, const ChartState& settings) {
    const BirthData& b = carrier;
    ChartState work = settings;
    const Extended jd = universalJulianDay(b);
    work.jd = jd;
    computeBodiesOnce(work, 0, jd, false);
    for (int i = 1; i <= 12; ++i) work.longitude[static_cast<std::size_t>(i)] = std::fabs(work.longitude[static_cast<std::size_t>(i)]);
    computeHouses(work, houseInputOf(b, jd));

    std::array<Extended, 13> lambda{};
    for (int i = 1; i <= 10; ++i) lambda[static_cast<std::size_t>(i)] = work.longitude[static_cast<std::size_t>(i)];
    lambda[11] = work.cusp[1];
    lambda[12] = work.cusp[10];
    std::array<Extended, 13> cusp{};
    for (int h = 1; h <= 12; ++h) cusp[static_cast<std::size_t>(h)] = work.cusp[static_cast<std::size_t>(h)];

    // Two hours later, for the speeds.
    computeBodiesOnce(work, 0, jd + 0.08333333L, false);
    std::array<double, 11> speed{};
    for (int i = 1; i <= 10; ++i)
        speed[static_cast<std::size_t>(i)] =
            degreesPerDay(lambda[static_cast<std::size_t>(i)], std::fabs(work.longitude[static_cast<std::size_t>(i)]));

    ChartMasterScores r = scoreOf(lambda, speed, cusp);
    r.birth = carrier;

    std::vector<std::string> report = {"*MaitrePendrake*", carrier.name, carrier.name, carrier.title,
                                       std::string(kColumnLine).substr(0, 48)};
    for (const MasterSection& s : r.sections) {
        report.push_back(s.header);
        for (int p = 1; p <= 10; ++p) report.push_back(valueText(s.value[static_cast<std::size_t>(p)]));
    }
    std::vector<std::string> totals;
    for (int p = 1; p <= 10; ++p) totals.push_back(valueText(r.total[static_cast<std::size_t>(p)]));
    for (int e : r.elementsOfTen) {
        report.push_back(ZeroPad(e, 3));
        totals.push_back(ZeroPad(e, 3));
    }
    for (int e : r.elementsOfSeven) totals.push_back(ZeroPad(e, 3));
    std::vector<std::string> houseValues;
    for (int p = 1; p <= 10; ++p) houseValues.push_back(valueText(r.sections[3].value[static_cast<std::size_t>(p)]));
    writeLines(kMasterReportPath, report);
    writeLines(kHouseValuesPath, houseValues);
    writeLines(kMasterTotalsPath, totals);
    return r;
}

ChartMasterDisplay displayOf(const std::array<Extended, 11>& totals) {
    ChartMasterDisplay d;
    Extended m = 0;
    Extended largest = 0;
    for (int p = 1; p <= 10; ++p) {
        const Extended t = totals[static_cast<std::size_t>(p)];
        if (t > m) {
            m = t;
            d.master = p;
        }
        largest = std::max(largest, std::fabs(t));
    }
    // The bars are scaled to the highest total; where no total is positive,
    // to the largest in size (and all are short where all are 0).
    const Extended scale = m > 0 ? m : largest;
    for (int p = 1; p <= 10; ++p) {
        const Extended t = totals[static_cast<std::size_t>(p)];
        MasterBar& bar = d.bars[static_cast<std::size_t>(p)];
        bar.label = DecimalText15(t).substr(0, 4);
        Extended length = scale > 0 ? t / (scale / 30.0L) : 0;
        if (std::fabs(length) < 3) length = 3;
        bar.length = static_cast<long>(std::fabs(Round(length)));
        bar.negative = !bar.label.empty() && bar.label[0] == '-';
    }
    return d;
}

ChartMasterDisplay chartMasterDisplay(const ChartState& natal, const ChartMasterScores& scores) {
    std::array<Extended, 11> totals{};
    for (int p = 1; p <= 10; ++p) totals[static_cast<std::size_t>(p)] = scores.total[static_cast<std::size_t>(p)];
    const ChartMasterDisplay d = displayOf(totals);
    writeLines(kMasterSummaryPath, {kSignUpperNames[static_cast<std::size_t>(zodiacSignOf(natal.longitude[kSun]))],
                                    kSignUpperNames[static_cast<std::size_t>(zodiacSignOf(natal.cusp[1]))],
                                    d.master == 0 ? std::string() : kMasterPlanetNames[static_cast<std::size_t>(d.master)]});
    return d;
}

} // namespace qv
