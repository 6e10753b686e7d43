#include "printing/printersetting.h"

namespace kv {

namespace {

// Each value with its name, in the order a save writes them; for reading and for writing.
template <class Setting, class Visit>
void eachValue(Setting &s, Visit visit)
{
    visit(u"Printer", s.printer);
    visit(u"Orientatie", s.orientatie);
    visit(u"Formaat", s.formaat);
    visit(u"Lade", s.lade);
    visit(u"PaperSize", s.paperSize);
    visit(u"Bin", s.bin);
    visit(u"Orient", s.orient);
}

} // namespace

QString printerSettingKey(QStringView kind)
{
    return RegKeyPrinter.toString() + u'\\' + kind;
}

PrinterSetting readPrinterSetting(Registry &registry, QStringView kind)
{
    PrinterSetting setting;
    const QString key = printerSettingKey(kind);
    eachValue(setting, [&](QStringView name, QString &text) { text = registry.LeesRegistry(key, name); });
    return setting;
}

Registry::Values printerSettingValues(const PrinterSetting &setting)
{
    Registry::Values values;
    eachValue(setting, [&](QStringView name, const QString &text) { values.emplace_back(name.toString(), text); });
    return values;
}

const QStringList &orientationEntries()
{
    static const QStringList entries{QStringLiteral("Staand"), QStringLiteral("Liggend")};
    return entries;
}

QString notAvailable(const QString &stored, bool offered)
{
    return offered || stored.isEmpty() ? QString() : QStringLiteral("Niet beschikbaar: ") + stored;
}

} // namespace kv
