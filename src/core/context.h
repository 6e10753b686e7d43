#pragma once

#include "core/log/workstation.h"
#include "core/printing/printstate.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <array>
#include <functional>

class QWidget;

namespace kv {

class DialogService;
struct ListSource;
class Registry;
class Session;

// The start of every window title of the console.
inline constexpr QStringView TitelPrefix = u"Beheer - KorvenalPro";

// The separators of amounts (`DecimaalTeken`, `DuizendTeken`) and of plain numbers
// (`GetalDecimaalTeken`, `GetalDuizendTeken`), read from the locale at start-up.
struct Separators {
    QChar DecimaalTeken = u',';
    QChar DuizendTeken = u'.';
    QChar GetalDecimaalTeken = u',';
    QChar GetalDuizendTeken = u'.';
};

// What the whole console shares while it runs: the administration, the edit context between
// a list and its detail window, the texts screens hand each other, the clock and the
// workstation. One is made at start-up and handed to every screen; tests make their own.
class Context {
public:
    QString DataPad;   // the data folder, always with a trailing separator
    QString AdminCode; // two characters, from the folder name
    QString AdminJaar; // four characters, from the folder name

    QString EditMode; // "addnew" or "edit"
    QString EditKey;

    // One hundred shared texts; the last one is `SelectieResultaat`.
    std::array<QString, 100> Gedeeld;
    QString &SelectieResultaat() { return Gedeeld[99]; }

    // The user's locale and what start-up reads from it besides the separators.
    QLocale locale = QLocale::system();
    Separators separators;
    QString currencySymbol = QStringLiteral("€");
    QString dateSeparator = QStringLiteral("-");
    QString shortDateFormat = QStringLiteral("dd-mm-yyyy"); // lower case
    int TweeCijferJaarMax = 2029; // the last year a two-digit year entry stands for

    QString workstation = GetComputerNaam();
    QString user = loginName();
    DialogService *dialogs = nullptr;
    Registry *registry = nullptr;
    Session *session = nullptr;
    PrinterService *printers = nullptr;
    PrintState print;
    // Opens the export window over a list a screen shows; screens offer "Exporteren..." only
    // when it is set.
    std::function<void(const ListSource &, QWidget *parent)> exportList;

    // "Now" and "today"; tests fix the clock.
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };
    QDateTime now() const { return clock(); }
    QDate today() const { return clock().date(); }
};

} // namespace kv
