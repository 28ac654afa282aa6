#include "frmRendlo.h"

#include "RendloControl.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <platform/AccessibleRole.h>

namespace {

QColor fromBgr(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

} // namespace

QColor frmRendlo::progressColour()
{
    return fromBgr(0x800000);
}

frmRendlo::frmRendlo(RendloControl& control, QWidget* parent) : QWidget(parent), m_control(control)
{
    // Before anything else: a screen reader's first question about the window fixes its role.
    platform::setAccessibleRole(this, platform::AccessibleRole::Frame);
    buildControls();
    connect(cmdStart, &QPushButton::clicked, &m_control, &RendloControl::cmdStart);
    connect(cmdWeiter, &QPushButton::clicked, &m_control, &RendloControl::cmdWeiter);
    connect(ctlTimer, &QTimer::timeout, this, &frmRendlo::ctlTimer_Timer);
    connect(&m_control, &RendloControl::ready, this, &frmRendlo::onReady);
    connect(&m_control, &RendloControl::finished, this, &QWidget::close);
    ctlTimer->start();
}

frmRendlo::~frmRendlo() = default;

void frmRendlo::buildControls()
{
    setWindowTitle(QStringLiteral("AutoCAD-Konfiguration"));
    Frame1 = new QGroupBox(this);
    Label1 = new QLabel(QStringLiteral("AutoCAD-Systemeinstellungen werden aktualisiert!"), Frame1);
    lblWarten = new QLabel(QStringLiteral("Bitte warten ..."), Frame1);
    auto* boxes = new QHBoxLayout;
    boxes->setSpacing(4);
    for (std::size_t i = 0; i < Picture.size(); ++i) {
        Picture[i] = new QFrame(Frame1);
        Picture[i]->setObjectName(QStringLiteral("Picture%1").arg(i + 1));
        Picture[i]->setFrameShape(QFrame::Panel);
        Picture[i]->setFrameShadow(QFrame::Sunken);
        Picture[i]->setFixedSize(18, 18);
        Picture[i]->setAutoFillBackground(true);
        Picture[i]->setAccessibleName(QStringLiteral("Fortschritt %1 von %2").arg(i + 1).arg(Picture.size()));
        boxes->addWidget(Picture[i]);
    }
    boxes->addStretch();
    auto* frameLayout = new QVBoxLayout(Frame1);
    frameLayout->addWidget(Label1);
    frameLayout->addWidget(lblWarten);
    frameLayout->addLayout(boxes);

    cmdStart = new QPushButton(QStringLiteral("&AutoCAD starten"), this);
    cmdWeiter = new QPushButton(QStringLiteral("&Beenden"), this);
    cmdStart->setEnabled(false);
    cmdWeiter->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdStart);
    buttons->addWidget(cmdWeiter);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addLayout(buttons);

    ctlTimer = new QTimer(this);
    ctlTimer->setInterval(700);
}

void frmRendlo::ctlTimer_Timer()
{
    const qint16 step = m_control.tick();
    if (step >= 1 && step <= 10) {
        paintBox(Picture[std::size_t(step - 1)], progressColour());
        return;
    }
    for (QFrame* box : Picture)
        paintBox(box, palette().color(QPalette::Button));
}

void frmRendlo::paintBox(QFrame* box, const QColor& colour)
{
    QPalette p = box->palette();
    p.setColor(QPalette::Window, colour);
    box->setPalette(p);
    box->setAccessibleDescription(colour == progressColour() ? QStringLiteral("gefüllt")
                                                             : QStringLiteral("leer"));
}

void frmRendlo::onReady()
{
    lblWarten->hide();
    cmdStart->setEnabled(true);
    cmdWeiter->setEnabled(true);
}

void frmRendlo::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Activation runs the configuration once the window is on screen.
    QTimer::singleShot(0, &m_control, &RendloControl::Activate);
}

void frmRendlo::closeEvent(QCloseEvent* event)
{
    ctlTimer->stop();
    m_control.closedWithoutButton();
    event->accept();
}
