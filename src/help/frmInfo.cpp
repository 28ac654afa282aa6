#include "frmInfo.h"

#include "InfoControl.h"
#include "ProductPicture.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kPictureSize = 64;

} // namespace

frmInfo::frmInfo(InfoControl& control, QWidget* parent) : QDialog(parent), m_control(control)
{
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(QStringLiteral("Info zum KV+ -Blattwart"));
    setModal(true);
    auto* texts = new QVBoxLayout;
    auto* top = new QHBoxLayout;
    buildPicture();
    top->addWidget(Picture1, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    setLayout(all);
    lblVersion =
        addLabel(QStringLiteral("lblVersion"), InfoControl::versionText(InfoControl::buildVersion()));
    const QStringList maker = InfoControl::makerTexts();
    Label1 = addLabel(QStringLiteral("Label1"), maker.value(0));
    for (int i = 0; i < int(Label.size()); ++i)
        Label[i] = addLabel(QStringLiteral("Label%1").arg(i + 5), maker.value(i + 1));
    lblEMail = addLink(QStringLiteral("lblEMail"), InfoControl::eMailText());
    lblInternet = addLink(QStringLiteral("lblInternet"), InfoControl::internetText());
    for (QLabel* l : {lblVersion, Label1, Label[0], Label[1], Label[2], Label[3], Label[4], lblEMail,
                      lblInternet, Label[5]})
        texts->addWidget(l);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    lblVersion->setFont(bold);
    connect(lblEMail, &QLabel::linkActivated, this, [this] { m_control.lblEMail_Click(); });
    connect(lblInternet, &QLabel::linkActivated, this, [this] { m_control.lblInternet_Click(); });
    buildButtons();
}

void frmInfo::ShowModal(QWidget* parent, basHTMLHelp::HTMLHelp& htmlHelp, help::Shell& shell)
{
    InfoControl control(htmlHelp, shell);
    frmInfo box(control, parent);
    box.exec();
}

QLabel* frmInfo::addLabel(const QString& name, const QString& text)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    return label;
}

// A clickable text: the address goes to the desktop through the control, never straight from Qt.
QLabel* frmInfo::addLink(const QString& name, const QString& text)
{
    QLabel* label = addLabel(name, QStringLiteral("<a href=\"#\">%1</a>").arg(text.toHtmlEscaped()));
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label->setOpenExternalLinks(false);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

void frmInfo::buildPicture()
{
    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    const qreal ratio = devicePixelRatioF();
    QPixmap picture = QPixmap::fromImage(help::paintProductPicture(qRound(kPictureSize * ratio)));
    picture.setDevicePixelRatio(ratio);
    Picture1->setPixmap(picture);
    Picture1->setFixedSize(kPictureSize, kPictureSize);
}

void frmInfo::buildButtons()
{
    auto* row = new QHBoxLayout;
    cmdFirmaInfo = new QPushButton(QStringLiteral("Herstellerinformationen"), this);
    cmdFirmaInfo->setObjectName(QStringLiteral("cmdFirmaInfo"));
    cmdSysInfo = new QPushButton(QStringLiteral("Systeminformationen"), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    row->addWidget(cmdFirmaInfo);
    row->addWidget(cmdSysInfo);
    row->addStretch(1);
    row->addWidget(cmdOK);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
    connect(cmdFirmaInfo, &QPushButton::clicked, this, [this] { m_control.cmdFirmaInfo_Click(); });
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] { m_control.StartSysInfo(); });
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}
