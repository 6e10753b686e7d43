#pragma once

#include "core/registry/registry.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QWidget;

namespace kv {
class Context;
}

namespace kv::options {

class OptionsLogic;
struct AuditEntry;

// The control that shows an option.
enum class Control {
    Toggle, // a YesNo switch with its caption beside it
    Text,   // a text field
    Number, // a field for a whole number
    Amount, // a field for an amount of money
    Choice, // a group of choices, one of `items`
    Combo,  // a drop-down list of `items`
    Heading, // the caption of a block of options; stores nothing
    Colour,  // a swatch; a click picks another colour (stored as a Windows colour number)
    Folder,  // a folder's path, typed or picked
    File,    // a file's path, typed or picked in a save dialog (`dialogTitle`, `filter`)
    Account, // a ledger account number, with its description beside it
    Picks,   // an ordered choice from `items`: two lists, what is available and what is chosen
    Along,   // no control of its own: a further value written with the option `follows` names
    Date,    // a date field: typed ddmmyyyy, shown as " 1 apr 2026"
    Button,  // a button that runs `action` (another window, a web page); stores nothing
};

// Where an option is kept: a column of the single `UserGegevens` record (shared by every
// workstation of the administration), a text value under the program's registry key (this
// user on this workstation), or a line of a marker file in the data folder, which the suite's
// programs read. A screen's marker files are made to hold what it shows on every save.
// `Screen`: shown only, a part of a value another option of the screen stores (`shownFrom`).
enum class Place { UserGegevens, Registry, MarkerFile, Screen };

// How a state is stored. The encodings are the suite's: its other programs read them.
enum class Encoding {
    Db10,      // a number field: 1 on, 0 off
    DbMinus10, // a yes/no field: true (-1) on, false (0) off
    Reg10,     // registry or file text: "1" on, "0" off
    Reg01,     // registry or file text, the reverse: "0" on, "1" off; nothing stored reads as off
    Text,      // as typed
    Number,    // a whole number; an empty field stores nothing (Null)
    Amount,    // an amount, shown through FormatBedrag; an empty field stores nothing (Null)
    Present,   // a whole marker file: on, it holds `values[0]`; off, it is not there (nor are
               // the files `values[1...]` names, removed once the save has landed)
    RegZeroOn, // registry text read as a number: on when it is 0 (or nothing), stored "0" on, "1" off
    Postcode,  // shown through FormatPostcode; stored without spaces, upper case, 6 characters
    Item,      // the value of the chosen item (`values`); a value no item has shows item 0
    RegOne10,  // registry text read as a number: on when it is 1; stored "1" on, "0" off
    Leading,   // text holding the numeric value of the typed text's leading digits ("12a": "12")
    Counter,   // a document number: the numeric value zero-filled to the digit count in the option
               // `width` names
    CounterNotZero, // as Counter, but 0 becomes the smallest number of that many digits
    Keys,      // the chosen items' `values` in order, each followed by `KeyEnd`
    Marked,    // text: `values[0]` on, empty off; on only when it holds `values[0]`
    DateText,  // a date kept as the text "yyyymmdd"
    CodeKey,   // the key of an entry of the code table `codeTable` (its position, from 1)
    BankAccount, // shown through FormatRekeningnummer; stored without "." and blanks, upper case, trimmed
    Compact,   // stored upper case, without blanks (a creditor identifier)
    AmountText, // an amount kept as the text FormatBedrag gives it ("450,00"); empty stores Null
};

// What ends each key of a `Keys` value.
inline constexpr QChar KeyEnd(0xFF);

// One option: a line of its screen's table.
struct Option {
    QString control; // as the screen names it: "toggle 3", "field 14", "choice"
    QString caption; // a toggle's or field's caption, as shown; empty for a choice group
    Control kind;
    Place place;
    QString name;    // the column or registry value
    Encoding encoding;
    QStringList items = {};  // a choice group's captions, in order
    QStringList values = {}; // what each item stores; for a whole file, "" is no file
    int line = 0;            // the line of a marker file, from 0; -1: the whole file is the value
    QString mirror = {};     // a marker file that also holds the stored text, as its one line
    QString note = {};       // a remark shown under the caption
    QString dialogTitle = {}; // a folder's or a file's: the title of the dialog that picks it
    bool spaceWhenEmpty = false; // an empty field is stored as one space (the suite needs a value)

