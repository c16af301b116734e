#include "rename/local_clock.h"

#include "platform/file_facts.h"

#include <QDateTime>

namespace namenswerk {

std::int64_t currentLocalSeconds()
{
    return platform::toLocalSeconds(QDateTime::currentSecsSinceEpoch());
}

} // namespace namenswerk
