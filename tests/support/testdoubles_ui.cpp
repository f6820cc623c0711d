#include "testdoubles.h"

#include "widgets/externalopen.h"

namespace vk::test {

RecordingOpener::RecordingOpener() {
    m_previous = vk::setExternalOpener([this](const QUrl& u) {
        opened.append(u);
        return true;
    });
}

RecordingOpener::~RecordingOpener() {
    vk::setExternalOpener(m_previous);
}

} // namespace vk::test
