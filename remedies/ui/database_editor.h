// The two editors of the remedy database, "DATABASE  PRIMARIO" (TFoMainArc)
// and "REPERTORIO TERAPIE" (TFoAggRep): a sorted list of the records beside
// a form of their fields, with length warnings, save, append, delete, the
// rebuild of the support lists, a new order of the file, "trova" and the
// check on leaving. Anyone may browse; the editing controls appear in
// administrator mode.
#pragma once

#include "remedies/maintenance.h"
#include "base/ui/storable_text.h"

#include <QDialog>
#include <QLineEdit>
#include <QString>
#include <optional>
#include <string>
#include <vector>

class QFrame;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace qv {

class SearchBox;

class DatabaseEditor : public QDialog {
    Q_OBJECT
public:
    // Administrator mode shows the editing controls; outside it the boxes
    // are read-only and leaving asks nothing.
    void setAdministrator(bool on);
    bool administrator() const { return admin_; }
    // Hides again the information text, "Ricostruisci File", the delete
    // button and the two save buttons (the main window does it for the
    // primary database editor on a click in its code field).
    void hideSavingControls();

    // The window's list as shown (tests and the reordering).
    QListWidget* list() const { return ListBox1; }
    QWidget* lengthWarning() const;

public slots:
    void FormActivate();
    void RBprodClick();
    void RBsecondClick();
    void BBpulisciClick();
    void BBsalvaClick();
    void BBnuovoClick();
    void BBeliminaClick();
    void BBRicoClick();
    void BBinfoClick();
    void BBmodifEleClick();
    void BBannullaClick();
    void BBtrovaClick();
    void EdTrovaClick();
    void ListBox1Click(int row);
    void ListBox1DblClick(int row);
    void BBritornaClick();

protected:
    struct Captions {
        const char* title;
        const char* objectName;
        const char* secondSort;     // "ordinamento per Indicazioni" / "ordinamento per Patologia"
        const char* secondSortName; // RBindi / RBpato
        const char* deleteCaption;
        const char* changeName, *changeKey, *changeDescriptions;
        const char* instructions;
        bool listByNameOnActivation;
    };
    DatabaseEditor(remedies::Database db, const Captions& captions, QWidget* parent);

    // Called once by the subclass after it has created its field boxes.
    void finishLayout(QWidget* fields);
    // A box of the form: its limit in characters (line breaks count two),
    // and whether it is the name or the second key.
    enum class Role { Name, Key, Description };
    void watchBox(QWidget* box, int limit, Role role, bool followList = false);

    virtual Bytes formToRecord() const = 0;
    virtual void recordToForm(const Bytes& record) = 0;
    virtual void clearFields() = 0;
    virtual QString nameBoxText() const = 0;
    virtual QString keyBoxText() const = 0;
    virtual remedies::MaintenanceRebuild rebuildLists() = 0;
    virtual void afterLoad(const std::string& name) { (void)name; }

    // Text of a box as stored (Windows-1252, line breaks as CR LF) and back.
    static std::string stored(const QWidget* box);
    static void showStored(QWidget* box, const std::string& text);
    void showLengthWarning(QWidget* beside, bool over);
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void reject() override;
    void clearForm();
    void fillList(bool byName);
    bool byName() const { return byName_; }
    bool trackingLoads() const { return loading_; }

    remedies::Database db_;
    QRadioButton* RBprod;
    QRadioButton* RBsecond;
    QLineEdit* EdNumRec;
    QLabel* EdLimite;
    QPlainTextEdit* MemoIstruz;

private:
    void setEditingControlsVisible(bool on);
    void setBoxesReadOnly(bool readOnly);
    void boxChanged(Role role, QWidget* box, int limit);
    void refill();
    void enterNormalMode();
    void showExitPanel();
    void closeWindow();
    void panelAction(int which);
    bool save();
    bool append();
    bool removeCurrent();

    Captions captions_;
    QListWidget* ListBox1;
    SearchBox* EdCerca;
    QPlainTextEdit* MemoInfo;
    QPushButton *BBpulisci, *BBsalva, *BBnuovo, *BBelimina, *BBRico, *BBinfo, *BBmodifEle, *BBannulla, *BBtrova,
        *BBritorna;
    QLineEdit* EdTrova;
    QFrame* PanelSalva;
    QLabel *LabNome, *LabChiave, *LabDescr;
    QPushButton *PBsalva, *PBnuovo, *PBelimina, *PBignora;
    std::vector<QWidget*> boxes_;
    QWidget* fields_ = nullptr;
    bool fieldsStorable();
    bool keyListable(const Bytes& record);

    std::vector<remedies::EditorEntry> entries_;
    std::vector<std::string> entryTexts_;
    bool admin_ = false;
    bool byName_ = true;
    bool loading_ = false;
    bool tracking_ = false;
    bool descChanged_ = false;
    bool reordering_ = false;
    bool closing_ = false;
    int picked_ = -1;
    int trovaPos_ = -1;
    bool trovaContinuing_ = false;
    std::int64_t current_ = 0;
    std::string loadedName_, loadedKey_;
};

// "DATABASE  PRIMARIO": the primary database of remedies.
class TFoMainArc : public DatabaseEditor {
    Q_OBJECT
public:
    explicit TFoMainArc(QWidget* parent = nullptr);

protected:
    Bytes formToRecord() const override;
    void recordToForm(const Bytes& record) override;
    void clearFields() override;
    QString nameBoxText() const override;
    QString keyBoxText() const override;
    remedies::MaintenanceRebuild rebuildLists() override;
    void afterLoad(const std::string& name) override;

private:
    QLineEdit *EdProd, *EdPlane, *EdSeco, *EdZodi;
    QPlainTextEdit *MemoIndi, *MemoPoso, *MemoAvve, *MemoSint, *MemoNote, *MemoNoteSupp;
    QLabel* MemoPare;
};

// "REPERTORIO TERAPIE": the pathologies and their remedies, with what the
// primary database holds on the remedy of the entry.
class TFoAggRep : public DatabaseEditor {
    Q_OBJECT
public:
    explicit TFoAggRep(QWidget* parent = nullptr);

protected:
    Bytes formToRecord() const override;
    void recordToForm(const Bytes& record) override;
    void clearFields() override;
    QString nameBoxText() const override;
    QString keyBoxText() const override;
    remedies::MaintenanceRebuild rebuildLists() override;
    void afterLoad(const std::string& name) override;

private:
    void showPrimary(const std::string& text);
    QLineEdit *EdProd, *EdPato, *EdPoso;
    QPlainTextEdit *MemoNote, *MemoPrim;
    QPushButton* primaryButtons_[4];
    remedies::PrimaryInfo primary_;
};

} // namespace qv
