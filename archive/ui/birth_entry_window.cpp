#include "archive/ui/birth_entry_window.h"

#include "archive/archive_records.h"
#include "archive/birth_entry_rules.h"
#include "archive/local_time_correction.h"
#include "archive/ui/manual_coordinates_panel.h"
#include "archive/ui/registration_window.h"
#include "settings/display_settings.h"
#include "base/cp1252.h"
#include "base/decimal_text.h"
#include "base/ui/dialogs.h"
#include "base/ui/lock_glyph.h"
#include "base/ui/qt_text.h"
#include "base/ui/user_action.h"
#include "ephemeris/angles.h"
#include "ephemeris/julian_day.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateTime>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidgetAction>
#include <cmath>
#include <cstdio>
#include <functional>

namespace qv {

namespace {

const char* const kLockedStyle = "background-color: teal; color: white;";
const char* const kUnlockedStyle = "background-color: aqua; color: black;";
const char* const kWrongStyle = "background-color: red; color: white;";
const char* const kChosenStyle = "background-color: aqua; color: black;";
// Corr fills the last eight characters of a birth record's moment field.

// Watches a widget's keys and double clicks on behalf of the window.
class EventTap : public QObject {
public:
    EventTap(QObject* parent, std::function<bool(QEvent*)> handler) : QObject(parent), handler_(std::move(handler)) {}
    bool eventFilter(QObject*, QEvent* e) override { return handler_(e); }

private:
    std::function<bool(QEvent*)> handler_;
};

void onEvent(QWidget* target, QObject* owner, std::function<bool(QEvent*)> handler) {
    target->installEventFilter(new EventTap(owner, std::move(handler)));
}

// Calls `action` on a double click of `target`.
void onDoubleClick(QWidget* target, QObject* owner, std::function<void()> action) {
    onEvent(target, owner, [action](QEvent* e) {
        if (e->type() != QEvent::MouseButtonDblClick) return false;
        action();
        return true;
    });
}

int pressedKey(QEvent* e) {
    return e->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(e)->key() : 0;
}

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

QLineEdit* lineField(QWidget* parent, const char* name, int maxLength, int widthInChars) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    if (maxLength > 0) e->setMaxLength(maxLength);
    e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QString(widthInChars, '0')) + 12);
    return e;
}

QPushButton* pushButton(QWidget* parent, const QString& text, const char* name) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QString twoDigits(int v) { return QString("%1").arg(v, 2, 10, QChar('0')); }

} // namespace

TFoInputSpa::TFoInputSpa(SubjectTextOpener openText, QWidget* parent)
    : QDialog(parent), openText_(std::move(openText)) {
    setObjectName("TFoInputSpa");
    setWindowTitle("Introduzione Dati di Nascita");
    idle_ = new QTimer(this);
    idle_->setSingleShot(true);
    idle_->setInterval(0);
    connect(idle_, &QTimer::timeout, this, &TFoInputSpa::ApplicationIdle);
    buildLayout();
    connectKeys();
    FormShow();
}

TFoInputSpa::~TFoInputSpa() = default;

std::array<QLineEdit*, 5> TFoInputSpa::dateFields() const {
    return {EditGiorno, EditMese, EditAnno, EditOra, EditMinuti};
}

