#include "FieldBindings.h"

#include "calc/Fields.h"

#include <QAbstractItemView>
#include <QSignalBlocker>
#include <QStandardItemModel>

namespace zolvaric {

TextEdit::TextEdit(TextField &field, QWidget *parent) : QLineEdit(parent)
{
    setObjectName(QLatin1String(field.name()));
    setText(field.text());
    field.setViewObserver([this, &field] {
        if (text() != field.text())
            setText(field.text());
    });
    connect(this, &QLineEdit::textEdited, this,
            [&field](const QString &text) { field.setText(text); });
}

ChoiceBox::ChoiceBox(ChoiceField &field, QWidget *parent) : QComboBox(parent), m_field(field)
{
    setObjectName(QLatin1String(field.name()));
    setEditable(false);
    field.setViewObserver([this] { showField(); });
    connect(this, &QComboBox::activated, this, [this](int index) { m_field.select(index); });
    showField();
}

void ChoiceBox::showField()
{
    const QSignalBlocker blocker(this);
    QStringList shown;
    for (int i = 0; i < count(); ++i)
        shown << itemText(i);
    if (shown != m_field.items()) {
        clear();
        addItems(m_field.items());
        // The open list shows the longest item whole, however narrow the box.
        view()->setMinimumWidth(view()->sizeHintForColumn(0) + 2 * view()->frameWidth());
    }
    setCurrentIndex(m_field.index());
}

void ChoiceBox::enableFirstItems(int count)
{
    auto *items = qobject_cast<QStandardItemModel *>(model());
    if (!items)
        return;
    for (int i = 0; i < items->rowCount(); ++i) {
        if (QStandardItem *item = items->item(i))
            item->setEnabled(i < count);
    }
}

FieldLabel::FieldLabel(TextField &field, QWidget *parent) : QLabel(parent)
{
    setObjectName(QLatin1String(field.name()));
    const auto show = [this, &field] { setText(field.text().section(QLatin1Char('\t'), -1)); };
    field.setViewObserver(show);
    show();
}

} // namespace zolvaric
