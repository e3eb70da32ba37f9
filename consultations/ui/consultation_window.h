// "Consultazioni": the consultations of the current subject, newest first,
// and the form to record or change one: date and follow-up, the complaints
// in words and as entries of the symptom list, the remedies with their
// dosage and duration (taken from the database, then the practitioner's),
// and the notes; the person's medicines, pregnancy and breastfeeding. Below
// the remedies, what must be told before they are given: when to see the
// doctor for each complaint, and every caution of a chosen remedy that
// applies to this person ("Attenzione: …"), kept up to date as the form
// changes. Remedies also arrive from the symptom, composite and
// linked-remedies windows through addRemedy ("Aggiungi alla consultazione").
// "Stampa Relazione" previews and prints the person's report.
#pragma once

#include "consultations/consultation.h"
#include "consultations/consultation_store.h"

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QTableWidget;

namespace qv {

class SearchBox;

class TFoConsulti : public QDialog {
    Q_OBJECT
public:
    explicit TFoConsulti(QWidget* parent = nullptr);

    // The lines of the attention box: referrals, then cautions.
    QStringList attentionLines() const;

    // The consultation in the form, as it would be stored (id 0 for a new one).
    consultations::Consultation formConsultation() const;
    // The consultations listed, newest first.
    const std::vector<consultations::ConsultationSummary>& listed() const { return listed_; }
    bool hasSubject() const { return subject_.has_value(); }

public slots:
    void FormActivate();                 // reads the current subject and its consultations
    void ListaConsultiClick(int row);    // loads a consultation into the form
    void BBnuovaClick();                 // an empty form dated today
    bool BBregistraClick();              // stores the form; false when refused or failed
    void BBeliminaClick();               // deletes the chosen consultation, after asking
    void BBstampaClick();                // "Stampa Relazione": preview, then the printer
    void addSymptom(const std::string& entry);
    // A remedy of the remedy list with the dosage and duration the database
    // gives it for the symptoms chosen; one already in the form is not
    // added twice.
    void addRemedy(const std::string& name);
    // Draws the report of the consultation in the form on `printer`; a
    // form that could not be registered is refused, with the reason
    // registering gives, and nothing is drawn. False when refused or failed.
    bool printReport(QPrinter& printer);

protected:
    void showEvent(QShowEvent* e) override;

private:
    void fillForm(const consultations::Consultation& c);
    // Why the form cannot stand as a consultation (shown to the user), or
    // nothing.
    QString formFailure() const;
    void refreshList(std::int64_t select);
    void showWarnings(int row);
    void BBtogliSintomoClick();
    void BBtogliRimedioClick();
    // Rewrites the referrals and the cautions that apply from the form.
    void refreshAttention();

    std::optional<consultations::SubjectLink> subject_;
    std::vector<consultations::ConsultationSummary> listed_;
    std::int64_t editing_ = 0;

    QLabel* LabSoggetto;
    QListWidget* ListaConsulti;
    QLineEdit* EdData;
    QLineEdit* EdControllo;
    QPlainTextEdit* MemoDisturbi;
    QListWidget* ListaSintomiDB;
    SearchBox* EdCercaSintomo;
    QListWidget* ListaSintomi;
    QListWidget* ListaRimediDB;
    SearchBox* EdCercaRimedio;
    QTableWidget* TabRimedi;
    QPlainTextEdit* MemoAvvertenze;
    QPlainTextEdit* MemoNote;
    QPlainTextEdit* MemoFarmaci;
    QCheckBox* CBgravidanza;
    QCheckBox* CBallattamento;
    QLabel* LabEta;
    QPlainTextEdit* MemoAttenzione;
    QPushButton* BBregistra;
    QPushButton* BBelimina;
    QPushButton* BBstampa;
};

} // namespace qv
