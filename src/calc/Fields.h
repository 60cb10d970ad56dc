#pragma once

#include "TextTable.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <initializer_list>

namespace zolvaric {

class NumberFormat;
struct RegionalSettings;

// A field of the calculation sheet, named by its window component. A field
// may have one change handler (the calculation's reaction) and one view
// observer (the widget showing it); both are told of every change.
class Field
{
public:
    enum class Access { Input, ReadOnly, ReadOnlyDisabled };

    Field(const char *name, Access access) : m_name(name), m_access(access) {}
    Field(const Field &) = delete;
    Field &operator=(const Field &) = delete;
    virtual ~Field() = default;

    const char *name() const { return m_name; }
    Access access() const { return m_access; }

    void setChangeHandler(std::function<void()> handler) { m_handler = std::move(handler); }
    void setViewObserver(std::function<void()> observer) { m_observer = std::move(observer); }

protected:
    // The view is updated before the handler runs, so that a handler that
    // fails leaves a view showing what the field holds.
    void changed()
    {
        if (m_observer)
            m_observer();
        if (m_handler)
            m_handler();
    }
    // A change made by program that fires no handler still shows.
    void viewChanged()
    {
        if (m_observer)
            m_observer();
    }

private:
    const char *m_name;
    Access m_access;
    std::function<void()> m_handler;
    std::function<void()> m_observer;
};

// An edit field holding a number as text, with two-decimal semantics: a
// written value is stored as its text rounded to two decimals, and reading
// parses the text, so every read after a write yields the rounded value.
class NumericField : public Field
{
public:
    NumericField(const char *name, Access access, const NumberFormat &displayFormat,
                 const RegionalSettings &settings);

    // Empty or unparsable text reads as 0.
    double value() const { return m_value; }
    // Throws Error for a value that is not finite.
    void setValue(double x);

    const QString &text() const { return m_text; }
    // Text as typed; an equal text changes nothing and fires nothing.
    void setText(const QString &text);

    // The value in the field's display format, as shown without focus.
    QString displayText() const;
    // Another display format (the basis field follows its table's unit);
    // the view shows it at once, no handler runs.
    void setDisplayFormat(const NumberFormat &format);

    const RegionalSettings &settings() const { return m_settings; }

private:
    void assign(QString text, double value, bool canonical, std::int64_t cents);

    const NumberFormat *m_format;
    const RegionalSettings &m_settings;
    QString m_text;
    double m_value = 0;
    // When the text was written from a value, its cents: a later write of the
    // same cents is then known to give the same text without building it.
    bool m_canonical = true;
    std::int64_t m_cents = 0;
};

// A plain text field, or a label's caption.
class TextField : public Field
{
public:
    using Field::Field;

    const QString &text() const { return m_text; }
    void setText(const QString &text)
    {
        if (text == m_text)
            return;
        m_text = text;
        changed();
    }
    // The text as the concatenation of parts, built only when it differs:
    // labels and captions rewritten by every calculation mostly stay the same.
    void setText(std::initializer_list<QStringView> parts);

private:
    QString m_text;
};

// A pure selection list: its value is the index of the selected item, -1 for none.
class ChoiceField : public Field
{
public:
    ChoiceField(const char *name, Access access, QStringList items = {}, int index = -1);

    const QStringList &items() const { return m_items; }
    int index() const { return m_index; }
    // The text shown in the list's box; empty without a selection.
    QString currentText() const;

    // Replaces the items and selects an index, by program: fires no handler.
    void setItems(const QStringList &items, int index);
    // Selects by program: fires no handler. An index outside the items selects nothing.
    void setIndex(int index);
    // Selects as the user does: a change of the selection fires the handler.
    void select(int index);

private:
    int validIndex(int index) const;

    QStringList m_items;
    int m_index = -1;
};

// A string grid showing a table; read-only.
class TableField : public Field
{
public:
    explicit TableField(const char *name)
        : Field(name, Access::ReadOnly), m_table(std::make_shared<const TextTable>())
    {
    }

    const TextTable &table() const { return *m_table; }
    const SharedTable &shared() const { return m_table; }
    void setTable(SharedTable table)
    {
        if (table == m_table)
            return;
        m_table = std::move(table);
        changed();
    }

private:
    SharedTable m_table;
};

} // namespace zolvaric
