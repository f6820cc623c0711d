#pragma once

// The REST binding of server method calls: the request forms clients send (quoted method names
// with {"_parameters":[...]}, path segments, a body holding one value), decoded by the method
// catalogue into typed inputs, and the reply {"result":[...]} or {"error":"..."}.

#include <QByteArray>
#include <QString>

#include <string>

namespace vk::server {

class Dispatcher;

struct RestOutcome {
    int status = 200;
    QByteArray body;
    QString method; // what was called, for the request log
    QString error;  // empty when the call succeeded; what went wrong otherwise (for the log)
};

// target is the raw request target (path and query, still percent-encoded).
RestOutcome handleRestCall(Dispatcher& dispatcher, const std::string& httpMethod,
                           const std::string& target, const std::string& body, const QString& peer);

} // namespace vk::server
