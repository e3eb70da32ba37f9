#include "timing/ui/transits_window.h"

#include "base/errors.h"
#include "base/ui/qt_text.h"
#include "base/ui/user_action.h"
#include "display/chart_wheel.h"
#include "display/picture_output.h"
#include "display/transit_wheel.h"
#include "ephemeris/bodies.h"
#include "ephemeris/chart_steps.h"
#include "ephemeris/julian_day.h"
#include "ephemeris/text_forms.h"
#include "settings/chart_settings.h"
#include "timing/body_positions.h"
#include "timing/calendar_events.h"
#include "timing/solar_return.h"
#include "timing/ui/wheel_view.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>

namespace qv {

namespace {

Extended julianDayOfDate(const QDate& d) { return julianDayOf(true, d.day(), d.month(), d.year(), 0, 0); }

std::string orbsText(const timing::TransitOrbs& orbs) {
    std::string text = "Orbi:";
    for (int c = 0; c < timing::kBodyClassCount; ++c)
        text += std::string(c ? ", " : " ") + timing::kBodyClassNames[static_cast<std::size_t>(c)] + " " +
                NumberText(4, orbs.degrees[static_cast<std::size_t>(c)]) + "\xB0";
    return text;
}

// The moving bodies at a moment, for the outer ring.
std::vector<draw::RingPoint> movingAt(Extended jd, const std::string& nodeKind) {
    std::vector<draw::RingPoint> points;
    for (int body = 1; body <= timing::kTransitBodyCount; ++body) {
        timing::BodyPositions positions(body, nodeKind);
        const bool backwards = positions.turns() && positions.speed(jd) < 0;
        points.push_back({body, static_cast<double>(positions.longitude(jd)), backwards ? 'r' : ' '});
    }
    return points;
}

} // namespace

TFoTransiti::TFoTransiti(const ChartState& natal, const timing::LocalClock& clock, const std::string& name,
                         QWidget* parent)
    : QDialog(parent), natal_(natal), clock_(clock) {
    setObjectName("TFoTransiti");
    setWindowTitle("Transiti");
    auto* header = new QLabel(fromCp1252("Transiti di " + name + " - ore locali: " + clock.description()), this);
    header->setWordWrap(true);

    const QDate today = QDate::currentDate();
    EdDal = new QDateEdit(today, this);
    EdDal->setObjectName("EdDal");
    EdAl = new QDateEdit(today.addMonths(1), this);
    EdAl->setObjectName("EdAl");
    for (QDateEdit* e : {EdDal, EdAl}) {
        e->setDisplayFormat("dd/MM/yyyy");
        e->setCalendarPopup(true);
    }
    // The orbs by class of body, the practitioner's setting: kept when a
    // computation uses them.
    timing::TransitOrbs orbs;
    runUserAction(this, [&] { orbs = timing::readTransitOrbs(); });
    auto* orbRow = new QHBoxLayout;
    orbRow->addWidget(new QLabel("Orbi:", this));
    for (int c = 0; c < timing::kBodyClassCount; ++c) {
        auto* spin = new QDoubleSpinBox(this);
        spin->setObjectName(QString("SpinOrbo%1").arg(c));
        spin->setRange(0.1, static_cast<double>(timing::kLargestTransitOrb));
        spin->setSingleStep(0.5);
        spin->setDecimals(1);
        spin->setSuffix(fromCp1252("\xB0"));
        spin->setValue(static_cast<double>(orbs.degrees[static_cast<std::size_t>(c)]));
        SpinOrbo[static_cast<std::size_t>(c)] = spin;
        orbRow->addWidget(new QLabel(fromCp1252(timing::kBodyClassNames[static_cast<std::size_t>(c)]), this));
        orbRow->addWidget(spin);
    }
    orbRow->addStretch();
    CBluna = new QCheckBox("Anche la Luna", this);
    CBluna->setObjectName("CBluna");
    BBcalcola = new QPushButton("Calcola", this);
    BBcalcola->setObjectName("BBcalcola");
    BBcalcola->setDefault(true);

    ListTransiti = new QTreeWidget(this);
    ListTransiti->setObjectName("ListTransiti");
    ListTransiti->setHeaderLabels({"Entra in orbe", "Transito", "Aspetto", "Natale", "Esatto", "Esce dall'orbe"});
    ListTransiti->setRootIsDecorated(false);
    ListTransiti->setMinimumWidth(560);
    ListTransiti->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    LabStato = new QLabel(fromCp1252(orbsText(orbs)), this);
    LabStato->setObjectName("LabStato");
    LabStato->setWordWrap(true);

    SpinAnno = new QSpinBox(this);
    SpinAnno->setObjectName("SpinAnno");
    const int birthYear = civilDateOf(natal.jd).year;
    SpinAnno->setRange(birthYear + 1, 9999);
    SpinAnno->setValue(std::max(birthYear + 1, today.year()));
    BBrivoluzione = new QPushButton("Rivoluzione Solare", this);
    BBrivoluzione->setObjectName("BBrivoluzione");
    BBsalva = new QPushButton("Salva Ruota (PDF)", this);
    BBsalva->setObjectName("BBsalva");
    BBsalva->setEnabled(false);

    AreaRuota = new WheelView(this);
    AreaRuota->setObjectName("AreaRuota");

    auto* period = new QHBoxLayout;
    period->addWidget(new QLabel("Dal", this));
    period->addWidget(EdDal);
    period->addWidget(new QLabel("al", this));
    period->addWidget(EdAl);
    period->addWidget(CBluna);
    period->addWidget(BBcalcola);
    period->addStretch();
    auto* returns = new QHBoxLayout;
    returns->addWidget(new QLabel("Anno", this));
    returns->addWidget(SpinAnno);
    returns->addWidget(BBrivoluzione);
    returns->addWidget(BBsalva);
    returns->addStretch();
    auto* left = new QVBoxLayout;
    left->addWidget(header);
    left->addLayout(period);
    left->addLayout(orbRow);
    left->addWidget(ListTransiti, 1);
    left->addWidget(LabStato);
    left->addLayout(returns);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(AreaRuota, 1);

    connect(BBcalcola, &QPushButton::clicked, this, &TFoTransiti::BBcalcolaClick);
    connect(ListTransiti, &QTreeWidget::itemClicked, this, &TFoTransiti::ListTransitiClick);
    connect(BBrivoluzione, &QPushButton::clicked, this, &TFoTransiti::BBrivoluzioneClick);
    connect(BBsalva, &QPushButton::clicked, this, &TFoTransiti::BBsalvaClick);
}

void TFoTransiti::BBcalcolaClick() {
    runUserAction(this, [&] {
        const QDate from = EdDal->date(), to = EdAl->date();
        if (to < from) throw ConversionError("La data finale precede quella iniziale");
        if (from.daysTo(to) > 3660) throw ConversionError("Periodo troppo lungo: al massimo dieci anni");
        timing::TransitQuery q;
        q.nodeKind = natal_.nodeKind.empty() ? "MEDIO" : natal_.nodeKind;
        for (int c = 0; c < timing::kBodyClassCount; ++c)
            q.orbs.degrees[static_cast<std::size_t>(c)] = SpinOrbo[static_cast<std::size_t>(c)]->value();
        timing::TransitOrbs stored;
        try {
            stored = timing::readTransitOrbs();
        } catch (const ConversionError&) {
            stored.degrees.fill(-1);  // a damaged setting is written afresh
        }
        if (!(stored == q.orbs)) timing::writeTransitOrbs(q.orbs);
        const Extended first = julianDayOfDate(from), last = julianDayOfDate(to) + 1;
        q.from = first + clock_.correctionAt(first) / 24.0L;
        q.to = last + clock_.correctionAt(last) / 24.0L;
        for (int b = 1; b <= timing::kTransitBodyCount; ++b)
            if (b != kMoon || CBluna->isChecked()) q.bodies.push_back(b);
        contacts_ = timing::findTransits(natal_, q);
        ListTransiti->clear();
        auto when = [&](const std::optional<Extended>& jd, const char* otherwise) {
            return fromCp1252(jd ? timing::localClockText(clock_, *jd) : std::string(otherwise));
        };
        for (std::size_t i = 0; i < contacts_.size(); ++i) {
            const timing::Contact& c = contacts_[i];
            std::string exact;
            for (Extended e : c.exact) exact += (exact.empty() ? "" : ", ") + timing::localClockText(clock_, e);
            auto* item = new QTreeWidgetItem(ListTransiti);
            item->setText(0, when(c.enter, "prima del periodo"));
            item->setText(1, fromCp1252(timing::kTransitBodyNames[static_cast<std::size_t>(c.body)]));
            item->setText(2, fromCp1252(timing::aspectName(c.aspect)));
            item->setText(3, fromCp1252(timing::kNatalTargetNames[static_cast<std::size_t>(c.natal)]));
            item->setText(4, fromCp1252(exact.empty() ? std::string("non esatto") : exact));
            item->setText(5, when(c.leave, "dopo il periodo"));
            item->setData(0, Qt::UserRole, static_cast<int>(i));
        }
        LabStato->setText(fromCp1252(std::to_string(contacts_.size()) + " transiti.  " + orbsText(q.orbs)));
    });
}

void TFoTransiti::ListTransitiClick(QTreeWidgetItem* item) {
    if (!item) return;
    const int i = item->data(0, Qt::UserRole).toInt();
    if (i < 0 || static_cast<std::size_t>(i) >= contacts_.size()) return;
    showContactWheel(contacts_[static_cast<std::size_t>(i)]);
}

void TFoTransiti::showContactWheel(const timing::Contact& c) {
    runUserAction(this, [&] {
        // The moment the contact is exact, or the middle of its stay in orb.
        Extended moment = !c.exact.empty() ? c.exact.front()
                                           : (c.enter && c.leave ? (*c.enter + *c.leave) / 2 : c.enter.value_or(c.leave.value_or(natal_.jd)));
        draw::TransitWheelInput in;
        in.natal = &natal_;
        in.moving = movingAt(moment, natal_.nodeKind.empty() ? "MEDIO" : natal_.nodeKind);
        in.contactBody = c.body;
        in.contactNatal = c.natal;
        in.caption = {std::string(timing::kTransitBodyNames[static_cast<std::size_t>(c.body)]) + " " +
                          timing::aspectName(c.aspect) + " " + timing::kNatalTargetNames[static_cast<std::size_t>(c.natal)],
                      timing::localClockText(clock_, moment) + " (ora locale)"};
        showWheel([in] { draw::drawTransitWheel(in); });
    });
}

void TFoTransiti::BBrivoluzioneClick() {
    runUserAction(this, [&] {
        const int year = SpinAnno->value();
        const Extended jd = timing::solarReturnMoment(natal_, year);
        BirthData place = natal_.birth;
        place.corr = clock_.correctionAt(jd);
        ChartState chart;
        chart.houseSystem = natal_.houseSystem.empty() ? "CASE_MEDIE" : natal_.houseSystem;
        chart.nodeKind = natal_.nodeKind.empty() ? "MEDIO" : natal_.nodeKind;
        chart.blackMoonKind = natal_.blackMoonKind.empty() ? "MEDIA" : natal_.blackMoonKind;
        const MotionFlags moved = timing::castChartAt(chart, place, jd);
        layOutTraditionally(chart, moved);
        const std::string when = timing::localClockText(clock_, jd);
        const OrbTable orbs = ActiveOrbs();
        showWheel([chart, orbs, year, when] {
            draw::ChartWheelOptions options;
            options.clickCircles = false;
            draw::drawChartWheel(chart, orbs, options);
            draw::textRgb(draw::kYellow);
            draw::textLeft("Rivoluzione solare " + std::to_string(year), 4, 1.5, 2);
            draw::textLeft(when + " (ora locale)", 4, 7.5, 2);
        });
        LabStato->setText(fromCp1252("Rivoluzione solare " + std::to_string(year) + ": " + when + " ora locale, " +
                                     timing::localClockText(timing::LocalClock::fixed(0), jd) + " TU"));
    });
}

void TFoTransiti::showWheel(std::function<void()> draw) {
    wheel_ = std::move(draw);
    AreaRuota->showDrawing(wheel_);
    BBsalva->setEnabled(true);
}

void TFoTransiti::saveWheel(const std::string& file) {
    if (!wheel_) return;
    draw::PictureRequest request;
    request.file = file;
    request.format = draw::pictureFormatOf(file).value_or(draw::PictureFormat::Pdf);
    draw::writePicture(request, wheel_);
}

void TFoTransiti::BBsalvaClick() {
    const QString file = QFileDialog::getSaveFileName(this, "Salva la ruota", "ruota.pdf", "PDF (*.pdf);;SVG (*.svg);;PNG (*.png)");
    if (file.isEmpty()) return;
    runUserAction(this, [&] { saveWheel(file.toStdString()); });
}

} // namespace qv
