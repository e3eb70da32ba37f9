#include "display/ui/sheet_window.h"

#include "archive/current_subject.h"
#include "base/data_dir.h"
#include "base/errors.h"
#include "base/ui/dialogs.h"
#include "base/ui/qt_text.h"
#include "base/ui/user_action.h"
#include "chart/chart_computation.h"
#include "display/display_scales.h"
#include "display/ui/picture_viewer.h"
#include "ephemeris/chart_state.h"
#include "ephemeris/text_forms.h"
#include "settings/chart_settings.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QImage>
#include <QMimeData>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QSvgRenderer>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace qv {

namespace {

// The picture name of the last export or recall, kept for the whole run.
QString& lastPictureName() {
    static QString name = "GRAF01.SVG";
    return name;
}

// The folder of the last "Salva PDF", kept for the whole run.
QString& lastPdfFolder() {
    static QString folder = QDir::homePath();
    return folder;
}

// The clipboard's raster copy of a picture: 6 pixels per millimetre.
constexpr double kClipboardPixelsPerMm = 6;

QIcon glyph(const char* name) {
    QIcon icon;
    runUserAction(nullptr, [&] {
        const std::string path = std::string("Glifi\\") + name + ".svg";
        if (!dataDir().exists(path)) return;
        QSvgRenderer renderer(QString::fromStdString(dataDir().resolve(path).string()));
        if (!renderer.isValid()) return;
        QPixmap pixmap(48, 48);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        icon = QIcon(pixmap);
    });
    return icon;
}

QPushButton* panelButton(QWidget* parent, const QString& caption, const char* name, const QString& hint) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setFocusPolicy(Qt::NoFocus);
    b->setIconSize(QSize(28, 28));
    b->setMinimumHeight(36);
    return b;
}

// A file name made of the subject's name and the sheet's caption.
QString suggestedPdfName(const std::string& subject, draw::SheetLayout layout) {
    QString name = fromCp1252(subject).simplified();
    name.replace(QRegularExpression("[^\\w]+"), "_");
    QString caption = QString(draw::sheetLayoutCaption(layout)).trimmed().replace(' ', '_');
    return (name.isEmpty() ? QString("Tema") : name) + "_" + caption + ".pdf";
}

} // namespace

// The drawing area: the picture the window drew, and the mouse.
class SheetArea : public QWidget {
public:
    SheetArea(TFgrNaSpa* window, const QPixmap& picture) : QWidget(window), window_(window), picture_(picture) {
        setObjectName("PaintBox1");
        setAttribute(Qt::WA_OpaquePaintEvent);
        setCursor(Qt::OpenHandCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        painter.drawPixmap(0, 0, picture_);
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) return;
        setCursor(Qt::ClosedHandCursor);
        window_->PaintBoxMouseDown(e->position().toPoint());
    }
    void mouseMoveEvent(QMouseEvent* e) override { window_->PaintBoxMouseMove(e->position().toPoint()); }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) return;
        setCursor(Qt::OpenHandCursor);
        window_->PaintBoxMouseUp(e->position().toPoint());
    }
    void wheelEvent(QWheelEvent* e) override {
        const int delta = e->angleDelta().y();
        if (delta != 0) window_->PaintBoxMouseWheel(delta < 0);
        e->accept();
    }

private:
    TFgrNaSpa* window_;
    const QPixmap& picture_;
};

