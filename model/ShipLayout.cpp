#include "ShipLayout.h"

#include "ShipText.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace pelto5 {

namespace {

// Line comparisons a count may take, a fraction of a second; a ship of a
// thousand lines, every one of them different, needs a few million. Round d
// of the search takes d + 1 of them at least, which bounds the rounds.
constexpr std::int64_t kWorkBound = std::int64_t{1} << 25;
constexpr std::int64_t kMaxRounds = 8192;
static_assert(kMaxRounds * (kMaxRounds + 1) / 2 > kWorkBound);

// The larger of the removed and added counts, from their sum (the edit
// distance) and the difference of the two lengths.
std::size_t LargerSide(std::int64_t distance, std::int64_t lengthGap) {
    return static_cast<std::size_t>((distance + lengthGap + 1) / 2);
}

} // namespace

ShipLayout ReadShipLayout(std::string_view bytes) {
    ShipLayout layout;
    ForEachLine(bytes, [&layout](std::string_view line) {
        if (line.empty())
            return;
        if (const int i = ClassifyLine(line); i >= 0)
            layout.at[i] = ParseCoordinates(std::string(line));
        else
            layout.otherLines.push_back(line);
    });
    return layout;
}

LineDifference CountDifferingLines(const std::vector<std::string_view>& before,
                                   const std::vector<std::string_view>& after) {
    // Versions of one ship share most lines: the common head and tail cost
    // one comparison a line, and the search below sees only what lies between.
    std::size_t head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head])
        ++head;
    std::size_t endA = before.size(), endB = after.size();
    while (endA > head && endB > head && before[endA - 1] == after[endB - 1]) {
        --endA;
        --endB;
    }
    const std::int64_t n = static_cast<std::int64_t>(endA - head);
    const std::int64_t m = static_cast<std::int64_t>(endB - head);
    const std::int64_t gap = n > m ? n - m : m - n;
    if (n == 0 || m == 0)
        return {static_cast<std::size_t>(gap), false};

    // Myers' search for the shortest edit: after d removals and additions,
    // far[k] is the furthest line of `before` reached on diagonal k (x - y).
    const std::int64_t rounds = std::min(n + m, kMaxRounds);
    const std::int64_t offset = rounds + 1;
    std::vector<std::int64_t> far(static_cast<std::size_t>(2 * offset + 1), 0);
    std::int64_t work = 0;
    std::int64_t d = 0;
    for (; d <= rounds && work <= kWorkBound; ++d) {
        for (std::int64_t k = -d; k <= d; k += 2) {
            const std::size_t at = static_cast<std::size_t>(k + offset);
            std::int64_t x =
                (k == -d || (k != d && far[at - 1] < far[at + 1])) ? far[at + 1] : far[at - 1] + 1;
            std::int64_t y = x - k;
            while (x < n && y < m && before[head + x] == after[head + y]) {
                ++x;
                ++y;
                ++work;
            }
            far[at] = x;
            if (x >= n && y >= m)
                return {LargerSide(d, gap), false};
            ++work;
        }
    }
    // Stopped: no edit of fewer than d steps exists. One takes at least the
    // gap as well, and has the parity of n + m.
    std::int64_t least = std::max(d, gap);
    if ((least - gap) % 2 != 0)
        ++least;
    return {LargerSide(least, gap), true};
}

} // namespace pelto5
