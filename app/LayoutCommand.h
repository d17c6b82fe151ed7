#pragma once

#include <string>

namespace pelto5 {

class FileSystem;
class Terminal;

// `pelto5 --layout FILE`: the 56 hardpoints of a ship as the reader places
// them, in table order, one a line ("Weapon5 56,38", or "Weapon5 tray" for a
// hardpoint the file does not name): a text view of the ship for version
// control (git's textconv). Returns 0, or 2 when the file cannot be read or
// is no ship file.
int PrintLayout(const std::string& path, FileSystem& fs, Terminal& terminal);

// `pelto5 --diff OLD NEW`: one line per hardpoint whose position differs, in
// table order ("Weapon5: 56,38 -> 60,40", "tray" where a file does not name
// it), one line saying how many other lines differ when any do (empty lines
// and hardpoint lines aside, as a save treats them), then a summary. Returns
// 0 when nothing differs, 1 when something does, 2 when a file cannot be read
// or is no ship file.
int DiffShips(const std::string& oldPath, const std::string& newPath, FileSystem& fs,
              Terminal& terminal);

} // namespace pelto5
