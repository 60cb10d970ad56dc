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
// Amount fields also take the point as German writes amounts: followed by a
// third digit it is a thousands point, so "450.000" is 450000.
class NumericEdit : public QLineEdit
{
    Q_OBJECT

public:
    NumericEdit(NumericField &field, QWidget *parent = nullptr);

    NumericField &field() { return m_field; }

    // Only the digits of a whole number from 0 may be typed (a count).
    void acceptWholeNumbersOnly();
    // An amount: a point that a third digit follows groups thousands.
    void acceptThousandsPoints();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showField();
    void typed(const QString &text);
    // The text without the separator at index, when that makes the refused
    // candidate a number because three digits follow it; else a null string.
    QString regrouped(const QString &candidate, qsizetype index) const;
    // Pasted text written with thousands points ("1.250.000,00"), or with
    // the point for the decimal separator ("450.5"), as plain text.
    QString plainAmount(const QString &text) const;

    NumericField &m_field;
    // What may stand in the edit while typing: an optional minus, digits, and
    // at most two decimals after one regional separator.
    QRegularExpression m_typable;
    QString m_textOnFocus;
    // The key that groups thousands in an amount ('.' where the decimal
    // separator is a comma); none in other fields.
    QChar m_groupKey;
    // The separator in the text was typed with the group key: a third digit
    // after it makes it a thousands point.
    bool m_separatorFromGroupKey = false;
};

} // namespace zolvaric
