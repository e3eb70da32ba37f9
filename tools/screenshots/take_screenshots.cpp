// Renders the program's windows into PNG files, on a scratch data directory
// with one registered subject, so that developers can look at them without
// a display. Usage (offscreen):
//   QT_QPA_PLATFORM=offscreen take_screenshots OUTPUT_FOLDER [WIDTHxHEIGHT [--every-view]]
// The size (1366x768 when not given) is the screen of the full-screen
// windows: sheet_window.png ("Orizzontale 1 "), sheet_window_portrait.png
// ("Verticale 1") and analysis_window.png (the chart analysis window's chart
// view); --every-view adds analysis_<view>.png for each of its views.
#include "display/ui/analysis_window.h"
#include "display/ui/linked_remedies_panel.h"
#include "analysis/ui/orb_editor.h"
#include "archive/archive_files.h"
#include "archive/data_directory_startup.h"
#include "archive/subject_registration.h"
#include "archive/ui/birth_entry_window.h"
#include "archive/ui/deletion_window.h"
#include "archive/ui/modification_window.h"
#include "archive/ui/recall_window.h"
#include "editor/ui/text_editor_window.h"
#include "remedies/ui/consultation_windows.h"
#include "base/data_dir.h"
#include "display/display_scales.h"
#include "display/ui/sheet_window.h"
#include "shell/ui/backup_window.h"
#include "shell/ui/main_window.h"
#include "shell/ui/settings_windows.h"
#include "ephemeris/chart_state.h"
#include "timing/birthplace_clock.h"
#include "timing/ui/calendar_window.h"
#include "timing/ui/transits_window.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QTreeWidget>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

void save(QWidget& w, const QString& path) {
    w.show();
    QApplication::processEvents();
    QApplication::processEvents();
    if (!w.grab().save(path)) {
        std::fprintf(stderr, "non scritto: %s\n", path.toLocal8Bit().constData());
        return;
    }
    std::printf("%s\n", path.toLocal8Bit().constData());
}

