#pragma once

#include "ShipModel.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace pelto5 {

class MarkerCarry;

// Opens and saves the window's ship file so that no work is lost: OPEN's
// file dialog with its checks, the questions before unsaved moves or another
// program's edit would be lost, and a message for whatever failed.
class ShipFileGuard {
    Q_DECLARE_TR_FUNCTIONS(ShipFileGuard)
public:
    // Asks for a ship file to open, given the initial name; empty when cancelled.
    using OpenPrompt = std::function<QString(QWidget* parent, const QString& initial)>;
    // Shows a failure to the user.
    using MessageShower = std::function<void(QWidget* parent, const QString& text)>;
    // Asks a question; returns the index of the chosen answer (the first is
    // the default), or the last one's (Cancel) when the question is closed.
    using Question =
        std::function<int(QWidget* parent, const QString& text, const QStringList& answers)>;

    ShipFileGuard(QWidget* window, ShipModel& model, MarkerCarry& carry);

    void SetOpenPrompt(OpenPrompt prompt) { m_openPrompt = std::move(prompt); }
    // Ctrl+D's file dialog, given the ship's path.
    void SetComparePrompt(OpenPrompt prompt) { m_comparePrompt = std::move(prompt); }
    void SetMessageShower(MessageShower shower) { m_showMessage = std::move(shower); }
    void SetQuestion(Question question) { m_askQuestion = std::move(question); }

    // OPEN's file dialog, starting at initial: the chosen ship's path as the
    // system's bytes; none when cancelled, or when the name cannot be traced
    // to one file (which is said).
    std::optional<std::string> AskShipPath(const QString& initial);
    // Ctrl+D's file dialog, starting in the folder of the ship at shipPath:
    // the chosen file's path as the system's bytes, or none as above.
    std::optional<std::string> AskComparedPath(const std::string& shipPath);
    // Reads the ship file at path for opening, once. A file that cannot be a
    // ship is refused with a message, and unsaved work is asked about, before
    // anything of the open ship is given up; none when the open stops there.
    std::optional<ShipFileRead> ReadForOpen(const std::string& path);
    // Whether closing or opening another ship now would lose work: a marker
    // moved since the ship was read or saved, or one being carried.
    bool HasUnsavedWork() const;
    // With unsaved work, asks whether to save it first; true when the work
    // is saved or may go, false when the user cancelled or the save failed.
    bool SettleUnsavedWork();
    // SAVE, asking first when another program changed the file; true once saved.
    bool Save();
    // Says what failed, in a message and in a few words to a screen reader;
    // nothing for a result that is ok.
    void ShowFailure(const FileResult& result) const;
    void ShowFailure(const QString& text, const QString& spoken) const;

private:
    // A file chosen through prompt; unmatched words a name that cannot be
    // traced to one file, and spoken the same in a few words, %1 the name.
    std::optional<std::string> AskPath(const OpenPrompt& prompt, const QString& initial,
                                       const QString& unmatched, const QString& spoken);

    QWidget* m_window;
    ShipModel& m_model;
    MarkerCarry& m_carry;
    OpenPrompt m_openPrompt;
    OpenPrompt m_comparePrompt;
    MessageShower m_showMessage;
    Question m_askQuestion;
};

} // namespace pelto5
