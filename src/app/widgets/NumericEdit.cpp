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

void NumericEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        m_field.setText(m_textOnFocus);
        setText(m_textOnFocus);
        return;
    }
    QString typedText = event->text();
    if (typedText == QLatin1String(".") || typedText == QLatin1String(","))
        typedText = QString(m_field.settings().decimalSeparator);
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
            QApplication::beep();
            return;
        }
        if (typedText != event->text()) {
            insert(typedText);
            typed(text());
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void NumericEdit::focusInEvent(QFocusEvent *event)
{
    m_textOnFocus = m_field.text();
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
        QApplication::beep();
        showField();
        return;
    }
    m_field.setText(text);
}

} // namespace zolvaric
