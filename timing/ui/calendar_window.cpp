#include "timing/ui/calendar_window.h"

#include "analysis/chart_codes.h"
#include "analysis/planetary_hour.h"
#include "base/data_dir.h"
#include "base/errors.h"
#include "base/file_safety.h"
#include "base/ui/dialogs.h"
#include "base/ui/qt_text.h"
#include "base/ui/user_action.h"
#include "ephemeris/birth_data.h"
#include "ephemeris/chart_state.h"
#include "ephemeris/julian_day.h"
#include "remedies/remedy_planet.h"
#include "timing/birthplace_clock.h"
#include "timing/body_positions.h"
#include "timing/calendar_events.h"
#include "timing/icalendar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cstdio>
#include <fstream>

namespace qv {

namespace {

Extended calendarDateJd(const QDate& d) { return julianDayOf(true, d.day(), d.month(), d.year(), 0, 0); }

std::string dayLine(const timing::CalendarDay& d, const timing::LocalClock& clock) {
    char date[16];
    std::snprintf(date, sizeof date, "%02d/%02d/%04d", d.day, d.month, d.year);
    std::string line = std::string(date) + " " + kWeekdayNames[static_cast<std::size_t>(d.weekday)] + ", giorno " +
                       kOfPhrases[static_cast<std::size_t>(d.ruler)];
    if (d.sunrise) line += " - alba " + timing::localClockTime(clock, *d.sunrise);
    if (d.sunset) line += ", tramonto " + timing::localClockTime(clock, *d.sunset);
    line += " - Luna in " + std::string(kSignNames[static_cast<std::size_t>(d.moonSign)]) + ", " + d.moonPhase;
    for (const auto& v : d.voids)
        line += " - vuota di corso " + timing::localClockText(clock, v.first).substr(0, 5) + " " +
                timing::localClockTime(clock, v.first) + " - " + timing::localClockText(clock, v.second).substr(0, 5) +
                " " + timing::localClockTime(clock, v.second);
    if (!d.note.empty()) line += " - " + d.note;
    return line;
}

} // namespace

TFoCalendario::TFoCalendario(const std::string& place, const std::string& coordinates, Extended corr, QWidget* parent)
    : QDialog(parent) {
    setObjectName("TFoCalendario");
    setWindowTitle("Calendario spagirico");
    EdLocalita = new QLineEdit(fromCp1252(place), this);
    EdLocalita->setObjectName("EdLocalita");
    EdLocalita->setPlaceholderText("comune dell'atlante (vuoto: coordinate e correzione)");
    CBestero = new QCheckBox("Estero", this);
    CBestero->setObjectName("CBestero");
    EdStato = new QLineEdit(this);
    EdStato->setObjectName("EdStato");
    EdStato->setPlaceholderText("stato");
    EdCoordinate = new QLineEdit(fromCp1252(coordinates), this);
    EdCoordinate->setObjectName("EdCoordinate");
    EdCoordinate->setPlaceholderText("45N28-009E11");
    EdCorr = new QLineEdit(QString::number(static_cast<double>(corr)), this);
    EdCorr->setObjectName("EdCorr");

    const QDate today = QDate::currentDate();
    EdDal = new QDateEdit(today, this);
    EdDal->setObjectName("EdDal");
    EdAl = new QDateEdit(today.addDays(6), this);
    EdAl->setObjectName("EdAl");
    for (QDateEdit* e : {EdDal, EdAl}) {
        e->setDisplayFormat("dd/MM/yyyy");
        e->setCalendarPopup(true);
    }
    CBpianeta = new QComboBox(this);
    CBpianeta->setObjectName("CBpianeta");
    CBpianeta->addItem("Tutti i pianeti");
    for (int p = 1; p <= 7; ++p) CBpianeta->addItem(fromCp1252(timing::kTransitBodyNames[static_cast<std::size_t>(p)]));
    EdRimedio = new QLineEdit(this);
    EdRimedio->setObjectName("EdRimedio");
    EdRimedio->setPlaceholderText("rimedio: il pianeta della sua segnatura");
    CBcrescente = new QCheckBox("Luna crescente", this);
    CBcrescente->setObjectName("CBcrescente");
    auto* signs = new QGridLayout;
    for (int s = 1; s <= 12; ++s) {
        CBsegno[static_cast<std::size_t>(s)] = new QCheckBox(fromCp1252(kSignNames[static_cast<std::size_t>(s)]), this);
        CBsegno[static_cast<std::size_t>(s)]->setObjectName(QString("CBsegno%1").arg(s));
        signs->addWidget(CBsegno[static_cast<std::size_t>(s)], (s - 1) / 6, (s - 1) % 6);
    }
    BBcalcola = new QPushButton("Calcola", this);
    BBcalcola->setObjectName("BBcalcola");
    BBcalcola->setDefault(true);
    BBesporta = new QPushButton("Esporta iCalendar", this);
    BBesporta->setObjectName("BBesporta");
    BBesporta->setEnabled(false);

    ListCalendario = new QTreeWidget(this);
    ListCalendario->setObjectName("ListCalendario");
    ListCalendario->setHeaderLabels({"Giorno e ore", "Luna"});
    ListCalendario->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    ListCalendario->setMinimumSize(720, 300);
    LabStato = new QLabel(fromCp1252("Alba e tramonto: bordo superiore del Sole, rifrazione standard"), this);
    LabStato->setObjectName("LabStato");
    LabStato->setWordWrap(true);
    // Room for the two lines a long place name takes, so that the text set
    // after a computation never runs over the list above it.
    LabStato->setMinimumHeight(2 * LabStato->fontMetrics().lineSpacing() + 4);

    auto* form = new QFormLayout;
    auto* placeRow = new QHBoxLayout;
    placeRow->addWidget(EdLocalita, 1);
    placeRow->addWidget(CBestero);
    placeRow->addWidget(EdStato);
    form->addRow(fromCp1252("Localit\xE0"), placeRow);
    auto* coordRow = new QHBoxLayout;
    coordRow->addWidget(EdCoordinate);
    coordRow->addWidget(new QLabel("Correzione (ore)", this));
    coordRow->addWidget(EdCorr);
    form->addRow("Coordinate", coordRow);
    auto* periodRow = new QHBoxLayout;
    periodRow->addWidget(EdDal);
    periodRow->addWidget(new QLabel("al", this));
    periodRow->addWidget(EdAl);
    periodRow->addStretch();
    form->addRow("Dal", periodRow);
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(CBpianeta);
    filterRow->addWidget(EdRimedio, 1);
    filterRow->addWidget(CBcrescente);
    form->addRow("Pianeta", filterRow);
    form->addRow("Luna in", signs);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BBcalcola);
    buttons->addWidget(BBesporta);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(ListCalendario, 1);
    layout->addWidget(LabStato);

