// The small settings windows of the main window: practitioner's name,
// line thickness and printer type.
#pragma once

#include "settings/display_settings.h"

#include <QDialog>
#include <QString>

#include <functional>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QLabel;
class QPushButton;
class QStackedWidget;

namespace qv {

// "Cambio Nome Utente": first name and surname, and how the documents given
// to a person present the practitioner (qualification, association,
// contact, the line citing Law 4/2013, off until chosen). Written only when
// changed; a name alone stays the file's two lines.
class TFoNomUte : public QDialog {
    Q_OBJECT
public:
    explicit TFoNomUte(QWidget* parent = nullptr);
    // True when OK stored a changed name.
    bool changed() const { return changed_; }

private slots:
    void BBokClick();

private:
    QLineEdit* EdNome;
    QLineEdit* EdCognome;
    QLineEdit* EdQualifica;
    QLineEdit* EdAssociazione;
    QLineEdit* EdContatti;
    QCheckBox* CBlegge4;
    QLineEdit* EdLegge4;
    PractitionerIdentity original_;
    bool changed_ = false;
};

// "Spessore Linee": the line thickness factor in steps of 0.95, 0.5 to 4.
class TFoSpeLin : public QDialog {
    Q_OBJECT
public:
    explicit TFoSpeLin(QWidget* parent = nullptr);
    QString shownValue() const;

public slots:
    void SpinDownClick();
    void SpinUpClick();
    void BBresetClick();

protected:
    void done(int result) override;

private:
    Extended shownFactor() const;
    void show(Extended value);
    void save(Extended value);
    QLabel* LabValore;
    DisplaySettings settings_;
    bool loaded_ = false;
};

// "Stampante": switches the printer adaptation of line 2 on or off.
class TFoStampa : public QDialog {
    Q_OBJECT
public:
    explicit TFoStampa(QWidget* parent = nullptr);
    bool adapted() const { return settings_.printerAdapted != 0; }

public slots:
    void BBmodificaClick();

private:
    QStackedWidget* panels_;
    QLabel* LabAttuata;
    DisplaySettings settings_;
};

// The manuals delivered in the program folder are handed to the desktop,
// which opens them with the user's PDF viewer. The hand-over can be
// replaced (tests); it answers whether the desktop took the document.
using DocumentOpener = std::function<bool(const QString& absolutePath)>;
DocumentOpener& documentOpener();

// Opens `fileName` of the program folder; a missing file or a refusal of
// the desktop is told in a message box. True when the document was handed on.
bool openManual(QWidget* parent, const QString& fileName);

// "Selezionare": the short or the full instructions.
class TFoIstDef : public QDialog {
    Q_OBJECT
public:
    explicit TFoIstDef(QWidget* parent = nullptr);

public slots:
    void BBokClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    QRadioButton* RBsommarie;
    QRadioButton* RBestese;
};

} // namespace qv