QWidget* TFoInputSpa::buildDateRow() {
    auto* box = new QGroupBox("Data e Ora Locale di Nascita", this);
    EditGiorno = lineField(box, "EditGiorno", 2, 2);
    EditMese = lineField(box, "EditMese", 2, 2);
    EditAnno = lineField(box, "EditAnno", 4, 4);
    EditOra = lineField(box, "EditOra", 2, 2);
    EditMinuti = lineField(box, "EditMinuti", 2, 2);
    for (QLineEdit* e : dateFields()) {
        e->setAlignment(Qt::AlignCenter);
        e->setMaximumWidth(e->minimumWidth());
    }
    BBoggi = pushButton(box, "oggi", "BBoggi");
    BBoggi->setToolTip("Data e ora attuali");
    CalPicker = new QCalendarWidget(box);
    CalPicker->setObjectName("CalPicker");
    CalPicker->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    auto* pickerMenu = new QMenu(box);
    auto* pickerAction = new QWidgetAction(pickerMenu);
    pickerAction->setDefaultWidget(CalPicker);
    pickerMenu->addAction(pickerAction);
    DTPicker = new QToolButton(box);
    DTPicker->setObjectName("DTPicker");
    DTPicker->setText("Calendario");
    DTPicker->setToolTip("Scegli la data dal calendario");
    DTPicker->setPopupMode(QToolButton::InstantPopup);
    DTPicker->setMenu(pickerMenu);
    connect(CalPicker, &QCalendarWidget::clicked, pickerMenu, &QMenu::close);
    connect(CalPicker, &QCalendarWidget::activated, pickerMenu, &QMenu::close);
    connect(pickerMenu, &QMenu::aboutToHide, this, &TFoInputSpa::DTPickerCloseUp);

    auto* grid = new QGridLayout(box);
    auto label = [&](const QString& text, int row, int column) {
        grid->addWidget(new QLabel(text, box), row, column, Qt::AlignRight);
    };
    label("Giorno", 0, 0);
    grid->addWidget(EditGiorno, 0, 1);
    label("Mese", 0, 2);
    grid->addWidget(EditMese, 0, 3);
    label("Anno", 0, 4);
    grid->addWidget(EditAnno, 0, 5);
    grid->addWidget(BBoggi, 0, 6);
    grid->addWidget(DTPicker, 0, 7);
    label("Ora", 1, 0);
    grid->addWidget(EditOra, 1, 1);
    label("Minuti", 1, 2);
    grid->addWidget(EditMinuti, 1, 3);
    grid->addWidget(new QLabel("(ora locale dell'orologio, 0-23)", box), 1, 4, 1, 4);
    grid->setColumnStretch(8, 1);
    return box;
}

QWidget* TFoInputSpa::buildPlaceBox() {
    auto* box = new QGroupBox(QString::fromUtf8("Localit\u00E0 di Nascita"), this);
    RBitalia = new QRadioButton("Archivio Italia", box);
    RBitalia->setObjectName("RBitalia");
    RBestero = new QRadioButton("Archivio Estero", box);
    RBestero->setObjectName("RBestero");
    EditLocal = lineField(box, "EditLocal", 31, 24);
    EditLocal->setToolTip(QString::fromUtf8("Digitare le prime lettere della localit\u00E0"));
    ListLocal = new QListWidget(box);
    ListLocal->setObjectName("ListLocal");
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    ListLocal->setFont(fixed);
    ListLocal->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListLocal->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QFontMetrics metrics(fixed);
    ListLocal->setFixedHeight(metrics.height() * 7 + 2 * ListLocal->frameWidth() + 8);
    ListLocal->setMinimumWidth(metrics.horizontalAdvance(QString(46, 'M')));
    SBlocal = new QScrollBar(Qt::Vertical, box);
    SBlocal->setObjectName("SBlocal");
    SBlocal->setSingleStep(1);
    SBlocal->setPageStep(7);
    SBlocal->setFixedHeight(ListLocal->height());

    auto* tables = new QHBoxLayout;
    tables->addWidget(RBitalia);
    tables->addWidget(RBestero);
    tables->addStretch();
    auto* list = new QHBoxLayout;
    list->setSpacing(0);
    list->addWidget(ListLocal);
    list->addWidget(SBlocal);
    auto* layout = new QVBoxLayout(box);
    layout->addLayout(tables);
    layout->addWidget(EditLocal);
    layout->addLayout(list);
    layout->addWidget(new QLabel(QString::fromUtf8("Doppio clic o Invio sull'elenco per scegliere la localit\u00E0"), box));
    layout->addStretch();
    return box;
}

