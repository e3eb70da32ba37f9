// The astrological data exchange format of 1993, as its public description
// gives it: one subject per "#A93:" line (name, first name, type, date,
// time, place, country), followed by its "#B93:" line (Julian day of
// Universal Time, latitude "49n05", longitude "8e11", zone "1he" or
// "0e21:48", summer-time flag); "*" stands for unknown. "#COM:" is a
// comment on the subject; "#ZNAM:" (the zone's name) and every other chunk
// are passed over. Text is Windows-1252, as the format's files are written.
#pragma once

#include "archive/exchange/exchanged_subject.h"

#include <string>
#include <vector>

namespace qv::exchange {

ExchangeFile readAaf(const std::string& text);
std::string writeAaf(const std::vector<ExchangedSubject>& subjects);

// The zone fields as the format writes them: "1he" (one hour east),
// "5hw", "0e21:48" (21 minutes 48 seconds east); nothing when unreadable.
std::optional<Extended> parseAafZone(const std::string& text);
std::string aafZoneText(Extended hoursEast);

} // namespace qv::exchange
