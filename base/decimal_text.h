// Decimal text of reals that never depends on the machine's locale: the
// desktop program runs under the user's locale (an Italian one writes and
// reads a decimal comma), while files and fixed text forms use the point.
#pragma once

#include "base/reals.h"

#include <optional>
#include <string>

namespace qv {

// Reads a decimal real with a point, an optional sign and an optional
// exponent, the whole text and nothing else. False when it does not read.
bool parseDecimal(const std::string& text, Extended& value);

// "d.ddd…e±XX" with `decimals` digits after the point.
std::string scientificText(Extended value, int decimals);
// The shortest form with at most `significant` significant digits, as
// printf's %g would write it in the C locale.
std::string generalText(Extended value, int significant);

// Reads a decimal real with a point (optionally with an exponent); blanks
// around it are ignored. Returns false for anything else.
bool parseSettingReal(const std::string& text, Extended& value);

// Corr: hours added to the local clock time to give Universal Time. Written
// as its shortest decimal text with a comma (the Italian decimal
// separator, whatever the machine's locale), "+" before values ≥ 0.
// A Corr that is not finite, or whose shortest text does not fit (see
// isWritableCorr), raises ConversionError.
std::string corrText(Extended corr);
// Whether corrText can write `corr`: finite, and 0 or at least a millionth
// of an hour (3.6 ms) and at most a million hours in size.
bool isWritableCorr(Extended corr);
// Reads a Corr text with "." or "," as decimal separator; blanks around it
// are ignored. Nothing when the text is no number or no writable Corr.
std::optional<Extended> parseCorr(const std::string& text);

} // namespace qv