QWidget* TFoInputSpa::buildResultPanel() {
    auto* box = new QGroupBox("Esito Dati Inseriti", this);
    box->setObjectName("PanelEsito");
    EditDataEstesa = lineField(box, "EditDataEstesa", 0, 30);
    EditJD = lineField(box, "EditJD", 0, 12);
    EditLocEstesa = lineField(box, "EditLocEstesa", 31, 26);
    EditStato = lineField(box, "EditStato", 23, 16);
    EditCoord = lineField(box, "EditCoord", 12, 12);
    EditCoord->setToolTip("Doppio clic per l'inserimento manuale delle coordinate");
    EditFuso = lineField(box, "EditFuso", static_cast<int>(kCorrectionWidth), 8);
    EditCalend = lineField(box, "EditCalend", 4, 4);
    for (QLineEdit* e : {EditCoord, EditFuso, EditCalend, EditJD}) e->setMaximumWidth(e->minimumWidth() + 16);
    EditDataEstesa->setReadOnly(true);
    EditJD->setReadOnly(true);
    CBoraLocale = new QCheckBox("Usa Ora Locale", box);
    CBoraLocale->setObjectName("CBoraLocale");
    BBlock = new QToolButton(box);
    BBlock->setObjectName("BBlock");
    BBlock->setToolTip("Sblocca/Blocca");
    BBlock->setIconSize(QSize(24, 24));
    LabRegimi = new QLabel("REGIMI ORARI NON AGGIORNATI", box);
    LabRegimi->setObjectName("LabRegimi");
    LabRegimi->setStyleSheet("color: red; font-weight: bold;");
    LabRegimi->hide();

    auto* grid = new QGridLayout(box);
    int row = 0;
    auto add = [&](const QString& label, QWidget* field, int span = 2) {
        grid->addWidget(new QLabel(label, box), row, 0);
        grid->addWidget(field, row, 1, 1, span);
        ++row;
    };
    add("Data", EditDataEstesa);
    add("Giorno Giuliano (TU)", EditJD, 1);
    add(QString::fromUtf8("Localit\u00E0"), EditLocEstesa);
    add("Stato", EditStato);
    add("Coordinate", EditCoord, 1);
    add("Correz Totale (ore)", EditFuso, 1);
    add("Calend (GIUL-GREG)", EditCalend, 1);
    grid->addWidget(CBoraLocale, row, 1);
    grid->addWidget(BBlock, row - 3, 2, 3, 1, Qt::AlignRight | Qt::AlignVCenter);
    ++row;
    grid->addWidget(LabRegimi, row, 0, 1, 3);
    grid->setRowStretch(row + 1, 1);
    return box;
}

void TFoInputSpa::buildLayout() {
    LabSogg = new QLabel("Specificare sempre il nome del Soggetto", this);
    LabSogg->setObjectName("LabSogg");
    LabSogg->setStyleSheet("font-weight: bold;");
    EditSogg = lineField(this, "EditSogg", 38, 38);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel("Nome del soggetto", this));
    nameRow->addWidget(EditSogg, 1);

    ListRegimi = new QListWidget(this);
    ListRegimi->setObjectName("ListRegimi");
    ListRegimi->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    ListRegimi->setMinimumWidth(ListRegimi->fontMetrics().horizontalAdvance(QString(40, 'M')));
    ListRegimi->hide();

    PanelCoord = new ManualCoordinatesPanel(this);
    PanelCoord->hide();
    connect(PanelCoord, &ManualCoordinatesPanel::coordinatesChosen, this, &TFoInputSpa::applyCoordinates);

    BBprosegui = pushButton(this, "OK Prosegui", "BBprosegui");
    BBannulla = pushButton(this, "&Annulla e Ritorna", "BBannulla");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BBprosegui);
    buttons->addStretch();
    buttons->addWidget(BBannulla);

    auto* middle = new QHBoxLayout;
    middle->addWidget(buildPlaceBox());
    middle->addWidget(buildResultPanel(), 1);
    auto* main = new QVBoxLayout;
    main->addWidget(LabSogg);
    main->addLayout(nameRow);
    main->addWidget(buildDateRow());
    main->addLayout(middle);
    main->addLayout(buttons);
    auto* outer = new QHBoxLayout(this);
    outer->addLayout(main, 1);
    outer->addWidget(ListRegimi);

    // Tab follows the order of the work: name, date, place, result, buttons.
    const QList<QWidget*> order = {EditSogg, EditGiorno, EditMese,   EditAnno,      EditOra,   EditMinuti,
                                   BBoggi,   DTPicker,   RBitalia,   RBestero,      EditLocal, ListLocal,
                                   EditLocEstesa, EditStato, EditCoord, EditFuso, EditCalend, CBoraLocale,
                                   BBlock,   BBprosegui, BBannulla};
    for (int i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);

    connect(EditSogg, &QLineEdit::textEdited, this, &TFoInputSpa::EditSoggChange);
    for (QLineEdit* e : dateFields()) connect(e, &QLineEdit::textChanged, this, &TFoInputSpa::EditDataChange);
    connect(BBoggi, &QPushButton::clicked, this, &TFoInputSpa::BBoggiClick);
    connect(RBitalia, &QRadioButton::clicked, this, &TFoInputSpa::RBitaliaClick);
    connect(RBestero, &QRadioButton::clicked, this, &TFoInputSpa::RBesteroClick);
    connect(EditLocal, &QLineEdit::textEdited, this, &TFoInputSpa::EditLocalChange);
    connect(SBlocal, &QScrollBar::actionTriggered, this, &TFoInputSpa::SBlocalAction);
    connect(SBlocal, &QScrollBar::valueChanged, this, &TFoInputSpa::SBlocalChange);
    connect(ListLocal, &QListWidget::itemDoubleClicked, this, &TFoInputSpa::ListLocalDblClick);
    connect(BBlock, &QToolButton::clicked, this, &TFoInputSpa::BBlockClick);
    connect(CBoraLocale, &QCheckBox::clicked, this, &TFoInputSpa::CBoraLocaleClick);
    connect(EditCalend, &QLineEdit::textEdited, this, &TFoInputSpa::EditCalendChange);
    connect(EditFuso, &QLineEdit::textEdited, this, &TFoInputSpa::EditFusoChange);
    connect(BBprosegui, &QPushButton::clicked, this, &TFoInputSpa::BBproseguiClick);
    connect(BBannulla, &QPushButton::clicked, this, &QDialog::reject);
}

