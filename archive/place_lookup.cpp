#include "archive/place_lookup.h"

#include "archive/place_search.h"
#include "base/cp1252.h"

#include <algorithm>

namespace qv::atlas {

namespace {

// The width of the place name in a birth record: a longer atlas name was
// stored cut there.
constexpr std::size_t kStoredPlaceWidth = 27;

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// "NAME  XX)": the normalised form of a name followed by a bracketed suffix.
bool isNameWithSuffix(const std::string& key, const std::string& stem) {
    return key.size() > stem.size() + 2 && key.compare(0, stem.size(), stem) == 0 &&
           key.compare(stem.size(), 2, "  ") == 0 && key.back() == ')';
}

} // namespace

std::string italianTableSpelling(const std::string& name) {
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const bool wordEnd = i + 1 == name.size() || name[i + 1] == ' ' || name[i + 1] == '(';
        char plain = 0;
        switch (static_cast<unsigned char>(name[i])) {
        case 0xC0: plain = 'A'; break;             // À
        case 0xC8: case 0xC9: plain = 'E'; break;  // È É
        case 0xCC: plain = 'I'; break;             // Ì
        case 0xD2: plain = 'O'; break;             // Ò
        case 0xD9: plain = 'U'; break;             // Ù
        default: break;
        }
        if (plain && wordEnd) {
            out += plain;
            out += '\'';
        } else {
            out += name[i];
        }
    }
    return out;
}

PlaceArchive placeArchiveOfNation(const std::string& nation) {
    const std::string n = normalisePlaceName(trimmed(nation));
    return n.empty() || n == "ITALIA" ? PlaceArchive::Italia : PlaceArchive::Estero;
}

std::vector<Place> placesNamed(const PlaceTable& table, const std::string& name, const std::string& state) {
    std::vector<Place> found;
    const std::string upper = trimmed(upperCase1252(name));
    const std::string typed = table.archive() == PlaceArchive::Italia ? italianTableSpelling(upper) : upper;
    if (typed.empty() || table.count() == 0) return found;
    const std::string wanted = normalisePlaceName(typed);
    const std::string wantedState = normalisePlaceName(trimmed(state));
    // The search runs on the name without its bracket, as a user types it;
    // every name that shares that beginning lies just below where it settles.
    const std::string bare = trimmed(typed.substr(0, typed.find(" (")));
    const std::string stem = normalisePlaceName(bare);
    const LocateResult landed = locatePlace(table, bare);
    // A cut that fell after a blank leaves one character less once trimmed.
    const bool cut = typed.size() + 1 >= kStoredPlaceWidth;
    for (std::int64_t k = std::min(landed.position + 1, table.count()); k >= 1; --k) {
        const Place place = table.read(k);
        const std::string key = normalisePlaceName(place.name);
        if (key.compare(0, stem.size(), stem) != 0) {
            if (k > landed.position) continue;  // the one just above the landing
            break;
        }
        const bool named = key == wanted || isNameWithSuffix(key, wanted) ||
                           (cut && key.compare(0, wanted.size(), wanted) == 0);
        if (named && (wantedState.empty() || normalisePlaceName(place.state) == wantedState))
            found.push_back(place);
    }
    std::reverse(found.begin(), found.end());
    return found;
}

} // namespace qv::atlas
