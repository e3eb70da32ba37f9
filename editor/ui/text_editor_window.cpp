#include "editor/ui/text_editor_window.h"

#include "base/ui/dialogs.h"
#include "base/ui/storable_text.h"
#include "base/ui/qt_text.h"
#include "base/ui/user_action.h"
#include "editor/editor_document.h"
#include "editor/ui/indent_ruler.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontComboBox>
#include <QFontDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSpinBox>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <filesystem>
#include <functional>

namespace qv {

namespace {

// The paragraph indents kept with each paragraph, in points, beside the
// margins in pixels that lay the paragraph out.
constexpr int kFirstIndentProperty = QTextFormat::UserProperty + 1;
constexpr int kLeftIndentProperty = QTextFormat::UserProperty + 2;
constexpr int kRightIndentProperty = QTextFormat::UserProperty + 3;

ParagraphIndents indentsOf(const QTextBlockFormat& f) {
    return {f.intProperty(kFirstIndentProperty), f.intProperty(kLeftIndentProperty),
            f.intProperty(kRightIndentProperty)};
}

QTextBlockFormat blockFormatOf(const ParagraphIndents& in) {
    constexpr double p = 4.0 / 3.0;
    QTextBlockFormat f;
    f.setProperty(kFirstIndentProperty, in.first);
    f.setProperty(kLeftIndentProperty, in.left);
    f.setProperty(kRightIndentProperty, in.right);
    // Lines after the first start at first + left; the first line at first.
    f.setLeftMargin((in.first + in.left) * p);
    f.setTextIndent(-in.left * p);
    f.setRightMargin(in.right * p);
    return f;
}

// The local files of a drag, when it carries any.
QStringList localFiles(const QMimeData* mime) {
    QStringList files;
    if (!mime || !mime->hasUrls()) return files;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile()) files << url.toLocalFile();
    return files;
}

// The text area: plain text only; files dropped on it go to the window.
class DocumentArea : public QTextEdit {
public:
    std::function<void(const QStringList&)> filesDropped;

    explicit DocumentArea(QWidget* parent) : QTextEdit(parent) {}

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override {
        return !localFiles(source).isEmpty() || QTextEdit::canInsertFromMimeData(source);
    }
    void insertFromMimeData(const QMimeData* source) override {
        const QStringList files = localFiles(source);
        if (files.isEmpty()) {
            QTextEdit::insertFromMimeData(source);
            return;
        }
        // The save question must not run inside the drop itself.
        QTimer::singleShot(0, this, [this, files] {
            if (filesDropped) filesDropped(files);
        });
    }
};

// The toolbar pictures, drawn rather than loaded.
enum class Picture { New, Open, Save, Print, Cut, Copy, Paste, Undo };

void drawPage(QPainter& p, QRectF r) {
    QPainterPath page;
    page.moveTo(r.left(), r.top());
    page.lineTo(r.right() - 4, r.top());
    page.lineTo(r.right(), r.top() + 4);
    page.lineTo(r.right(), r.bottom());
    page.lineTo(r.left(), r.bottom());
    page.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(page);
    for (double y = r.top() + 5; y < r.bottom() - 2; y += 3) p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 3, y));
}