// Keys and double clicks: Enter and the arrows move between the name and
// the date and time fields, a full field hands on to the next one.
void TFoInputSpa::connectKeys() {
    onEvent(EditSogg, this, [this](QEvent* e) {
        if (!isEnter(pressedKey(e))) return false;
        EditGiorno->setFocus();
        return true;
    });
    const auto fields = dateFields();
    for (int i = 0; i < 5; ++i) {
        QLineEdit* field = fields[static_cast<std::size_t>(i)];
        onEvent(field, this, [this, i](QEvent* e) {
            const int key = pressedKey(e);
            if (!isEnter(key) && key != Qt::Key_Right && key != Qt::Key_Left && !(key == Qt::Key_Down && i < 3))
                return false;
            dateFieldKey(i, key);
            return true;
        });
        connect(field, &QLineEdit::textEdited, this, [this, field, i](const QString& typed) {
            field->setStyleSheet({});
            const QString kept = typed.trimmed();
            if (kept != typed) field->setText(kept);
            if (kept.size() == field->maxLength()) dateFieldKey(i, Qt::Key_Return);
        });
    }
    onEvent(EditLocal, this, [this](QEvent* e) {
        if (!isEnter(pressedKey(e))) return false;
        EditLocalEnter();
        return true;
    });
    onEvent(ListLocal, this, [this](QEvent* e) {
        const int key = pressedKey(e);
        return key != 0 && listKey(key);
    });
    onDoubleClick(LabSogg, this, [this] { LabSoggDblClick(); });
    onDoubleClick(EditCoord, this, [this] { EditCoordDblClick(); });
    onDoubleClick(EditLocEstesa, this, [this] { EditLocEstesaDblClick(); });
}

void TFoInputSpa::dateFieldKey(int index, int key) {
    const auto fields = dateFields();
    if (key == Qt::Key_Left) {
        (index > 0 ? fields[static_cast<std::size_t>(index - 1)] : EditSogg)->setFocus();
    } else if (key == Qt::Key_Down) {
        EditOra->setFocus();
    } else {
        (index < 4 ? fields[static_cast<std::size_t>(index + 1)] : EditLocal)->setFocus();
    }
}

// Opening: empty date and result, the Italian table, today in the picker,
// the name field in focus.
void TFoInputSpa::FormShow() {
    for (QLineEdit* e : dateFields()) e->clear();
    runUserAction(this, [&] { reformSetting_ = calendarReformSetting(); });
    openTable(atlas::PlaceArchive::Italia);
    CalPicker->setSelectedDate(QDate::currentDate());
    EditStato->setText("ITALIA");
    setLocked(true);
    changed_ = false;
    EditSogg->setFocus();
}