    QString table = {};      // a column of another single-record table than `UserGegevens`
    bool perAdministration = false; // a registry value named name + `AdminCode` ("AdminColor01")
    QString follows = {};    // `Along`: the control whose state it takes; `values` by item, "" leaving
                             // the value alone; without `values` it stores that state in its own encoding
    QString fallback = {};   // shown when what is stored has the numeric value 0, and saved as shown
    std::function<QString(const OptionsLogic &)> fallbackOf = {}; // the same, made from the options before it;
                             // for a text: shown, and saved, when nothing but blanks is stored
    QString width = {};      // `Counter`: the control holding the digit count
    QString lockedWhile = {}; // locked while this table has records, until released on the screen
    QString switchName = {}, workstationName = {}; // `Counter`: when the registry value `switchName`
                             // is "1" the number is this workstation's, kept in `workstationName`
    // A locked field's release: the button's caption, the question, the log's action.
    QString releaseCaption = {}, releaseQuestion = {}, releaseLog = {};
    bool readOnly = false;   // shown, never changed
    QString codeTable = {};  // `CodeKey`: the code table the drop-down list shows
    std::function<QString(const OptionsLogic &)> compute = {}; // `Along`: its state, from the others
    std::function<void(Context &, QWidget *)> action = {};     // `Button`
    bool secret = false;     // written, never listed: the trail records "(verborgen)" and undo skips it
                             // (the counter sale's password, the Sorbex Online password and key)
    bool masked = false;     // a field that shows dots for what is typed (a password)
    std::function<QString(const OptionsLogic &)> shownFrom = {}; // `Place::Screen`: its state when
                             // loaded, made from the options before it
    // A drop-down list with entries of its own, made when it is first shown and again when the
    // control `entriesFollow` names changed: what each shows and the text it stores, which is
    // the state (`Encoding::Text`).
    struct Entry {
        QString shown, value;
    };
    std::function<std::vector<Entry>(const OptionsLogic &)> entries = {};
    QString entriesFollow = {};
    QString filter = {};     // `File`: the files the save dialog shows, "description | pattern"
};

// The registry value an option is kept in for the administration `adminCode`: per
// administration, a name ending in "-" takes the code after the dash ("UBLArchiefPath-07"),
// any other name is directly followed by it ("AdminColor07").
inline QString registryName(const Option &option, const QString &adminCode)
{
    if (!option.perAdministration)
        return option.name;
    return option.name.endsWith(u'-') ? regNameDashCode(adminCode, option.name) : regNameCodeLast(adminCode, option.name);
}

// A line under a field: what the value tells (the bank of an IBAN), or advice that never stops
// a save (the tool tells it on stderr).
struct Remark {
    QString text;
    bool advice = false;
};

// In the name of a marker file: the workstation's name. In its text: today in a format.
inline constexpr QLatin1String Werkstation("{werkstation}");
inline constexpr QLatin1String Vandaag("{vandaag:"); // e.g. "{vandaag:yyyyMMdd}"

// A marker file's name as it is on this workstation.
inline QString markerFileName(QString name, const QString &workstation)
{
    return name.replace(Werkstation, workstation);
}

// A screen of options, read from its table.
struct OptionScreen {
    QString screen;  // e.g. "frmWeegbrug"
    QString caption; // the screen's heading
    QString intro = {};
    std::vector<Option> options;
    bool onlyWithRecord = false; // without a `UserGegevens` record nothing is saved, not even the registry
    std::function<QString(const OptionsLogic &)> check = {}; // a rule across fields; "" when met
    bool saveOnLeave = false; // saved when the screen is left, without a save button
    QString saveCaption = {}; // the save button's caption when not "Opslaan" ("&Opslaan": Alt+O)
    // When the user leaves a field: false (after its message) keeps the focus there. It may
    // change the state (a number written without dots).
    std::function<bool(OptionsLogic &, int option)> leave = {};
    // When the user changed a control's state (never while loading).
    std::function<void(OptionsLogic &, int option)> changed = {};
    // After the checks, before anything is written: questions that may stop the save.
    std::function<bool(OptionsLogic &)> confirm = {};
    // In the save's database transaction, after the options: more writes of the same save,
    // with their rows for the trail.
    std::function<void(OptionsLogic &, std::vector<AuditEntry> &)> alongside = {};
    // The line under a field, from its state; empty: none.
    std::function<Remark(const OptionsLogic &, int option)> remark = {};
    // Whether a control can be used now (a choice that only means something after another one).
    std::function<bool(const OptionsLogic &, int option)> enabled = {};
    // The options of another table than `UserGegevens` are kept in its record for the
    // administration's year, this column (its key) holding `AdminJaar`. Without that record the
    // latest earlier year's values are shown, and saving adds the year's record with them.
    QString yearField = {};
};

} // namespace kv::options
