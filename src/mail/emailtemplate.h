#pragma once

#include <QString>

#include <array>

namespace kv {

// One row of `TabelEmailTemplate`: who sends, the subject and the HTML body with its merge
// fields and pictures, and the files always sent along.
struct EmailTemplate {
    QString CodeNr; // the template number, its key
    QString Omschrijving;
    QString Sender;      // the sender's name
    QString EmailSender; // the sender's address
    QString EmailBCC;    // copy addresses, separated by ";" or ","
    QString Subject;
    QString Content; // HTML
    bool Disposition = false;   // ask for a read receipt
    bool ReturnReceipt = false; // ask for a delivery receipt
    std::array<QString, 5> Attachments; // `Attachment1` to `Attachment5`
};

} // namespace kv
