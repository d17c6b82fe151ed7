#pragma once

#include <string>
#include <vector>

namespace pelto5 {

class FileSystem;
class Terminal;

// `pelto5 --check PATH...`: reviews every ship named by paths (a ship file,
// or a folder searched to any depth for *.gf in any letter case), paths and
// names as the system's bytes, as OPEN would load each, without a display and
// without writing anything. Prints one line per finding, compiler style
// ("Ship.gf:12: ..."), names escaped, then a summary line; a path, folder or
// ship that cannot be read is said on standard error, in the order of the
// paths. Returns the exit status: 0 when nothing was found, 1 when something
// was, 2 when something could not be read.
int CheckShips(const std::vector<std::string>& paths, FileSystem& fs, Terminal& terminal);

} // namespace pelto5
