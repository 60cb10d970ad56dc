#include "CalcHarness.h"
#include "RunTests.h"

#include "calc/TableCatalog.h"
#include "calc/TableReader.h"
#include "calc/TableStore.h"

#include "base/Error.h"
#include "base/NumberText.h"

#include <QDateTime>

using namespace zolvaric;

namespace {

// The official tables as published, kept beside the tests.
QList<QStringList> referenceTable(int paragraph)
{
    QFile file(QStringLiteral(ZOLVARIC_TEST_DATA "/hoai-tables/P%1.csv").arg(paragraph));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing reference table %d", paragraph);
    QList<QStringList> rows;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (!trimmed.isEmpty())
            rows << QString::fromLatin1(trimmed).split(QLatin1Char(';'));
    }
    return rows;
}

const QStringList kFeeHeader = {"Kosten",       "Zone 1 - von", "Zone 1 - bis", "Zone 2 - von",
                                "Zone 2 - bis", "Zone 3 - von", "Zone 3 - bis", "Zone 4 - von",
                                "Zone 4 - bis", "Zone 5 - von", "Zone 5 - bis"};

} // namespace

class TableTest : public QObject
{
    Q_OBJECT

    const RegionalSettings m_german = RegionalSettings::german();

private slots:
    void everyFeeTableHoldsTheOfficialValues_data()
    {
        QTest::addColumn<int>("paragraph");
        QTest::addColumn<int>("rows");
        for (const auto &[paragraph, rows] : {std::pair{16, 29},
                                              {17, 19},
                                              {65, 33},
                                              {74, 30},
                                              {34, 29},
                                              {39, 19},
                                              {50, 33},
                                              {54, 30},
                                              {35, 20},
                                              {40, 20},
                                              {44, 20},
                                              {48, 20},
                                              {52, 20},
                                              {56, 20}})
            QTest::newRow(qPrintable(QStringLiteral("§ %1").arg(paragraph))) << paragraph << rows;
    }
    void everyFeeTableHoldsTheOfficialValues()
    {
        QFETCH(int, paragraph);
        QFETCH(int, rows);
        const TableInfo *info = feeTableForParagraph(paragraph);
        QVERIFY(info);
        TableStore store(m_german, QStringLiteral("/nonexistent/"));
        const SharedTable table = store.load(*info);
        const QList<QStringList> reference = referenceTable(paragraph);

        QCOMPARE(table->rowCount(), rows + 1);
        QCOMPARE(table->columnCount(), 11);
        QCOMPARE(reference.size(), rows + 1);
        for (int c = 0; c < 11; ++c)
            QCOMPARE(table->cell(0, c), kFeeHeader[c]);
        for (int r = 1; r <= rows; ++r) {
            for (int c = 0; c < 11; ++c) {
                if (table->cell(r, c) != reference[r][c])
                    QFAIL(qPrintable(QStringLiteral("row %1, column %2: %3 instead of %4")
                                         .arg(r)
                                         .arg(c)
                                         .arg(table->cell(r, c), reference[r][c])));
                QCOMPARE(table->number(r, c), reference[r][c].toDouble());
            }
        }
    }

    // What every fee table of the regulation satisfies; a typing error in a
    // table text breaks one of these.
    void feeTablesAreConsistent()
    {
        TableStore store(m_german, QStringLiteral("/nonexistent/"));
        // The law's three-zone tables: technical equipment, town and landscape
        // planning, the environmental study and the Bauakustik.
        const QStringList threeZoneTables = {"§ 54", "§ 56", "§ 74",         "§ 20",
                                             "§ 21", "§ 28", "§ 29",         "§ 30",
                                             "§ 31", "§ 32", "Anlage 1.1.2", "Anlage 1.2.4"};
        for (const FeeTableInfo &entry : feeTables()) {
            const SharedTable t = store.load(entry.table);
            const QString name = tableReference(entry);
            const int lastColumn = threeZoneTables.contains(name) ? 6 : 10;
            const auto number = [&](int r, int c) {
                return c == 0 && entry.keysInEitherNotation
                           ? tryParseFloatEitherNotation(t->cell(r, c)).value_or(-1)
                           : t->number(r, c);
            };
            for (int r = 1; r < t->rowCount(); ++r) {
                for (int c = 2; c < lastColumn; c += 2)
                    QCOMPARE(number(r, c), number(r, c + 1));
                for (int c = lastColumn + 1; c <= 10; ++c)
                    QCOMPARE(number(r, c), 0.0);
                if (r == 1)
                    continue;
                // The law's own § 21 table starts with the same fee at 0.5 and 1 ha.
                const bool flatStep = name == QStringLiteral("§ 21") && r == 2;
                for (int c = 0; c <= lastColumn; ++c) {
                    if (flatStep && c == 1) {
                        QCOMPARE(number(r, c), number(r - 1, c));
                        continue;
                    }
                    QVERIFY2(
                        number(r, c) > number(r - 1, c),
                        qPrintable(QStringLiteral("%1 row %2 column %3").arg(name).arg(r).arg(c)));
                }
            }
        }
    }

