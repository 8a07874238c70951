#include <QAbstractButton>
#include <QAccessible>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>

#include <functional>

#include "ui/buffer/cell_dialog_window.h"
#include "ui/buffer/data_inspector_window.h"
#include "ui/buffer/explaine_window.h"
#include "ui/buffer/hex_edit_window.h"
#include "ui/buffer/verify_differences_window.h"
#include "ui/devices/dev_id_form.h"
#include "ui/files/load_file_form.h"
#include "ui/files/print_form.h"
#include "ui/files/save_file_form.h"
#include "ui/operations/copy_as_form.h"
#include "ui/operations/copy_range_form.h"
#include "ui/operations/fill_form.h"
#include "ui/operations/find_form.h"
#include "ui/operations/go_to_form.h"
#include "ui/operations/replace_form.h"
#include "ui/operations/swap_form.h"
#include "ui/shell/about_w.h"
#include "ui/shell/help_window.h"
#include "ui/shell/hex_editor_options_window.h"
#include "ui/shell/lpt_set.h"
#include "shell_fixture.h"

namespace zav {

using testing::ShellFixture;

namespace {

using WindowMaker = std::function<QWidget*(ShellFixture&, TProgShell&)>;

// The controls of one window a screen reader cannot tell apart: each shown control that takes
// the focus or acts, whose accessible name is empty or only a state or a sign.
QStringList UnnamedControls(QWidget& window)
{
    QStringList unnamed;
    const QStringList meaningless{QString(), QStringLiteral("ON"), QStringLiteral("OFF"), QStringLiteral("+"),
                                  QStringLiteral("-")};
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (control->window() != &window || !control->isVisible()) continue;
        if (control->focusPolicy() == Qt::NoFocus && qobject_cast<QAbstractButton*>(control) == nullptr &&
            qobject_cast<QProgressBar*>(control) == nullptr) {
            continue;
        }
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
        const QString name = iface != nullptr ? iface->text(QAccessible::Name).trimmed() : QString();
        if (meaningless.contains(name)) {
            unnamed << QStringLiteral("%1 %2 \"%3\"")
                           .arg(QString::fromLatin1(control->metaObject()->className()), control->objectName(), name);
        }
    }
    return unnamed;
}

} // namespace
} // namespace zav

Q_DECLARE_METATYPE(zav::WindowMaker)

