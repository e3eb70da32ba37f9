// The viewer of a saved sheet picture (Emf\GRAFnn.SVG): the picture on
// white paper, scaled to the window whatever its size, and "Chiudi".
#pragma once

#include <QDialog>

class QSvgRenderer;

namespace qv {

class TFoMetGra : public QDialog {
    Q_OBJECT
public:
    // `file` is the picture's full path; a file that cannot be read leaves
    // the viewer empty.
    explicit TFoMetGra(const QString& file, QWidget* parent = nullptr);
    ~TFoMetGra() override;

    bool hasPicture() const;

public slots:
    void BBchiudiClick();

private:
    QSvgRenderer* renderer_;
};

} // namespace qv
