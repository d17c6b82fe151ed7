#pragma once

#include "FileSystem.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pelto5 {

// A picture's size in pixels.
struct PictureSize {
    int width = 0;
    int height = 0;
};

// What the picture loader makes of a picture file's bytes: its size, or
// nothing when it refuses them (the picture control would stay empty).
using PictureDecoder = std::function<std::optional<PictureSize>(const std::string& bytes)>;

// One thing a modder should look at before shipping: a message, and the
// 1-based line of the ship file it concerns (0 when none applies).
struct Finding {
    int line = 0;
    std::string message;
};

// A review of one ship: the findings, or, when the ship file could not be
// read, its errno value and none.
struct ShipReview {
    int readError = 0;
    std::vector<Finding> findings;
};

// Reviews the ship at shipPath as OPEN would load it, its two pictures named
// after its stem and decoded by decode. The findings come in a stable order:
// the pictures (VL, then TI), then the hardpoints without a line in table
// order, then the findings tied to lines, by line. A file too large for a
// ship, or a picture, gives that one finding.
ShipReview CheckShip(FileSystem& fs, const std::string& shipPath, const PictureDecoder& decode);

} // namespace pelto5
