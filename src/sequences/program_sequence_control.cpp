#include "sequences/program_sequence_control.h"

#include "sequences/device_write_th.h"

namespace zav {

ProgramSequenceControl::~ProgramSequenceControl()
{
    StopOnDestruction();
}

std::unique_ptr<WorkerThread> ProgramSequenceControl::CreateWorker(SequenceHost& workerHost,
                                                                   LinkFactory& links)
{
    return std::make_unique<DeviceWriteTh>(workerHost, links, backup_);
}

} // namespace zav
