// Copy and numbered rename through the real program against a real `cadhost --headless` on a private
// bus, in a drawing with 500 layouts: 10, 50 and 100 copies of a layout, from "&Fertigstellen" until
// the tree shows them all, a numbered rename of 200 layouts selected in the list, and "Register
// sortieren" of a drawing whose first 100 tabs are in reverse order. Target: each under one second, with
// round trips growing with the copies, renames or moved tabs (not with them × layouts).
#include "BenchSupport.h"
#include "PrivateBus.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <acad/BusConnector.h>
#include <acad/BusHost.h>
#include <acad/Error.h>
#include <algorithm>
#include <cadhost/dxf/DxfStore.h>
#include <cadhost/engine/Drawing.h>
#include <cstdio>
#include <explorer/basViewControls.h>
#include <explorer/controls/ListControl.h>
#include <explorer/controls/TreeControl.h>
#include <explorer/frmMain.h>
#include <functional>
#include <operations/NameCountForm.h>
#include <platform/MsgBox.h>
#include <startup/basMain.h>

namespace {

const int kLayouts = 500;
const int kRuns = 5;
const QString kDrawing = QStringLiteral("Blatt 500.dxf");

cadhost::Drawing sampleDrawing()
{
    cadhost::Drawing d;
    cadhost::Layout model;
    model.name = QStringLiteral("Model");
    d.layouts.append(model);
    for (int l = 1; l <= kLayouts; ++l) {
        cadhost::Layout layout;
        // The first 100 tabs in reverse order of their names: sorting them moves 99 tabs.
        layout.name = QStringLiteral("Blatt %1").arg(l <= 100 ? 101 - l : l);
        layout.tabOrder = l;
        d.layouts.append(layout);
    }
    d.activeLayout = QStringLiteral("Blatt 1");
    return d;
}

struct Sample
{
    double ms = -1; // -1: the result did not show
    qint64 roundTrips = 0;
};

void report(const char* what, QList<Sample> samples)
{
    std::sort(samples.begin(), samples.end(), [](const Sample& a, const Sample& b) { return a.ms < b.ms; });
    const bool missed = std::any_of(samples.begin(), samples.end(), [](const Sample& s) { return s.ms < 0; });
    std::printf("%-44s median %8.1f ms  fastest %8.1f ms  round trips %5lld%s\n", what,
                samples.at(samples.size() / 2).ms, samples.first().ms,
                static_cast<long long>(samples.first().roundTrips), missed ? "  MISSED" : "");
}

class Bench
{
public:
    Bench(basMain::Program& program, acad::Host& user, const QString& folder)
        : m_program(program), m_user(user), m_folder(folder)
    {
    }

    // One run: a fresh copy of the drawing, open in the host and in the tree.
    bool prepare(int run)
    {
        for (const acad::DocumentRef& doc : m_user.application().documents)
            m_user.closeDocument(doc.id, false);
        const QString path = m_folder + QStringLiteral("/Lauf %1 ").arg(run) + kDrawing;
        if (!QFile::copy(m_folder + QLatin1Char('/') + kDrawing, path))
            return false;
        m_user.openDocument(path);
        m_drawing = QStringLiteral("Lauf %1 ").arg(run) + kDrawing;
        views().FillTreeView();
        return !drawingKey().isEmpty();
    }

    Sample copy(int count)
    {
        select(layoutKey(QStringLiteral("Blatt 7")));
        return finishDialog(explorer::Cmd::mnuEditCopy, QStringLiteral("Kopie "), count,
                            [this, count] { return tree().childCount(drawingKey()) == kLayouts + count; });
    }

    Sample rename(int count)
    {
        select(drawingKey());
        explorer::ListControl& list = views().lvListView();
        const QStringList keys = list.displayedKeys();
        for (int i = 0; i < keys.size(); ++i)
            list.setSelected(keys.at(i), i < count);
        return finishDialog(explorer::Cmd::mnuFileRename, QStringLiteral("Neu "), 1, [this, count] {
            int renamed = 0;
            for (const QString& key : tree().childKeys(drawingKey()))
                renamed += tree().text(key).startsWith(QLatin1String("Neu ")) ? 1 : 0;
            return renamed == count;
        });
    }

    Sample sortTabs()
    {
        select(drawingKey());
        Sample sample;
        const qint64 trips = bus().roundTrips();
        QElapsedTimer clock;
        clock.start();
        m_program.MainForm->commands()->action(explorer::Cmd::mnuSortTabs)->trigger();
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        sample.roundTrips = bus().roundTrips() - trips;
        // Checked in the host: its first tabs after "Model" are Blatt 1, 2, 3.
        for (const acad::DocumentSnapshot& doc : m_user.documentSnapshots()) {
            const QList<acad::LayoutRef>& tabs = doc.layouts;
            if (doc.ref.name == m_drawing && tabs.size() > 3 && tabs[1].name == QLatin1String("Blatt 1") &&
                tabs[2].name == QLatin1String("Blatt 2") && tabs[3].name == QLatin1String("Blatt 3"))
                sample.ms = ms;
        }
        return sample;
    }

private:
    basViewControls::ViewControls& views() const { return m_program.MainForm->views(); }
    explorer::TreeControl& tree() const { return views().tvTreeView(); }
    acad::BusHost& bus() const { return dynamic_cast<acad::BusHost&>(*m_program.Connection.AcadApp); }

