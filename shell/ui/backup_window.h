// "Backup/Ripristino Archivio BASE": copies the personal archive and its
// texts to a folder on another drive and back.
#pragma once

#include <QDialog>
#include <filesystem>
#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QWidget;

namespace qv {

class TFoBakMod1 : public QDialog {
    Q_OBJECT
public:
    explicit TFoBakMod1(QWidget* parent = nullptr);

public slots:
    void BBdefinisciClick();
    void ListUnitaClick(QListWidgetItem* item);
    void BBbackupClick();
    void BBripristinoClick();

    // Chooses the drive mounted at `root` (as a click in the list does).
    void chooseDrive(const std::filesystem::path& root);

private:
    QLineEdit* EdCartella;
    QLabel* LabHint;
    QLabel* LabUnita;
    QLabel* LabUltimo;
    QLabel* LabOK;
    QListWidget* ListUnita;
    QWidget* PanelMain;
    std::optional<std::filesystem::path> folder_;
};

} // namespace qv
