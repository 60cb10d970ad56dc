#include "RunTests.h"

#include "base/Error.h"
#include "base/NumberFormat.h"
#include "calc/CalculationSheet.h"

using namespace zolvaric;

// The field rules the nested calculations depend on.
class FieldTest : public QObject
{
    Q_OBJECT

    const RegionalSettings m_german = RegionalSettings::german();

private slots:
    void writtenValueReadsBackRounded_data()
    {
        QTest::addColumn<double>("written");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("read");
        QTest::addColumn<QString>("display");
        QTest::newRow("half up") << 12.125 << "12,13" << 12.13 << "12,13 €";
        QTest::newRow("half away from zero") << -0.125 << "-0,13" << -0.13 << "-0,13 €";
        QTest::newRow("zero is empty text") << 0.0 << "" << 0.0 << "0,00 €";
        QTest::newRow("no trailing zero") << 1234.5 << "1234,5" << 1234.5 << "1.234,50 €";
        QTest::newRow("interpolated fee")
            << 19803.000000000004 << "19803" << 19803.0 << "19.803,00 €";
    }
    void writtenValueReadsBackRounded()
    {
        QFETCH(double, written);
        QFETCH(QString, text);
        QFETCH(double, read);
        QFETCH(QString, display);
        NumericField field("edTest", Field::Access::Input, NumberFormat::amount(), m_german);
        field.setValue(written);
        QCOMPARE(field.text(), text);
        QCOMPARE(field.value(), read);
        QCOMPARE(field.displayText(), display);
    }

    void typedTextIsParsedOnRead_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("read");
        QTest::newRow("decimal comma") << "1,5" << 1.5;
        QTest::newRow("cleared") << "" << 0.0;
        QTest::newRow("unparsable") << "12a" << 0.0;
        QTest::newRow("point is no German separator") << "1.5" << 0.0;
        QTest::newRow("negative") << "-20" << -20.0;
    }
    void typedTextIsParsedOnRead()
    {
        QFETCH(QString, typed);
        QFETCH(double, read);
        NumericField field("edTest", Field::Access::Input, NumberFormat::percent(), m_german);
        field.setValue(7);
        field.setText(typed);
        QCOMPARE(field.text(), typed);
        QCOMPARE(field.value(), read);
    }

    void equalTextFiresNothing()
    {
        NumericField field("edLPSumme", Field::Access::ReadOnlyDisabled, NumberFormat::percent(),
                           m_german);
        int fired = 0;
        field.setChangeHandler([&fired] { ++fired; });
        field.setValue(100);
        field.setValue(100);
        QCOMPARE(fired, 1);
        field.setValue(100.001); // the same text after rounding
        QCOMPARE(fired, 1);
        field.setText(QStringLiteral("100"));
        QCOMPARE(fired, 1);
        field.setText(QStringLiteral("100,0")); // another text of the same value
        QCOMPARE(fired, 2);
        field.setValue(100); // back to the written form
        QCOMPARE(fired, 3);
        field.setValue(0);
        QCOMPARE(fired, 4);
        QCOMPARE(field.text(), QString());
    }

    void handlerSeesTheNewValue()
    {
        NumericField field("edKosten", Field::Access::Input, NumberFormat::amount(), m_german);
        double seen = -1;
        field.setChangeHandler([&] { seen = field.value(); });
        field.setValue(2.675);
        QCOMPARE(seen, 2.68);
    }

    void nonFiniteWriteIsAnError()
    {
        NumericField field("edTest", Field::Access::Input, NumberFormat::amount(), m_german);
        field.setValue(5);
        QVERIFY_THROWS_EXCEPTION(Error, field.setValue(std::numeric_limits<double>::infinity()));
        QCOMPARE(field.value(), 5.0);
    }

    void indexSetByProgramFiresNothing()
    {
        ChoiceField list("comboHonorarzone", Field::Access::Input,
                         {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, 0);
        int fired = 0;
        int shown = 0;
        list.setChangeHandler([&fired] { ++fired; });
        list.setViewObserver([&shown] { ++shown; });
        list.setIndex(2);
        QCOMPARE(list.index(), 2);
        QCOMPARE(list.currentText(), QStringLiteral("c"));
        QCOMPARE(fired, 0);
        QCOMPARE(shown, 1);

        list.select(1);
        QCOMPARE(fired, 1);
        list.select(1); // no change of selection
        QCOMPARE(fired, 1);

        list.setIndex(7); // outside the items: nothing selected
        QCOMPARE(list.index(), -1);
        QCOMPARE(list.currentText(), QString());
        QCOMPARE(fired, 1);

        list.setItems({QStringLiteral("x")}, 0);
        QCOMPARE(list.currentText(), QStringLiteral("x"));
        QCOMPARE(fired, 1);
    }

    void textFieldFiresOnlyOnChange()
    {
        TextField field("edProjektbez", Field::Access::Input);
        int fired = 0;
        field.setChangeHandler([&fired] { ++fired; });
        field.setText(QStringLiteral("Neubau"));
        field.setText(QStringLiteral("Neubau"));
        QCOMPARE(fired, 1);
    }

    void sheetStartsWithTheWindowsInitialValues()
    {
        const CalculationSheet sheet(m_german);
        QCOMPARE(sheet.comboHOAINorm.items(), (QStringList{"2021", "2013", "2009", "2002"}));
        QCOMPARE(sheet.comboHOAINorm.index(), 0);
        QCOMPARE(sheet.comboHonorarzone.items().last(), QStringLiteral("Honorarzone 5"));
        QCOMPARE(sheet.comboHonorarzone.index(), 0);
        QCOMPARE(sheet.comboHonorarsatz.currentText(), QStringLiteral("Mindest-/Basissatz (0%)"));
        QCOMPARE(sheet.comboHonorarsatz.items().first(), QStringLiteral("Höchstsatz (100%)"));
        QCOMPARE(sheet.edMwSt.value(), 19.0);
        QCOMPARE(sheet.edMwSt.displayText(), QStringLiteral("19,00%"));
        QCOMPARE(sheet.edKosten.text(), QString());
        QCOMPARE(sheet.edKosten.displayText(), QStringLiteral("0,00 €"));
        QCOMPARE(sheet.lbLP8Text.text(), QStringLiteral("LP8\tObjektüberwachung"));
        QCOMPARE(sheet.lbLP9Text.text(), QStringLiteral("LP9\tObjektbetreuung u. Dokumentation"));
        QCOMPARE(sheet.lbKosten.text(), QStringLiteral("Anrechenbare Kosten gem. HOAI / DIN 276"));
        for (const Field *field : sheet.allFields())
            QCOMPARE(sheet.field(QString::fromLatin1(field->name())), field);
    }
};

ZOLVARIC_TEST_RUNNER(FieldTest)

#include "FieldTest.moc"
