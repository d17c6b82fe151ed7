// The editor window's start-up, repaint, carried move (of one marker and of
// all 56 selected) and drop, each beside a floor measured in the same run: a
// plain dialog of the same size painting one pixmap, and plain widgets moved
// and repainted on the same skin; the carried move while comparing, beside the
// carried move alone. And the undo history's memory beside the bytes its steps
// must hold.
#include "MarkerMoves.h"
#include "Pelto5App.h"
#include "Pelto5Dlg.h"
#include "PosixFileSystem.h"
#include "ResourceIds.h"
#include "Resources.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <malloc.h>
#include <memory>

namespace {

using namespace pelto5;

// Shows dlg and waits until it is on the screen; a window that never gets
// there spoils the run.
void ShowOrSkip(QWidget& dlg, benchmark::State& state) {
    dlg.show();
    if (!QTest::qWaitForWindowExposed(&dlg))
        state.SkipWithError("window not exposed");
}

class SkinDialog : public QDialog {
public:
    SkinDialog() : QDialog(nullptr, Qt::Window | Qt::FramelessWindowHint) {
        setFixedSize(809, 505);
        m_skin = QPixmap::fromImage(ResourceBitmap(kSkinBitmap));
    }
    bool painted = false;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).drawPixmap(0, 0, m_skin);
        painted = true;
    }

private:
    QPixmap m_skin;
};

// The editor window on the machine's own files, as the application makes it.
struct Editor : Pelto5Dlg {
    Editor() : Pelto5Dlg(RealFileSystem()) {}
};

template <typename Dialog> void StartUp(benchmark::State& state) {
    for (auto _ : state) {
        Dialog dlg;
        ShowOrSkip(dlg, state);
        dlg.repaint(); // the first frame, painted now
        benchmark::DoNotOptimize(dlg.isVisible());
    }
}

void BM_StartUpFloor(benchmark::State& state) {
    StartUp<SkinDialog>(state);
}
void BM_StartUp(benchmark::State& state) {
    StartUp<Editor>(state);
}

template <typename Dialog> void Repaint(benchmark::State& state) {
    Dialog dlg;
    ShowOrSkip(dlg, state);
    for (auto _ : state)
        dlg.repaint();
}

void BM_RepaintFloor(benchmark::State& state) {
    Repaint<SkinDialog>(state);
}
void BM_Repaint(benchmark::State& state) {
    Repaint<Editor>(state);
}

void BM_CarriedMoveFloor(benchmark::State& state) {
    SkinDialog dlg;
    QWidget plain(&dlg);
    plain.setGeometry(38, 400, 42, 32);
    ShowOrSkip(dlg, state);
    int k = 0;
    for (auto _ : state) {
        plain.move(100 + (k & 63), 100 + (k & 31));
        ++k;
        // Paint what the move made dirty: the uncovered skin and the widget.
        QCoreApplication::processEvents();
    }
}

