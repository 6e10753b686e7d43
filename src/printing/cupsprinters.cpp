#include "printing/cupsprinters.h"

#include <QPageSize>
#include <QTemporaryFile>

#include <cups/cups.h>
// The PPD gives the driver's own keys and texts of sizes and trays, the ones the lists show.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <cups/ppd.h>

#include <memory>

namespace kv {

namespace {

struct Destinations {
    int count = 0;
    cups_dest_t *dests = nullptr;
    ~Destinations() { cupsFreeDests(count, dests); }

    cups_dest_t *find(const QString &name) const
    {
        return cupsGetDest(name.toUtf8().constData(), nullptr, count, dests);
    }
    QString option(const cups_dest_t *dest, const char *name) const
    {
        return QString::fromUtf8(cupsGetOption(name, dest->num_options, dest->options));
    }
};

// libcups's calls go to the server its thread is set to; a connection of our own would not
// carry the job (cupsPrintFile2 looks its destination up anew).
void useServer(const QString &server)
{
    cupsSetServer(server.isEmpty() ? nullptr : server.toUtf8().constData());
}

// The printers of the server, in its order. No server: none.
void load(const QString &server, Destinations &destinations)
{
    useServer(server);
    destinations.count = cupsGetDests2(CUPS_HTTP_DEFAULT, &destinations.dests);
}

struct PpdClose {
    void operator()(ppd_file_t *ppd) const { ppdClose(ppd); }
};

// The texts of sizes and trays, cut at their fixed lengths (64 and 24).
QString cut(const char *text, int length)
{
    return QString::fromUtf8(text).left(length);
}

struct HttpClose {
    void operator()(http_t *http) const { httpClose(http); }
};
struct DestInfoFree {
    void operator()(cups_dinfo_t *info) const { cupsFreeDestInfo(info); }
};

// The number of a tray by its key: Upper/Top 1, Lower/Bottom 2, Middle 3, Manual 4,
// Envelope 5, Auto 7; any other 256 + its position in the printer's list.
int trayNumber(const QString &key, int position)
{
    static const QList<std::pair<QStringList, int>> known = {
        {{QStringLiteral("upper"), QStringLiteral("top")}, 1},
        {{QStringLiteral("lower"), QStringLiteral("bottom")}, 2},
        {{QStringLiteral("middle")}, 3},
        {{QStringLiteral("manual")}, 4},
        {{QStringLiteral("envelope")}, 5},
        {{QStringLiteral("auto")}, 7},
    };
    for (const auto &[keys, number] : known)
        if (keys.contains(key.toLower()))
            return number;
    return 256 + position;
}

// The number of a paper size: its Windows number, else 256 + its position in the list.
int paperSizeNumber(const QSizeF &points, int position)
{
    const QPageSize::PageSizeId id = QPageSize::id(points, QPageSize::Point, QPageSize::FuzzyMatch);
    const int windows = id == QPageSize::Custom ? 0 : QPageSize::windowsId(id);
    return windows > 0 ? windows : 256 + position;
}

// The trays of a printer whose driver names none, from the printer's own IPP attributes: its
// media sources, the one it takes by default marked current. Only an IPP device can be asked;
// one that does not answer within a few seconds has no trays.
void addMediaSources(const cups_dest_t &queue, PrinterCapabilities &capabilities)
{
    const char *device = cupsGetOption("device-uri", queue.num_options, queue.options);
    if (qstrncmp(device, "ipp://", 6) != 0 && qstrncmp(device, "ipps://", 7) != 0)
        return;
    // The printer alone, its URI in both places libcups may take it from: given the queue itself,
    // libcups 2.4 asks the printer for the queue's URI when both use port 631 (a local CUPS on
    // its domain socket and a printer on the network).
    cups_dest_t printer{};
    printer.name = queue.name;
    for (const char *name : {"printer-uri-supported", "device-uri"})
        printer.num_options = cupsAddOption(name, device, printer.num_options, &printer.options);
    char resource[1024];
    const std::unique_ptr<http_t, HttpClose> http(
        cupsConnectDest(&printer, CUPS_DEST_FLAGS_DEVICE, 3000, nullptr, resource, sizeof resource, nullptr, nullptr));
    const std::unique_ptr<cups_dinfo_t, DestInfoFree> info(http ? cupsCopyDestInfo(http.get(), &printer) : nullptr);
    if (info) {
        const char *current = nullptr;
        if (ipp_attribute_t *source = cupsFindDestDefault(http.get(), &printer, info.get(), "media-source"))
            current = ippGetString(source, 0, nullptr);
        else if (ipp_attribute_t *media = cupsFindDestDefault(http.get(), &printer, info.get(), "media-col"))
            current = ippGetString(ippFindAttribute(ippGetCollection(media, 0), "media-source", IPP_TAG_KEYWORD), 0, nullptr);
        ipp_attribute_t *sources = cupsFindDestSupported(http.get(), &printer, info.get(), "media-source");
        for (int i = 0; i < ippGetCount(sources); ++i) {
            const char *keyword = ippGetString(sources, i, nullptr);
            // libcups gives the printer's or its own text for a keyword, else the keyword itself.
            const char *text = cupsLocalizeDestValue(http.get(), &printer, info.get(), "media-source", keyword);
            const PaperTray tray{trayNumber(QString::fromUtf8(keyword), i), cut(text, 24), QString::fromUtf8(keyword), true};
            if (current && qstrcmp(current, keyword) == 0)
                capabilities.currentTray = tray.number;
            capabilities.trays << tray;
        }
    }
    cupsFreeOptions(printer.num_options, printer.options);
}

} // namespace

quint32 statusBits(int state, const QStringList &reasons, bool accepting)
{
    quint32 bits = 0;
    if (state == IPP_PSTATE_STOPPED)
        bits |= 0x1;
    if (state == IPP_PSTATE_PROCESSING)
        bits |= 0x400;
    if (!accepting)
        bits |= 0x1000;
    static const QList<std::pair<QStringList, quint32>> known = {
        {{QStringLiteral("paused")}, 0x1},
        {{QStringLiteral("media-jam")}, 0x8},
        {{QStringLiteral("media-empty"), QStringLiteral("media-needed")}, 0x10},
        {{QStringLiteral("offline")}, 0x80},
        {{QStringLiteral("output-area-full")}, 0x800},
        {{QStringLiteral("toner-low"), QStringLiteral("marker-supply-low")}, 0x20000},
        {{QStringLiteral("toner-empty"), QStringLiteral("marker-supply-empty")}, 0x40000},
        {{QStringLiteral("door-open"), QStringLiteral("cover-open")}, 0x400000},
    };
    for (const QString &reason : reasons) {
        QString base = reason;
        for (QStringView suffix : {u"-report", u"-warning", u"-error"})
            if (base.endsWith(suffix))
                base.chop(suffix.size());
        quint32 bit = 0;
        for (const auto &[names, value] : known)
            if (names.contains(base))
                bit = value;
        if (!bit && reason.endsWith(u"-error"))
            bit = 0x2;
        bits |= bit;
    }
    return bits;
}

CupsPrinters::CupsPrinters(QString server) : m_server(std::move(server)) {}

QStringList CupsPrinters::printers()
{
    Destinations destinations;
    load(m_server, destinations);
    QStringList names;
    for (int i = 0; i < destinations.count; ++i)
        if (!destinations.dests[i].instance)
            names << QString::fromUtf8(destinations.dests[i].name);
    return names;
}

QString CupsPrinters::defaultPrinter()
{
    Destinations destinations;
    load(m_server, destinations);
    for (int i = 0; i < destinations.count; ++i)
        if (destinations.dests[i].is_default && !destinations.dests[i].instance)
            return QString::fromUtf8(destinations.dests[i].name);
    return {};
}

std::optional<PrinterInfo> CupsPrinters::info(const QString &printer)
{
    Destinations destinations;
    load(m_server, destinations);
    const cups_dest_t *dest = destinations.find(printer);
    if (!dest)
        return std::nullopt;
    PrinterInfo info;
    info.comment = destinations.option(dest, "printer-info");
    info.location = destinations.option(dest, "printer-location");
    info.port = destinations.option(dest, "device-uri");
    info.status = statusBits(destinations.option(dest, "printer-state").toInt(),
                             destinations.option(dest, "printer-state-reasons").split(u',', Qt::SkipEmptyParts),
                             destinations.option(dest, "printer-is-accepting-jobs") != u"false");
    return info;
}

std::optional<PrinterCapabilities> CupsPrinters::capabilities(const QString &printer)
{
    Destinations destinations;
    load(m_server, destinations);
    const cups_dest_t *dest = destinations.find(printer);
    if (!dest)
        return std::nullopt;
    PrinterCapabilities capabilities;
    QTemporaryFile file;
    if (!file.open())
        return std::nullopt;
    char path[4096];
    qstrncpy(path, file.fileName().toLocal8Bit().constData(), sizeof path);
    time_t modified = 0;
    // A queue without a driver (raw, or driverless without one) has no PPD: no sizes of its own,
    // and trays only from the printer itself.
    std::unique_ptr<ppd_file_t, PpdClose> ppd;
    if (cupsGetPPD3(CUPS_HTTP_DEFAULT, printer.toUtf8().constData(), &modified, path, sizeof path) == HTTP_STATUS_OK)
        ppd.reset(ppdOpenFile(path));
    if (ppd) {
        ppdMarkDefaults(ppd.get());
        if (ppd_option_t *sizes = ppdFindOption(ppd.get(), "PageSize")) {
            for (int i = 0; i < sizes->num_choices; ++i) {
                const ppd_choice_t &choice = sizes->choices[i];
                const ppd_size_t *size = ppdPageSize(ppd.get(), choice.choice);
                if (!size)
                    continue;
                PaperSize paper;
                paper.page = QSizeF(size->width, size->length);
                paper.number = paperSizeNumber(paper.page, i);
                paper.name = cut(choice.text, 64);
                paper.key = QString::fromUtf8(choice.choice);
                paper.margins = QMarginsF(size->left, size->length - size->top, size->width - size->right, size->bottom);
                if (choice.marked)
                    capabilities.currentSize = paper.number;
                capabilities.sizes << paper;
            }
        }
        if (ppd_option_t *trays = ppdFindOption(ppd.get(), "InputSlot")) {
            for (int i = 0; i < trays->num_choices; ++i) {
                const ppd_choice_t &choice = trays->choices[i];
                const PaperTray tray{trayNumber(QString::fromUtf8(choice.choice), i), cut(choice.text, 24),
                                     QString::fromUtf8(choice.choice)};
                if (choice.marked)
                    capabilities.currentTray = tray.number;
                capabilities.trays << tray;
            }
        }
        capabilities.duplex = ppdFindOption(ppd.get(), "Duplex") != nullptr;
    }
    if (capabilities.trays.isEmpty())
        addMediaSources(*dest, capabilities);
    return capabilities;
}

SubmitResult CupsPrinters::submit(const QString &printer, const QString &pdf, const JobSettings &settings)
{
    Destinations destinations;
    load(m_server, destinations);
    if (!destinations.find(printer))
        return {0, QStringLiteral("De printer ") + printer + QStringLiteral(" is niet meer beschikbaar.")};

    int count = 0;
    cups_option_t *options = nullptr;
    const auto add = [&](const char *name, const QString &value) {
        if (!value.isEmpty())
            count = cupsAddOption(name, value.toUtf8().constData(), count, &options);
    };
    add("media", settings.media);
    add(settings.mediaSource ? "media-source" : "InputSlot", settings.inputSlot);
    add("sides", settings.duplex == DubbelzijdigHorizontaal ? QStringLiteral("two-sided-long-edge")
                 : settings.duplex == DubbelzijdigVerticaal ? QStringLiteral("two-sided-short-edge")
                                                              : QStringLiteral("one-sided"));
    add("orientation-requested", settings.orientation == Liggend ? QStringLiteral("4") : QStringLiteral("3"));
    add("copies", QString::number(settings.copies));
    const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, printer.toUtf8().constData(), pdf.toLocal8Bit().constData(),
                                   settings.title.toUtf8().constData(), count, options);
    cupsFreeOptions(count, options);
    if (job > 0)
        return {job, {}};
    if (cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND)
        return {0, QStringLiteral("De printer ") + printer + QStringLiteral(" is niet meer beschikbaar.")};
    return {0, QStringLiteral("De printer ") + printer + QStringLiteral(" weigert de opdracht: ")
                   + QString::fromUtf8(cupsLastErrorString())};
}

} // namespace kv
