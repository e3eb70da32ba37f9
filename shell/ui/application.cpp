// quorendaville: the desktop program.
#include "consultations/subject_lifecycle.h"
#include "settings/chart_settings.h"
#include "archive/data_directory_startup.h"
#include "base/data_dir.h"
#include "datatemplate/template_update.h"
#include "datatemplate/template_files.h"
#include "base/ui/dialogs.h"
#include "base/ui/qt_text.h"
#include "base/ui/user_action.h"
#include "display/display_scales.h"
#include "display/qt_messages.h"
#include "ephemeris/chart_state.h"
#include "shell/ui/main_window.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <cstdlib>
#include <cstdio>
#include <string>

namespace {

// The default printer's page, or a PDF file as the printer when the machine
// has none: printing is then still possible.
int printerPageWidthPixels() {
    QPrinter printer(QPrinter::HighResolution);
    if (QPrinterInfo::defaultPrinter().isNull()) printer.setOutputFormat(QPrinter::PdfFormat);
    if (!printer.isValid()) return 0;
    printer.setPageOrientation(QPageLayout::Landscape);
    return printer.pageLayout().paintRectPixels(printer.resolution()).width();
}

const char* const kUsage =
    "Uso: quorendaville [--data-dir CARTELLA]\n"
    "\n"
    "Quorendaville, il programma da scrivania della spagiria astrologica: tema natale,\n"
    "analisi tradizionali, archivi dei soggetti, schede da stampare e rimedi spagirici.\n"
    "\n"
    "Opzioni:\n"
    "  --data-dir CARTELLA  la cartella dei dati (archivi, impostazioni, tabelle);\n"
    "                       senza, ~/.local/share/quorendaville\n"
    "  --verbose            i messaggi interni di Qt anche sullo standard error\n"
    "  --help               questo aiuto\n"
    "  --version            la versione del programma\n"
    "\n"
    "Lo stesso motore senza finestre: quorendaville-cli --help\n";

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--version") {
            std::printf("quorendaville %s\n", QV_VERSION);
            return 0;
        }
    }
    // Qt's own warnings go to the data directory's log (with --verbose to
    // standard error as well), never to the user's terminal.
    bool verbose = false;
    for (int i = 1; i < argc; ++i) verbose = verbose || std::string(argv[i]) == "--verbose";
    qv::installQtMessageLog(verbose);
    QApplication app(argc, argv);
    QApplication::setApplicationName("quorendaville");
    QApplication::setApplicationDisplayName("Quorendaville");
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

    QTranslator qtItalian;
    if (qtItalian.load(QLocale(QLocale::Italian), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtItalian);

    std::filesystem::path root = qv::defaultDataDirRoot();
    const QStringList args = QApplication::arguments();
    const qsizetype at = args.indexOf("--data-dir");
    if (at >= 0 && at + 1 < args.size()) root = args[at + 1].toStdString();
    qv::PreparedDataDirectory prepared;
    if (!qv::runUserAction(nullptr, [&] { prepared = qv::prepareDataDirectory(root, qv::templateDir()); })) return 1;
    if (!prepared.refusal.empty()) {
        qv::dialogs().warning(nullptr, qv::fromCp1252(prepared.refusal));
        return 1;
    }
    // The log lies in the data directory, which a first start has only now
    // made: named before, its first message would find no folder and the
    // log would be given up for the whole run. Messages until here wait in
    // memory.
    qv::setQtMessageLogFile(qv::qtMessageLogIn(root));
    // A correction or deletion of a subject that a stop cut short is
    // finished or undone before any window reads the archives.
    std::string finished;
    qv::runUserAction(nullptr, [&] { finished = qv::consultations::finishInterruptedSubjectChange(); });
    if (!finished.empty()) qv::dialogs().information(nullptr, qv::fromCp1252(finished));

    // Modules: chart state cleared, chart settings loaded, screen and printer scales.
    qv::resetChartState();
    qv::runUserAction(nullptr, [] { qv::LoadActiveOrbs(); });
    if (const QScreen* screen = QApplication::primaryScreen())
        qv::setScreenScales(screen->geometry().width(), screen->geometry().height());
    const int pageWidth = printerPageWidthPixels();
    qv::setPrinterScale(pageWidth);
    if (pageWidth <= 0)
        qv::dialogs().warning(nullptr, "OCCORRE INSTALLARE DRIVER STAMPANTE - VEDERE MANUALE (inizio)");

    qv::TFoSpagyr window;
    window.show();
    if (const QScreen* screen = window.screen()) {
        const QRect available = screen->availableGeometry();
        window.move(available.center() - window.rect().center());
    }
    // For the start-up benchmark: quit once the main window is on screen.
    if (std::getenv("QV_QUIT_WHEN_SHOWN")) QTimer::singleShot(0, &app, &QApplication::quit);
    if (qv::takeDatabaseUpdateNotice(qv::dataDir())) {
        std::string notice = qv::databaseUpdateKeptNotice();
        notice.erase(0, notice.find(": ") + 2);
        qv::dialogs().information(&window, qv::fromCp1252(notice + ": " + (qv::templateDir() / "OpzioneH").string()));
    }
    return app.exec();
}
