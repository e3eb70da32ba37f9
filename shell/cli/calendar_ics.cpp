#include "shell/cli/calendar_command.h"

#include "base/errors.h"
#include "base/file_safety.h"
#include "base/text_file.h"
#include "timing/icalendar.h"

namespace qv::cli {

int writeCheckedIcs(const std::string& file, const std::vector<timing::IcsEvent>& events) {
    writeFileAtomically(file, timing::icalendarText("Calendario spagirico", events), file);
    // What is on the disk is what a calendar program will read.
    const timing::IcsCheck check = timing::checkIcalendar(readWholeFile(file, file));
    if (!check.valid) throw IoError(file, check.problem);
    return check.events;
}

} // namespace qv::cli
