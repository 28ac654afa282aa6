#include "MsgBoxRecorder.h"
#include "TestEnv.h"
#include "ThrowingHost.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <acad/Error.h>
#include <basDatenbank.h>
#include <platform/FamilyKeyStore.h>
#include <platform/ProgramFolder.h>

using namespace basDatenbank;
using testsupport::MsgBoxRecorder;

namespace {

const QString kKey = QStringLiteral("SOFTWARE\\Velmora\\Kvarto 2.1");

const char* const kSchema = R"(
CREATE TABLE Typen (TypenId, typ, Verzeichnis, Info);
CREATE TABLE Bloecke (blockId, TypenId, VorlagenId, block, Bezeichnung, EinfPunktX, EinfPunktY, EinfPunktZ,
                      FaktorX, FaktorY, FaktorZ, Drehung, Layer);
)";

// A CAD host that gives a template folder, or fails to.
class PrefHost final : public testsupport::ThrowingHost
{
public:
    explicit PrefHost(QString folder, bool fails = false) : m_folder(std::move(folder)), m_fails(fails) {}
    QString templatePath() override
    {
        if (m_fails)
            throw acad::Error(QStringLiteral("Die Verbindung zu AutoCAD ist unterbrochen."));
        return m_folder;
    }

private:
    QString m_folder;
    bool m_fails;
};

QString bibliothek(const QString& typ)
{
    return platform::programFolder() + QStringLiteral("/Bibliothek/") + typ;
}

} // namespace

class TestDatenbank final : public QObject
{
    Q_OBJECT

private:
    QString m_folder;
    Definitions m_definitions;

    QString dbPath() const { return m_folder + QStringLiteral("/Def.mdb"); }

    // Builds the database file from SQL statements and names it in "DefDB".
    void makeDatabase(const QString& sql, const QString& path = QString())
    {
        const QString file = path.isEmpty() ? dbPath() : path;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("setup"));
            db.setDatabaseName(file);
            QVERIFY(db.open());
            const QStringList statements = (QString::fromLatin1(kSchema) + sql).split(QLatin1Char(';'));
            for (const QString& statement : statements) {
                if (statement.trimmed().isEmpty())
                    continue;
                QSqlQuery q(db);
                QVERIFY2(q.exec(statement),
                         qPrintable(q.lastError().text() + QStringLiteral(": ") + statement));
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("setup"));
        useDefDB(file);
    }

    void useDefDB(const QString& file)
    {
        QVERIFY(platform::createFamilyKey(kKey));
        platform::writeFamilyValue(kKey, QStringLiteral("DefDB"), file);
    }

