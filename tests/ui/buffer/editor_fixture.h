#pragma once

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QScrollBar>
#include <QTest>

#include <memory>
#include <vector>

#include "buffer/memory_buffer.h"
#include "ui/buffer/editor_dialogs.h"
#include "ui/buffer/hex_edit_window.h"
#include "ui/buffer/hex_grid_view.h"
#include "support/recording_messages.h"

namespace zav::testing {

// What the editor asked of its buffer dialogs.
struct DialogCall {
    std::string dialog;
    std::int32_t cursorAddress = -1;
    bool selectionMode = false;

    bool operator==(const DialogCall&) const = default;
};

class RecordingDialogs : public EditorDialogs {
public:
    explicit RecordingDialogs(std::vector<DialogCall>& calls) : calls_(calls) {}

    void ShowCopyRange(std::int32_t cursor) override { calls_.push_back({"CopyRange", cursor, false}); }
    void ShowFill(std::int32_t cursor, bool selection) override { calls_.push_back({"Fill", cursor, selection}); }
    void ShowCopyAs(std::int32_t cursor, bool selection) override { calls_.push_back({"CopyAs", cursor, selection}); }
    void ShowFind(std::int32_t cursor) override
    {
        findExists_ = true;
        calls_.push_back({"Find", cursor, false});
    }
    [[nodiscard]] bool FindDialogExists() const override { return findExists_; }
    void SearchAgain() override { calls_.push_back({"SearchAgain", -1, false}); }
    void ShowGoTo(std::int32_t cursor) override { calls_.push_back({"GoTo", cursor, false}); }
    void ShowSwap() override { calls_.push_back({"Swap", -1, false}); }
    void ShowReplace(std::int32_t cursor) override { calls_.push_back({"Replace", cursor, false}); }

private:
    std::vector<DialogCall>& calls_;
    bool findExists_ = false;
};

// A shown, active editor whose dialogs are recorded.
class EditorFixture {
public:
    EditorFixture() : editor(boxes)
    {
        editor.SetEditorDialogs(std::make_unique<RecordingDialogs>(dialogCalls));
        editor.show();
        editor.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        editor.HexPane().setFocus();
    }

    [[nodiscard]] MemoryBuffer& Buffer() { return editor.Buffer(); }
    [[nodiscard]] HexGridView& Hex() { return editor.HexPane(); }
    [[nodiscard]] HexGridView& Char() { return editor.CharPane(); }

    [[nodiscard]] QString Panel(int panel)
    {
        return editor.findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(panel))->text();
    }

    void Key(HexGridView& pane, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(&pane, key, modifiers);
    }
    void Type(HexGridView& pane, const char* text) { QTest::keyClicks(&pane, QString::fromLatin1(text)); }
    void Click(HexGridView& pane, std::int32_t address, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(pane.viewport(), Qt::LeftButton, modifiers, pane.CellCentre(address));
    }
    // A shortcut pressed while the editor is the active window.
    void Shortcut(Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    // Bytes stored as a file load would, so they keep the ordinary colour.
    void Load(std::int32_t address, std::initializer_list<std::uint8_t> bytes)
    {
        Buffer().BeginUpdate();
        for (const std::uint8_t value : bytes) Buffer().SetByte(address++, value);
        Buffer().EndUpdate();
    }

    RecordingBoxes boxes;
    std::vector<DialogCall> dialogCalls;
    THexEdit editor;
};

} // namespace zav::testing