void TFoInputSpa::clearResult() {
    for (QLineEdit* e : {EditDataEstesa, EditJD, EditLocEstesa, EditStato, EditCoord, EditFuso, EditCalend})
        e->clear();
    {
        const QSignalBlocker block(CBoraLocale);
        CBoraLocale->setChecked(false);
    }
    LabRegimi->hide();
    derived_ = false;
    setLocked(true);
}

void TFoInputSpa::EditSoggChange() {
    const QString upper = EditSogg->text().toUpper();
    if (upper != EditSogg->text()) {
        const int caret = EditSogg->cursorPosition();
        EditSogg->setText(upper);
        EditSogg->setCursorPosition(caret);
    }
    updateProsegui();
}

// The regime log of the last derivation, beside the window; hidden again,
// the window takes back its own size.
void TFoInputSpa::LabSoggDblClick() {
    ListRegimi->setVisible(!ListRegimi->isVisible());
    if (!ListRegimi->isVisible()) QTimer::singleShot(0, this, [this] { adjustSize(); });
}

void TFoInputSpa::EditDataChange() { markChanged(); }

void TFoInputSpa::markChanged() {
    changed_ = true;
    idle_->start();
}

void TFoInputSpa::BBoggiClick() {
    const QDateTime now = QDateTime::currentDateTime();
    EditGiorno->setText(twoDigits(now.date().day()));
    EditMese->setText(twoDigits(now.date().month()));
    EditAnno->setText(QString::number(now.date().year()));
    EditOra->setText(twoDigits(now.time().hour()));
    EditMinuti->setText(twoDigits(now.time().minute()));
}

// The picked date, with the current time.
void TFoInputSpa::DTPickerCloseUp() {
    const QDate date = CalPicker->selectedDate();
    const QTime now = QTime::currentTime();
    EditGiorno->setText(twoDigits(date.day()));
    EditMese->setText(twoDigits(date.month()));
    EditAnno->setText(QString("%1").arg(date.year(), 4, 10, QChar('0')));
    EditOra->setText(twoDigits(now.hour()));
    EditMinuti->setText(twoDigits(now.minute()));
}

bool TFoInputSpa::dateComplete() const {
    for (QLineEdit* e : dateFields())
        if (e->text().trimmed().isEmpty()) return false;
    return true;
}

std::optional<atlas::BirthMoment> TFoInputSpa::checkedDate(bool report) {
    if (!dateComplete()) return std::nullopt;
    const auto fields = dateFields();
    std::array<int, 5> v{};
    for (std::size_t i = 0; i < 5; ++i) {
        bool ok = false;
        v[i] = fields[i]->text().trimmed().toInt(&ok);
        if (!ok) v[i] = -1;  // out of range of every field
    }
    const atlas::BirthMoment moment{v[0], v[1], v[2], v[3], v[4]};
    const atlas::DateField wrong = atlas::invalidDateField(moment);
    if (wrong == atlas::DateField::None) return moment;
    if (report) {
        QLineEdit* field = fields[static_cast<std::size_t>(wrong) - 1];
        field->clear();
        field->setStyleSheet(kWrongStyle);
        field->setFocus();
        dialogs().error(this, "Data Scorretta");
    }
    return std::nullopt;
}

// After a change, once the window is idle: the date is checked and, with a
// place chosen, correction and calendar are derived.
void TFoInputSpa::ApplicationIdle() {
    if (!changed_) return;
    changed_ = false;
    LabRegimi->hide();
    const auto moment = checkedDate(true);
    if (!moment || !selected_) return;
    derive(*moment);
}

