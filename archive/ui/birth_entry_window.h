// "Introduzione Dati di Nascita": a new subject's name, local date and time
// of birth and birthplace, chosen from the Italian or the foreign place
// table. The correction to Universal Time and the calendar follow from the
// place's time regimes at the next idle moment; they are shown for checking
// (and manual change) and go on to the registration window.
#pragma once

#include "archive/places.h"
#include "archive/regime_derivation.h"

#include "archive/ui/subject_text_opener.h"

#include <QDialog>
#include <array>
#include <optional>

class QCalendarWidget;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;
class QToolButton;

namespace qv {

class ManualCoordinatesPanel;

class TFoInputSpa : public QDialog {
    Q_OBJECT
public:
    explicit TFoInputSpa(SubjectTextOpener openText, QWidget* parent = nullptr);
    ~TFoInputSpa() override;

    // The record of the list's middle line (the list shows p-3..p+3).
    qint64 listPosition() const { return position_; }
    QStringList placeLines() const;
    bool placeSelected() const { return selected_.has_value(); }
    bool resultLocked() const { return locked_; }

public slots:
    void EditSoggChange();
    void LabSoggDblClick();
    void EditDataChange();
    void BBoggiClick();
    void DTPickerCloseUp();
    void RBitaliaClick();
    void RBesteroClick();
    void EditLocalChange(const QString& typed);
    void EditLocalEnter();
    void SBlocalAction(int action);
    void SBlocalChange(int value);
    void ListLocalDblClick(QListWidgetItem* item);
    void ApplicationIdle();
    void BBlockClick();
    void CBoraLocaleClick();
    void EditCalendChange();
    void EditFusoChange();
    void EditCoordDblClick();
    void EditLocEstesaDblClick();
    void BBproseguiClick();

private:
    SubjectTextOpener openText_;
    void FormShow();
    void buildLayout();
    void connectKeys();
    QWidget* buildDateRow();
    QWidget* buildPlaceBox();
    QWidget* buildResultPanel();

    // Date and time.
    void markChanged();
    void dateFieldKey(int index, int key);
    // The five fields in range, or nothing; with `report`, a field out of
    // range turns red, is emptied, takes focus and "Data Scorretta" is shown.
    std::optional<atlas::BirthMoment> checkedDate(bool report);
    bool dateComplete() const;

    // The place tables and the list.
    void openTable(atlas::PlaceArchive archive);
    void showList();
    void moveList(qint64 position);
    bool listKey(int key);
    void selectPlace(qint64 record);
    void clearResult();

    // The result panel.
    void derive(const atlas::BirthMoment& moment);
    void setLocked(bool locked);
    void paintResultFields();
    void showJulianDay();
    void updateProsegui();
    void applyCoordinates(const QString& coordinates);

    std::array<QLineEdit*, 5> dateFields() const;

    QLabel* LabSogg;
    QLineEdit* EditSogg;
    QLineEdit* EditGiorno;
    QLineEdit* EditMese;
    QLineEdit* EditAnno;
    QLineEdit* EditOra;
    QLineEdit* EditMinuti;
    QPushButton* BBoggi;
    QToolButton* DTPicker;
    QCalendarWidget* CalPicker;
    QRadioButton* RBitalia;
    QRadioButton* RBestero;
    QLineEdit* EditLocal;
    QListWidget* ListLocal;
    QScrollBar* SBlocal;
    QLineEdit* EditDataEstesa;
    QLineEdit* EditJD;
    QLineEdit* EditLocEstesa;
    QLineEdit* EditStato;
    QLineEdit* EditCoord;
    QLineEdit* EditFuso;
    QLineEdit* EditCalend;
    QCheckBox* CBoraLocale;
    QToolButton* BBlock;
    QLabel* LabRegimi;
    QListWidget* ListRegimi;
    QPushButton* BBprosegui;
    QPushButton* BBannulla;
    ManualCoordinatesPanel* PanelCoord;
    QTimer* idle_;

    std::optional<atlas::PlaceTable> table_;
    atlas::PlaceArchive archive_ = atlas::PlaceArchive::Italia;
    qint64 position_ = 4;
    qint64 landed_ = 4;  // where the typed prefix landed, before the clamp
    std::optional<atlas::Place> selected_;
    bool changed_ = false;
    bool locked_ = true;
    bool derived_ = false;
    int reformSetting_ = 1;
};

} // namespace qv
