// The rules of the name lists of the recall, modification and deletion
// windows, apart from the widgets: which index positions a list of 9 or 8
// lines shows around the current position, and the cycle of "&Inverti
// Cognome/Nome".
#pragma once

#include <string>

namespace qv {

// The window of a name list over an archive of n subjects: `lines` lines
// around the current position p, p − before … p + after, with before =
// (lines − 1) / 2 (4 for 9 lines, 3 for 8) and after = lines − 1 − before.
struct NameListWindow {
    int lines = 9;
    int subjects = 0;

    int before() const { return (lines - 1) / 2; }
    int after() const { return lines - 1 - before(); }
    // True when the whole archive fits in the list (no scrolling).
    bool showsAll() const { return subjects <= lines; }
    // The range p may take; both 0 when the list shows every subject.
    int lowest() const { return showsAll() ? 0 : before() + 1; }
    int highest() const { return showsAll() ? 0 : subjects - after(); }
    int clamp(int p) const;
    // The index position of the first line, and how many lines are filled.
    int first(int p) const;
    int shown() const { return showsAll() ? subjects : lines; }
};

// The name as "&Inverti Cognome/Nome" shows it after `clicks` clicks. The
// words before the first "(" are split at spaces; with two words the clicks
// alternate w2 w1 and w1 w2; with three they cycle through w2 w3 w1,
// w1 w3 w2, w2 w1 w3, w3 w1 w2, w3 w2 w1 and w1 w2 w3. A fourth word and
// anything from the "(" on stay, unchanged, after the turned words. A name
// of one word is returned as it is.
std::string invertedName(const std::string& name, int clicks);

} // namespace qv