namespace zav {

class AccessibleNamesTest : public QObject {
    Q_OBJECT

private slots:
    void EveryControlOfEveryWindowHasAName_data()
    {
        QTest::addColumn<WindowMaker>("make");
        const auto row = [](const char* name, WindowMaker make) { QTest::newRow(name) << make; };
        row("main window", [](ShellFixture&, TProgShell& shell) { return &shell; });
        row("hex editor", [](ShellFixture&, TProgShell& shell) { return &shell.HexEditor(); });
        row("description", [](ShellFixture&, TProgShell& shell) { return &shell.HexEditor().DescriptionWindow(); });
        row("data inspector", [](ShellFixture&, TProgShell& shell) { return &shell.HexEditor().DataInspector(); });
        row("verify differences",
            [](ShellFixture&, TProgShell& shell) { return new TVerifyDifferences(shell.HexEditor(), &shell); });
        row("select device", [](ShellFixture&, TProgShell& shell) { return new TDevIdForm(&shell); });
        row("ports setup",
            [](ShellFixture& fixture, TProgShell& shell) { return new TLptSet(shell.Flow(), *fixture.ports, &shell); });
        row("editor options", [](ShellFixture&, TProgShell& shell) { return new THoptions(shell.HexEditor(), &shell); });
        row("open", [](ShellFixture& fixture, TProgShell& shell) {
            return new TLoadf(shell.HexEditor().Buffer(), shell.Flow().Settings().program, shell.Status(),
                              fixture.boxes, &shell);
        });
        row("save", [](ShellFixture& fixture, TProgShell& shell) {
            return new TSavef(shell.HexEditor().Buffer(), shell.Status(), fixture.boxes, &shell);
        });
        row("print", [](ShellFixture& fixture, TProgShell& shell) {
            return new TPrintd(shell.HexEditor().Buffer(), shell.Status(), *shell.ProgBar(), fixture.boxes, &shell);
        });
        row("about", [](ShellFixture&, TProgShell& shell) { return new TAboutW(&shell); });
        row("help", [](ShellFixture& fixture, TProgShell& shell) {
            return new HelpWindow(QString::fromStdString((fixture.folder / "none.pdf").string()), &shell);
        });
        row("copy range", [](ShellFixture& fixture, TProgShell& shell) {
            return new TForm2(shell.HexEditor().Buffer(), fixture.boxes, &shell);
        });
        row("go to", [](ShellFixture& fixture, TProgShell& shell) { return new TForm3(0xFFFF, fixture.boxes, &shell); });
        row("swap", [](ShellFixture&, TProgShell& shell) { return new TForm4(shell.HexEditor().Buffer(), &shell); });
        row("fill", [](ShellFixture& fixture, TProgShell& shell) {
            return new TForm5(shell.HexEditor().Buffer(), fixture.boxes, &shell);
        });
        row("copy as", [](ShellFixture& fixture, TProgShell& shell) {
            return new TForm6(shell.HexEditor().Buffer(), fixture.boxes, &shell);
        });
        row("find", [](ShellFixture& fixture, TProgShell& shell) {
            return new TForm7(shell.HexEditor().Buffer(), fixture.boxes, 0, &shell);
        });
        row("replace", [](ShellFixture&, TProgShell& shell) { return new TReplaceForm(shell.HexEditor(), 0, &shell); });
        row("cell", [](ShellFixture&, TProgShell& shell) {
            return new TForm8(shell.HexEditor(), shell.HexEditor().DescriptionWindow());
        });
    }

    // Read through the accessibility tree, no control that takes the focus or acts is
    // nameless, and no toggle is named only by its state.
    void EveryControlOfEveryWindowHasAName()
    {
        QFETCH(WindowMaker, make);
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        shell.show();
        QWidget* window = make(fixture, shell);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QStringList unnamed = UnnamedControls(*window);
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral("; "))));
        window->close();
    }

    // The option toggles read as their caption and state, and follow the state.
    void TogglesReadTheirCaptionAndState()
    {
        ShellFixture fixture;
        TProgShell& shell = fixture.Make();
        QPushButton* erase = shell.OptionButton(SequenceOption::Erase);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(erase);
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Erase: off"));
        erase->setEnabled(true);
        erase->click();
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Erase: on"));
        QVERIFY(iface->state().checked);
        // Lock and Unlock exclude each other: the one released by the other says so too.
        QPushButton* lock = shell.OptionButton(SequenceOption::Lock);
        QPushButton* unlock = shell.OptionButton(SequenceOption::Unlock);
        lock->setChecked(true);
        unlock->setChecked(true);
        QCOMPARE(QAccessible::queryAccessibleInterface(lock)->text(QAccessible::Name), QStringLiteral("Lock: off"));
        QCOMPARE(QAccessible::queryAccessibleInterface(unlock)->text(QAccessible::Name), QStringLiteral("Unlock: on"));

        // A reader's activate is a click, which runs the command, not a bare flip.
        QAccessibleActionInterface* action = iface->actionInterface();
        QVERIFY(action->actionNames().contains(QAccessibleActionInterface::toggleAction()));
        QSignalSpy clicked(erase, &QPushButton::clicked);
        action->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Erase: off"));
        QCOMPARE(QAccessible::queryAccessibleInterface(shell.StartButton(SequenceKind::Read))->text(QAccessible::Name),
                 QStringLiteral("Start"));
    }
};

} // namespace zav

QTEST_MAIN(zav::AccessibleNamesTest)
#include "accessible_names_test.moc"
