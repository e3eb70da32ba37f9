// The printable sheet window driven through its controls: each layout opens
// and draws, zoom, fit, drag and wheel move the preview by their rules,
// black-and-white and spindles redraw, "Salva PDF" and printing write one
// page of the layout's orientation (two with the Epson lead-in page) and
// without a printer only the files remain, the
// picture export writes Emf\GRAFnn.SVG, its orientation line and the
// clipboard, refuses other names, and the viewer shows a saved picture; the
// main window's four buttons open the window.
#include "archive/archive_files.h"
#include "archive/subject_registration.h"
#include "base/data_dir.h"
#include "base/text_file.h"
#include "display/display_scales.h"
#include "display/ui/picture_viewer.h"
#include "display/ui/sheet_window.h"
#include "settings/display_settings.h"
#include "shell/ui/main_window.h"
#include "tests/support/example_subject.h"
#include "tests/support/pdf_text.h"
#include "tests/support/temp_data_dir.h"
#include "tests/windows/subject_windows_support.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include "tests/support/window_tests.h"

#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <functional>

using namespace qv;

Q_DECLARE_METATYPE(qv::draw::SheetLayout)

namespace sheet_window_test {
using draw::SheetLayout;

// Runs `answer` on the next modal window of type T once it is up.
template <typename T>
class ModalAnswer : public QObject {
public:
    bool answered = false;
    explicit ModalAnswer(std::function<void(T*)> answer) : answer_(std::move(answer)) {
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* modal = qobject_cast<T*>(QApplication::activeModalWidget());
            if (!modal) return;
            timer_.stop();
            answered = true;
            answer_(modal);
        });
        timer_.start(10);
    }

private:
    std::function<void(T*)> answer_;
    QTimer timer_;
};

// The pages of a PDF file and whether the first one lies in landscape.
struct PdfPages {
    int count = 0;
    bool landscape = false;
};

PdfPages pdfPages(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) return {};
    const QString pdf = QString::fromLatin1(in.readAll());
    PdfPages pages;
    pages.count = static_cast<int>(pdf.count(QRegularExpression("/Type\\s*/Page[^s]")));
    const auto box = QRegularExpression("/MediaBox\\s*\\[\\s*0\\s+0\\s+([\\d.]+)\\s+([\\d.]+)").match(pdf);
    pages.landscape = box.hasMatch() && box.captured(1).toDouble() > box.captured(2).toDouble();
    return pages;
}

// Pixels whose channels differ: anything drawn in colour.
int colouredPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) {
            const QColor c = image.pixelColor(x, y);
            if (std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()}) > 40) ++n;
        }
    return n;
}

// The example subject's lines on every printed sheet.
const QStringList kExampleSubjectOnPaper = {"ROSSI MARIA", "TEMA DI NASCITA", "14/07/1968 06:35", "45N28-009E11"};

void click(QWidget* window, const char* button) {
    auto* b = window->findChild<QPushButton*>(button);
    QVERIFY2(b, button);
    QTest::mouseClick(b, Qt::LeftButton);
}

class SheetWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDataDir> dir_;
    std::unique_ptr<test::RecordedBoxes> boxes_;

    std::unique_ptr<TFgrNaSpa> openSheet(SheetLayout layout) {
        auto window = std::make_unique<TFgrNaSpa>(layout);
        if (!window->loadSheet()) return nullptr;
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get())) return nullptr;
        if (!QTest::qWaitFor([&] { return window->sheetShown(); }, 3000)) return nullptr;
        return window;
    }

    QStringList orientationLines() { return QString::fromStdString([] {
        std::string all;
        for (const std::string& l : readTextLines(dataDir().resolve("Emf\\TipGraf.Set"))) all += l + "\n";
        return all;
    }()).split('\n', Qt::SkipEmptyParts); }

