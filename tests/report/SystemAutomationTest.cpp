#include "RunTests.h"

#include "report/SystemAutomation.h"

using namespace zolvaric;

// The system's automation servers through the automation interface. On
// Windows (and under Wine) the scripting runtime's Dictionary stands in for
// Word: the same late binding, every kind of argument and result.
class SystemAutomationTest : public QObject
{
    Q_OBJECT

private slots:
    void unregisteredServerIsNone()
    {
        QCOMPARE(createSystemObject(QStringLiteral("Zolvaric.GibtEsNicht")), nullptr);
    }

    void dictionaryThroughLateBinding()
    {
#ifndef Q_OS_WIN
        QCOMPARE(createSystemObject(QStringLiteral("Scripting.Dictionary")), nullptr);
        QSKIP("COM servers exist on Windows only");
#else
        const AutomationObjectPtr dictionary =
            createSystemObject(QStringLiteral("Scripting.Dictionary"));
        QVERIFY(dictionary);
        // A property put, read back (the dictionary takes it while empty).
        dictionary->setProperty(QStringLiteral("CompareMode"), 1);
        QCOMPARE(dictionary->getProperty(QStringLiteral("CompareMode")), QVariant(1));
        // Positional and named arguments, texts, numbers and truth values.
        dictionary->invoke(QStringLiteral("Add"),
                           {{QString(), QStringLiteral("Köln")}, {QString(), 50667}});
        dictionary->invoke(
            QStringLiteral("add"),
            {{QStringLiteral("Item"), true}, {QStringLiteral("Key"), QStringLiteral("Bonn")}});
        QCOMPARE(dictionary->getProperty(QStringLiteral("Count")), QVariant(2));
        QCOMPARE(
            dictionary->invoke(QStringLiteral("Exists"), {{QString(), QStringLiteral("Köln")}}),
            QVariant(true));
        QCOMPARE(dictionary->invoke(QStringLiteral("Item"), {{QString(), QStringLiteral("Köln")}}),
                 QVariant(50667));
        QCOMPARE(dictionary->invoke(QStringLiteral("Item"), {{QString(), QStringLiteral("Bonn")}}),
                 QVariant(true));
        // Objects both ways: one handed in comes back as an object.
        const AutomationObjectPtr inner =
            createSystemObject(QStringLiteral("Scripting.Dictionary"));
        inner->invoke(QStringLiteral("Add"), {{QString(), 1}, {QString(), 2.5}});
        dictionary->invoke(QStringLiteral("Add"), {{QString(), QStringLiteral("innen")},
                                                   {QString(), QVariant::fromValue(inner)}});
        const QVariant back =
            dictionary->invoke(QStringLiteral("Item"), {{QString(), QStringLiteral("innen")}});
        QVERIFY(back.value<AutomationObjectPtr>());
        QCOMPARE(
            back.value<AutomationObjectPtr>()->invoke(QStringLiteral("Item"), {{QString(), 1}}),
            QVariant(2.5));
        // Failures come as AutomationError with a reason: an unknown member,
        // and the server's own refusal of a key it has.
        QVERIFY_THROWS_EXCEPTION(AutomationError, dictionary->invoke(QStringLiteral("Gibtsnicht")));
        try {
            dictionary->invoke(QStringLiteral("Add"),
                               {{QString(), QStringLiteral("Bonn")}, {QString(), 1}});
            QFAIL("a key twice was taken");
        } catch (const AutomationError &error) {
            QVERIFY2(error.message().startsWith(QStringLiteral("\"Add\": ")),
                     qPrintable(error.message()));
        }
#endif
    }
};

ZOLVARIC_TEST_RUNNER(SystemAutomationTest)

#include "SystemAutomationTest.moc"
