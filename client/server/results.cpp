#include "server/results.h"

#include <algorithm>
#include <cstring>

namespace vk {

TableData DataPacket::takeData() {
    if (!m_data)
        return {};
    TableData out = m_data.use_count() == 1 ? std::move(*m_data) : *m_data;
    m_data.reset();
    return out;
}

bool TableReader::next() {
    if (m_row < m_data->rowCount)
        ++m_row;
    return m_row < m_data->rowCount;
}

QVariant TableReader::value(int column) const {
    if (m_row < 0 || m_row >= m_data->rowCount)
        return {};
    return m_data->columns[column][m_row];
}

qint64 ByteStream::read(char* buffer, qint64 count) {
    ++m_reads;
    const qint64 n = std::clamp<qint64>(m_bytes.size() - m_pos, 0, count);
    if (n > 0)
        std::memcpy(buffer, m_bytes.constData() + m_pos, static_cast<size_t>(n));
    m_pos += n;
    return n;
}

} // namespace vk
