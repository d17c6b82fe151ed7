#pragma once

#include "LinuxDesktop.h"

#include <QApplication>

#include <string>

namespace pelto5 {

// The application: sets the colours every dialog and message box shares, then
// runs the editor window modally; the process ends when that run returns.
class Pelto5App : public QApplication {
    Q_OBJECT
public:
    Pelto5App(int& argc, char** argv);
    ~Pelto5App() override;

    // Runs the editor window, with the ship at shipPath (a full path, as the
    // system's bytes) opened as OPEN would open it; returns the process's exit status.
    int InitInstance(const std::string& shipPath = {});

    // Black background, lilac text, for every dialog and message box.
    static QPalette DialogPalette();

private:
    // Opens the support dialog's link for the whole run.
    LinuxDesktop m_desktop;
};

} // namespace pelto5
