#pragma once

#include <QLineEdit>
#include <QRegularExpression>

namespace zolvaric {

class NumericField;

// The edit of a numeric field: with the focus it shows the field's plain
// text, without the focus its display format. The decimal point and the
// decimal comma both type the regional decimal separator; the thousands
// separator, a third decimal and anything that is no number are refused with
// a beep; Escape restores the text the field had when the focus came.
class NumericEdit : public QLineEdit
{
    Q_OBJECT

public:
    NumericEdit(NumericField &field, QWidget *parent = nullptr);

    NumericField &field() { return m_field; }

    // Only the digits of a whole number from 0 may be typed (a count).
    void acceptWholeNumbersOnly();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showField();
    void typed(const QString &text);

    NumericField &m_field;
    // What may stand in the edit while typing: an optional minus, digits, and
    // at most two decimals after one regional separator.
    QRegularExpression m_typable;
    QString m_textOnFocus;
};

} // namespace zolvaric