private slots:
    void init()
    {
        m_folder = QDir::homePath() + QStringLiteral("/db");
        testsupport::removeTree(m_folder);
        QVERIFY(QDir().mkpath(m_folder));
        testsupport::removeTree(platform::familyKeyFolder() + QStringLiteral("/Velmora"));
        m_definitions = Definitions();
    }

    void cleanup() { QVERIFY(!QSqlDatabase::contains(kDefDBConnection)); }

    void sampleDatabase()
    {
        MsgBoxRecorder boxes;
        m_definitions.LoadTypen(nullptr); // no DefDB: the program folder's Kvarto.mdb
        m_definitions.LoadBloecke();
        QCOMPARE(m_definitions.gTypen.Count(), 4);
        QCOMPARE(m_definitions.gTypen.Item(QStringLiteral("1"))->typ, QStringLiteral("Vorlagen"));
        QCOMPARE(m_definitions.gTypen.Item(QStringLiteral("1"))->Verzeichnis,
                 bibliothek(QStringLiteral("Vorlagen")));
        QVERIFY(QFileInfo(m_definitions.gTypen.Item(QStringLiteral("1"))->Verzeichnis).isDir());
        for (const QString& key : {QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("7")})
            QVERIFY(m_definitions.gTypen.Item(key));
        QVERIFY(m_definitions.gBloecke.Count() >= 3);
        QSet<qint32> kinds;
        for (const auto& block : m_definitions.gBloecke.items()) {
            QVERIFY(!block->Bezeichnung.isEmpty());
            QCOMPARE(m_definitions.gBloecke.Item(QString::number(block->blockId)), block);
            kinds.insert(block->TypenId);
        }
        QCOMPARE(kinds, (QSet<qint32>{2, 4, 7}));
    }

    void folderRule_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("host"); // "none", "folder", "empty", "fails"
        QTest::addColumn<QString>("expected");
        const QString cad = QStringLiteral("/cad/Vorlagen");
        const QString own = bibliothek(QStringLiteral("Vorlagen"));
        QTest::newRow("type 1, no host") << "(1,'Vorlagen','','')"
                                         << "none" << own;
        QTest::newRow("type 1, host folder") << "(1,'Vorlagen','','')"
                                             << "folder" << cad;
        QTest::newRow("type 1, host without folder") << "(1,'Vorlagen','','')"
                                                     << "empty" << own;
        QTest::newRow("type 1, host fails") << "(1,'Vorlagen','','')"
                                            << "fails" << own;
        QTest::newRow("type 1, null folder, host") << "(1,'Vorlagen',NULL,'')"
                                                   << "folder" << cad;
        QTest::newRow("type 1, own folder") << "(1,'Vorlagen','/srv/vorlagen','')"
                                            << "folder"
                                            << "/srv/vorlagen";
        QTest::newRow("type 2 never asks the host")
            << "(2,'Schriftfelder','','')"
            << "folder" << bibliothek(QStringLiteral("Schriftfelder"));
        QTest::newRow("type 2, null folder") << "(2,'Schriftfelder',NULL,NULL)"
                                             << "none" << bibliothek(QStringLiteral("Schriftfelder"));
    }

    void folderRule()
    {
        QFETCH(QString, row);
        QFETCH(QString, host);
        QFETCH(QString, expected);
        makeDatabase(QStringLiteral("INSERT INTO Typen VALUES ") + row);
        PrefHost cad(host == QLatin1String("empty") ? QString() : QStringLiteral("/cad/Vorlagen"),
                     host == QLatin1String("fails"));
        MsgBoxRecorder boxes;
        m_definitions.LoadTypen(host == QLatin1String("none") ? nullptr : &cad);
        QCOMPARE(m_definitions.gTypen.Count(), 1);
        QCOMPARE(m_definitions.gTypen.Item(1)->Verzeichnis, expected);
    }

    void reloadTakesTheHostFolder()
    {
        makeDatabase(QStringLiteral("INSERT INTO Typen VALUES (1,'Vorlagen','','')"));
        MsgBoxRecorder boxes;
        m_definitions.LoadTypen(nullptr);
        QCOMPARE(m_definitions.gTypen.Item(QStringLiteral("1"))->Verzeichnis,
                 bibliothek(QStringLiteral("Vorlagen")));
        PrefHost cad(QStringLiteral("/cad/Vorlagen"));
        m_definitions.LoadTypen(&cad);
        QCOMPARE(m_definitions.gTypen.Count(), 1);
        QCOMPARE(m_definitions.gTypen.Item(QStringLiteral("1"))->Verzeichnis,
                 QStringLiteral("/cad/Vorlagen"));
    }

    void brokenColumns()
    {
        makeDatabase(QStringLiteral(
            "INSERT INTO Typen VALUES (NULL, NULL, NULL, NULL);"
            "INSERT INTO Typen VALUES ('4', 'Nordpfeile', 'abc', 7);"
            "INSERT INTO Bloecke VALUES (1, 2, 3, 'SF', NULL, 1.5, 2.5, 0, 'x', 2, 3, 90, NULL);"
            "INSERT INTO Bloecke VALUES ('zwei', 4, 99999999999, 'NP', 'Nordpfeil', NULL, 1, 1, 1, 1, 1, 0, "
            "'L');"
            "INSERT INTO Bloecke VALUES (3.5, 7, 1, 'LG', 'Legende', 0, 0, 0, 1, 1, 1, 0, 'L')"));
        MsgBoxRecorder boxes;
        boxes.expect(platform::vbOK, QStringLiteral("Schlüssel")); // key 0 twice in Bloecke
        m_definitions.LoadTypen(nullptr);
        m_definitions.LoadBloecke();

        QCOMPARE(m_definitions.gTypen.Count(), 2);
        const auto nulls = m_definitions.gTypen.Item(QStringLiteral("0"));
        QVERIFY(nulls);
        QCOMPARE(nulls->typ, QString());
        QCOMPARE(nulls->Verzeichnis, platform::programFolder() + QStringLiteral("/Bibliothek"));
        const auto textKey = m_definitions.gTypen.Item(QStringLiteral("4"));
        QVERIFY(textKey);
        QCOMPARE(textKey->Verzeichnis, QStringLiteral("abc"));
        QCOMPARE(textKey->Info, QStringLiteral("7"));

        // A null name leaves it empty, a text in a number column leaves the number alone; the other
        // columns are still read.
        const auto sf = m_definitions.gBloecke.Item(QStringLiteral("1"));
        QVERIFY(sf);
        QCOMPARE(sf->Bezeichnung, QString());
        QCOMPARE(sf->FaktorX, 0.0);
        QCOMPARE(sf->FaktorY, 2.0);
        QCOMPARE(sf->Drehung, 90.0);
        QCOMPARE(sf->EinfPunktY, 2.5);
        QCOMPARE(sf->Layer, QString());
        const auto np = m_definitions.gBloecke.Item(QStringLiteral("0")); // blockId "zwei" does not convert
        QVERIFY(np);
        QCOMPARE(np->VorlagenId, 0); // does not fit 32 bits
        QCOMPARE(np->Bezeichnung, QStringLiteral("Nordpfeil"));
        // 3.5 is not a whole number either: the row keeps blockId 0, a key that is taken.
        QCOMPARE(m_definitions.gBloecke.Count(), 2);
        QVERIFY(boxes.scriptDone());
        QCOMPARE(boxes.boxes().first().icon(), int(platform::vbCritical));
    }

    void duplicateKeys_data()
    {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("message");
        QTest::newRow("one duplicate") << "(5,2,0,'A','erste'),(5,2,0,'B','zweite'),(6,4,0,'C','dritte')"
                                       << QStringList{"5", "6"} << "\"5\"";
        QTest::newRow("two duplicates")
            << "(5,2,0,'A','erste'),(5,2,0,'B','zweite'),(5,2,0,'C','dritte'),(8,7,0,'D','')"
            << QStringList{"5", "8"} << "2 Zeilen";
    }

    void duplicateKeys()
    {
        QFETCH(QString, rows);
        QFETCH(QStringList, keys);
        QFETCH(QString, message);
        makeDatabase(
            QStringLiteral("INSERT INTO Bloecke (blockId, TypenId, VorlagenId, block, Bezeichnung) VALUES ") +
            rows);
        MsgBoxRecorder boxes;
        boxes.expect(platform::vbOK, message);
        m_definitions.LoadBloecke();
        QVERIFY(boxes.scriptDone());
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.boxes().first().icon(), int(platform::vbCritical));
        QStringList loaded;
        for (const auto& block : m_definitions.gBloecke.items())
            loaded.append(QString::number(block->blockId));
        QCOMPARE(loaded, keys);
        // The first row of a key wins; the skipped rows do not replace it.
        QCOMPARE(m_definitions.gBloecke.Item(QStringLiteral("5"))->Bezeichnung, QStringLiteral("erste"));
    }

    void emptyBloecke()
    {
        makeDatabase(QString());
        m_definitions.gBloecke.Add(std::make_shared<CBlock>(), QStringLiteral("1"));
        MsgBoxRecorder boxes;
        m_definitions.LoadBloecke();
        QCOMPARE(m_definitions.gBloecke.Count(), 0);
    }

    void unusableFiles_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: no file at all
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QStringList>("reason");

        QTest::newRow("missing file") << QByteArray() << false << QStringList{"wurde nicht gefunden"};
        QTest::newRow("text file") << QByteArray("TypenId;typ\n1;Vorlagen\n") << false
                                   << QStringList{"keine SQLite-Datenbank"};
        QByteArray jet("\0\x01\0\0Standard Jet DB\0", 20);
        jet.append(2048, '\0');
        QTest::newRow("Jet database")
            << jet << false << QStringList{"Access-Datenbank (Jet)", "mdb-schema", "mdb-export", "sqlite3"};
        // SQLite takes an empty file for an empty database: it opens, and the query fails.
        QTest::newRow("empty file") << QByteArray("") << true << QStringList{"no such table"};
    }

    void unusableFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, opens);
        QFETCH(QStringList, reason);
        const QString file = m_folder + QStringLiteral("/Kvarto alt.mdb");
        if (!content.isNull())
            QVERIFY(testsupport::writeFile(file, content));
        useDefDB(file);
        m_definitions.gTypen.Add(1, QStringLiteral("Vorlagen"), QStringLiteral("/alt"), QString(),
                                 QStringLiteral("1"));

        for (const QString& table : {QStringLiteral("Typen"), QStringLiteral("Bloecke")}) {
            MsgBoxRecorder boxes;
            if (!opens)
                boxes.expect(platform::vbOK, QStringLiteral("Fehler beim Öffnen der Def-Datenbank!"));
            boxes.expect(platform::vbOK, file);
            if (table == QLatin1String("Typen"))
                m_definitions.LoadTypen(nullptr);
            else
                m_definitions.LoadBloecke();
            QVERIFY(boxes.scriptDone());
            const auto& shown = boxes.boxes();
            if (!opens) {
                QCOMPARE(shown.first().text, QStringLiteral("Fehler beim Öffnen der Def-Datenbank!"));
                QCOMPARE(shown.first().icon(), int(platform::vbCritical));
            }
            QCOMPARE(shown.last().icon(), 0);
            for (const QString& part : reason)
                QVERIFY2(shown.last().text.contains(part), qPrintable(shown.last().text));
            // Neither created nor changed.
            QCOMPARE(QFileInfo::exists(file), !content.isNull());
            if (!content.isNull())
                QCOMPARE(QFileInfo(file).size(), qint64(content.size()));
        }
        // The types loaded before stay.
        QCOMPARE(m_definitions.gTypen.Count(), 1);
        QCOMPARE(m_definitions.gTypen.Item(1)->Verzeichnis, QStringLiteral("/alt"));
    }

    void damagedPage_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("rows");
        const QString numbers = QStringLiteral(
            " WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5000) ");
        const QString padding = QStringLiteral("printf('%.80c', 'x')");
        QTest::newRow("Bloecke") << "Bloecke"
                                 << "INSERT INTO Bloecke (blockId, TypenId, VorlagenId, block, Bezeichnung)" +
                                        numbers + "SELECT i, 2, 0, 'B' || i, " + padding + " FROM n";
        QTest::newRow("Typen") << "Typen"
                               << "INSERT INTO Typen (TypenId, typ, Verzeichnis, Info)" + numbers +
                                      "SELECT i, 'T' || i, '', " + padding + " FROM n";
    }

    // A damaged page ends the reading of the rows early; that must not pass for the end of the table.
    void damagedPage()
    {
        QFETCH(QString, table);
        QFETCH(QString, rows);
        makeDatabase(rows);
        QFile file(dbPath());
        QVERIFY(file.open(QIODevice::ReadWrite));
        const qint64 middle = file.size() / 2 / 4096 * 4096;
        QVERIFY(middle > 16 * 1024);
        QVERIFY(file.seek(middle));
        QCOMPARE(file.write(QByteArray(16 * 1024, '\xA5')), qint64(16 * 1024));
        file.close();

        // What an earlier load brought stays.
        m_definitions.gTypen.Add(1, QStringLiteral("Vorlagen"), QStringLiteral("/alt"), QString(), QStringLiteral("1"));
        m_definitions.gBloecke.Add(std::make_shared<CBlock>(), QStringLiteral("0"));
        MsgBoxRecorder boxes;
        boxes.expect(platform::vbOK, dbPath());
        table == QLatin1String("Typen") ? m_definitions.LoadTypen(nullptr) : m_definitions.LoadBloecke();
        QVERIFY(boxes.scriptDone());
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.boxes().first().icon(), 0);
        QVERIFY2(boxes.boxes().first().text.contains(QStringLiteral("beschädigt")),
                 qPrintable(boxes.boxes().first().text));
        QCOMPARE(m_definitions.gTypen.Count(), 1);
        QCOMPARE(m_definitions.gTypen.Item(1)->Verzeichnis, QStringLiteral("/alt"));
        QCOMPARE(m_definitions.gBloecke.Count(), 1);
    }

    void getAcadPrefPfad()
    {
        QCOMPARE(GetAcadPrefPfad(nullptr), QString());
        PrefHost cad(QStringLiteral("/cad/Vorlagen"));
        QCOMPARE(GetAcadPrefPfad(&cad), QStringLiteral("/cad/Vorlagen"));
        PrefHost broken(QStringLiteral("/x"), true);
        QCOMPARE(GetAcadPrefPfad(&broken), QString());
    }

    void writeFoldersBack()
    {
        makeDatabase(
            QStringLiteral("INSERT INTO Typen VALUES (1,'Vorlagen','',''),(2,'Schriftfelder','','')"));
        MsgBoxRecorder boxes;
        m_definitions.LoadTypen(nullptr);
        m_definitions.gTypen.Item(QStringLiteral("1"))->Verzeichnis = QStringLiteral("/neu/Vorlagen");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("write"));
            db.setDatabaseName(dbPath());
            QVERIFY(db.open());
            m_definitions.gTypen.WriteToDatabase(db);
            QSqlQuery q(QStringLiteral("SELECT Verzeichnis FROM Typen ORDER BY TypenId"), db);
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toString(), QStringLiteral("/neu/Vorlagen"));
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toString(), bibliothek(QStringLiteral("Schriftfelder")));
            q.finish();

            db.close();
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
            QVERIFY(db.open());
            boxes.expect(platform::vbOK, QStringLiteral("Speicherung der Verzeichnisse nicht möglich!"));
            QVERIFY(m_definitions.gTypen.Item(1)->WriteToDatabase(db));
            QCOMPARE(boxes.boxes().last().icon(), int(platform::vbExclamation));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("write"));
    }

    void collections()
    {
        CTypen typen;
        const auto a = typen.Add(1, QStringLiteral("Vorlagen"), QString(), QString(), QStringLiteral("1"));
        typen.AddTyp(std::make_shared<CTyp>(), QString()); // without a key
        QCOMPARE(typen.Count(), 2);
        QCOMPARE(typen.Item(QStringLiteral("1")), a);
        QVERIFY(!typen.Item(QStringLiteral("9")));
        QVERIFY(!typen.Item(3));
        QVERIFY_THROWS_EXCEPTION(settings::Error,
                                 typen.Add(2, QString(), QString(), QString(), QStringLiteral("1")));
        QCOMPARE(typen.Count(), 2);
        typen.Remove(QStringLiteral("1"));
        QCOMPARE(typen.Count(), 1);
        QVERIFY(!typen.Contains(QStringLiteral("1")));

        CBloecke bloecke;
        const auto b =
            bloecke.Add(QStringLiteral("Schriftfeld"), 1, 2, 3, 90, 7, 8, 9, 2, QStringLiteral("SF"), 10, 11,
                        12, QStringLiteral("L"), QStringLiteral("7"));
        QCOMPARE(b->FaktorZ, 3.0);
        QCOMPARE(b->objId, 8);
        QCOMPARE(b->EinfPunktZ, 12.0);
        QCOMPARE(bloecke.Item(1), b);
        bloecke.Remove(1);
        QCOMPARE(bloecke.Count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestDatenbank)
#include "tst_datenbank.moc"
