// "Registrazione Dati Nascita": receives a new subject from birth data entry,
// shows it read-only, takes the archive, the annotations and optionally a
// text document, and registers the subject (which also makes it the current
// subject).
#pragma once

#include "archive/subject_registration.h"
#include "archive/ui/subject_text_opener.h"

#include <QDialog>
#include <array>
#include <optional>
#include <string>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace qv {

// What birth data entry hands over.
struct EnteredBirth {
    NewSubject subject;      // annotations and text number are added here
    std::string dateText;    // dd/mm/yyyy hh:mm
    std::string gmt;         // the zone offset as shown: Corr with the sign reversed
    std::string julianDay;   // as birth data entry shows it
};

class TFormRegSpa : public QDialog {
    Q_OBJECT
public:
    explicit TFormRegSpa(SubjectTextOpener openText, QWidget* parent = nullptr);

    // Shows the subject read-only and empties the annotations and the text number.
    void setEnteredBirth(const EnteredBirth& entered);

    // Set once the subject is registered.
    const std::optional<Registration>& registration() const { return registration_; }

public slots:
    void ListArchiviClick(QListWidgetItem* item);
    void BBregistraClick();
    void BBregistraTestoClick();

protected:
    void done(int result) override;

private:
    void FormActivate();
    // The subject with the archive field, annotations and text number.
    NewSubject subjectToRegister() const;
    std::string chosenArchive() const;
    // The failure of the archive choice or of the data, or empty.
    std::string refusal() const;
    bool registerNow();
    void offerDistinguishingName(const QString& same);
    void openDocument(const std::string& dataPath);

    SubjectTextOpener openText_;
    QListWidget* ListArchivi;
    QLineEdit* EditArchi;
    QLineEdit* EditNome;
    QLineEdit* EditData;
    QLineEdit* EditGMT;
    QLineEdit* EditLocal;
    QLineEdit* EditCoord;
    QLineEdit* EditCalend;
    QLineEdit* EditJD;
    QLineEdit* EditStato;
    std::array<QLineEdit*, 4> EditAnnot;
    QLineEdit* EditNumTesto;
    QPushButton* BBregistra;
    QPushButton* BBregistraTesto;
    QPushButton* BBannulla;

    EnteredBirth entered_;
    std::optional<Registration> registration_;
};

} // namespace qv
