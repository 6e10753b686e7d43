#include "finance/auditfile/xmlwriter.h"

#include <algorithm>

namespace kv::finance::auditfile {

void XmlWriter::raw(QByteArrayView bytes)
{
    m_buffer.append(bytes);
    if (m_buffer.size() >= kBlock && !flush())
        throw Mislukt{m_device.errorString()};
}

void XmlWriter::element(QByteArrayView name, const QString &value)
{
    // Values are nearly always ASCII: those go into the buffer without a conversion.
    if (std::all_of(value.begin(), value.end(), [](QChar c) { return c.unicode() < 0x80; })) {
        open(name);
        const qsizetype at = m_buffer.size();
        m_buffer.resize(at + value.size());
        std::transform(value.begin(), value.end(), m_buffer.data() + at, [](QChar c) { return char(c.unicode()); });
        close(name);
        return;
    }
    element(name, QByteArrayView(value.toUtf8()));
}

void XmlWriter::element(QByteArrayView name, QByteArrayView value)
{
    open(name);
    raw(value);
    close(name);
}

bool XmlWriter::flush()
{
    // A short write is tried again for the rest: the second try tells why (a full disk).
    for (qsizetype done = 0; m_ok && done < m_buffer.size();) {
        const qint64 n = m_device.write(m_buffer.constData() + done, m_buffer.size() - done);
        if (n <= 0)
            m_ok = false;
        else
            done += n;
    }
    if (m_ok && m_meelezer && !m_buffer.isEmpty())
        m_meelezer(m_buffer);
    m_written += m_buffer.size();
    m_buffer.resize(0); // keeps the capacity for the next block; nothing piles up after a failure
    return m_ok;
}

} // namespace kv::finance::auditfile