    void workPhaseTables_data()
    {
        QTest::addColumn<int>("edition");
        QTest::addColumn<QStringList>("kinds");
        QTest::addColumn<QList<QList<int>>>("shares");
        QTest::addColumn<QList<int>>("paragraphs");
        const QList<QList<int>> shares2013 = {
            {2, 7, 15, 3, 25, 10, 4, 32, 2},  {2, 7, 15, 2, 30, 7, 3, 32, 2},
            {3, 10, 16, 4, 25, 7, 3, 30, 2},  {2, 20, 25, 5, 15, 13, 4, 15, 1},
            {2, 20, 25, 8, 15, 10, 4, 15, 1}, {3, 10, 15, 30, 40, 2, 0, 0, 0},
            {2, 9, 17, 2, 22, 7, 5, 35, 1}};
        const QList<QList<int>> shares2009 = {{3, 7, 14, 2, 30, 7, 3, 31, 3},
                                              {3, 10, 15, 6, 24, 7, 3, 29, 3},
                                              {3, 7, 11, 6, 25, 10, 4, 31, 3},
                                              {3, 11, 15, 6, 18, 6, 5, 33, 3},
                                              {3, 10, 12, 30, 42, 3, 0, 0, 0}};
        const QStringList kinds2009 = {"Ausbauten", "Freianlagen", "Gebäude", "Techn. Ausrüstung",
                                       "Tragwerksplanung"};
        QTest::newRow("2013") << 2013 << QStringList{"Gebäude",          "Innenräume",
                                                     "Freianlagen",      "Ingenieurbauwerke",
                                                     "Verkehrsanlagen",  "Tragwerksplanung",
                                                     "Techn. Ausrüstung"}
                              << shares2013 << QList<int>{35, 35, 40, 44, 48, 52, 56};
        QTest::newRow("2009") << 2009 << kinds2009 << shares2009 << QList<int>{34, 39, 34, 54, 50};
        QTest::newRow("2002") << 2002 << kinds2009 << shares2009 << QList<int>{16, 17, 16, 74, 65};
    }
    void workPhaseTables()
    {
        QFETCH(int, edition);
        QFETCH(QStringList, kinds);
        QFETCH(QList<QList<int>>, shares);
        QFETCH(QList<int>, paragraphs);
        TableStore store(m_german, QStringLiteral("/nonexistent/"));
        const SharedTable t = store.load(*workPhaseTable(edition));
        QCOMPARE(t->rowCount(), 11);
        QCOMPARE(t->columnCount(), kinds.size() + 1);
        QCOMPARE(t->cell(0, 0), QStringLiteral("LP"));
        QCOMPARE(t->cell(10, 0), QStringLiteral("Paragraph"));
        for (int k = 0; k < kinds.size(); ++k) {
            QCOMPARE(t->cell(0, k + 1), kinds[k]);
            QCOMPARE(t->number(10, k + 1), double(paragraphs[k]));
            int sum = 0;
            for (int n = 1; n <= 9; ++n) {
                QCOMPARE(t->cell(n, 0), QString::number(n));
                QCOMPARE(t->number(n, k + 1), double(shares[k][n - 1]));
                sum += shares[k][n - 1];
            }
            QCOMPARE(sum, 100);
        }
    }

