#include "MsgBoxRecorder.h"
#include "TestEnv.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTest>
#include <basAllgemein.h>
#include <optional>

using testsupport::MsgBoxRecorder;

class TestAllgemein final : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void formatZahl_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        for (const QString& locale : {QStringLiteral("de_DE"), QStringLiteral("en_US")}) {
            const bool de = locale == QLatin1String("de_DE");
            const auto row = [&](const char* name) -> QTestData& {
                return QTest::addRow("%s %s", qPrintable(locale), name);
            };
            row("100") << locale << 100.0 << "100";
            row("12.5") << locale << 12.5 << (de ? "12,50" : "12.50");
            row("0.004") << locale << 0.004 << "0";
            row("99.999") << locale << 99.999 << "100";
            row("-5") << locale << -5.0 << "-5";
            row("-0.004") << locale << -0.004 << "0";
            row("1234.5 without grouping") << locale << 1234.5 << (de ? "1234,50" : "1234.50");
            row("0.125") << locale << 0.125 << (de ? "0,13" : "0.13");
            row("2500") << locale << 2500.0 << "2500";
        }
    }

    void formatZahl()
    {
        QFETCH(QString, locale);
        QFETCH(double, value);
        QFETCH(QString, expected);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(basAllgemein::FormatZahl(value), expected);
    }

    // Locales whose own digits or minus sign are not ASCII: the pattern "0.00" keeps ASCII digits and
    // "-", and takes only the decimal separator from the locale.
    void formatZahlOtherDigits_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        const QString arabicSeparator = QStringLiteral("\u066B");
        for (const QString& locale : {QStringLiteral("ar_EG"), QStringLiteral("fa_IR")}) {
            const auto row = [&](const char* name) -> QTestData& {
                return QTest::addRow("%s %s", qPrintable(locale), name);
            };
            row("100") << locale << 100.0 << "100";
            row("12.5") << locale << 12.5 << "12" + arabicSeparator + "50";
            row("-5") << locale << -5.0 << "-5";
            row("-0.004") << locale << -0.004 << "0";
            row("1234.5") << locale << 1234.5 << "1234" + arabicSeparator + "50";
        }
        QTest::newRow("sv_SE -5") << "sv_SE" << -5.0 << "-5";
        QTest::newRow("sv_SE -12.5") << "sv_SE" << -12.5 << "-12,50";
        QTest::newRow("sv_SE 1234.5") << "sv_SE" << 1234.5 << "1234,50";
    }

    void formatZahlOtherDigits()
    {
        QFETCH(QString, locale);
        QFETCH(double, value);
        QFETCH(QString, expected);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(basAllgemein::FormatZahl(value), expected);
    }

    void dateiLoeschen_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("deletedBefore");
        QTest::addColumn<bool>("error");
        QTest::addColumn<bool>("deleted");
        QTest::addColumn<bool>("fileStays");
        QTest::addColumn<QString>("reason");

        QTest::newRow("Yes") << "file" << int(platform::vbYes) << false << false << true << false
                             << QString();
        QTest::newRow("No") << "file" << int(platform::vbNo) << true << false << false << true << QString();
        QTest::newRow("Yes, file missing")
            << "missing" << int(platform::vbYes) << false << true << false << false << "gibt es nicht";
        QTest::newRow("Yes, file missing, flag kept")
            << "missing" << int(platform::vbYes) << true << true << true << false << "gibt es nicht";
        QTest::newRow("Yes, read-only folder")
            << "read-only" << int(platform::vbYes) << false << true << false << true << "schreibgeschützt";
        QTest::newRow("Yes, a folder")
            << "folder" << int(platform::vbYes) << false << true << false << true << "Ordner";
    }

    void dateiLoeschen()
    {
        QFETCH(QString, situation);
        QFETCH(int, answer);
        QFETCH(bool, deletedBefore);
        QFETCH(bool, error);
        QFETCH(bool, deleted);
        QFETCH(bool, fileStays);
        QFETCH(QString, reason);

        const testsupport::PublicTempDir temp;
        const QString folder = temp.path() + QStringLiteral("/Bibliothek");
        const QString file = folder + QStringLiteral("/Plan A3.dwt");
        if (situation == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(file));
        else if (situation != QLatin1String("missing"))
            QVERIFY(testsupport::writeFile(file, "0\nSECTION\n"));
        else
            QVERIFY(QDir().mkpath(folder));
        if (situation == QLatin1String("read-only"))
            QVERIFY(testsupport::makeReadOnly(folder));

        MsgBoxRecorder boxes;
        boxes.expect(platform::MsgBoxResult(answer),
                     QStringLiteral("Datei: ") + file + QStringLiteral(" wirklich löschen?"));
        if (error)
            boxes.expect(platform::vbOK, reason);
        bool flag = deletedBefore;
        bool failed = false;
        {
            std::optional<testsupport::AsUnprivileged> user;
            if (situation == QLatin1String("read-only"))
                user.emplace();
            failed = basAllgemein::DateiLoeschen(file, flag);
        }
        QVERIFY(boxes.scriptDone());
        QCOMPARE(boxes.boxes().first().style, int(platform::vbQuestion | platform::vbYesNo));
        QCOMPARE(failed, error);
        QCOMPARE(flag, deleted);
        QCOMPARE(QFileInfo::exists(file), fileStays);
        if (error) {
            QVERIFY(boxes.boxes().last().text.contains(file));
            QCOMPARE(boxes.boxes().last().icon(), int(platform::vbExclamation));
        }
    }
};

QTEST_GUILESS_MAIN(TestAllgemein)
#include "tst_allgemein.moc"
