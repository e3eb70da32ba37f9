// The chart that a command draws or links remedies to: the current
// subject's (--current) or the one of the birth options. No Qt here.
#pragma once

#include "settings/chart_settings.h"
#include "shell/cli/cli_support.h"

namespace qv::cli {

// Checks the chart options, opens the data directory, loads the orbs in
// force and computes the chart into the chart state: the current subject's
// with --current, else the birth options'. Returns the orbs.
OrbTable castPictureChart(const Arguments& a);

} // namespace qv::cli
