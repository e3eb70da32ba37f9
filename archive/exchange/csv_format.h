// Subjects as a spreadsheet holds them: UTF-8, comma-separated, one header
// line naming the columns, fields quoted when they hold a comma, a quote or
// a line end (quotes doubled). The columns, in any order (unknown ones are
// passed over; nome, data and ora are required):
//   nome             surname and first name
//   data             GG/MM/AAAA, the local date
//   ora              HH:MM, the local clock time
//   luogo            the place as written
//   nazione          the country: a vehicle code or a name
//   coordinate       45N28-009E11 (empty: from the atlas)
//   fuso             hours the clock was ahead of Greenwich, summer time
//                    included, "+1", "-5", "+0,6122" (empty: from the
//                    place's time regimes)
//   giorno_giuliano  the Julian day of Universal Time (empty: not checked)
//   note             a comment
#pragma once

#include "archive/exchange/exchanged_subject.h"

#include <string>
#include <vector>

namespace qv::exchange {

ExchangeFile readCsv(const std::string& utf8);
std::string writeCsv(const std::vector<ExchangedSubject>& subjects);

} // namespace qv::exchange
