#include "MarkerSelection.h"

#include <algorithm>

namespace pelto5 {

bool MarkerSelection::Contains(int i) const {
    return std::find(m_markers.begin(), m_markers.end(), i) != m_markers.end();
}

void MarkerSelection::Toggle(int i) {
    const auto it = std::find(m_markers.begin(), m_markers.end(), i);
    if (it == m_markers.end())
        m_markers.push_back(i);
    else
        m_markers.erase(it);
}

} // namespace pelto5
