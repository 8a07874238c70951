#include "ui/shell/hex_editor_options_window.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "ui/buffer/hex_edit_window.h"
#include "ui/buffer/palette_combo_box.h"
#include "widgets/latin1_text.h"

namespace zav {

namespace {

std::vector<std::string> InstalledFontFaces()
{
    std::vector<std::string> faces;
    for (const QString& family : QFontDatabase::families()) faces.push_back(ToLatin1(family));
    return faces;
}

struct ColourRow {
    OptionsColour picker;
    const char* label;
    const char* name;
};

// Top to bottom, as the dialog shows them.
constexpr std::array<ColourRow, kOptionsColourCount> kColourRows{{
    {OptionsColour::Address, "Address Cells Color :", "ComboBox3"},
    {OptionsColour::Work, "Work Cells Color :", "ComboBox5"},
    {OptionsColour::Edited, "Edited Cells Color :", "ComboBox4"},
    {OptionsColour::Unimplemented, "Unimplemented Cells Color :", "ComboBox6"},
    {OptionsColour::Background, "Background Color :", "ComboBox7"},
}};

} // namespace

THoptions::THoptions(THexEdit& editor, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      editor_(editor), model_(InstalledFontFaces())
{
    setObjectName(QStringLiteral("Hoptions"));
    setWindowTitle(QStringLiteral("Hex Editor Options"));
    setModal(true);

    auto* form = new QFormLayout;
    const auto addFontList = [this, form](const char* label, const char* name) {
        auto* list = new QComboBox(this);
        list->setObjectName(QString::fromLatin1(name));
        for (const std::string& face : model_.FontFaces()) list->addItem(FromLatin1(face));
        form->addRow(QString::fromLatin1(label), list);
        return list;
    };
    leftFont_ = addFontList("Left Window Font :", "ComboBox1");
    rightFont_ = addFontList("Right Window Font :", "ComboBox2");
    for (const ColourRow& row : kColourRows) {
        auto* picker = new PaletteComboBox(this);
        picker->setObjectName(QString::fromLatin1(row.name));
        form->addRow(QString::fromLatin1(row.label), picker);
        colours_[static_cast<std::size_t>(row.picker)] = picker;
    }

    // OK, Apply, Cancel from left to right, whatever order the platform's button box would use.
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    apply_ = new QPushButton(QStringLiteral("Apply"), this);
    apply_->setObjectName(QStringLiteral("Button3"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    for (QPushButton* button : {ok, apply_, cancel}) buttons->addWidget(button);
    connect(ok, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(apply_, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(leftFont_, &QComboBox::currentIndexChanged, this, [this](int index) {
        model_.SelectLeftFont(index);
        SelectionChanged();
    });
    connect(rightFont_, &QComboBox::currentIndexChanged, this, [this](int index) {
        model_.SelectRightFont(index);
        SelectionChanged();
    });
    for (const ColourRow& row : kColourRows) {
        connect(colours_[static_cast<std::size_t>(row.picker)], &QComboBox::currentIndexChanged, this,
                [this, picker = row.picker](int index) {
                    model_.SelectColour(picker, index);
                    SelectionChanged();
                });
    }
}

void THoptions::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) FormShow();
    QDialog::showEvent(event);
}

void THoptions::FormShow()
{
    model_.Show(editor_.GetEditorOptions());
    const QSignalBlocker left(leftFont_);
    const QSignalBlocker right(rightFont_);
    // A face that is not installed leaves its list without selection; the list still names
    // the font in use, greyed, so the user sees what Apply would keep.
    const EditorOptions current = editor_.GetEditorOptions();
    leftFont_->setPlaceholderText(FromLatin1(current.leftFont));
    rightFont_->setPlaceholderText(FromLatin1(current.rightFont));
    leftFont_->setCurrentIndex(model_.LeftFont());
    rightFont_->setCurrentIndex(model_.RightFont());
    for (const ColourRow& row : kColourRows) {
        PaletteComboBox* picker = colours_[static_cast<std::size_t>(row.picker)];
        const QSignalBlocker blocker(picker);
        picker->setCurrentIndex(model_.Colour(row.picker));
    }
    apply_->setEnabled(model_.ApplyEnabled());
}

void THoptions::SelectionChanged()
{
    apply_->setEnabled(model_.ApplyEnabled());
}

void THoptions::ApplyToEditor()
{
    editor_.ApplyEditorOptions(model_.Apply(editor_.GetEditorOptions()));
}

void THoptions::Button1Click()
{
    ApplyToEditor();
    accept();
}

void THoptions::Button3Click()
{
    ApplyToEditor();
}

} // namespace zav
