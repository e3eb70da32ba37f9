#include "remedies/ui/signature_choice.h"

#include "base/ui/qt_text.h"
#include "remedies/signature_search.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qv {

namespace {

const char* const kPlanetButtons[] = {"RBsol", "RBlun", "RBmer", "RBven", "RBmar", "RBgio", "RBsat", "RBnon", "RBnos"};
const char* const kSignButtons[] = {"RBari", "RBtor", "RBgem", "RBcan", "RBleo", "RBver",
                                    "RBbil", "RBsco", "RBsag", "RBcap", "RBacq", "RBpes"};

QLineEdit* choiceBox(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(remedies::kAnySignature, parent);
    e->setObjectName(name);
    e->setReadOnly(true);
    e->setStyleSheet("QLineEdit { font-weight: bold; background-color: #fff8dc; }");
    return e;
}

} // namespace

SignatureChoice::SignatureChoice(const QString& planetTitle, const QString& signTitle, Signs signs, QWidget* parent)
    : QWidget(parent), signs_(signs) {
    EdPianeta = choiceBox(this, "EdPianeta");
    EdSegno = choiceBox(this, "EdSegno");

    auto* planets = new QGroupBox(planetTitle, this);
    auto* planetGrid = new QGridLayout(planets);
    planetGrid->setVerticalSpacing(1);
    auto addRadio = [this](QGridLayout* grid, QWidget* box, const char* name, const QString& caption, int at,
                           int columns, QLineEdit* target) {
        auto* b = new QRadioButton(caption, box);
        b->setObjectName(name);
        grid->addWidget(b, at / columns, at % columns);
        connect(b, &QRadioButton::clicked, this, [target, caption] { target->setText(caption); });
        return b;
    };
    for (std::size_t i = 0; i < remedies::kSignaturePlanets.size(); ++i)
        addRadio(planetGrid, planets, kPlanetButtons[i], remedies::kSignaturePlanets[i], static_cast<int>(i), 2, EdPianeta);
    addRadio(planetGrid, planets, "RBNoPia", remedies::kAnySignature, 9, 2, EdPianeta)->setChecked(true);

    auto* zodiac = new QGroupBox(signTitle, this);
    auto* signGrid = new QGridLayout(zodiac);
    signGrid->setVerticalSpacing(1);
    for (std::size_t i = 0; i < remedies::kSignatureSigns.size(); ++i) {
        const std::string sign = remedies::kSignatureSigns[i];
        const std::string caption = signs == Signs::Debilitated ? remedies::oppositeSign(sign) : sign;
        addRadio(signGrid, zodiac, kSignButtons[i], fromCp1252(caption), static_cast<int>(i), 3, EdSegno);
    }
    addRadio(signGrid, zodiac, "RBNoSeg", remedies::kAnySignature, 12, 3, EdSegno)->setChecked(true);

    EdPianeta->setFixedWidth(150);
    EdSegno->setFixedWidth(150);
    auto* chosen = new QGridLayout;
    chosen->addWidget(new QLabel(signs == Signs::Debilitated ? "Pianeta debilitato" : "Pianeta", this), 0, 0);
    chosen->addWidget(EdPianeta, 0, 1);
    chosen->addWidget(new QLabel(signs == Signs::Debilitated ? "Segno debilitato" : "Segno", this), 1, 0);
    chosen->addWidget(EdSegno, 1, 1);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(planets);
    layout->addWidget(zodiac);
    layout->addLayout(chosen);
    layout->addStretch();
}

std::string SignatureChoice::planet() const { return toCp1252(EdPianeta->text()); }

std::string SignatureChoice::signShown() const { return toCp1252(EdSegno->text()); }

std::string SignatureChoice::signSearched() const {
    return signs_ == Signs::Debilitated ? remedies::oppositeSign(signShown()) : signShown();
}

QLabel* helpNote(QWidget* parent, const QString& text) {
    auto* note = new QLabel(text, parent);
    note->setObjectName("MemoZoom");
    note->setWordWrap(true);
    note->setMargin(6);
    note->setStyleSheet("QLabel { background-color: #fffde8; border: 1px solid #cbb; }");
    return note;
}

} // namespace qv
