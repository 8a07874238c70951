#include "files/print_dialog.h"

#include "buffer/numeric_helpers.h"
#include "operations/address_field.h"

namespace zav {

PrintDialog::PrintDialog(std::int32_t lastAddress)
    : lastAddress_(lastAddress), toText_(AddressText(lastAddress))
{
}

std::optional<PrintJobSettings> PrintDialog::Ok(MessageBoxes& boxes) const
{
    const auto range = ParseAddressRange(fromText_, toText_, lastAddress_, boxes);
    if (!range) return std::nullopt;
    return PrintJobSettings{*range, bytesPerRow_};
}

PrintOutput ChoosePrintOutput(bool printersInstalled, bool toFile, bool fileNamedInSetup)
{
    if (toFile && fileNamedInSetup) return PrintOutput::FileFromSetup;
    if (printersInstalled && !toFile) return PrintOutput::Printer;
    return PrintOutput::AskForFile;
}

std::string PrintStartLine(AddressRange range, const std::string& printerName)
{
    return "Printing buffer : " + AddressText(range.first) + "-" + AddressText(range.last) + " -> " +
           printerName;
}

} // namespace zav
