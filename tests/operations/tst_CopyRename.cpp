// Copying and renaming layouts through the real program and its actions, against the in-process CAD
// program: the dialogs are typed into as a user does, the label edits are ended with the keyboard.
#include "OperationsHarness.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <acad/Host.h>
#include <explorer/basViewControls.h>
#include <explorer/controls/ListControl.h>
#include <explorer/controls/TreeControl.h>
#include <explorer/frmMain.h>
#include <functional>
#include <operations/NameCountForm.h>

using explorer::Cmd;

namespace {

const QString kPlan = QStringLiteral("/p/Plan.dwg");
const QString kOther = QStringLiteral("/p/Andere.dwg");
const QString kTaken = QStringLiteral("Bezeichnung ist bereits vergeben!");
const QString kBadChars = QStringLiteral("Eingabe enthält ungültige Zeichen!");

QLineEdit* field(QWidget* form, const char* name)
{
    return form->findChild<QLineEdit*>(QString::fromUtf8(name));
}

QPushButton* button(QWidget* form, const char* name)
{
    return form->findChild<QPushButton*>(QString::fromUtf8(name));
}

} // namespace

class TestCopyRename : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<OperationsHarness> o;

    void withDialog(Cmd cmd, const std::function<void(NameCountForm*)>& act)
    {
        QVERIFY(withNameCountDialog(*o->window(), cmd, act));
    }
    void selectLayoutNode(const QString& layout)
    {
        o->select(o->nodeKey(layout, QStringLiteral("Plan.dwg")));
    }
    void selectInDrawing(const QStringList& items)
    {
        o->select(o->nodeKey(QStringLiteral("Plan.dwg")));
        o->selectItems(items);
    }
    QStringList treeLayouts() const
    {
        QStringList texts;
        const QString drawing = o->nodeKey(QStringLiteral("Plan.dwg"));
        for (const QString& key : o->tree()->childKeys(drawing))
            texts.append(o->tree()->text(key));
        return texts;
    }
    QStringList listTexts() const
    {
        QStringList texts;
        for (const QString& key : o->list()->keys())
            texts.append(o->list()->text(key));
        return texts;
    }
    QStringList recordNames() const
    {
        QStringList names;
        for (const CAcadobj& record : o->views().Layouts) {
            if (record.Gesamt.startsWith(kPlan + QLatin1Char(';')))
                names.append(record.Layout + QLatin1Char('=') + record.Gesamt.mid(kPlan.size() + 1));
        }
        return names;
    }
    void expectBoxes(const QStringList& texts)
    {
        for (const QString& text : texts)
            o->h.boxes.expect(platform::vbOK, text);
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init()
    {
        o = std::make_unique<OperationsHarness>();
        o->h.cad.open(kOther, {QStringLiteral("Layout1"), QStringLiteral("Ansicht")});
        o->h.cad.open(kPlan, {QStringLiteral("Layout1"), QStringLiteral("Layout2"), QStringLiteral("Plan1"),
                              QStringLiteral("Plan3")});
        QVERIFY(o->start());
    }
    void cleanup()
    {
        QVERIFY2(!o->h.boxes.unexpected(), qPrintable(o->h.boxes.failures()));
        QVERIFY(o->h.boxes.scriptDone());
        o.reset();
    }

    // --- the copy dialog

    void copyDialogOpens_data()
    {
        QTest::addColumn<bool>("fromTree");
        QTest::newRow("a layout node selected in the tree") << true;
        QTest::newRow("a drawing node, the layout chosen in the list") << false;
    }
    void copyDialogOpens()
    {
        QFETCH(bool, fromTree);
        if (fromTree)
            selectLayoutNode(QStringLiteral("Layout2"));
        else
            selectInDrawing({QStringLiteral("Layout2")});
        withDialog(Cmd::mnuEditCopy, [](NameCountForm* form) {
            QCOMPARE(form->windowTitle(), QStringLiteral("Layout kopieren"));
            QCOMPARE(field(form, "txtDokument")->text(), QStringLiteral("Plan.dwg"));
            QCOMPARE(field(form, "txtQuelle")->text(), QStringLiteral("Layout2"));
            QCOMPARE(field(form, "txtLayout")->text(), QStringLiteral("Kopie von Layout2"));
            QCOMPARE(field(form, "txtAnzahl")->text(), QStringLiteral("1"));
            QVERIFY(field(form, "txtDokument")->isReadOnly());
            QVERIFY(field(form, "txtQuelle")->isReadOnly());
            QStringList labels;
            for (QLabel* label : form->findChildren<QLabel*>())
                labels.append(label->text());
            QCOMPARE(labels, (QStringList{"Zeichnung:", "Quell-Layout:", "Layout-Name:", "Anzahl:"}));
            QCOMPARE(button(form, "cmdStart")->text(), QStringLiteral("&Fertigstellen"));
            QCOMPARE(button(form, "cmdCancel")->text(), QStringLiteral("&Abbrechen"));
            QCOMPARE(button(form, "cmdHelp")->text(), QStringLiteral("&Hilfe"));
            QVERIFY(button(form, "cmdStart")->isEnabled());
            // Emptying either field takes "&Fertigstellen" away.
            field(form, "txtLayout")->selectAll();
            QTest::keyClick(field(form, "txtLayout"), Qt::Key_Delete);
            QVERIFY(!button(form, "cmdStart")->isEnabled());
            QTest::keyClicks(field(form, "txtLayout"), QStringLiteral("X"));
            QVERIFY(button(form, "cmdStart")->isEnabled());
            field(form, "txtAnzahl")->clear();
            QVERIFY(!button(form, "cmdStart")->isEnabled());
            QTest::mouseClick(button(form, "cmdCancel"), Qt::LeftButton);
            QVERIFY(!form->isVisible());
        });
        QCOMPARE(o->layoutNames(kPlan).size(), 5);
    }

    void copyFieldsChecked_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("leaving"); // the field the user leaves with Tab
        QTest::addColumn<QString>("message");
        QTest::newRow("count 0") << "Plan"
                                 << "0"
                                 << "txtAnzahl"
                                 << "Ungültige Anzahl!";
        QTest::newRow("count -2") << "Plan"
                                  << "-2"
                                  << "txtAnzahl"
                                  << "Ungültige Anzahl!";
        QTest::newRow("count 1,5") << "Plan"
                                   << "1,5"
                                   << "txtAnzahl"
                                   << "Ungültige Anzahl!";
        QTest::newRow("count 32768") << "Plan"
                                     << "32768"
                                     << "txtAnzahl"
                                     << "Ungültige Anzahl!";
        QTest::newRow("count abc") << "Plan"
                                   << "abc"
                                   << "txtAnzahl"
                                   << "Eingabe ist ungültig!";
        QTest::newRow("name with a colon") << "Plan:A"
                                           << "1"
                                           << "txtLayout" << kBadChars;
        QTest::newRow("name with a question mark") << "Plan?"
                                                   << "1"
                                                   << "txtLayout" << kBadChars;
        QTest::newRow("name with a double quote") << "Plan\"A\""
                                                  << "1"
                                                  << "txtLayout" << kBadChars;
    }
    void copyFieldsChecked()
    {
        QFETCH(QString, name);
        QFETCH(QString, count);
        QFETCH(QString, leaving);
        QFETCH(QString, message);
        selectLayoutNode(QStringLiteral("Layout1"));
        const QStringList before = o->layoutNames(kPlan);
        expectBoxes({message, message});
        withDialog(Cmd::mnuEditCopy, [&](NameCountForm* form) {
            QLineEdit* name_ = field(form, "txtLayout");
            QLineEdit* count_ = field(form, "txtAnzahl");
            QTRY_COMPARE(QApplication::focusWidget(), name_);
            name_->selectAll();
            QTest::keyClicks(name_, name);
            QTest::keyClick(name_, Qt::Key_Tab);
            if (leaving == QLatin1String("txtAnzahl")) {
                QTRY_COMPARE(QApplication::focusWidget(), count_);
                count_->selectAll();
                QTest::keyClicks(count_, count);
                QTest::keyClick(count_, Qt::Key_Tab);
            }
            QLineEdit* refused = leaving == QLatin1String("txtLayout") ? name_ : count_;
            QTRY_COMPARE(o->h.boxes.count(), 1);
            QTRY_COMPARE(QApplication::focusWidget(), refused);
            QCOMPARE(refused->text(), leaving == QLatin1String("txtLayout") ? name : count);
            // "&Fertigstellen" checks again and leaves the dialog open; nothing is copied.
            QTest::mouseClick(button(form, "cmdStart"), Qt::LeftButton);
            QCOMPARE(o->h.boxes.count(), 2);
            QVERIFY(form->isVisible());
        });
        o->runHost();
        QCOMPARE(o->layoutNames(kPlan), before);
    }

    void copyFinished_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QString>("current");
        QTest::newRow("one copy under the proposed name")
            << ""
            << "1" << QStringList{"Kopie von Layout2"} << "Kopie von Layout2";
        QTest::newRow("Plan1 and Plan3 taken, three copies")
            << "Plan"
            << "3" << QStringList{"Plan2", "Plan4", "Plan5"} << "Plan2";
        QTest::newRow("PLAN taken by another case: the number goes on")
            << "plan1"
            << "1" << QStringList{"plan11"} << "plan11";
        QTest::newRow("spaces and umlauts")
            << "Grundriß Ölkeller "
            << "2" << QStringList{"Grundriß Ölkeller 1", "Grundriß Ölkeller 2"} << "Grundriß Ölkeller 1";
    }
    void copyFinished()
    {
        QFETCH(QString, name);
        QFETCH(QString, count);
        QFETCH(QStringList, added);
        QFETCH(QString, current);
        selectLayoutNode(QStringLiteral("Layout2"));
        const QStringList before = o->layoutNames(kPlan);
        withDialog(Cmd::mnuEditCopy, [&](NameCountForm* form) {
            if (!name.isEmpty()) {
                field(form, "txtLayout")->selectAll();
                QTest::keyClicks(field(form, "txtLayout"), name);
            }
            field(form, "txtAnzahl")->selectAll();
            QTest::keyClicks(field(form, "txtAnzahl"), count);
            QTest::keyClick(field(form, "txtAnzahl"), Qt::Key_Return);
            QVERIFY(!form->isVisible());
        });
        o->runHost();
        QCOMPARE(o->layoutNames(kPlan), before + added);
        QCOMPARE(o->document(kPlan).activeLayout, current);
        QCOMPARE(o->activePath(), kPlan);
        QVERIFY(o->watch());
        for (const QString& layout : added)
            QVERIFY2(!o->nodeKey(layout, QStringLiteral("Plan.dwg")).isEmpty(), qPrintable(layout));
    }

    // --- rename in place

    void renameInPlace_data()
    {
        QTest::addColumn<bool>("inList");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("result"); // the layout's name afterwards
        for (bool inList : {true, false}) {
            const char* where = inList ? "list: " : "tree: ";
            auto row = [where](const char* name) {
                return qPrintable(QString::fromUtf8(where) + QString::fromUtf8(name));
            };
            QTest::newRow(row("a new name")) << inList << "Grundriß EG" << QStringList{} << "Grundriß EG";
            QTest::newRow(row("another layout's name in other case"))
                << inList << "LAYOUT2" << QStringList{kTaken} << "Layout1";
            QTest::newRow(row("its own name in other case"))
                << inList << "LAYOUT1" << QStringList{} << "LAYOUT1";
            QTest::newRow(row("a name of another drawing's layout"))
                << inList << "Ansicht" << QStringList{} << "Ansicht";
            QTest::newRow(row("Model, refused by the CAD program"))
                << inList << "Model" << QStringList{"Layoutname ist bereits vorhanden: Model"} << "Layout1";
            QTest::newRow(row("too long for the CAD program"))
                << inList << QString(256, QLatin1Char('x'))
                << QStringList{"Der Layoutname ist länger als 255 Zeichen."} << "Layout1";
        }
        QTest::newRow("tree: a forbidden character")
            << false << "Plan:1" << QStringList{kBadChars} << "Layout1";
        QTest::newRow("list: checked as the tree") << true << "Plan:1" << QStringList{kBadChars} << "Layout1";
        QTest::newRow("list: a trailing space")
            << true << "Plan " << QStringList{"Der Name darf nicht mit Leerzeichen beginnen oder enden!"}
            << "Layout1";
    }
    void renameInPlace()
    {
        QFETCH(bool, inList);
        QFETCH(QString, typed);
        QFETCH(QStringList, messages);
        QFETCH(QString, result);
        if (inList)
            selectInDrawing({QStringLiteral("Layout1")});
        else
            selectLayoutNode(QStringLiteral("Layout1"));
        const QString key = o->nodeKey(QStringLiteral("Layout1"), QStringLiteral("Plan.dwg"));
        const acad::ObjectId id = o->views().Layouts.item(explorer::numberOf(key))->AObjId;
        expectBoxes(messages);
        QVERIFY(o->trigger(Cmd::mnuFileRename));
        QLineEdit* editor = labelEditor();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, typed);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(!o->tree()->isEditing() && !o->list()->isEditing());
        // The host, the record, the tree and the list all carry the same name, at once.
        QVERIFY(o->layoutNames(kPlan).contains(result));
        for (const acad::LayoutRef& layout : o->document(kPlan).layouts) {
            if (layout.id == id)
                QCOMPARE(layout.name, result);
        }
        QCOMPARE(o->views().Layouts.item(explorer::numberOf(key))->Layout, result);
        QCOMPARE(o->views().Layouts.item(explorer::numberOf(key))->Gesamt, kPlan + QLatin1Char(';') + result);
        QCOMPARE(o->tree()->text(key), result);
        if (inList)
            QCOMPARE(o->list()->text(key), result);
        // The next refresh keeps the node.
        QVERIFY(o->watch());
        QCOMPARE(o->nodeKey(result, QStringLiteral("Plan.dwg")), key);
    }

    void escapeChangesNothing_data()
    {
        QTest::addColumn<bool>("inList");
        QTest::newRow("list") << true;
        QTest::newRow("tree") << false;
    }
    void escapeChangesNothing()
    {
        QFETCH(bool, inList);
        if (inList)
            selectInDrawing({QStringLiteral("Layout1")});
        else
            selectLayoutNode(QStringLiteral("Layout1"));
        const QStringList before = o->layoutNames(kPlan);
        const QStringList records = recordNames();
        QVERIFY(o->trigger(Cmd::mnuFileRename));
        QLineEdit* editor = labelEditor();
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("Neu:"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QTRY_VERIFY(!o->tree()->isEditing() && !o->list()->isEditing());
        QCOMPARE(o->layoutNames(kPlan), before);
        QCOMPARE(recordNames(), records);
        QVERIFY(treeLayouts().contains(QStringLiteral("Layout1")));
    }

    void oneOrSeveralSelected_data()
    {
        QTest::addColumn<QStringList>("selected");
        QTest::addColumn<bool>("dialog");
        QTest::newRow("one layout: edited in place") << QStringList{"Layout2"} << false;
        QTest::newRow("two layouts: the dialog") << QStringList{"Layout1", "Layout2"} << true;
    }
    void oneOrSeveralSelected()
    {
        QFETCH(QStringList, selected);
        QFETCH(bool, dialog);
        selectInDrawing(selected);
        if (dialog) {
            withDialog(Cmd::mnuFileRename, [](NameCountForm* form) {
                QCOMPARE(form->windowTitle(), QStringLiteral("Layouts mehrfach umbenennen"));
                QCOMPARE(field(form, "txtDokument")->text(), QStringLiteral("Plan.dwg"));
                QCOMPARE(field(form, "txtLayout")->text(), QString());
                QCOMPARE(field(form, "txtAnzahl")->text(), QStringLiteral("1"));
                QVERIFY(!field(form, "txtQuelle"));
                QVERIFY(!button(form, "cmdStart")->isEnabled());
            });
            QVERIFY(!o->list()->isEditing());
            return;
        }
        QVERIFY(o->trigger(Cmd::mnuFileRename));
        QVERIFY(o->list()->isEditing());
        QLineEdit* editor = labelEditor();
        QVERIFY(editor);
        QCOMPARE(editor->text(), QStringLiteral("Layout2"));
        QTest::keyClick(editor, Qt::Key_Escape);
    }

    void numberedRename_data()
    {
        QTest::addColumn<QStringList>("selected");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QStringList>("layouts"); // afterwards, in tab order
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("Plan1, Plan3, Layout1 taken by themselves")
            << QStringList{"Layout1", "Plan1", "Plan3"} << "Plan"
            << "1" << QStringList{"Model", "Plan2", "Layout2", "Plan4", "Plan5"} << QStringList{};
        QTest::newRow("from 10, spaces and umlauts")
            << QStringList{"Layout1", "Layout2"} << "Blatt Ä "
            << "10" << QStringList{"Model", "Blatt Ä 10", "Blatt Ä 11", "Plan1", "Plan3"} << QStringList{};
        QTest::newRow("start beyond the range")
            << QStringList{"Layout1", "Layout2"} << "Plan"
            << "40000" << QStringList{"Model", "Layout1", "Layout2", "Plan1", "Plan3"}
            << QStringList{"Ungültige Anzahl!"};
        // A pattern: Plan1 takes the name Plan3 still has; both get their new names in one rename.
        QTest::newRow("pattern, names passed on within the selection")
            << QStringList{"Plan1", "Plan3"} << "Plan{nr}"
            << "3" << QStringList{"Model", "Layout1", "Layout2", "Plan3", "Plan4"} << QStringList{};
        QTest::newRow("pattern with zeros")
            << QStringList{"Layout1", "Layout2"} << "A-{nr:03}"
            << "9" << QStringList{"Model", "A-009", "A-010", "Plan1", "Plan3"} << QStringList{};
        // The preview refuses the lines: "Fertigstellen" stays off, the dialog stays.
        QTest::newRow("numbers run out: nothing renamed")
            << QStringList{"Layout1", "Layout2"} << "Plan"
            << "32767" << QStringList{"Model", "Layout1", "Layout2", "Plan1", "Plan3"} << QStringList{};
    }
    void numberedRename()
    {
        QFETCH(QStringList, selected);
        QFETCH(QString, base);
        QFETCH(QString, start);
        QFETCH(QStringList, layouts);
        QFETCH(QStringList, messages);
        o->list()->setSortKey(0);
        o->list()->setSorted(true);
        selectInDrawing(selected);
        expectBoxes(messages);
        withDialog(Cmd::mnuFileRename, [&](NameCountForm* form) {
            QTest::keyClicks(field(form, "txtLayout"), base);
            QTest::keyClick(field(form, "txtLayout"), Qt::Key_Tab);
            field(form, "txtAnzahl")->selectAll();
            QTest::keyClicks(field(form, "txtAnzahl"), start);
            const bool startable = button(form, "cmdStart")->isEnabled();
            QTest::mouseClick(button(form, "cmdStart"), Qt::LeftButton);
            QCOMPARE(form->isVisible(), !messages.isEmpty() || !startable);
            if (form->isVisible()) // what was typed is still there
                QCOMPARE(field(form, "txtLayout")->text() + field(form, "txtAnzahl")->text(), base + start);
        });
        QCOMPARE(o->layoutNames(kPlan), layouts);
        // Without a refresh, tree, list and records already follow.
        const QStringList paper = layouts.mid(1);
        QCOMPARE(treeLayouts(), paper);
        QStringList listed = listTexts();
        QStringList sortedPaper = paper;
        listed.sort(Qt::CaseInsensitive);
        sortedPaper.sort(Qt::CaseInsensitive);
        QCOMPARE(listed, sortedPaper);
        QStringList records = recordNames();
        records.sort(Qt::CaseInsensitive);
        QStringList expectedRecords;
        for (const QString& name : sortedPaper)
            expectedRecords.append(name + QLatin1Char('=') + name);
        QCOMPARE(records, expectedRecords);
    }

    // The preview below the fields shows, as the user types, what "&Fertigstellen" then really does:
    // every line without a mark is the name the layout gets, every marked one a name it does not get.
    void renamePreview_data()
    {
        const QString longBase(254, QLatin1Char('x'));
        QTest::addColumn<QStringList>("selected");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QStringList>("preview");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("Plan1, Plan3, Layout1 taken by themselves")
            << QStringList{"Layout1", "Plan1", "Plan3"} << "Plan"
            << "1" << QStringList{"Layout1 → Plan2", "Plan1 → Plan4", "Plan3 → Plan5"} << QStringList{};
        QTest::newRow("Plan1 and Plan3 from 3")
            << QStringList{"Plan1", "Plan3"} << "Plan"
            << "3" << QStringList{"Plan1 → Plan4", "Plan3 → Plan5"} << QStringList{};
        QTest::newRow("from 10, spaces and umlauts")
            << QStringList{"Layout1", "Layout2"} << "Blatt Ä "
            << "10" << QStringList{"Layout1 → Blatt Ä 10", "Layout2 → Blatt Ä 11"} << QStringList{};
        QTest::newRow("numbers run out")
            << QStringList{"Layout1", "Layout2"} << "Plan"
            << "32767"
            << QStringList{"Layout1 → Plan32767 – Für \"Plan\" ist keine freie Layout-Nummer mehr vorhanden!",
                           "Layout2 → ? – Für \"Plan\" ist keine freie Layout-Nummer mehr vorhanden!"}
            << QStringList{};
        QTest::newRow("a character the CAD program refuses")
            << QStringList{"Layout1", "Layout2"} << "Plan;"
            << "1"
            << QStringList{"Layout1 → Plan;1 – AutoCAD lässt das Zeichen „;“ in Layoutnamen nicht zu!",
                           "Layout2 → Plan;2 – AutoCAD lässt das Zeichen „;“ in Layoutnamen nicht zu!"}
            << QStringList{};
        QTest::newRow("the second name too long")
            << QStringList{"Layout1", "Layout2"} << longBase << "9"
            << QStringList{"Layout1 → " + longBase + "9",
                           "Layout2 → " + longBase + "10 – Der Name ist länger als 255 Zeichen!"}
            << QStringList{};
    }
    void renamePreview()
    {
        QFETCH(QStringList, selected);
        QFETCH(QString, base);
        QFETCH(QString, start);
        QFETCH(QStringList, preview);
        QFETCH(QStringList, messages);
        o->list()->setSortKey(0);
        o->list()->setSorted(true);
        selectInDrawing(selected);
        QHash<QString, acad::ObjectId> ids;
        for (const acad::LayoutRef& layout : o->document(kPlan).layouts)
            ids.insert(layout.name, layout.id);
        expectBoxes(messages);
        QStringList shown;
        withDialog(Cmd::mnuFileRename, [&](NameCountForm* form) {
            auto* list = form->findChild<QListWidget*>(QStringLiteral("lstVorschau"));
            QVERIFY(list);
            QTest::keyClicks(field(form, "txtLayout"), base);
            field(form, "txtAnzahl")->selectAll();
            QTest::keyClicks(field(form, "txtAnzahl"), start);
            for (int i = 0; i < list->count(); ++i)
                shown.append(list->item(i)->text());
            QTest::mouseClick(button(form, "cmdStart"), Qt::LeftButton);
        });
        QCOMPARE(shown, preview);
        // A marked line keeps "Fertigstellen" off: then no layout is renamed at all.
        const bool anyMarked = std::any_of(shown.begin(), shown.end(), [](const QString& line) {
            return line.contains(QStringLiteral(" – "));
        });
        QHash<acad::ObjectId, QString> after;
        for (const acad::LayoutRef& layout : o->document(kPlan).layouts)
            after.insert(layout.id, layout.name);
        for (const QString& line : shown) {
            const QString old = line.section(QStringLiteral(" → "), 0, 0);
            const QString rest = line.section(QStringLiteral(" → "), 1);
            const bool marked = rest.contains(QStringLiteral(" – "));
            const QString name = rest.section(QStringLiteral(" – "), 0, 0);
            QCOMPARE(after.value(ids.value(old)) == name, !marked && !anyMarked);
            if (anyMarked)
                QCOMPARE(after.value(ids.value(old)), old);
        }
    }
};

QTEST_MAIN(TestCopyRename)
#include "tst_CopyRename.moc"
