#include "frmSeiteEinrichten.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

using operations::SeiteEinrichtenControl;

namespace {

enum Column : int
{
    ColZeichnung,
    ColLayout,
    ColAenderungen
};

QString mnemonic(acad::PlotSetting wert)
{
    switch (wert) {
    case acad::Plotter:
        return QStringLiteral("&Plotter");
    case acad::Paper:
        return QStringLiteral("Papier&format");
    case acad::Orientation:
        return QStringLiteral("&Ausrichtung");
    case acad::StyleTable:
        return QStringLiteral("Plot&stiltabelle");
    case acad::PlotArea:
        return QStringLiteral("Plotbe&reich");
    case acad::Scale:
        return QStringLiteral("Plot&maßstab");
    }
    return {};
}

QString changesText(const SeiteEinrichtenControl::Vorschau& vorschau)
{
    if (vorschau.quelle)
        return QStringLiteral("Quelle");
    if (!vorschau.hindernis.isEmpty())
        return vorschau.hindernis;
    if (vorschau.aenderungen.isEmpty())
        return QStringLiteral("keine Änderung");
    QStringList parts;
    for (const basSeiteEinrichten::Aenderung& a : vorschau.aenderungen)
        parts.append(a.text());
    return parts.join(QStringLiteral("; "));
}

} // namespace

frmSeiteEinrichten::frmSeiteEinrichten(SeiteEinrichtenControl& control, const QString& libraryFolder,
                                       QWidget* parent)
    : QDialog(parent), m_control(control), m_libraryFolder(libraryFolder)
{
    chooseTemplate = [this] {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Vorlage wählen"), m_libraryFolder,
                                            QStringLiteral("Zeichnungen (*.dwt *.dwg *.dxf)"));
    };
    buildControls();
    fillSources();
    updatePreview();
    connect(&m_control, &SeiteEinrichtenControl::changed, this, &frmSeiteEinrichten::updatePreview);
    connect(cboQuelle, &QComboBox::currentIndexChanged, &m_control,
            qOverload<int>(&SeiteEinrichtenControl::setQuelle));
    for (QCheckBox* box : chkWerte)
        connect(box, &QCheckBox::toggled, this, &frmSeiteEinrichten::takeValues);
    connect(tvwZiele, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        if (column == ColZeichnung)
            m_control.setZiel(tvwZiele->indexOfTopLevelItem(item),
                              item->checkState(ColZeichnung) == Qt::Checked);
    });
    connect(cmdVorlage, &QPushButton::clicked, this, &frmSeiteEinrichten::readTemplate);
    connect(cmdUebernehmen, &QPushButton::clicked, this, &frmSeiteEinrichten::apply);
    connect(cmdAbbrechen, &QPushButton::clicked, this, &QDialog::reject);
}

frmSeiteEinrichten::~frmSeiteEinrichten() = default;

