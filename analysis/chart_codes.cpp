#include "analysis/chart_codes.h"

namespace qv {

const std::array<const char*, 12> kPointCodes4 = {
    "", "Sole", "Luna", "Merc", "Vene", "Mart", "Giov", "Satu", "NNor", "NSud", "Asce", "Mcie"};
const std::array<const char*, 12> kPointCodes2 = {
    "", "SO", "LU", "ME", "VE", "MA", "GI", "SA", "NN", "NS", "AS", "MC"};
const std::array<const char*, 12> kPointTextCodes = {
    "", "So", "Lu", "Me", "Ve", "Ma", "Gi", "Sa", "Nn", "Ns", "As", "Mc"};
const std::array<const char*, 12> kPointUpperNames = {
    "", "SOLE", "LUNA", "MERCURIO", "VENERE", "MARTE", "GIOVE", "SATURNO",
    "NODO NORD", "NODO SUD", "ASCENDENTE", "MEDIOCIELO"};

const std::array<const char*, 13> kSignCodes4 = {
    "", "Arie", "Toro", "Geme", "Canc", "Leon", "Verg", "Bila", "Scor", "Sagi", "Capr", "Acqu", "Pesc"};
const std::array<const char*, 13> kSignCodes2 = {
    "", "Ar", "To", "Ge", "Cn", "Le", "Ve", "Bi", "Sc", "Sa", "Cp", "Aq", "Pe"};
const std::array<const char*, 13> kSignUpperNames = {
    "",           "ARIETE    ", "TORO      ", "GEMELLI   ", "CANCRO    ", "LEONE     ", "VERGINE   ",
    "BILANCIA  ", "SCORPIONE ", "SAGITTARIO", "CAPRICORNO", "ACQUARIO  ", "PESCI     "};

const std::array<const char*, 13> kHouseCodes = {
    "", "Prim", "Seco", "Terz", "Quar", "Quin", "Sest", "Sett", "Otta", "Nona", "Deci", "Undi", "Dodi"};

const std::array<const char*, 8> kPlanetNames = {
    "", "Sole", "Luna", "Mercurio", "Venere", "Marte", "Giove", "Saturno"};
const std::array<const char*, 8> kGovernedByPhrases = {
    "", "dal Sole", "dalla Luna", "da Mercurio", "da Venere", "da Marte", "da Giove", "da Saturno"};
const std::array<const char*, 8> kOfPhrases = {
    "", "del Sole", "della Luna", "di Mercurio", "di Venere", "di Marte", "di Giove", "di Saturno"};

const std::array<std::array<int, 2>, 8> kDomiciles = {{
    {0, 0}, {5, 0}, {4, 0}, {3, 6}, {2, 7}, {1, 8}, {9, 12}, {10, 11}}};

int signRuler(int sign) {
    for (int p = 1; p <= kPlanets; ++p)
        if (kDomiciles[p][0] == sign || kDomiciles[p][1] == sign) return p;
    return 0;
}

const char* colourName(TextColour colour) {
    switch (colour) {
    case TextColour::Grey: return "grey";
    case TextColour::White: return "white";
    case TextColour::Red: return "red";
    case TextColour::Aqua: return "aqua";
    case TextColour::Yellow: return "yellow";
    case TextColour::Blue: return "blue";
    case TextColour::Green: return "green";
    }
    return "white";
}

} // namespace qv
