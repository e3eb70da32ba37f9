#include "display/ui/linked_remedies_panel.h"

#include "base/data_dir.h"
#include "base/ui/dialogs.h"
#include "base/ui/qt_text.h"
#include "base/ui/text_height.h"
#include "base/ui/spin_arrows.h"
#include "base/ui/user_action.h"
#include "consultations/offered_remedies.h"
#include "display/pictures.h"
#include "display/ui/analysis_window.h"
#include "remedies/remedy_text.h"

#include <algorithm>
#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyle>
#include <QSvgRenderer>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace qv {

namespace {

constexpr double kChooserWidth = 55;
constexpr double kPanelHeight = 92, kPanelHeightExpanded = 167;
constexpr double kMemoHeight = 45, kMemoHeightExpanded = 120;
constexpr double kPictureSide = 12;
constexpr int kChooserRowsShown = 30;

// The glyph of the point or sign, drawn on the panel's dark square.
QPixmap subjectPicture(remedies::LinkedSubject s, int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(QColor(20, 22, 40));
    const std::string path = s.sign ? draw::signPicturePath("M", s.number, draw::PictureVariant::Colour)
                                    : draw::pointPicturePath(draw::pictureOfPoint(s.number), draw::PictureVariant::Colour);
    if (!dataDir().exists(path)) return pixmap;
    QSvgRenderer svg(QString::fromStdString(dataDir().resolve(path).string()));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const int margin = side / 8;
    svg.render(&p, QRectF(margin, margin, side - 2 * margin, side - 2 * margin));
    return pixmap;
}

QPlainTextEdit* memo(QWidget* parent, const char* name) {
    auto* m = new QPlainTextEdit(parent);
    m->setObjectName(name);
    m->setReadOnly(true);
    m->setStyleSheet("QPlainTextEdit { background-color: #fffef4; color: black; }");
    return m;
}

} // namespace

PanelPianta* attachLinkedPanel(TFgrSpagy& window, bool plantsMode) {
    auto* panel = new PanelPianta(nullptr, window.pixelsPerMm());
    panel->setPlantsMode(plantsMode);
    // A point without a list (a node in the plants mode) leaves no empty panel.
    window.setLinkedPanel({panel, [panel](const LinkedSubject& s) {
                               if (!panel->ShowLinkedRemedies({s.sign, s.number})) panel->hide();
                           }});
    return panel;
}

