#pragma once

// One plain HTTP(S) GET of a whole resource, for pictures and small texts.

#include <QByteArray>
#include <QString>

#include <optional>

namespace vk {

// The body of a 200 answer; nothing (and the reason in error) for anything else.
std::optional<QByteArray> httpGet(const QString& url, int timeoutMs, QString* error = nullptr,
                                  qint64 maxBytes = qint64(64) << 20);

} // namespace vk
