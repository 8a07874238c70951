#include "ui/files/buffer_file_chooser.h"

#include <QFileDialog>

#include "files/file_format.h"
#include "widgets/latin1_text.h"

namespace zav {

namespace {

// The extension a filter entry names ("*.s19" gives "s19"); the default one for "All".
QString ExtensionOfFilter(const QString& filter)
{
    const qsizetype dot = filter.lastIndexOf(QStringLiteral("*."));
    const QString extension = dot < 0 ? QString() : filter.mid(dot + 2).chopped(1).toLower();
    return extension.isEmpty() || extension == QStringLiteral("*")
               ? FromLatin1(std::string(kDefaultBufferFileExtension))
               : extension;
}

std::optional<ChosenFile> RunFileDialog(QFileDialog& dialog)
{
    const QStringList filters = BufferFileNameFilters();
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(FromLatin1(std::string(kDefaultBufferFileExtension)));
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const qsizetype index = filters.indexOf(dialog.selectedNameFilter());
    return ChosenFile{dialog.selectedFiles().front(), index < 0 ? 1 : static_cast<int>(index) + 1};
}

} // namespace

QStringList BufferFileNameFilters()
{
    // The filter alternates display texts and patterns; the dialogs take the pattern from
    // the display text's parentheses.
    const QStringList parts = FromLatin1(std::string(kBufferFileFilter)).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QString display = parts[i];
        display.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
        filters.append(display);
    }
    return filters;
}

std::optional<ChosenFile> ChooseBufferFileToOpen(QWidget* parent)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return RunFileDialog(dialog);
}

std::optional<ChosenFile> ChooseBufferFileToSave(QWidget* parent)
{
    QFileDialog dialog(parent, QStringLiteral("Save File"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(ExtensionOfFilter(filter));
    });
    return RunFileDialog(dialog);
}

} // namespace zav
