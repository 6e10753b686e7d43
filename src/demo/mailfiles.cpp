#include "demo/demoadministration.h"

#include "editing/scrambling.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSaveFile>

#include <stdexcept>

namespace kv::demo {
namespace {

void write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw std::runtime_error("Kan " + path.toStdString() + " niet schrijven.");
}

// The suite's user file: one scrambled line per user, the name before the first ":".
QByteArray userFile()
{
    QByteArray bytes;
    for (const char *line : {"Beheerder:9", "Marieke:5", "Henk:1"})
        bytes += Codeer(QString::fromLatin1(line)).toLatin1() + "\r\n";
    return bytes;
}

// The company's logo for the invoice template: a green field with three ears of grain.
QByteArray logo()
{
    QImage image(240, 80, QImage::Format_ARGB32);
    image.fill(QColor(0x2e, 0x7d, 0x32));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xf9, 0xd5, 0x6e));
    for (int ear = 0; ear < 3; ++ear)
        for (int grain = 0; grain < 5; ++grain)
            painter.drawEllipse(QRectF(24 + ear * 22, 14 + grain * 11, 10, 14));
    painter.setBrush(QColor(0xff, 0xff, 0xff));
    painter.drawRect(QRectF(100, 30, 120, 6));
    painter.drawRect(QRectF(100, 44, 90, 6));
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

// A one-page PDF with the general terms, written out by hand: objects, then the table of their
// offsets the reader needs.
QByteArray terms()
{
    const QByteArray text = "BT /F1 14 Tf 72 760 Td (Algemene voorwaarden Akkerhof Agrarische Handel B.V.) Tj "
                            "0 -24 Td /F1 11 Tf (Op al onze aanbiedingen en leveringen zijn deze voorwaarden van toepassing.) Tj ET";
    const QList<QByteArray> objects{
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents 4 0 R /Resources << /Font << /F1 5 0 R >> >> >>",
        "<< /Length " + QByteArray::number(text.size()) + " >>\nstream\n" + text + "\nendstream",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
    };
    QByteArray pdf = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    for (qsizetype i = 0; i < objects.size(); ++i) {
        offsets << pdf.size();
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (qsizetype offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n"
           + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

} // namespace

void writeMailFiles(const QString &folder)
{
    const QDir dir(folder);
    write(dir.filePath(QStringLiteral("access.dat")), userFile());
    write(dir.filePath(QStringLiteral("Afbeeldingen/logo.png")), logo());
    write(dir.filePath(QStringLiteral("Documenten/Algemene voorwaarden.pdf")), terms());
}

} // namespace kv::demo
