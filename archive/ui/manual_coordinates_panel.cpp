#include "archive/ui/manual_coordinates_panel.h"

#include "archive/local_time_correction.h"
#include "base/ui/dialogs.h"
#include "ephemeris/angles.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qv {

namespace {

QLineEdit* numberField(QWidget* parent, const char* name, int digits) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMaxLength(digits);
    e->setAlignment(Qt::AlignRight);
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QString(digits + 2, '0')));
    return e;
}

QComboBox* sideBox(QWidget* parent, const char* name, const char* first, const char* second) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->addItems({first, second});
    return c;
}

// A field of digits only, within [low, high].
std::optional<int> fieldNumber(const QLineEdit* e, int low, int high) {
    const QString t = e->text().trimmed();
    if (t.isEmpty()) return std::nullopt;
    for (QChar c : t)
        if (!c.isDigit()) return std::nullopt;
    const int v = t.toInt();
    if (v < low || v > high) return std::nullopt;
    return v;
}

} // namespace

ManualCoordinatesPanel::ManualCoordinatesPanel(QWidget* parent) : QFrame(parent) {
    setObjectName("PanelCoord");
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(2);
    setAutoFillBackground(true);

    EdLatGradi = numberField(this, "EdLatGradi", 2);
    EdLatPrimi = numberField(this, "EdLatPrimi", 2);
    CBlatNS = sideBox(this, "CBlatNS", "N", "S");
    RBgradi = new QRadioButton("Longitudine in gradi", this);
    RBgradi->setObjectName("RBgradi");
    RBgradi->setChecked(true);
    RBtempo = new QRadioButton("Longitudine in tempo", this);
    RBtempo->setObjectName("RBtempo");

    degreesRow_ = new QWidget(this);
    EdLonGradi = numberField(degreesRow_, "EdLonGradi", 3);
    EdLonPrimi = numberField(degreesRow_, "EdLonPrimi", 2);
    CBlonEW = sideBox(degreesRow_, "CBlonEW", "E", "W");
    auto* degrees = new QHBoxLayout(degreesRow_);
    degrees->setContentsMargins(0, 0, 0, 0);
    degrees->addWidget(new QLabel("Longitudine", degreesRow_));
    degrees->addWidget(EdLonGradi);
    degrees->addWidget(new QLabel("gradi", degreesRow_));
    degrees->addWidget(EdLonPrimi);
    degrees->addWidget(new QLabel("primi", degreesRow_));
    degrees->addWidget(CBlonEW);
    degrees->addStretch();

    timeRow_ = new QWidget(this);
    EdLonOre = numberField(timeRow_, "EdLonOre", 2);
    EdLonMinuti = numberField(timeRow_, "EdLonMinuti", 2);
    EdLonSecondi = numberField(timeRow_, "EdLonSecondi", 2);
    CBtempoEW = sideBox(timeRow_, "CBtempoEW", "E", "W");
    auto* time = new QHBoxLayout(timeRow_);
    time->setContentsMargins(0, 0, 0, 0);
    time->addWidget(new QLabel("Longitudine", timeRow_));
    time->addWidget(EdLonOre);
    time->addWidget(new QLabel("ore", timeRow_));
    time->addWidget(EdLonMinuti);
    time->addWidget(new QLabel("min", timeRow_));
    time->addWidget(EdLonSecondi);
    time->addWidget(new QLabel("sec", timeRow_));
    time->addWidget(CBtempoEW);
    time->addStretch();
    timeRow_->hide();
    setFocusProxy(EdLatGradi);

    auto* latitude = new QHBoxLayout;
    latitude->addWidget(new QLabel("Latitudine", this));
    latitude->addWidget(EdLatGradi);
    latitude->addWidget(new QLabel("gradi", this));
    latitude->addWidget(EdLatPrimi);
    latitude->addWidget(new QLabel("primi", this));
    latitude->addWidget(CBlatNS);
    latitude->addStretch();

    auto* ok = new QPushButton("&OK", this);
    ok->setObjectName("BBokCoord");
    ok->setAutoDefault(false);
    auto* cancel = new QPushButton("&Canc", this);
    cancel->setObjectName("BBcanc");
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* title = new QLabel("Inserimento manuale coordinate", this);
    title->setStyleSheet("font-weight: bold;");
    auto* modes = new QHBoxLayout;
    modes->addWidget(RBgradi);
    modes->addWidget(RBtempo);
    modes->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(latitude);
    layout->addLayout(modes);
    layout->addWidget(degreesRow_);
    layout->addWidget(timeRow_);
    layout->addLayout(buttons);

    connect(RBgradi, &QRadioButton::clicked, this, &ManualCoordinatesPanel::RBlongitudineClick);
    connect(RBtempo, &QRadioButton::clicked, this, &ManualCoordinatesPanel::RBlongitudineClick);
    connect(ok, &QPushButton::clicked, this, &ManualCoordinatesPanel::BBokClick);
    connect(cancel, &QPushButton::clicked, this, &ManualCoordinatesPanel::BBcancClick);
}

