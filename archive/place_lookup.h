// The places of the atlas that a typed name stands for: the name as the
// subject's record holds it ("GUBBIO (PG)" or "GUBBIO"), with the state
// for a foreign place.
#pragma once

#include "archive/places.h"

#include <string>
#include <vector>

namespace qv::atlas {

// The table a subject's nation points to: "ITALIA" (any case, or empty)
// is the table of the Italian municipalities, anything else the foreign one.
PlaceArchive placeArchiveOfNation(const std::string& nation);

// The Italian table writes a stressed final vowel as the vowel and an
// apostrophe ("FORLI' (FC)"): an upper-case name typed with the accent
// ("FORLÌ (FC)") is turned so. Other texts are returned as they are.
std::string italianTableSpelling(const std::string& upperName);

// Every place of `table` whose name is `name` (any case) compared in the normalised
// form; an Italian name typed without its province finds the places of
// every province ("CASTRO" finds "CASTRO (BG)" and "CASTRO (LE)"); a name
// of 27 characters, the width of a birth record's place, also finds the
// longer names it begins. A non-empty `state` keeps only that state's
// places. Names are looked up in the Italian table as it spells them
// (italianTableSpelling). Empty when nothing matches.
std::vector<Place> placesNamed(const PlaceTable& table, const std::string& name, const std::string& state);

} // namespace qv::atlas
