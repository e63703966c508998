#include "ControlsTestSupport.h"

#include "controls/FocusCue.h"
#include "controls/LinkLabel.h"
#include "controls/MenuButton.h"
#include "controls/TitleButton.h"
#include "controls/ToolbarBtn.h"
#include "controls/ToolbarBtnEx.h"
#include "controls/TransCheck.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>

#include <functional>

namespace {

TEST(FocusCue, OnlyTheKeyboardsFocusShowsAndItComesBackWithTheWindow) {
    struct Case {
        Qt::FocusReason reason;
        bool shows;        // for a control that had shown no focus before
        bool showsAgain;   // for one that showed it when it left
        bool returnsLater; // as a reason to leave
    };
    const Case cases[] = {
        {Qt::TabFocusReason, true, true, false},
        {Qt::BacktabFocusReason, true, true, false},
        {Qt::ShortcutFocusReason, true, true, false},
        {Qt::MouseFocusReason, false, false, false},
        {Qt::OtherFocusReason, false, false, false},
        {Qt::ActiveWindowFocusReason, false, true, true},
        {Qt::PopupFocusReason, false, true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FocusCueShows(c.reason, false), c.shows) << c.reason;
        EXPECT_EQ(FocusCueShows(c.reason, true), c.showsAgain) << c.reason;
        EXPECT_EQ(FocusReturnsAfter(c.reason), c.returnsLater) << c.reason;
    }
}

void Key(QWidget* target, QEvent::Type type, int key) {
    QKeyEvent event(type, key, Qt::NoModifier,
                    key == Qt::Key_Space ? QStringLiteral(" ") : QString());
    QApplication::sendEvent(target, &event);
}

void Tap(QWidget* target, int key) {
    Key(target, QEvent::KeyPress, key);
    Key(target, QEvent::KeyRelease, key);
}

// One control beside a plain widget that can hold the focus and shows nothing.
struct FocusStage {
    QWidget window;
    QWidget* sink = new QWidget(&window);
    QWidget* control;
    std::function<QRect()> frame; // where the control draws its focus frame, in its own pixels

