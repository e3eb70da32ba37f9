// "Eliminazione Dati da Archivio": removes a subject from an archive's
// index (its birth and annotation records stay) and deletes its text
// document. The subject is shown in "Verifica Dati da Eliminare" first.
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace qv {

class SubjectListPanel;

class TFoCancel : public QDialog {
    Q_OBJECT
public:
    explicit TFoCancel(QWidget* parent = nullptr);

public slots:
    void ListBoxNomiSelect(int position);
    void BBeliminaClick();

private:
    void clearVerification();

    SubjectListPanel* panel_;
    QPlainTextEdit* MemoVerifica;
    QPlainTextEdit* MemoAnnotaz;
    QLabel* LabNumTesto;
    QPushButton* BBelimina;
    QPushButton* BBritorna;
    int verified_ = 0;  // index position of the subject shown for verification
};

} // namespace qv