TFgrNaSpa::TFgrNaSpa(draw::SheetLayout layout, QWidget* parent) : QDialog(parent), layout_(layout) {
    setObjectName("TFgrNaSpa");
    setWindowTitle(QString("Grafici Riassuntivi Stampabili - ") + QString(draw::sheetLayoutCaption(layout)).trimmed());
    setStyleSheet("QDialog#TFgrNaSpa { background: black; } QWidget#PanelBottoni { background: #2b2d36; }");

    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // Without a system printer the print dialog writes a PDF file.
    if (QPrinterInfo::defaultPrinter().isNull()) printer_->setOutputFormat(QPrinter::PdfFormat);

    PaintBox1 = new SheetArea(this, picture_);
    auto* panel = new QWidget(this);
    panel->setObjectName("PanelBottoni");
    panel->setAttribute(Qt::WA_StyledBackground);

    BBaspetti = panelButton(panel, "", "BBaspetti", "Visualizz Aspetti");
    auto* BBritorna = panelButton(panel, "Ritorna", "BBritorna", "Ritorna");
    BBstampa = panelButton(panel, "Stampa", "BBstampa", "Stampa del Grafico visualizzato");
    BBsetup = panelButton(panel, "Setup", "BBsetup", "Variazione Parametri di Stampa");
    auto* BBpiu = panelButton(panel, "+", "BBpiu", "Ingrandimento");
    auto* BBmeno = panelButton(panel, "-", "BBmeno", "Riduzione");
    BBcolore = panelButton(panel, "", "BBcolore", "Conversione Nero/Colore");
    BBorienta = panelButton(panel, "", "BBorienta", "Orientamento Foglio Stampato");
    auto* BBsalvaSvg = panelButton(panel, "SVG", "BBsalvaSvg", "Copia su File");
    CBfile = new QComboBox(panel);
    CBfile->setObjectName("CBfile");
    CBfile->setToolTip("File Grafico");
    CBfile->setEditable(true);
    CBfile->setMinimumWidth(130);
    for (const std::string& name : draw::pictureNameChoices()) CBfile->addItem(QString::fromStdString(name));
    CBfile->setCurrentText(lastPictureName());
    auto* BBrichiamaSvg = panelButton(panel, "SVG", "BBrichiamaSvg", "Richiama da File");
    auto* BBaltezza = panelButton(panel, "Altezza", "BBaltezza", "mostra a tutta altezza");
    auto* BBlarghezza = panelButton(panel, "Larghezza", "BBlarghezza", "mostra a tutta larghezza");
    auto* BBsalvaPdf = panelButton(panel, "Salva PDF", "BBsalvaPdf", "Salva il Grafico in un file PDF");
    BBsalvaSvg->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    BBrichiamaSvg->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    for (QPushButton* b : {BBpiu, BBmeno}) {
        b->setFixedWidth(40);
        QFont f = b->font();
        f.setBold(true);
        f.setPointSizeF(f.pointSizeF() * 1.4);
        b->setFont(f);
    }

    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(6, 4, 6, 4);
    for (QWidget* w : std::initializer_list<QWidget*>{BBaspetti, BBcolore, BBorienta}) row->addWidget(w);
    row->addSpacing(10);
    for (QWidget* w : std::initializer_list<QWidget*>{BBpiu, BBmeno, BBaltezza, BBlarghezza}) row->addWidget(w);
    row->addSpacing(10);
    for (QWidget* w : std::initializer_list<QWidget*>{BBsalvaSvg, CBfile, BBrichiamaSvg}) row->addWidget(w);
    row->addSpacing(10);
    for (QWidget* w : std::initializer_list<QWidget*>{BBsalvaPdf, BBstampa, BBsetup}) row->addWidget(w);
    row->addStretch();
    row->addWidget(BBritorna);

    auto* layoutBox = new QVBoxLayout(this);
    layoutBox->setContentsMargins(0, 0, 0, 0);
    layoutBox->setSpacing(0);
    layoutBox->addWidget(PaintBox1, 1);
    layoutBox->addWidget(panel);

    Timer1 = new QTimer(this);
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &TFgrNaSpa::Timer1Timer);
    dragPause_ = new QTimer(this);
    dragPause_->setSingleShot(true);
    dragPause_->setInterval(50);
    connect(dragPause_, &QTimer::timeout, this, &TFgrNaSpa::drawDragged);

    connect(BBaspetti, &QPushButton::clicked, this, &TFgrNaSpa::BBaspettiClick);
    connect(BBritorna, &QPushButton::clicked, this, &TFgrNaSpa::BBritornaClick);
    connect(BBstampa, &QPushButton::clicked, this, &TFgrNaSpa::BBstampaClick);
    connect(BBsetup, &QPushButton::clicked, this, &TFgrNaSpa::BBsetupClick);
    connect(BBpiu, &QPushButton::clicked, this, &TFgrNaSpa::BBpiuClick);
    connect(BBmeno, &QPushButton::clicked, this, &TFgrNaSpa::BBmenoClick);
    connect(BBcolore, &QPushButton::clicked, this, &TFgrNaSpa::BBcoloreClick);
    connect(BBorienta, &QPushButton::clicked, this, &TFgrNaSpa::BBorientaClick);
    connect(BBsalvaSvg, &QPushButton::clicked, this, &TFgrNaSpa::BBsalvaSvgClick);
    connect(BBrichiamaSvg, &QPushButton::clicked, this, &TFgrNaSpa::BBrichiamaSvgClick);
    connect(BBaltezza, &QPushButton::clicked, this, &TFgrNaSpa::BBaltezzaClick);
    connect(BBlarghezza, &QPushButton::clicked, this, &TFgrNaSpa::BBlarghezzaClick);
    connect(BBsalvaPdf, &QPushButton::clicked, this, &TFgrNaSpa::BBsalvaPdfClick);

    // Without a printer there is nothing to print, set up or turn.
    for (QPushButton* b : {BBstampa, BBsetup, BBorienta}) b->setEnabled(printerInstalled());
    BBaspetti->setIcon(glyph("LinLos"));
    BBcolore->setIcon(glyph("StColor"));
    setPrinterLandscape(draw::isLandscape(layout_));
    // Without a window manager nobody sizes a full-screen window: it takes
    // the screen's size itself, else it would open at its minimum size.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->geometry());
    setWindowState(Qt::WindowFullScreen);
}

