#pragma once

#include <QString>
#include <QSysInfo>

namespace kv {

// The text with every character a file name cannot hold removed: : / \ ? ! < > * " |
QString GeldigeBestandsnaam(const QString &text);

// The workstation's name as the suite writes it in logs and file names: the machine name cut
// at its first NUL, without the characters a file name cannot hold, or "-" when nothing is left.
QString GetComputerNaam(const QString &machineName = QSysInfo::machineHostName());

// The name the user logged in with, "-" when the system does not tell.
QString loginName();

} // namespace kv
