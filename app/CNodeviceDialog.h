#pragma once

#include "app/NodeviceLinks.h"

#include <QDialog>
#include <QEvent>

class CToolbarBtnEx;
class CTransStatic;

// Posted by the no-device window to the main window: search for the device
// again. Both parameters of the original message were 0, so the event
// carries nothing.
inline constexpr int WM_RESCAN_DEVICE = 0x8009;
inline constexpr QEvent::Type kRescanDeviceEvent = static_cast<QEvent::Type>(WM_RESCAN_DEVICE);

// The modeless window that explains how to connect an iPod when none was
// found. The main window creates it hidden with itself as parent, shows it
// when a search finds nothing and hides it when a device turns up. Rescan
// asks the parent to search again; Cancel only hides the window; the two
// links open the help page beside the program.
class CNodeviceDialog : public QDialog {
    Q_OBJECT
public:
    explicit CNodeviceDialog(QWidget* mainWindow = nullptr);

    // Shows the window above the main window, also when it is up already
    // but has been covered.
    void Present();

    QRect linkRect1() const { return linkRect1_; }
    QRect linkRect2() const { return linkRect2_; }
    LinkHover Hover() const { return hover_; }
    CTransStatic* Label(int controlId) const;
    CToolbarBtnEx* RescanButton() const { return rescan_; }
    CToolbarBtnEx* CancelButton() const { return cancel_; }

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void OnRescan();
    void ShowLinkModes();

    CToolbarBtnEx* rescan_;
    CToolbarBtnEx* cancel_;
    QRect linkRect1_;
    QRect linkRect2_;
    LinkHover hover_;
};