QIcon picture(Picture which) {
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    switch (which) {
    case Picture::New:
        drawPage(p, QRectF(4.5, 1.5, 11, 16));
        break;
    case Picture::Open:
        p.setBrush(QColor(0xe8, 0xc0, 0x50));
        p.drawRect(QRectF(1.5, 5.5, 16, 11));
        p.drawRect(QRectF(1.5, 3.5, 6, 2));
        p.setBrush(QColor(0xf6, 0xd8, 0x78));
        p.drawPolygon(QPolygonF({QPointF(4.5, 8.5), QPointF(19, 8.5), QPointF(17.5, 16.5), QPointF(1.5, 16.5)}));
        break;
    case Picture::Save:
        p.setBrush(QColor(0x30, 0x50, 0xa0));
        p.drawRect(QRectF(2.5, 2.5, 15, 15));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.5, 2.5, 9, 6));
        p.setBrush(QColor(0xc0, 0xc0, 0xc0));
        p.drawRect(QRectF(5.5, 11.5, 9, 6));
        break;
    case Picture::Print:
        drawPage(p, QRectF(5.5, 1.5, 9, 8));
        p.setBrush(QColor(0x90, 0x90, 0x90));
        p.drawRoundedRect(QRectF(1.5, 8.5, 17, 7), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.5, 13.5, 9, 5));
        break;
    case Picture::Cut:
        p.setPen(QPen(QColor(40, 40, 40), 1.5));
        p.drawLine(QPointF(6, 2), QPointF(13, 13));
        p.drawLine(QPointF(14, 2), QPointF(7, 13));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(6, 15.5), 3, 3);
        p.drawEllipse(QPointF(14, 15.5), 3, 3);
        break;
    case Picture::Copy:
        drawPage(p, QRectF(2.5, 1.5, 9, 12));
        drawPage(p, QRectF(8.5, 6.5, 9, 12));
        break;
    case Picture::Paste:
        p.setBrush(QColor(0xa0, 0x70, 0x40));
        p.drawRoundedRect(QRectF(2.5, 3.5, 12, 15), 1.5, 1.5);
        p.setBrush(QColor(0xc0, 0xc0, 0xc0));
        p.drawRect(QRectF(5.5, 1.5, 6, 3));
        drawPage(p, QRectF(8.5, 7.5, 9, 11));
        break;
    case Picture::Undo: {
        p.setPen(QPen(QColor(30, 60, 140), 2));
        p.setBrush(Qt::NoBrush);
        QPainterPath arc;
        arc.moveTo(5, 8);
        arc.cubicTo(9, 3, 18, 5, 16, 13);
        arc.cubicTo(15, 16, 12, 17, 10, 17);
        p.drawPath(arc);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 60, 140));
        p.drawPolygon(QPolygonF({QPointF(2, 4), QPointF(9, 6), QPointF(3, 11)}));
        break;
    }
    }
    return QIcon(pm);
}

} // namespace

TFoReMaiH::TFoReMaiH(QWidget* parent) : QDialog(parent) {
    build();
    std::string handed;
    runUserAction(this, [&] { handed = handedOverDocument(); });
    if (!handed.empty()) openDocument(fromCp1252(handed));
}

TFoReMaiH::TFoReMaiH(const QString& documentPath, QWidget* parent) : QDialog(parent) {
    build();
    if (!documentPath.isEmpty()) openDocument(documentPath);
}

