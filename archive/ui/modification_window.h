// "Modifica Dati di Nascita": corrects an archived subject in place, with
// its annotations and its text document. A change of date, time, place or
// calendar brings the correction the atlas gives beside the typed one, and
// OK asks which is stored. When the subject is the current one, the current
// subject changes only if the user says so.
#pragma once

#include "archive/correction_review.h"
#include "archive/subject_operations.h"
#include "archive/ui/subject_text_opener.h"

#include <QDialog>
#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace qv {

class SubjectListPanel;

class TFoModifi : public QDialog {
    Q_OBJECT
public:
    explicit TFoModifi(SubjectTextOpener openText, QWidget* parent = nullptr);
    // True while the data panel (rather than the list) is shown.
    bool showsData() const;
    // True after a rewrite, until the list is shown again.
    bool locked() const { return locked_; }

signals:
    // The current subject took the modified data.
    void currentSubjectChanged();

public slots:
    void ListBoxNomiSelect(int position);
    void BBokRegistraClick();
    void BBtestoClick();
    void BBelencoClick();
    void BBancoraClick();
    // Shows beside Corr what the atlas gives for the typed birth data.
    void EditNascitaExit();

private:
    SubjectTextOpener openText_;
    SubjectEdit editFromFields() const;
    void showEdit(const SubjectEdit& edit);
    // False (told) when a field holds a character the archives cannot hold.
    bool fieldsStorable();
    // The checks in order with their messages and the question; false when
    // one stops the rewrite. Shows the fields stripped.
    bool checksPass(SubjectEdit& edit);
    // The review of the correction against the stored data, as the typed
    // fields stand (stripped as the checks strip them).
    CorrectionReview review(const SubjectEdit& typed) const;
    // After a change of birth data: the atlas values replace the typed ones
    // if the user confirms; false when the place is ambiguous (told).
    bool correctionReviewed(SubjectEdit& edit);
    // Rewrites the subject; false when it failed (reported).
    bool rewrite(const SubjectEdit& edit);
    // Asked after a rewrite of the current subject.
    void offerCurrentSubjectUpdate();
    void setLocked(bool locked);
    void showList();

    SubjectListPanel* panel_;
    QStackedWidget* pages_;
    QLineEdit* EditNome;
    QLineEdit* EditData;
    QLineEdit* EditOra;
    QLineEdit* EditCorr;
    QLabel* LabCorrAtlante;
    QLineEdit* EditLocalita;
    QLineEdit* EditStato;
    QLineEdit* EditCoordin;
    QLineEdit* EditCalendario;
    std::array<QLineEdit*, 4> EditAnnot{};
    QLineEdit* EditNumTesto;
    QPushButton* BBokRegistra;
    QPushButton* BBtesto;
    QPushButton* BBelenco;
    QPushButton* BBancora;
    QPushButton* BBritorna;

    std::optional<StoredSubject> subject_;
    bool subjectIsCurrent_ = false;
    bool locked_ = false;
};

} // namespace qv
