#include "TextFieldEdits.h"

#include "calc/Fields.h"

#include <QAction>
#include <QCalendarWidget>
#include <QDate>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QWidgetAction>

namespace zolvaric {

namespace {

const QString kDateFormat = QStringLiteral("dd.MM.yyyy");

// A typed date; two-digit years are this century's.
QDate typedDate(const QString &text)
{
    const QString trimmed = text.trimmed();
    QDate date = QDate::fromString(trimmed, QStringLiteral("d.M.yyyy"));
    if (!date.isValid()) {
        date = QDate::fromString(trimmed, QStringLiteral("d.M.yy"));
        if (date.isValid() && date.year() < 2000)
            date = date.addYears(100);
    }
    return date;
}

// A sheet of a calendar: Qt's styles have no such icon.
QIcon calendarIcon()
{
    QPixmap sheet(16, 16);
    sheet.fill(Qt::transparent);
    QPainter painter(&sheet);
    painter.setPen(QColor(80, 80, 80));
    painter.setBrush(Qt::white);
    painter.drawRect(1, 2, 13, 12);
    painter.fillRect(2, 3, 12, 3, QColor(200, 60, 50));
    painter.setPen(QColor(110, 110, 110));
    for (int y = 8; y <= 12; y += 2) {
        for (int x = 3; x <= 12; x += 3)
            painter.drawPoint(x, y);
    }
    return QIcon(sheet);
}

} // namespace

TextBlockEdit::TextBlockEdit(TextField &field, QWidget *parent) : QPlainTextEdit(parent)
{
    setObjectName(QLatin1String(field.name()));
    setTabChangesFocus(true);
    setPlainText(field.text());
    field.setViewObserver([this, &field] {
        if (toPlainText() != field.text())
            setPlainText(field.text());
    });
    connect(this, &QPlainTextEdit::textChanged, this,
            [this, &field] { field.setText(toPlainText()); });
}

DateFieldEdit::DateFieldEdit(TextField &field, QWidget *parent) : QLineEdit(parent), m_field(field)
{
    setObjectName(QLatin1String(field.name()));
    setText(field.text());
    field.setViewObserver([this] {
        if (text() != m_field.text()) {
            setText(m_field.text());
            markInvalid(false);
        }
    });
    QAction *calendar = addAction(calendarIcon(), QLineEdit::TrailingPosition);
    calendar->setToolTip(QStringLiteral("Kalender (Alt+Pfeil ab)"));
    connect(calendar, &QAction::triggered, this, &DateFieldEdit::showCalendar);
    connect(this, &QLineEdit::editingFinished, this, &DateFieldEdit::takeTypedText);
}

void DateFieldEdit::takeTypedText()
{
    if (text().trimmed().isEmpty()) {
        markInvalid(false);
        m_field.setText(QString());
        return;
    }
    const QDate date = typedDate(text());
    markInvalid(!date.isValid());
    if (!date.isValid())
        return;
    setText(date.toString(kDateFormat));
    m_field.setText(text());
}

void DateFieldEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F4 ||
        (event->key() == Qt::Key_Down && event->modifiers() == Qt::AltModifier)) {
        showCalendar();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void DateFieldEdit::markInvalid(bool invalid)
{
    setStyleSheet(invalid ? QStringLiteral("QLineEdit { background: #ffe0e0; }") : QString());
    setToolTip(invalid ? QStringLiteral("Kein gültiges Datum: bitte TT.MM.JJJJ eingeben.")
                       : QString());
}

void DateFieldEdit::showCalendar()
{
    QMenu popup(this);
    auto *calendar = new QCalendarWidget;
    calendar->setLocale(QLocale(QLocale::German, QLocale::Germany));
    calendar->setGridVisible(true);
    const QDate shown = typedDate(text());
    calendar->setSelectedDate(shown.isValid() ? shown : QDate::currentDate());
    auto *action = new QWidgetAction(&popup);
    action->setDefaultWidget(calendar);
    popup.addAction(action);
    connect(calendar, &QCalendarWidget::activated, &popup, [&](const QDate &date) {
        setText(date.toString(kDateFormat));
        markInvalid(false);
        m_field.setText(text());
        popup.close();
    });
    connect(calendar, &QCalendarWidget::clicked, calendar, &QCalendarWidget::activated);
    calendar->setFocus();
    popup.exec(mapToGlobal(QPoint(0, height())));
}

} // namespace zolvaric
