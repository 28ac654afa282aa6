// A layout's details as Blattwart shows them, read through a real cadhost on a private session bus
// from a drawing that another program (ezdxf) wrote.
#include "MsgBoxRecorder.h"
#include "PrivateBus.h"
#include "WindowTestSupport.h"

#include <QLabel>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>
#include <acad/BusConnector.h>
#include <acad/BusNames.h>
#include <acad/Host.h>
#include <explorer/controls/ListControl.h>
#include <explorer/controls/TreeControl.h>
#include <explorer/frmMain.h>
#include <startup/basMain.h>

namespace {

using Rows = QList<QStringList>; // caption, value, small icon

QString hostName()
{
    return acad::bus::busNameForProgId(acad::kAcadProgId);
}

bool writeWithEzdxf(const QString& path, QString* why)
{
    QProcess p;
    p.start(
        QStringLiteral("/usr/bin/python3"),
        {qEnvironmentVariable("BW_SOURCE_DIR") + QStringLiteral("/tests/startup/ezdxf_details.py"), path});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        *why = QStringLiteral("ezdxf konnte die Zeichnung nicht schreiben (Debian-Paket python3-ezdxf): ") +
               QString::fromLocal8Bit(p.readAllStandardError());
        return false;
    }
    return true;
}

} // namespace

class TestDetailsE2E : public QObject
{
    Q_OBJECT

private:
    PrivateBus bus;
    QTemporaryDir dir;
    QString drawing;
    std::unique_ptr<acad::BusConnector> connector;
    std::unique_ptr<testsupport::MsgBoxRecorder> boxes;
    std::unique_ptr<basMain::Program> program;

    explorer::ListControl& list() const { return *program->MainForm->lvListView(); }

    // A real mouse click on the tree item that shows text below parentText.
    void clickNode(const QString& text, const QString& parentText)
    {
        QTreeWidget* tree = program->MainForm->tvTreeView()->widget();
        QTreeWidgetItem* found = nullptr;
        for (QTreeWidgetItem* item : tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive)) {
            if (item->parent() && item->parent()->text(0) == parentText)
                found = item;
        }
        QVERIFY2(found, qPrintable(text));
        tree->scrollToItem(found);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(found).center());
    }

    Rows rows() const
    {
        Rows out;
        for (const QString& key : list().keys())
            out.append({list().text(key), list().subItem(key, 1), QString::number(list().smallIcon(key))});
        return out;
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QApplication::setQuitOnLastWindowClosed(false);
        drawing = dir.filePath(QStringLiteral("Bauvorhaben Süd.dxf"));
        QString why;
        QVERIFY2(writeWithEzdxf(drawing, &why), qPrintable(why));
        QVERIFY2(bus.start(), qPrintable(bus.errorString()));
        connector = std::make_unique<acad::BusConnector>();
    }

    void init()
    {
        clearUserSettings();
        boxes = std::make_unique<testsupport::MsgBoxRecorder>();
        QVERIFY(bus.startHost());
        connector->attach(acad::kAcadProgId)->openDocument(drawing);
        program = std::make_unique<basMain::Program>(*connector);
        program->EndProgram = [] {};
        QVERIFY(program->Main());
        program->MainForm->ctlTimer()->stop();
        program->MainForm->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(program->MainForm.get()));
    }

    void cleanup()
    {
        if (program && program->MainForm)
            program->MainForm->close();
        program.reset();
        bus.stopHost();
        bus.killOwnerOf(hostName());
        QTRY_VERIFY(!bus.hasOwner(hostName()));
        QVERIFY2(!boxes->unexpected(), qPrintable(boxes->failures()));
        boxes.reset();
    }

    void layoutDetails_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<Rows>("expected");
        // Title block: the last one numbered above 0 wins (1, a definition of the sample database);
        // north arrow: a number no definition has shows the block's name.
        QTest::newRow("two named viewports, product blocks")
            << "Grundriss EG"
            << Rows{{"Layoutname", "Grundriss EG", "17"},
                    {"Plotter", "DWG To PDF.pc3", "17"},
                    {"Papierformat", "ISO full bleed A3 (420.00 x 297.00 MM)", "17"},
                    {"Papiergröße", "420,00 x 297,00 mm", "17"},
                    {"Ausrichtung", "Querformat", "17"},
                    {"Plotstiltabelle", "monochrome.ctb", "17"},
                    {"Plotbereich", "Fenster", "17"},
                    {"Stempelfeld", "Schriftfeld A4 hoch", "18"},
                    {"Nordpfeil", "KV_NP", "18"},
                    {"Legende", "Nicht vorhanden", "18"},
                    {"Ansichtsfenster 1", "Grundriss (1:100)", "19"},
                    {"Ansichtsfenster 2", "Detail Treppe (1:25)", "19"}};
        QTest::newRow("one viewport without product data, portrait paper")
            << "Lageplan"
            << Rows{{"Layoutname", "Lageplan", "17"},
                    {"Plotter", "DWG To PDF.pc3", "17"},
                    {"Papierformat", "ISO full bleed A4 (210.00 x 297.00 MM)", "17"},
                    {"Papiergröße", "297,00 x 210,00 mm", "17"},
                    {"Ausrichtung", "Hochformat", "17"},
                    {"Plotstiltabelle", "Kein", "17"},
                    {"Plotbereich", "Layout", "17"},
                    {"Stempelfeld", "Nicht vorhanden", "18"},
                    {"Nordpfeil", "Nicht vorhanden", "18"},
                    {"Legende", "Nicht vorhanden", "18"},
                    {"Ansichtsfenster", "Unbenannt (1:500)", "19"}};
    }

    void layoutDetails()
    {
        QFETCH(QString, layout);
        QFETCH(Rows, expected);
        clickNode(layout, QStringLiteral("Bauvorhaben Süd.dxf"));
        QCOMPARE(program->MainForm->lblTitle(1)->text(), QStringLiteral("Layout-Details:"));
        QCOMPARE(rows(), expected);
        QCOMPARE(boxes->count(), 0);
    }

    // The other layout's details replace the first's; back on the first its selected row is kept.
    void switchingLayoutsKeepsTheSelectedRow()
    {
        clickNode(QStringLiteral("Grundriss EG"), QStringLiteral("Bauvorhaben Süd.dxf"));
        list().setSelected(QStringLiteral("IPlotstil"), true);
        clickNode(QStringLiteral("Lageplan"), QStringLiteral("Bauvorhaben Süd.dxf"));
        QCOMPARE(list().count(), 11);
        QCOMPARE(list().selectedKey(), QStringLiteral("IPlotstil"));
        QCOMPARE(list().subItem(QStringLiteral("IPlotstil"), 1), QStringLiteral("Kein"));
    }
};

QTEST_MAIN(TestDetailsE2E)
#include "tst_DetailsE2E.moc"
