#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <functional>
#include <vector>

namespace kv::finance::auditfile {

// A forward-only XML writer with a byte-defined layout: no indentation, no line breaks, an empty
// element as <x></x>. Values arrive already prepared (through SepaTekst or escaped); the writer
// only encodes them as UTF-8. Output is buffered and handed to the file in large blocks.
class XmlWriter {
public:
    // A block could not be written; the device's reason.
    struct Mislukt {
        QString reden;
    };

    // `meelezer`, when given, hears each block as it is written.
    explicit XmlWriter(QIODevice &device, std::function<void(QByteArrayView)> meelezer = {})
        : m_device(device), m_meelezer(std::move(meelezer)), m_buffer(kBlock + 4096)
    {
    }
    ~XmlWriter() { flush(); }
    XmlWriter(const XmlWriter &) = delete;
    XmlWriter &operator=(const XmlWriter &) = delete;

    void raw(QByteArrayView bytes);
    void open(QByteArrayView name);
    void close(QByteArrayView name);
    // <name>value</name>, also when the value is empty.
    void element(QByteArrayView name, const QString &value);
    void element(QByteArrayView name, QByteArrayView value);

    // Writes what is buffered; false once any write to the device failed. Writing a full block
    // as it fills throws Mislukt instead, so a run stops at the first failure.
    bool flush();
    bool ok() const { return m_ok; }
    qint64 written() const { return m_written + m_used; }

private:
    static constexpr qsizetype kBlock = 256 * 1024;
    QIODevice &m_device;
    std::function<void(QByteArrayView)> m_meelezer;
    // Where the next `n` bytes go; grows the buffer for a value larger than a block.
    char *ruimte(qsizetype n);
    // After each piece: a full block goes to the device.
    void misschienFlush();

    std::vector<char> m_buffer;
    qsizetype m_used = 0;
    qint64 m_written = 0;
    bool m_ok = true;
};

} // namespace kv::finance::auditfile