TFgrNaSpa::~TFgrNaSpa() = default;

bool TFgrNaSpa::loadSheet() {
    if (!runUserAction(this, [&] { loaded_ = currentSubjectExists(); })) return false;
    if (!loaded_) {
        dialogs().warning(this, "Nessun soggetto selezionato: inserire i dati di nascita di un soggetto "
                                "o richiamarne uno da un archivio.");
        return false;
    }
    loaded_ = runUserAction(this, [&] {
        const ComputedChart computed = computeChart(HouseCalls::Single);
        chart_ = chartState();
        content_ = draw::sheetContentFor(chart_, TrimRightSpaces(computed.texts.name), ActiveOrbs());
        sheet_.layout = layout_;
        sheet_.chart = &chart_;
        sheet_.content = &content_;
        sheet_.practitioner = practitionerForPrint();
        sheet_.settings = readDisplaySettings();
    });
    return loaded_;
}

bool TFgrNaSpa::printerInstalled() const { return displayScales().printerAvailable; }

bool TFgrNaSpa::printerLandscape() const {
    return printer_->pageLayout().orientation() == QPageLayout::Landscape;
}

void TFgrNaSpa::setPrinterLandscape(bool landscape) {
    printer_->setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    showOrientation();
}

void TFgrNaSpa::showOrientation() { BBorienta->setIcon(glyph(printerLandscape() ? "SetupL" : "SetupP")); }

// The full-screen window's size once it stands, the screen's before.
QSize TFgrNaSpa::screenSize() const {
    if (isVisible() && !size().isEmpty()) return size();
    const QScreen* s = screen();
    return s ? s->geometry().size() : QSize(1024, 768);
}

double TFgrNaSpa::screenPixelsPerMm() const {
    const DisplayScales& s = displayScales();
    if (s.screenPixelsPerMm > 0) return static_cast<double>(s.screenPixelsPerMm);
    // Scales not computed (no start-up): the screen's height on 210 mm.
    return screenSize().height() / 210.0;
}

void TFgrNaSpa::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    ticks_ = 0;
    Timer1->start();
}

void TFgrNaSpa::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    redraw();
}

// The sheet is drawn on the timer's second tick, once the window stands.
void TFgrNaSpa::Timer1Timer() {
    if (++ticks_ < 2) return;
    Timer1->stop();
    if (!shown_) {
        // At first a portrait page is shown whole: half size, a quarter of the screen in.
        preview_ = draw::SheetPreview{};
        if (printerInstalled() && !draw::isLandscape(layout_)) preview_.fitHeight(false, screenSize().width());
    }
    shown_ = true;
    redraw();
}

