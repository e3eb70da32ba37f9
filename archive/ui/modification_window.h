// "Modifica Dati di Nascita": corrects an archived subject in place, with
// its annotations and its text document. The current subject is not
// changed.
#pragma once

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

public slots:
    void ListBoxNomiSelect(int position);
    void BBokRegistraClick();
    void BBtestoClick();
    void BBelencoClick();
    void BBancoraClick();

private:
    SubjectTextOpener openText_;
    SubjectEdit editFromFields() const;
    void showEdit(const SubjectEdit& edit);
    // False (told) when a field holds a character the archives cannot hold.
    bool fieldsStorable();
    // The checks in order with their messages and the question; false when
    // one stops the rewrite. Shows the fields stripped.
    bool checksPass(SubjectEdit& edit);
    // Rewrites the subject; false when it failed (reported).
    bool rewrite(const SubjectEdit& edit);
    void setLocked(bool locked);
    void showList();

    SubjectListPanel* panel_;
    QStackedWidget* pages_;
    QLineEdit* EditNome;
    QLineEdit* EditData;
    QLineEdit* EditOra;
    QLineEdit* EditCorr;
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
    bool locked_ = false;
};

} // namespace qv
