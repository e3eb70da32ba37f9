// "Calendario spagirico": the planetary days and hours of a place over a
// period, with the Moon's sign, phase and void of course; the hours of a
// planet or of a remedy's planet, with the Moon waxing and in chosen signs;
// and their iCalendar file.
#pragma once

#include "timing/local_clock.h"
#include "timing/spagyric_calendar.h"

#include <QDialog>

#include <array>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace qv {

class TFoCalendario : public QDialog {
    Q_OBJECT
public:
    // `coordinates` and `corr` fill the place fields at first (the current
    // subject's birthplace), `place` its name.
    TFoCalendario(const std::string& place, const std::string& coordinates, Extended corr, QWidget* parent = nullptr);

    const std::vector<timing::CalendarDay>& days() const { return days_; }
    // Writes the hours shown to an iCalendar file, checks it with libical
    // and says so; returns the number of events (IoError on failure).
    int exportTo(const std::string& file);

public slots:
    void BBcalcolaClick();
    void BBesportaClick();

private:
    QLineEdit* EdLocalita;
    QCheckBox* CBestero;
    QLineEdit* EdStato;
    QLineEdit* EdCoordinate;
    QLineEdit* EdCorr;
    QDateEdit* EdDal;
    QDateEdit* EdAl;
    QComboBox* CBpianeta;
    QLineEdit* EdRimedio;
    QCheckBox* CBcrescente;
    std::array<QCheckBox*, 13> CBsegno{};
    QPushButton* BBcalcola;
    QPushButton* BBesporta;
    QTreeWidget* ListCalendario;
    QLabel* LabStato;

    std::vector<timing::CalendarDay> days_;
    timing::LocalClock clock_ = timing::LocalClock::fixed(0);
    std::string placeText_, remedy_;
};

} // namespace qv