void TFoReMaiH::build() {
    setObjectName("TFoReMaiH");
    // A modal document window: it can be resized, not minimised or maximised.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    setAcceptDrops(true);

    RichEdit = new DocumentArea(this);
    RichEdit->setObjectName("RichEdit");
    RichEdit->setAcceptRichText(false);
    RichEdit->document()->setDocumentMargin(kTextMargin);
    // The text shows in the window's font, "Arial Narrow" 12.
    RichEdit->document()->setDefaultFont(QFont("Arial Narrow", 12));
    static_cast<DocumentArea*>(RichEdit)->filesDropped = [this](const QStringList& files) { FormDropFiles(files); };

    auto action = [&](const char* name, const QString& text, const QString& hint, void (TFoReMaiH::*slot)()) {
        auto* a = new QAction(text, this);
        a->setObjectName(name);
        if (!hint.isEmpty()) {
            a->setToolTip(hint);
            a->setStatusTip(hint);
        }
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    QAction* fileNew = action("FileNewItem", "&Nuovo", "Crea Nuovo File", &TFoReMaiH::FileNewClick);
    QAction* fileOpen = action("FileOpenItem", "&Apri...", "Apri un File Esistente", &TFoReMaiH::FileOpenClick);
    QAction* fileSave = new QAction("&Salva", this);
    fileSave->setObjectName("FileSaveItem");
    fileSave->setToolTip("Salva il File Attuale");
    fileSave->setStatusTip("Salva il File Attuale");
    connect(fileSave, &QAction::triggered, this, [this] { FileSaveClick(); });
    QAction* fileSaveAs = new QAction("salva come", this);
    fileSaveAs->setObjectName("FileSaveAsItem");
    connect(fileSaveAs, &QAction::triggered, this, [this] { FileSaveAsClick(); });
    QAction* filePrint = action("FilePrintItem", "Stam&Pa", "Stampa il File Attuale", &TFoReMaiH::FilePrintClick);
    QAction* fileExit = action("FileExitItem", "Fine E&Xit", {}, &TFoReMaiH::FileExitClick);
    EditUndoItem = new QAction("&Annulla", this);
    EditUndoItem->setObjectName("EditUndoItem");
    EditCutItem = new QAction("&Taglia", this);
    EditCutItem->setObjectName("EditCutItem");
    EditCopyItem = new QAction("&Copia", this);
    EditCopyItem->setObjectName("EditCopyItem");
    EditPasteItem = new QAction("&Incolla", this);
    EditPasteItem->setObjectName("EditPasteItem");
    const std::pair<QAction*, const char*> hints[] = {{EditUndoItem, "Annulla Ultima Operazione"},
                                                      {EditCutItem, "Elimina Parte Selezionata"},
                                                      {EditCopyItem, "Copia Parte Selezionata"},
                                                      {EditPasteItem, "Incolla"}};
    for (const auto& [a, hint] : hints) {
        a->setToolTip(hint);
        a->setStatusTip(hint);
    }
    connect(EditUndoItem, &QAction::triggered, RichEdit, &QTextEdit::undo);
    connect(EditCutItem, &QAction::triggered, RichEdit, &QTextEdit::cut);
    connect(EditCopyItem, &QAction::triggered, RichEdit, &QTextEdit::copy);
    connect(EditPasteItem, &QAction::triggered, RichEdit, &QTextEdit::paste);
    QAction* editFont = action("EditFontItem", "&Font...", {}, &TFoReMaiH::EditFontClick);

    fileNew->setIcon(picture(Picture::New));
    fileOpen->setIcon(picture(Picture::Open));
    fileSave->setIcon(picture(Picture::Save));
    filePrint->setIcon(picture(Picture::Print));
    EditCutItem->setIcon(picture(Picture::Cut));
    EditCopyItem->setIcon(picture(Picture::Copy));
    EditPasteItem->setIcon(picture(Picture::Paste));
    EditUndoItem->setIcon(picture(Picture::Undo));

    MainMenu = new QMenuBar(this);
    MainMenu->setObjectName("MainMenu");
    QMenu* fileMenu = MainMenu->addMenu("&File");
    fileMenu->addActions({fileNew, fileOpen, fileSave, fileSaveAs});
    fileMenu->addSeparator();
    fileMenu->addAction(filePrint);
    fileMenu->addSeparator();
    fileMenu->addAction(fileExit);
    QMenu* editMenu = MainMenu->addMenu("&Modifica");
    editMenu->addActions({EditUndoItem});
    editMenu->addSeparator();
    editMenu->addActions({EditCutItem, EditCopyItem, EditPasteItem});
    editMenu->addSeparator();
    editMenu->addAction(editFont);

    ToolBar = new QToolBar(this);
    ToolBar->setObjectName("ToolBar");
    ToolBar->setIconSize(QSize(20, 20));
    ToolBar->addActions({fileNew, fileOpen, fileSave, filePrint});
    ToolBar->addSeparator();
    ToolBar->addActions({EditCutItem, EditCopyItem, EditPasteItem, EditUndoItem});
    ToolBar->addSeparator();
    FontName = new QFontComboBox(this);
    FontName->setObjectName("FontName");
    FontName->setToolTip("Nome del Font");
    FontName->setStatusTip("Nome del Font");
    FontName->setMaximumWidth(220);
    FontSize = new QSpinBox(this);
    FontSize->setObjectName("FontSize");
    FontSize->setRange(1, 400);
    FontSize->setKeyboardTracking(false);
    FontSize->setToolTip("Grandezza Font");
    FontSize->setStatusTip("Grandezza Font");
    ToolBar->addWidget(FontName);
    ToolBar->addWidget(FontSize);

    Ruler = new IndentRuler(this);

    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName("StatusBar");
    StatusBar->setSizeGripEnabled(false);
    panelPosition_ = new QLabel(this);
    panelPosition_->setObjectName("PanelPosition");
    panelPosition_->setMinimumWidth(panelPosition_->fontMetrics().horizontalAdvance("Line: 0000   Col: 0000") + 8);
    panelModified_ = new QLabel(this);
    panelModified_->setObjectName("PanelModified");
    panelModified_->setMinimumWidth(panelModified_->fontMetrics().horizontalAdvance("Modified") + 16);
    panelEmpty_ = new QLabel(this);
    panelEmpty_->setObjectName("PanelEmpty");
    StatusBar->addWidget(panelPosition_);
    StatusBar->addWidget(panelModified_);
    StatusBar->addWidget(panelEmpty_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(MainMenu);
    layout->addWidget(ToolBar);
    layout->addWidget(Ruler);
    layout->addWidget(RichEdit, 1);
    layout->addWidget(StatusBar);

    connect(RichEdit, &QTextEdit::cursorPositionChanged, this, &TFoReMaiH::RichEditSelectionChange);
    connect(RichEdit, &QTextEdit::selectionChanged, this, &TFoReMaiH::RichEditSelectionChange);
    connect(RichEdit, &QTextEdit::currentCharFormatChanged, this, &TFoReMaiH::RichEditCharFormatChange);
    connect(RichEdit->document(), &QTextDocument::modificationChanged, this,
            [this](bool changed) { panelModified_->setText(changed ? "Modified" : ""); });
    // Undo and redo change paragraph formats without moving the caret.
    connect(RichEdit->document(), &QTextDocument::contentsChanged, this, &TFoReMaiH::RichEditSelectionChange);
    connect(RichEdit, &QTextEdit::copyAvailable, EditCutItem, &QAction::setEnabled);
    connect(RichEdit, &QTextEdit::copyAvailable, EditCopyItem, &QAction::setEnabled);
    connect(RichEdit, &QTextEdit::undoAvailable, EditUndoItem, &QAction::setEnabled);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { EditPasteItem->setEnabled(RichEdit->canPaste()); });
    connect(FontName, &QFontComboBox::currentFontChanged, this, &TFoReMaiH::FontNameChange);
    connect(FontSize, &QSpinBox::valueChanged, this, &TFoReMaiH::FontSizeChange);
    connect(Ruler, &IndentRuler::indentsChanged, this, &TFoReMaiH::RulerIndentsChange);

    EditUndoItem->setEnabled(false);
    EditCutItem->setEnabled(false);
    EditCopyItem->setEnabled(false);
    EditPasteItem->setEnabled(RichEdit->canPaste());
    setDocumentName(kUntitled);
    RichEditCharFormatChange(RichEdit->currentCharFormat());
    RichEditSelectionChange();
    resize(sizeHint());
    RichEdit->setFocus();
}

bool TFoReMaiH::modified() const { return RichEdit->document()->isModified(); }

QString TFoReMaiH::positionPanel() const { return panelPosition_->text(); }

QString TFoReMaiH::modifiedPanel() const { return panelModified_->text(); }

void TFoReMaiH::setDocumentName(const QString& name) {
    documentName_ = name;
    setWindowTitle(QString::fromStdString(documentCaption(name.toStdString())));
}

// The text as the file holds it: paragraphs become lines.
QString TFoReMaiH::plainText() const {
    QString text = RichEdit->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, '\n');
    text.replace(QChar::LineSeparator, '\n');
    return text;
}

