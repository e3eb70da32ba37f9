#include "display/ui/analysis_window.h"

#include "analysis/chart_keys.h"
#include "analysis/subdivisions.h"
#include "base/data_dir.h"
#include "base/ui/qt_text.h"
#include "base/ui/user_action.h"
#include "display/display_scales.h"
#include "display/drawing_setup.h"
#include "display/painter_canvas.h"
#include "display/pictures.h"
#include "display/ui/analysis_canvas.h"
#include "ephemeris/text_forms.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QGuiApplication>
#include <QScreen>
#include <QSvgRenderer>
#include <QTimer>
#include <cmath>

namespace qv {

namespace {

using draw::AnalysisView;

// The buttons of PanelPulsanti: caption, name, column (0 left, 1 right), row.
struct ButtonPlace {
    AnalysisButton button;
    const char* caption;
    const char* name;
    int column, row;
};
constexpr std::array<ButtonPlace, kAnalysisButtons> kButtonPlaces = {{
    {AnalysisButton::Coordinates, "Coordinate Planetarie", "BBcoordi", 0, 0},
    {AnalysisButton::Substance, "Costituzione (Stoffa)", "BBstoffa", 1, 0},
    {AnalysisButton::Structure, "Struttura Archetipale", "BBarchetip", 0, 1},
    {AnalysisButton::Aspects, "Aspetti Planetari", "BBaspetti", 1, 1},
    {AnalysisButton::Affinities, "Affinit\u00e0 Energetiche", "BBEnergi", 0, 2},
    {AnalysisButton::Antiscia, "Antisce e Contrantisce", "BBantisce", 1, 2},
    {AnalysisButton::Dodecatemories, "Dodecatemorie", "BBdodecate", 0, 3},
    {AnalysisButton::Dominant, "Pianeta Dominante", "BBdominante", 1, 3},
    {AnalysisButton::Masters, "Maestri", "BBmaestri", 0, 4},
}};
constexpr std::array<double, 5> kButtonRows = {3, 8.5, 14, 19.5, 25};
constexpr std::array<double, 2> kButtonColumns = {4, 43};
constexpr double kButtonWidth = 35, kButtonHeight = 5;

// The right column: every panel ends at 279 and is 82 wide.
constexpr double kColumnLeft = 197, kColumnWidth = 82;
constexpr double kCompositionWidth = 281, kCompositionHeight = 203;
// The reference screen of the font sizes: 3.657 pixels per millimetre
// (768 lines), where a point is 4/3 of a pixel.
constexpr double kReferenceScale = 768.0 / 210.0;

// The look of the window's own panels (a hosted linked panel keeps its own).
const char* const kPanelStyle =
    "QWidget#PanelBase, QWidget#Panel3, QWidget#PanelDati, QWidget#PanelInfo, QWidget#PanelPulsanti {"
    "  background: #1a1f2e; border: 1px solid #465070; border-radius: 3px; }"
    "QLabel { color: #bfefff; background: transparent; border: none; }"
    "QLabel#LabSpecific, QLabel#LabGeneral { color: #7fe8ff; font-weight: bold; }"
    "QPlainTextEdit { background: #0c1019; color: #f2f0e6; border: 1px solid #34405c; }"
    "QLineEdit { background: #0c1019; color: #fff6c8; border: 1px solid #34405c; padding: 0 2px; }"
    "QPushButton { background: #2b3452; color: white; border: 1px solid #5a6790; border-radius: 3px; }"
    "QPushButton:hover { background: #394470; }"
    "QPushButton:pressed { background: #1d2439; }"
    "QPushButton#BBsizeFont { background: #d8dce8; } QPushButton#BBsizeFont:hover { background: #eef0f6; }"
    "QScrollBar { background: #121826; border: none; }"
    "QScrollBar:vertical { width: 10px; } QScrollBar:horizontal { height: 10px; }"
    "QScrollBar::handle { background: #44507a; border-radius: 4px; min-height: 16px; min-width: 16px; }"
    "QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }"
    "QScrollBar::add-page, QScrollBar::sub-page { background: none; }";

// Reports double clicks of a widget (the memos' viewports).
class DoubleClickTap : public QObject {
public:
    DoubleClickTap(QObject* parent, std::function<void()> action) : QObject(parent), action_(std::move(action)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::MouseButtonDblClick) {
            action_();
            return true;
        }
        return QObject::eventFilter(watched, e);
    }

private:
    std::function<void()> action_;
};

QPlainTextEdit* makeMemo(QWidget* parent, const char* name) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setFrameShape(QFrame::NoFrame);
    return memo;
}

