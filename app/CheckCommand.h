#pragma once

#include <QStringList>

#include <cstdio>

namespace pelto5 {

class FileSystem;

// `pelto5 --check PATH...`: reviews every ship named by paths (a ship file,
// or a folder searched to any depth for *.gf in any letter case) as OPEN
// would load it, without a display and without writing anything. Prints one
// line per finding, compiler style ("Ship.gf:12: ..."), then a summary line,
// to out; a PATH that cannot be read is said on err. Returns the exit
// status: 0 when nothing was found, 1 when something was, 2 when a PATH
// cannot be read.
int CheckShips(const QStringList& paths, FileSystem& fs, std::FILE* out, std::FILE* err);

} // namespace pelto5
