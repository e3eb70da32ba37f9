// The consultation windows of the remedy database: symptoms and their
// remedies (TFoSintom1), remedies and their indications (TFoRimed), and the
// therapy repertory (TFoTerapi). Each shows its matches on the shared pages
// of fourteen rows.
#pragma once

#include "remedies/consultation.h"

#include <QDialog>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace qv {

class SearchBox;
class RemedyPagesPanel;
class WarningsBox;

// "SINTOMI e Rimedi Correlati": from a symptom to the remedies that serve it.
class TFoSintom1 : public QDialog {
    Q_OBJECT
public:
    explicit TFoSintom1(QWidget* parent = nullptr);
    RemedyPagesPanel* pages() const { return panel_; }

public slots:
    void FormActivate();
    void ListBox1Click(int row);
    void BitBtn1Click();  // Pulisci
    void BitBtn2Click();  // Informazioni On/Off
    void BBaggiungiConsultoClick();  // "Aggiungi alla consultazione": the remedy of the row clicked last

protected:
    void showEvent(QShowEvent* e) override;

private:
    void signaturePopup(int row, int column);
    QListWidget* ListBox1;
    SearchBox* EdCerca;
    QLineEdit* EdDist;
    RemedyPagesPanel* panel_;
    QPlainTextEdit* MemoInfo;
    std::vector<remedies::RemedyMatch> matches_;
    int chosenRow_ = -1;  // the row whose box was clicked last
};

// "RIMEDI e Sintomi correlati": from a remedy to everything the primary
// database holds on it.
class TFoRimed : public QDialog {
    Q_OBJECT
public:
    explicit TFoRimed(QWidget* parent = nullptr);
    RemedyPagesPanel* pages() const { return panel_; }

public slots:
    void FormActivate();
    void ListBox1Click(int row);
    void BitBtn1Click();
    void BitBtn2Click();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void signaturePopup(int row, int column);
    QListWidget* ListBox1;
    SearchBox* EdCerca;
    QLineEdit* EdRime;
    QLabel* LabSpeci;
    WarningsBox* EdAvve;
    QPlainTextEdit* MemoAvveLarge;
    QLabel* MemoPare;
    RemedyPagesPanel* panel_;
    QPlainTextEdit* MemoInfo;
    std::vector<remedies::RemedyMatch> matches_;
};

// "TERAPIE": from a pathology to the remedies the repertory prescribes. One
// instance lives for the whole run: its rows, page and note states stay
// between openings, its list is reloaded on each.
class TFoTerapi : public QDialog {
    Q_OBJECT
public:
    explicit TFoTerapi(QWidget* parent = nullptr);
    RemedyPagesPanel* pages() const { return panel_; }

public slots:
    void FormActivate();
    void ListBox1Click(int row);
    void BitBtn1Click();
    void BitBtn2Click();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void zoomDosage(int row, int column);
    QListWidget* ListBox1;
    SearchBox* EditCerca;
    QLineEdit* EdPato;
    RemedyPagesPanel* panel_;
    QPlainTextEdit* MemoZoom;
    QPlainTextEdit* MemoInfo;
    std::string pathology_;
    std::vector<remedies::RepertoryMatch> matches_;
};

} // namespace qv