void setLines(QPlainTextEdit* memo, const std::vector<std::string>& lines) {
    QStringList text;
    for (const std::string& line : lines) text << fromCp1252(line);
    memo->setPlainText(text.join('\n'));
}

} // namespace

// ---- construction -------------------------------------------------------------

TFgrSpagy::TFgrSpagy(QWidget* parent) : QDialog(parent) {
    setObjectName("TFgrSpagy");
    setWindowTitle("Modello Propedeutico Interattivo");
    setStyleSheet("QDialog#TFgrSpagy { background: black; }");

    canvas_ = new AnalysisCanvas(this);
    canvas_->pressed = [this](QPoint p) { FormMouseDown(p); };
    canvas_->released = [this](QPoint p) { FormMouseUp(p); };
    buildPanels();
    for (QWidget* panel : {PanelBase, Panel3, PanelDati, PanelInfo, PanelPulsanti}) panel->setStyleSheet(kPanelStyle);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(10);
    connect(Timer1, &QTimer::timeout, this, &TFgrSpagy::Timer1Timer);
    // Without a window manager nobody sizes a full-screen window: it takes
    // the screen's size itself, else it would open at its minimum size.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->geometry());
    setWindowState(Qt::WindowFullScreen);
}

TFgrSpagy::~TFgrSpagy() = default;

