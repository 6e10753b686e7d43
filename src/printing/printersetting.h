#pragma once

#include "core/registry/registry.h"

#include <QString>
#include <QStringList>
#include <QStringView>

namespace kv {

// What is stored per document kind under `RegKeyPrinter` + "\" + kind: the texts of the chosen
// printer, orientation, paper size and tray, and the numbers those entries carry.
struct PrinterSetting {
    QString printer, orientatie, formaat, lade;
    QString paperSize, bin, orient;
};

QString printerSettingKey(QStringView kind);
PrinterSetting readPrinterSetting(Registry &registry, QStringView kind);
Registry::Values printerSettingValues(const PrinterSetting &setting);

// The entries of the orientation lists: "Staand" (`Staand`, 1) and "Liggend" (`Liggend`, 2).
const QStringList &orientationEntries();

// What a list says under it about a stored printer, size or tray the printer does not offer:
// "Niet beschikbaar: " + the stored text; empty when it is offered or nothing is stored.
QString notAvailable(const QString &stored, bool offered);

} // namespace kv
