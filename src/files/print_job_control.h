#pragma once

#include <memory>

#include "files/printer_th.h"

namespace zav {

class HandOverQueue;
class PrintHost;
class PrintSink;

inline constexpr char kPrintInterruptedLine[] = "Print Job Interrupted";

// The print dialog's one job: started by Print, stopped and released when the dialog closes.
class PrintJobControl {
public:
    // Both outlive the control; `queue` is drained by the user-interface thread.
    PrintJobControl(std::shared_ptr<HandOverQueue> queue, PrintHost& host);
    PrintJobControl(const PrintJobControl&) = delete;
    PrintJobControl& operator=(const PrintJobControl&) = delete;
    // Closes as the dialog would, so no worker outlives the window it reports to.
    ~PrintJobControl();

    [[nodiscard]] bool HasJob() const { return job_ != nullptr; }
    [[nodiscard]] bool Running() const { return job_ != nullptr && !job_->Finished(); }

    // Starts a job unless one is held already (the dialog's Print button is disabled then).
    void Start(const PrintJobSettings& settings, PrintSink& sink);
    // The dialog closes: a running job is asked to stop and waited for while the calls it
    // hands over keep running, so a job waiting on one cannot deadlock the wait. A job that
    // did not print reports "Print Job Interrupted". The job is released either way.
    void Close();

private:
    std::shared_ptr<HandOverQueue> queue_;
    PrintHost& host_;
    std::unique_ptr<printerTh> job_;
    // The dialog's close handler runs again when the wait carries out the job's own request
    // to close the dialog; only the outer call finishes the job.
    bool closing_ = false;
};

} // namespace zav