void ManualCoordinatesPanel::RBlongitudineClick() {
    degreesRow_->setVisible(RBgradi->isChecked());
    timeRow_->setVisible(RBtempo->isChecked());
}

void ManualCoordinatesPanel::prefill(const QString& coordinates) {
    for (QLineEdit* e : {EdLatGradi, EdLatPrimi, EdLonGradi, EdLonPrimi, EdLonOre, EdLonMinuti, EdLonSecondi})
        e->clear();
    const QString c = coordinates.trimmed();
    if (c.size() < 12) return;
    EdLatGradi->setText(c.mid(0, 2));
    CBlatNS->setCurrentIndex(c.at(2) == 'S' ? 1 : 0);
    EdLatPrimi->setText(c.mid(3, 2));
    EdLonGradi->setText(c.mid(6, 3));
    CBlonEW->setCurrentIndex(c.at(9) == 'W' ? 1 : 0);
    CBtempoEW->setCurrentIndex(c.at(9) == 'W' ? 1 : 0);
    EdLonPrimi->setText(c.mid(10, 2));
    bool degreesRead = false, minutesRead = false;
    const int arcMinutes = c.mid(6, 3).toInt(&degreesRead) * 60 + c.mid(10, 2).toInt(&minutesRead);
    if (!degreesRead || !minutesRead) return;
    const int timeSeconds = arcMinutes * 4;  // one minute of arc is four seconds of time
    EdLonOre->setText(QString::number(timeSeconds / 3600));
    EdLonMinuti->setText(QString::number(timeSeconds / 60 % 60));
    EdLonSecondi->setText(QString::number(timeSeconds % 60));
}

std::optional<QString> ManualCoordinatesPanel::composed() const {
    const auto latDegrees = fieldNumber(EdLatGradi, 0, 89);
    const auto latMinutes = fieldNumber(EdLatPrimi, 0, 59);
    if (!latDegrees || !latMinutes) return std::nullopt;
    int arcMinutes = 0;
    QChar side;
    if (RBgradi->isChecked()) {
        const auto degrees = fieldNumber(EdLonGradi, 0, 179);
        const auto minutes = fieldNumber(EdLonPrimi, 0, 59);
        if (!degrees || !minutes) return std::nullopt;
        arcMinutes = *degrees * 60 + *minutes;
        side = CBlonEW->currentText().at(0);
    } else {
        const auto hours = fieldNumber(EdLonOre, 0, 11);
        const auto minutes = fieldNumber(EdLonMinuti, 0, 59);
        const auto seconds = fieldNumber(EdLonSecondi, 0, 59);
        if (!hours || !minutes || !seconds) return std::nullopt;
        // Four seconds of time make one minute of arc.
        const Extended seconds4 = (*hours * 3600 + *minutes * 60 + *seconds) / 4.0L;
        arcMinutes = static_cast<int>(Round(seconds4));
        side = CBtempoEW->currentText().at(0);
    }
    const QString text = QString("%1%2%3-%4%5%6")
                             .arg(*latDegrees, 2, 10, QChar('0'))
                             .arg(CBlatNS->currentText())
                             .arg(*latMinutes, 2, 10, QChar('0'))
                             .arg(arcMinutes / 60, 3, 10, QChar('0'))
                             .arg(side)
                             .arg(arcMinutes % 60, 2, 10, QChar('0'));
    if (!atlas::validCoordinatesText(text.toStdString())) return std::nullopt;
    return text;
}

void ManualCoordinatesPanel::BBokClick() {
    const auto text = composed();
    if (!text) {
        dialogs().error(this, "Coordinate Scorrette");
        return;
    }
    hide();
    emit coordinatesChosen(*text);
}

void ManualCoordinatesPanel::BBcancClick() { hide(); }

} // namespace qv
