// The windows that read the primary database by astrological signature or
// by free text: the signatures of remedies and the remedies of a signature
// (TFoSegnat), from a debilitated planet and sign to pathologies and their
// remedies (TFoMali), the composition and the psychic synthesis of each
// remedy with a word search in them (TFoPiante, TFoSintesi), and the
// principles archive (TFoPrinci). Each lives for the whole run.
#pragma once

#include "remedies/signature_search.h"
#include "remedies/text_consultation.h"

#include <QDialog>
#include <string>
#include <vector>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace qv {

class SearchBox;
class RemedyPagesPanel;
class SignatureChoice;

// "SEGNATURE  ASTROLOGICHE".
class TFoSegnat : public QDialog {
    Q_OBJECT
public:
    explicit TFoSegnat(QWidget* parent = nullptr);
    RemedyPagesPanel* pages() const { return panel_; }
    bool searchMode() const { return searchMode_; }

public slots:
    void FormActivate();
    void ListBox2Click(int row);
    void BBRicercaClick();
    void PulisciClick();
    void InfoClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void leaveSearchMode();
    QListWidget* ListBox2;
    SearchBox* EditCerca;
    SignatureChoice* choice_;
    QLineEdit* EdTot;
    RemedyPagesPanel* panel_;
    QPlainTextEdit* MemoInfo;
    std::vector<std::string> names_;
    std::vector<remedies::FoundRemedy> rows_;
    bool searchMode_ = false;
};

// "DEBILITA' ASTROLOGICHE / PATOLOGIE".
class TFoMali : public QDialog {
    Q_OBJECT
public:
    explicit TFoMali(QWidget* parent = nullptr);

public slots:
    void FormActivate();
    void BBRicercaClick();
    void ListBox2Click(int row);

protected:
    void showEvent(QShowEvent* e) override;

private:
    SignatureChoice* choice_;
    QListWidget* ListBox2;
    QListWidget* ListBox3;
    QLineEdit* EdTot;
    QLabel* MemoZoom;
    std::vector<std::string> pathologies_;
    std::string planet_, searchedSign_;
};

// The composition and the psychic synthesis windows: the remedy list, the
// text of a remedy, and the remedies whose text holds a word.
class RemedyTextWindow : public QDialog {
    Q_OBJECT
public:
    RemedyTextWindow(remedies::RemedyTextKind kind, QWidget* parent);

public slots:
    void FormActivate();
    void ListBox2Click(int row);
    void BBcercaClick();
    void ListBox3Click(int row);

protected:
    void showEvent(QShowEvent* e) override;

private:
    remedies::RemedyTextKind kind_;
    QListWidget* ListBox2;
    QListWidget* ListBox3;
    QLineEdit* EditCerca;
    QLabel* LabNote;
    QPlainTextEdit* MemoNote;
    std::vector<std::string> names_;
    std::vector<std::string> found_;
    std::string word_;
};

// "PIANTE e PRINCIPI ATTIVI".
class TFoPiante : public RemedyTextWindow {
    Q_OBJECT
public:
    explicit TFoPiante(QWidget* parent = nullptr);
};

// "SINTESI PSICHICA".
class TFoSintesi : public RemedyTextWindow {
    Q_OBJECT
public:
    explicit TFoSintesi(QWidget* parent = nullptr);
};

// "PRINCIPI CURATIVI": writes "Principi.sto" from "Principi.txt" and shows
// what it wrote.
class TFoPrinci : public QDialog {
    Q_OBJECT
public:
    explicit TFoPrinci(QWidget* parent = nullptr);

public slots:
    void BBgeneraClick();

private:
    QPlainTextEdit* MemoPrinci;
};

} // namespace qv
