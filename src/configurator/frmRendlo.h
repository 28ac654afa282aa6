#pragma once

#include <QWidget>
#include <array>

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;
class RendloControl;

// Rendlo's window: two labels, ten progress boxes, two buttons and the 700 ms timer.
class frmRendlo final : public QWidget
{
    Q_OBJECT

public:
    // Dark blue, 800000 hexadecimal in the blue-green-red order of the Windows colour values.
    static QColor progressColour();

    explicit frmRendlo(RendloControl& control, QWidget* parent = nullptr);
    ~frmRendlo() override;

    QLabel* Label1 = nullptr;
    QLabel* lblWarten = nullptr;
    std::array<QFrame*, 10> Picture{};
    QPushButton* cmdStart = nullptr;
    QPushButton* cmdWeiter = nullptr;
    QTimer* ctlTimer = nullptr;
    QGroupBox* Frame1 = nullptr;

    // One step of the progress display, as the timer runs it.
    void ctlTimer_Timer();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void paintBox(QFrame* box, const QColor& colour);
    void onReady();

    RendloControl& m_control;
};
