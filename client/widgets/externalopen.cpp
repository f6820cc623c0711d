#include "widgets/externalopen.h"

#include <QDesktopServices>

#include <utility>

namespace vk {

namespace {
ExternalOpener g_opener;
}

bool openExternally(const QUrl& url) {
    return g_opener ? g_opener(url) : QDesktopServices::openUrl(url);
}

ExternalOpener setExternalOpener(ExternalOpener opener) {
    return std::exchange(g_opener, std::move(opener));
}

} // namespace vk
