// Builds the contents of the three correction tables from the reference
// ephemeris: every record holds the reference's longitude minus the
// program's own at the record's instant, in the table's unit, so that the
// readers' linear interpolation meets the reference at each record.
#pragma once

#include "tools/reference/reference_ephemeris.h"

#include <string>
#include <vector>

namespace qv::tables {

// What one table or field received: values written, values that did not fit
// the field's integer type and were clamped, and the largest magnitude met
// before clamping (in the table's unit).
struct FieldReport {
    std::string name;
    long values = 0;
    long clamped = 0;
    double largest = 0;
};

// The apogee the corrected ("VERA") Black Moon follows.
enum class ApogeeReference { Osculating, Interpolated };

// DSEL.rnd: the Moon, arcseconds, one signed 16-bit integer a day.
std::string buildDsel(const reference::Ephemeris& ref, FieldReport& report);

// NOJLNE.rnd: the apogee minus the mean Black Moon, arcseconds, one signed
// 32-bit integer a day.
std::string buildNojlne(const reference::Ephemeris& ref, ApogeeReference apogee, FieldReport& report);

// DPR1.rnd with every correction zero (t0 filled in).
std::string zeroDpr1();

// DPR1.rnd: fields 1–8 the planets Mercury … Pluto, field 9 the true node,
// arcminutes, over the whole table; fields 10–17 zero. The program's true node is
// computed from its corrected Moon, so the data directory in force must hold
// the DSEL.rnd that will ship, and a DPR1.rnd with zero corrections.
// `reports` receives nine entries, fields 1–9.
std::string buildDpr1(const reference::Ephemeris& ref, std::vector<FieldReport>& reports);

// DAST.rnd: Ceres, Pallas, Juno, Vesta and Chiron, arcseconds, five signed
// 32-bit integers a day from 1850 through 2080. The data directory in force
// must hold no DAST.rnd (the program's osculating orbits are the model).
// `reports` receives five entries.
std::string buildDast(const reference::Ephemeris& ref, std::vector<FieldReport>& reports);

} // namespace qv::tables
