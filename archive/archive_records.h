// The records of the subject archives: the index entry (.ST1, 44 bytes), the
// birth record (.ST2, 385 bytes) and the annotation record (.ST3, 284
// bytes), their header records, the total correction `Corr` and the text
// rules shared by every window that shows a subject.
#pragma once

#include "base/decimal_text.h"
#include "base/reals.h"
#include "base/record_file.h"
#include "ephemeris/birth_data.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>

namespace qv {

inline constexpr std::size_t kIndexRecordSize = 44;
inline constexpr std::size_t kBirthRecordSize = 385;
inline constexpr std::size_t kAnnotationRecordSize = 284;

inline constexpr std::size_t kNameWidth = 38;
inline constexpr std::size_t kKeyWidth = 43;
inline constexpr std::size_t kAnnotationLineWidth = 70;

// One text[43]: the subject's name padded to 38, then its birth-record
// number in 5 digits.
struct IndexEntry {
    std::string text;

    // The first 38 characters.
    std::string name() const;
    // The last five characters read as a number; nothing when they are not one.
    std::optional<int> recordNumber() const;
};

// The key of a subject: name upper-cased, padded with spaces to 38 and cut
// there, then the birth-record number left-padded with "0" to 5 digits.
std::string subjectKey(const std::string& name, int birthNumber);

// "0 Registro vuoto", 22 dots, "00000".
extern const char* const kIndexHeaderText;

Bytes encodeIndexEntry(const IndexEntry& entry);
IndexEntry decodeIndexEntry(std::span<const std::uint8_t> record);

// The fields of a birth record as stored (text fields, in file order).
struct BirthRecord {
    std::string moment;         // text[20]: yyyymmddhhmm then Corr
    std::string place;          // text[39]: 12 characters of coordinates, then the place name
    std::string calendar;       // text[2]: "GR" Gregorian, anything else Julian
    std::string nation;         // text[20]
    std::string planetSummary;  // text[72]
    std::string cuspSummary;    // text[60]
    std::string aspectSummary;  // text[124]
    std::string reserved1;      // text[21]
    std::string reserved2;      // text[12]
    std::string annotationNumber;  // text[5]

    bool operator==(const BirthRecord&) const = default;
};

Bytes encodeBirthRecord(const BirthRecord& record);
BirthRecord decodeBirthRecord(std::span<const std::uint8_t> bytes);

// Four text[70] lines; line 4 holds the fourth annotation line in characters
// 1–64 and the subject's text-file number in 65–69.
struct AnnotationRecord {
    std::array<std::string, 4> lines;

    // Characters 65–69 of line 4 with blanks removed: empty when the subject
    // has no text file.
    std::string textNumber() const;
    bool operator==(const AnnotationRecord&) const = default;
};

Bytes encodeAnnotationRecord(const AnnotationRecord& record);
AnnotationRecord decodeAnnotationRecord(std::span<const std::uint8_t> bytes);

// The annotation record of lines typed by the user: lines 1–3 as typed,
// line 4 padded with spaces to 70, cut to 64 and followed by the text number.
AnnotationRecord annotationFromFields(const std::array<std::string, 4>& fields,
                                      const std::string& textNumber);

// Header records of a new archive.
IndexEntry headerIndexEntry();
BirthRecord headerBirthRecord();
AnnotationRecord headerAnnotationRecord();  // the standard text "no annotations"

// The place name as shown: the first "*" becomes "(", every later one ")",
// and a space that follows another space is dropped.
std::string placeShown(const std::string& stored);
// The place name as stored: upper case, parentheses as "*".
std::string placeStored(const std::string& typed);

std::string trimSpaces(const std::string& text);   // both sides
std::string trimRight(const std::string& text);
std::string padRight(const std::string& text, std::size_t width, char fill = ' ');

// A birth record read for use: the birth data, with the texts of the
// record's fields as they were stored. Numbers that do not read raise
// ConversionError.
struct DecodedBirth : BirthData {
    std::string corrText;       // as stored, "." replaced by ","
    std::string coordinates;    // characters 1–12 of the place field
    std::string placeAsStored;  // characters 13–39 of the place field
};

DecodedBirth decodeBirth(const BirthRecord& record);

// The twelve digits yyyymmddhhmm of a local date and time.
std::string momentDigits(int day, int month, int year, int hour, int minute);

// Letters of the points (body computation's order, 1–14) and of the signs.
inline constexpr const char* kPointLetters = "elmvagsunpdhxy";
inline constexpr const char* kSignLetters = "ATGNLVBSRCQP";

} // namespace qv
