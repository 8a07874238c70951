#pragma once

#include "window_grabber.h"

#include <QPixmap>

#include <memory>

namespace zav {
class PortsMapLinkFactory;
class QtMessageBoxes;
class SystemPortListing;
class TProgShell;
} // namespace zav

// Drives the program as a user would, offscreen, and saves a picture of every window and
// dialog: the manual's pictures and the README's. The program runs on the simulated board
// (the settings folder's ports map says so) with a demo buffer and description.
class ScreenshotSession {
public:
    explicit ScreenshotSession(WindowGrabber& grabber);
    ~ScreenshotSession();
    ScreenshotSession(const ScreenshotSession&) = delete;
    ScreenshotSession& operator=(const ScreenshotSession&) = delete;

    // Takes every picture; the grabber collects what failed.
    void Run();

private:
    void SelectDevice();
    void FillDemoBuffer();
    void ShowEditorWindows();
    void EditorDialogs();
    void EditorExtras();
    void MessageListMenu();
    void ShellDialogs();
    void ProgramDevice();
    void ShowVerifyDifferences();
    void CompareWithFile();
    void ComposeReadmePicture();

    WindowGrabber& grabber_;
    std::unique_ptr<zav::QtMessageBoxes> boxes_;
    std::unique_ptr<zav::PortsMapLinkFactory> links_;
    std::unique_ptr<zav::SystemPortListing> ports_;
    std::unique_ptr<zav::TProgShell> shell_;
    QPixmap mainWindowPicture_;
    QPixmap hexEditorPicture_;
};