bool TFoReMaiH::openDocument(const QString& path) {
    std::filesystem::path file;
    std::string text;
    const bool ok = runUserAction(this, [&] {
        file = documentLocation(path.toStdString());
        text = readDocumentText(file);
    });
    if (!ok) return false;
    RichEdit->setPlainText(fromCp1252(text));
    RichEdit->moveCursor(QTextCursor::Start);
    setDocumentName(QString::fromStdString(file.string()));
    RichEdit->document()->setModified(false);
    RichEdit->setFocus();
    return true;
}

bool TFoReMaiH::saveTo(const QString& path) {
    if (const QString why = unstorableReason(plainText(), true); !why.isEmpty()) {
        dialogs().warning(this, fromCp1252("Il testo ") + why);
        return false;
    }
    const bool ok = runUserAction(this, [&] { writeDocumentText(path.toStdString(), toCp1252(plainText())); });
    if (ok) RichEdit->document()->setModified(false);
    return ok;
}

bool TFoReMaiH::checkFileSave() {
    if (!modified()) return true;
    switch (dialogs().question(this, QString("Save changes to %1?").arg(documentName_), true)) {
    case Dialogs::Answer::Yes:
        // A save that did not happen (dialog cancelled, write failed) stops
        // the operation: the text is not thrown away unsaved.
        return FileSaveClick();
    case Dialogs::Answer::No: return true;
    default: return false;
    }
}