void TFgrNaSpa::redraw() {
    if (!shown_ || !loaded_) return;
    const QSize size = PaintBox1->size();
    if (size.isEmpty()) return;
    QPixmap picture(size);
    const bool drawn = runUserAction(this, [&] {
        QPainter painter(&picture);
        draw::drawSheetOnScreen(painter, size.width(), size.height(), sheet_, screenPixelsPerMm(), preview_.zoom,
                                preview_.x0 + dragOffset_.x(), preview_.y0 + dragOffset_.y(), printerInstalled(),
                                printerLandscape());
    });
    if (!drawn) {
        // A picture that fails once fails again: stop drawing until the next action.
        loaded_ = false;
        return;
    }
    picture_ = picture;
    drawnOffset_ = dragOffset_;
    PaintBox1->update();
}

void TFgrNaSpa::BBaspettiClick() {
    const bool plain = content_.aspectMode == draw::AspectLineMode::Plain;
    content_.aspectMode = plain ? draw::AspectLineMode::Spindle : draw::AspectLineMode::Plain;
    BBaspetti->setIcon(glyph(plain ? "LosLin" : "LinLos"));
    redraw();
}

void TFgrNaSpa::BBritornaClick() { accept(); }

void TFgrNaSpa::BBpiuClick() {
    const QSize s = screenSize();
    preview_.zoomIn(s.width() / 2, s.height() / 2);
    redraw();
}

void TFgrNaSpa::BBmenoClick() {
    const QSize s = screenSize();
    preview_.zoomOut(s.width() / 2, s.height() / 2);
    redraw();
}

void TFgrNaSpa::BBcoloreClick() {
    sheet_.monochrome = !sheet_.monochrome;
    BBcolore->setIcon(glyph(sheet_.monochrome ? "StNero" : "StColor"));
    redraw();
}

void TFgrNaSpa::BBorientaClick() {
    if (!printerInstalled()) return;
    setPrinterLandscape(!printerLandscape());
    preview_.fitWidth();
    redraw();
}

void TFgrNaSpa::BBaltezzaClick() {
    preview_.fitHeight(printerLandscape(), screenSize().width());
    redraw();
}

void TFgrNaSpa::BBlarghezzaClick() {
    preview_.fitWidth();
    redraw();
}

void TFgrNaSpa::PaintBoxMouseDown(QPoint at) {
    dragging_ = true;
    dragStart_ = at;
    dragOffset_ = drawnOffset_ = QPoint();
}

// While the pointer moves the sheet follows it, drawn at most once every
// 50 milliseconds; the origin itself moves on release.
void TFgrNaSpa::PaintBoxMouseMove(QPoint at) {
    if (!dragging_) return;
    dragOffset_ = at - dragStart_;
    if (!dragPause_->isActive()) drawDragged();
}

void TFgrNaSpa::drawDragged() {
    if (!dragging_ || dragOffset_ == drawnOffset_) return;
    redraw();
    dragPause_->start();
}

void TFgrNaSpa::PaintBoxMouseUp(QPoint at) {
    if (!dragging_) return;
    dragging_ = false;
    dragPause_->stop();
    const QPoint moved = at - dragStart_;
    dragOffset_ = QPoint();
    preview_.endDrag(moved.x(), moved.y());
    redraw();
}

void TFgrNaSpa::PaintBoxMouseWheel(bool down) {
    preview_.wheel(down);
    redraw();
}

void TFgrNaSpa::BBsetupClick() {
    if (!printerInstalled()) return;
    QPageSetupDialog dialog(printer_.get(), this);
    dialog.setObjectName("SetupDialog");
    dialog.setWindowTitle("Variazione Parametri di Stampa");
    dialog.exec();
    showOrientation();
    redraw();
}

void TFgrNaSpa::BBstampaClick() {
    if (!printerInstalled() || !loaded_) return;
    preview_.fitWidth();
    redraw();
    setPrinterLandscape(draw::isLandscape(layout_));
    printer_->setDocName(windowTitle());
    QPrintDialog dialog(printer_.get(), this);
    dialog.setObjectName("PrintDialog");
    dialog.setWindowTitle("Stampa");
    if (dialog.exec() == QDialog::Accepted) printOn(*printer_);
    showOrientation();
    redraw();
}

