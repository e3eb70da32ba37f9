#include "remedies/ui/remedy_pages.h"

#include "base/ui/qt_text.h"
#include "remedies/remedy_text.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

namespace {
const char* const kIndicatorAqua = "QLineEdit { background-color: aqua; color: black; }";
const char* const kIndicatorRed = "QLineEdit { background-color: red; color: white; }";
} // namespace

RemedyPagesPanel::RemedyPagesPanel(std::vector<Column> columns, int noteStates, RowTexts rowTexts, RowNote rowNote,
                                   QWidget* parent)
    : QWidget(parent), columns_(std::move(columns)), rowTexts_(std::move(rowTexts)), rowNote_(std::move(rowNote)),
      cycle_(noteStates) {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(2);
    const QFontMetrics metrics(font());
    for (std::size_t c = 0; c < columns_.size(); ++c) {
        auto* heading = new QLabel(columns_[c].caption, this);
        heading->setStyleSheet("font-weight: bold;");
        grid->addWidget(heading, 0, static_cast<int>(c) + 1);
        grid->setColumnStretch(static_cast<int>(c) + 1, columns_[c].characters);
    }
    for (int row = 0; row < remedies::kRowsPerPage; ++row) {
        auto* b = new QPushButton(QString::number(row + 1) + QChar(0x00B0), this);
        b->setObjectName(QString("SB%1").arg(row + 1));
        b->setFixedWidth(metrics.horizontalAdvance("14°") + 18);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, row] { SBClick(row); });
        grid->addWidget(b, row + 1, 0);
        numbered_.push_back(b);
        std::vector<QLineEdit*> boxes;
        for (std::size_t c = 0; c < columns_.size(); ++c) {
            auto* e = new QLineEdit(this);
            e->setObjectName(QString("%1%2").arg(columns_[c].prefix).arg(row + 1));
            e->setReadOnly(true);
            e->setMinimumWidth(metrics.averageCharWidth() * columns_[c].characters);
            e->installEventFilter(this);
            grid->addWidget(e, row + 1, static_cast<int>(c) + 1);
            boxes.push_back(e);
        }
        rows_.push_back(boxes);
    }

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setReadOnly(true);
    Edit1->setAlignment(Qt::AlignCenter);
    Edit1->setFixedWidth(metrics.horizontalAdvance("000/000") + 16);
    BBAnticipo = new QPushButton(QString::fromUtf8("\u25C0"), this);
    BBAnticipo->setObjectName("BBAnticipo");
    BBAnticipo->setToolTip("Pagina precedente");
    BBseguito = new QPushButton(QString::fromUtf8("\u25B6"), this);
    BBseguito->setObjectName("BBseguito");
    BBseguito->setToolTip("Pagina seguente");
    for (QPushButton* b : {BBAnticipo, BBseguito}) {
        b->setAutoDefault(false);
        b->setFixedWidth(40);
    }
    auto* pager = new QHBoxLayout;
    pager->addWidget(new QLabel("pag", this));
    pager->addWidget(Edit1);
    pager->addWidget(BBAnticipo);
    pager->addWidget(BBseguito);
    pager->addStretch();

    LabNote = new QLabel("Note", this);
    LabNote->setObjectName("LabNote");
    LabNote->setStyleSheet("font-weight: bold;");
    MemoNote = new QPlainTextEdit(this);
    MemoNote->setObjectName("MemoNote");
    MemoNote->setReadOnly(true);
    MemoNote->setMinimumHeight(metrics.height() * 5 + 12);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(grid);
    layout->addLayout(pager);
    layout->addWidget(LabNote);
    layout->addWidget(MemoNote, 1);

    list_ = new QListWidget(this);
    list_->setObjectName("list");
    list_->hide();
    list_->setStyleSheet("QListWidget { background-color: #fffbe0; border: 1px solid #886; }");
    connect(list_, &QListWidget::itemClicked, this, &RemedyPagesPanel::hidePopup);

    connect(BBseguito, &QPushButton::clicked, this, &RemedyPagesPanel::BBseguitoClick);
    connect(BBAnticipo, &QPushButton::clicked, this, &RemedyPagesPanel::BBAnticipoClick);
}

