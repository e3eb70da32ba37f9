#include "archive/archive_records.h"

#include "base/decimal_text.h"
#include "base/cp1252.h"
#include "base/errors.h"
#include "base/text_field.h"

#include <charconv>
#include <cmath>

namespace qv {

namespace {

// Offsets and widths of the birth record's text fields, in file order.
struct Field {
    std::size_t offset;
    std::size_t width;
};
constexpr Field kMoment{0, 20}, kPlace{21, 39}, kCalendar{61, 2}, kNation{64, 20},
    kPlanets{85, 72}, kCusps{158, 60}, kAspects{219, 124}, kReserved1{344, 21},
    kReserved2{366, 12}, kAnnotationNumber{379, 5};

std::string digits(long long n, std::size_t width) {
    std::string s = std::to_string(n < 0 ? -n : n);
    while (s.size() < width) s.insert(s.begin(), '0');
    return n < 0 ? "-" + s : s;
}

std::string part(const std::string& text, std::size_t from, std::size_t count) {
    return from < text.size() ? text.substr(from, count) : std::string();
}

} // namespace

const char* const kIndexHeaderText = "0 Registro vuoto......................00000";

std::string IndexEntry::name() const { return text.substr(0, kNameWidth); }

std::optional<int> IndexEntry::recordNumber() const {
    if (text.size() < 5) return std::nullopt;
    const std::string last = text.substr(text.size() - 5);
    for (char c : last)
        if (c < '0' || c > '9') return std::nullopt;
    return std::stoi(last);
}

std::string subjectKey(const std::string& name, int birthNumber) {
    return (padRight(upperCase1252(name), kNameWidth).substr(0, kNameWidth) + digits(birthNumber, 5)).substr(0, kKeyWidth);
}

Bytes encodeIndexEntry(const IndexEntry& entry) {
    Bytes b(kIndexRecordSize, 0);
    writeTextField(b, 0, kKeyWidth, entry.text);
    return b;
}

IndexEntry decodeIndexEntry(std::span<const std::uint8_t> record) { return {readTextField(record, 0, kKeyWidth)}; }

Bytes encodeBirthRecord(const BirthRecord& r) {
    Bytes b(kBirthRecordSize, 0);
    const std::pair<Field, const std::string*> fields[] = {
        {kMoment, &r.moment},       {kPlace, &r.place},         {kCalendar, &r.calendar},
        {kNation, &r.nation},       {kPlanets, &r.planetSummary}, {kCusps, &r.cuspSummary},
        {kAspects, &r.aspectSummary}, {kReserved1, &r.reserved1}, {kReserved2, &r.reserved2},
        {kAnnotationNumber, &r.annotationNumber}};
    for (const auto& [f, value] : fields) writeTextField(b, f.offset, f.width, *value);
    return b;
}

BirthRecord decodeBirthRecord(std::span<const std::uint8_t> b) {
    BirthRecord r;
    r.moment = readTextField(b, kMoment.offset, kMoment.width);
    r.place = readTextField(b, kPlace.offset, kPlace.width);
    r.calendar = readTextField(b, kCalendar.offset, kCalendar.width);
    r.nation = readTextField(b, kNation.offset, kNation.width);
    r.planetSummary = readTextField(b, kPlanets.offset, kPlanets.width);
    r.cuspSummary = readTextField(b, kCusps.offset, kCusps.width);
    r.aspectSummary = readTextField(b, kAspects.offset, kAspects.width);
    r.reserved1 = readTextField(b, kReserved1.offset, kReserved1.width);
    r.reserved2 = readTextField(b, kReserved2.offset, kReserved2.width);
    r.annotationNumber = readTextField(b, kAnnotationNumber.offset, kAnnotationNumber.width);
    return r;
}

std::string AnnotationRecord::textNumber() const {
    std::string number;
    for (char c : part(lines[3], 64, 5))
        if (c != ' ') number += c;
    return number;
}

Bytes encodeAnnotationRecord(const AnnotationRecord& r) {
    Bytes b(kAnnotationRecordSize, 0);
    for (std::size_t i = 0; i < 4; ++i) writeTextField(b, i * (kAnnotationLineWidth + 1), kAnnotationLineWidth, r.lines[i]);
    return b;
}

AnnotationRecord decodeAnnotationRecord(std::span<const std::uint8_t> b) {
    AnnotationRecord r;
    for (std::size_t i = 0; i < 4; ++i) r.lines[i] = readTextField(b, i * (kAnnotationLineWidth + 1), kAnnotationLineWidth);
    return r;
}

AnnotationRecord annotationFromFields(const std::array<std::string, 4>& fields, const std::string& textNumber) {
    AnnotationRecord r;
    for (std::size_t i = 0; i < 3; ++i) r.lines[i] = fields[i].substr(0, kAnnotationLineWidth);
    r.lines[3] = padRight(fields[3], kAnnotationLineWidth).substr(0, 64) + textNumber;
    return r;
}

IndexEntry headerIndexEntry() { return {kIndexHeaderText}; }

BirthRecord headerBirthRecord() {
    BirthRecord r;
    for (std::string* f : {&r.moment, &r.place, &r.calendar, &r.nation, &r.planetSummary, &r.cuspSummary,
                           &r.aspectSummary, &r.reserved1, &r.reserved2})
        *f = " ";
    r.annotationNumber = "     ";
    return r;
}

AnnotationRecord headerAnnotationRecord() {
    auto centred = [](int before, const std::string& words, int after) {
        return std::string(static_cast<std::size_t>(before), ' ') + words + std::string(static_cast<std::size_t>(after), ' ');
    };
    AnnotationRecord r;
    r.lines[0] = centred(3, "LO SPAZIO DELIMITATO DA QUESTA CORNICE E'DESTINATO A RICEVERE", 6);
    r.lines[1] = centred(2, "EVENTUALI ANNOTAZIONI SCRITTE DAGLI UTENTI. LE ANNOTAZIONI DEVONO", 3);
    r.lines[2] = centred(6, "RIFERIRSI A QUESTO SPECIFICO TEMA (O A QUESTA PERSONA).", 9);
    r.lines[3] = centred(11, "QUESTO TEMA NON CONTIENE PER ORA ANNOTAZIONI.", 14);
    return r;
}

std::string placeShown(const std::string& stored) {
    std::string out;
    bool firstStar = true;
    for (char c : stored) {
        if (c == '*') {
            c = firstStar ? '(' : ')';
            firstStar = false;
        }
        if (c == ' ' && !out.empty() && out.back() == ' ') continue;
        out += c;
    }
    return out;
}

std::string placeStored(const std::string& typed) {
    std::string s = upperCase1252(typed);
    for (char& c : s)
        if (c == '(' || c == ')') c = '*';
    return s;
}

std::string trimSpaces(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string trimRight(const std::string& text) {
    const auto last = text.find_last_not_of(' ');
    return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

std::string padRight(const std::string& text, std::size_t width, char fill) {
    return text.size() >= width ? text : text + std::string(width - text.size(), fill);
}

std::string momentDigits(int day, int month, int year, int hour, int minute) {
    return digits(year, 4) + digits(month, 2) + digits(day, 2) + digits(hour, 2) + digits(minute, 2);
}

DecodedBirth decodeBirth(const BirthRecord& r) {
    DecodedBirth d;
    std::string moment = r.moment;
    for (char& c : moment)
        if (c == '.') c = ',';
    if (!readMomentDigits(moment, d))
        throw ConversionError("Data di nascita non valida nel record di nascita: \"" + r.moment + "\"");
    // Corr is the rest of the field: a text longer than five characters
    // (a correction of -12,75 hours) is read whole, not cut.
    d.corrText = part(moment, 12, 8);
    const auto corr = parseCorr(d.corrText);
    if (!corr) throw ConversionError("Correzione Totale non valida nel record di nascita: \"" + r.moment + "\"");
    d.corr = *corr;

    d.gregorian = r.calendar == "GR";
    d.coordinates = part(r.place, 0, 12);
    if (!readCoordinates(d.coordinates, d))
        throw ConversionError("Coordinate non valide nel record di nascita: \"" + d.coordinates + "\"");
    d.placeAsStored = part(r.place, 12, 27);
    d.place = placeShown(d.placeAsStored);
    d.nation = r.nation;
    return d;
}

} // namespace qv
