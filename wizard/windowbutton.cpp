// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizard/windowbutton.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace wizard {

namespace {

// The toolkit's own accessible button presses a button through click(), which nothing in the
// window could tell from a press of the user's, and it knows nothing of a button held behind a
// box. This one is the same push button to assistive technology, and while held it says so:
// unavailable, and every action does nothing, as for a disabled button.
class AccessibleWindowButton final : public QAccessibleWidget
{
public:
    explicit AccessibleWindowButton(WindowButton *button)
        : QAccessibleWidget(button, QAccessible::Button)
    { }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Accelerator)
            return button()->shortcut().toString(QKeySequence::NativeText);
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.pressed = button()->isDown();
        state.disabled = state.disabled || button()->isHeld();
        return state;
    }

    QStringList actionNames() const override
    {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &action) override
    {
        if (!button()->isEnabled() || button()->isHeld())
            return;
        if (action == pressAction())
            button()->animateClick();
        else
            QAccessibleWidget::doAction(action);
    }

    QStringList keyBindingsForAction(const QString &action) const override
    {
        if (action == pressAction() && !button()->shortcut().isEmpty())
            return {button()->shortcut().toString()};
        return QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    WindowButton *button() const { return static_cast<WindowButton *>(widget()); }
};

QAccessibleInterface *accessibleButton(const QString &className, QObject *object)
{
    if (className == QLatin1StringView(WindowButton::staticMetaObject.className()))
        return new AccessibleWindowButton(static_cast<WindowButton *>(object));
    return nullptr;
}

void installAccessibleButton()
{
    QAccessible::installFactory(accessibleButton);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installAccessibleButton)

WindowButton::WindowButton(const QString &text, QWidget *parent, const bool &held)
    : QPushButton(text, parent)
    , m_held(&held)
{ }

void WindowButton::announceHold()
{
    QAccessible::State changed;
    changed.disabled = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

} // namespace wizard
