#include "ControlsTestSupport.h"

#include "controls/ButtonRules.h"
#include "controls/LinkLabel.h"
#include "controls/MenuButton.h"
#include "controls/TitleButton.h"
#include "controls/ToolbarBtn.h"
#include "controls/ToolbarBtnEx.h"
#include "controls/TransCheck.h"

#include <QAccessible>
#include <QApplication>
#include <QFocusEvent>

#include <functional>

namespace {

// One control beside a plain widget that can hold the focus and shows nothing.
struct FocusStage {
    QWidget window;
    QWidget* sink = new QWidget(&window);
    QWidget* control;

    explicit FocusStage(const std::function<QWidget*(QWidget*)>& make) : control(make(&window)) {
        window.resize(300, 80);
        sink->setGeometry(0, 60, 10, 10);
        sink->setFocusPolicy(Qt::StrongFocus);
        control->move(20, 20);
        ShowAndSettle(window);
        window.activateWindow();
        EXPECT_TRUE(WaitUntil([&] { return QApplication::activeWindow() == &window; }));
        sink->setFocus(Qt::OtherFocusReason);
    }

    QImage Shot() {
        ProcessPendingEvents();
        return window.grab().toImage();
    }
};

QRect Differences(const QImage& a, const QImage& b) {
    QRect box;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

struct FrameCase {
    const char* what;
    std::function<QWidget*(QWidget*)> make;
    std::function<QRect(QWidget*)> frame; // where the focus frame may go, in the control's pixels
};

template <typename Button> FrameCase ButtonCase(const char* caption) {
    return {caption,
            [caption](QWidget* parent) {
                auto* button = new Button(QString::fromLatin1(caption), parent);
                button->resize(100, 30);
                return button;
            },
            [](QWidget* control) {
                auto* button = static_cast<Button*>(control);
                return FocusFrameRect(button->Face().kind, button->rect());
            }};
}

void SendFocus(QWidget* control, QEvent::Type type, Qt::FocusReason reason) {
    QFocusEvent event(type, reason);
    QApplication::sendEvent(control, &event);
}

TEST(FocusFrame, DrawnInsideTheControlForTheKeyboardOnlyAndBackWithItsWindow) {
    const FrameCase cases[] = {
        ButtonCase<CToolbarBtnEx>("Browse"),
        ButtonCase<CToolbarBtn>("Copy to Computer"),
        ButtonCase<CMenuButton>("Help"),
        ButtonCase<CTitleButton>("x"),
        {"check box",
         [](QWidget* parent) {
             auto* check = new CTransCheck(QStringLiteral("Overwrite existing file"), parent);
             check->resize(200, 16);
             return check;
         },
         [](QWidget* c) { return static_cast<CTransCheck*>(c)->Face().focusFrame(c->rect()); }},
        {"link",
         [](QWidget* parent) {
             auto* link = new CLinkLabel(QStringLiteral("How to configure iPod?"), parent);
             link->resize(160, 16);
             return link;
         },
         [](QWidget* c) { return c->rect(); }},
    };
    for (const FrameCase& c : cases) {
        SCOPED_TRACE(c.what);
        FocusStage stage(c.make);
        const QImage unfocused = stage.Shot();

        stage.control->setFocus(Qt::MouseFocusReason);
        ASSERT_TRUE(stage.control->hasFocus());
        EXPECT_TRUE(stage.Shot() == unfocused) << "the mouse's focus changed the picture";

        stage.sink->setFocus(Qt::OtherFocusReason);
        stage.control->setFocus(Qt::TabFocusReason);
        const QImage focused = stage.Shot();
        const QRect changed = Differences(focused, unfocused);
        EXPECT_FALSE(changed.isEmpty()) << "no focus frame";
        EXPECT_TRUE(c.frame(stage.control).translated(stage.control->pos()).contains(changed))
            << "drawn at " << changed.x() << "," << changed.y() << " " << changed.width() << "x"
            << changed.height();

        // The window loses its activation and gets it back: the focus leaves and returns.
        SendFocus(stage.control, QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        EXPECT_TRUE(stage.Shot() == unfocused) << "an inactive window shows the frame";
        SendFocus(stage.control, QEvent::FocusIn, Qt::ActiveWindowFocusReason);
        EXPECT_TRUE(stage.Shot() == focused) << "the frame did not come back";

        stage.sink->setFocus(Qt::BacktabFocusReason);
        EXPECT_TRUE(stage.Shot() == unfocused) << "the frame stayed behind";
    }
}

TEST(LabelForScreenReaders, AStaticTextCarryingTheTextAsPainted) {
    struct Case {
        const char* text;
        StaticStyles styles;
        const char* name;
    };
    const Case cases[] = {
        {"Output to:", StaticStyle::Left, "Output to:"},
        {"Rock && &Roll", StaticStyle::Left, "Rock & Roll"},
        {"Rock && Roll", StaticStyle::NoPrefix, "Rock && Roll"},
    };
    for (const Case& c : cases) {
        CTransStatic label(QString::fromUtf8(c.text));
        label.SetStyles(c.styles);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&label);
        ASSERT_NE(iface, nullptr);
        EXPECT_EQ(iface->role(), QAccessible::StaticText);
        EXPECT_EQ(iface->text(QAccessible::Name), c.name);
        EXPECT_FALSE(iface->state().focusable);
    }
}

} // namespace
