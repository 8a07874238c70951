#include "shell/interlocked_commands.h"

namespace zav {

InterlockedCommands EnabledCommands(bool portIdle, bool readStartDown, bool programStartDown)
{
    return {portIdle, portIdle, portIdle, portIdle || readStartDown, portIdle || programStartDown};
}

} // namespace zav