PanelPianta::PanelPianta(QWidget* parent, double pixelsPerUnit) : QFrame(parent), pixelsPerUnit_(pixelsPerUnit) {
    setObjectName("PanelPianta");
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    setStyleSheet("qv--PanelPianta { background-color: #e8e4d0; }");

    LabPianta = new QLabel("PIANTA associata", this);
    LabPianta->setObjectName("LabPianta");
    LabPianta->setStyleSheet("font-weight: bold; color: #202060;");
    LabPianta->setWordWrap(true);
    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setFixedSize(units(kPictureSide), units(kPictureSide));

    ComboBoxPiante = new QComboBox(this);
    ComboBoxPiante->setObjectName("ComboBoxPiante");
    ComboBoxPiante->setMaxVisibleItems(kChooserRowsShown);
    ComboBoxPiante->setFixedWidth(units(kChooserWidth));
    SpinButton1 = spinArrows(this, "SpinButton1", [this] { SpinUpClick(); }, [this] { SpinDownClick(); },
                             "Voce precedente", "Voce seguente");
    ListBoxPiante = new QListWidget(this);
    ListBoxPiante->setObjectName("ListBoxPiante");
    ListBoxPiante->setFixedWidth(units(kChooserWidth * 0.6));
    ListBoxPiante->hide();
    Memo4 = memo(this, "Memo4");
    // The panel grows to show the whole details: a scroll bar would only
    // narrow them into one more line.
    Memo4->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo3 = memo(this, "Memo3");
    Memo3->setToolTip("doppio clic per espandere/ridurre");
    Memo3->viewport()->installEventFilter(this);

    BBchiudiPianta = new QPushButton("Chiudi", this);
    BBchiudiPianta->setObjectName("BBchiudiPianta");
    BBchiudiPianta->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    BBFontPianta = new QPushButton("Font +", this);
    BBFontPianta->setObjectName("BBFontPianta");
    BBsuGiu = new QPushButton("Espandi", this);
    BBsuGiu->setObjectName("BBsuGiu");
    // The chosen remedy waits for the next consultation's form.
    BBaggiungiConsulto = new QPushButton("Aggiungi alla consultazione", this);
    BBaggiungiConsulto->setObjectName("BBaggiungiConsulto");
    for (QPushButton* b : {BBchiudiPianta, BBFontPianta, BBsuGiu, BBaggiungiConsulto}) b->setAutoDefault(false);

    // The picture beside the caption and the chooser; the details below
    // them (beside the plant list in the plants mode), then the symptoms.
    auto* chooserRow = new QHBoxLayout;
    chooserRow->setSpacing(2);
    chooserRow->addWidget(ComboBoxPiante);
    chooserRow->addWidget(SpinButton1);
    chooserRow->addStretch();
    auto* offerRow = new QHBoxLayout;
    offerRow->addWidget(BBaggiungiConsulto);
    offerRow->addStretch();
    auto* heading = new QVBoxLayout;
    heading->setSpacing(2);
    heading->addWidget(LabPianta);
    heading->addLayout(chooserRow);
    heading->addLayout(offerRow);
    auto* top = new QHBoxLayout;
    top->addWidget(Image1);
    top->addLayout(heading, 1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(ListBoxPiante);
    middle->addWidget(Memo4, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BBchiudiPianta);
    buttons->addWidget(BBFontPianta);
    buttons->addStretch();
    buttons->addWidget(BBsuGiu);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addWidget(Memo3);
    layout->addLayout(buttons);

    connect(ComboBoxPiante, &QComboBox::activated, this, &PanelPianta::ShowRemedySymptoms);
    connect(ListBoxPiante, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ListBoxPianteClick(ListBoxPiante->row(item)); });
    connect(BBchiudiPianta, &QPushButton::clicked, this, &PanelPianta::BBchiudiPiantaClick);
    connect(BBFontPianta, &QPushButton::clicked, this, &PanelPianta::BBFontPiantaClick);
    connect(BBsuGiu, &QPushButton::clicked, this, &PanelPianta::BBsuGiuClick);
    connect(BBaggiungiConsulto, &QPushButton::clicked, this, &PanelPianta::BBaggiungiConsultoClick);

    fontPoints_ = 10;
    BBFontPiantaClick();  // 8 points, caption "Font +"
    expanded_ = true;
    BBsuGiuClick();       // reduced, caption "Espandi"
    resize(units(150), height());
    hide();
}

int PanelPianta::units(double u) const { return static_cast<int>(u * pixelsPerUnit_ + 0.5); }

int PanelPianta::chosenIndex() const { return ComboBoxPiante->currentIndex(); }

bool PanelPianta::ShowLinkedRemedies(remedies::LinkedSubject subject) {
    const remedies::LinkedMode mode = plantsMode_ ? remedies::LinkedMode::Plants : remedies::LinkedMode::Remedies;
    if (!remedies::hasLinkedList(subject, mode)) return false;
    show();
    raise();
    ComboBoxPiante->setFixedWidth(units(kChooserWidth));
    ComboBoxPiante->clear();
    ListBoxPiante->clear();
    ListBoxPiante->setVisible(plantsMode_);
    BBaggiungiConsulto->setVisible(!plantsMode_);
    Memo3->clear();
    Memo4->clear();
    names_.clear();
    Image1->setPixmap(subjectPicture(subject, Image1->width()));
    const std::string phrase = remedies::linkedPhrase(subject);
    LabPianta->setText(fromCp1252((plantsMode_ ? "PIANTE associate " : "RIMEDI associabili ") + phrase));
    ComboBoxPiante->setPlaceholderText(plantsMode_ ? "PIANTE" : "RIMEDI");
    // A missing name file is reported; the panel keeps what it shows.
    std::optional<remedies::LinkedList> list;
    if (!runUserAction(this, [&] { list = remedies::linkedList(dataDir(), subject, mode); }) || !list) return true;
    names_ = list->names;
    QStringList shown;
    for (const std::string& n : names_) shown << fromCp1252(n);
    ComboBoxPiante->addItems(shown);
    if (plantsMode_) ListBoxPiante->addItems(shown);
    ComboBoxPiante->setCurrentIndex(-1);
    // The chooser opens for a moment to show how many names there are.
    if (isVisible() && !names_.empty()) {
        ComboBoxPiante->showPopup();
        QTimer::singleShot(200, ComboBoxPiante, &QComboBox::hidePopup);
    }
    return true;
}

