// "Variazione Orbite Aspetti": edits the orb sets B and C (A is fixed) and
// chooses the active set.
#pragma once

#include <QDialog>
#include <array>

class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qv {

class TFoOrbSpa : public QDialog {
    Q_OBJECT
public:
    explicit TFoOrbSpa(QWidget* parent = nullptr);

    bool allValid() const { return allValid_; }
    QString activeLetter() const;
    // The letter of the column whose frame is shown.
    QString framedLetter() const { return framed_; }

signals:
    // The chooser caption of a set just applied ("B (personali)", …).
    void orbSetApplied(const QString& caption);

public slots:
    void FormActivate();
    void FieldChange();
    void HiddenFieldChange();
    void ValidateFields();
    void BBadottaClick(const QString& letter);
    void BBritornaClick();

protected:
    void done(int result) override;

private:
    void readSets();
    void writeSets(const QString& letter);
    void applySet(const QString& letter);
    void showFrame(const QString& letter);
    QList<QLineEdit*> editableFields() const;

    std::array<QLineEdit*, 14> fieldsB_{};
    std::array<QLineEdit*, 14> fieldsC_{};
    std::array<QLabel*, 14> textsA_{};
    QLineEdit* EditParal;
    QLineEdit* EditAntis;
    QLineEdit* EdSet;
    QPushButton* BBritorna;
    std::array<QFrame*, 3> frames_{};
    QString framed_ = "A";
    bool allValid_ = true;
    bool unvalidated_ = false;
    bool hiddenChanged_ = false;
    bool loading_ = false;
};

} // namespace qv
