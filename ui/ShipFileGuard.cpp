#include "ShipFileGuard.h"

#include "FileMessages.h"
#include "MarkerCarry.h"
#include "ShipPaths.h"
#include "SpokenStatus.h"
#include "StandardPrompts.h"

#include <QFile>
#include <QFileInfo>
#include <QWidget>

namespace pelto5 {

namespace {

enum SaveChangesAnswer { kSaveChanges, kDiscardChanges };
enum ChangedFileAnswer { kSaveIntoChanged, kOverwrite };

} // namespace

ShipFileGuard::ShipFileGuard(QWidget* window, ShipModel& model, MarkerCarry& carry)
    : m_window(window), m_model(model), m_carry(carry), m_openPrompt(AskShipFile),
      m_comparePrompt(AskComparedFile), m_showMessage(ShowFailureBox), m_askQuestion(AskQuestion) {}

std::optional<std::string> ShipFileGuard::AskShipPath(const QString& initial) {
    return AskPath(m_openPrompt, initial,
                   tr("Could not open %1: its name has letters this system cannot show, and no "
                      "single file in its folder matches it. Open it from the command line or "
                      "drop it onto the window."),
                   tr("Could not open %1"));
}

std::optional<std::string> ShipFileGuard::AskComparedPath(const std::string& shipPath) {
    return AskPath(m_comparePrompt, QFile::decodeName(shipPath.c_str()),
                   tr("Could not compare with %1: its name has letters this system cannot show, "
                      "and no single file in its folder matches it."),
                   tr("Could not compare with %1"));
}

std::optional<std::string> ShipFileGuard::AskPath(const OpenPrompt& prompt, const QString& initial,
                                                  const QString& unmatched, const QString& spoken) {
    const QString chosen = prompt ? prompt(m_window, initial) : QString();
    if (chosen.isEmpty())
        return std::nullopt;
    std::optional<std::string> path = ChosenPathBytes(chosen);
    if (!path)
        ShowFailure(unmatched.arg(chosen), spoken.arg(QFileInfo(chosen).fileName()));
    return path;
}

std::optional<ShipFileRead> ShipFileGuard::ReadForOpen(const std::string& path) {
    ShipFileRead read = m_model.CheckShipFile(path);
    if (!read.ok) {
        ShowFailure(read);
        return std::nullopt;
    }
    const std::string openShip = m_model.ShipPath();
    const bool unsaved = HasUnsavedWork();
    if (!SettleUnsavedWork())
        return std::nullopt;
    // The open ship was just saved, and it is the one to open: what it is now
    // is what was written.
    if (unsaved && path == openShip)
        read = m_model.CheckShipFile(path);
    return read;
}

bool ShipFileGuard::HasUnsavedWork() const {
    return (m_carry.Carrying() && !m_model.ShipPath().empty()) || m_model.HasUnsavedMoves();
}

bool ShipFileGuard::SettleUnsavedWork() {
    if (!HasUnsavedWork() || !m_askQuestion)
        return true;
    // The question takes the mouse; a carried marker waits where it is.
    const bool carrying = m_carry.Carrying();
    if (carrying)
        m_window->releaseMouse();
    const int answer =
        m_askQuestion(m_window, tr("Save changes to %1?").arg(ShownFileName(m_model.ShipPath())),
                      {tr("&Save"), tr("&Discard"), tr("Cancel")});
    if (answer == kSaveChanges) {
        if (carrying)
            m_carry.Drop();
        return Save();
    }
    // Cancelled or discarded, a carry ends where the marker was picked up.
    if (carrying)
        m_carry.Cancel();
    return answer == kDiscardChanges;
}

bool ShipFileGuard::Save() {
    FileResult saved;
    const std::optional<std::string> now = m_model.ChangedOnDisk();
    if (now && m_askQuestion) {
        const int answer =
            m_askQuestion(m_window,
                          tr("%1 was changed by another program since it was opened.")
                              .arg(ShownFileName(m_model.ShipPath())),
                          {tr("&Save into the changed file"), tr("&Overwrite"), tr("Cancel")});
        if (answer == kSaveIntoChanged)
            saved = m_model.SaveIntoChangedFile(*now);
        else if (answer == kOverwrite)
            saved = m_model.SaveShipFile();
        else
            return false;
    } else {
        saved = m_model.SaveShipFile();
    }
    if (saved.ok)
        SpokenStatus::Announce(tr("Saved %1").arg(ShownFileName(m_model.ShipPath())));
    ShowFailure(saved);
    return saved.ok;
}

void ShipFileGuard::ShowFailure(const FileResult& result) const {
    if (!result.ok)
        ShowFailure(FileMessages::Words(result), FileMessages::Short(result));
}

void ShipFileGuard::ShowFailure(const QString& text, const QString& spoken) const {
    // Said before the message shows: the message holds the keys until it is closed.
    SpokenStatus::Announce(spoken);
    if (m_showMessage)
        m_showMessage(m_window, text);
}

} // namespace pelto5