void TFoInputSpa::derive(const atlas::BirthMoment& moment) {
    runUserAction(this, [&] {
        const atlas::Derivation d = atlas::deriveCorrection(archive_, *selected_, moment, reformSetting_);
        ListRegimi->clear();
        for (const std::string& line : d.log) ListRegimi->addItem(fromCp1252(line));
        {
            const QSignalBlocker block(CBoraLocale);
            CBoraLocale->setChecked(d.localMeanTime);
        }
        EditFuso->setText(fromCp1252(fittedCorrection(d.correction)));
        EditCalend->setText(fromCp1252(d.calendar));
        LabRegimi->setVisible(d.regimesNotUpdated);
        EditDataEstesa->setText(fromCp1252(d.extendedDate));
        EditJD->setText(fromCp1252(d.universalJdText));
        EditLocEstesa->setText(fromCp1252(d.placeName));
        EditStato->setText(fromCp1252(d.state));
        EditCoord->setText(fromCp1252(carriedMinutes(d.coordinates)));
        derived_ = true;
        setLocked(true);
    });
}

// Locked: read-only, teal with white text. Unlocked: the place, state,
// coordinates, correction and calendar can be changed by hand.
void TFoInputSpa::setLocked(bool locked) {
    locked_ = locked;
    for (QLineEdit* e : {EditLocEstesa, EditStato, EditCoord, EditFuso, EditCalend}) e->setReadOnly(locked);
    if (CBoraLocale->isChecked()) EditFuso->setReadOnly(true);
    paintResultFields();
    BBlock->setIcon(lockGlyph(!locked));
    updateProsegui();
}

// Each result field looks as it behaves: read-only fields teal, the
// fields open to a change aqua.
void TFoInputSpa::paintResultFields() {
    for (QLineEdit* e : {EditDataEstesa, EditJD, EditLocEstesa, EditStato, EditCoord, EditFuso, EditCalend})
        e->setStyleSheet(e->isReadOnly() ? kLockedStyle : kUnlockedStyle);
}

void TFoInputSpa::BBlockClick() { setLocked(!locked_); }

void TFoInputSpa::updateProsegui() {
    BBprosegui->setEnabled(!locked_ || (derived_ && !EditSogg->text().trimmed().isEmpty()));
}

// Local mean time from the coordinates field: the correction is the
// longitude in hours with the sign reversed, and cannot be typed over.
void TFoInputSpa::CBoraLocaleClick() {
    if (CBoraLocale->isChecked()) {
        const std::string coordinates = toCp1252(EditCoord->text().trimmed());
        if (!atlas::validCoordinatesText(coordinates)) {
            CBoraLocale->setChecked(false);
            dialogs().warning(this, "Coordinate Errate o Mancanti");
            return;
        }
        EditFuso->setReadOnly(true);
        EditFuso->setText(fromCp1252(fittedCorrection(atlas::localMeanTimeCorrection(coordinates))));
    } else {
        EditFuso->setReadOnly(false);
        EditFuso->clear();
    }
    paintResultFields();
    showJulianDay();
}

void TFoInputSpa::EditCalendChange() {
    const QString upper = EditCalend->text().toUpper();
    if (upper != EditCalend->text()) {
        const int caret = EditCalend->cursorPosition();
        EditCalend->setText(upper);
        EditCalend->setCursorPosition(caret);
    }
    showJulianDay();
}

void TFoInputSpa::EditFusoChange() { showJulianDay(); }

// The Julian Day of Universal Time (local time plus the correction) in the
// calendar of the calendar field; empty for a calendar that is neither
// "GREG" nor "GIUL" or a correction that does not read.
void TFoInputSpa::showJulianDay() {
    const QString calendar = EditCalend->text().trimmed();
    const auto moment = checkedDate(false);
    const auto correction = parseCorr(toCp1252(EditFuso->text().trimmed()));
    if ((calendar != "GREG" && calendar != "GIUL") || !moment || !correction) {
        EditJD->clear();
        return;
    }
    const bool gregorian = calendar == "GREG";
    const atlas::BirthMoment& m = *moment;
    const Extended local = julianDayOf(gregorian, m.day, m.month, m.year, m.hour, m.minute);
    const Extended universal = typedUniversalJulianDay(gregorian, m, *correction);
    EditJD->setText(fromCp1252(generalText(universal, 11)));
    EditDataEstesa->setText(fromCp1252(atlas::extendedDateText(local, gregorian)));
}

void TFoInputSpa::EditCoordDblClick() {
    PanelCoord->prefill(EditCoord->text());
    PanelCoord->adjustSize();
    PanelCoord->move((width() - PanelCoord->width()) / 2, (height() - PanelCoord->height()) / 2);
    PanelCoord->show();
    PanelCoord->raise();
    PanelCoord->setFocus();
}

