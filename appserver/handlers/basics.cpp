#include "handlers/handlers.h"

#include "dispatcher.h"

#include <algorithm>

namespace vk::server {

void registerBasicHandlers(Dispatcher& d) {
    d.add(MethodId::EchoString, [](Call& c) { c.setResult(c.text(0)); });
    d.add(MethodId::ReverseString, [](Call& c) {
        // Reversed by code points, so that surrogate pairs stay whole.
        const QList<uint> codes = c.text(0).toUcs4();
        QList<uint> reversed(codes.crbegin(), codes.crend());
        c.setResult(QString::fromUcs4(reinterpret_cast<const char32_t*>(reversed.constData()),
                                      reversed.size()));
    });
}

} // namespace vk::server
