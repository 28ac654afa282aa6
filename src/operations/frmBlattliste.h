#pragma once

#include "BlattlisteControl.h"

#include <QWidget>
#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// "Blattliste": the sheets of every loaded drawing in a table with a filter, the summary of the
// checks, and "Exportieren ..." and "Kopieren". Not modal. It opens with the size and column widths
// it was left with (per-user settings). A refresh keeps the filter and the selected
// sheet; a double click (or Enter) makes the sheet current in the CAD program.
class frmBlattliste final : public QWidget
{
    Q_OBJECT

public:
    explicit frmBlattliste(operations::BlattlisteControl& control, QWidget* parent = nullptr);
    ~frmBlattliste() override;

    QLineEdit* txtFilter = nullptr;
    QTableView* tblBlaetter = nullptr;
    QLabel* lblZusammenfassung = nullptr;
    QCheckBox* chkAbweichung = nullptr;
    QPushButton* cmdSeiteEinrichten = nullptr;
    QPushButton* cmdExport = nullptr;
    QPushButton* cmdCopy = nullptr;
    QPushButton* cmdPublish = nullptr;
    QPushButton* cmdClose = nullptr;

    // Asks for the file "Exportieren ..." writes; empty: cancelled. A file dialog unless replaced.
    std::function<QString()> chooseExportFile;

    // "Veröffentlichen ..." with the selected sheets; set by the command module.
    std::function<void(const QList<veroeffentlichen::Wahl>&)> publish;

    // Reads the sheets anew (the watch and the opening call it).
    void Refresh();
    // The selected sheets, in the order shown.
    QList<operations::BlattlisteControl::Key> selectedKeys() const;

signals:
    // "Seite einrichten übernehmen ..." was clicked.
    void seiteEinrichten();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void buildControls();
    void nameClearButton();
    void restoreSize();
    void restoreSort();
    void sizeColumns();
    void saveSize() const;
    QPushButton* addButton(const char* name, const QString& text);
    void rememberSelection();
    void restoreSelection();
    void updateSummary();
    void compare(bool on);
    void showComparison();
    void exportCsv();
    void copy();
    void publishSelected();
    QList<int> selectedRows() const;
    QString askExportFile();

    operations::BlattlisteControl& m_control;
    std::optional<operations::BlattlisteControl::Key> m_selected;
    bool m_columnsSized = false;
};