    connect(BBcalcola, &QPushButton::clicked, this, &TFoCalendario::BBcalcolaClick);
    connect(BBesporta, &QPushButton::clicked, this, &TFoCalendario::BBesportaClick);
}

void TFoCalendario::BBcalcolaClick() {
    runUserAction(this, [&] {
        const QDate from = EdDal->date(), to = EdAl->date();
        if (to < from) throw ConversionError("La data finale precede quella iniziale");
        if (from.daysTo(to) > 366) throw ConversionError("Periodo troppo lungo: al massimo un anno");
        timing::GeoPlace geo;
        const std::string placeName = toCp1252(EdLocalita->text().trimmed());
        if (!placeName.empty()) {
            const auto found = timing::atlasPlaceNamed(placeName, CBestero->isChecked(), toCp1252(EdStato->text().trimmed()));
            if (!found) throw ConversionError("Localit\xE0 non trovata o non univoca nell'atlante: " + placeName);
            geo = {found->place.latitude, found->place.longitude};
            clock_ = found->clock;
            placeText_ = found->place.name;
        } else {
            BirthData b;
            const std::string coordinates = toCp1252(EdCoordinate->text().trimmed());
            if (!readTypedCoordinates(coordinates, b) || b.latDegrees > 89 || b.lonDegrees > 180)
                throw ConversionError("Coordinate non valide (per esempio 45N28-009E11): " + coordinates);
            bool ok = false;
            const double corr = EdCorr->text().trimmed().replace(',', '.').toDouble(&ok);
            if (!ok || corr < -24 || corr > 24) throw ConversionError("Correzione non valida (da -24 a +24 ore)");
            geo.latitude = (b.latDegrees + b.latMinutes / 60.0L) * (b.latLetter == "S" ? -1 : 1);
            geo.longitude = (b.lonDegrees + b.lonMinutes / 60.0L) * (b.lonLetter == "E" ? 1 : -1);
            clock_ = timing::LocalClock::fixed(corr);
            placeText_ = coordinates;
        }
        timing::HourFilter filter;
        filter.planet = CBpianeta->currentIndex();
        remedy_.clear();
        const std::string remedy = toCp1252(EdRimedio->text().trimmed());
        if (!remedy.empty()) {
            const remedies::RemedyPlanet rp = remedies::planetOfRemedy(dataDir(), remedy);
            if (rp.planet == 0) throw ConversionError(rp.problem);
            remedy_ = rp.remedy;
            filter.planet = rp.planet;
            CBpianeta->setCurrentIndex(rp.planet);
        }
        filter.waxing = CBcrescente->isChecked();
        for (int s = 1; s <= 12; ++s) filter.moonSigns[static_cast<std::size_t>(s)] = CBsegno[static_cast<std::size_t>(s)]->isChecked();
        days_ = timing::filtered(timing::spagyricCalendar(geo, calendarDateJd(from), calendarDateJd(to)), filter);

        ListCalendario->clear();
        int hours = 0;
        for (const timing::CalendarDay& d : days_) {
            auto* day = new QTreeWidgetItem(ListCalendario);
            day->setText(0, fromCp1252(dayLine(d, clock_)));
            day->setFirstColumnSpanned(true);
            for (const timing::CalendarHour& h : d.hours) {
                auto* item = new QTreeWidgetItem(day);
                item->setText(0, fromCp1252(timing::localClockTime(clock_, h.start) + " - " +
                                            timing::localClockTime(clock_, h.end) + "   " + timing::hourTitle(h)));
                item->setText(1, fromCp1252(std::string(kSignNames[static_cast<std::size_t>(h.moonSign)]) +
                                            (h.waxing ? ", crescente" : ", calante") +
                                            (h.voidOfCourse ? ", vuota di corso" : "")));
                ++hours;
            }
            day->setExpanded(true);
        }
        ListCalendario->resizeColumnToContents(1);
        BBesporta->setEnabled(hours > 0);
        LabStato->setText(fromCp1252(std::to_string(hours) + " ore" + (remedy_.empty() ? "" : " per " + remedy_) +
                                     " - ore locali: " + clock_.description() +
                                     " - alba e tramonto: bordo superiore del Sole, rifrazione standard"));
    });
}

int TFoCalendario::exportTo(const std::string& file) {
    const std::string text =
        timing::icalendarText("Calendario spagirico", timing::calendarEvents(days_, clock_, placeText_, remedy_));
    writeFileAtomically(file, text, file);
    std::ifstream back(file, std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(back)), std::istreambuf_iterator<char>());
    const timing::IcsCheck check = timing::checkIcalendar(written);
    if (!check.valid) throw IoError(file, check.problem);
    return check.events;
}

void TFoCalendario::BBesportaClick() {
    const QString file = QFileDialog::getSaveFileName(this, "Esporta iCalendar", "calendario.ics", "iCalendar (*.ics)");
    if (file.isEmpty()) return;
    runUserAction(this, [&] {
        const int events = exportTo(file.toStdString());
        dialogs().information(this, fromCp1252("File iCalendar scritto e verificato: " + std::to_string(events) + " ore"));
    });
}

} // namespace qv
