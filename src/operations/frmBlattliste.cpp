#include "frmBlattliste.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <explorer/ViewSettings.h>
#include <explorer/controls/Twips.h>
#include <platform/AccessibleRole.h>
#include <platform/MsgBox.h>

namespace viewsettings = explorer::viewsettings;

namespace {
const QString kSortSetting = QStringLiteral("Blattliste");
}

frmBlattliste::frmBlattliste(operations::BlattlisteControl& control, QWidget* parent)
    : QWidget(parent, Qt::Window), m_control(control)
{
    // Before anything else: a screen reader's first question about the window fixes its role.
    platform::setAccessibleRole(this, platform::AccessibleRole::Frame);
    chooseExportFile = [this] { return askExportFile(); };
    m_control.model()->setMarke(style()->standardIcon(QStyle::SP_MessageBoxWarning));
    buildControls();
    QSortFilterProxyModel* proxy = m_control.proxy();
    connect(proxy, &QAbstractItemModel::modelAboutToBeReset, this, &frmBlattliste::rememberSelection);
    connect(proxy, &QAbstractItemModel::modelReset, this, &frmBlattliste::restoreSelection);
    connect(proxy, &QAbstractItemModel::rowsInserted, this, &frmBlattliste::updateSummary);
    connect(proxy, &QAbstractItemModel::rowsRemoved, this, &frmBlattliste::updateSummary);
    connect(proxy, &QAbstractItemModel::layoutChanged, this, &frmBlattliste::updateSummary);
    connect(txtFilter, &QLineEdit::textChanged, &m_control, &operations::BlattlisteControl::setFilter);
    connect(txtFilter, &QLineEdit::textChanged, this, &frmBlattliste::updateSummary);
    connect(tblBlaetter, &QTableView::activated, this,
            [this](const QModelIndex& index) { m_control.Activate(index.row()); });
    connect(chkAbweichung, &QCheckBox::toggled, this, &frmBlattliste::compare);
    connect(cmdSeiteEinrichten, &QPushButton::clicked, this, &frmBlattliste::seiteEinrichten);
    connect(cmdExport, &QPushButton::clicked, this, &frmBlattliste::exportCsv);
    connect(cmdCopy, &QPushButton::clicked, this, &frmBlattliste::copy);
    connect(cmdPublish, &QPushButton::clicked, this, &frmBlattliste::publishSelected);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(tblBlaetter->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            [](int column, Qt::SortOrder order) {
                viewsettings::setListSort(kSortSetting, {column, order == Qt::DescendingOrder ? 1 : 0});
            });
}

// Drawing by drawing, each in tab order, until a header is clicked; then the user's last choice.
void frmBlattliste::restoreSort()
{
    const viewsettings::ListSort sort =
        viewsettings::listSort(kSortSetting).value_or(viewsettings::ListSort{});
    const int column = sort.column < m_control.proxy()->columnCount() ? sort.column : -1;
    tblBlaetter->sortByColumn(column, sort.order == 1 ? Qt::DescendingOrder : Qt::AscendingOrder);
}

// Ending the program destroys the list without hiding it first.
frmBlattliste::~frmBlattliste()
{
    if (isVisible())
        saveSize();
}

void frmBlattliste::hideEvent(QHideEvent* event)
{
    saveSize();
    QWidget::hideEvent(event);
}

void frmBlattliste::saveSize() const
{
    viewsettings::setPlacement(viewsettings::Key::SheetListWidth, explorer::pixelsToTwips(width(), this));
    viewsettings::setPlacement(viewsettings::Key::SheetListHeight, explorer::pixelsToTwips(height(), this));
    if (!m_columnsSized)
        return;
    for (int column = 0; column < m_control.proxy()->columnCount(); ++column)
        viewsettings::setSheetListColumnWidth(
            column, qint32(explorer::pixelsToTwips(tblBlaetter->columnWidth(column), this)));
}

void frmBlattliste::restoreSize()
{
    const QSize wanted(
        explorer::twipsToPixels(viewsettings::placement(viewsettings::Key::SheetListWidth), this),
        explorer::twipsToPixels(viewsettings::placement(viewsettings::Key::SheetListHeight), this));
    resize(wanted.expandedTo(minimumSizeHint()));
}

// The first filling gives each column its stored width, else the width of its contents; later ones
// leave the widths as the user has them.
void frmBlattliste::sizeColumns()
{
    if (m_columnsSized || m_control.proxy()->rowCount() == 0)
        return;
    m_columnsSized = true;
    for (int column = 0; column < m_control.proxy()->columnCount(); ++column) {
        const std::optional<qint32> stored = viewsettings::sheetListColumnWidth(column);
        if (stored)
            tblBlaetter->setColumnWidth(column, explorer::twipsToPixels(*stored, this));
        else
            tblBlaetter->resizeColumnToContents(column);
    }
}

// The line edit's clear button is a tool button of its own; without a name a screen reader only
// says "button".
void frmBlattliste::nameClearButton()
{
    for (QToolButton* button : txtFilter->findChildren<QToolButton*>()) {
        button->setAccessibleName(QStringLiteral("Filter leeren"));
        button->setToolTip(QStringLiteral("Filter leeren"));
    }
}

