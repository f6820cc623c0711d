#pragma once

// The distributor's web host as the client uses it: the public IP echo, product pictures, the
// request form for unknown workstations, the card-payment page, and the installer folder.

#include <QString>

#include <functional>

namespace httplib {
class Server;
}

namespace vk::server {

class Store;

struct WebHostOptions {
    QString filesDir; // served under /exe/; nothing else of the disk is ever served
    std::function<void(const QString&)> log;
};

void installWebHost(httplib::Server& web, Store& store, WebHostOptions options);

// Text made safe for HTML element content and attribute values.
QString htmlEscape(const QString& text);

// The file under dir that /exe/<name> serves, or an empty text when the name may not be
// served (not a plain file name, missing, or resolving outside dir).
QString servedFile(const QString& dir, const QString& name);

} // namespace vk::server
