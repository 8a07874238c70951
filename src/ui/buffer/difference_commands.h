#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "buffer/difference_marks.h"

class QAction;
class QLabel;
class QStatusBar;

namespace zav {

class THexEdit;

// The cells the last verify or file comparison found different: marked in both panes,
// stepped through by Next and Previous Difference (F8, Shift+F8), each mark gone once its
// cell is edited. A panel in the status bar shows the other side's value of the cursor's cell.
class DifferenceCommands {
public:
    DifferenceCommands(THexEdit& editor, QStatusBar& statusBar);

    [[nodiscard]] const DifferenceMarks& Marks() const { return marks_; }
    void Set(const std::vector<CellDifference>& differences, DifferenceSource source,
             const std::string& fileName);
    // Marks from a verify, or from a comparison with a file; none clears them.
    void SetVerify(const std::vector<CellDifference>& differences) { Set(differences, DifferenceSource::Verify, {}); }
    void SetFile(const std::vector<CellDifference>& differences, const std::string& fileName)
    {
        Set(differences, DifferenceSource::File, fileName);
    }
    // Drops the marks of edited cells among first..last; true when one went.
    [[nodiscard]] bool DropEdited(std::int32_t first, std::int32_t last);
    void ShowCursorMark();

    [[nodiscard]] QAction* NextAction() const { return next_; }
    [[nodiscard]] QAction* PreviousAction() const { return previous_; }
    [[nodiscard]] QLabel* DevicePanel() const { return devicePanel_; }

private:
    void GoTo(std::optional<std::int32_t> address);

    THexEdit& editor_;
    DifferenceMarks marks_;
    QAction* next_ = nullptr;
    QAction* previous_ = nullptr;
    QLabel* devicePanel_ = nullptr;
};

} // namespace zav
