#pragma once

#include <QString>

#include <memory>

class QFontMetrics;
class QMessageBox;
class QWidget;

namespace pelto5 {

// The widest a single word of a failure message may be, in pixels. A message
// box wraps its text at half the screen's width (at most 500 pixels), less its
// icon and margins: about 320 pixels of text on an 800-pixel screen. A wider
// word (a long path) would stretch the box and be cut.
constexpr int kMessageWordWidth = 300;

// text with every word wider than maxWidth in metrics elided in its middle,
// so that its start and end (a path's folder and file name) stay readable.
QString ElideLongWords(const QString& text, const QFontMetrics& metrics, int maxWidth);

// The box that tells the user of a failure: the application's title, the
// warning icon, OK, and text as plain text with its long words elided, so the
// whole message reads on a 1024-pixel-wide screen.
std::unique_ptr<QMessageBox> MakeFailureBox(QWidget* parent, const QString& text);

} // namespace pelto5
