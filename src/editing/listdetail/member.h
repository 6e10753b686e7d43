#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace kv {
class Context;
}

namespace kv::listdetail {

class DetailLogic;
class DetailPopup;
class ListScreen;
class MemberTables;

// How a field is typed, shown and stored.
enum class Kind {
    Text,
    Code,       // trimmed and upper-cased when saved
    Number,     // a whole number; empty is stored as Null
    Decimal,    // a measure such as a length or a volume
    Amount,     // a currency field: shown through FormatBedrag, stored as a number
    AmountText, // an amount kept as the text FormatBedrag gives it
    Date,       // stored as "yyyymmdd", typed as ddmmyyyy, shown through DatumWeergave
    YesNo,      // a toggle, stored as a yes/no field
    DateTime,   // stored as "yyyymmddhhmmss", typed as ddmmyyyy and hh:mm
    LedgerAccount, // a ledger account number with its pick button, at most `PositiesGrbnr` long
};

// A column that shows a field of a related record: `field` of the record of `table` whose
// `index` holds the listed value (a relation's name for its number).
struct Lookup {
    QString table;
    QString index;
    QString field;
    QString pick = {}; // the selection window's kind for choosing the record ("*" in the field)
    // Every record holding the value (the index is named after its one field, see
    // forEachHolding): their fields joined by ", ".
    bool every = false;
    QString missing = {}; // shown when no record holds the value
};

// One column of the list: its caption, the field it shows and how.
struct Column {
    QString caption;
    QString field;
    Kind kind = Kind::Text;
    QString suffix = {}; // a unit after a non-empty value, e.g. " cm"
    std::optional<Lookup> lookup = {};
    int digits = 0; // a number shown with leading zeros to this many digits
    QStringList yesNo = {}; // a yes/no field's texts for false and true (default "Nee", "Ja")
};

// One field of the popup. A field without caption is not shown but still loaded and written
// (sequence numbers, fields derived from others).
struct Field {
    QString name;
    QString caption;
    Kind kind = Kind::Text;
    QString initial = {};       // the text of a new record
    bool numberedOnAdd = false; // a new record gets the highest number so far + 1
    QStringList choices = {};   // the texts a pick list offers, instead of typing; for a yes/no
                                // field the texts of false and true; a Number field stores the
                                // chosen text's position, or its value in `choiceValues` below
    std::optional<Lookup> shows = {}; // the related record's name beside the field
    bool readOnly = false;      // shown, never typed in
    QList<qint64> choiceValues = {};
    // A Number field offering the records of another table, in its key order.
    struct ChoiceTable {
        QString table;
        QString value; // the field stored
        QString text;  // the field shown
    };
    std::optional<ChoiceTable> choicesFrom = {};
    // A line under the field about its text that never stops the OK ("" shows nothing).
    std::function<QString(QStringView text)> advice = {};

    // A pick list whose choice stores a number rather than its text.
    bool choosesNumber() const { return kind == Kind::Number && (!choices.isEmpty() || choicesFrom); }
    // Whether the selection window can fill the field ("*" typed in it).
    bool pickable() const { return shows && !shows->pick.isEmpty(); }
};

// A check made when the popup's OK is pressed: the message that stops the save, or "".
using Check = std::function<QString(DetailLogic &)>;

// A web page the popup links to: `url` followed by the field's text (when a field is named).
struct Link {
    QString caption;
    QString url;
    QString field = {};
};

// A part of a popup of its own, below the fields: the linked articles of a drying table, the
// printers of a production line.
using Section = std::function<QWidget *(DetailPopup &)>;

// One member of the list-and-detail pattern: what differs from the others.
struct Member {
    QString screen;  // the list screen, e.g. "frmValuta"
    QString popup;   // the detail window, e.g. "frmValutaPopup"
    QString caption; // the detail window's title
    QString table;
    QString key;     // the field the list keeps as the row's key; sought on `PrimaryKey`
    std::vector<Column> columns;
    QString deleteQuestion; // empty: the list offers edit only
    std::vector<Field> fields;
    std::vector<Check> checks = {};
    // Fields computed from others just before the record is written.
    std::function<void(DetailLogic &)> derive = {};
    std::optional<Link> link = {};
    QString listOrder = QStringLiteral("PrimaryKey"); // the index the list walks
    QString captionField = {}; // its text follows the caption in the window's title
    QString database = {};     // a database file of its own, e.g. "Grondstof.mdb"
    // A button in the popup that opens the list of another member (the nutrients' units).
    struct SubList {
        QString caption;
        QString screen;
    };
    std::optional<SubList> subList = {};
    Section section = {};
    bool adds = false;   // new records can be added although none can be deleted
    QString trail = {};  // every write is kept in the settings trail under this form, and can be undone
    // After the record with this key was deleted: settings kept outside the database go too.
    std::function<void(Context &, const QString &key)> deleted = {};
    // Why the record with this key may not be deleted ("" when it may). Asked inside the
    // deletion's transaction, so a related record another program adds meanwhile counts.
    std::function<QString(MemberTables &, const QString &key)> mayDelete = {};
    // Heard after a field's text changed, to keep fields that follow from it up to date.
    std::function<void(DetailLogic &, const QString &field)> edited = {};
    // A detail window of its own instead of the shared popup, shown modally over `parent`; it
    // reads the edit context like the shared one (the e-mail template editor).
    std::function<void(Context &, QWidget *parent)> ownPopup = {};
    // Controls of the list screen above its list (the mail server the templates go out by).
    std::function<QWidget *(ListScreen &)> header = {};
    // What stands between the delete question and the warning that linked data goes too.
    QString deleteBreak = QStringLiteral("\n\n");
    // The captions of the add, edit and delete buttons, when not the usual ones.
    QStringList buttonCaptions = {};
    // Buttons of the list screen after its own, each opening a window of the member's own over
    // the list (the bunkers' drawing).
    struct Action {
        QString caption;
        QString name; // the button's object name
        std::function<void(ListScreen &)> run;
    };
    std::vector<Action> actions = {};

    bool editOnly() const { return deleteQuestion.isEmpty(); } // nothing is deleted
    bool canAdd() const { return !editOnly() || adds; }
    const Field *field(const QString &name) const;
};

// How the settings trail names a field of a member's record: "Perioden[13].Omschrijving".
QString trailName(const Member &member, const QString &key, const QString &field);

// A bank account: a text field with the IBAN advice under it.
Field bankAccount(const QString &name, const QString &caption);

// Checks that read like the members' table.
Check required(const QString &field, const QString &message);
// Another record holding the same text (case-insensitively): `message` followed by the text.
Check unique(const QString &field, const QString &message);
// A filled-in `field` must name a record of `table` (sought on its `PrimaryKey`).
Check known(const QString &field, const QString &table, const QString &message);
// The date in `to` may not lie before the one in `from` (either may be empty).
Check datesInOrder(const QString &from, const QString &to);
// A filled-in `field` must read as a number.
Check numeric(const QString &field, const QString &message);
// `field` must be filled when the toggle `when` is on.
Check requiredWhen(const QString &when, const QString &field, const QString &message);

} // namespace kv::listdetail
