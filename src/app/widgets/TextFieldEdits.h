#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>

namespace zolvaric {

class TextField;

// An edit of several lines showing a text field; typing writes the field.
// Tab moves on to the next input, as in every other field of the window.
class TextBlockEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    TextBlockEdit(TextField &field, QWidget *parent = nullptr);
};

// A date field: a text field holding TT.MM.JJJJ or nothing. The date is
// typed (1.2.26 and 1.2.2026 are taken as 01.02.2026) or picked from the
// calendar behind the button at the field's end. What is no date stays in
// the edit, marked and explained, and leaves the field as it was. Alt+Down
// or F4 opens the calendar.
class DateFieldEdit : public QLineEdit
{
    Q_OBJECT

public:
    DateFieldEdit(TextField &field, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void takeTypedText();
    void showCalendar();
    void markInvalid(bool invalid);

    TextField &m_field;
};

} // namespace zolvaric
