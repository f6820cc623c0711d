#pragma once

// The common helpers every window uses: workstation facts, folders, the connection opener with
// retries, the standard message dialog, amounts, and browser look-ups.

#include "common/dialogs.h"

#include <QString>

#include <functional>

namespace vk {
class MemTable;
class ServerConnection;

// The text shown when the server cannot be reached.
inline const QString kConnectionFailedMessage =
    QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!");

// The pause EnsureConnected makes after a failed attempt (QThread::msleep unless replaced).
// Returns the previous function; an empty function restores the default.
std::function<void(int ms)> setRetryWait(std::function<void(int ms)> wait);

// The browser engine built into this program, if any (reported by the part that embeds it).
void setEmbeddedBrowserVersion(int majorVersion);
} // namespace vk

// Address prefix of product pictures; a stock number is appended to it.
extern QString PictureUrlPrefix;
// The server host built into the program.
QString DefaultServerHost();

QString GetMachineId();
QString GetDiskSerial();      // upper case; empty when none is reported
QString GetMacAddress();      // "XX-XX-XX-XX-XX-XX"; empty when none can be read
QString GetWorkstationName(); // at most 15 characters
QString GetWorkstationUser(); // at most 15 characters
QString GetLocalIp();         // dotted IPv4; "127.0.0.1" when none can be found

QString GetDataFolder();      // the per-user settings folder "velkab2b", created on first use
QString GetLocalDataFolder(); // the per-user local data folder "velkab2b", created on first use
QString GetDocumentsFolder(); // where payment documents and reports are saved

// Opens the connection with up to 11 attempts, pausing 500 ms after every failure; with
// showMessage 1 a final failure is reported to the user. Returns whether it is open.
bool EnsureConnected(vk::ServerConnection& connection, int showMessage);

vk::DialogButton ShowDialog(const QString& message, vk::DialogKind kind, vk::DialogButtons buttons,
                            vk::DialogButton focus);

double IkiHaneYuvarla(double x); // two decimals, halves away from zero
void FormatFloatFields(vk::MemTable& table);
bool HasRecords(const vk::MemTable& table);
QString UrlEncode(const QString& url);
int GetIEMajorVersion(); // the embedded browser engine's major version; 0 when there is none
QString FindChromePath();
