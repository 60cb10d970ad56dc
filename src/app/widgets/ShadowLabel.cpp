#include "ShadowLabel.h"

#include <QApplication>
#include <QPainter>

namespace zolvaric {

namespace {

constexpr int kShadowDepth = 3;

} // namespace

QFont fontOrSystem(const QString &family, int pointSize, bool bold)
{
    QFont font = QApplication::font();
    font.setFamilies({family, font.family()});
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

ShadowLabel::ShadowLabel(const QString &text, int pointSize, QWidget *parent) : QLabel(text, parent)
{
    setFont(fontOrSystem(QStringLiteral("Arial"), pointSize, true));
}

QSize ShadowLabel::sizeHint() const
{
    const QFontMetrics metrics(font());
    return QSize(metrics.horizontalAdvance(text()) + kShadowDepth + 2,
                 metrics.height() + kShadowDepth);
}

void ShadowLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setFont(font());
    const QRect area = contentsRect().adjusted(0, 0, -kShadowDepth, -kShadowDepth);
    painter.setPen(QColor(192, 192, 192));
    painter.drawText(area.translated(kShadowDepth, kShadowDepth), alignment(), text());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(area, alignment(), text());
}

} // namespace zolvaric
