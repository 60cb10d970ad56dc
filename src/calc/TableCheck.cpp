#include "TableCheck.h"

#include "base/Error.h"
#include "base/NumberText.h"
#include "base/RegionalSettings.h"

#include <QDir>
#include <QRegularExpression>

namespace zolvaric {

namespace {

constexpr int kFeeColumns = 11;    // key, then von/bis of five zones
constexpr int kWorkPhaseRows = 11; // header, LP1 to LP9, paragraph
constexpr int kParagraphRow = 10;

class Checker
{
public:
    Checker(const TextTable &table, const QString &file, const RegionalSettings &settings)
        : m_table(table), m_file(file), m_settings(settings)
    {
    }

    [[noreturn]] void fail(const QString &what) const
    {
        throw Error(QStringLiteral("Die Tabellendatei \"%1\" ist fehlerhaft: %2 Bitte prüfen Sie "
                                   "die Tabellendatei.")
                        .arg(QDir::toNativeSeparators(m_file), what));
    }

    [[noreturn]] void failAt(int row, int column, const QString &what) const
    {
        fail(QStringLiteral("Zeile %1, Spalte %2: %3")
                 .arg(m_table.lineOf(row))
                 .arg(column + 1)
                 .arg(what));
    }

    void checkFilled(int row, int column) const
    {
        if (m_table.cell(row, column).trimmed().isEmpty())
            failAt(row, column, QStringLiteral("Der Wert fehlt."));
    }

    double number(int row, int column) const
    {
        checkFilled(row, column);
        const QString &text = m_table.cell(row, column);
        const auto value = tryParseFloat(text, m_settings.decimalSeparator);
        if (!value)
            failAt(row, column, QStringLiteral("'%1' ist keine Zahl.").arg(text));
        return *value;
    }

    // A number the table may not hold below zero: fees, shares, keys.
    double amount(int row, int column) const
    {
        const double value = number(row, column);
        if (value < 0)
            failAt(row, column, QStringLiteral("'%1' ist negativ.").arg(m_table.cell(row, column)));
        // Far beyond any fee: the calculation's products would overflow.
        if (value > 1e12)
            failAt(row, column, QStringLiteral("'%1' ist zu groß.").arg(m_table.cell(row, column)));
        return value;
    }

    double key(int row, bool eitherNotation) const
    {
        if (!eitherNotation)
            return amount(row, 0);
        checkFilled(row, 0);
        const QString &text = m_table.cell(row, 0);
        // "1.000" is 1000 to a German reader and 1 to the reading that
        // accepts the law's "0.5": refused rather than read one way.
        static const QRegularExpression grouped(
            QStringLiteral("^\\s*-?[0-9]{1,3}([.,][0-9]{3})+\\s*$"));
        if (grouped.match(text).hasMatch())
            failAt(row, 0,
                   QStringLiteral("'%1' ist nicht eindeutig: Tafelwerte stehen ohne "
                                  "Tausendertrennzeichen (1000), Dezimalstellen mit Komma oder "
                                  "Punkt (0,5).")
                       .arg(text));
        const auto value = tryParseFloatEitherNotation(text);
        if (!value)
            failAt(row, 0, QStringLiteral("'%1' ist keine Zahl.").arg(text));
        if (*value < 0)
            failAt(row, 0, QStringLiteral("'%1' ist negativ.").arg(text));
        return *value;
    }

    void integer(int row, int column) const
    {
        checkFilled(row, column);
        const QString &text = m_table.cell(row, column);
        if (!tryParseInt(text))
            failAt(row, column, QStringLiteral("'%1' ist keine ganze Zahl.").arg(text));
    }

private:
    const TextTable &m_table;
    const QString &m_file;
    const RegionalSettings &m_settings;
};

void checkFeeTable(const TextTable &table, const Checker &check, bool eitherNotation)
{
    if (table.rowCount() < 2)
        check.fail(QStringLiteral("Sie enthält unter der Kopfzeile keine Zeile mit Werten."));
    double previousKey = 0;
    for (int row = 1; row < table.rowCount(); ++row) {
        const double key = check.key(row, eitherNotation);
        if (row > 1 && key <= previousKey)
            check.failAt(
                row, 0,
                eitherNotation
                    ? QStringLiteral("Der Wert ist nicht größer als in der Zeile davor.")
                    : QStringLiteral("Die Kosten sind nicht größer als in der Zeile davor."));
        previousKey = key;
        // Each zone's "von" fee, then its "bis" fee, never below it.
        for (int column = 1; column < kFeeColumns; column += 2) {
            const double from = check.amount(row, column);
            const double to = check.amount(row, column + 1);
            if (to < from)
                check.failAt(row, column + 1,
                             QStringLiteral("Der Bis-Wert ist kleiner als der Von-Wert davor."));
        }
    }
}

void checkWorkPhaseTable(const TextTable &table, const Checker &check)
{
    if (table.rowCount() < kWorkPhaseRows)
        check.fail(QStringLiteral("Sie hat %1 statt %2 Zeilen (Kopfzeile, LP 1 bis 9, "
                                  "Paragraph).")
                       .arg(table.rowCount())
                       .arg(kWorkPhaseRows));
    for (int column = 1; column < table.columnCount(); ++column) {
        check.checkFilled(0, column);
        for (int row = 1; row < kParagraphRow; ++row)
            check.amount(row, column);
        check.integer(kParagraphRow, column);
    }
}

} // namespace

void checkOverrideTable(const TextTable &table, TableKind kind, const QString &file,
                        const RegionalSettings &settings)
{
    const Checker check(table, file, settings);
    if (kind == TableKind::WorkPhases)
        checkWorkPhaseTable(table, check);
    else
        checkFeeTable(table, check, kind == TableKind::FeeKeysInEitherNotation);
}

} // namespace zolvaric