void TFoInputSpa::applyCoordinates(const QString& coordinates) {
    EditCoord->setText(coordinates);
    if (CBoraLocale->isChecked()) {
        EditFuso->setText(fromCp1252(fittedCorrection(atlas::localMeanTimeCorrection(toCp1252(coordinates)))));
        showJulianDay();
    }
}

void TFoInputSpa::EditLocEstesaDblClick() { EditLocEstesa->setText(EditLocEstesa->text().toUpper()); }

// The checks in order; the first that fails shows its message and stops.
void TFoInputSpa::BBproseguiClick() {
    setLocked(true);
    auto refuse = [this](const QString& text) { dialogs().warning(this, text); };
    const QString name = EditSogg->text().trimmed();
    if (name.isEmpty()) return refuse("Manca il Nome del Soggetto");
    const QString calendar = EditCalend->text().trimmed();
    if (calendar != "GREG" && calendar != "GIUL") return refuse("Manca indicazione Calendario (GREG/GIUL)");
    if (!dateComplete()) {
        dialogs().information(this, "Inserire Data di Nascita");
        return;
    }
    const auto moment = checkedDate(true);
    if (!moment) return;
    const atlas::BirthMoment& m = *moment;
    const QString place = EditLocEstesa->text().trimmed();
    if (place.isEmpty()) return refuse(QString::fromUtf8("Manca Nome Localit\u00E0"));
    const QString coordinates = fromCp1252(carriedMinutes(toCp1252(EditCoord->text().trimmed())));
    if (coordinates.size() != 12 || !atlas::validCoordinatesText(toCp1252(coordinates)))
        return refuse("Coordinate Errate o Mancanti");
    const std::string gmt = gmtOfCorrection(toCp1252(EditFuso->text()));
    if (gmt.empty()) return refuse("Manca correzione Coordinate Totale");
    showJulianDay();

    EnteredBirth entered;
    NewSubject& s = entered.subject;
    s.name = toCp1252(name.normalized(QString::NormalizationForm_C));
    s.day = m.day;
    s.month = m.month;
    s.year = m.year;
    s.hour = m.hour;
    s.minute = m.minute;
    s.corr = -*parseCorr(gmt);
    s.coordinates = toCp1252(coordinates);
    s.place = toCp1252(place.normalized(QString::NormalizationForm_C));
    s.nation = toCp1252(EditStato->text().trimmed().normalized(QString::NormalizationForm_C));
    s.gregorian = calendar == "GREG";
    entered.gmt = gmt;
    entered.dateText = toCp1252(QString("%1/%2/%3 %4:%5")
                                    .arg(twoDigits(m.day), twoDigits(m.month))
                                    .arg(m.year, 4, 10, QChar('0'))
                                    .arg(twoDigits(m.hour), twoDigits(m.minute)));
    entered.julianDay = toCp1252(EditJD->text());
    // Texts go to the archive in Windows-1252: a character it has not is
    // refused rather than stored as "?" (accents typed as combining marks
    // are joined first).
    const std::pair<const char*, QString> texts[] = {{"Il Nome", name}, {"La Localit\xE0", place},
                                                     {"La Nazionalit\xE0", EditStato->text().trimmed()}};
    for (const auto& [field, text] : texts) {
        std::string offending;
        if (!typedTextToCp1252(text.normalized(QString::NormalizationForm_C).toStdString(), &offending))
            return refuse(fromCp1252(std::string(field) + " contiene \"") + QString::fromStdString(offending) +
                          fromCp1252("\", che non si pu\xF2 scrivere negli archivi"));
    }
    const std::string refused = checkNewSubject(s);
    if (!refused.empty()) return refuse(fromCp1252(refused));

    TFormRegSpa registration(openText_, this);
    registration.setEnteredBirth(entered);
    registration.adjustSize();
    if (parentWidget()) placeChildWindow(&registration, parentWidget());
    registration.exec();
    // Registered or abandoned there, the entry closes as well.
    if (registration.registration())
        accept();
    else
        reject();
}

} // namespace qv
