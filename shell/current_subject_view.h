// What the main window shows of the current subject, and the document its
// "Apri Testo" opens.
#pragma once

#include <string>
#include <vector>

namespace qv {

struct MainWindowSubject {
    std::vector<std::string> lines;  // the six lines of the subject box
    std::string annotations;
    bool hasText = false;
};

// Loads the current subject and computes its chart (equal houses), then
// gives the texts of the subject box. Before any subject was ever chosen
// (no TMPR) the box says so and the chart state is left as it is.
MainWindowSubject computeChartForMainWindow();

// The current subject's text document ("BASEtxt\00001.txt"), recorded as
// the document to edit in FileDum\DatModif.dum. IoError when the subject
// has none.
std::string currentSubjectTextPath();

} // namespace qv
