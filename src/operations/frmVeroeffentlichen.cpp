#include "frmVeroeffentlichen.h"

#include "VeroeffentlichenControl.h"

#include <QEventLoop>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>
#include <platform/ProgramFolder.h>

using operations::VeroeffentlichenControl;

namespace {

QLineEdit* field(QWidget* parent, const char* name, const QString& accessible)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setAccessibleName(accessible);
    return edit;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

frmVeroeffentlichen::frmVeroeffentlichen(VeroeffentlichenControl& control, QWidget* parent)
    : QDialog(parent), m_control(control)
{
    chooseFolder = [this](const QString& current) {
        return QFileDialog::getExistingDirectory(this, QStringLiteral("Zielordner wählen"), current);
    };
    buildControls();
    m_control.Form_Load();
    txtOrdner->setText(m_control.Ordner);
    txtDateiname->setText(m_control.Dateiname);
    txtMuster->setText(m_control.Muster);
    (m_control.EineDatei ? optEineDatei : optJeBlatt)->setChecked(true);
    for (QLineEdit* edit : {txtOrdner, txtDateiname, txtMuster})
        connect(edit, &QLineEdit::textChanged, this, &frmVeroeffentlichen::update);
    connect(optEineDatei, &QRadioButton::toggled, this, &frmVeroeffentlichen::update);
    connect(cmdOrdner, &QPushButton::clicked, this, &frmVeroeffentlichen::browse);
    connect(cmdStart, &QPushButton::clicked, this, &frmVeroeffentlichen::start);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    update();
}

void frmVeroeffentlichen::buildControls()
{
    setObjectName(QStringLiteral("frmVeroeffentlichen"));
    setWindowTitle(QStringLiteral("Veröffentlichen"));
    setModal(true);
    txtOrdner = field(this, "txtOrdner", QStringLiteral("Zielordner"));
    cmdOrdner = button(this, "cmdOrdner", QStringLiteral("..."));
    cmdOrdner->setAccessibleName(QStringLiteral("Zielordner wählen"));
    optEineDatei = new QRadioButton(QStringLiteral("Eine PDF-Datei mit allen Blättern"), this);
    optEineDatei->setObjectName(QStringLiteral("optEineDatei"));
    txtDateiname = field(this, "txtDateiname", QStringLiteral("Dateiname"));
    optJeBlatt = new QRadioButton(QStringLiteral("Eine PDF-Datei je Blatt"), this);
    optJeBlatt->setObjectName(QStringLiteral("optJeBlatt"));
    txtMuster = field(this, "txtMuster", QStringLiteral("Muster"));
    txtMuster->setToolTip(
        QStringLiteral("{zeichnung}: der Name der Zeichnung ohne Endung, {layout}: der Name des Layouts"));
    lstVorschau = new QListWidget(this);
    lstVorschau->setObjectName(QStringLiteral("lstVorschau"));
    lstVorschau->setAccessibleName(QStringLiteral("Dateien"));
    lblProblem = new QLabel(this);
    lblProblem->setObjectName(QStringLiteral("lblProblem"));
    lblProblem->setWordWrap(true);
    lblProblem->setStyleSheet(QStringLiteral("color: #b00000"));
    cmdStart = button(this, "cmdStart", QStringLiteral("&Veröffentlichen"));
    cmdStart->setDefault(true);
    cmdCancel = button(this, "cmdCancel", QStringLiteral("&Abbrechen"));

    auto* folder = new QHBoxLayout;
    folder->addWidget(txtOrdner, 1);
    folder->addWidget(cmdOrdner);
    auto* form = new QFormLayout;
    // A row of a layout gets no buddy from the form; without one the label shows its "&".
    auto* folderCaption = new QLabel(QStringLiteral("&Zielordner:"), this);
    folderCaption->setBuddy(txtOrdner);
    form->addRow(folderCaption, folder);
    form->addRow(optEineDatei);
    form->addRow(QStringLiteral("&Dateiname:"), txtDateiname);
    form->addRow(optJeBlatt);
    form->addRow(QStringLiteral("&Muster:"), txtMuster);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdStart);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("Dateien:"), this));
    layout->addWidget(lstVorschau, 1);
    layout->addWidget(lblProblem);
    layout->addLayout(buttons);
    resize(560, 420);
}

void frmVeroeffentlichen::takeFields()
{
    m_control.Ordner = txtOrdner->text();
    m_control.EineDatei = optEineDatei->isChecked();
    m_control.Dateiname = txtDateiname->text();
    m_control.Muster = txtMuster->text();
}

void frmVeroeffentlichen::update()
{
    takeFields();
    txtDateiname->setEnabled(m_control.EineDatei);
    txtMuster->setEnabled(!m_control.EineDatei);
    lstVorschau->clear();
    lstVorschau->addItems(m_control.Vorschau());
    lblProblem->setText(m_control.Problem());
}

void frmVeroeffentlichen::browse()
{
    const QString chosen = chooseFolder(txtOrdner->text());
    if (!chosen.isEmpty())
        txtOrdner->setText(chosen);
}

void frmVeroeffentlichen::start()
{
    takeFields();
    if (m_control.cmdStart())
        accept();
}

void VeroeffentlichenMitFortschritt(veroeffentlichen::Lauf& lauf, QWidget* parent)
{
    QProgressDialog progress(parent);
    progress.setObjectName(QStringLiteral("dlgVeroeffentlichen"));
    progress.setWindowTitle(QStringLiteral("Veröffentlichen"));
    progress.setCancelButtonText(QStringLiteral("Abbrechen"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumDuration(0);
    progress.setRange(0, lauf.anzahl());
    progress.setValue(0);
    QEventLoop loop;
    // The label names the sheet before its step; each step is queued, so a click on "Abbrechen"
    // is seen before the next sheet.
    std::function<void()> step = [&] {
        if (progress.wasCanceled())
            lauf.Abbrechen();
        if (lauf.fertig()) {
            loop.quit();
            return;
        }
        progress.setLabelText(lauf.Fortschritt());
        QTimer::singleShot(0, &progress, [&] {
            if (!progress.wasCanceled()) {
                lauf.Schritt();
                progress.setValue(lauf.erledigt());
            }
            QTimer::singleShot(0, &progress, step);
        });
    };
    QTimer::singleShot(0, &progress, step);
    progress.show();
    loop.exec();
    progress.close();
}

void ZeigeAbschluss(const VeroeffentlichenControl& control, const veroeffentlichen::Ergebnis& ergebnis,
                    QWidget* parent)
{
    const bool fehler = !ergebnis.fehler.isEmpty() || ergebnis.abgebrochen;
    QMessageBox box(fehler ? QMessageBox::Warning : QMessageBox::Information, platform::programTitle(),
                    veroeffentlichen::Abschluss(ergebnis), QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("msgVeroeffentlicht"));
    QPushButton* open = box.addButton(QStringLiteral("Ordner öffnen"), QMessageBox::ActionRole);
    open->setObjectName(QStringLiteral("cmdOrdnerOeffnen"));
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    if (box.clickedButton() == open)
        control.OrdnerOeffnen();
}