void clickAt(QWidget* widget, QPoint at) {
    const QPointF local(at), global(widget->mapToGlobal(at));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

// "Transiti" with a month's list and a contact's wheel, and "Calendario
// spagirico" with a week of Venus hours in Milan.
void timingWindows(qv::TFoSpagyr& main, const QString& out) {
    main.FormActivate();
    qv::TFoTransiti transits(qv::chartState(), qv::timing::birthplaceClock("MILANO (MI)", "ITALIA", -2), "ROSSI MARIA",
                             &main);
    transits.resize(1300, 700);
    transits.findChild<QDateEdit*>("EdDal")->setDate(QDate(2026, 3, 1));
    transits.findChild<QDateEdit*>("EdAl")->setDate(QDate(2026, 4, 30));
    transits.show();
    QApplication::processEvents();
    transits.BBcalcolaClick();
    auto* list = transits.findChild<QTreeWidget*>("ListTransiti");
    if (list->topLevelItemCount() > 3) {
        list->setCurrentItem(list->topLevelItem(3));
        transits.ListTransitiClick(list->topLevelItem(3));
    }
    save(transits, out + "/transits.png");
    transits.BBrivoluzioneClick();
    save(transits, out + "/solar_return.png");

    qv::TFoCalendario calendar("MILANO (MI)", "45N28-009E11", -1, &main);
    calendar.resize(1000, 700);
    calendar.findChild<QDateEdit*>("EdDal")->setDate(QDate(2026, 11, 2));
    calendar.findChild<QDateEdit*>("EdAl")->setDate(QDate(2026, 11, 8));
    calendar.findChild<QComboBox*>("CBpianeta")->setCurrentIndex(4);
    calendar.show();
    QApplication::processEvents();
    calendar.BBcalcolaClick();
    save(calendar, out + "/spagyric_calendar.png");
}

// The chart analysis window on the screen: its chart view and, with
// --every-view, every view of every button, a planet's attributions, its
// remedies and its mirror lines (analysis_<view>.png).
void analysisWindow(QWidget& main, int width, int height, const QString& out, bool everyView) {
    qv::TFgrSpagy window(&main);
    qv::attachLinkedPanel(window, false);
    window.setWindowState(Qt::WindowNoState);
    window.resize(width, height);
    window.show();
    while (!window.currentView()) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    save(window, out + "/analysis_window.png");
    if (!everyView) return;
    const char* const buttons[] = {"BBcoordi",  "BBstoffa",   "BBarchetip",  "BBaspetti", "BBEnergi",
                                   "BBantisce", "BBdodecate", "BBdominante", "BBmaestri"};
    for (int b = 0; b < qv::kAnalysisButtons; ++b) {
        auto* button = window.findChild<QPushButton*>(buttons[b]);
        const auto views = qv::buttonMessages(static_cast<qv::AnalysisButton>(b)).size();
        for (std::size_t v = 0; v < views; ++v) {
            button->click();
            save(window, out + "/analysis_" + qv::draw::analysisViewName(*window.currentView()) + ".png");
        }
    }
    window.findChild<QPushButton*>("BBmaestri")->click();
    window.Timer1Timer();  // the chart view again
    auto* area = window.findChild<QWidget*>("AreaDisegno");
    for (int click = 1; click <= 4; ++click) {
        clickAt(area, window.pointGlyphCentre(5));
        if (click == 1) save(window, out + "/analysis_marte_attributions.png");
        if (click == 2) save(window, out + "/analysis_marte_remedies.png");
    }
    save(window, out + "/analysis_" + qv::draw::analysisViewName(*window.currentView()) + ".png");
    for (int click = 1; click <= 4; ++click) clickAt(area, window.signGlyphCentre(5));
    save(window, out + "/analysis_" + qv::draw::analysisViewName(*window.currentView()) + ".png");
}

// A remedy consultation window with the first list entry that begins with
// `entry` chosen, as the manuals show it (symptoms.png, remedies.png, therapies.png).
template <typename Window>
void consultationWindow(QWidget& main, const QString& entry, const QString& path) {
    Window window(&main);
    window.show();
    QApplication::processEvents();
    auto* list = window.template findChild<QListWidget*>("ListBox1");
    for (int row = 0; list && row < list->count(); ++row) {
        if (!list->item(row)->text().startsWith(entry)) continue;
        list->setCurrentRow(row);
        window.ListBox1Click(row);
        break;
    }
    save(window, path);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName("Quorendaville");
    int screenWidth = 1366, screenHeight = 768;
    const bool everyView = argc == 4 && std::string(argv[3]) == "--every-view";
    if (argc < 2 || argc > 4 || (argc >= 3 && std::sscanf(argv[2], "%dx%d", &screenWidth, &screenHeight) != 2) ||
        (argc == 4 && !everyView)) {
        std::fprintf(stderr, "usage: take_screenshots OUTPUT_FOLDER [WIDTHxHEIGHT [--every-view]]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    std::error_code made;
    std::filesystem::create_directories(argv[1], made);
    std::string scratch = (std::filesystem::temp_directory_path() / "qv-screens-XXXXXX").string();
    if (!mkdtemp(scratch.data())) return 1;
    auto prepared = qv::prepareDataDirectory(scratch, QV_DATA_TEMPLATE_DIR);

    qv::NewSubject subject;
    subject.name = "ROSSI MARIA";
    subject.day = 14;
    subject.month = 7;
    subject.year = 1968;
    subject.hour = 6;
    subject.minute = 35;
    subject.corr = -2;
    subject.coordinates = "45N28-009E11";
    subject.place = "MILANO *MI*";
    subject.nation = "ITALIA";
    subject.annotations = {"Consulto del 3 marzo: insonnia e digestione lenta.", "", "", ""};
    const qv::Registration r = qv::registerSubject(qv::kPersonalArchive, subject);
    if (!r.failure.empty()) std::fprintf(stderr, "registration: %s\n", r.failure.c_str());

    qv::TFoSpagyr main;
    main.resize(820, 560);
    main.FormActivate();
    save(main, out + "/main_window.png");
    qv::TFoOrbSpa orbs;
    save(orbs, out + "/orb_editor.png");
    qv::TFoSpeLin thickness;
    save(thickness, out + "/line_thickness.png");
    qv::TFoStampa printer;
    save(printer, out + "/printer_type.png");
    qv::TFoNomUte name;
    save(name, out + "/practitioner_name.png");
    qv::TFoBakMod1 backup;
    save(backup, out + "/backup.png");
    qv::TFoInputSpa entry({}, &main);
    save(entry, out + "/birth_entry.png");
    qv::TFormRich recall(&main);
    save(recall, out + "/recall.png");
    qv::TFoModifi modification({}, &main);
    save(modification, out + "/modification.png");
    // The data page with the date moved: the atlas's correction beside Corr.
    modification.ListBoxNomiSelect(1);
    if (auto* date = modification.findChild<QLineEdit*>("EditData")) {
        date->setText("15/01/" + date->text().right(4));
        emit date->editingFinished();
    }
    save(modification, out + "/modification_data.png");
    qv::TFoCancel deletion(&main);
    save(deletion, out + "/deletion.png");
    qv::TFoReMaiH editor(&main);
    save(editor, out + "/text_editor.png");
    consultationWindow<qv::TFoSintom1>(main, QString::fromUtf8("Difficoltà ad addormentarsi"), out + "/symptoms.png");
    consultationWindow<qv::TFoRimed>(main, "TSA Passiflora", out + "/remedies.png");
    consultationWindow<qv::TFoTerapi>(main, "Insonnia", out + "/therapies.png");

    // The sheet windows on a screen of the given size, with a printer (the PDF one).
    qv::setScreenScales(screenWidth, screenHeight);
    qv::setPrinterScale(4677);
    const struct {
        qv::draw::SheetLayout layout;
        const char* file;
    } sheets[] = {{qv::draw::SheetLayout::Horizontal1, "/sheet_window.png"},
                  {qv::draw::SheetLayout::Vertical1, "/sheet_window_portrait.png"}};
    for (const auto& sheet : sheets) {
        qv::TFgrNaSpa window(sheet.layout, &main);
        if (!window.loadSheet()) continue;
        window.setWindowState(Qt::WindowNoState);
        window.resize(screenWidth, screenHeight);
        window.show();
        while (!window.sheetShown()) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        save(window, out + sheet.file);
    }
    analysisWindow(main, screenWidth, screenHeight, out, everyView);
    timingWindows(main, out);
    std::filesystem::remove_all(scratch);
    return 0;
}