void TFgrSpagy::buildPanels() {
    PanelBase = new QWidget(this);
    PanelBase->setObjectName("PanelBase");
    LabSpecific = new QLabel(PanelBase);
    LabSpecific->setObjectName("LabSpecific");
    LabSpecific->setWordWrap(true);
    LabSpecific->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    MemoL1 = makeMemo(PanelBase, "MemoL1");
    LabGeneral = new QLabel(PanelBase);
    LabGeneral->setObjectName("LabGeneral");
    MemoL2 = makeMemo(PanelBase, "MemoL2");
    Image2 = new QLabel(PanelBase);
    Image2->setObjectName("Image2");
    Image2->setAlignment(Qt::AlignCenter);

    Panel3 = new QWidget(this);
    Panel3->setObjectName("Panel3");
    MemoAspetti = makeMemo(Panel3, "MemoAspetti");
    BBchiudiAsp = new QPushButton("Chiudi", Panel3);
    BBchiudiAsp->setObjectName("BBchiudiAsp");
    BBFont = new QPushButton("Font +", Panel3);
    BBFont->setObjectName("BBFont");
    Panel3->hide();

    PanelDati = new QWidget(this);
    PanelDati->setObjectName("PanelDati");
    const std::array<const char*, 7> labels = {"Soggetto", "Data Nasc", "Localit\u00e0", "Coordinate",
                                               "Domificazione", "Nodo Lunare", "Giorno astronomico JD"};
    const std::array<const char*, 7> fields = {"EdNome", "EdData", "EdLocal", "EdCoordi", "EdDomif", "EdNodo", "EdJd"};
    std::array<QLineEdit*, 7> edits{};
    for (std::size_t i = 0; i < labels.size(); ++i) {
        auto* label = new QLabel(QString::fromUtf8(labels[i]), PanelDati);
        label->setObjectName(QString("Lab") + QString(fields[i] + 2));
        dataLabels_.push_back(label);
        edits[i] = new QLineEdit(PanelDati);
        edits[i]->setObjectName(fields[i]);
        edits[i]->setReadOnly(true);
        edits[i]->setFocusPolicy(Qt::ClickFocus);
    }
    EdNome = edits[0];
    EdData = edits[1];
    EdLocal = edits[2];
    EdCoordi = edits[3];
    EdDomif = edits[4];
    EdNodo = edits[5];
    EdJd = edits[6];

    PanelInfo = new QWidget(this);
    PanelInfo->setObjectName("PanelInfo");
    Memo1 = makeMemo(PanelInfo, "Memo1");
    Memo1->viewport()->installEventFilter(new DoubleClickTap(this, [this] { Memo1DblClick(); }));
    MemoAspetti->viewport()->installEventFilter(new DoubleClickTap(this, [this] { MemoAspettiDblClick(); }));

    PanelPulsanti = new QWidget(this);
    PanelPulsanti->setObjectName("PanelPulsanti");
    using Handler = void (TFgrSpagy::*)();
    const std::array<Handler, kAnalysisButtons> handlers = {
        &TFgrSpagy::BBcoordiClick,   &TFgrSpagy::BBstoffaClick,   &TFgrSpagy::BBarchetipClick,
        &TFgrSpagy::BBaspettiClick,  &TFgrSpagy::BBEnergiClick,   &TFgrSpagy::BBantisceClick,
        &TFgrSpagy::BBdodecateClick, &TFgrSpagy::BBdominanteClick, &TFgrSpagy::BBmaestriClick};
    for (const ButtonPlace& place : kButtonPlaces) {
        auto* button = new QPushButton(QString::fromUtf8(place.caption), PanelPulsanti);
        button->setObjectName(place.name);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, handlers[static_cast<std::size_t>(place.button)]);
        analysisButtons_.push_back(button);
    }
    BBsizeFont = new QPushButton(PanelPulsanti);
    BBsizeFont->setObjectName("BBsizeFont");
    BBsizeFont->setToolTip("Ingrandisci/Riduci Caratteri");
    BBsizeFont->setFocusPolicy(Qt::NoFocus);
    BBprivato = new QPushButton("Ritorna", PanelPulsanti);
    BBprivato->setObjectName("BBprivato");
    BBprivato->setToolTip("Ritorna ad Corvalimetrix");
    BBprivato->setFocusPolicy(Qt::NoFocus);

    connect(BBsizeFont, &QPushButton::clicked, this, &TFgrSpagy::BBsizeFontClick);
    connect(BBprivato, &QPushButton::clicked, this, &TFgrSpagy::BBprivatoClick);
    connect(BBchiudiAsp, &QPushButton::clicked, this, &TFgrSpagy::BBchiudiAspClick);
    connect(BBFont, &QPushButton::clicked, this, &TFgrSpagy::BBFontClick);
}

void TFgrSpagy::setLinkedPanel(LinkedPanel panel) {
    linked_ = std::move(panel);
    if (linked_.widget) {
        linked_.widget->setParent(this);
        linked_.widget->setObjectName("PanelPianta");
        linked_.widget->hide();
        layOutPanels();
    }
}

// ---- layout ---------------------------------------------------------------------

double TFgrSpagy::pixelsPerMm() const {
    const DisplayScales& s = displayScales();
    if (s.screenPixelsPerMm > 0) return static_cast<double>(s.screenPixelsPerMm);
    const QScreen* screen = this->screen();
    if (!screen) return kReferenceScale;
    return screen->geometry().height() / 210.0;
}

// The drawing and the column are centred on the window, so that a wide
// screen shows them in the middle rather than leaving a band on one side.
double TFgrSpagy::originX() const {
    const double used = kCompositionWidth / static_cast<double>(settings_.scaleX) * pixelsPerMm();
    return std::max(0.0, std::floor((width() - used) / 2));
}

