#pragma once

// Handing addresses and files to the desktop (the browser, a PDF viewer). Tests replace it.

#include <QUrl>

#include <functional>

namespace vk {

bool openExternally(const QUrl& url);

using ExternalOpener = std::function<bool(const QUrl&)>;
ExternalOpener setExternalOpener(ExternalOpener opener); // empty restores the desktop's

} // namespace vk
