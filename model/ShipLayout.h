#pragma once

#include "Geometry.h"
#include "HardpointTable.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace pelto5 {

// Each hardpoint's file coordinates as a ship file gives them, in table
// order; none where no line of the file names the hardpoint.
using HardpointPositions = std::array<std::optional<Point>, kHardpointCount>;

// What a version of a ship file holds by the reader's rules, for comparing
// versions: where each hardpoint stands (the last line naming it decides),
// and the lines a save keeps besides them (neither empty nor hardpoint
// lines), in file order, as views into the bytes read.
struct ShipLayout {
    HardpointPositions at{};
    std::vector<std::string_view> otherLines;
};

// Reads a ship file's bytes as OPEN reads them. The layout's lines point into
// bytes, which must outlive it.
ShipLayout ReadShipLayout(std::string_view bytes);

// How many lines differ between two versions' other lines: by the fewest
// lines removed and added that turn one into the other, the larger of the
// two counts, so a changed line counts once. The count needs work that grows
// with the lines and the differences; past a bound of work (far beyond any
// real ship) it stops, and count is then the least number that differ.
struct LineDifference {
    std::size_t count = 0;
    bool atLeast = false;
};
LineDifference CountDifferingLines(const std::vector<std::string_view>& before,
                                   const std::vector<std::string_view>& after);

} // namespace pelto5