double TFgrSpagy::originY() const {
    const double used = kCompositionHeight / static_cast<double>(settings_.scaleY) * pixelsPerMm();
    return std::max(0.0, std::floor((height() - used) / 2));
}

QRect TFgrSpagy::unitRect(double left, double top, double w, double h) const {
    const double s = pixelsPerMm();
    const double hf = static_cast<double>(settings_.scaleX), vf = static_cast<double>(settings_.scaleY);
    const int x1 = static_cast<int>(std::nearbyint(left / hf * s)), y1 = static_cast<int>(std::nearbyint(top / vf * s));
    const int x2 = static_cast<int>(std::nearbyint((left + w) / hf * s));
    const int y2 = static_cast<int>(std::nearbyint((top + h) / vf * s));
    return QRect(x1, y1, x2 - x1, y2 - y1);
}

QRect TFgrSpagy::panelRect(QWidget* panel, double left, double top, double w, double h) const {
    const QRect r = unitRect(left, top, w, h);
    if (panel->parentWidget() == this) return r.translated(static_cast<int>(originX()), static_cast<int>(originY()));
    return r;
}

void TFgrSpagy::layOutPanels() {
    canvas_->setGeometry(rect());
    const auto place = [this](QWidget* w, double left, double top, double width, double height) {
        w->setGeometry(panelRect(w, left, top, width, height));
    };
    place(PanelBase, kColumnLeft, 1.3, kColumnWidth, 92);
    place(LabSpecific, 2, 1, 64, 10);
    place(Image2, 67, 0.8, 13, 11);
    place(MemoL1, 2, 12, 78, 34);
    place(LabGeneral, 2, 47, 78, 4.5);
    place(MemoL2, 2, 52, 78, 38.5);

    const double listHeight = listEnlarged_ ? 167 : 92;
    place(Panel3, kColumnLeft, 1.3, kColumnWidth, listHeight);
    place(MemoAspetti, 1, 1, 80, listEnlarged_ ? 156 : 82);
    place(BBchiudiAsp, 2, listHeight - 7.5, 37, 6);
    place(BBFont, 43, listHeight - 7.5, 37, 6);
    if (linked_.widget) place(linked_.widget, kColumnLeft, 1.3, kColumnWidth, 92);

    place(PanelDati, kColumnLeft, 94, kColumnWidth, 38.7);
    for (std::size_t i = 0; i < dataLabels_.size(); ++i) {
        const double top = 1.2 + 5.25 * static_cast<double>(i);
        place(dataLabels_[i], 2, top, 29, 5);
    }
    const std::array<QLineEdit*, 7> edits = {EdNome, EdData, EdLocal, EdCoordi, EdDomif, EdNodo, EdJd};
    for (std::size_t i = 0; i < edits.size(); ++i) place(edits[i], 31.5, 1.2 + 5.25 * static_cast<double>(i), 49, 4.6);

    if (infoEnlarged_) {
        place(PanelInfo, kColumnLeft, 51, kColumnWidth, 118);
        place(Memo1, 1, 1, 80, 116);
    } else {
        place(PanelInfo, kColumnLeft, 134, kColumnWidth, 35);
        place(Memo1, 1, 1, 80, 33);
    }

    place(PanelPulsanti, kColumnLeft, 170, kColumnWidth, 32);
    for (std::size_t i = 0; i < kButtonPlaces.size(); ++i) {
        const ButtonPlace& b = kButtonPlaces[i];
        place(analysisButtons_[i], kButtonColumns[static_cast<std::size_t>(b.column)],
              kButtonRows[static_cast<std::size_t>(b.row)], kButtonWidth, kButtonHeight);
    }
    place(BBsizeFont, 43, 25, 9, 5);
    place(BBprivato, 53, 25, 25, 5);
    applyFonts();
}

