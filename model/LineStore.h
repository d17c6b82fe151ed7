#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pelto5 {

// The line store: the records of a ship file's lines in file order, held as
// one block of text, each record followed by a line feed (no record holds
// one), so that a ship of millions of short lines costs its bytes and no
// heap object per line.
class LineStore {
public:
    // Empties the store and gives its memory back.
    void Clear() {
        std::string().swap(m_text);
        m_count = 0;
    }
    // Room for records of this many bytes in all, line feeds included.
    void Reserve(std::size_t bytes) { m_text.reserve(bytes); }
    void Append(std::string_view record) {
        m_text.append(record);
        m_text += '\n';
        ++m_count;
    }
    // Every record emptied; the count stays.
    void EmptyRecords() { m_text.assign(m_count, '\n'); }
    std::size_t Count() const { return m_count; }

    // Calls f with each record, in order.
    template <typename F> void ForEach(F f) const {
        const std::string_view text(m_text);
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = text.find('\n', start);
            f(text.substr(start, end - start));
            start = end + 1;
        }
    }
    // The records as strings.
    std::vector<std::string> Records() const {
        std::vector<std::string> records;
        ForEach([&records](std::string_view record) { records.emplace_back(record); });
        return records;
    }

private:
    std::string m_text;
    std::size_t m_count = 0;
};

} // namespace pelto5
