// The subject text editor window: opening, the modified mark, the save
// question, Save As, the status bar, hints, the ruler, fonts, dropping a
// file and printing.
#include "archive/side_files.h"
#include "base/data_dir.h"
#include "base/text_file.h"
#include "editor/ui/indent_ruler.h"
#include "editor/ui/text_editor_window.h"
#include "tests/support/pdf_text.h"
#include "tests/support/recorded_boxes.h"
#include "tests/support/temp_data_dir.h"
#include "tests/windows/subject_windows_support.h"

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QFileDialog>
#include <QFontComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSpinBox>
#include <QStatusBar>
#include "tests/support/window_tests.h"

#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

using namespace qv;

namespace text_editor_window_test {

constexpr const char* kDocument = "BASEtxt\\00001.txt";

std::string bytesOf(const std::filesystem::path& file) { return readWholeFile(file); }

// Answers the next file dialog: chooses `file`, or cancels when empty.
// Returns the title of the dialog that was answered.
class FileDialogAnswer : public QObject {
public:
    QString title;
    explicit FileDialogAnswer(QString file) : file_(std::move(file)) {
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            timer_.stop();
            title = dialog->objectName();
            if (file_.isEmpty()) {
                dialog->reject();
            } else {
                // The name typed into the dialog's file name field.
                if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit")) name->setText(file_);
                static_cast<QDialog*>(dialog)->accept();
            }
        });
        timer_.start(10);
    }

private:
    QString file_;
    QTimer timer_;
};

class TextEditorWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDataDir> dir_;
    std::filesystem::path document_;

