#include "core/printing/printerservice.h"

#include <array>

namespace kv {

QString PrinterStatusText(qint64 status)
{
    if (status <= 0)
        return QStringLiteral("Ready");
    static const std::array<const char *, 23> texts = {
        "Paused",       "Error",         "Pending Deletion", "Paper Jam",     "Paper Out",   "Manual Feed",
        "Paper Problem", "Offline",      "IO Active",        "Busy",          "Printing",    "Output Bin Full",
        "Not Available", "Waiting",      "Processing",       "Initializing",  "Warming Up",  "Toner Low",
        "No Toner",      "Page Punt",    "User Intervention", "Out Of Memory", "Door Open"};
    QString text;
    for (size_t bit = 0; bit < texts.size(); ++bit)
        if (status & (qint64(1) << bit))
            text += QStringLiteral("\r\n") + QLatin1String(texts[bit]);
    return text;
}

} // namespace kv
