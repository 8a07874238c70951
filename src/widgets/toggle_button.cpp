#include "widgets/toggle_button.h"

#include <QAccessibleWidget>

#include "widgets/accessible_factory.h"

namespace zav {

namespace {

class ToggleButtonAccessible final : public QAccessibleWidget {
public:
    explicit ToggleButtonAccessible(ToggleButton* button) : QAccessibleWidget(button, QAccessible::CheckBox) {}

    [[nodiscard]] QString text(QAccessible::Text t) const override
    {
        QString text = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && text.isEmpty()) text = Button()->text().remove(QLatin1Char('&'));
        return text;
    }

    [[nodiscard]] QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = Button()->isChecked();
        state.pressed = Button()->isDown();
        return state;
    }

    [[nodiscard]] QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (Button()->isEnabled()) names.prepend(toggleAction());
        return names;
    }

    void doAction(const QString& actionName) override
    {
        if (actionName == toggleAction() || actionName == pressAction()) {
            if (Button()->isEnabled()) Button()->click();
            return;
        }
        QAccessibleWidget::doAction(actionName);
    }

private:
    [[nodiscard]] ToggleButton* Button() const { return static_cast<ToggleButton*>(widget()); }
};

// Installed as the program loads, before any button can be asked for.
const bool factoryInstalled = InstallAccessibleFactory<ToggleButton, ToggleButtonAccessible>();

} // namespace

ToggleButton::ToggleButton(QWidget* parent) : QPushButton(parent)
{
    (void)factoryInstalled;
    setCheckable(true);
}

} // namespace zav
