#include "NameCountForm.h"

#include "NameCountControl.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

using operations::NameCountControl;

NameCountForm::NameCountForm(NameCountControl& control, const Captions& captions, QWidget* parent)
    : QDialog(parent), m_control(control)
{
    buildControls(captions);
    m_control.Form_Load();
    txtDokument->setText(m_control.Dokument);
    if (txtQuelle)
        txtQuelle->setText(m_control.Quelle);
    txtLayout->setText(m_control.Layout);
    txtAnzahl->setText(m_control.Anzahl);
    if (txtSchritt) {
        txtSchritt->setText(m_control.Schritt);
        connect(txtSchritt, &QLineEdit::textChanged, this, [this](const QString& text) {
            m_control.Schritt = text;
            UpdateStartButton();
            UpdateVorschau();
        });
        txtSchritt->installEventFilter(this);
    }
    UpdateStartButton();
    UpdateVorschau();
    connect(txtLayout, &QLineEdit::textChanged, this, &NameCountForm::UpdateStartButton);
    connect(txtAnzahl, &QLineEdit::textChanged, this, &NameCountForm::UpdateStartButton);
    if (lstVorschau) {
        connect(txtLayout, &QLineEdit::textChanged, this, &NameCountForm::UpdateVorschau);
        connect(txtAnzahl, &QLineEdit::textChanged, this, &NameCountForm::UpdateVorschau);
    }
    connect(cmdStart, &QPushButton::clicked, this, &NameCountForm::start);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    txtLayout->installEventFilter(this);
    txtAnzahl->installEventFilter(this);
    txtLayout->setFocus();
    txtLayout->selectAll();
}

NameCountForm::~NameCountForm() = default;

void NameCountForm::buildControls(const Captions& captions)
{
    setWindowTitle(captions.title);
    setModal(true);
    m_fields = new QFormLayout;
    txtDokument = addField(QStringLiteral("txtDokument"), QStringLiteral("Zeichnung:"), false);
    if (captions.withSource)
        txtQuelle = addField(QStringLiteral("txtQuelle"), QStringLiteral("Quell-Layout:"), false);
    txtLayout = addField(QStringLiteral("txtLayout"), QStringLiteral("Layout-Name:"), true);
    txtAnzahl = addField(QStringLiteral("txtAnzahl"), captions.count, true);
    if (m_control.HatSchritt())
        txtSchritt = addField(QStringLiteral("txtSchritt"), QStringLiteral("Schrittweite:"), true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (auto [button, name, text] :
         {std::tuple{&cmdStart, "cmdStart", "&Fertigstellen"},
          std::tuple{&cmdCancel, "cmdCancel", "&Abbrechen"}, std::tuple{&cmdHelp, "cmdHelp", "&Hilfe"}}) {
        *button = new QPushButton(QString::fromUtf8(text), this);
        (*button)->setObjectName(QString::fromUtf8(name));
        (*button)->setFocusPolicy(Qt::NoFocus);
        (*button)->setAutoDefault(false);
        buttons->addWidget(*button);
    }
    cmdStart->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_fields);
    if (m_control.HatVorschau()) {
        lstVorschau = new QListWidget(this);
        lstVorschau->setObjectName(QStringLiteral("lstVorschau"));
        lstVorschau->setAccessibleName(QStringLiteral("Vorschau"));
        lstVorschau->setFocusPolicy(Qt::NoFocus);
        lstVorschau->setSelectionMode(QAbstractItemView::NoSelection);
        auto* caption = new QLabel(QStringLiteral("Vorschau:"), this);
        caption->setBuddy(lstVorschau);
        layout->addWidget(caption);
        layout->addWidget(lstVorschau);
    }
    layout->addLayout(buttons);
    setMinimumWidth(420);
}

QLineEdit* NameCountForm::addField(const QString& name, const QString& label, bool editable)
{
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    if (!editable) {
        field->setReadOnly(true);
        field->setFocusPolicy(Qt::NoFocus);
        QPalette grey = field->palette();
        grey.setColor(QPalette::Base, grey.color(QPalette::Window));
        field->setPalette(grey);
    }
    auto* caption = new QLabel(label, this);
    caption->setBuddy(field);
    m_fields->addRow(caption, field);
    return field;
}

void NameCountForm::UpdateStartButton()
{
    cmdStart->setEnabled(m_control.StartAllowed(txtLayout->text(), txtAnzahl->text()));
}

// A line whose new name would fail is marked and says why.
void NameCountForm::UpdateVorschau()
{
    if (!lstVorschau)
        return;
    lstVorschau->clear();
    const QIcon mark = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (const NameCountControl::VorschauZeile& line :
         m_control.Vorschau(txtLayout->text(), txtAnzahl->text())) {
        auto* item = new QListWidgetItem(line.text, lstVorschau);
        if (line.problem.isEmpty())
            continue;
        item->setIcon(mark);
        item->setText(line.text + QStringLiteral(" – ") + line.problem);
        item->setToolTip(line.problem);
        item->setForeground(QColor(0xB0, 0x00, 0x00));
    }
}

// Only the user's own moves between the fields are checked; the window losing the focus, or the
// focus coming back to a refused field, is not.
bool NameCountForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
            reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason)
            if (auto* field = qobject_cast<QLineEdit*>(watched))
                validateOnLeave(field);
    }
    return QDialog::eventFilter(watched, event);
}

void NameCountForm::validateOnLeave(QLineEdit* field)
{
    const bool valid = field == txtLayout ? m_control.ValidateName(field->text())
                                          : NameCountControl::ValidateAnzahl(field->text());
    if (!valid)
        refocus(field);
}

// After the focus event is done: the focus goes back to the field with its text selected.
void NameCountForm::refocus(QLineEdit* field)
{
    QTimer::singleShot(0, field, [field] {
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
    });
}

void NameCountForm::start()
{
    switch (m_control.cmdStart(txtLayout->text(), txtAnzahl->text())) {
    case NameCountControl::Outcome::Close:
        accept();
        break;
    case NameCountControl::Outcome::StayInName:
        refocus(txtLayout);
        break;
    case NameCountControl::Outcome::StayInCount:
        refocus(txtAnzahl);
        break;
    }
}

frmKopieren::frmKopieren(NameCountControl& control, QWidget* parent)
    : NameCountForm(control, {QStringLiteral("Layout kopieren"), QStringLiteral("Anzahl:"), true}, parent)
{
}

frmUmbenennen::frmUmbenennen(NameCountControl& control, QWidget* parent)
    : NameCountForm(control,
                    {QStringLiteral("Layouts mehrfach umbenennen"), QStringLiteral("Laufende-Nr.:"), false},
                    parent)
{
}
