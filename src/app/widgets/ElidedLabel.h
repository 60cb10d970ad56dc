#pragma once

#include <QLabel>

namespace zolvaric {

// A one-line caption that never widens its window beyond a limit: a text
// longer than the room it gets ends in "…" and shows in full as its hint.
class ElidedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ElidedLabel(int widthLimit, QWidget *parent = nullptr);

    void setFullText(const QString &text);
    const QString &fullText() const { return m_fullText; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void elide();

    int m_widthLimit;
    QString m_fullText;
};

} // namespace zolvaric