private slots:
    void init() {
        dir_ = std::make_unique<test::TempDataDir>();
        document_ = dataDir().prepareForWrite(kDocument);
        writeFileAtomically(document_, "ROSSI MARIO\r\nseconda riga\r\n");
    }
    void cleanup() { dir_.reset(); }

    void anOpenedDocumentClosesWithoutQuestion() {
        test::RecordedBoxes boxes;
        TFoReMaiH editor{QString(kDocument)};
        QCOMPARE(editor.textArea()->toPlainText(), QString("ROSSI MARIO\nseconda riga"));
        QCOMPARE(editor.windowTitle(), QString("00001.txt   "));
        QCOMPARE(editor.documentName(), QString::fromStdString(document_.string()));
        QCOMPARE(editor.positionPanel(), QString("Line:   1   Col:   1"));
        QCOMPARE(editor.modifiedPanel(), QString());
        QCOMPARE(editor.textArea()->document()->defaultFont().family(), QString("Arial Narrow"));
        QCOMPARE(editor.textArea()->document()->defaultFont().pointSize(), 12);
        editor.show();
        QVERIFY(editor.close());
        QVERIFY(boxes->shown.empty());
    }

    void theHandedOverDocumentIsOpened() {
        writeEditedDocument(kDocument);
        TFoReMaiH editor;
        QCOMPARE(editor.documentName(), QString::fromStdString(document_.string()));
        removeFileForTest(dir_->path() / "FileDum" / "DatModif.dum");
        TFoReMaiH fresh;
        QCOMPARE(fresh.documentName(), QString("Untitled"));
        QCOMPARE(fresh.windowTitle(), QString("Untitled   "));
    }

    void theSaveQuestionOnClosing_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QString>("fileText");
        const QString unchanged = "ROSSI MARIO\r\nseconda riga\r\n";
        QTest::newRow("Cancel keeps text and mark") << int(Dialogs::Answer::Cancel) << false << unchanged;
        QTest::newRow("No closes without saving") << int(Dialogs::Answer::No) << true << unchanged;
        QTest::newRow("Yes saves and closes") << int(Dialogs::Answer::Yes) << true
                                              << QString("XROSSI MARIO\r\nseconda riga\r\n");
    }
    void theSaveQuestionOnClosing() {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        QFETCH(QString, fileText);
        test::RecordedBoxes boxes;
        TFoReMaiH editor{QString(kDocument)};
        editor.show();
        QTest::keyClicks(editor.textArea(), "X");
        QCOMPARE(editor.modifiedPanel(), QString("Modified"));
        boxes->answers = {static_cast<Dialogs::Answer>(answer)};
        editor.close();
        QCOMPARE(boxes.last(), "Save changes to " + editor.documentName() + "?");
        QCOMPARE(editor.isVisible(), !closed);
        QCOMPARE(QString::fromStdString(bytesOf(document_)), fileText);
        QCOMPARE(editor.textArea()->toPlainText(), QString("XROSSI MARIO\nseconda riga"));
        QCOMPARE(editor.modifiedPanel(), closed && answer == int(Dialogs::Answer::Yes) ? QString() : QString("Modified"));
    }

    void theStatusBarFollowsTheCaret() {
        TFoReMaiH editor{QString(kDocument)};
        QTextCursor cursor = editor.textArea()->textCursor();
        cursor.movePosition(QTextCursor::Down);
        cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 2);
        editor.textArea()->setTextCursor(cursor);
        QCOMPARE(editor.positionPanel(), QString("Line:   2   Col:   3"));
        QTest::keyClick(editor.textArea(), Qt::Key_End);
        QCOMPARE(editor.positionPanel(), QString("Line:   2   Col:  13"));
    }

    void savingAnUntitledDocumentAsksForAName() {
        test::RecordedBoxes boxes;
        TFoReMaiH editor;
        QTest::keyClicks(editor.textArea(), "nuovo");
        {
            FileDialogAnswer cancel{QString()};
            QVERIFY(!editor.FileSaveClick());
            QCOMPARE(cancel.title, QString("SaveDialog"));
        }
        QVERIFY(editor.modified());
        QCOMPARE(editor.documentName(), QString("Untitled"));
        QVERIFY2(std::filesystem::exists(dir_->path() / "MieiTesti"), "the dialogs start there");

        const QString existing = QString::fromStdString(document_.string());
        boxes->answers = {Dialogs::Answer::No};
        {
            FileDialogAnswer choose{existing};
            QVERIFY(!editor.FileSaveClick());
        }
        QCOMPARE(boxes.last(), "OK to overwrite " + existing);
        QCOMPARE(bytesOf(document_), std::string("ROSSI MARIO\r\nseconda riga\r\n"));
        boxes->answers = {Dialogs::Answer::Yes};
        {
            FileDialogAnswer choose{existing};
            QVERIFY(editor.FileSaveClick());
        }
        QCOMPARE(bytesOf(document_), std::string("nuovo\r\n"));
        QCOMPARE(editor.documentName(), existing);
        QCOMPARE(editor.windowTitle(), QString("00001.txt   "));
        QVERIFY(!editor.modified());
        // Now named: Save writes without a dialog.
        QTest::keyClicks(editor.textArea(), "!");
        QVERIFY(editor.FileSaveClick());
        QCOMPARE(bytesOf(document_), std::string("nuovo!\r\n"));
    }

    void aNewDocumentAsksBeforeDroppingChanges() {
        test::RecordedBoxes boxes;
        TFoReMaiH editor{QString(kDocument)};
        QTest::keyClicks(editor.textArea(), "a");
        boxes->answers = {Dialogs::Answer::Cancel};
        editor.findChild<QAction*>("FileNewItem")->trigger();
        QCOMPARE(editor.textArea()->toPlainText(), QString("aROSSI MARIO\nseconda riga"));
        boxes->answers = {Dialogs::Answer::No};
        editor.findChild<QAction*>("FileNewItem")->trigger();
        QCOMPARE(editor.textArea()->toPlainText(), QString());
        QCOMPARE(editor.documentName(), QString("Untitled"));
        QVERIFY(!editor.modified());
    }

    void openAsksTheSaveQuestionThenLoadsTheChosenFile() {
        test::RecordedBoxes boxes;
        const auto other = dir_->path() / "altro.txt";
        writeFileAtomically(other, "Altro\ntesto");
        TFoReMaiH editor{QString(kDocument)};
        QTest::keyClicks(editor.textArea(), "a");
        boxes->answers = {Dialogs::Answer::Cancel};
        editor.findChild<QAction*>("FileOpenItem")->trigger();
        QCOMPARE(editor.textArea()->toPlainText(), QString("aROSSI MARIO\nseconda riga"));
        boxes->answers = {Dialogs::Answer::No};
        {
            FileDialogAnswer choose{QString::fromStdString(other.string())};
            editor.findChild<QAction*>("FileOpenItem")->trigger();
            QCOMPARE(choose.title, QString("OpenDialog"));
        }
        QCOMPARE(editor.textArea()->toPlainText(), QString("Altro\ntesto"));
        QCOMPARE(editor.documentName(), QString::fromStdString(other.string()));
        QVERIFY(!editor.modified());
    }

    void aDroppedFileIsOpenedAfterTheSaveQuestion() {
        test::RecordedBoxes boxes;
        const auto other = dir_->path() / "altro.txt";
        writeFileAtomically(other, "Altro testo\r\n");
        TFoReMaiH editor{QString(kDocument)};
        QTest::keyClicks(editor.textArea(), "a");
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(other.string())),
                      QUrl::fromLocalFile(QString::fromStdString(document_.string()))});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&editor, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        boxes->answers = {Dialogs::Answer::No};
        QApplication::sendEvent(&editor, &drop);
        QTRY_COMPARE(editor.textArea()->toPlainText(), QString("Altro testo"));
        QCOMPARE(boxes->shown.size(), std::size_t(1));
        QCOMPARE(editor.windowTitle(), QString("altro.txt   "));
        QVERIFY(!editor.modified());
    }

    void editingCommandsFollowTheText() {
        TFoReMaiH editor{QString(kDocument)};
        auto* undo = editor.findChild<QAction*>("EditUndoItem");
        auto* cut = editor.findChild<QAction*>("EditCutItem");
        auto* copy = editor.findChild<QAction*>("EditCopyItem");
        QVERIFY(!undo->isEnabled() && !cut->isEnabled() && !copy->isEnabled());
        QTest::keyClicks(editor.textArea(), "z");
        QVERIFY(undo->isEnabled());
        editor.textArea()->selectAll();
        QVERIFY(cut->isEnabled() && copy->isEnabled());
        undo->trigger();
        QCOMPARE(editor.textArea()->toPlainText(), QString("ROSSI MARIO\nseconda riga"));
    }

    void hintsShowInTheStatusBar() {
        TFoReMaiH editor{QString(kDocument)};
        editor.show();
        auto* bar = editor.findChild<QStatusBar*>("StatusBar");
        auto* tools = editor.findChild<QToolBar*>("ToolBar");
        const std::pair<const char*, QString> hints[] = {
            {"FileNewItem", "Crea Nuovo File"}, {"FileOpenItem", "Apri un File Esistente"},
            {"FileSaveItem", "Salva il File Attuale"}, {"FilePrintItem", "Stampa il File Attuale"},
            {"EditCutItem", "Elimina Parte Selezionata"}, {"EditCopyItem", "Copia Parte Selezionata"},
            {"EditPasteItem", "Incolla"}, {"EditUndoItem", "Annulla Ultima Operazione"},
        };
        for (const auto& [action, hint] : hints) {
            QWidget* button = tools->widgetForAction(editor.findChild<QAction*>(action));
            QVERIFY(button);
            QCOMPARE(button->toolTip(), hint);
            QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
            QApplication::sendEvent(button, &enter);
            QCOMPARE(bar->currentMessage(), hint);
        }
        for (const char* box : {"FontName", "FontSize"}) {
            QWidget* w = editor.findChild<QWidget*>(box);
            QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
            QApplication::sendEvent(w, &enter);
            QCOMPARE(bar->currentMessage(), w->toolTip());
        }
        QCOMPARE(editor.findChild<QWidget*>("FontName")->toolTip(), QString("Nome del Font"));
        QCOMPARE(editor.findChild<QWidget*>("FontSize")->toolTip(), QString("Grandezza Font"));
    }

    void theFontBoxesApplyToTheSelectionAndFollowTheCaret() {
        TFoReMaiH editor{QString(kDocument)};
        auto* size = editor.findChild<QSpinBox*>("FontSize");
        auto* name = editor.findChild<QFontComboBox*>("FontName");
        QCOMPARE(size->value(), 12);
        QTextCursor cursor = editor.textArea()->textCursor();
        cursor.movePosition(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);  // "ROSSI"
        editor.textArea()->setTextCursor(cursor);
        size->setValue(20);
        name->setCurrentFont(QFont("Liberation Mono"));
        QTextCursor probe(editor.textArea()->document());
        probe.setPosition(2);
        QCOMPARE(probe.charFormat().fontPointSize(), 20.0);
        QCOMPARE(probe.charFormat().font().family(), QString("Liberation Mono"));
        probe.setPosition(8);
        QCOMPARE(probe.charFormat().font().pointSize(), 12);  // after the selection: as it was
        QVERIFY(editor.modified());
        // Back on the unchanged text the boxes show its font.
        cursor.setPosition(10);
        editor.textArea()->setTextCursor(cursor);
        QCOMPARE(size->value(), 12);
        cursor.setPosition(3);
        editor.textArea()->setTextCursor(cursor);
        QCOMPARE(size->value(), 20);
    }

    void aDraggedRulerMarkerIndentsTheParagraph() {
        TFoReMaiH editor{QString(kDocument)};
        editor.resize(700, 400);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        auto* ruler = editor.findChild<IndentRuler*>("Ruler");
        const int width = ruler->width();
        QCOMPARE(ruler->markerEdge(IndentRuler::Marker::Right), rightMarkerEdge({}, width));
        // The left marker (lower half) dragged by its middle to x = 105.
        const int y = ruler->height() - 5;
        QTest::mousePress(ruler, Qt::LeftButton, {}, QPoint(leftMarkerEdge({}) + 5, y));
        QMouseEvent move(QEvent::MouseMove, QPointF(105, y), ruler->mapToGlobal(QPointF(105, y)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(ruler, &move);
        QCOMPARE(ruler->markerEdge(IndentRuler::Marker::Left), 100);
        QTest::mouseRelease(ruler, Qt::LeftButton, {}, QPoint(105, y));
        const ParagraphIndents expected = droppedLeftMarker({}, 100);  // {0, 74, 0}
        QCOMPARE(ruler->indents().left, expected.left);
        QCOMPARE(ruler->markerEdge(IndentRuler::Marker::Left), leftMarkerEdge(expected));
        const QTextBlockFormat format = editor.textArea()->textCursor().blockFormat();
        QCOMPARE(format.leftMargin(), 74 * 4.0 / 3.0);
        QCOMPARE(format.textIndent(), -74 * 4.0 / 3.0);
        QVERIFY(editor.modified());
        // The second paragraph keeps its indents; the ruler shows them.
        QTextCursor cursor = editor.textArea()->textCursor();
        cursor.movePosition(QTextCursor::NextBlock);
        editor.textArea()->setTextCursor(cursor);
        QCOMPARE(ruler->markerEdge(IndentRuler::Marker::Left), 2);
        editor.textArea()->document()->setModified(false);
    }

    void printingWritesThePagesWithTheDocumentName() {
        TFoReMaiH editor{QString(kDocument)};
        const auto pdf = dir_->path() / "stampa.pdf";
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf.string()));
        QVERIFY(editor.printTo(&printer));
        QCOMPARE(printer.docName(), editor.documentName());
        QCOMPARE(bytesOf(pdf).substr(0, 5), std::string("%PDF-"));
        const test::PdfText printed = test::pdfText(QString::fromStdString(pdf.string()));
        QVERIFY2(printed.error.isEmpty(), qPrintable(printed.error));
        QCOMPARE(printed.text, QString("ROSSI MARIO seconda riga 1"));  // the page number under the text

        // A file that cannot be written is told, not passed over in silence.
        test::RecordedBoxes shown;
        QPrinter nowhere(QPrinter::HighResolution);
        nowhere.setOutputFormat(QPrinter::PdfFormat);
        nowhere.setOutputFileName(QString::fromStdString((dir_->path() / "missing folder" / "stampa.pdf").string()));
        QVERIFY(!editor.printTo(&nowhere));
        QCOMPARE(shown->shown.size(), std::size_t(1));
        QVERIFY(shown.last().contains("stampa.pdf"));
    }

    // Without a printer the text is printed into a PDF file; a name typed
    // without extension becomes NAME.pdf, not NAME.txt.pdf.
    void printingWithoutAPrinterWritesTheNamedPdf() {
        if (!QPrinterInfo::availablePrinters().isEmpty()) QSKIP("this machine has a printer");
        TFoReMaiH editor{QString(kDocument)};
        {
            FileDialogAnswer choose{"stampa"};
            editor.FilePrintClick();
        }
        const auto folder = dir_->path() / "MieiTesti";
        QCOMPARE(bytesOf(folder / "stampa.pdf").substr(0, 5), std::string("%PDF-"));
        const test::PdfText printed = test::pdfText(QString::fromStdString((folder / "stampa.pdf").string()));
        QVERIFY2(printed.error.isEmpty(), qPrintable(printed.error));
        QCOMPARE(printed.text, QString("ROSSI MARIO seconda riga 1"));  // the page number under the text
        QVERIFY(!std::filesystem::exists(folder / "stampa.txt.pdf"));
    }

private:
    static void removeFileForTest(const std::filesystem::path& file) { std::filesystem::remove(file); }
};

QV_WINDOW_TEST(TextEditorWindowTest)
} // namespace text_editor_window_test
#include "text_editor_window_test.moc"
