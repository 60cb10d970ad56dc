#include "ElidedLabel.h"

#include <QFontMetrics>

namespace zolvaric {

ElidedLabel::ElidedLabel(int widthLimit, QWidget *parent) : QLabel(parent), m_widthLimit(widthLimit)
{
}

void ElidedLabel::setFullText(const QString &text)
{
    if (text == m_fullText && !this->text().isEmpty())
        return;
    m_fullText = text;
    updateGeometry();
    elide();
}

QSize ElidedLabel::sizeHint() const
{
    const QSize full = QLabel::sizeHint();
    const int textWidth = fontMetrics().horizontalAdvance(m_fullText) + 2 * margin() + 2;
    return {qMin(textWidth, m_widthLimit), full.height()};
}

QSize ElidedLabel::minimumSizeHint() const
{
    return sizeHint();
}

void ElidedLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    elide();
}

void ElidedLabel::elide()
{
    const QString shown =
        fontMetrics().elidedText(m_fullText, Qt::ElideRight, contentsRect().width());
    setToolTip(shown == m_fullText ? QString() : m_fullText);
    if (shown != text())
        setText(shown);
}

} // namespace zolvaric
