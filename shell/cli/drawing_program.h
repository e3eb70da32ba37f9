// The commands that draw (wheel, sheet, report) run in a program of their
// own, the only one of the command line that loads Qt: every other command
// starts without the cost of loading and relocating the graphics libraries.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace qv::cli {

// Whether the command of `args` (the arguments after the program's name)
// runs in the drawing program: the drawing commands, and a calendar that
// writes an iCalendar file.
bool runsInDrawingProgram(const std::vector<std::string>& args);

// Replaces this process with the drawing program, given the same arguments.
// Returns only when it cannot be started, after saying why on `err`; the
// exit status to return then.
int runDrawingProgram(int argc, char** argv, std::ostream& err);

} // namespace qv::cli
