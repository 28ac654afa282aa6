#include "MsgBoxRecorder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <basDatenbank.h>
#include <chm_lib.h>
#include <platform/ProgramFolder.h>

// The sample product folder that the build lays out beside the programs.
class TestProduct final : public QObject
{
    Q_OBJECT

private:
    static QString product(const QString& relative)
    {
        return platform::joinPath(platform::programFolder(), relative);
    }

private slots:
    void definitionDatabaseIsSQLite()
    {
        QCOMPARE(basDatenbank::checkDefDBFile(product(QStringLiteral("Kvarto.mdb"))), QString());
    }

    void everyTypeHasItsLibraryFolder()
    {
        testsupport::MsgBoxRecorder boxes;
        basDatenbank::Definitions definitions;
        definitions.LoadTypen(nullptr);
        QCOMPARE(definitions.gTypen.Count(), 4);
        QCOMPARE(definitions.gTypen.Item(QStringLiteral("1"))->typ, QStringLiteral("Vorlagen"));
        for (const auto& typ : definitions.gTypen.items())
            QVERIFY2(QFileInfo(typ->Verzeichnis).isDir(), qPrintable(typ->Verzeichnis));
    }

    void helpTopics_data()
    {
        QTest::addColumn<QString>("topic");
        QTest::newRow("contents") << "Kvarto_1";
        QTest::newRow("maker") << "Kvarto_17";
        QTest::newRow("overview") << "Kvarto_32";
    }

    void helpTopics()
    {
        QFETCH(QString, topic);
        const QByteArray file = QFile::encodeName(product(QStringLiteral("Help/Kvarto.chm")));
        chmFile* chm = chm_open(file.constData());
        QVERIFY2(chm, file.constData());
        chmUnitInfo unit;
        const QByteArray page = "/" + topic.toLatin1() + ".htm";
        const bool found = chm_resolve_object(chm, page.constData(), &unit) == CHM_RESOLVE_SUCCESS;
        QByteArray text(found ? qsizetype(unit.length) : 0, '\0');
        if (found)
            chm_retrieve_object(chm, &unit, reinterpret_cast<unsigned char*>(text.data()), 0, unit.length);
        chm_close(chm);
        QVERIFY2(found, page.constData());
        QVERIFY(QString::fromUtf8(text).contains(QStringLiteral("lang=\"de\"")));
        QVERIFY(text.contains("Blattwart"));
    }

    void menuSource()
    {
        QFile mns(product(QStringLiteral("Support/Kvarto.mns")));
        QVERIFY(mns.open(QIODevice::ReadOnly | QIODevice::Text));
        const QString text = QString::fromUtf8(mns.readAll());
        QVERIFY(text.contains(QStringLiteral("***MENUGROUP=KV+\n")));
        QCOMPARE(text.count(QStringLiteral("***POP")), 1);
        QVERIFY(text.contains(QStringLiteral("[KV&+]")));
    }
};

QTEST_GUILESS_MAIN(TestProduct)
#include "tst_product.moc"
