#include "NumericEdit.h"

#include "base/RegionalSettings.h"
#include "calc/Fields.h"

#include <QApplication>
#include <QKeyEvent>
#include <QRegularExpression>

namespace zolvaric {

NumericEdit::NumericEdit(NumericField &field, QWidget *parent)
    : QLineEdit(parent), m_field(field),
      m_typable(QStringLiteral("^-?[0-9]*(%1[0-9]{0,2})?$")
                    .arg(QRegularExpression::escape(QString(field.settings().decimalSeparator))))
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setObjectName(QLatin1String(field.name()));
    field.setViewObserver([this] { showField(); });
    connect(this, &QLineEdit::textEdited, this, &NumericEdit::typed);
    showField();
}

void NumericEdit::acceptWholeNumbersOnly()
{
    m_typable.setPattern(QStringLiteral("^[0-9]*$"));
}

void NumericEdit::acceptThousandsPoints()
{
    m_groupKey = m_field.settings().decimalSeparator == QLatin1Char('.') ? QLatin1Char(',')
                                                                         : QLatin1Char('.');
}

void NumericEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        m_field.setText(m_textOnFocus);
        setText(m_textOnFocus);
        return;
    }
    const QChar separator = m_field.settings().decimalSeparator;
    QString typedText = event->text();
    const bool groupKey = !m_groupKey.isNull() && typedText == QString(m_groupKey);
    const bool separatorKey = typedText == QLatin1String(".") || typedText == QLatin1String(",");
    if (separatorKey)
        typedText = QString(separator);
    if (typedText.size() == 1 && typedText.front().isPrint()) {
        // Work out the text the keystroke would leave, and refuse what is no number.
        QString candidate = text();
        int position = cursorPosition();
        if (hasSelectedText()) {
            position = selectionStart();
            candidate.remove(position, selectedText().size());
        }
        candidate.insert(position, typedText);
        if (!m_typable.match(candidate).hasMatch()) {
            // A point typed as separator that a third digit follows groups
            // thousands instead: the key just typed, or the one typed before.
            qsizetype point = -1;
            if (groupKey)
                point = position;
            else if (m_separatorFromGroupKey && !separatorKey)
                point = candidate.indexOf(separator);
            const QString plain = point < 0 ? QString() : regrouped(candidate, point);
            if (plain.isNull()) {
                QApplication::beep();
                return;
            }
            m_separatorFromGroupKey = false;
            setText(plain);
            setCursorPosition(position);
            typed(text());
            return;
        }
        if (separatorKey)
            m_separatorFromGroupKey = groupKey;
        if (typedText != event->text()) {
            insert(typedText);
            typed(text());
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

QString NumericEdit::regrouped(const QString &candidate, qsizetype index) const
{
    qsizetype digits = 0;
    while (index + 1 + digits < candidate.size() && candidate[index + 1 + digits].isDigit())
        ++digits;
    if (digits < 3)
        return QString();
    const QString plain = QString(candidate).remove(index, 1);
    return m_typable.match(plain).hasMatch() ? plain : QString();
}

QString NumericEdit::plainAmount(const QString &text) const
{
    if (m_groupKey.isNull())
        return QString();
    const QString group = QRegularExpression::escape(QString(m_groupKey));
    const QString separator =
        QRegularExpression::escape(QString(m_field.settings().decimalSeparator));
    // Whole groups of three only: "1.2345" could mean either.
    const QRegularExpression grouped(
        QStringLiteral("^-?[0-9]{1,3}(%1[0-9]{3})+(%2[0-9]{0,2})?$").arg(group, separator));
    const QRegularExpression pointed(QStringLiteral("^-?[0-9]*%1[0-9]{0,2}$").arg(group));
    if (grouped.match(text).hasMatch())
        return QString(text).remove(m_groupKey);
    if (pointed.match(text).hasMatch())
        return QString(text).replace(m_groupKey, m_field.settings().decimalSeparator);
    return QString();
}

void NumericEdit::focusInEvent(QFocusEvent *event)
{
    m_textOnFocus = m_field.text();
    m_separatorFromGroupKey = false;
    QLineEdit::focusInEvent(event);
    showField();
}

void NumericEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    showField();
}

void NumericEdit::showField()
{
    const QString shown = hasFocus() ? m_field.text() : m_field.displayText();
    if (shown != text())
        setText(shown);
}

void NumericEdit::typed(const QString &text)
{
    // Pasted, dropped or undone text meets the rule of typed keys: what is
    // no number, or has a third decimal, is refused and the field's text
    // comes back.
    if (!m_typable.match(text).hasMatch()) {
        const QString plain = plainAmount(text);
        if (plain.isNull()) {
            QApplication::beep();
            showField();
            return;
        }
        m_separatorFromGroupKey = false;
        setText(plain);
        m_field.setText(plain);
        return;
    }
    if (!text.contains(m_field.settings().decimalSeparator))
        m_separatorFromGroupKey = false;
    m_field.setText(text);
}

} // namespace zolvaric
