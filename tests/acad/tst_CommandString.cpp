#include <QTest>
#include <acad/CommandString.h>
#include <acad/Error.h>

// A value is data: every character that the command line would act on refuses the whole string, and
// the message shows the name so that a user can find the object.
class TestCommandString final : public QObject
{
    Q_OBJECT

private slots:
    void values_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("shown"); // empty: the value is taken

        QTest::newRow("umlauts, blanks, semicolon") << QStringLiteral("Übersicht; Blatt 2") << QString();
        QTest::newRow("path") << QStringLiteral("/daten/Bibliothek/A3 quer.dwt") << QString();
        QTest::newRow("return") << QStringLiteral("EG\r_saveas") << QStringLiteral("EG<CR>_saveas");
        QTest::newRow("line feed") << QStringLiteral("EG\n_saveas") << QStringLiteral("EG<LF>_saveas");
        QTest::newRow("escape") << QStringLiteral("EG\x1b") << QStringLiteral("EG<ESC>");
        QTest::newRow("tab") << QStringLiteral("A\tB") << QStringLiteral("A<TAB>B");
        QTest::newRow("nul") << QString(QChar(0)) << QStringLiteral("<U+0000>");
        QTest::newRow("delete") << QStringLiteral("A\x7f") << QStringLiteral("A<DEL>");
        QTest::newRow("next line (C1)") << QStringLiteral("A\u0085B") << QStringLiteral("A<U+0085>B");
    }

    void values()
    {
        QFETCH(QString, value);
        QFETCH(QString, shown);
        try {
            const QString text = acad::CommandString(QStringLiteral("_layout"))
                                     .keyword(QStringLiteral("_set"))
                                     .value(value, QStringLiteral("Der Name des Layouts"))
                                     .text();
            QVERIFY2(shown.isEmpty(), "a control character was let through");
            QCOMPARE(text, QStringLiteral("_layout\r_set\r") + value + QLatin1Char('\r'));
        } catch (const acad::Error& e) {
            QVERIFY2(!shown.isEmpty(), qPrintable(e.description()));
            QCOMPARE(e.description(),
                     QStringLiteral("Der Name des Layouts \"%1\" enthält Steuerzeichen und wird "
                                    "nicht an AutoCAD gesendet!")
                         .arg(shown));
        }
    }
};

QTEST_GUILESS_MAIN(TestCommandString)
#include "tst_CommandString.moc"