    FocusStage(std::function<QWidget*(QWidget*)> make, std::function<QRect(QWidget*)> frameOf)
        : control(make(&window)) {
        window.resize(300, 80);
        sink->setGeometry(0, 60, 10, 10);
        sink->setFocusPolicy(Qt::StrongFocus);
        control->move(20, 20);
        frame = [this, frameOf] { return frameOf(control).translated(control->pos()); };
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

template <typename Button> std::function<QWidget*(QWidget*)> MakeButton(const char* caption) {
    return [caption](QWidget* parent) {
        auto* button = new Button(QString::fromLatin1(caption), parent);
        button->resize(100, 30);
        return button;
    };
}

template <typename Button> QRect ButtonFrame(QWidget* control) {
    auto* button = static_cast<Button*>(control);
    return FocusFrameRect(button->Face().kind, button->rect());
}

TEST(FocusFrame, DrawnInsideTheControlForTheKeyboardOnly) {
    struct Case {
        const char* what;
        std::function<QWidget*(QWidget*)> make;
        std::function<QRect(QWidget*)> frame;
    };
    const Case cases[] = {
        {"gradient button", MakeButton<CToolbarBtnEx>("Browse"), ButtonFrame<CToolbarBtnEx>},
        {"icon button", MakeButton<CToolbarBtn>("Copy"), ButtonFrame<CToolbarBtn>},
        {"menu button", MakeButton<CMenuButton>("Help"), ButtonFrame<CMenuButton>},
        {"title button", MakeButton<CTitleButton>("x"), ButtonFrame<CTitleButton>},
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
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FocusStage stage(c.make, c.frame);
        const QImage unfocused = stage.Shot();

        stage.control->setFocus(Qt::MouseFocusReason);
        ASSERT_TRUE(stage.control->hasFocus());
        EXPECT_TRUE(stage.Shot() == unfocused) << "the mouse's focus changed the picture";

        stage.sink->setFocus(Qt::OtherFocusReason);
        stage.control->setFocus(Qt::TabFocusReason);
        const QRect changed = Differences(stage.Shot(), unfocused);
        EXPECT_FALSE(changed.isEmpty()) << "no focus frame";
        EXPECT_TRUE(stage.frame().contains(changed))
            << "drawn at " << changed.x() << "," << changed.y() << " " << changed.width() << "x"
            << changed.height();

        stage.sink->setFocus(Qt::BacktabFocusReason);
        EXPECT_TRUE(stage.Shot() == unfocused) << "the frame stayed behind";
    }
}

TEST(CheckBoxForScreenReaders, ACheckableBoxNamedByItsTextThatSpaceTicks) {
    QWidget window;
    auto* check = new CTransCheck(QStringLiteral("Keep it &organised"), &window);
    check->resize(200, 16);
    int clicks = 0;
    QObject::connect(check, &QAbstractButton::clicked, [&] { ++clicks; });
    ShowAndSettle(window);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(check);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::CheckBox);
    EXPECT_EQ(iface->text(QAccessible::Name), "Keep it organised");
    EXPECT_TRUE(iface->state().checkable);
    EXPECT_TRUE(iface->state().focusable);
    EXPECT_FALSE(iface->state().checked);

    Tap(check, Qt::Key_Space);
    EXPECT_TRUE(iface->state().checked);
    EXPECT_EQ(check->GetCheck(), 1);

    // A screen reader's toggle is a click: the window hears of it as of the mouse's.
    iface->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_FALSE(iface->state().checked);
    EXPECT_EQ(clicks, 2);
    check->SetCheck(5);
    EXPECT_TRUE(iface->state().checked);
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

TEST(LabelForScreenReaders, NamesItsBuddyAndFollowsItsText) {
    QWidget window;
    auto* label = new CTransStatic(QStringLiteral("Copying file"), &window);
    auto* box = new QWidget(&window);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(label);
    EXPECT_TRUE(iface->relations(QAccessible::Labelled).isEmpty());
    label->SetBuddy(box);
    const auto labelled = iface->relations(QAccessible::Labelled);
    ASSERT_EQ(labelled.size(), 1);
    EXPECT_EQ(labelled[0].first->object(), box);

    label->SetText(QStringLiteral("Copying music 2 of 5..."));
    EXPECT_EQ(iface->text(QAccessible::Name), "Copying music 2 of 5...");
}

TEST(LinkForScreenReaders, ALinkThatEnterSpaceAndAPressFollow) {
    QWidget window;
    auto* link = new CLinkLabel(QStringLiteral("Need more help?"), &window);
    int followed = 0;
    QObject::connect(link, &CLinkLabel::activated, [&] { ++followed; });
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(link);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::Link);
    EXPECT_EQ(iface->text(QAccessible::Name), "Need more help?");
    EXPECT_TRUE(iface->state().focusable);
    EXPECT_EQ(link->focusPolicy(), Qt::TabFocus); // a click is its window's
    ASSERT_NE(iface->actionInterface(), nullptr);
    EXPECT_TRUE(iface->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::pressAction()));
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_A})
        Key(link, QEvent::KeyPress, key);
    EXPECT_EQ(followed, 4);
}

TEST(ButtonKeys, EnterAndSpaceClickAFocusedButton) {
    QWidget window;
    auto* button = new CToolbarBtnEx(QStringLiteral("Re&scan"), &window);
    int clicks = 0;
    QObject::connect(button, &QAbstractButton::clicked, [&] { ++clicks; });
    Key(button, QEvent::KeyPress, Qt::Key_Return);
    Key(button, QEvent::KeyPress, Qt::Key_Enter);
    Tap(button, Qt::Key_Space);
    EXPECT_EQ(clicks, 3);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(button);
    EXPECT_EQ(iface->role(), QAccessible::Button);
    EXPECT_EQ(iface->text(QAccessible::Name), "Rescan");
}

} // namespace
