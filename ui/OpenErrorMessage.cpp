#include "OpenErrorMessage.h"

#include "SpokenStatus.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdint>
#include <utility>

namespace pelto5 {

namespace {

OpenErrorPresenter& Presenter() {
    static OpenErrorPresenter presenter;
    return presenter;
}

void ShowInMessageBox(const QString& text) {
    QMessageBox box(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

} // namespace

QString OpenErrorText(int code) {
    const char* text = nullptr;
    switch (static_cast<std::uint32_t>(code)) {
    case 0:
        text = QT_TRANSLATE_NOOP("OpenErrorMessage",
                                 "The operating system is out\nof memory or resources.");
        break;
    case 2:
        text = QT_TRANSLATE_NOOP("OpenErrorMessage", "The specified file was not found.");
        break;
    case 3:
        text = QT_TRANSLATE_NOOP("OpenErrorMessage", "The specified path was not found.");
        break;
    case 5:
        text = QT_TRANSLATE_NOOP("OpenErrorMessage",
                                 "The operating system denied\naccess to the specified file.");
        break;
    case 8:
        text = QT_TRANSLATE_NOOP("OpenErrorMessage",
                                 "There was not enough memory to complete the operation.");
        break;
    case 11:
        text =
            QT_TRANSLATE_NOOP("OpenErrorMessage",
                              "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).");
        break;
    case 26:
        text = QT_TRANSLATE_NOOP("OpenErrorMessage", "A sharing violation occurred. ");
        break;
    case 27:
        text = QT_TRANSLATE_NOOP("OpenErrorMessage",
                                 "The filename association is\nincomplete or invalid.");
        break;
    case 28:
        text = QT_TRANSLATE_NOOP(
            "OpenErrorMessage",
            "The DDE transaction could not\nbe completed because the request timed out.");
        break;
    case 29:
        text = QT_TRANSLATE_NOOP("OpenErrorMessage", "The DDE transaction failed.");
        break;
    case 30:
        text = QT_TRANSLATE_NOOP(
            "OpenErrorMessage",
            "The DDE transaction could not\nbe completed because other DDE transactions\n"
            "were being processed.");
        break;
    case 31:
        text = QT_TRANSLATE_NOOP(
            "OpenErrorMessage",
            "There is no application associated\nwith the given filename extension.");
        break;
    case 32:
        text = QT_TRANSLATE_NOOP("OpenErrorMessage",
                                 "The specified dynamic-link library was not found.");
        break;
    default:
        break;
    }
    const QString body =
        text ? QCoreApplication::translate("OpenErrorMessage", text)
             : QCoreApplication::translate("OpenErrorMessage", "Unknown Error (%1) occurred.")
                   .arg(code);
    return QCoreApplication::translate("OpenErrorMessage", "Unable to open hyperlink:\n\n") + body;
}

void ShowOpenError(int code) {
    const QString text = OpenErrorText(code);
    // Heard on one line, before the message holds the keys.
    SpokenStatus::Announce(text.simplified());
    if (Presenter())
        Presenter()(text);
    else
        ShowInMessageBox(text);
}

OpenErrorPresenter SetOpenErrorPresenter(OpenErrorPresenter presenter) {
    return std::exchange(Presenter(), std::move(presenter));
}

} // namespace pelto5