    QString drawingKey() const
    {
        for (const QString& key : tree().childKeys(QStringLiteral("A"))) {
            if (tree().text(key) == m_drawing)
                return key;
        }
        return {};
    }
    QString layoutKey(const QString& name) const
    {
        for (const QString& key : tree().childKeys(drawingKey())) {
            if (tree().text(key) == name)
                return key;
        }
        return {};
    }
    void select(const QString& key)
    {
        tree().select(key);
        views().TreeSelectionChanged();
    }

    // Fills the dialog, then times "&Fertigstellen" until done() holds (at most 10 s).
    Sample finishDialog(explorer::Cmd cmd, const QString& name, int number, const std::function<bool()>& done)
    {
        Sample sample;
        QTimer::singleShot(0, [&] {
            auto* form = qobject_cast<NameCountForm*>(QApplication::activeModalWidget());
            if (!form)
                return;
            form->txtLayout->setText(name);
            form->txtAnzahl->setText(QString::number(number));
            const qint64 trips = bus().roundTrips();
            QElapsedTimer clock;
            clock.start();
            form->cmdStart->click();
            while (!done() && clock.elapsed() < 10000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            if (done())
                sample.ms = double(clock.nsecsElapsed()) / 1e6;
            sample.roundTrips = bus().roundTrips() - trips;
            if (form->isVisible())
                form->reject();
        });
        m_program.MainForm->commands()->action(cmd)->trigger();
        return sample;
    }

    basMain::Program& m_program;
    acad::Host& m_user;
    QString m_folder;
    QString m_drawing;
};

void setEnvironment(const QTemporaryDir& home)
{
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("KVARTO_MACHINE_CONFIG_DIR", home.filePath(QStringLiteral("machine")).toLocal8Bit());
    qputenv("CADHOST_PROFILE", home.filePath(QStringLiteral("profile.ini")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

int runAll(basMain::Program& program, acad::Host& user, const QString& folder)
{
    Bench bench(program, user, folder);
    int run = 0;
    for (int copies : {10, 50, 100}) {
        QList<Sample> samples;
        for (int i = 0; i < kRuns; ++i) {
            if (!bench.prepare(++run))
                return 1;
            samples.append(bench.copy(copies));
        }
        report(qPrintable(QStringLiteral("copy %1 of %2 layouts").arg(copies).arg(kLayouts)), samples);
    }
    for (int renames : {20, 200}) {
        QList<Sample> samples;
        for (int i = 0; i < kRuns; ++i) {
            if (!bench.prepare(++run))
                return 1;
            samples.append(bench.rename(renames));
        }
        report(qPrintable(QStringLiteral("numbered rename %1 of %2 layouts").arg(renames).arg(kLayouts)),
               samples);
    }
    QList<Sample> samples;
    for (int i = 0; i < kRuns; ++i) {
        if (!bench.prepare(++run))
            return 1;
        samples.append(bench.sortTabs());
    }
    report(qPrintable(QStringLiteral("sort tabs, 100 of %1 reversed").arg(kLayouts)), samples);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    setEnvironment(home);
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("KVARTO_PROGRAM_DIR"))
        qputenv("KVARTO_PROGRAM_DIR", QCoreApplication::applicationDirPath().toLocal8Bit());
    benchsupport::BoxCounter boxes;
    std::printf("load average before: %s\n", benchsupport::loadAverage().constData());
    cadhost::DxfStore().save(sampleDrawing(), home.filePath(kDrawing));

    PrivateBus privateBus;
    if (!privateBus.start() || !privateBus.startHost()) {
        std::fprintf(stderr, "%s\n", qPrintable(privateBus.errorString()));
        return 1;
    }
    acad::BusConnector connector;
    int result = 1;
    try {
        std::shared_ptr<acad::Host> user = connector.attach(acad::kAcadProgId);
        user->openDocument(home.filePath(kDrawing));
        basMain::Program program(connector);
        if (!program.Main())
            return 1;
        program.MainForm->ctlTimer()->stop();
        result = runAll(program, *user, home.path());
        program.MainForm->close();
    } catch (const acad::Error& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.description()));
    }
    std::printf("load average after: %s\n", benchsupport::loadAverage().constData());
    std::printf("message boxes: %d\n", boxes.shown);
    return result;
}