bool TFgrNaSpa::printOn(QPrinter& printer) {
    if (!loaded_) return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool done = runUserAction(this, [&] {
        const bool leadIn = readDisplaySettings().printerAdapted == 1;
        const std::string target = printer.outputFileName().isEmpty() ? toCp1252(printer.printerName())
                                                                      : toCp1252(printer.outputFileName());
        QPainter painter;
        if (!painter.begin(&printer)) throw IoError(target, "impossibile avviare la stampa");
        // The lead-in page stays empty: it only brings the paper in.
        if (leadIn && !printer.newPage()) throw IoError(target, "impossibile passare alla pagina successiva");
        const int pageWidth = printer.pageLayout().paintRectPixels(printer.resolution()).width();
        draw::drawSheetOnPrinterPage(painter, pageWidth, sheet_);
        if (!painter.end()) throw IoError(target, "la stampa non è stata completata");
    });
    QApplication::restoreOverrideCursor();
    return done;
}

void TFgrNaSpa::BBsalvaPdfClick() {
    if (!loaded_) return;
    QFileDialog dialog(this, "Salva PDF", lastPdfFolder(), "File PDF (*.pdf)");
    dialog.setObjectName("SavePdfDialog");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("pdf");
    dialog.selectFile(suggestedPdfName(content_.subjectName, layout_));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    QString file = dialog.selectedFiles().constFirst();
    if (!file.endsWith(".pdf", Qt::CaseInsensitive)) file += ".pdf";
    lastPdfFolder() = QFileInfo(file).absolutePath();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool written = runUserAction(this, [&] {
        draw::writeSheetFile(file.toLocal8Bit().toStdString(), draw::PictureFormat::Pdf, draw::isLandscape(layout_),
                             sheet_);
    });
    QApplication::restoreOverrideCursor();
    // The user sees where the sheet went (a failure has had its own message).
    if (written) dialogs().information(this, "PDF salvato in " + QDir::toNativeSeparators(file), "Salva PDF");
}

std::string TFgrNaSpa::checkedPictureName() {
    const QString typed = CBfile->currentText().trimmed().toUpper();
    if (!draw::pictureNumberOf(typed.toStdString())) {
        dialogs().warning(this, draw::kPictureNameMessage);
        return {};
    }
    lastPictureName() = typed;
    return typed.toStdString();
}

void TFgrNaSpa::BBsalvaSvgClick() {
    if (!loaded_) return;
    const std::string name = checkedPictureName();
    if (name.empty()) return;
    const int number = *draw::pictureNumberOf(name);
    const bool portrait = printerInstalled() && !printerLandscape();
    preview_.fitWidth();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    runUserAction(this, [&] {
        const std::string path = dataDir().prepareForWrite(draw::kPictureFolder + name).string();
        draw::writeSheetFile(path, draw::PictureFormat::Svg, !portrait, sheet_);
        draw::recordPictureOrientation(number, portrait);
        putPictureOnClipboard(QString::fromLocal8Bit(path.c_str()));
    });
    QApplication::restoreOverrideCursor();
    redraw();
}

// The saved picture on the clipboard, as SVG and as an image for programs
// that take no SVG.
void TFgrNaSpa::putPictureOnClipboard(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) throw IoError(toCp1252(file), "impossibile leggere l'immagine salvata");
    const QByteArray svg = in.readAll();
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) throw IoError(toCp1252(file), "l'immagine salvata non è leggibile");
    const bool portrait = renderer.defaultSize().height() > renderer.defaultSize().width();
    const QSize size = QSizeF(portrait ? 210 : 297, portrait ? 297 : 210).toSize() * kClipboardPixelsPerMm;
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        renderer.render(&painter);
    }
    auto* data = new QMimeData;
    data->setData("image/svg+xml", svg);
    data->setImageData(image);
    QApplication::clipboard()->setMimeData(data);
}

void TFgrNaSpa::BBrichiamaSvgClick() {
    const std::string name = checkedPictureName();
    if (name.empty()) return;
    bool portrait = false;
    QString file;
    if (!runUserAction(this, [&] {
            portrait = draw::pictureSavedPortrait(*draw::pictureNumberOf(name));
            file = QString::fromLocal8Bit(dataDir().resolve(draw::kPictureFolder + name).string().c_str());
        }))
        return;
    TFoMetGra viewer(file, this);
    const QSize s = screenSize();
    const draw::ViewerSize size = draw::pictureViewerSize(portrait, s.width(), s.height());
    viewer.resize(size.width, size.height);
    viewer.exec();
    preview_.fitWidth();
    redraw();
}

} // namespace qv
