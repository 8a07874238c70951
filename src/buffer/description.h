#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zav {

class MemoryBuffer;

// One described cell as a record: the colour and access come live from the buffer cell.
struct CellDescription {
    std::int32_t address = 0;
    std::uint32_t colourIndex = 0;
    bool readOnly = false;
    std::string note;

    bool operator==(const CellDescription&) const = default;
};

// The description of the buffer: project name, device name, notes, and the rows of described
// cells. A row stores only its address text and its note; the colour and read-only flag it
// shows are the cell's own, and re-applying the rows after a bulk update keeps them.
class Description {
public:
    // One row per cell is the most a description can meaningfully hold; rows beyond it are
    // not stored (their cells still take the colour and access given).
    static constexpr int kMaxRows = 65536;

    explicit Description(MemoryBuffer& buffer);
    Description(const Description&) = delete;
    Description& operator=(const Description&) = delete;

    [[nodiscard]] const std::string& GetProjectName() const { return projectName_; }
    void SetProjectName(const std::string& name);
    [[nodiscard]] const std::string& GetDeviceName() const { return deviceName_; }
    void SetDeviceName(const std::string& name);
    [[nodiscard]] const std::string& GetNotes() const { return notes_; }
    void SetNotes(const std::string& notes);
    // The editor's caption: project name, a blank, device name.
    [[nodiscard]] std::string EditorCaption() const;

    [[nodiscard]] int GetDescriptionRowCount() const;
    // At least one row is always kept; new rows get "0x0000" and an empty note.
    void SetDescriptionRowCount(int count);
    // Out-of-range rows read as an empty record for address 0.
    [[nodiscard]] CellDescription GetDescriptionRow(int row) const;
    // Row 0 is written in place; any other row appends one first. Then the cell takes the
    // row's read-only flag and colour.
    void SetDescriptionRow(int row, std::int32_t address, std::uint32_t colourIndex, bool readOnly,
                           const std::string& note);
    [[nodiscard]] bool IsDescriptionEmpty() const;
    // One row "0x0000" with no note, names and notes emptied; cells are not touched.
    void ClearDescription();

    // The window's "+" and "-": append a row, remove the last one (one row always stays).
    void AddRow();
    void DeleteRow();

    // What a bulk update keeps of each row: the address and its cell's colour and access.
    struct RowCell {
        std::int32_t address = 0;
        std::uint8_t colourIndex = 0;
        bool readOnly = false;
    };
    // Fills `cells` with one entry per row (reusing its storage).
    void CaptureRowCells(std::vector<RowCell>& cells) const;
    // Writes the rows back as SetDescriptionRow does from row 0 on after the row count is
    // set to 1: every address text takes the standard form, notes stay, and each cell gets
    // its captured colour and access in row order.
    void ReapplyRowCells(const std::vector<RowCell>& cells);

    // The stored texts of a row (address column and note), as the grid shows them.
    [[nodiscard]] std::string RowAddressText(int row) const;
    [[nodiscard]] std::string RowNote(int row) const;
    // The cell dialog's edits: the address text must convert to an address (false otherwise).
    bool SetRowAddressText(int row, const std::string& text);
    void SetRowNote(int row, const std::string& note);

private:
    struct Row {
        std::string addressText = "0x0000";
        std::string note;
        std::int32_t address = 0; // addressText converted, kept with it
    };
    [[nodiscard]] bool HasRow(int row) const { return row >= 0 && row < static_cast<int>(rows_.size()); }
    void Changed();

    MemoryBuffer& buffer_;
    std::string projectName_;
    std::string deviceName_;
    std::string notes_;
    std::vector<Row> rows_;
};

// The message for characters typed into a name, the notes or a comment that the files cannot
// carry: they keep these texts as Latin-1 (ISO 8859-1) bytes. `characters` in the system's
// encoding, as the message boxes show it.
[[nodiscard]] std::string NotCarriedByFilesText(const std::string& characters);

} // namespace zav
