#include "shell/current_subject_view.h"

#include "archive/side_files.h"
#include "base/data_dir.h"
#include "base/errors.h"
#include "chart/chart_computation.h"

namespace qv {

MainWindowSubject computeChartForMainWindow() {
    // A data directory that has never had a subject chosen has no TMPR yet.
    if (!dataDir().exists("TMPR.ST1")) {
        MainWindowSubject none;
        none.lines = {"Nessun soggetto selezionato", "", "Inserire i dati di nascita di un soggetto",
                      "o richiamarne uno da un archivio.", "", ""};
        return none;
    }
    const ComputedChart chart = computeChart(HouseCalls::Single);
    const SubjectTexts& t = chart.texts;
    MainWindowSubject view;
    view.lines = {t.name, t.birth, t.place, t.nation, t.coordinates, t.calendar};
    view.annotations = t.annotations;
    const TextPointer pointer = readTextPointer();
    view.hasText = textDocumentExists(pointer.archive, pointer.number);
    return view;
}

std::string currentSubjectTextPath() {
    const TextPointer pointer = readTextPointer();
    if (!textDocumentExists(pointer.archive, pointer.number))
        throw IoError("FileDum\\StrText.dum", "il soggetto attuale non ha un testo");
    const std::string path = textDocumentPath(pointer.archive, pointer.number);
    writeEditedDocument(path);
    return path;
}

} // namespace qv
