// "Inserimento manuale coordinate": the latitude in degrees and minutes and
// the longitude either in degrees and minutes or in time (hours, minutes,
// seconds), composed into the twelve characters of a coordinates text.
#pragma once

#include <QFrame>
#include <QString>
#include <optional>

class QComboBox;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace qv {

class ManualCoordinatesPanel : public QFrame {
    Q_OBJECT
public:
    explicit ManualCoordinatesPanel(QWidget* parent);

    // Fills the fields from a coordinates text ("45N28-009E11"); a text that
    // does not read leaves them empty.
    void prefill(const QString& coordinates);
    // "45N28-009E11", or nothing when a field is empty or out of range.
    std::optional<QString> composed() const;

signals:
    void coordinatesChosen(const QString& coordinates);

public slots:
    void BBokClick();
    void BBcancClick();
    void RBlongitudineClick();

private:
    QLineEdit* EdLatGradi;
    QLineEdit* EdLatPrimi;
    QComboBox* CBlatNS;
    QRadioButton* RBgradi;
    QRadioButton* RBtempo;
    QWidget* degreesRow_;
    QWidget* timeRow_;
    QLineEdit* EdLonGradi;
    QLineEdit* EdLonPrimi;
    QComboBox* CBlonEW;
    QLineEdit* EdLonOre;
    QLineEdit* EdLonMinuti;
    QLineEdit* EdLonSecondi;
    QComboBox* CBtempoEW;
};

} // namespace qv
