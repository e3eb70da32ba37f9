// The subject text editor: a small single-document editor of plain text
// with menus, a toolbar, a ruler for paragraph indents and a status bar.
// The archive windows open it modally on a subject's document; the main
// window's "Apri Testo" opens it on the current subject's document.
#pragma once

#include "editor/ruler.h"

#include <QDialog>

class QAction;
class QFontComboBox;
class QLabel;
class QMenuBar;
class QPrinter;
class QSpinBox;
class QStatusBar;
class QTextCharFormat;
class QTextEdit;
class QToolBar;

namespace qv {

class IndentRuler;

class TFoReMaiH : public QDialog {
    Q_OBJECT
public:
    // Opens the document named by line 1 of FileDum\DatModif.dum, or a new
    // one when that file is missing or empty.
    explicit TFoReMaiH(QWidget* parent = nullptr);
    // Opens `documentPath`: a path of the data directory
    // ("BASEtxt\\00001.txt") or an absolute path.
    explicit TFoReMaiH(const QString& documentPath, QWidget* parent = nullptr);

    // The path of the open document, or "Untitled".
    QString documentName() const { return documentName_; }
    bool modified() const;
    QTextEdit* textArea() const { return RichEdit; }
    QString positionPanel() const;
    QString modifiedPanel() const;
    // Loads a document (the save question is not asked); false when it
    // could not be read (reported, the text stays as it was).
    bool openDocument(const QString& path);
    // Prints the text on `printer`, with the document's name as job title.
    // A printer or file that would not take the job is told in a message
    // box and answers false.
    bool printTo(QPrinter* printer);
    // Room for a page of text, also when the window is sized to its hint.
    QSize sizeHint() const override { return {760, 540}; }

public slots:
    void FileNewClick();
    void FileOpenClick();
    // Both return false when nothing was saved.
    bool FileSaveClick();
    bool FileSaveAsClick();
    void FilePrintClick();
    void FileExitClick();
    void EditFontClick();
    void FontNameChange(const QFont& font);
    void FontSizeChange(int size);
    void RichEditSelectionChange();
    void RichEditCharFormatChange(const QTextCharFormat& format);
    void RulerIndentsChange(const qv::ParagraphIndents& indents);
    // A file dropped on the window: opened like Open (only the first).
    void FormDropFiles(const QStringList& files);

protected:
    // Closing asks the save question first; Cancel keeps the window open.
    void done(int result) override;
    bool event(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void build();
    void applyFormat(const QTextCharFormat& format);
    void setDocumentName(const QString& name);
    // The save question; false when the operation must stop.
    bool checkFileSave();
    bool saveTo(const QString& path);
    QString chooseFile(bool forSaving, const QString& title, const QString& filter, const QString& suggested);
    QString ownTextsFolder() const;
    QString plainText() const;

    QMenuBar* MainMenu;
    QToolBar* ToolBar;
    QFontComboBox* FontName;
    QSpinBox* FontSize;
    IndentRuler* Ruler;
    QTextEdit* RichEdit;
    QStatusBar* StatusBar;
    QLabel* panelPosition_;
    QLabel* panelModified_;
    QLabel* panelEmpty_;
    QAction* EditUndoItem;
    QAction* EditCutItem;
    QAction* EditCopyItem;
    QAction* EditPasteItem;
    QString documentName_;
};

} // namespace qv