    void reader_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::newRow("CR LF") << QByteArray("a;b\r\nc;d\r\n")
                               << QList<QStringList>{{"a", "b"}, {"c", "d"}};
        QTest::newRow("lone LF and CR, no end")
            << QByteArray("a;b\nc;d\re;f")
            << QList<QStringList>{{"a", "b"}, {"c", "d"}, {"e", "f"}};
        QTest::newRow("quoted semicolon")
            << QByteArray("x;\"1;5\"\r\n") << QList<QStringList>{{"x", "1;5"}};
        QTest::newRow("doubled quote")
            << QByteArray("\"say \"\"hi\"\"\";2\r\n") << QList<QStringList>{{"say \"hi\"", "2"}};
        QTest::newRow("quote inside a field stays")
            << QByteArray("a\"b;c\r\n") << QList<QStringList>{{"a\"b;c", ""}};
        QTest::newRow("empty fields") << QByteArray(";;\r\n") << QList<QStringList>{{"", "", ""}};
        QTest::newRow("blank lines skipped") << QByteArray("a;b\r\n\r\n  \r\nc;d\r\n\r\n")
                                             << QList<QStringList>{{"a", "b"}, {"c", "d"}};
        QTest::newRow("short lines padded")
            << QByteArray("a;b;c\r\nd\r\n") << QList<QStringList>{{"a", "b", "c"}, {"d", "", ""}};
        QTest::newRow("at least two columns")
            << QByteArray("a\r\n") << QList<QStringList>{{"a", ""}};
        QTest::newRow("Windows-1252") << QByteArray("Geb\xE4ude;Ausr\xFCstung\r\n")
                                      << QList<QStringList>{{"Gebäude", "Ausrüstung"}};
        QTest::newRow("UTF-8 with byte-order mark")
            << QByteArray("\xEF\xBB\xBFGeb\xC3\xA4ude;1\r\n")
            << QList<QStringList>{{"Gebäude", "1"}};
    }
    void reader()
    {
        QFETCH(QByteArray, text);
        QFETCH(QList<QStringList>, rows);
        const TextTable table = readTable(text, m_german);
        QCOMPARE(table.rowCount(), rows.size());
        for (int r = 0; r < rows.size(); ++r) {
            QCOMPARE(table.columnCount(), rows[r].size());
            for (int c = 0; c < rows[r].size(); ++c)
                QCOMPARE(table.cell(r, c), rows[r][c]);
        }
        QCOMPARE(table.cell(static_cast<int>(rows.size()), 0), QString());
        QCOMPARE(table.number(-1, 0), -1.0);
    }

    void quotedCellReadsAsMinusOne()
    {
        const TextTable table = readTable("Kosten;\"1;5\";2,5\r\n", m_german);
        QCOMPARE(table.cell(0, 1), QStringLiteral("1;5"));
        QCOMPARE(table.number(0, 1), -1.0);
        QCOMPARE(table.number(0, 2), 2.5);
        QCOMPARE(table.number(0, 0), -1.0);
    }

    // Same size and time (cp -p, unpackers): still read again.
    void overrideFileReplacesTheEmbeddedTableAndIsRereadWhenChanged()
    {
        CalcHarness h;
        TableStore &store = h.calculation->tables();
        const TableInfo &info = *feeTableForParagraph(40);
        const SharedTable embedded = store.load(info);
        QCOMPARE(store.load(info), embedded); // parsed once

        const QString name = QStringLiteral("HOAI2013/40_freianlagen.csv");
        const QByteArray header = "Kosten;a;b;c;d;e;f;g;h;i;j\r\n";
        h.writeOverride(name, header + "1;2;2;2;2;2;2;2;2;2;2\r\n");
        const SharedTable first = store.load(info);
        QCOMPARE(first->cell(1, 1), QStringLiteral("2"));
        QCOMPARE(store.load(info), first); // unchanged bytes: the same table
        const QString path = h.programFolder.filePath(name);
        const QDateTime modified = QFileInfo(path).lastModified();
        h.writeOverride(name, header + "1;1;2;2;2;2;2;2;2;2;2\r\n");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
        file.close();
        QCOMPARE(store.load(info)->cell(1, 1), QStringLiteral("1"));

        h.removeOverride(name);
        QCOMPARE(store.load(info), embedded);
    }

    // An office's table that lacks a cell the calculation reads is refused
    // with its place, instead of computing with -1.
    void brokenOverrideTableIsNamed_data()
    {
        QTest::addColumn<int>("paragraph"); // 0: the work-phase table
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("place");
        const QByteArray header = "Kosten;a;b;c;d;e;f;g;h;i;j\r\n";
        const QByteArray row = "1000;1;2;3;4;5;6;7;8;9;10\r\n";
        QTest::newRow("missing columns") << 40 << header + row + "2000;1;2;3;4;5;6;7\r\n"
                                         << "Zeile 3, Spalte 9: Der Wert fehlt.";
        QTest::newRow("text cell") << 40 << header + row + "2000;1;2;3;vier;5;6;7;8;9;10\r\n"
                                   << "Zeile 3, Spalte 5: 'vier' ist keine Zahl.";
        QTest::newRow("blank line counts for the place")
            << 40 << header + "\r\n" + row + "x;1;2;3;4;5;6;7;8;9;10\r\n"
            << "Zeile 4, Spalte 1: 'x' ist keine Zahl.";
        QTest::newRow("keys not rising") << 40 << header + row + "500;1;2;3;4;5;6;7;8;9;10\r\n"
                                         << "Zeile 3, Spalte 1: Die Kosten sind nicht größer";
        QTest::newRow("header only") << 40 << header << "keine Zeile mit Werten";
        QTest::newRow("share is text")
            << 0
            << workPhaseTableText({{"Sonderbau", {1, 1, 1, 1, 1, 1, 1, 1, 1}, "34"}})
                   .replace("\r\n5;1", "\r\n5;x")
            << "Zeile 6, Spalte 2: 'x' ist keine Zahl.";
        QTest::newRow("paragraph no integer")
            << 0 << workPhaseTableText({{"Sonderbau", {1, 1, 1, 1, 1, 1, 1, 1, 1}, "3,5"}})
            << "Zeile 11, Spalte 2: '3,5' ist keine ganze Zahl.";
        // Misleading values: keys with thousands points read in either
        // notation, negative shares and fees, a "bis" below its "von".
        QTest::newRow("thousands point in a key")
            << 20 << QByteArray("Flaeche;a;b;c;d;e;f;g;h;i;j\r\n1.000;1;2;3;4;5;6;0;0;0;0\r\n")
            << "Zeile 2, Spalte 1: '1.000' ist nicht eindeutig";
        QTest::newRow("negative share")
            << 0 << workPhaseTableText({{"Sonderbau", {1, 1, 1, -1, 1, 1, 1, 1, 1}, "34"}})
            << "Zeile 5, Spalte 2: '-1' ist negativ.";
        QTest::newRow("negative fee") << 40 << header + row + "2000;1;2;3;4;5;6;-7;8;9;10\r\n"
                                      << "Zeile 3, Spalte 8: '-7' ist negativ.";
        QTest::newRow("fee that would overflow")
            << 40 << header + row + "2000;1;2;3;4;5;6;7;8;9;1e308\r\n"
            << "Zeile 3, Spalte 11: '1e308' ist zu groß.";
        QTest::newRow("bis below von") << 40 << header + row + "2000;1;2;3;4;6;5;7;8;9;10\r\n"
                                       << "Zeile 3, Spalte 7: Der Bis-Wert ist kleiner";
        QTest::newRow("rows missing")
            << 0 << QByteArray("LP;A\r\nParagraph;34\r\n") << "Sie hat 2 statt 11 Zeilen";
    }
    void brokenOverrideTableIsNamed()
    {
        QFETCH(int, paragraph);
        QFETCH(QByteArray, text);
        QFETCH(QString, place);
        CalcHarness h;
        const TableInfo &info =
            paragraph ? *feeTableForParagraph(paragraph) : *workPhaseTable(2009);
        h.writeOverride(QLatin1String(info.overrideFile), text);
        try {
            h.calculation->tables().load(info);
            QFAIL("a broken table was accepted");
        } catch (const Error &error) {
            QVERIFY2(error.message().contains(place), qPrintable(error.message()));
            QVERIFY2(error.message().contains(
                         QDir::toNativeSeparators(QLatin1String(info.overrideFile))),
                     qPrintable(error.message()));
        }
    }

    void embeddedTextsEndWithCrLf()
    {
        for (const FeeTableInfo &entry : feeTables())
            QVERIFY(TableStore::embeddedText(entry.table).endsWith("\r\n"));
        for (int edition : {2013, 2009, 2002}) {
            const QByteArray text = TableStore::embeddedText(*workPhaseTable(edition));
            QVERIFY(text.endsWith("\r\n"));
            QVERIFY(text.contains("Geb\xE4ude")); // Windows-1252, as the table files are
        }
    }
};

ZOLVARIC_TEST_RUNNER(TableTest)

#include "TableTest.moc"
