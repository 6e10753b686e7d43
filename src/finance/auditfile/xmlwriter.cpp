#include "finance/auditfile/xmlwriter.h"

#include <algorithm>
#include <cstring>

namespace kv::finance::auditfile {

char *XmlWriter::ruimte(qsizetype n)
{
    if (m_used + n > qsizetype(m_buffer.size()))
        m_buffer.resize(size_t(std::max(2 * qsizetype(m_buffer.size()), m_used + n)));
    char *plek = m_buffer.data() + m_used;
    m_used += n;
    return plek;
}

void XmlWriter::misschienFlush()
{
    if (m_used >= kBlock && !flush())
        throw Mislukt{m_device.errorString()};
}

void XmlWriter::raw(QByteArrayView bytes)
{
    std::memcpy(ruimte(bytes.size()), bytes.data(), size_t(bytes.size()));
    misschienFlush();
}

void XmlWriter::open(QByteArrayView name)
{
    char *p = ruimte(name.size() + 2);
    *p++ = '<';
    p = std::copy(name.begin(), name.end(), p);
    *p = '>';
}

void XmlWriter::close(QByteArrayView name)
{
    char *p = ruimte(name.size() + 3);
    *p++ = '<';
    *p++ = '/';
    p = std::copy(name.begin(), name.end(), p);
    *p = '>';
    misschienFlush();
}

void XmlWriter::element(QByteArrayView name, const QString &value)
{
    // Values are nearly always ASCII: those go into the buffer without a conversion.
    if (std::all_of(value.begin(), value.end(), [](QChar c) { return c.unicode() < 0x80; })) {
        open(name);
        std::transform(value.begin(), value.end(), ruimte(value.size()), [](QChar c) { return char(c.unicode()); });
        close(name);
        return;
    }
    element(name, QByteArrayView(value.toUtf8()));
}

void XmlWriter::element(QByteArrayView name, QByteArrayView value)
{
    open(name);
    std::memcpy(ruimte(value.size()), value.data(), size_t(value.size()));
    close(name);
}

bool XmlWriter::flush()
{
    // A short write is tried again for the rest: the second try tells why (a full disk).
    for (qsizetype done = 0; m_ok && done < m_used;) {
        const qint64 n = m_device.write(m_buffer.data() + done, m_used - done);
        if (n <= 0)
            m_ok = false;
        else
            done += n;
    }
    if (m_ok && m_meelezer && m_used > 0)
        m_meelezer(QByteArrayView(m_buffer.data(), m_used));
    m_written += m_used;
    m_used = 0; // nothing piles up after a failure
    return m_ok;
}

} // namespace kv::finance::auditfile
