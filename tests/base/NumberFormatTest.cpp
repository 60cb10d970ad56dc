#include "RunTests.h"

#include "base/CurrencyText.h"
#include "base/NumberFormat.h"
#include "base/RegionalSettings.h"

using namespace zolvaric;

Q_DECLARE_METATYPE(zolvaric::RegionalSettings)

namespace {

// A US-style setting: $1,234.56 and ($1,234.56).
RegionalSettings usSettings()
{
    RegionalSettings s;
    s.decimalSeparator = QLatin1Char('.');
    s.thousandsSeparator = QStringLiteral(",");
    s.currencySymbol = QStringLiteral("$");
    s.currencyPlacement = RegionalSettings::CurrencyPlacement::Before;
    s.negativeCurrencyPattern = 0;
    return s;
}

// A Swiss-style setting whose currency sign holds a format character.
RegionalSettings swissSettings()
{
    RegionalSettings s;
    s.decimalSeparator = QLatin1Char('.');
    s.thousandsSeparator = QStringLiteral("'");
    s.currencySymbol = QStringLiteral("Fr.");
    s.currencyPlacement = RegionalSettings::CurrencyPlacement::BeforeWithBlank;
    s.negativeCurrencyPattern = 12;
    return s;
}

} // namespace

class NumberFormatTest : public QObject
{
    Q_OBJECT

private slots:
    void amountAndPercent_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        const QString amount = QStringLiteral(",0..00 €;-,0.00 €");
        const QString percent = QStringLiteral("#,#0.#0%;-#,#0.#0%");
        QTest::newRow("amount") << amount << 1234.5 << "1.234,50 €";
        QTest::newRow("amount grouping") << amount << 12345.6 << "12.345,60 €";
        QTest::newRow("amount millions") << amount << 1234567.891 << "1.234.567,89 €";
        QTest::newRow("amount negative") << amount << -7.5 << "-7,50 €";
        QTest::newRow("amount zero") << amount << 0.0 << "0,00 €";
        QTest::newRow("amount below one") << amount << 0.5 << "0,50 €";
        QTest::newRow("amount rounds half up") << amount << 0.125 << "0,13 €";
        QTest::newRow("negative rounding to zero") << amount << -0.001 << "0,00 €";
        QTest::newRow("percent") << percent << 19.0 << "19,00%";
        QTest::newRow("percent fraction") << percent << 3.5 << "3,50%";
        QTest::newRow("percent zero") << percent << 0.0 << "0,00%";
        QTest::newRow("percent grouping") << percent << 1234.5 << "1.234,50%";
        QTest::newRow("percent negative") << percent << -2.5 << "-2,50%";
        QTest::newRow("optional decimals") << "0.##" << 2.5 << "2,5";
        QTest::newRow("optional decimals none") << "0.##" << 2.0 << "2";
        QTest::newRow("minimum digits") << "00000" << 42.0 << "00042";
        QTest::newRow("no decimals rounds") << "0" << 2.5 << "3";
        QTest::newRow("one section negative") << "#,##0.00" << -1234.5 << "-1.234,50";
        QTest::newRow("quoted literal") << "0 'Fr.';-0 \"a,b\"" << -3.0 << "-3 a,b";
        QTest::newRow("literal prefix") << "EUR 0.00" << 1.0 << "EUR 1,00";
    }
    void amountAndPercent()
    {
        QFETCH(QString, pattern);
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(NumberFormat(pattern).format(value, RegionalSettings::german()), expected);
    }

    void builtInFormats()
    {
        const RegionalSettings german = RegionalSettings::german();
        QCOMPARE(NumberFormat::amount().format(1234.5, german), QStringLiteral("1.234,50 €"));
        QCOMPARE(NumberFormat::percent().format(19, german), QStringLiteral("19,00%"));
    }

    void currencyPattern_data()
    {
        QTest::addColumn<RegionalSettings>("settings");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("positive");
        QTest::addColumn<QString>("negative");
        QTest::newRow("German") << RegionalSettings::german() << ",0.00 €;-,0.00 €"
                                << "1.234,56 €"
                                << "-1.234,56 €";
        QTest::newRow("US") << usSettings() << "$,0.00;-$,0.00"
                            << "$1,234.56"
                            << "-$1,234.56";
        QTest::newRow("sign with a point is quoted")
            << swissSettings() << "\"Fr.\" ,0.00;-\"Fr.\" ,0.00"
            << "Fr. 1'234.56"
            << "-Fr. 1'234.56";
        RegionalSettings noDecimals = RegionalSettings::german();
        noDecimals.currencyDecimals = 0;
        QTest::newRow("no currency decimals") << noDecimals << ",0. €;-,0. €"
                                              << "1.235 €"
                                              << "-1.235 €";
    }
    void currencyPattern()
    {
        QFETCH(RegionalSettings, settings);
        QFETCH(QString, pattern);
        QFETCH(QString, positive);
        QFETCH(QString, negative);
        QCOMPARE(NumberFormat::currencyPattern(settings), pattern);
        const NumberFormat format(pattern);
        QCOMPARE(format.format(1234.56, settings), positive);
        QCOMPARE(format.format(-1234.56, settings), negative);
    }

    void currencyText_data()
    {
        QTest::addColumn<RegionalSettings>("settings");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        const RegionalSettings german = RegionalSettings::german();
        QTest::newRow("millions") << german << 1234567.89 << "1.234.567,89 €";
        QTest::newRow("negative") << german << -1234.56 << "-1.234,56 €";
        QTest::newRow("zero") << german << 0.0 << "0,00 €";
        QTest::newRow("whole") << german << 16859.0 << "16.859,00 €";
        QTest::newRow("interpolated fee") << german << 19803.000000000004 << "19.803,00 €";
        QTest::newRow("twelve significant digits")
            << german << 123456789012.345 << "123.456.789.012,00 €";
        QTest::newRow("US negative in parentheses") << usSettings() << -1234.56 << "($1,234.56)";
        QTest::newRow("US positive") << usSettings() << 0.5 << "$0.50";
        QTest::newRow("Swiss negative") << swissSettings() << -1234.56 << "Fr. -1'234.56";
        RegionalSettings noDecimals = german;
        noDecimals.currencyDecimals = 0;
        QTest::newRow("always two decimals") << noDecimals << 1.5 << "1,50 €";
    }
    void currencyText()
    {
        QFETCH(RegionalSettings, settings);
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(formatCurrency(value, settings), expected);
    }

    // On German settings the amount, costs and trace forms print alike, with
    // a plain blank before the euro sign.
    void germanFormsAgree()
    {
        const RegionalSettings german = RegionalSettings::german();
        const QString expected = QStringLiteral("1.234,56 \u20AC");
        QCOMPARE(NumberFormat::amount().format(1234.56, german), expected);
        QCOMPARE(NumberFormat(NumberFormat::currencyPattern(german)).format(1234.56, german),
                 expected);
        QCOMPARE(formatCurrency(1234.56, german), expected);
        QVERIFY(!expected.contains(QChar(0x00A0)));
    }

    void settingsFromLocale_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<RegionalSettings>("expected");
        QTest::newRow("C means German") << QLocale::c() << RegionalSettings::german();
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany)
                                << RegionalSettings::german();
        QTest::newRow("US") << QLocale(QLocale::English, QLocale::UnitedStates) << usSettings();
    }
    void settingsFromLocale()
    {
        QFETCH(QLocale, locale);
        QFETCH(RegionalSettings, expected);
        const RegionalSettings actual = RegionalSettings::fromLocale(locale);
        QCOMPARE(actual.decimalSeparator, expected.decimalSeparator);
        QCOMPARE(actual.thousandsSeparator, expected.thousandsSeparator);
        QCOMPARE(actual.currencySymbol, expected.currencySymbol);
        QCOMPARE(actual.currencyPlacement, expected.currencyPlacement);
        QCOMPARE(actual.negativeCurrencyPattern, expected.negativeCurrencyPattern);
        QCOMPARE(actual.currencyDecimals, expected.currencyDecimals);
    }

    void settingsFromJapaneseLocaleHaveNoCurrencyDecimals()
    {
        const RegionalSettings japan =
            RegionalSettings::fromLocale(QLocale(QLocale::Japanese, QLocale::Japan));
        QCOMPARE(japan.currencyDecimals, 0);
        QCOMPARE(japan.currencyPlacement, RegionalSettings::CurrencyPlacement::Before);
    }
};

ZOLVARIC_TEST_RUNNER(NumberFormatTest)

#include "NumberFormatTest.moc"
