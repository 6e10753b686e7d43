#include "finance/auditfile/xmlwriter.h"

namespace kv::finance::auditfile {

void XmlWriter::raw(QByteArrayView bytes)
{
    m_buffer.append(bytes);
    if (m_buffer.size() >= kBlock)
        flush();
}

void XmlWriter::element(QByteArrayView name, const QString &value)
{
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
    if (m_buffer.isEmpty() || !m_ok)
        return m_ok;
    const qint64 n = m_device.write(m_buffer);
    if (n != m_buffer.size())
        m_ok = false;
    m_written += m_buffer.size();
    m_buffer.resize(0); // keeps the capacity for the next block
    return m_ok;
}

} // namespace kv::finance::auditfile
