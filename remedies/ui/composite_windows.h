// The composite searches: up to fifteen complaints chosen from the list,
// and the remedies ordered by how many of them each serves. TFoRicCom works
// on the symptoms of the primary database, TFoTerCom on the pathologies of
// the therapy repertory.
#pragma once

#include "consultations/chart_ranking.h"
#include "remedies/composite.h"

#include <QDialog>
#include <array>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace qv {

class SearchBox;

class CompositeSearchWindow : public QDialog {
    Q_OBJECT
public:
    QListWidget* complaints() const { return ListBox1; }
    QListWidget* results() const { return ListBox3; }
    // The remedies of the last search in the order shown.
    const std::vector<remedies::RankedRemedy>& ranked() const { return ranked_; }

public slots:
    void FormActivate();
    void ListBox1Click(int row);
    void BBclearSlot(int slot);      // "X" beside a slot
    void BBricercaClick();           // "Avvia Ricerca"
    void ListBox3Click(int row);     // detail of a remedy
    void BBpulisciTuttoClick();      // "Pulisci Tutto"
    void BBpuliMemoClick();          // "Pulisci"
    void BBtrovaClick();             // "Trova"
    void BBaggiungiConsultoClick();  // "Aggiungi alla consultazione": the chosen result

protected:
    CompositeSearchWindow(remedies::CompositeKind kind, const char* name, const QString& caption,
                          const QString& help, QWidget* parent);
    void showEvent(QShowEvent* e) override;

private:
    void refreshSlots();
    void resetSlotColours();

    remedies::CompositeKind kind_;
    QListWidget* ListBox1;
    SearchBox* EdCerca;
    std::array<QLineEdit*, remedies::kComplaintSlots> slots_{};
    std::array<std::string, remedies::kComplaintSlots> slotTexts_;  // as stored, Windows-1252
    remedies::ComplaintSlots captured_;
    QPushButton* BBricerca;
    QListWidget* ListBox3;
    QPlainTextEdit* Memo1;
    std::vector<remedies::RankedRemedy> ranked_;
    int trovaPosition_ = 0;
    // The symptom window only: the current subject's chart as the second
    // key of the ranking, read once per opening.
    QCheckBox* CBtema = nullptr;
    std::optional<consultations::ChartSignatureKey> chartKey_;
};

// "SINTOMI MULTIPLI".
class TFoRicCom : public CompositeSearchWindow {
    Q_OBJECT
public:
    explicit TFoRicCom(QWidget* parent = nullptr);
};

// "TERAPIE COMPOSITE".
class TFoTerCom : public CompositeSearchWindow {
    Q_OBJECT
public:
    explicit TFoTerCom(QWidget* parent = nullptr);
};

} // namespace qv