// Font sizes are points of the reference screen, scaled with the drawing.
void TFgrSpagy::applyFonts() {
    const double s = pixelsPerMm() / kReferenceScale;
    const auto pixels = [s](double points) { return std::max(6, static_cast<int>(std::lround(points * 4 / 3 * s))); };
    const auto sized = [&](QWidget* w, double points, bool bold = false) {
        QFont f("Arial");
        f.setPixelSize(pixels(points));
        f.setBold(bold);
        w->setFont(f);
    };
    const double controls = bigFonts_ ? 10 : 8;
    for (QPushButton* b : analysisButtons_) sized(b, controls);
    for (QLabel* l : dataLabels_) {
        // A label keeps to its column: a long one is set smaller.
        sized(l, controls);
        QFont f = l->font();
        while (f.pixelSize() > 6 && QFontMetrics(f).horizontalAdvance(l->text()) > l->width()) {
            f.setPixelSize(f.pixelSize() - 1);
            l->setFont(f);
        }
    }
    for (QLineEdit* e : {EdNome, EdData, EdLocal, EdCoordi, EdDomif, EdNodo, EdJd}) sized(e, controls);
    sized(BBprivato, 9);
    sized(BBchiudiAsp, 9);
    sized(BBFont, 9);
    sized(LabSpecific, 8.5, true);
    sized(LabGeneral, 8.5, true);
    sized(MemoL1, 9);
    sized(MemoL2, 9);
    sized(Memo1, 9);
    QFont list("Arial");
    list.setPixelSize(pixels(bigListFont_ ? 10 : 8));
    MemoAspetti->setFont(list);
    BBFont->setText(bigListFont_ ? "Font -" : "Font +");

    const int side = std::max(8, unitRect(0, 0, 7, 4).height());
    const QString glyph = bigFonts_ ? "Glifi\\RiduciFont.svg" : "Glifi\\AumentaFont.svg";
    QSvgRenderer renderer(QString::fromStdString(dataDir().resolve(toCp1252(glyph)).string()));
    if (renderer.isValid()) {
        QPixmap icon(side, side);
        icon.fill(Qt::transparent);
        QPainter painter(&icon);
        renderer.render(&painter);
        BBsizeFont->setIcon(icon);
        BBsizeFont->setIconSize(QSize(side, side));
        BBsizeFont->setText({});
    } else {
        BBsizeFont->setIcon({});
        BBsizeFont->setText(bigFonts_ ? "A-" : "A+");
    }
}

void TFgrSpagy::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!opened_) {
        opened_ = true;
        FormActivate();
    }
}

void TFgrSpagy::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    layOutPanels();
    // A new size needs the drawing again at its new place.
    if (view_ && !Timer1->isActive()) {
        const AnalysisView v = *view_;
        runUserAction(this, [&] { drawView(v, mirror_, false); });
    }
}

// ---- opening and closing --------------------------------------------------------

void TFgrSpagy::FormActivate() {
    runUserAction(this, [&] { settings_ = readDisplaySettings(); });
    layOutPanels();
    clearAttributions();
    hideLinkedPanel();
    Panel3->hide();
    session_.open();
    dominant_.reset();
    view_.reset();
    const bool ready = runUserAction(this, [&] {
        computed_ = computeChart(HouseCalls::PlacidusFirst);
        hour_ = ComputePlanetaryHour(chartState());
    });
    if (!ready) {
        // Without a chart there is nothing to study: the window closes.
        QTimer::singleShot(0, this, &QDialog::reject);
        return;
    }
    showSubjectData();
    ShowInfoMessage(1);
    Timer1->start();
}

void TFgrSpagy::Timer1Timer() {
    Timer1->stop();
    if (structureLast_) runUserAction(this, [&] { drawView(AnalysisView::ArchetypalStructure, 0); });
    else drawChartView();
}

void TFgrSpagy::BBprivatoClick() { accept(); }

void TFgrSpagy::done(int result) {
    Timer1->stop();
    opened_ = false;  // the next showing opens the window afresh
    draw::resetDrawingContext();
    QDialog::done(result);
}

