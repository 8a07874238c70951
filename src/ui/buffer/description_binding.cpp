#include "ui/buffer/description_binding.h"

#include <QAction>

#include "ui/buffer/editor_actions.h"
#include "ui/buffer/explaine_window.h"
#include "ui/buffer/hex_edit_window.h"

namespace zav {

DescriptionBinding::DescriptionBinding(THexEdit& editor, EditorActionTable& table) : editor_(editor)
{
    table.Add(editor, EditorAction::Property, [this] {
        TExplaine& description = Window();
        if (description.isVisible()) {
            description.close();
        } else {
            description.show();
        }
    });
}

DescriptionBinding::~DescriptionBinding() = default;

TExplaine& DescriptionBinding::Window()
{
    if (window_) return *window_;
    window_ = std::make_unique<TExplaine>(editor_, &editor_);
    if (givenPlace_) {
        window_->setGeometry(givenPlace_->left, givenPlace_->top, givenPlace_->width, givenPlace_->height);
    } else {
        const WindowBounds defaults = WindowLayout{}.description;
        window_->move(defaults.left, defaults.top);
    }
    if (!checksumDevice_.empty()) window_->SetChecksumDevice(checksumDevice_);
    QObject::connect(window_.get(), &TExplaine::ExplaineOpen, &editor_, &THexEdit::DescriptionOpen);
    QObject::connect(window_.get(), &TExplaine::ExplaineClose, &editor_, &THexEdit::DescriptionClose);
    return *window_;
}

void DescriptionBinding::SetChecksumDevice(const std::string& deviceName)
{
    checksumDevice_ = deviceName;
    if (window_) window_->SetChecksumDevice(deviceName);
}

void DescriptionBinding::Place(const WindowBounds& bounds, bool visible)
{
    if (!window_ && !visible) {
        givenPlace_ = bounds;
        return;
    }
    TExplaine& window = Window();
    window.setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
    window.setVisible(visible);
}

void DescriptionBinding::ReadInto(WindowLayout& layout)
{
    if (!window_ && givenPlace_) {
        layout.description = *givenPlace_;
        layout.descriptionVisible = false;
        return;
    }
    const QRect place = Window().geometry();
    layout.description = {place.left(), place.top(), place.height(), place.width()};
    layout.descriptionVisible = window_->isVisible();
}

} // namespace zav
