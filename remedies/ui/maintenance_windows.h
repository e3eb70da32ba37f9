// The small maintenance windows of the remedy database: updates from a
// removable medium (TFoAggiorna), the read-only plant database viewer
// (TFoManut1) and search-and-correct (TFoUtilit).
#pragma once

#include "remedies/plant_viewer.h"
#include "remedies/search_correct.h"
#include "remedies/update_copy.h"

#include <QDialog>
#include <filesystem>
#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QWidget;

namespace qv {

// "SITUAZIONE AGGIORNAMENTI": the date of the installed database, up to
// three media that offer an update with their dates, and the copy of the
// chosen one, which the window waits for with a progress bar.
class TFoAggiorna : public QDialog {
    Q_OBJECT
public:
    explicit TFoAggiorna(QWidget* parent = nullptr);
    // Where media are looked for (tests set their own folders).
    void setMountCandidates(std::function<std::vector<std::filesystem::path>()> candidates);

public slots:
    void FormActivate();
    void BBokClick(int slot);

protected:
    void showEvent(QShowEvent* e) override;

private:
    std::function<std::vector<std::filesystem::path>()> candidates_;
    std::vector<remedies::UpdateSource> sources_;
    QLineEdit* EdUltAgg;
    QLineEdit* EdDisp[3];
    QLineEdit* EdNuoAgg[3];
    QPushButton* BBok[3];
    QPlainTextEdit* Memo1;
    QProgressBar* ProgressBar1;
    QPushButton* BBritorna;
};

// The plant database "OpzioneS\DataStf.rnd", record by record, read only.
class TFoManut1 : public QDialog {
    Q_OBJECT
public:
    explicit TFoManut1(QWidget* parent = nullptr);

public slots:
    void FormActivate();
    void BitBtn1Click(); // Ordinamento
    void ListBox1Click(int row);

protected:
    void showEvent(QShowEvent* e) override;

private:
    void fill();
    bool sorted_ = false;
    std::vector<remedies::PlantEntryRecord> records_;
    std::vector<remedies::PlantViewerEntry> entries_;
    QListWidget* ListBox1;
    QLineEdit *EdSintomo, *EdPianta, *EdSigla, *EdSintesi, *EdSegPri, *EdSegSec, *EdSegZod, *EdAutori, *EdNote;
};

// "Utility Ricerca": a word or phrase looked for in one field of the
// primary database or of the repertory, record after record, and corrected
// where found.
class TFoUtilit : public QDialog {
    Q_OBJECT
public:
    explicit TFoUtilit(QWidget* parent = nullptr);

public slots:
    void FormActivate();
    void BBcercaClick();
    void BBsalvaClick();
    void archiveClick(bool primary);
    void fieldClick(remedies::SearchField field);
    void EditCercaChange();

protected:
    void showEvent(QShowEvent* e) override;

private:
    bool writeCorrection();
    void stopSearch(const QString& caption);
    void forgetHit();
    remedies::SearchField field_ = remedies::SearchField::Rimedio;
    bool running_ = false;
    bool memoTouched_ = false;
    bool loading_ = false;
    std::int64_t next_ = 0;
    std::int64_t found_ = -1;
    std::string term_;
    QLineEdit *EditCerca, *EdRime, *Edit1, *Edit2;
    QPlainTextEdit *Memo1, *Memo2;
    QPushButton *BBcerca, *BBsalva;
    QRadioButton *RadioButton5, *RadioButton6;
    QWidget *PanelPrima, *PanelTerap;
    std::vector<QRadioButton*> fieldButtons_;
};

} // namespace qv
