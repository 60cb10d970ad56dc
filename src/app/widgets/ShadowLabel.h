#pragma once

#include <QLabel>

namespace zolvaric {

// A large program name with a raised silver shadow, drawn directly (a
// graphics effect would render the label into a pixmap at every paint).
class ShadowLabel : public QLabel
{
    Q_OBJECT

public:
    ShadowLabel(const QString &text, int pointSize, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;
};

// The font of a family when the system has it, else the system's UI font at
// that size. The font matching decides when the text is first laid out;
// asking the font database beforehand would cost start-up time.
QFont fontOrSystem(const QString &family, int pointSize, bool bold);

} // namespace zolvaric
