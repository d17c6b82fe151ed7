#include "Pelto5App.h"

#include "Colours.h"
#include "Pelto5Dlg.h"
#include "PosixFileSystem.h"

#include <QPalette>
#include <QSettings>
#include <QTimer>

namespace pelto5 {

Pelto5App::Pelto5App(int& argc, char** argv) : QApplication(argc, argv) {
    // Only a name: a display name set here would be added to every window's
    // title on X11. Message boxes take this name as their title all the same.
    setApplicationName(QStringLiteral("Pelto5"));
    // Ties the window to the installed desktop entry (its icon and name).
    setDesktopFileName(QStringLiteral(PELTO5_APP_ID));
    // The palette carries the dialog colours; a style that paints its own
    // backgrounds would hide them.
    setStyle(QStringLiteral("Fusion"));
    setPalette(DialogPalette());
    SetDefaultUrlSystem(&m_desktop);
    // The editor keeps no settings, but Qt's file dialog writes its history
    // into the user's settings folder: that write goes nowhere.
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        for (QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope})
            QSettings::setPath(format, scope, QStringLiteral("/dev/null"));
}

Pelto5App::~Pelto5App() {
    SetDefaultUrlSystem(nullptr);
}

QPalette Pelto5App::DialogPalette() {
    const QColor black = ToQColor(kBlack);
    const QColor lilac = ToQColor(kLilac);
    QPalette pal;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button,
                                         QPalette::AlternateBase, QPalette::ToolTipBase})
            pal.setColor(group, role, black);
        for (QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText})
            pal.setColor(group, role, lilac);
        pal.setColor(group, QPalette::Highlight, lilac);
        pal.setColor(group, QPalette::HighlightedText, black);
    }
    return pal;
}

int Pelto5App::InitInstance(const std::string& shipPath) {
    Pelto5Dlg dlg(RealFileSystem());
    // The ship opens once the window runs, as OPEN's would, so that any
    // message about it stands over the window.
    if (!shipPath.empty())
        QTimer::singleShot(0, &dlg, [&dlg, shipPath] { dlg.OpenShipFile(shipPath); });
    dlg.exec();
    return 0;
}

} // namespace pelto5
