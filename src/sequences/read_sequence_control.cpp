#include "sequences/read_sequence_control.h"

#include "sequences/device_read_th.h"

namespace zav {

ReadSequenceControl::~ReadSequenceControl()
{
    StopOnDestruction();
}

std::unique_ptr<WorkerThread> ReadSequenceControl::CreateWorker(SequenceHost& workerHost, LinkFactory& links)
{
    if (blankCheck_) return std::make_unique<BlankCheckTh>(workerHost, links, finding_);
    return std::make_unique<DeviceReadTh>(workerHost, links);
}

} // namespace zav
