#include "ui/shell/zav_version.h"

namespace zav {

QString ZavVersion()
{
    return QStringLiteral(ZAV_VERSION);
}

} // namespace zav