void frmBlattliste::buildControls()
{
    setObjectName(QStringLiteral("frmBlattliste"));
    setWindowTitle(QStringLiteral("Blattliste"));
    setAccessibleName(QStringLiteral("Blattliste"));
    txtFilter = new QLineEdit(this);
    txtFilter->setObjectName(QStringLiteral("txtFilter"));
    txtFilter->setAccessibleName(QStringLiteral("Filter"));
    txtFilter->setPlaceholderText(QStringLiteral("Zeilen mit diesem Text in einer Spalte"));
    txtFilter->setClearButtonEnabled(true);
    nameClearButton();
    auto* caption = new QLabel(QStringLiteral("&Filter:"), this);
    caption->setObjectName(QStringLiteral("lblFilter"));
    caption->setBuddy(txtFilter);

    tblBlaetter = new QTableView(this);
    tblBlaetter->setObjectName(QStringLiteral("tblBlaetter"));
    tblBlaetter->setAccessibleName(QStringLiteral("Blätter"));
    tblBlaetter->setModel(m_control.proxy());
    tblBlaetter->setSortingEnabled(true);
    restoreSort();
    tblBlaetter->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Several sheets, across drawings, take one page setup or are published at once.
    tblBlaetter->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tblBlaetter->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblBlaetter->setAlternatingRowColors(true);
    tblBlaetter->setWordWrap(false);
    tblBlaetter->verticalHeader()->hide();
    // One line of text per sheet, whatever the style's default row height.
    tblBlaetter->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tblBlaetter->verticalHeader()->setDefaultSectionSize(
        qMax(fontMetrics().height(), style()->pixelMetric(QStyle::PM_SmallIconSize)) + 4);
    tblBlaetter->horizontalHeader()->setStretchLastSection(true);

    lblZusammenfassung = new QLabel(this);
    lblZusammenfassung->setObjectName(QStringLiteral("lblZusammenfassung"));
    lblZusammenfassung->setWordWrap(true);

    chkAbweichung = new QCheckBox(this);
    chkAbweichung->setObjectName(QStringLiteral("chkAbweichung"));
    showComparison();

    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(caption);
    filterRow->addWidget(txtFilter);
    filterRow->addWidget(chkAbweichung);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblZusammenfassung, 1);
    cmdSeiteEinrichten = addButton("cmdSeiteEinrichten", QStringLiteral("Seite einrichten übernehmen ..."));
    cmdExport = addButton("cmdExport", QStringLiteral("Exportieren ..."));
    cmdCopy = addButton("cmdCopy", QStringLiteral("Kopieren"));
    cmdPublish = addButton("cmdPublish", QStringLiteral("Veröffentlichen ..."));
    cmdClose = addButton("cmdClose", QStringLiteral("Schließen"));
    for (QPushButton* button : {cmdSeiteEinrichten, cmdPublish, cmdExport, cmdCopy, cmdClose})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filterRow);
    layout->addWidget(tblBlaetter, 1);
    layout->addLayout(buttons);
    restoreSize();
}

QPushButton* frmBlattliste::addButton(const char* name, const QString& text)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(text);
    button->setAutoDefault(false);
    return button;
}

void frmBlattliste::Refresh()
{
    m_control.Refresh();
    updateSummary();
}

void frmBlattliste::rememberSelection()
{
    const QModelIndex current = tblBlaetter->currentIndex();
    m_selected = current.isValid() ? m_control.keyOf(current.row()) : std::nullopt;
}

void frmBlattliste::restoreSelection()
{
    const int row = m_selected ? m_control.rowOf(*m_selected) : -1;
    if (row >= 0) {
        tblBlaetter->setCurrentIndex(m_control.proxy()->index(row, 0));
        tblBlaetter->selectRow(row);
    }
    sizeColumns();
    updateSummary();
}

void frmBlattliste::updateSummary()
{
    showComparison();
    lblZusammenfassung->setText(m_control.Zusammenfassung());
}

// The selected rows in the order shown, whatever order they were selected in.
QList<int> frmBlattliste::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : tblBlaetter->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

QList<operations::BlattlisteControl::Key> frmBlattliste::selectedKeys() const
{
    QList<operations::BlattlisteControl::Key> keys;
    for (int row : selectedRows()) {
        if (const auto key = m_control.keyOf(row))
            keys.append(*key);
    }
    return keys;
}

// "weicht von … ab" compares with the current sheet; without one there is nothing to compare with.
void frmBlattliste::compare(bool on)
{
    const QModelIndex current = tblBlaetter->currentIndex();
    if (on && !current.isValid())
        platform::MsgBox(QStringLiteral("Bitte zuerst das Blatt wählen, mit dem verglichen wird."),
                         platform::vbExclamation);
    m_control.setVergleich(on && current.isValid() ? m_control.keyOf(current.row()) : std::nullopt);
    updateSummary();
}

// A comparison ends when its sheet goes; the box follows the control.
void frmBlattliste::showComparison()
{
    const QString name = m_control.vergleichName();
    const QSignalBlocker blocker(chkAbweichung);
    chkAbweichung->setChecked(!name.isEmpty());
    chkAbweichung->setText(name.isEmpty()
                               ? QStringLiteral("&weicht vom gewählten Blatt ab")
                               : QStringLiteral("&weicht von „%1“ ab")
                                     .arg(QString(name).replace(QLatin1Char('&'), QStringLiteral("&&"))));
}

QString frmBlattliste::askExportFile()
{
    return QFileDialog::getSaveFileName(this, QStringLiteral("Blattliste exportieren"),
                                        QDir::home().filePath(QStringLiteral("Blattliste.csv")),
                                        QStringLiteral("CSV-Dateien (*.csv)"));
}

void frmBlattliste::exportCsv()
{
    const QString path = chooseExportFile();
    if (!path.isEmpty())
        m_control.ExportCsv(path);
}

void frmBlattliste::publishSelected()
{
    if (publish)
        publish(m_control.Auswahl(selectedRows()));
}

void frmBlattliste::copy()
{
    QApplication::clipboard()->setText(m_control.Tsv());
}
