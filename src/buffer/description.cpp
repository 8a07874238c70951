#include "buffer/description.h"

#include "buffer/buffer_observer.h"
#include "buffer/memory_buffer.h"
#include "buffer/numeric_helpers.h"

namespace zav {

namespace {

constexpr const char* kEmptyAddressText = "0x0000";

} // namespace

Description::Description(MemoryBuffer& buffer) : buffer_(buffer), rows_(1) {}

void Description::SetProjectName(const std::string& name)
{
    projectName_ = name;
    Changed();
}

void Description::SetDeviceName(const std::string& name)
{
    deviceName_ = name;
    Changed();
}

void Description::SetNotes(const std::string& notes)
{
    notes_ = notes;
    Changed();
}

std::string Description::EditorCaption() const
{
    return projectName_ + " " + deviceName_;
}

int Description::GetDescriptionRowCount() const
{
    return static_cast<int>(rows_.size());
}

void Description::SetDescriptionRowCount(int count)
{
    if (count < 1) count = 1;
    if (count > kMaxRows) count = kMaxRows;
    rows_.resize(static_cast<std::size_t>(count));
    Changed();
}

CellDescription Description::GetDescriptionRow(int row) const
{
    if (!HasRow(row)) return {};
    const Row& stored = rows_[static_cast<std::size_t>(row)];
    CellDescription description;
    // Only texts that convert are ever stored in the address column.
    description.address = StringToInt(stored.addressText).value_or(0);
    description.colourIndex = IndexFromColour(buffer_.GetCellColour(description.address));
    description.readOnly = buffer_.IsReadOnly(description.address);
    description.note = stored.note;
    return description;
}

void Description::SetDescriptionRow(int row, std::int32_t address, std::uint32_t colourIndex, bool readOnly,
                                    const std::string& note)
{
    if (row < 0) return;
    if (row != 0) AddRow();
    if (row >= static_cast<int>(rows_.size()) && row < kMaxRows) {
        rows_.resize(static_cast<std::size_t>(row) + 1);
    }
    if (HasRow(row)) {
        Row& stored = rows_[static_cast<std::size_t>(row)];
        stored.addressText = AddressText(address);
        stored.note = note;
    }
    buffer_.SetReadOnly(address, readOnly);
    buffer_.SetCellColour(address, ColourFromIndex(static_cast<PaletteIndex>(colourIndex & 0x3Fu)));
    Changed();
}

bool Description::IsDescriptionEmpty() const
{
    return rows_.size() == 1 && rows_.front().addressText == kEmptyAddressText &&
           rows_.front().note.empty() && !buffer_.IsReadOnly(0);
}

void Description::ClearDescription()
{
    rows_.assign(1, Row{});
    projectName_.clear();
    deviceName_.clear();
    notes_.clear();
    Changed();
}

void Description::AddRow()
{
    if (static_cast<int>(rows_.size()) >= kMaxRows) return;
    rows_.emplace_back();
    Changed();
}

void Description::DeleteRow()
{
    if (rows_.size() > 1) rows_.pop_back();
    Changed();
}

std::vector<CellDescription> Description::CopyRows() const
{
    std::vector<CellDescription> rows;
    rows.reserve(rows_.size());
    for (int row = 0; row < GetDescriptionRowCount(); ++row) rows.push_back(GetDescriptionRow(row));
    return rows;
}

void Description::RestoreRows(const std::vector<CellDescription>& rows)
{
    restoring_ = true;
    rows_.resize(1);
    rows_.reserve(rows.size());
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const CellDescription& copy = rows[row];
        SetDescriptionRow(static_cast<int>(row), copy.address, copy.colourIndex, copy.readOnly, copy.note);
    }
    restoring_ = false;
    Changed();
}

std::string Description::RowAddressText(int row) const
{
    return HasRow(row) ? rows_[static_cast<std::size_t>(row)].addressText : std::string();
}

std::string Description::RowNote(int row) const
{
    return HasRow(row) ? rows_[static_cast<std::size_t>(row)].note : std::string();
}

bool Description::SetRowAddressText(int row, const std::string& text)
{
    if (!HasRow(row) || !StringToInt(text)) return false;
    rows_[static_cast<std::size_t>(row)].addressText = text;
    Changed();
    return true;
}

void Description::SetRowNote(int row, const std::string& note)
{
    if (!HasRow(row)) return;
    rows_[static_cast<std::size_t>(row)].note = note;
    Changed();
}

void Description::Changed()
{
    if (restoring_ || buffer_.InBulkUpdate()) return;
    if (BufferObserver* observer = buffer_.Observer()) observer->DescriptionChanged();
}

} // namespace zav
