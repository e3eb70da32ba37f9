// The planet and sign choice of the signature and debility windows: two
// panels of radio buttons (RBsol … RBnos and RBNoPia "Qualsiasi"; RBari …
// RBpes and RBNoSeg "Qualsiasi") whose choice is copied into EdPianeta and
// EdSegno. In the debility window each sign button is captioned with the
// debilitated sign and searches the sign across from it.
#pragma once

#include <QWidget>
#include <string>

class QLabel;
class QLineEdit;

namespace qv {

class SignatureChoice : public QWidget {
    Q_OBJECT
public:
    enum class Signs { AsCarried, Debilitated };
    SignatureChoice(const QString& planetTitle, const QString& signTitle, Signs signs, QWidget* parent = nullptr);

    // The planet and the sign as shown ("Qualsiasi" when any).
    std::string planet() const;
    std::string signShown() const;
    // The sign looked for in the zodiacal signatures.
    std::string signSearched() const;

private:
    Signs signs_;
    QLineEdit* EdPianeta;
    QLineEdit* EdSegno;
};

// A help note always on view (MemoZoom): wrapped text on a pale ground.
QLabel* helpNote(QWidget* parent, const QString& text);

} // namespace qv
