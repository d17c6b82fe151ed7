#pragma once

#include <QColor>

// The console colours every piece of artwork is drawn from.
namespace pelto5::art::palette {

inline const QColor kBlack(0, 0, 0);
inline const QColor kLilac(198, 181, 239);
inline const QColor kLilacDark(148, 131, 189);
inline const QColor kPink(214, 165, 181);
inline const QColor kPinkDark(150, 92, 114);
inline const QColor kOrange(247, 189, 90);
inline const QColor kOrangeDark(172, 110, 22);
inline const QColor kMauve(165, 123, 132);
inline const QColor kSand(222, 181, 99);
inline const QColor kRed(204, 90, 80);
inline const QColor kRedDark(140, 44, 38);
inline const QColor kOlive(166, 166, 74);
inline const QColor kFrameOrange(255, 173, 33);
// Letters: dark ink on light keys, white on pressed keys.
inline const QColor kInkDark(26, 18, 46);
inline const QColor kInkLight(255, 255, 255);

} // namespace pelto5::art::palette
