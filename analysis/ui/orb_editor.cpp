#include "base/decimal_text.h"
#include "analysis/ui/orb_editor.h"

#include "settings/chart_settings.h"
#include "base/ui/dialogs.h"
#include "base/ui/qt_text.h"
#include "base/ui/user_action.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <cstdio>

namespace qv {

namespace {

const char* const kFieldCodes[14] = {"Cong", "SSes", "Deci", "Novi", "SQua", "Sett", "Sest",
                                     "Quin", "Quad", "Trig", "Sesq", "BiQu", "Qcon", "Oppo"};
constexpr bool kMajor[14] = {true, false, false, false, false, false, true, false, true, true, false, false, false, true};

// General decimal notation with the decimal comma, cut to 7 characters.
QString orbText(Extended v) {
    QString s = QString::fromStdString(generalText(v, 15)).replace('.', ',');
    return s.left(7);
}

// The value of a field: blanks stripped, comma read as the decimal point.
bool fieldValue(const QString& text, Extended& value) {
    std::string t = text.trimmed().left(80).toStdString();
    for (char& c : t)
        if (c == ',') c = '.';
    return parseSettingReal(t, value);
}

QLineEdit* orbField(QWidget* parent, const QString& name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setFixedWidth(70);
    e->setAlignment(Qt::AlignRight);
    return e;
}

} // namespace

TFoOrbSpa::TFoOrbSpa(QWidget* parent) : QDialog(parent) {
    setObjectName("TFoOrbSpa");
    setWindowTitle("Variazione Orbite Aspetti");

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    auto heading = [&](const QString& text, int column) {
        auto* l = new QLabel(text, this);
        l->setAlignment(Qt::AlignCenter);
        grid->addWidget(l, 0, column);
    };
    heading("ASPETTO", 0);
    heading("Valore\nangolare", 1);
    heading("Orbite\nstandard", 2);
    heading("Orbite\nalternative", 3);
    heading("Orbite\nalternative", 4);
    for (int c = 0; c < 3; ++c) {
        auto* big = new QLabel(QString(QChar('A' + c)), this);
        big->setAlignment(Qt::AlignCenter);
        big->setStyleSheet("font-size: 20pt; font-weight: bold;");
        grid->addWidget(big, 1, 2 + c);
    }
    for (int i = 0; i < kAspectCount; ++i) {
        const AspectKey& key = kAspectKeys[static_cast<std::size_t>(i)];
        auto* name = new QLabel(fromCp1252(key.name), this);
        if (kMajor[i]) name->setStyleSheet("font-weight: bold;");
        grid->addWidget(name, 2 + i, 0);
        grid->addWidget(new QLabel(fromCp1252(key.angleText), this), 2 + i, 1, Qt::AlignCenter);
        textsA_[static_cast<std::size_t>(i)] =
            new QLabel(QString::fromUtf8("\u00b1 ") + orbText(kOrbSetA[static_cast<std::size_t>(i)]), this);
        grid->addWidget(textsA_[static_cast<std::size_t>(i)], 2 + i, 2, Qt::AlignCenter);
        fieldsB_[static_cast<std::size_t>(i)] = orbField(this, QString("Edit%1B").arg(kFieldCodes[i]));
        fieldsC_[static_cast<std::size_t>(i)] = orbField(this, QString("Edit%1C").arg(kFieldCodes[i]));
        grid->addWidget(fieldsB_[static_cast<std::size_t>(i)], 2 + i, 3, Qt::AlignCenter);
        grid->addWidget(fieldsC_[static_cast<std::size_t>(i)], 2 + i, 4, Qt::AlignCenter);
    }
    for (int c = 0; c < 3; ++c) {
        const QString letter(QChar('A' + c));
        auto* adopt = new QPushButton("Adotta", this);
        adopt->setObjectName("BBadotta" + letter);
        grid->addWidget(adopt, 2 + kAspectCount, 2 + c, Qt::AlignCenter);
        connect(adopt, &QPushButton::clicked, this, [this, letter] { BBadottaClick(letter); });
        // The raised frame drawn round the column of the active set.
        auto* frame = new QFrame(this);
        frame->setFrameShape(QFrame::Panel);
        frame->setFrameShadow(QFrame::Raised);
        frame->setLineWidth(3);
        frame->setAttribute(Qt::WA_TransparentForMouseEvents);
        grid->addWidget(frame, 1, 2 + c, kAspectCount + 2, 1);
        frames_[static_cast<std::size_t>(c)] = frame;
    }

    auto* note = new QLabel("Valore\nMassimo\nOrbite\n\u00b1 15\u00b0", this);
    note->setAlignment(Qt::AlignCenter);

    // Orbs of parallels and antiscia: kept and written with the sets, not shown.
    auto* hidden = new QWidget(this);
    hidden->setObjectName("PanelNascosto");
    EditParal = orbField(hidden, "EditParal");
    EditAntis = orbField(hidden, "EditAntis");
    auto* hiddenLayout = new QGridLayout(hidden);
    hiddenLayout->addWidget(new QLabel("Paralleli di Declinazione\ne Contro-Paralleli", hidden), 0, 0);
    hiddenLayout->addWidget(new QLabel("Orbita \u00b1", hidden), 0, 1);
    hiddenLayout->addWidget(EditParal, 0, 2);
    hiddenLayout->addWidget(new QLabel("Antisce\ne Contro-Antisce", hidden), 1, 0);
    hiddenLayout->addWidget(new QLabel("Orbita \u00b1\u00b0", hidden), 1, 1);
    hiddenLayout->addWidget(EditAntis, 1, 2);
    hiddenLayout->addWidget(new QLabel("Per queste orbite\nnon sono accettati valori\nsuperiori a \u00b1 6\u00b0,00", hidden), 2, 0, 1, 3);
    hidden->hide();

    EdSet = new QLineEdit(this);
    EdSet->setObjectName("EdSet");
    EdSet->setReadOnly(true);
    EdSet->setFixedWidth(30);
    EdSet->setAlignment(Qt::AlignCenter);
    auto* setLabel = new QLabel("Set di Orbite Attualmente Selezionato:", this);
    setLabel->setObjectName("LabSet");
    BBritorna = new QPushButton("Ritorna a Menu Principale", this);
    BBritorna->setObjectName("BBritorna");

    auto* side = new QVBoxLayout;
    side->addWidget(note);
    side->addStretch();
    auto* body = new QHBoxLayout;
    body->addLayout(grid);
    body->addLayout(side);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(setLabel);
    bottom->addWidget(EdSet);
    bottom->addStretch();
    bottom->addWidget(BBritorna);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(hidden);
    layout->addLayout(bottom);

    for (QLineEdit* e : editableFields()) connect(e, &QLineEdit::textEdited, this, &TFoOrbSpa::FieldChange);
    for (QLineEdit* e : {EditParal, EditAntis})
        connect(e, &QLineEdit::textEdited, this, &TFoOrbSpa::HiddenFieldChange);
    connect(BBritorna, &QPushButton::clicked, this, &TFoOrbSpa::BBritornaClick);

    FormActivate();
}

QList<QLineEdit*> TFoOrbSpa::editableFields() const {
    QList<QLineEdit*> all;
    for (QLineEdit* e : fieldsB_) all << e;
    for (QLineEdit* e : fieldsC_) all << e;
    return all;
}

QString TFoOrbSpa::activeLetter() const { return EdSet->text(); }

void TFoOrbSpa::readSets() {
    const OrbSetsFile sets = readOrbSetsFile();
    loading_ = true;
    for (int i = 0; i < kAspectCount; ++i) {
        fieldsB_[static_cast<std::size_t>(i)]->setText(orbText(sets.blocks[1].orbs[static_cast<std::size_t>(i)]));
        fieldsC_[static_cast<std::size_t>(i)]->setText(orbText(sets.blocks[2].orbs[static_cast<std::size_t>(i)]));
    }
    EditParal->setText(orbText(sets.blocks[1].parallelOrb));
    EditAntis->setText(orbText(sets.blocks[1].antisciaOrb));
    loading_ = false;
    showFrame(QString::fromStdString(sets.letter));
}

void TFoOrbSpa::showFrame(const QString& letter) {
    framed_ = letter == "B" || letter == "C" ? letter : "A";
    for (int c = 0; c < 3; ++c) frames_[static_cast<std::size_t>(c)]->setVisible(framed_ == QString(QChar('A' + c)));
}

void TFoOrbSpa::FormActivate() {
    runUserAction(this, [&] {
        readSets();
        LoadActiveOrbs();
    });
    allValid_ = true;
    unvalidated_ = false;
    hiddenChanged_ = false;
    for (QLineEdit* e : editableFields()) e->setStyleSheet("background-color: aqua;");
    EdSet->setText(framed_);
}

void TFoOrbSpa::FieldChange() {
    if (loading_) return;
    unvalidated_ = true;
    QTimer::singleShot(0, this, &TFoOrbSpa::ValidateFields);
}

void TFoOrbSpa::HiddenFieldChange() {
    if (loading_) return;
    hiddenChanged_ = true;
    FieldChange();
}

// Run when the application is idle after a change: every field must read as
// an orb from 0 to 15 (6 for the hidden ones).
void TFoOrbSpa::ValidateFields() {
    if (!unvalidated_) return;
    unvalidated_ = false;
    bool all = true;
    auto check = [&](QLineEdit* e, Extended ceiling) {
        Extended v = 0;
        bool ok = fieldValue(e->text(), v);
        if (ok) {
            const int caret = e->cursorPosition();
            e->setText(e->text().trimmed().left(80).replace('.', ','));
            e->setCursorPosition(std::min<int>(caret, static_cast<int>(e->text().size())));
            ok = v >= 0 && v <= ceiling;
        }
        if (!ok) {
            e->clear();
            e->setStyleSheet("background-color: red;");
            all = false;
        } else {
            e->setStyleSheet("background-color: aqua;");
        }
    };
    loading_ = true;
    for (QLineEdit* e : editableFields()) check(e, 15.0L);
    check(EditParal, 6.0L);
    check(EditAntis, 6.0L);
    loading_ = false;
    allValid_ = all;
    BBritorna->setEnabled(all);
}

// MMVarOrb.dum from the window: set A's constants, B, C, the hidden orbs.
void TFoOrbSpa::writeSets(const QString& letter) {
    OrbSetsFile sets;
    Extended parallel = 0, antiscia = 0;
    fieldValue(EditParal->text(), parallel);
    fieldValue(EditAntis->text(), antiscia);
    sets.blocks[0].orbs = kOrbSetA;
    for (int i = 0; i < kAspectCount; ++i) {
        fieldValue(fieldsB_[static_cast<std::size_t>(i)]->text(), sets.blocks[1].orbs[static_cast<std::size_t>(i)]);
        fieldValue(fieldsC_[static_cast<std::size_t>(i)]->text(), sets.blocks[2].orbs[static_cast<std::size_t>(i)]);
    }
    for (OrbSetBlock& block : sets.blocks) {
        block.parallelOrb = parallel;
        block.antisciaOrb = antiscia;
    }
    sets.letter = letter.toStdString();
    writeOrbSetsFile(sets);
}

void TFoOrbSpa::applySet(const QString& letter) {
    runUserAction(this, [&] {
        writeSets(letter);
        readSets();
        const OrbSetsFile sets = readOrbSetsFile();
        const int index = letter == "B" ? 1 : letter == "C" ? 2 : 0;
        ActiveSettingsFile active;
        active.orbs = sets.blocks[static_cast<std::size_t>(index)].orbs;
        active.parallelOrb = sets.blocks[static_cast<std::size_t>(index)].parallelOrb;
        active.antisciaOrb = sets.blocks[static_cast<std::size_t>(index)].antisciaOrb;
        const ChartSettings& now = chartSettings();
        active.houseSystem = now.houseSystem;
        active.nodeKind = now.nodeKind;
        active.setLetter = letter.toStdString();
        active.blackMoonKind = now.blackMoonKind;
        writeActiveSettingsFile(active);
        emit orbSetApplied(fromCp1252(orbSetCaption(active.setLetter)));
        LoadActiveOrbs();
    });
}

void TFoOrbSpa::BBadottaClick(const QString& letter) {
    ValidateFields();
    if (!allValid_) {
        dialogs().error(this, "Errore Impostazione Orbite");
        return;
    }
    EdSet->setText(letter);
    applySet(letter);
}

void TFoOrbSpa::BBritornaClick() {
    ValidateFields();
    if (allValid_) accept();
}

void TFoOrbSpa::done(int result) {
    ValidateFields();
    if (allValid_) {
        runUserAction(this, [&] { writeSets(framed_); });
        if (hiddenChanged_) applySet(EdSet->text());
    }
    QDialog::done(result);
}

} // namespace qv
