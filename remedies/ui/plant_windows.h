// The developer windows of the plant database, shown in the hidden mode:
// from a symptom to the plants that serve it (TFoSintom2) and from a plant
// to its symptoms and their authors (TFoSintom3). Both live for the whole
// run and refill their lists on each opening.
#pragma once

#include "remedies/plant_lookup.h"

#include <QDialog>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QToolButton;

namespace qv {

class SearchBox;
class WarningsBox;

// "SINTOMI e Piante Correlate".
class TFoSintom2 : public QDialog {
    Q_OBJECT
public:
    explicit TFoSintom2(QWidget* parent = nullptr);

public slots:
    void FormActivate();
    void ListBox1Click(int row);
    void ListBoxPianteClick(int row);

protected:
    void showEvent(QShowEvent* e) override;

private:
    void showEntry(const remedies::PlantEntryRecord& e);
    QListWidget* ListBox1;
    SearchBox* EditCerca;
    QListWidget* ListBoxPiante;
    QListWidget* ListBoxSintesi;
    QLineEdit *EdPianta, *EdSegPri, *EdSegSec, *EdSegZod, *EdAutori, *EdAlternativa;
    WarningsBox* EdAvve; // the warnings of the remedies made from the plant
    std::vector<std::string> symptoms_;
    std::vector<std::int64_t> ListBoxNum;  // the record of each plant line
};

// "PIANTE e Sintomi Correlati".
class TFoSintom3 : public QDialog {
    Q_OBJECT
public:
    explicit TFoSintom3(QWidget* parent = nullptr);
    int page() const { return page_; }

public slots:
    void FormActivate();
    void ListBox1Click(int row);
    void SpinDownClick();  // next page
    void SpinUpClick();    // previous page

protected:
    void showEvent(QShowEvent* e) override;

private:
    void showPage();
    QListWidget* ListBox1;
    QLineEdit *EdPianta, *EdSegPri, *EdSegSec, *EdSegZod, *EdSintesi;
    WarningsBox* EdAvve; // the warnings of the remedies made from the plant
    QListWidget* ListBoxSintomi;
    QListWidget* ListBoxAutori;
    QLabel* LabPagine;
    QWidget* SpinButton1;
    std::vector<std::string> plants_;
    std::vector<std::vector<remedies::SymptomOfPlant>> pages_;
    int page_ = 1;
};

} // namespace qv
