// From a planet or sign of the chart to the remedies (or, in the hidden
// mode, the plants) that carry its signature, and from one of them to the
// symptoms it treats. The names come from the per-planet and per-sign name
// files: "OpzioneH\SolePri.rnd" … "OpzioneH\Pesci.rnd" (remedies, written by
// the rebuild, data from record 0) and the same names in "OpzioneS\"
// (plants, shipped with the data, record 0 a header).
#pragma once

#include "base/data_dir.h"
#include "ephemeris/chart_state.h"

#include <optional>
#include <string>
#include <vector>

namespace qv::remedies {

enum class LinkedMode { Remedies, Plants };

// A point of the chart (1 Sole … 11 Medium Coeli) or a sign (1 … 12).
struct LinkedSubject {
    bool sign = false;
    int number = 0;
};

// True when the subject has a name list in the mode: points Sole to NodoSud
// for remedies, Sole to Saturno for plants, every sign.
bool hasLinkedList(LinkedSubject s, LinkedMode mode);
// "OpzioneH\SolePri.rnd", "OpzioneS\Ariete.rnd", …
std::string linkedFilePath(LinkedSubject s, LinkedMode mode);
// "al SOLE", "all'ARIETE", …
std::string linkedPhrase(LinkedSubject s);
// "Sole" … "Medio Cielo", "Ariete" … "Pesci".
std::string linkedSubjectName(LinkedSubject s);

// What the panel shows on opening.
struct LinkedList {
    std::string caption;      // "RIMEDI associabili al SOLE", "PIANTE associate all'ARIETE"
    std::string chooserText;  // "RIMEDI" or "PIANTE"
    std::vector<std::string> names;
};
// The names of the subject's file. A subject without a list (hasLinkedList)
// gives nothing; a missing name file is an IoError naming it.
std::optional<LinkedList> linkedList(const DataDir& dir, LinkedSubject s, LinkedMode mode);

// The two texts of a chosen entry: the symptoms (`symptoms`, Memo3) and
// the details (`details`, Memo4), line by line.
struct LinkedDetails {
    std::vector<std::string> symptoms;
    std::vector<std::string> details;
};
// A remedy: the heading "USI TRADIZIONALI di " and the name (trailing
// blanks dropped), then the indications of every record of that name in
// list order; the details are the first such record's name and signatures.
// A name no record carries any more shows the two heading lines alone.
LinkedDetails remedySymptoms(const DataDir& dir, const std::string& chosen);
// A plant: the heading (one line when chosen from the plant list, the
// heading and the name on two lines when chosen from the chooser), then the
// symptoms of every entry of the plant database for it in file order; the
// details are those of the last such entry.
LinkedDetails plantSymptoms(const DataDir& dir, const std::string& plant, bool fromChooser);

// The remedies linked to a cast chart: for each point Sole to Medium Coeli
// the sign it stands in, the remedies whose primary signature names the
// planet (none for the Ascendant and the Medium Coeli) and those whose
// zodiacal signature names the sign.
struct PointLinks {
    int point = 0;
    std::string pointName;
    int sign = 0;
    std::string signName;
    std::vector<std::string> byPlanet;  // through the primary signature
    std::vector<std::string> bySign;    // through the zodiacal signature
};
std::vector<PointLinks> chartLinks(const DataDir& dir, const ChartState& chart);

} // namespace qv::remedies
