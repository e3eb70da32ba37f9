// The panel of the analysis window that passes from a planet or sign of the
// chart to the remedies carrying its signature (or, in the hidden mode, to
// the plants), and from a chosen one to the symptoms it treats. Sizes are
// in the window's units (pixels per unit given by the window).
#pragma once

#include "remedies/linked_remedies.h"

#include <QFrame>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace qv {

class PanelPianta;
class TFgrSpagy;

// Gives the analysis window its linked panel, which lists plants instead of
// remedies in the hidden mode. The window owns the panel.
PanelPianta* attachLinkedPanel(TFgrSpagy& window, bool plantsMode);

class PanelPianta : public QFrame {
    Q_OBJECT
public:
    explicit PanelPianta(QWidget* parent = nullptr, double pixelsPerUnit = 4.0);

    // Plants instead of remedies (the hidden mode).
    void setPlantsMode(bool plants) { plantsMode_ = plants; }
    bool plantsMode() const { return plantsMode_; }

    // Opens and fills the panel for a point (1 Sole … 9 NodoSud; Sole to
    // Saturno for plants) or a sign. Returns false, and opens nothing, for a
    // point without linked remedies (the Ascendant, the Medium Coeli).
    bool ShowLinkedRemedies(remedies::LinkedSubject subject);
    // Fills the two memos for entry `index` of the chooser.
    void ShowRemedySymptoms(int index);

    bool expanded() const { return expanded_; }
    int fontPoints() const { return fontPoints_; }
    int chosenIndex() const;

public slots:
    void BBchiudiPiantaClick();
    void BBaggiungiConsultoClick();  // "Aggiungi alla consultazione": the chosen remedy
    void BBFontPiantaClick();
    void BBsuGiuClick();
    void SpinDownClick();  // next entry
    void SpinUpClick();    // previous entry
    void ListBoxPianteClick(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void showDetails(const remedies::LinkedDetails& d);
    void applySizes();
    void fitDetails();
    int units(double u) const;

    double pixelsPerUnit_;
    bool plantsMode_ = false;
    bool expanded_ = false;
    int fontPoints_ = 8;
    int detailsExtra_ = 0; // what the panel grows by so that the details show whole
    std::vector<std::string> names_;

    QLabel* LabPianta;
    QLabel* Image1;
    QComboBox* ComboBoxPiante;
    QWidget* SpinButton1;
    QListWidget* ListBoxPiante;
    QPlainTextEdit* Memo4;
    QPlainTextEdit* Memo3;
    QPushButton* BBaggiungiConsulto;
    QPushButton* BBchiudiPianta;
    QPushButton* BBFontPianta;
    QPushButton* BBsuGiu;
};

} // namespace qv
