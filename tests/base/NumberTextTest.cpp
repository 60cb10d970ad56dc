#include "RunTests.h"

#include "base/DecimalNumber.h"
#include "base/Error.h"
#include "base/NumberText.h"

#include <QRandomGenerator>

#include <cmath>

using namespace zolvaric;

namespace {

RegionalSettings pointSettings()
{
    RegionalSettings s;
    s.decimalSeparator = QLatin1Char('.');
    s.thousandsSeparator = QStringLiteral(",");
    return s;
}

} // namespace

class NumberTextTest : public QObject
{
    Q_OBJECT

private slots:
    void generalFormat_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("german");
        QTest::addColumn<QString>("point");
        QTest::newRow("whole") << 250000.0 << "250000"
                               << "250000";
        QTest::newRow("fraction") << 12.5 << "12,5"
                                  << "12.5";
        QTest::newRow("negative") << -3.25 << "-3,25"
                                  << "-3.25";
        QTest::newRow("zero") << 0.0 << "0"
                              << "0";
        QTest::newRow("binary noise") << 0.1 + 0.2 << "0,3"
                                      << "0.3";
        QTest::newRow("cents") << 123456.79 << "123456,79"
                               << "123456.79";
        QTest::newRow("15 digits") << 999999999999999.0 << "999999999999999"
                                   << "999999999999999";
        QTest::newRow("1E15") << 1e15 << "1E15"
                              << "1E15";
        QTest::newRow("rounds up to 1E15") << 999999999999999.6 << "1E15"
                                           << "1E15";
        QTest::newRow("large with digits") << 1.25e20 << "1,25E20"
                                           << "1.25E20";
        QTest::newRow("smallest plain") << 0.00001 << "0,00001"
                                        << "0.00001";
        QTest::newRow("tiny") << 1.5e-6 << "1,5E-6"
                              << "1.5E-6";
    }
    void generalFormat()
    {
        QFETCH(double, value);
        QFETCH(QString, german);
        QFETCH(QString, point);
        QCOMPARE(formatGeneral(value, RegionalSettings::german()), german);
        QCOMPARE(formatGeneral(value, pointSettings()), point);
        // What is written reads back as the same number.
        QCOMPARE(parseFloat(german, RegionalSettings::german()), std::stod(point.toStdString()));
    }

    void parseFloatAccepts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("comma") << "1,5" << 1.5;
        QTest::newRow("blanks around") << "  2 " << 2.0;
        QTest::newRow("plus") << "+3" << 3.0;
        QTest::newRow("minus") << "-0,5" << -0.5;
        QTest::newRow("no integer digits") << ",5" << 0.5;
        QTest::newRow("no fraction digits") << "5," << 5.0;
        QTest::newRow("exponent") << "1E3" << 1000.0;
        QTest::newRow("small exponent") << "1,5e-2" << 0.015;
        QTest::newRow("plus exponent") << "2e+2" << 200.0;
        QTest::newRow("leading zeros") << "007" << 7.0;
    }
    void parseFloatAccepts()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(parseFloat(text, RegionalSettings::german()), expected);
    }

    void parseFloatRejects_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("blank") << "  ";
        QTest::newRow("point on a German system") << "1.5";
        QTest::newRow("thousands separator") << "1.000,5";
        QTest::newRow("two separators") << "1,2,3";
        QTest::newRow("word") << "abc";
        QTest::newRow("unit") << "12 €";
        QTest::newRow("infinity") << "inf";
        QTest::newRow("not a number") << "nan";
        QTest::newRow("bare exponent") << "1e";
        QTest::newRow("out of range") << "1e400";
        QTest::newRow("sign apart") << "- 1";
        QTest::newRow("hexadecimal") << "0x10";
        QTest::newRow("sign only") << "-";
        QTest::newRow("separator only") << ",";
    }
    void parseFloatRejects()
    {
        QFETCH(QString, text);
        QVERIFY(!tryParseFloat(text, QLatin1Char(',')));
        try {
            parseFloat(text, RegionalSettings::german());
            QFAIL("no error");
        } catch (const Error &error) {
            QCOMPARE(error.message(),
                     QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(text));
        }
    }

    void parseInt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << "12" << true << 12;
        QTest::newRow("minus one") << "-1" << true << -1;
        QTest::newRow("plus") << "+3" << true << 3;
        QTest::newRow("leading blank") << " 7" << true << 7;
        QTest::newRow("smallest") << "-2147483648" << true << std::numeric_limits<int>::min();
        QTest::newRow("largest") << "2147483647" << true << 2147483647;
        QTest::newRow("too large") << "2147483648" << false << 0;
        QTest::newRow("decimal") << "1,0" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("trailing blank") << "1 " << false << 0;
        QTest::newRow("word") << "Paragraph" << false << 0;
        QTest::newRow("sign only") << "-" << false << 0;
    }
    void parseInt()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, expected);
        if (valid) {
            QCOMPARE(zolvaric::parseInt(text), expected);
            return;
        }
        QVERIFY(!tryParseInt(text));
        try {
            zolvaric::parseInt(text);
            QFAIL("no error");
        } catch (const Error &error) {
            QCOMPARE(error.message(),
                     QStringLiteral("'%1' ist kein gültiger Integerwert").arg(text));
        }
    }

    void cellToFloat_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("empty") << "" << -1.0;
        QTest::newRow("comma") << "2,5" << 2.5;
        QTest::newRow("point") << "2.5" << -1.0;
        QTest::newRow("header") << "Kosten" << -1.0;
        QTest::newRow("quoted semicolon") << "1;5" << -1.0;
        QTest::newRow("key") << "25000000" << 25000000.0;
    }
    void cellToFloat()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(CellToFloat(text, RegionalSettings::german()), expected);
    }

    void roundDecimals_data()
    {
        QTest::addColumn<int>("decimals");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expected");
        QTest::newRow("half up") << 2 << 0.125 << 0.13;
        QTest::newRow("half away from zero") << 2 << -0.125 << -0.13;
        QTest::newRow("VAT of the worked example") << 2 << 5040.0882 << 5040.09;
        QTest::newRow("2.675 is 267.5 after scaling") << 2 << 2.675 << 2.68;
        QTest::newRow("2.345") << 2 << 2.345 << 2.35;
        QTest::newRow("1.005 scales below 100.5") << 2 << 1.005 << 1.0;
        QTest::newRow("no decimals") << 0 << 2.5 << 3.0;
        QTest::newRow("zero") << 2 << 0.0 << 0.0;
    }
    void roundDecimals()
    {
        QFETCH(int, decimals);
        QFETCH(double, value);
        QFETCH(double, expected);
        QCOMPARE(RoundDecimals(decimals, value), expected);
    }

    void fieldNumber_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("readBack");
        QTest::newRow("half up") << 12.125 << "12,13" << 12.13;
        QTest::newRow("half away from zero") << -0.125 << "-0,13" << -0.13;
        QTest::newRow("2.675 rounds up") << 2.675 << "2,68" << 2.68;
        // Unlike RoundDecimals: 1.005 with 15 digits is exactly half a cent.
        QTest::newRow("1.005 rounds up") << 1.005 << "1,01" << 1.01;
        QTest::newRow("trailing zero dropped") << 12.5 << "12,5" << 12.5;
        QTest::newRow("whole") << 19.0 << "19" << 19.0;
        QTest::newRow("zero is empty") << 0.0 << "" << 0.0;
        QTest::newRow("below half a cent") << -0.004 << "" << 0.0;
        QTest::newRow("cents") << 0.05 << "0,05" << 0.05;
        QTest::newRow("large") << 123456789012.345 << "123456789012,35" << 123456789012.35;
        QTest::newRow("beyond the fast path")
            << 12345678901234.5 << "12345678901234,5" << 12345678901234.5;
        QTest::newRow("huge") << 1e20 << "100000000000000000000" << 1e20;
    }
    void fieldNumber()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QFETCH(double, readBack);
        const FieldNumber number = toFieldNumber(value, QLatin1Char(','));
        QCOMPARE(number.text, text);
        QCOMPARE(number.value, readBack);
        // The stored value is exactly what reading the text gives.
        QCOMPARE(number.value, tryParseFloat(text, QLatin1Char(',')).value_or(0.0));
    }

    void fieldNumberRejectsNonFinite()
    {
        QVERIFY_THROWS_EXCEPTION(Error, toFieldNumber(INFINITY, QLatin1Char(',')));
        QVERIFY_THROWS_EXCEPTION(Error, toFieldNumber(NAN, QLatin1Char(',')));
    }

    // The fast cents path must agree with rounding the 15-digit decimal.
    void fieldCentsAgreesWithDecimalRounding()
    {
        QRandomGenerator random(20261208);
        for (int i = 0; i < 200000; ++i) {
            double x;
            switch (i % 4) {
            case 0: // cents and half cents, where ties live
                x = static_cast<double>(random.bounded(2000000000)) / 200.0;
                break;
            case 1: // products as the calculation makes them
                x = static_cast<double>(random.bounded(100000000)) / 100.0 *
                    static_cast<double>(random.bounded(10000)) / 100.0;
                break;
            case 2:
                x = random.generateDouble() * std::pow(10.0, random.bounded(14));
                break;
            default:
                x = -static_cast<double>(random.bounded(1000000)) / 1000.0;
                break;
            }
            DecimalNumber reference = DecimalNumber::fromDouble(x, 15);
            reference.roundToDecimals(2);
            std::string digits =
                reference.integerDigits() + (reference.fractionDigits() + "00").substr(0, 2);
            const long long expected = (reference.negative ? -1 : 1) * std::stoll(digits);
            const auto cents = fieldCents(x);
            QVERIFY(cents.has_value());
            if (*cents != expected)
                QFAIL(qPrintable(QStringLiteral("%1: %2 instead of %3")
                                     .arg(x, 0, 'g', 17)
                                     .arg(*cents)
                                     .arg(expected)));
        }
    }
};

ZOLVARIC_TEST_RUNNER(NumberTextTest)

#include "NumberTextTest.moc"
