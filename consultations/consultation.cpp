#include "consultations/consultation.h"

#include <cstdio>
#include <utility>

namespace qv::consultations {

namespace {

bool leapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int month, int year) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leapYear(year) ? 29 : days[month - 1];
}

// Digits only, exactly `width` of them.
std::optional<int> digits(const std::string& text, std::size_t at, std::size_t width) {
    if (at + width > text.size()) return std::nullopt;
    int v = 0;
    for (std::size_t i = at; i < at + width; ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        v = v * 10 + (text[i] - '0');
    }
    return v;
}

std::string trimmedRight(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.pop_back();
    return s;
}

} // namespace

bool isValidDate(const CalendarDate& d) {
    if (d.year < 1800 || d.year > 2200 || d.month < 1 || d.month > 12) return false;
    return d.day >= 1 && d.day <= daysInMonth(d.month, d.year);
}

std::optional<CalendarDate> parseDate(const std::string& text) {
    // "G/M/AAAA" with one or two digits for the day and month is accepted too.
    int day = 0, month = 0, year = 0, used = 0;
    if (std::sscanf(text.c_str(), "%2d/%2d/%4d%n", &day, &month, &year, &used) != 3) return std::nullopt;
    if (static_cast<std::size_t>(used) != text.size() || text.size() < 8) return std::nullopt;
    for (char c : text)
        if (c != '/' && (c < '0' || c > '9')) return std::nullopt;
    const CalendarDate d{day, month, year};
    if (!isValidDate(d)) return std::nullopt;
    return d;
}

std::string dateText(const CalendarDate& d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", d.day, d.month, d.year);
    return buf;
}

std::string isoDateText(const CalendarDate& d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buf;
}

std::optional<CalendarDate> parseIsoDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    const auto y = digits(text, 0, 4), m = digits(text, 5, 2), d = digits(text, 8, 2);
    if (!y || !m || !d) return std::nullopt;
    const CalendarDate date{*d, *m, *y};
    if (!isValidDate(date)) return std::nullopt;
    return date;
}

SubjectLink subjectLinkOf(const std::string& archive, const std::string& storedName, const std::string& moment) {
    std::string upper = archive;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return {trimmedRight(upper), trimmedRight(storedName), trimmedRight(moment)};
}

namespace {

// Days since 1 March of year 0 of the proleptic Gregorian calendar.
long dayNumber(const CalendarDate& d) {
    const long y = d.month <= 2 ? d.year - 1 : d.year;
    const long m = d.month <= 2 ? d.month + 9 : d.month - 3;
    return 365 * y + y / 4 - y / 100 + y / 400 + (153 * m + 2) / 5 + d.day - 1;
}

} // namespace

int daysBetween(const CalendarDate& from, const CalendarDate& to) {
    return static_cast<int>(dayNumber(to) - dayNumber(from));
}

std::optional<int> ageOn(const SubjectLink& subject, const CalendarDate& day) {
    const auto y = digits(subject.moment, 0, 4), m = digits(subject.moment, 4, 2), d = digits(subject.moment, 6, 2);
    if (!y || !m || !d || *m < 1 || *m > 12 || *d < 1 || *d > daysInMonth(*m, *y)) return std::nullopt;
    const CalendarDate birth{*d, *m, *y};
    if (day < birth) return std::nullopt;
    // A birthday not yet reached this year does not count; someone born on
    // 29 February turns a year older on 1 March of a common year.
    int age = day.year - birth.year;
    if (std::pair(day.month, day.day) < std::pair(birth.month, birth.day)) --age;
    return age;
}

std::string consultationFailure(const Consultation& c) {
    if (c.subject.archive.empty() || c.subject.name.empty() || c.subject.moment.empty())
        return "Consultazione senza soggetto: richiamare prima un soggetto";
    if (!isValidDate(c.date)) return "Data della consultazione non valida (GG/MM/AAAA)";
    if (c.followUp) {
        if (!isValidDate(*c.followUp)) return "Data del controllo non valida (GG/MM/AAAA)";
        if (*c.followUp < c.date) return "La data del controllo precede quella della consultazione";
    }
    for (std::size_t i = 0; i < c.symptoms.size(); ++i) {
        if (trimmedRight(c.symptoms[i]).empty()) return "Sintomo " + std::to_string(i + 1) + " vuoto";
        for (std::size_t j = 0; j < i; ++j)
            if (c.symptoms[j] == c.symptoms[i]) return "Il sintomo \"" + c.symptoms[i] + "\" \xE8 indicato due volte";
    }
    for (std::size_t i = 0; i < c.remedies.size(); ++i) {
        if (trimmedRight(c.remedies[i].name).empty()) return "Rimedio " + std::to_string(i + 1) + " senza nome";
        for (std::size_t j = 0; j < i; ++j)
            if (c.remedies[j].name == c.remedies[i].name)
                return "Il rimedio \"" + c.remedies[i].name + "\" \xE8 indicato due volte";
    }
    return {};
}

} // namespace qv::consultations
