#pragma once

#include <string>
#include <utility>

namespace zav {

// What the open and save dialogs' models hold alike: the chosen file and the address range,
// which applies unless the whole file (or buffer) is chosen. Both start on the whole.
class FileDialogFields {
public:
    [[nodiscard]] const std::string& Path() const { return path_; }
    [[nodiscard]] const std::string& LowText() const { return lowText_; }
    void SetLowText(std::string text) { lowText_ = std::move(text); }
    [[nodiscard]] const std::string& HighText() const { return highText_; }
    void SetHighText(std::string text) { highText_ = std::move(text); }

protected:
    explicit FileDialogFields(std::string highText) : highText_(std::move(highText)) {}

    void SetPath(std::string path) { path_ = std::move(path); }
    [[nodiscard]] bool Whole() const { return whole_; }
    void SetWhole(bool whole) { whole_ = whole; }

private:
    std::string path_;
    bool whole_ = true;
    std::string lowText_ = "0x0000";
    std::string highText_;
};

} // namespace zav