QString TFoReMaiH::ownTextsFolder() const {
    std::filesystem::path folder;
    runUserAction(const_cast<TFoReMaiH*>(this), [&] {
        folder = documentLocation(kOwnTextsFolder);
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        if (ec) folder = folder.parent_path();
    });
    return QString::fromStdString(folder.string());
}

QString TFoReMaiH::chooseFile(bool forSaving, const QString& title, const QString& filter, const QString& suggested) {
    QFileDialog dialog(this, title, ownTextsFolder(), filter);
    dialog.setObjectName(forSaving ? "SaveDialog" : "OpenDialog");
    // A name typed without extension takes the one of the proposed name
    // (".pdf" when printing into a file), otherwise ".txt".
    const QString suffix = QFileInfo(suggested).suffix();
    dialog.setDefaultSuffix(suffix.isEmpty() ? QString("txt") : suffix);
    if (forSaving) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // The overwrite question is ours, with its Cancel.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        if (!suggested.isEmpty()) dialog.selectFile(suggested);
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

void TFoReMaiH::FileNewClick() {
    if (!checkFileSave()) return;
    RichEdit->clear();
    setDocumentName(kUntitled);
    RichEdit->document()->setModified(false);
}

void TFoReMaiH::FileOpenClick() {
    if (!checkFileSave()) return;
    const QString file = chooseFile(false, "Apri", "File di testo (*.txt *.TXT);;Tutti i file (*)", {});
    if (!file.isEmpty()) openDocument(file);
}

bool TFoReMaiH::FileSaveClick() {
    if (documentName_ == kUntitled) return FileSaveAsClick();
    return saveTo(documentName_);
}

bool TFoReMaiH::FileSaveAsClick() {
    const QString suggested = documentName_ == kUntitled ? QString() : QFileInfo(documentName_).fileName();
    const QString file = chooseFile(true, "Salva come", "File di testo (*.txt *.TXT);;Tutti i file (*)", suggested);
    if (file.isEmpty()) return false;
    if (QFileInfo::exists(file) &&
        dialogs().question(this, QString("OK to overwrite %1").arg(file), true) != Dialogs::Answer::Yes)
        return false;
    if (!saveTo(file)) return false;
    setDocumentName(file);
    return true;
}

bool TFoReMaiH::printTo(QPrinter* printer) {
    printer->setDocName(documentName_);
    const QString file = printer->outputFileName();
    RichEdit->document()->print(printer);
    // The document's print gives up quietly when the printer cannot start
    // the job (a PDF file in a folder that cannot be written, a printer gone).
    const bool printed = printer->printerState() != QPrinter::Error && (file.isEmpty() || QFileInfo(file).isFile());
    if (!printed)
        dialogs().warning(this, file.isEmpty() ? QString("Stampa non riuscita: la stampante non ha accettato il documento")
                                               : "Stampa non riuscita: impossibile scrivere il file " + file);
    return printed;
}

// With a system printer the print dialog offers it and a PDF file; without
// one the text is printed into a PDF file.
void TFoReMaiH::FilePrintClick() {
    QPrinter printer(QPrinter::HighResolution);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        const QString base = documentName_ == kUntitled ? QString("Testo") : QFileInfo(documentName_).completeBaseName();
        const QString file = chooseFile(true, "Stampa su file PDF", "File PDF (*.pdf)", base + ".pdf");
        if (file.isEmpty()) return;
        if (QFileInfo::exists(file) &&
            dialogs().question(this, QString("OK to overwrite %1").arg(file), true) != Dialogs::Answer::Yes)
            return;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file.endsWith(".pdf", Qt::CaseInsensitive) ? file : file + ".pdf");
    } else {
        QPrintDialog dialog(&printer, this);
        dialog.setWindowTitle("Stampa");
        if (dialog.exec() != QDialog::Accepted) return;
    }
    printTo(&printer);
}