private slots:
    void init() {
        dir_ = std::make_unique<test::TempDataDir>(true);
        boxes_ = std::make_unique<test::RecordedBoxes>();
        setScreenScales(800, 600);
        setPrinterScale(4677);
        test::registerExampleSubject();
    }
    void cleanup() {
        boxes_.reset();
        dir_.reset();
    }

    void eachLayoutOpensInItsOrientationAndDraws_data() {
        QTest::addColumn<SheetLayout>("layout");
        QTest::newRow("Verticale 1") << SheetLayout::Vertical1;
        QTest::newRow("Verticale 2") << SheetLayout::Vertical2;
        QTest::newRow("Orizzontale 1") << SheetLayout::Horizontal1;
        QTest::newRow("Orizzontale 2") << SheetLayout::Horizontal2;
    }
    void eachLayoutOpensInItsOrientationAndDraws() {
        QFETCH(SheetLayout, layout);
        auto window = openSheet(layout);
        QVERIFY(window);
        const bool landscape = draw::isLandscape(layout);
        QCOMPARE(window->printerLandscape(), landscape);
        // A portrait page at half size, a quarter of the screen in; a landscape one whole.
        QCOMPARE(window->preview().zoom, landscape ? 1.0 : 0.5);
        QCOMPARE(window->preview().x0, landscape ? 0 : window->width() / 4);
        const QImage shot = window->picture().toImage();
        QVERIFY(!shot.isNull());
        QVERIFY(colouredPixels(shot) > 1000);  // the wheel, the blocks and the yellow page frame
        QVERIFY((*boxes_)->shown.empty());
    }

    void zoomFitDragAndWheelMoveThePreview() {
        auto window = openSheet(SheetLayout::Vertical1);
        QVERIFY(window);
        const int cx = window->width() / 2, cy = window->height() / 2;
        click(window.get(), "BBlarghezza");
        QCOMPARE(window->preview().zoom, 1.0);
        QCOMPARE(window->preview().x0, 0);
        draw::SheetPreview expected;
        for (int i = 0; i < 11; ++i) {
            click(window.get(), "BBpiu");
            expected.zoomIn(cx, cy);
        }
        QCOMPARE(window->preview().zoom, 4.0);
        QCOMPARE(window->preview().x0, expected.x0);
        QCOMPARE(window->preview().y0, expected.y0);
        for (int i = 0; i < 20; ++i) click(window.get(), "BBmeno");
        QCOMPARE(window->preview().zoom, 0.4);
        click(window.get(), "BBaltezza");
        QCOMPARE(window->preview().zoom, 0.5);
        QCOMPARE(window->preview().x0, window->width() / 4);
        QCOMPARE(window->preview().y0, 0);

        auto* area = window->findChild<QWidget*>("PaintBox1");
        QVERIFY(area);
        const QPoint from(300, 200);
        const auto drag = [&](QPoint by) {
            QTest::mousePress(area, Qt::LeftButton, {}, from);
            QTest::mouseMove(area, from + by / 2);
            QTest::mouseMove(area, from + by);
            QTest::mouseRelease(area, Qt::LeftButton, {}, from + by);
        };
        const int x0 = window->preview().x0, y0 = window->preview().y0;
        drag(QPoint(2, -2));
        QCOMPARE(window->preview().x0, x0);
        QCOMPARE(window->preview().y0, y0);
        drag(QPoint(30, 1));
        QCOMPARE(window->preview().x0, x0 + 30);
        QCOMPARE(window->preview().y0, y0);
        drag(QPoint(-1, -45));
        QCOMPARE(window->preview().x0, x0 + 30);
        QCOMPARE(window->preview().y0, y0 - 45);

        QWheelEvent down(QPointF(300, 200), area->mapToGlobal(QPointF(300, 200)), {}, QPoint(0, -120), Qt::NoButton,
                         {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(area, &down);
        QCOMPARE(window->preview().y0, y0 - 45 + 20);
    }

    void blackAndWhiteAndSpindlesRedraw() {
        auto window = openSheet(SheetLayout::Horizontal1);
        QVERIFY(window);
        const QImage colour = window->picture().toImage();
        click(window.get(), "BBcolore");
        QVERIFY(window->monochrome());
        QCOMPARE(colouredPixels(window->picture().toImage()), 0);
        click(window.get(), "BBcolore");
        QVERIFY(!window->monochrome());
        QCOMPARE(window->picture().toImage(), colour);
        click(window.get(), "BBaspetti");
        QCOMPARE(window->aspectMode(), draw::AspectLineMode::Spindle);
        QVERIFY(window->picture().toImage() != colour);
    }

    void salvaPdfWritesOnePageInTheLayoutsOrientation_data() {
        QTest::addColumn<SheetLayout>("layout");
        QTest::addColumn<QStringList>("headings");  // of the layout's blocks, as printed
        QTest::newRow("Verticale 2") << SheetLayout::Vertical2
                                     << QStringList{"AFFINITA' ENERGETICHE", "AFFINITA' SPECULARI", "STOFFA ELEMENTARE"};
        QTest::newRow("Orizzontale 1") << SheetLayout::Horizontal1
                                       << QStringList{"LONGITUDINI", "Ascendente", "Giorno Planetario"};
    }
    void salvaPdfWritesOnePageInTheLayoutsOrientation() {
        QFETCH(SheetLayout, layout);
        QFETCH(QStringList, headings);
        auto window = openSheet(layout);
        QVERIFY(window);
        QTemporaryDir out;
        const QString file = out.filePath("tema");  // the extension is added
        ModalAnswer<QFileDialog> answer([&](QFileDialog* dialog) {
            QCOMPARE(dialog->objectName(), QString("SavePdfDialog"));
            QVERIFY(dialog->selectedFiles().value(0).endsWith("ROSSI_MARIA_" +
                                                              QString(draw::sheetLayoutCaption(layout)).trimmed().replace(' ', '_') + ".pdf"));
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(file);
            static_cast<QDialog*>(dialog)->accept();
        });
        click(window.get(), "BBsalvaPdf");
        QVERIFY(answer.answered);
        const PdfPages pages = pdfPages(file + ".pdf");
        QCOMPARE(pages.count, 1);
        QCOMPARE(pages.landscape, draw::isLandscape(layout));
        // The page says what the window shows: the subject, the birth and
        // the layout's own blocks, as text a reader gets back.
        const test::PdfText text = test::pdfText(file + ".pdf");
        QVERIFY2(text.error.isEmpty(), qPrintable(text.error));
        for (const QString& part : kExampleSubjectOnPaper + headings)
            QVERIFY2(text.has(part), qPrintable(part + "\n" + text.text));
        // The file written is confirmed, in one message.
        QCOMPARE((*boxes_)->shown.size(), std::size_t{1});
        QCOMPARE(boxes_->last(), "PDF salvato in " + QDir::toNativeSeparators(file + ".pdf"));
        // With no window manager the window took the screen's size itself.
        QCOMPARE(window->geometry().size(), QGuiApplication::primaryScreen()->geometry().size());
    }

    void printingWritesTheSheetAfterTheEpsonLeadInPage() {
        auto window = openSheet(SheetLayout::Horizontal2);
        QVERIFY(window);
        QTemporaryDir out;
        QPrinter& printer = window->printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(out.filePath("stampa.pdf"));
        ModalAnswer<QPrintDialog> answer([](QPrintDialog* dialog) { dialog->accept(); });
        click(window.get(), "BBstampa");
        QVERIFY(answer.answered);
        PdfPages pages = pdfPages(out.filePath("stampa.pdf"));
        QCOMPARE(pages.count, 1);
        QVERIFY(pages.landscape);
        const test::PdfText printed = test::pdfText(out.filePath("stampa.pdf"));
        QVERIFY2(printed.error.isEmpty(), qPrintable(printed.error));
        for (const QString& part : kExampleSubjectOnPaper + QStringList{"AFFINITA' SPECULARI"})
            QVERIFY2(printed.has(part), qPrintable(part + "\n" + printed.text));

        DisplaySettings settings = readDisplaySettings();
        settings.printerAdapted = 1;
        writeDisplaySettings(settings);
        printer.setOutputFileName(out.filePath("epson.pdf"));
        QVERIFY(window->printOn(printer));
        QCOMPARE(pdfPages(out.filePath("epson.pdf")).count, 2);
        // The sheet is the second page, whole; the lead-in page carries none of it.
        const test::PdfText leadIn = test::pdfText(out.filePath("epson.pdf"), 1, 1);
        const test::PdfText sheet = test::pdfText(out.filePath("epson.pdf"), 2, 2);
        QVERIFY2(leadIn.error.isEmpty() && sheet.error.isEmpty(), qPrintable(leadIn.error + sheet.error));
        QCOMPARE(sheet.text, printed.text);
        QVERIFY2(!leadIn.has("ROSSI MARIA"), qPrintable(leadIn.text));
        QVERIFY((*boxes_)->shown.empty());
    }

    void pictureExportWritesTheFileItsOrientationLineAndTheClipboard() {
        auto portrait = openSheet(SheetLayout::Vertical1);
        QVERIFY(portrait);
        auto* name = portrait->findChild<QComboBox*>("CBfile");
        QCOMPARE(name->count(), 15);
        name->setCurrentText("graf07.svg");
        click(portrait.get(), "BBsalvaSvg");
        QVERIFY(dataDir().exists("Emf\\GRAF07.SVG"));
        QStringList lines = orientationLines();
        QCOMPARE(lines.size(), 7);
        QCOMPARE(lines[6], QString("P"));
        const QMimeData* copied = QApplication::clipboard()->mimeData();
        QVERIFY(copied->hasFormat("image/svg+xml"));
        QVERIFY(copied->data("image/svg+xml").contains("<svg"));
        QVERIFY(copied->hasImage());
        const QImage image = qvariant_cast<QImage>(copied->imageData());
        QVERIFY(image.height() > image.width());

        // The orientation button turns the page: the next picture is landscape.
        click(portrait.get(), "BBorienta");
        QVERIFY(portrait->printerLandscape());
        name->setCurrentText("GRAF03.SVG");
        click(portrait.get(), "BBsalvaSvg");
        lines = orientationLines();
        QCOMPARE(lines[2], QString("L"));
        QCOMPARE(lines[6], QString("P"));

        // Beyond the list of fifteen the name is kept and the list grows.
        name->setCurrentText("GRAF16.SVG");
        click(portrait.get(), "BBsalvaSvg");
        QCOMPARE(orientationLines().size(), 16);
        QVERIFY((*boxes_)->shown.empty());

        for (const char* refused : {"GRAF01.EMF", "GRAF01.SVG.BAK", "TEMA.SVG", "GRAF00.SVG", ""}) {
            name->setCurrentText(refused);
            click(portrait.get(), "BBsalvaSvg");
            QCOMPARE(boxes_->last(), QString("File deve essere .SVG"));
            click(portrait.get(), "BBrichiamaSvg");
            QCOMPARE((*boxes_)->shown.back().text, QString("File deve essere .SVG"));
        }
        QCOMPARE((*boxes_)->shown.size(), std::size_t{10});
        QCOMPARE(orientationLines().size(), 16);
        QVERIFY(!dataDir().exists("Emf\\GRAF01.SVG"));
    }

    void viewerShowsASavedPictureAtTheSizeOfItsOrientation() {
        auto window = openSheet(SheetLayout::Vertical1);
        QVERIFY(window);
        auto* name = window->findChild<QComboBox*>("CBfile");
        name->setCurrentText("GRAF07.SVG");
        click(window.get(), "BBsalvaSvg");
        click(window.get(), "BBlarghezza");
        click(window.get(), "BBpiu");
        struct Seen {
            QSize size;
            bool picture = false;
            QString title;
        } seen;
        {
            ModalAnswer<TFoMetGra> answer([&](TFoMetGra* viewer) {
                seen = {viewer->size(), viewer->hasPicture(), viewer->windowTitle()};
                click(viewer, "BBchiudi");
            });
            click(window.get(), "BBrichiamaSvg");
            QVERIFY(answer.answered);
        }
        QCOMPARE(seen.size, QSize(450, 680));
        QVERIFY(seen.picture);
        QVERIFY(seen.title.endsWith("/Emf/GRAF07.SVG   "));
        QCOMPARE(window->preview().zoom, 1.0);  // back to the whole width

        name->setCurrentText("GRAF09.SVG");  // never saved: an empty landscape viewer
        ModalAnswer<TFoMetGra> answer([&](TFoMetGra* viewer) {
            seen = {viewer->size(), viewer->hasPicture(), viewer->windowTitle()};
            click(viewer, "BBchiudi");
        });
        click(window.get(), "BBrichiamaSvg");
        QCOMPARE(seen.size, QSize(660, 510));
        QVERIFY(!seen.picture);
        QVERIFY((*boxes_)->shown.empty());
    }

    void withoutAPrinterThereIsNothingToPrintSetUpOrTurn() {
        setPrinterScale(0);
        auto window = openSheet(SheetLayout::Vertical1);
        QVERIFY(window);
        for (const char* button : {"BBstampa", "BBsetup", "BBorienta"})
            QVERIFY2(!window->findChild<QPushButton*>(button)->isEnabled(), button);
        QVERIFY(window->findChild<QPushButton*>("BBsalvaPdf")->isEnabled());
        QCOMPARE(window->preview().zoom, 1.0);  // no page to fit
        // A picture saved without a printer is recorded as landscape.
        window->findChild<QComboBox*>("CBfile")->setCurrentText("GRAF05.SVG");
        click(window.get(), "BBsalvaSvg");
        QCOMPARE(orientationLines().value(4), QString("L"));
    }

    void withoutASubjectTheWindowSaysSoAndStaysClosed() {
        dir_ = std::make_unique<test::TempDataDir>(true);
        TFgrNaSpa window(SheetLayout::Vertical1);
        QVERIFY(!window.loadSheet());
        QVERIFY(boxes_->last().startsWith("Nessun soggetto selezionato"));
    }

    void mainWindowButtonsOpenTheirSheets() {
        TFoSpagyr main;
        main.FormActivate();
        const struct {
            const char* button;
            const char* caption;
            SheetLayout layout;
        } buttons[] = {{"BBorizzontale1", "Orizzontale 1 ", SheetLayout::Horizontal1},
                       {"BBorizzontale2", "Orizzontale 2", SheetLayout::Horizontal2},
                       {"BBverticale1", "Verticale 1", SheetLayout::Vertical1},
                       {"BBverticale2", "Verticale 2", SheetLayout::Vertical2}};
        for (const auto& b : buttons) {
            auto* button = main.findChild<QPushButton*>(b.button);
            QVERIFY2(button, b.button);
            QCOMPARE(button->text(), QString(b.caption));
            std::optional<SheetLayout> opened;
            ModalAnswer<TFgrNaSpa> answer([&](TFgrNaSpa* sheet) {
                opened = sheet->layout();
                click(sheet, "BBritorna");
            });
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(opened, std::optional<SheetLayout>(b.layout));
        }
        QVERIFY((*boxes_)->shown.empty());
    }
};

QV_WINDOW_TEST(SheetWindowTest)
} // namespace sheet_window_test
#include "sheet_window_test.moc"