void PanelPianta::showDetails(const remedies::LinkedDetails& d) {
    QStringList symptoms, details;
    for (const std::string& l : d.symptoms) symptoms << fromCp1252(l);
    for (const std::string& l : d.details) details << fromCp1252(l);
    Memo3->setPlainText(symptoms.join('\n'));
    Memo4->setPlainText(details.join('\n'));
    fitDetails();
}

// The details end with the remedy's warnings: the panel grows until the
// whole of them is on view, and shrinks back for shorter details.
void PanelPianta::fitDetails() {
    if (layout()) layout()->activate();
    const int baseHeight = Memo4->height() - detailsExtra_;
    const int extra = std::max(0, heightForWholeText(Memo4) - baseHeight);
    if (extra == detailsExtra_) return;
    detailsExtra_ = extra;
    applySizes();
}

void PanelPianta::ShowRemedySymptoms(int index) {
    if (index < 0 || index >= static_cast<int>(names_.size())) return;
    const std::string& name = names_[static_cast<std::size_t>(index)];
    remedies::LinkedDetails d;
    Memo3->clear();
    if (!runUserAction(this, [&] {
            d = plantsMode_ ? remedies::plantSymptoms(dataDir(), name, true) : remedies::remedySymptoms(dataDir(), name);
        }))
        return;
    showDetails(d);
}

void PanelPianta::ListBoxPianteClick(int row) {
    if (!plantsMode_ || row < 0 || row >= static_cast<int>(names_.size())) return;
    remedies::LinkedDetails d;
    if (!runUserAction(this, [&] { d = remedies::plantSymptoms(dataDir(), names_[static_cast<std::size_t>(row)], false); }))
        return;
    showDetails(d);
}

// The spin button steps through the chooser; nothing happens beyond its
// first or last entry.
void PanelPianta::SpinDownClick() {
    const int next = ComboBoxPiante->currentIndex() + 1;
    if (next >= ComboBoxPiante->count()) return;
    ComboBoxPiante->setCurrentIndex(next);
    ShowRemedySymptoms(next);
}

void PanelPianta::SpinUpClick() {
    const int previous = ComboBoxPiante->currentIndex() - 1;
    if (previous < 0) return;
    ComboBoxPiante->setCurrentIndex(previous);
    ShowRemedySymptoms(previous);
}

void PanelPianta::BBchiudiPiantaClick() { hide(); }

void PanelPianta::BBaggiungiConsultoClick() {
    const int index = chosenIndex();
    if (plantsMode_ || index < 0 || index >= static_cast<int>(names_.size())) {
        dialogs().information(this, "Scegliere prima un rimedio");
        return;
    }
    const std::string name = remedies::trimRightBlanks(names_[static_cast<std::size_t>(index)]);
    consultations::offerRemedy(name);
    dialogs().information(this, fromCp1252(name) + " sar\u00E0 nel modulo della prossima consultazione (Consultazioni)");
}

void PanelPianta::BBFontPiantaClick() {
    fontPoints_ = fontPoints_ == 8 ? 10 : 8;
    for (QPlainTextEdit* m : {Memo3, Memo4}) {
        QFont f = m->font();
        f.setPointSize(fontPoints_);
        m->setFont(f);
    }
    BBFontPianta->setText(fontPoints_ == 10 ? "Font -" : "Font +");
    BBFontPianta->setToolTip(fontPoints_ == 10 ? "Riduci il carattere" : "Aumenta il carattere");
    fitDetails();
}

void PanelPianta::BBsuGiuClick() {
    expanded_ = !expanded_;
    applySizes();
    BBsuGiu->setText(expanded_ ? "Riduci" : "Espandi");
    BBsuGiu->setIcon(style()->standardIcon(expanded_ ? QStyle::SP_ArrowUp : QStyle::SP_ArrowDown));
}

// The buttons stay at the panel's bottom: the memo of the symptoms takes
// what the panel grows by.
void PanelPianta::applySizes() {
    Memo3->setFixedHeight(units(expanded_ ? kMemoHeightExpanded : kMemoHeight));
    setFixedHeight(units(expanded_ ? kPanelHeightExpanded : kPanelHeight) + detailsExtra_);
}

// A new width wraps the details anew.
void PanelPianta::resizeEvent(QResizeEvent* e) {
    QFrame::resizeEvent(e);
    if (e->oldSize().width() != e->size().width()) fitDetails();
}

bool PanelPianta::eventFilter(QObject* watched, QEvent* e) {
    if (watched == Memo3->viewport() && e->type() == QEvent::MouseButtonDblClick) {
        BBsuGiuClick();
        return true;
    }
    return QFrame::eventFilter(watched, e);
}

} // namespace qv
