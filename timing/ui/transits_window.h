// "Transiti": the transits to the current subject's chart over a period,
// sorted by date, each contact's wheel (natal inside, the moment's bodies
// outside) on a click, and the wheel of a year's solar return.
#pragma once

#include "ephemeris/chart_state.h"
#include "timing/local_clock.h"
#include "timing/transits.h"

#include <QDialog>

#include <array>
#include <functional>
#include <vector>

class QCheckBox;
class QDoubleSpinBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace qv {

class WheelView;

class TFoTransiti : public QDialog {
    Q_OBJECT
public:
    // `natal` is the current subject's chart (traditional layout), `clock`
    // its birthplace's, `name` the subject's name (Windows-1252).
    TFoTransiti(const ChartState& natal, const timing::LocalClock& clock, const std::string& name,
                QWidget* parent = nullptr);

    const std::vector<timing::Contact>& contacts() const { return contacts_; }
    // Writes the wheel on view (a contact's or a solar return's) for paper,
    // as a PDF, SVG or PNG by the file's extension (IoError on failure).
    void saveWheel(const std::string& file);

public slots:
    void BBcalcolaClick();
    void ListTransitiClick(QTreeWidgetItem* item);
    void BBrivoluzioneClick();
    void BBsalvaClick();

private:
    void showContactWheel(const timing::Contact& c);
    void showWheel(std::function<void()> draw);

    ChartState natal_;
    timing::LocalClock clock_;
    std::vector<timing::Contact> contacts_;
    QDateEdit* EdDal;
    QDateEdit* EdAl;
    QCheckBox* CBluna;
    std::array<QDoubleSpinBox*, timing::kBodyClassCount> SpinOrbo{};
    QPushButton* BBcalcola;
    QTreeWidget* ListTransiti;
    QLabel* LabStato;
    QSpinBox* SpinAnno;
    QPushButton* BBrivoluzione;
    QPushButton* BBsalva;
    WheelView* AreaRuota;
    std::function<void()> wheel_;  // what the wheel on view draws
};

} // namespace qv