void frmSeiteEinrichten::buildControls()
{
    setObjectName(QStringLiteral("frmSeiteEinrichten"));
    setWindowTitle(QStringLiteral("Seite einrichten übernehmen"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildSource());
    layout->addWidget(buildValues());
    buildTargets();
    auto* targets = new QLabel(QStringLiteral("&Ziele:"), this);
    targets->setBuddy(tvwZiele);
    layout->addWidget(targets);
    layout->addWidget(tvwZiele, 1);
    lblZusammenfassung = new QLabel(this);
    lblZusammenfassung->setObjectName(QStringLiteral("lblZusammenfassung"));
    lblZusammenfassung->setWordWrap(true);
    cmdUebernehmen = new QPushButton(QStringLiteral("Ü&bernehmen"), this);
    cmdUebernehmen->setObjectName(QStringLiteral("cmdUebernehmen"));
    cmdUebernehmen->setDefault(true);
    cmdAbbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
    cmdAbbrechen->setObjectName(QStringLiteral("cmdAbbrechen"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblZusammenfassung, 1);
    buttons->addWidget(cmdUebernehmen);
    buttons->addWidget(cmdAbbrechen);
    layout->addLayout(buttons);
    resize(860, 520);
}

QWidget* frmSeiteEinrichten::buildSource()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    cboQuelle = new QComboBox(row);
    cboQuelle->setObjectName(QStringLiteral("cboQuelle"));
    cboQuelle->setAccessibleName(QStringLiteral("Quelle"));
    auto* caption = new QLabel(QStringLiteral("&Quelle:"), row);
    caption->setBuddy(cboQuelle);
    cmdVorlage = new QPushButton(QStringLiteral("Aus &Vorlage ..."), row);
    cmdVorlage->setObjectName(QStringLiteral("cmdVorlage"));
    cmdVorlage->setAutoDefault(false);
    layout->addWidget(caption);
    layout->addWidget(cboQuelle, 1);
    layout->addWidget(cmdVorlage);
    return row;
}

QWidget* frmSeiteEinrichten::buildValues()
{
    auto* box = new QGroupBox(QStringLiteral("Übernehmen"), this);
    auto* layout = new QHBoxLayout(box);
    for (acad::PlotSetting wert : basSeiteEinrichten::Werte()) {
        auto* check = new QCheckBox(mnemonic(wert), box);
        check->setObjectName(QStringLiteral("chk") + basSeiteEinrichten::WertName(wert).replace(
                                                         QStringLiteral("ß"), QStringLiteral("ss")));
        check->setChecked(m_control.Werte() & wert);
        layout->addWidget(check);
        chkWerte.append(check);
    }
    return box;
}

void frmSeiteEinrichten::buildTargets()
{
    tvwZiele = new QTreeWidget(this);
    tvwZiele->setObjectName(QStringLiteral("tvwZiele"));
    tvwZiele->setAccessibleName(QStringLiteral("Ziele"));
    tvwZiele->setRootIsDecorated(false);
    tvwZiele->setUniformRowHeights(true);
    tvwZiele->setHeaderLabels(
        {QStringLiteral("Zeichnung"), QStringLiteral("Layout"), QStringLiteral("Änderungen")});
    const QList<SeiteEinrichtenControl::Blatt>& blaetter = m_control.Quellen();
    for (int i = 0; i < m_control.ZielAnzahl(); ++i) {
        auto* item = new QTreeWidgetItem(tvwZiele, {blaetter[i].zeichnung, blaetter[i].plot.name, QString()});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(ColZeichnung, m_control.IstZiel(i) ? Qt::Checked : Qt::Unchecked);
    }
    tvwZiele->header()->setSectionResizeMode(ColAenderungen, QHeaderView::Stretch);
    tvwZiele->resizeColumnToContents(ColZeichnung);
    tvwZiele->resizeColumnToContents(ColLayout);
}

void frmSeiteEinrichten::fillSources()
{
    const QSignalBlocker blocker(cboQuelle);
    cboQuelle->clear();
    for (const SeiteEinrichtenControl::Blatt& blatt : m_control.Quellen())
        cboQuelle->addItem((blatt.vorlage ? QStringLiteral("Vorlage ") : QString()) + blatt.bezeichnung());
    cboQuelle->setCurrentIndex(m_control.Quelle());
}

void frmSeiteEinrichten::showPreview(QTreeWidgetItem* item, int index)
{
    // The source says so whether chosen or not.
    const bool chosen = m_control.IstZiel(index) || index == m_control.Quelle();
    const SeiteEinrichtenControl::Vorschau vorschau =
        chosen ? m_control.VorschauFuer(index) : SeiteEinrichtenControl::Vorschau{};
    const bool blocked = !vorschau.hindernis.isEmpty();
    item->setText(ColAenderungen, chosen ? changesText(vorschau) : QString());
    item->setToolTip(ColAenderungen, item->text(ColAenderungen));
    item->setIcon(ColAenderungen, blocked ? style()->standardIcon(QStyle::SP_MessageBoxWarning) : QIcon());
    item->setForeground(ColAenderungen, blocked ? QBrush(Qt::red) : palette().brush(QPalette::Text));
}

void frmSeiteEinrichten::updatePreview()
{
    const QSignalBlocker blocker(tvwZiele);
    for (int i = 0; i < tvwZiele->topLevelItemCount(); ++i)
        showPreview(tvwZiele->topLevelItem(i), i);
    lblZusammenfassung->setText(m_control.Zusammenfassung());
    cmdUebernehmen->setEnabled(m_control.KannUebernehmen());
}

void frmSeiteEinrichten::readTemplate()
{
    const QString path = chooseTemplate();
    if (path.isEmpty() || m_control.VorlageLesen(path) < 0)
        return;
    fillSources();
}

void frmSeiteEinrichten::takeValues()
{
    quint32 which = 0;
    for (int i = 0; i < chkWerte.size(); ++i) {
        if (chkWerte[i]->isChecked())
            which |= basSeiteEinrichten::Werte()[i];
    }
    m_control.setWerte(which);
}

void frmSeiteEinrichten::apply()
{
    if (m_control.Uebernehmen())
        accept();
}
