#include "archive/exchange/exchanged_subject.h"

#include "archive/subject_operations.h"
#include "base/cp1252.h"
#include "ephemeris/chart_steps.h"

#include <cmath>
#include <utility>

namespace qv::exchange {

namespace {

// International vehicle codes and the names files give countries by, to the
// atlas's Italian names. Italy first: its places are in a table of their own.
const std::pair<const char*, const char*> kCountries[] = {
    {"I", "ITALIA"},          {"ITALY", "ITALIA"},        {"ITALIEN", "ITALIA"},      {"ITALIE", "ITALIA"},
    {"A", "AUSTRIA"},         {"AUSTRIA", "AUSTRIA"},     {"\xD6STERREICH", "AUSTRIA"}, {"OESTERREICH", "AUSTRIA"},
    {"AL", "ALBANIA"},        {"AND", "ANDORRA"},         {"ARM", "ARMENIA"},         {"AUS", "AUSTRALIA"},
    {"B", "BELGIO"},          {"BELGIUM", "BELGIO"},      {"BELGIEN", "BELGIO"},      {"BELGIQUE", "BELGIO"},
    {"BG", "BULGARIA"},       {"BIH", "BOSNIA ED ERZEGOVINA"}, {"BOL", "BOLIVIA"},    {"BR", "BRASILE"},
    {"BRAZIL", "BRASILE"},    {"BY", "BIELORUSSIA"},      {"CDN", "CANADA"},          {"CANADA", "CANADA"},
    {"CH", "SVIZZERA"},       {"SWITZERLAND", "SVIZZERA"}, {"SCHWEIZ", "SVIZZERA"},   {"SUISSE", "SVIZZERA"},
    {"CO", "COLOMBIA"},       {"CR", "COSTA RICA"},       {"C", "CUBA"},              {"CY", "CIPRO"},
    {"CZ", "CECHIA"},         {"D", "GERMANIA"},          {"GERMANY", "GERMANIA"},    {"DEUTSCHLAND", "GERMANIA"},
    {"ALLEMAGNE", "GERMANIA"}, {"DK", "DANIMARCA"},       {"DENMARK", "DANIMARCA"},   {"DZ", "ALGERIA"},
    {"E", "SPAGNA"},          {"SPAIN", "SPAGNA"},        {"ESPA\xD1" "A", "SPAGNA"}, {"SPANIEN", "SPAGNA"},
    {"EAK", "KENYA"},         {"EC", "ECUADOR"},          {"ET", "EGITTO"},           {"EGYPT", "EGITTO"},
    {"EST", "ESTONIA"},       {"F", "FRANCIA"},           {"FRANCE", "FRANCIA"},      {"FRANKREICH", "FRANCIA"},
    {"FIN", "FINLANDIA"},     {"FINLAND", "FINLANDIA"},   {"FL", "LIECHTENSTEIN"},    {"GB", "REGNO UNITO"},
    {"UK", "REGNO UNITO"},    {"UNITED KINGDOM", "REGNO UNITO"}, {"ENGLAND", "REGNO UNITO"}, {"SCOTLAND", "REGNO UNITO"},
    {"WALES", "REGNO UNITO"}, {"GBZ", "GIBILTERRA"},      {"GR", "GRECIA"},           {"GREECE", "GRECIA"},
    {"H", "UNGHERIA"},        {"HUNGARY", "UNGHERIA"},    {"HR", "CROAZIA"},          {"IL", "ISRAELE"},
    {"IND", "INDIA"},         {"INDIA", "INDIA"},         {"IR", "IRAN"},             {"IRL", "IRLANDA"},
    {"IRELAND", "IRLANDA"},   {"IRQ", "IRAQ"},            {"IS", "ISLANDA"},          {"J", "GIAPPONE"},
    {"JAPAN", "GIAPPONE"},    {"JA", "GIAMAICA"},         {"L", "LUSSEMBURGO"},       {"LT", "LITUANIA"},
    {"LV", "LETTONIA"},       {"M", "MALTA"},             {"MA", "MAROCCO"},          {"MC", "MONACO"},
    {"MD", "MOLDAVIA"},       {"MEX", "MESSICO"},         {"MEXICO", "MESSICO"},      {"MK", "MACEDONIA DEL NORD"},
    {"MNE", "MONTENEGRO"},    {"N", "NORVEGIA"},          {"NORWAY", "NORVEGIA"},     {"NL", "PAESI BASSI"},
    {"NETHERLANDS", "PAESI BASSI"}, {"HOLLAND", "PAESI BASSI"}, {"NIEDERLANDE", "PAESI BASSI"}, {"NZ", "NUOVA ZELANDA"},
    {"P", "PORTOGALLO"},      {"PORTUGAL", "PORTOGALLO"}, {"PE", "PERU'"},            {"PK", "PAKISTAN"},
    {"PL", "POLONIA"},        {"POLAND", "POLONIA"},      {"PY", "PARAGUAY"},         {"RA", "ARGENTINA"},
    {"ARGENTINA", "ARGENTINA"}, {"RCH", "CILE"},          {"CHILE", "CILE"},          {"RC", "TAIWAN"},
    {"RI", "INDONESIA"},      {"RL", "LIBANO"},           {"RO", "ROMANIA"},          {"RSM", "SAN MARINO"},
    {"RUS", "RUSSIA"},        {"RUSSIA", "RUSSIA"},       {"S", "SVEZIA"},            {"SWEDEN", "SVEZIA"},
    {"SCHWEDEN", "SVEZIA"},   {"SK", "SLOVACCHIA"},       {"SLO", "SLOVENIA"},        {"SRB", "SERBIA"},
    {"SYR", "SIRIA"},         {"TN", "TUNISIA"},          {"TR", "TURCHIA"},          {"TURKEY", "TURCHIA"},
    {"UA", "UCRAINA"},        {"USA", "STATI UNITI"},     {"UNITED STATES", "STATI UNITI"}, {"ROU", "URUGUAY"},
    {"V", "CITTA' DEL VATICANO"}, {"VN", "VIETNAM"},      {"YV", "VENEZUELA"},        {"ZA", "SUDAFRICA"},
    {"CN", "CINA"},           {"CHINA", "CINA"},          {"ROK", "COREA DEL SUD"},   {"T", "THAILANDIA"},
};

std::string trimmedUpper(const std::string& text) {
    std::string s = upperCase1252(text);
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

} // namespace

std::string atlasStateOf(const std::string& country) {
    const std::string wanted = trimmedUpper(country);
    if (wanted.empty()) return {};
    for (const auto& [written, state] : kCountries)
        if (wanted == written || wanted == state) return state;
    return {};
}

std::string vehicleCodeOf(const std::string& state) {
    const std::string wanted = trimmedUpper(state);
    for (const auto& [written, name] : kCountries)
        if (wanted == name) return written;  // the code comes first for each country
    return wanted;
}

std::vector<ExchangedSubject> subjectsOfArchive(const Archive& archive) {
    std::vector<ExchangedSubject> out;
    for (int k = 1; k <= archive.subjectCount(); ++k) {
        const StoredSubject s = readStoredSubject(archive, k);
        const DecodedBirth b = decodeBirth(s.record);
        ExchangedSubject e;
        e.name = trimRight(s.entry.name());
        e.day = b.day;
        e.month = b.month;
        e.year = b.year;
        e.hour = b.hour;
        e.minute = b.minute;
        e.place = trimRight(placeShown(b.placeAsStored));
        const std::string nation = trimmedUpper(b.nation);
        e.country = nation.empty() || nation == "ITALIA" ? "I" : vehicleCodeOf(nation);
        e.coordinates = b.coordinates;
        e.zoneEast = -b.corr;
        e.julianDay = universalJulianDay(b);
        // The first annotation line travels as the file's comment.
        if (s.annotationNumber != 0 && s.annotation) e.note = trimSpaces(s.annotation->lines[0]);
        e.line = k;
        out.push_back(std::move(e));
    }
    return out;
}

} // namespace qv::exchange
