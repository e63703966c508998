#include "app/CNodeviceDialog.h"

#include "app/NodeviceBackground.h"
#include "app/TabOrder.h"
#include "controls/DialogFont.h"
#include "controls/LinkLabel.h"
#include "controls/SkinnedWindowPaint.h"
#include "controls/ToolbarBtnEx.h"
#include "controls/WindowOutline.h"
#include "platform/DialogPlacement.h"
#include "platform/OpenLocation.h"
#include "resources/Template139.h"
#include "resources/TemplateLayout.h"
#include "resources/TextFit.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace {

const TemplateLayout kLayout(NodeviceDialogTemplate());
constexpr int kRightMarginUnits = 7; // as wide as the left margin of the title

bool IsLink(int controlId) {
    return controlId == IDC_NODEVICE_LINK_DISKMODE || controlId == IDC_NODEVICE_LINK_HOWTO;
}

// Text modes of the labels: headings bold, step 1 red, links blue.
int ModeOf(int controlId) {
    switch (controlId) {
    case IDC_NODEVICE_TITLE:
    case IDC_NODEVICE_HOWTO_HEADING:
    case IDC_NODEVICE_MOREHELP:
        return 4;
    case IDC_NODEVICE_STEP1:
        return 2;
    default:
        return IsLink(controlId) ? kLinkModeAtRest : 0;
    }
}

// The label's place, grown where the desktop font needs more room than the
// template gave, but never into the window's right margin.
QRect FittedPlace(const CTransStatic& label, int controlId, int windowWidth) {
    QFont font = label.font();
    font.setBold(LookForMode(label.Mode()).bold);
    const int margin = kLayout.UnitsToPixelsX(kRightMarginUnits);
    return FitTextInto(kLayout.PlaceOf(controlId), QFontMetrics(font), label.Text(),
                       windowWidth - margin - 1);
}

} // namespace

CNodeviceDialog::CNodeviceDialog(QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint),
      rescan_(new CToolbarBtnEx(kLayout.TextOf(IDC_NODEVICE_RESCAN), this)),
      cancel_(new CToolbarBtnEx(kLayout.TextOf(IDC_NODEVICE_CANCEL), this)) {
    setWindowTitle(QStringLiteral("Corvane"));
    setFont(DialogFont());
    setFixedSize(kLayout.ClientSize());
    setMouseTracking(true); // link hover needs moves without a pressed button
    for (const DialogControl& control : NodeviceDialogTemplate().controls) {
        if (control.kind != ControlKind::StaticText)
            continue;
        auto* label = IsLink(control.id) ? new CLinkLabel(CaptionOf(control), this)
                                         : new CTransStatic(CaptionOf(control), this);
        label->setObjectName(QString::number(control.id));
        label->SetMode(ModeOf(control.id));
        label->setGeometry(FittedPlace(*label, control.id, width()));
    }
    // The links are hot over the labels as laid out, not as drawn in units.
    linkRect1_ = Label(IDC_NODEVICE_LINK_DISKMODE)->geometry();
    linkRect2_ = Label(IDC_NODEVICE_LINK_HOWTO)->geometry();
    rescan_->setObjectName(QString::number(IDC_NODEVICE_RESCAN));
    rescan_->setGeometry(kLayout.PlaceOf(IDC_NODEVICE_RESCAN));
    cancel_->setObjectName(QString::number(IDC_NODEVICE_CANCEL));
    cancel_->setGeometry(kLayout.PlaceOf(IDC_NODEVICE_CANCEL));
    ApplyTemplateTabOrder(*this, NodeviceDialogTemplate());
    connect(rescan_, &QAbstractButton::clicked, this, &CNodeviceDialog::OnRescan);
    connect(cancel_, &QAbstractButton::clicked, this, &QWidget::hide);
    // What the pointer over a link opens, the keyboard opens on it too.
    for (const LinkHover hot : {LinkHover{true, false}, LinkHover{false, true}}) {
        auto* link = qobject_cast<CLinkLabel*>(
            Label(hot.hot1 ? IDC_NODEVICE_LINK_DISKMODE : IDC_NODEVICE_LINK_HOWTO));
        connect(link, &CLinkLabel::activated, this,
                [section = HelpSectionOf(hot)] { OpenHelpSection(section); });
    }
}

CTransStatic* CNodeviceDialog::Label(int controlId) const {
    return findChild<CTransStatic*>(QString::number(controlId), Qt::FindDirectChildrenOnly);
}

void CNodeviceDialog::OnRescan() {
    if (QWidget* mainWindow = parentWidget())
        QCoreApplication::postEvent(mainWindow, new QEvent(kRescanDeviceEvent));
}

void CNodeviceDialog::mouseMoveEvent(QMouseEvent* event) {
    hover_ = HoverAt(event->position().toPoint(), linkRect1_, linkRect2_);
    setCursor(hover_.any() ? Qt::PointingHandCursor : Qt::ArrowCursor);
    ShowLinkModes();
    QDialog::mouseMoveEvent(event);
}

void CNodeviceDialog::ShowLinkModes() {
    for (auto [id, hot] : {std::pair{IDC_NODEVICE_LINK_DISKMODE, hover_.hot1},
                           std::pair{IDC_NODEVICE_LINK_HOWTO, hover_.hot2}}) {
        CTransStatic* link = Label(id);
        link->SetMode(LinkMode(hot));
        link->update();
    }
}

void CNodeviceDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && hover_.any())
        OpenHelpSection(HelpSectionOf(hover_));
    QDialog::mousePressEvent(event);
}

void CNodeviceDialog::Present() {
    // A window manager stacks a window mapped later above one mapped before,
    // transient or not: during start-up the main window goes up first.
    if (QWidget* owner = parentWidget(); owner && !owner->window()->isVisible())
        owner->window()->show();
    show();
    raise();
}

// Centred over the main window each time it comes up, wherever that window
// has been dragged since.
void CNodeviceDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    PlaceOverOwner(*this);
}

void CNodeviceDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    setMask(WindowShapeRegion(size()));
}

void CNodeviceDialog::paintEvent(QPaintEvent*) {
    PaintSkinnedWindow(*this, NodeviceBackground(), {rescan_, cancel_});
}
