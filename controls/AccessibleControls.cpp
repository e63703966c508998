#include "controls/AccessibleControls.h"

#include "controls/LinkLabel.h"
#include "controls/TransCheck.h"
#include "controls/TransStatic.h"

#include <QAccessibleWidget>

namespace {

// The text as painted: "&&" shows as "&", and a single "&" only underlines
// the letter after it.
QString ShownText(const QString& text, bool showMnemonic) {
    if (!showMnemonic)
        return text;
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        shown += text[i];
    }
    return shown;
}

class AccessibleCheck : public QAccessibleWidget {
public:
    explicit AccessibleCheck(CTransCheck* check)
        : QAccessibleWidget(check, QAccessible::CheckBox) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && check()->accessibleName().isEmpty())
            return ShownText(check()->text(), true);
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = check()->GetCheck() != 0;
        state.pressed = check()->isDown();
        return state;
    }

    QStringList actionNames() const override {
        return QStringList{toggleAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action == toggleAction() && check()->isEnabled())
            check()->click(); // as the mouse does: the window saves the option
        else
            QAccessibleWidget::doAction(action);
    }

private:
    CTransCheck* check() const { return static_cast<CTransCheck*>(widget()); }
};

class AccessibleLabel : public QAccessibleWidget {
public:
    explicit AccessibleLabel(CTransStatic* label, QAccessible::Role role = QAccessible::StaticText)
        : QAccessibleWidget(label, role) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && label()->accessibleName().isEmpty())
            return ShownText(label()->Text(), FormatFor(label()->Styles()).showMnemonic);
        return QAccessibleWidget::text(kind);
    }

    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override {
        auto found = QAccessibleWidget::relations(match);
        if ((match & QAccessible::Labelled) && label()->Buddy())
            found.append(
                {QAccessible::queryAccessibleInterface(label()->Buddy()), QAccessible::Labelled});
        return found;
    }

protected:
    CTransStatic* label() const { return static_cast<CTransStatic*>(widget()); }
};

class AccessibleLink : public AccessibleLabel {
public:
    explicit AccessibleLink(CLinkLabel* link) : AccessibleLabel(link, QAccessible::Link) {}

    QStringList actionNames() const override {
        return QStringList{pressAction()} + AccessibleLabel::actionNames();
    }

    void doAction(const QString& action) override {
        if (action == pressAction())
            static_cast<CLinkLabel*>(widget())->Activate();
        else
            AccessibleLabel::doAction(action);
    }
};

// Asked for each class of an object, the most derived first.
QAccessibleInterface* CreateInterface(const QString& className, QObject* object) {
    if (className == QLatin1String("CTransCheck"))
        return new AccessibleCheck(static_cast<CTransCheck*>(object));
    if (className == QLatin1String("CLinkLabel"))
        return new AccessibleLink(static_cast<CLinkLabel*>(object));
    if (className == QLatin1String("CTransStatic"))
        return new AccessibleLabel(static_cast<CTransStatic*>(object));
    return nullptr;
}

} // namespace

void InstallAccessibleControls() {
    [[maybe_unused]] static const bool installed = [] {
        QAccessible::installFactory(&CreateInterface);
        return true;
    }();
}

void AnnounceCheckedChange(QWidget* checkBox) {
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(checkBox, changed);
    QAccessible::updateAccessibility(&event);
}

void AnnounceTextChange(QWidget* label) {
    QAccessibleEvent event(label, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}