// Carries what dlg carries across the VL picture, one mouse move a step.
void MoveCarried(Pelto5Dlg& dlg, benchmark::State& state) {
    int k = 0;
    for (auto _ : state) {
        const QPointF p(100 + (k & 63), 100 + (k & 31));
        ++k;
        QMouseEvent move(QEvent::MouseMove, p, dlg.mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(&dlg, &move);
        QCoreApplication::processEvents();
    }
    dlg.releaseMouse();
}

void BM_CarriedMove(benchmark::State& state) {
    Pelto5Dlg dlg(RealFileSystem());
    ShowOrSkip(dlg, state);
    dlg.OnMarkerClicked(3020);
    MoveCarried(dlg, state);
}

// Writes a ship with every hardpoint at (at, at); false when it could not.
bool WriteShip(const QString& path, Pelto5Dlg& dlg, int at) {
    QByteArray ship = "[HardPoints]\r\n";
    for (int i = 0; i < kHardpointCount; ++i)
        ship += QByteArray::fromStdString(dlg.Model().Name(i)) +
                QByteArrayLiteral("=%1,%1\r\n").replace("%1", QByteArray::number(at));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(ship) == ship.size();
}

// The same carry while comparing with a backup in which all 56 hardpoints
// stand elsewhere: every step, the rows and 56 ghosts with their lines
// follow. BM_CarriedMove is its floor.
void BM_CarriedMoveComparing(benchmark::State& state) {
    QTemporaryDir dir;
    Pelto5Dlg dlg(RealFileSystem());
    if (!WriteShip(dir.filePath("All.gf"), dlg, 10) || !WriteShip(dir.filePath("All.001"), dlg, 20))
        state.SkipWithError("no ship written");
    dlg.OpenShip(dir.filePath("All.gf"));
    dlg.SetComparePrompt([&dir](QWidget*, const QString&) { return dir.filePath("All.001"); });
    ShowOrSkip(dlg, state);
    dlg.OnCompare();
    QCoreApplication::processEvents();
    dlg.OnMarkerClicked(3020);
    MoveCarried(dlg, state);
}

// All 56 markers selected and carried together, one mouse move at a time,
// beside 56 plain widgets moved and repainted on the same skin.
void BM_GroupCarriedMoveFloor(benchmark::State& state) {
    SkinDialog dlg;
    std::vector<std::unique_ptr<QWidget>> plain;
    for (int i = 0; i < kHardpointCount; ++i)
        plain.push_back(std::make_unique<QWidget>(&dlg));
    ShowOrSkip(dlg, state);
    int k = 0;
    for (auto _ : state) {
        for (int i = 0; i < kHardpointCount; ++i)
            plain[i]->setGeometry(100 + (k & 63) + (i % 14) * 42, 100 + (k & 31) + (i / 14) * 24,
                                  42, 24);
        ++k;
        QCoreApplication::processEvents();
    }
}

void BM_GroupCarriedMove(benchmark::State& state) {
    Pelto5Dlg dlg(RealFileSystem());
    ShowOrSkip(dlg, state);
    auto click = [&dlg](int i, Qt::KeyboardModifiers modifiers) {
        const QPoint at = dlg.Control(kFirstMarkerId + i)->geometry().center();
        QTest::mouseClick(dlg.windowHandle(), Qt::LeftButton, modifiers, at);
    };
    for (int i = 0; i < kHardpointCount; ++i)
        click(i, Qt::ControlModifier);
    click(0, Qt::NoModifier);
    if (dlg.DragState() != 1)
        state.SkipWithError("the selection was not picked up");
    MoveCarried(dlg, state);
}

void BM_DropFloor(benchmark::State& state) {
    SkinDialog dlg;
    std::vector<std::unique_ptr<QWidget>> plain;
    for (int i = 0; i < 56; ++i) {
        plain.push_back(std::make_unique<QWidget>(&dlg));
        plain.back()->setGeometry(38 + (i % 14) * 42, 400 + (i / 14) * 24, 42, 24);
    }
    ShowOrSkip(dlg, state);
    for (auto _ : state)
        for (auto& w : plain)
            w->repaint();
}

void BM_Drop(benchmark::State& state) {
    Pelto5Dlg dlg(RealFileSystem());
    ShowOrSkip(dlg, state);
    for (auto _ : state)
        dlg.RedrawMarkers();
}

// The history's heap per step of all 56 markers (CLEAR and RESET in turn),
// beside its floor, the bare moves such a step records; and what another
// kHistoryLimit steps add once the history is full, which the limit holds near 0.
void BM_HistoryMemory(benchmark::State& state) {
    QTemporaryDir dir;
    Pelto5Dlg dlg(RealFileSystem());
    QByteArray ship = "[HardPoints]\r\n";
    for (int i = 0; i < kHardpointCount; ++i)
        ship += QByteArray::fromStdString(dlg.Model().Name(i)) + "=10,10\r\n";
    QFile file(dir.filePath("All.gf"));
    if (!file.open(QIODevice::WriteOnly) || file.write(ship) != ship.size())
        state.SkipWithError("no ship written");
    file.close();
    dlg.OpenShip(file.fileName());
    auto steps = [&dlg](int count) {
        for (int k = 0; k < count; ++k)
            k % 2 ? dlg.OnReset() : dlg.OnClear();
    };
    for (auto _ : state) {
        const double empty = static_cast<double>(mallinfo2().uordblks);
        steps(kHistoryLimit);
        const double full = static_cast<double>(mallinfo2().uordblks);
        steps(kHistoryLimit);
        const double after = static_cast<double>(mallinfo2().uordblks);
        state.counters["step_bytes"] = (full - empty) / kHistoryLimit;
        state.counters["step_floor_bytes"] = kHardpointCount * sizeof(MarkerMoves::Move);
        state.counters["history_bytes"] = full - empty;
        state.counters["growth_when_full_bytes"] = after - full;
    }
}

BENCHMARK(BM_StartUpFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintFloor)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Repaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CarriedMoveFloor)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CarriedMove)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CarriedMoveComparing)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GroupCarriedMoveFloor)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GroupCarriedMove)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DropFloor)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Drop)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HistoryMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    Pelto5App app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
