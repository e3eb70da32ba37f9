// The main window: shows the current subject, opens every other window and
// holds the two chart options the user may change at any time (orb set and
// lunar node kind).
#pragma once

#include "shell/access_modes.h"
#include "settings/display_settings.h"

#include <QLabel>
#include <QMainWindow>
#include <QPixmap>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTextEdit;
class QToolButton;

namespace qv {

class ClickableLabel;
class TFoTerapi;
class TFoMainArc;
class TFoAggRep;
class TFoAggiorna;
class TFoManut1;
class TFoUtilit;
class TFoSegnat;
class TFoPiante;
class TFoMali;
class TFoSintesi;
class TFoPrinci;
class TFoSintom2;
class TFoSintom3;
class TFgrSpagy;
class PanelPianta;

class TFoSpagyr : public QMainWindow {
    Q_OBJECT
public:
    explicit TFoSpagyr(QWidget* parent = nullptr);

    // The activation steps: settings, personal archive, practitioner's name,
    // node box, current subject and its chart, locked boxes.
    void FormActivate();
    // Opens a modal child window placed by the main window's rule, then
    // activates the main window again.
    int openChild(QDialog* child);

    // The texts of the subject box, one per line.
    QStringList subjectLines() const;

public slots:
    void BBlockClick();
    void CBorbiteChange();
    void CBnodoChange();
    void CBnodoDblClick();
    void ApplicationIdle();
    void BBcodiceClick();
    void EdPassKeyPress(const QString& typed);
    void EdPassDblClick();
    void EdPassClick();
    void BBnomeClick();
    void BBstampaClick();
    void BBapriTestoClick();
    void BBistruzioniClick();
    void BBdispensaClick();
    void BBrichiamoClick();
    void BBinserimentoClick();
    void BBeliminaClick();
    void BBmodificaClick();
    void BBmodelloClick();
    // "Grafici Riassuntivi Stampabili": the sheet window with layout 5, 18, 16 or 17.
    void openSheet(int layoutCode);
    void BBorbiteClick();
    void BBcerchiClick();
    void BBspessoreClick();
    void BBbackupClick();
    // Consultazione Rimedi.
    void BBsintomiClick();
    void BBrimediClick();
    void BBterapieClick();
    void BBsintomiMultipliClick();
    void BBterapieCompositeClick();
    void BBconsultazioniClick();     // the current subject's consultations
    void BBtransitiClick();          // transits and solar returns of the current subject
    void BBcalendarioClick();        // the spagyric calendar
    // Maintenance of the remedy database.
    void BBdatabaseClick();
    void BBrepertorioClick();
    void BBaggiornaClick();
    void BBmanutenzioneClick();
    void BButilityClick();
    // By signature and by text, the principles archive, and the hidden
    // mode's plant database windows.
    void BBsegnatureClick();
    void BBpianteClick();
    void BBdebilitaClick();
    void BBsintesiClick();
    void BBprincipiClick();
    void DevButton1Click();
    void DevButton2Click();
    void MemoSoggettoClick();
    void MemoAnnotazClick();
    void ImgFineMouseDown();
    void ImgFineMouseUp();

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void loadCurrentSubject();
    void setBoxesLocked(bool locked);

    QPixmap background_;
    QPushButton* BBcodice;
    QLineEdit* EdPass;
    ClickableLabel* ImgFine;
    QComboBox* CBorbite;
    QComboBox* CBnodo;
    QToolButton* BBlock;
    QPushButton* BBstampa;
    QPushButton* BBnome;
    QPushButton* BBapriTesto;
    QTabWidget* PageControl;
    ClickableLabel* MemoSoggetto;
    ClickableLabel* MemoAnnotaz;
    QPushButton* BButility = nullptr;
    // The therapy window lives for the whole run (it keeps its rows between openings).
    TFoTerapi* terapi_ = nullptr;
    // The maintenance windows live for the whole run as well.
    QPushButton* BBmanutenzione = nullptr;
    TFoMainArc* mainArc_ = nullptr;
    TFoAggRep* aggRep_ = nullptr;
    TFoAggiorna* aggiorna_ = nullptr;
    TFoManut1* manut1_ = nullptr;
    TFoUtilit* utilit_ = nullptr;
    template <typename Window>
    void openLasting(Window*& window);
    QPushButton* BBprincipi = nullptr;  // administrator mode only
    QPushButton* DevButton1 = nullptr;  // hidden mode only
    QPushButton* DevButton2 = nullptr;
    TFoSegnat* segnat_ = nullptr;
    TFoPiante* piante_ = nullptr;
    TFoMali* mali_ = nullptr;
    TFoSintesi* sintesi_ = nullptr;
    TFoPrinci* princi_ = nullptr;
    TFoSintom2* sintom2_ = nullptr;
    TFoSintom3* sintom3_ = nullptr;
    // The analysis window lives for the whole run, so that it opens again on
    // the archetypal structure when that was the last view it showed.
    TFgrSpagy* spagy_ = nullptr;
    PanelPianta* spagyPanel_ = nullptr;
    // A click on the code field hides the primary editor's saving controls again.
    bool primarySavingHidden_ = false;

    AccessCodeBuffer code_;
    bool locked_ = true;
    bool orbChanged_ = false;
    bool nodeChanged_ = false;
    bool activatedOnce_ = false;
    QStringList subject_;
};

// A label that reports clicks, presses and releases.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();
    void pressed();
    void released();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
};

} // namespace qv
