#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace zolvaric {

class ChoiceField;
class TextField;

// A text edit showing a text field; typing writes the field.
class TextEdit : public QLineEdit
{
    Q_OBJECT

public:
    TextEdit(TextField &field, QWidget *parent = nullptr);
};

// A pure selection list showing a choice field; a choice by the user
// selects in the field (and fires its handler), a change by program shows.
class ChoiceBox : public QComboBox
{
    Q_OBJECT

public:
    ChoiceBox(ChoiceField &field, QWidget *parent = nullptr);

    // Items from `count` on stay in the list, so that indexes keep their
    // meaning, but cannot be chosen.
    void enableFirstItems(int count);

private:
    void showField();

    ChoiceField &m_field;
};

// A label showing a text field, e.g. a maximum share "3 %". With a tab in the
// caption ("LP8\tObjektüberwachung") only the part after the tab is shown.
class FieldLabel : public QLabel
{
    Q_OBJECT

public:
    FieldLabel(TextField &field, QWidget *parent = nullptr);
};

} // namespace zolvaric