QLineEdit* RemedyPagesPanel::box(int row, int column) const {
    return rows_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
}

void RemedyPagesPanel::clearRows() {
    for (const auto& row : rows_)
        for (QLineEdit* e : row) e->clear();
}

void RemedyPagesPanel::clearAll() {
    clearRows();
    MemoNote->clear();
    LabNote->setText("Note");
    Edit1->clear();
    Edit1->setStyleSheet({});
    hidePopup();
}

void RemedyPagesPanel::startSearch() {
    pages_.reset();
    cycle_.reset();
    clearAll();
}

void RemedyPagesPanel::fillRow(int row, int entry) {
    const std::vector<std::string> texts = rowTexts_(entry);
    for (std::size_t c = 0; c < columns_.size() && c < texts.size(); ++c) {
        QLineEdit* e = box(row, static_cast<int>(c));
        e->setText(fromCp1252(texts[c]));
        e->setCursorPosition(0);
    }
}

void RemedyPagesPanel::updateIndicator() {
    Edit1->setText(QString::fromStdString(pages_.indicator()));
    Edit1->setStyleSheet(pages_.indicatorRed() ? kIndicatorRed : kIndicatorAqua);
}

void RemedyPagesPanel::addMatch(std::int64_t record) {
    if (pages_.add(record)) {
        const int entry = pages_.count() - 1;
        fillRow(entry % remedies::kRowsPerPage, entry);
    }
    updateIndicator();
}

void RemedyPagesPanel::showPage() {
    clearRows();
    hidePopup();
    const std::vector<int> entries = pages_.entriesOnPage();
    for (std::size_t row = 0; row < entries.size(); ++row) fillRow(static_cast<int>(row), entries[row]);
    updateIndicator();
}

void RemedyPagesPanel::BBseguitoClick() {
    if (pages_.next()) showPage();
}

void RemedyPagesPanel::BBAnticipoClick() {
    if (pages_.previous()) showPage();
}

// An empty row's button shows nothing and keeps its state.
void RemedyPagesPanel::SBClick(int row) {
    const int entry = pages_.entryOfRow(row);
    if (entry < 0) return;
    hidePopup();
    const remedies::NoteSection s = rowNote_(entry, cycle_.press(row));
    showNote(s.label, s.text);
}

void RemedyPagesPanel::showNote(const std::string& label, const std::string& text) {
    LabNote->setText(fromCp1252(label));
    MemoNote->setPlainText(fromCp1252(text));
}

void RemedyPagesPanel::showPopup(QLineEdit* box, const std::vector<std::string>& lines) {
    list_->clear();
    int width = 120;
    for (const std::string& l : lines) {
        list_->addItem(fromCp1252(l));
        width = std::max(width, list_->fontMetrics().horizontalAdvance(fromCp1252(l)) + 24);
    }
    const int rowHeight = std::max(20, list_->sizeHintForRow(0));
    list_->resize(std::max(width, box->width() / 2), rowHeight * static_cast<int>(std::max<std::size_t>(lines.size(), 1)) + 6);
    list_->move(box->mapTo(this, QPoint(0, 0)));
    list_->show();
    list_->raise();
}

void RemedyPagesPanel::hidePopup() { list_->hide(); }

void RemedyPagesPanel::showSignatures(int row, int column, const remedies::RemedyRecord& r, bool planets) {
    showPopup(box(row, column), planets ? remedies::signatureWords(r.segnaturaPrimaria, r.segnaturaSecondaria, true)
                                        : remedies::signatureWords(r.segnaturaZodiacale, "", false));
}

bool RemedyPagesPanel::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::MouseButtonDblClick || e->type() == QEvent::MouseButtonPress) {
        for (int row = 0; row < remedies::kRowsPerPage; ++row)
            for (std::size_t c = 0; c < columns_.size(); ++c)
                if (rows_[static_cast<std::size_t>(row)][c] == watched) {
                    if (e->type() == QEvent::MouseButtonDblClick)
                        emit boxDoubleClicked(row, static_cast<int>(c));
                    else
                        emit boxClicked(row, static_cast<int>(c));
                    return false;
                }
    }
    return QWidget::eventFilter(watched, e);
}

} // namespace qv