void TFoReMaiH::FileExitClick() { close(); }

void TFoReMaiH::applyFormat(const QTextCharFormat& format) {
    RichEdit->mergeCurrentCharFormat(format);
    RichEdit->setFocus();
}

void TFoReMaiH::EditFontClick() {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, RichEdit->currentCharFormat().font(), this, "Font");
    if (!ok) return;
    QTextCharFormat format;
    format.setFont(chosen);
    applyFormat(format);
}

void TFoReMaiH::FontNameChange(const QFont& font) {
    QTextCharFormat format;
    format.setFontFamilies(QStringList{font.family()});
    applyFormat(format);
}

void TFoReMaiH::FontSizeChange(int size) {
    QTextCharFormat format;
    format.setFontPointSize(size);
    applyFormat(format);
}

// The two boxes follow the font at the caret.
void TFoReMaiH::RichEditCharFormatChange(const QTextCharFormat& format) {
    const QFont font = format.font();
    const QSignalBlocker nameBlock(FontName);
    const QSignalBlocker sizeBlock(FontSize);
    FontName->setCurrentFont(font);
    FontSize->setValue(font.pointSize() > 0 ? font.pointSize() : 12);
}

void TFoReMaiH::RichEditSelectionChange() {
    const QTextCursor cursor = RichEdit->textCursor();
    panelPosition_->setText(
        QString::fromStdString(positionText(cursor.blockNumber() + 1, cursor.positionInBlock() + 1)));
    Ruler->setIndents(indentsOf(cursor.blockFormat()));
}

// The released marker's indents go to the paragraphs of the selection.
void TFoReMaiH::RulerIndentsChange(const ParagraphIndents& indents) {
    QTextCursor cursor = RichEdit->textCursor();
    cursor.mergeBlockFormat(blockFormatOf(indents));
    RichEdit->setTextCursor(cursor);
    RichEdit->setFocus();
}

void TFoReMaiH::FormDropFiles(const QStringList& files) {
    if (files.isEmpty() || !checkFileSave()) return;
    openDocument(files.constFirst());
}

void TFoReMaiH::dragEnterEvent(QDragEnterEvent* event) {
    if (!localFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TFoReMaiH::dropEvent(QDropEvent* event) {
    const QStringList files = localFiles(event->mimeData());
    if (files.isEmpty()) return;
    event->acceptProposedAction();
    QTimer::singleShot(0, this, [this, files] { FormDropFiles(files); });
}

// While the pointer rests on a control with a hint, the status bar shows
// the hint alone.
bool TFoReMaiH::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        if (tip.isEmpty())
            StatusBar->clearMessage();
        else
            StatusBar->showMessage(tip);
        return true;
    }
    return QDialog::event(event);
}

void TFoReMaiH::done(int result) {
    if (!checkFileSave()) return;
    QDialog::done(result);
}

} // namespace qv
