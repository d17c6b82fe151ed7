#pragma once

#include <utility>
#include <vector>

namespace pelto5 {

// The markers chosen to move together, in the order they were added.
class MarkerSelection {
public:
    bool Empty() const { return m_markers.empty(); }
    int Count() const { return static_cast<int>(m_markers.size()); }
    bool Contains(int i) const;
    // The selected markers, the one added last at the back.
    const std::vector<int>& Markers() const { return m_markers; }
    // The marker added last, or -1 when none is selected.
    int Last() const { return m_markers.empty() ? -1 : m_markers.back(); }

    // Adds marker i, or takes it out when it is in.
    void Toggle(int i);
    // The selection becomes markers, added in their order.
    void Set(std::vector<int> markers) { m_markers = std::move(markers); }
    void Clear() { m_markers.clear(); }

private:
    std::vector<int> m_markers;
};

} // namespace pelto5
