// What the practitioner records of one consultation: whose it is, when, the
// complaints, the remedies prescribed with their dosage and duration, and
// the notes. Text is Windows-1252 like the rest of the core; the store
// keeps it as UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv::consultations {

// A day of the civil calendar.
struct CalendarDate {
    int day = 0;
    int month = 0;
    int year = 0;

    auto operator<=>(const CalendarDate& other) const {
        if (year != other.year) return year <=> other.year;
        if (month != other.month) return month <=> other.month;
        return day <=> other.day;
    }
    bool operator==(const CalendarDate&) const = default;
};

// A real day from 1/1/1800 to 31/12/2200 (a consultation is never older,
// and a follow-up never so far away).
bool isValidDate(const CalendarDate& d);
// "GG/MM/AAAA" read as a date; nothing when the text is no such date.
std::optional<CalendarDate> parseDate(const std::string& text);
std::string dateText(const CalendarDate& d);   // "05/03/2026"
std::string isoDateText(const CalendarDate& d); // "2026-03-05", the stored and sorted form
std::optional<CalendarDate> parseIsoDate(const std::string& text);

// The subject a consultation belongs to. The archive name with the stored
// name and birth moment identify it whatever happens to the other subjects
// of the archive (the index positions change with every registration and
// deletion; these do not).
struct SubjectLink {
    std::string archive;  // "BASE", upper case
    std::string name;     // the stored name, trailing blanks removed
    std::string moment;   // the birth record's moment field, trailing blanks removed

    bool operator==(const SubjectLink&) const = default;
};
// The link of a subject from its archive and the fields as stored (the
// name padded to 38, the moment of the birth record).
SubjectLink subjectLinkOf(const std::string& archive, const std::string& storedName, const std::string& moment);

// One remedy as prescribed. The dosage and duration start from what the
// remedy database says and are then the practitioner's own words.
struct PrescribedRemedy {
    std::string name;
    std::string dosage;
    std::string duration;

    bool operator==(const PrescribedRemedy&) const = default;
};

struct Consultation {
    std::int64_t id = 0;  // 0 until stored
    SubjectLink subject;
    CalendarDate date;
    std::optional<CalendarDate> followUp;
    std::string complaints;             // free text, lines separated by CR LF or LF
    std::vector<std::string> symptoms;  // entries of the symptom list, in the order chosen
    std::vector<PrescribedRemedy> remedies;
    std::string notes;
    // The person's health context on that day, which the cautions of the
    // remedies are read against: the medicines taken (free text, one per
    // line or separated by commas), pregnancy and breastfeeding.
    std::string medicines;
    bool pregnancy = false;
    bool breastfeeding = false;

    bool operator==(const Consultation&) const = default;
};

// The person's age in whole years on `day`, from the birth moment of the
// link ("yyyymmddhhmm…"); nothing when the moment holds no date or the day
// comes before it.
std::optional<int> ageOn(const SubjectLink& subject, const CalendarDate& day);

// The number of days from `from` to `to` (negative when `to` comes first).
int daysBetween(const CalendarDate& from, const CalendarDate& to);

// The first failure of a consultation about to be stored, in Italian and
// naming the field; empty when it may be stored. Checks what does not need
// the remedy database: the dates, the follow-up after the date, remedies
// with a name, no remedy or symptom twice.
std::string consultationFailure(const Consultation& c);

} // namespace qv::consultations
