#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <platform/ProgramFolder.h>
#include <platform/QtMessageBox.h>

using namespace platform;

class TestPlatformGui final : public QObject
{
    Q_OBJECT

    std::unique_ptr<QtMessageBoxes> m_boxes;

private slots:
    void initTestCase() { m_boxes = std::make_unique<QtMessageBoxes>(); }
    void cleanupTestCase() { m_boxes.reset(); }

    void germanBoxes_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("defaultButton");

        QTest::newRow("OK, critical")
            << int(vbOKOnly | vbCritical) << QStringList{"OK"} << int(QMessageBox::Critical) << "OK";
        QTest::newRow("Yes/No, question")
            << int(vbYesNo | vbQuestion) << QStringList{"Ja", "Nein"} << int(QMessageBox::Question) << "Ja";
        QTest::newRow("Yes/No, second default")
            << int(vbYesNo | vbExclamation | vbDefaultButton2) << QStringList{"Ja", "Nein"}
            << int(QMessageBox::Warning) << "Nein";
        QTest::newRow("OK/Cancel, information")
            << int(vbOKCancel | vbInformation) << QStringList{"OK", "Abbrechen"}
            << int(QMessageBox::Information) << "OK";
        QTest::newRow("plain") << int(vbOKOnly) << QStringList{"OK"} << int(QMessageBox::NoIcon) << "OK";
    }

    void germanBoxes()
    {
        QFETCH(int, style);
        QFETCH(QStringList, buttons);
        QFETCH(int, icon);
        QFETCH(QString, defaultButton);
        const auto box = createMessageBox(QStringLiteral("Text"), style, programTitle());
        QStringList texts;
        for (QAbstractButton* button : box->buttons())
            texts.append(button->text().remove(QLatin1Char('&')));
        texts.sort();
        buttons.sort();
        QCOMPARE(texts, buttons);
        QCOMPARE(int(box->icon()), icon);
        QVERIFY(box->defaultButton());
        QCOMPARE(box->defaultButton()->text().remove(QLatin1Char('&')), defaultButton);
        QCOMPARE(box->windowTitle(), programTitle());
    }

    void msgBoxShowsAndAnswers_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("click");
        QTest::addColumn<int>("answer");
        QTest::newRow("No") << int(vbYesNo | vbQuestion) << "Nein" << int(vbNo);
        QTest::newRow("Yes") << int(vbYesNo | vbQuestion) << "Ja" << int(vbYes);
        QTest::newRow("OK") << int(vbOKOnly) << "OK" << int(vbOK);
        QTest::newRow("Cancel") << int(vbOKCancel) << "Abbrechen" << int(vbCancel);
    }

    void msgBoxShowsAndAnswers()
    {
        QFETCH(int, style);
        QFETCH(QString, click);
        QFETCH(int, answer);
        QString title;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            title = box->windowTitle();
            for (QAbstractButton* button : box->buttons()) {
                if (button->text().remove(QLatin1Char('&')) == click)
                    button->click();
            }
        });
        QCOMPARE(int(MsgBox(QStringLiteral("Frage"), style)), answer);
        QCOMPARE(title, programTitle());
    }
};

QTEST_MAIN(TestPlatformGui)
#include "tst_platform_gui.moc"