// ---- the subject's data ----------------------------------------------------------

void TFgrSpagy::showSubjectData() {
    const ChartState& chart = chartState();
    const DecodedBirth& b = computed_.birth;
    EdNome->setText(fromCp1252("  " + TrimRightSpaces(computed_.texts.name)));
    std::string date = b.dateText() + " (GMT" + chart.zoneText + ")";
    if (!chart.gregorian) date += " Calend. Giuliano";
    EdData->setText(fromCp1252(date));
    EdLocal->setText(fromCp1252(b.place + " - " + b.nation));
    EdCoordi->setText(fromCp1252(b.coordinates));
    EdDomif->setText(fromCp1252(chart.houseSystem));
    EdNodo->setText(fromCp1252(chart.nodeKind));
    EdJd->setText(fromCp1252(NumberText(12, chart.jd)));
    for (QLineEdit* e : {EdNome, EdData, EdLocal, EdCoordi, EdDomif, EdNodo, EdJd}) e->setCursorPosition(0);
}

// ---- information messages and panels ---------------------------------------------

void TFgrSpagy::ShowInfoMessage(int n) {
    Memo1->clear();
    message_ = n;
    if (n <= 0 || n > kLastInfoMemoMessage) return;
    runUserAction(this, [&] { setLines(Memo1, readInfoMessage(n)); });
}

void TFgrSpagy::clearAttributions() {
    MemoL1->clear();
    MemoL2->clear();
    LabSpecific->clear();
    LabGeneral->clear();
}

void TFgrSpagy::showPanelLines(const std::vector<std::string>& lines) {
    if (lines.empty()) {
        Panel3->hide();
        return;
    }
    setLines(MemoAspetti, lines);
    if (linked_.widget) linked_.widget->hide();
    linkedShown_ = false;
    Panel3->show();
    Panel3->raise();
}

void TFgrSpagy::fillAttributions(const Attributions& a) {
    LabSpecific->setText(fromCp1252(a.specificCaption));
    LabGeneral->setText(fromCp1252(a.generalCaption));
    setLines(MemoL1, a.specific);
    setLines(MemoL2, a.general);
}

void TFgrSpagy::showPictures(const QString& dataPath) {
    Image2->clear();
    QSvgRenderer renderer(QString::fromStdString(dataDir().resolve(toCp1252(dataPath)).string()));
    if (!renderer.isValid()) return;
    const int side = std::min(Image2->width(), Image2->height());
    if (side <= 0) return;
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    renderer.render(&painter);
    Image2->setPixmap(picture);
}

// The linked panel (PanelPianta): the remedies of a planet or a sign.
void TFgrSpagy::showLinkedPanel(const LinkedSubject& subject) {
    if (!linked_.widget || !linked_.show) return;
    Panel3->hide();
    linked_.widget->show();
    linked_.widget->raise();
    linkedShown_ = true;
    runUserAction(this, [&] { linked_.show(subject); });
    linkedShown_ = linked_.widget->isVisible();
}

void TFgrSpagy::hideLinkedPanel() {
    if (linked_.widget) linked_.widget->hide();
    linkedShown_ = false;
}

// ---- size controls ------------------------------------------------------------------

void TFgrSpagy::BBsizeFontClick() {
    bigFonts_ = !bigFonts_;
    applyFonts();
}

void TFgrSpagy::BBFontClick() {
    bigListFont_ = !bigListFont_;
    applyFonts();
}

void TFgrSpagy::BBchiudiAspClick() { Panel3->hide(); }

void TFgrSpagy::Memo1DblClick() {
    infoEnlarged_ = !infoEnlarged_;
    layOutPanels();
    if (infoEnlarged_) PanelInfo->raise();
}

void TFgrSpagy::MemoAspettiDblClick() {
    listEnlarged_ = !listEnlarged_;
    layOutPanels();
    if (listEnlarged_) Panel3->raise();
}

} // namespace qv
