#include "consultations/report_subject.h"

#include "analysis/dominant_chart.h"
#include "analysis/substance.h"
#include "archive/current_subject.h"
#include "archive/archive_files.h"
#include "archive/side_files.h"
#include "base/data_dir.h"
#include "base/errors.h"
#include "ephemeris/chart_steps.h"
#include "settings/chart_settings.h"

namespace qv::consultations {

SubjectChart chartOfSubject(const std::string& storedName, const BirthRecord& record) {
    const DecodedBirth birth = decodeBirth(record);
    SubjectChart out;
    out.subject = {trimRight(storedName.substr(0, kNameWidth)), birth.dateText(), birth.place, trimRight(birth.nation)};
    ChartState& c = out.natal;
    c.houseSystem = "CASE_MEDIE";
    c.nodeKind = chartSettings().nodeKind;
    c.blackMoonKind = chartSettings().blackMoonKind;
    const MotionFlags moved = castChart(c, birth);
    layOutTraditionally(c, moved);
    bringWithinOneTurn(c);
    out.master = computeDominantChart(c, storedName, record.moment, record.place).display.master;
    return out;
}

SubjectChart chartOfCurrentSubject() {
    if (!currentSubjectExists()) throw IoError("TMPR.ST1", "nessun soggetto attuale: richiamarne o registrarne uno");
    const CurrentSubject current = readCurrentSubject();
    return chartOfSubject(current.name(), current.record);
}

SubjectLink currentSubjectLink() {
    if (!currentSubjectExists()) throw IoError("TMPR.ST1", "nessun soggetto attuale: richiamarne o registrarne uno");
    const CurrentSubject current = readCurrentSubject();
    std::string archive = kTemporaryArchive;
    if (dataDir().exists(kArchiveChoiceFile)) {
        const auto lines = readDataTextLines(kArchiveChoiceFile);
        if (lines.size() >= 4 && trimRight(lines[3]) == trimRight(current.name()) && isPlainArchiveName(trimRight(lines[0])))
            archive = trimRight(lines[0]);
    }
    return subjectLinkOf(archive, current.name(), current.record.moment);
}

} // namespace qv::consultations
