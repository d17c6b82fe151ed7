#pragma once

#include "BitmapButton.h"
#include "ControlColors.h"
#include "Magnifier.h"
#include "MarkerCarry.h"
#include "MarkerSurface.h"
#include "ResourceIds.h"
#include "ShipFileGuard.h"
#include "ShipModel.h"

#include <QDialog>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QStringList>

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>

class QLabel;

namespace pelto5 {

class PointerPixels;
class ReadoutPanel;
class ShipComparison;

// The editor window: the ship's two pictures, the 56 hardpoint markers, the
// command buttons and the five read-outs, over the console skin. It owns the
// ship model and is the model's marker surface; carrying markers and their
// history are its MarkerCarry's, the read-outs its ReadoutPanel's.
class Pelto5Dlg : public QDialog,
                  public MarkerSurface,
                  public ControlColorAnswer,
                  private CarryListener,
                  private MagnifierSource {
    Q_OBJECT
public:
    // The window's ship reads and writes its files through fs.
    explicit Pelto5Dlg(FileSystem& fs, QWidget* parent = nullptr);
    ~Pelto5Dlg() override;

    // The control with the given id, or null.
    QWidget* Control(int id) const;
    // The read-outs' colours; every other control keeps the application's.
    std::optional<ControlColors> CtlColor(int id) const override;

    // What stands in for OPEN's file dialog, the failure messages and the
    // questions (tests answer them).
    void SetOpenPrompt(ShipFileGuard::OpenPrompt prompt) {
        m_guard.SetOpenPrompt(std::move(prompt));
    }
    void SetMessageShower(ShipFileGuard::MessageShower shower) {
        m_guard.SetMessageShower(std::move(shower));
    }
    void SetQuestion(ShipFileGuard::Question question) { m_guard.SetQuestion(std::move(question)); }
    void SetComparePrompt(ShipFileGuard::OpenPrompt prompt) {
        m_guard.SetComparePrompt(std::move(prompt));
    }
    // Ends the process at once (EXIT).
    void SetProcessExit(std::function<void()> exit) { m_exitProcess = std::move(exit); }

    // MarkerSurface
    Rect MarkerRect(int i) const override;
    Rect ControlRect(int id) const override;
    void MoveMarker(int i, const Rect& rc) override;

    void OnSysCommand(unsigned nID);
    void OnMarkerClicked(int id);
    void OnReadoutFocus(int id);
    void OnOpen();
    // Opens the ship file at path with its two pictures, as OPEN does once a
    // name is chosen: a file that cannot be a ship is refused, and unsaved
    // moves are asked about, before the open ship is given up.
    void OpenShip(const QString& path);
    // The same for a path given as the system's bytes.
    void OpenShipFile(const std::string& path);
    void OnSave();
    void OnExit();
    void OnSticky();
    void OnReset();
    void OnClear();
    void OnCopy();
    void OnData();
    void RedrawMarkers();
    // Ctrl+F: the find-by-name popup; the marker chosen there is picked up
    // alone, as a click on it would pick it up without a selection.
    void OnFind();
    // M, Shift+M: drops the carried marker at the mirror image of the
    // hardpoint placed last, across its picture's horizontal (M) or vertical
    // (Shift+M) centre line.
    void OnMirror(bool acrossVerticalLine);
    // Ctrl+Z (undo) or Ctrl+Y.
    void OnHistory(bool undo);
    // G: a popup at the pointer with the file point of the marker carried,
    // or else picked up last; Enter places the marker there as a drop would.
    // With a selection and nothing carried, the popup asks for an offset
    // "dx, dy" instead, and Enter moves the selected markers by it.
    void OnTypeCoordinates();
    // Ctrl+D: compares the markers with another version of the ship file, or
    // ends the comparison.
    void OnCompare();

    // Whether closing or opening another ship now would lose work: a marker
    // moved since the ship was read or saved, or one being carried.
    bool HasUnsavedWork() const { return m_guard.HasUnsavedWork(); }

    // Window state, read by tests and the benchmarks.
    const QUndoStack& History() const { return m_carry.History(); }
    ShipModel& Model() { return m_model; }
    int DragState() const { return static_cast<int>(m_carry.State()); }
    int Snap() const { return m_nSnap; }
    bool CopyHeld() const { return m_bCopyHeld != 0; }
    QString ReadoutText(int id) const;
    QLabel* Picture(int id) const;
    Magnifier* MagnifierWindow() const { return m_magnifier; }
    const ShipComparison& Comparison() const { return *m_compare; }

protected:
    // Enter, Esc, the window menu's Close and the window manager's close
    // request end the run, once unsaved work is saved or given up.
    void done(int result) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // CarryListener
    void CarryStarted(int i) override;
    void CarryEnded(int i) override;
    void ShowPoint(const QPoint& point) override;
    QSize ShownPictureSize(int pictureId) const override;
    void SelectionChanged() override;
    // The name read-out shows hardpoint i's name, in capitals.
    void ShowName(int i);
    // MagnifierSource
    QImage ShownPicture(int pictureId) const override;
    QString MarkerName(int i) const override;
    QList<int> MarkedMarkers() const override;
    QList<int> SelectedMarkers() const override;

    void CreateTemplateControls();
    void CreateCommandButtons();
    void CreateMarkerButtons();
    void CreateKeys();
    // Accessible names and descriptions of the window's own controls.
    void NameControls();
    // Tab goes down the command buttons column by column, then the markers.
    void OrderTabStops();
    // The pictures' descriptions: the files they show.
    void DescribePictures();
    // Marker i's description: where it stands, and whether it is selected
    // or was moved together with others.
    void DescribeMarker(int i);
    void StackControls();
    // A command, by button or key: while a marker is carried, only its drop.
    void RunCommand(void (Pelto5Dlg::*handler)());
    // G with a selection: the offset popup.
    void TypeOffset();
    // Picks marker i up alone, the selection emptied (Ctrl+F, "Changes").
    void PickUpAlone(int i);
    void ShowSystemMenu(const QPoint& globalPos);
    void OnLButtonDown(const QPoint& point);
    void OnMouseMove(const QPoint& point);
    void OnLButtonUp();
    void LoadPicture(QLabel* control, const QImage& image);
    void AddCommandButton(BitmapButton*& member, int id, const char* caption, const QRect& rc,
                          Faces faces, void (Pelto5Dlg::*handler)());

    QPoint m_ptDragStart;
    int m_nSnap = 1;
    int m_bCopyHeld = 0;
    QPixmap m_bmpVL;
    QString m_strPath;
    std::string m_strTIPath;
    BitmapButton* m_btnSave = nullptr;
    BitmapButton* m_btnOpen = nullptr;
    BitmapButton* m_btnExit = nullptr;
    BitmapButton* m_btnSticky = nullptr;
    BitmapButton* m_btnCopy = nullptr;
    BitmapButton* m_btnReset = nullptr;
    BitmapButton* m_btnClear = nullptr;
    BitmapButton* m_btnData = nullptr;
    std::array<BitmapButton*, kSlotCount> m_markers{};
    // How many selected markers moved together with each marker in its last
    // move; 0 when it moved otherwise.
    std::array<int, kSlotCount> m_nMovedTogether{};
    FileSystem& m_fs;
    ShipModel m_model;
    MarkerCarry m_carry;
    ShipFileGuard m_guard;
    QLabel* m_stcRef = nullptr;
    QLabel* m_stcTI = nullptr;
    QLabel* m_stcVL = nullptr;
    ReadoutPanel* m_readouts = nullptr;
    // The pointer's client pixel, exact on a scaled screen.
    PointerPixels* m_pointer = nullptr;
    // L's window, made hidden with the window.
    Magnifier* m_magnifier = nullptr;
    ShipComparison* m_compare = nullptr;
    QImage m_skin;
    std::map<int, QWidget*> m_controls;
    std::function<void()> m_exitProcess;
};

} // namespace pelto5
