// "Richiamo Dati da Archivio": makes an archived subject the current
// subject (TMPR), with the name, place and nation as edited here.
#pragma once

#include "archive/side_files.h"
#include "archive/subject_operations.h"

#include <QDialog>
#include <optional>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace qv {

class SubjectListPanel;

class TFormRich : public QDialog {
    Q_OBJECT
public:
    explicit TFormRich(QWidget* parent = nullptr);
    // True once "&OK" made the chosen subject the current one.
    bool recalled() const { return recalled_; }

public slots:
    void ListBoxNomiSelect(int position);
    void BBinvertiClick();
    void BBokClick();

protected:
    void done(int result) override;

private:
    void clearData();

    SubjectListPanel* panel_;
    QLineEdit* EditNome;
    QLineEdit* EditData;
    QLineEdit* EditCorrez;
    QLineEdit* EditCoordinate;
    QLineEdit* EditCalend;
    QLineEdit* EditLocalita;
    QLineEdit* EditNazional;
    QPlainTextEdit* MemoAnnotaz;
    QPushButton* BBinverti;
    QPushButton* BBok;
    QPushButton* BBannulla;

    // The current subject's annotations and text pointer as they were
    // before a subject was chosen here: put back when the window closes
    // without "&OK".
    std::optional<Recall> recall_;
    std::string chosenName_;
    int inversions_ = 0;
    bool recalled_ = false;
};

} // namespace qv
