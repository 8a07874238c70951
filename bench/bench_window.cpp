// The main window's figures:
//   BM_TimeToFirstPaint    process start to the main window's first frame on the X server
//                          (run under Xvfb: xvfb-run -a bench_window); goal under 100 ms.
//                          BM_TimeToFirstPaintBareQt is the same for an empty QWidget, the
//                          floor the toolkit sets on this machine at this moment.
//   BM_StartUpRounds       rounds of three processes started in turn on the X server (run
//                          under Xvfb): an empty Qt Widgets window, the text floor (a main
//                          window with File and Edit menus and a label: the least a window
//                          showing text costs, as the font configuration is read then) and
//                          zavprog. Per process: the CPU time to its first window mapped
//                          (*_cpu_ms), the wall time to it (*_window_ms) and to ready for
//                          input (*_ready_ms: the first 5 ms after the window in which none
//                          of its threads ran) and the resident size then (*_rss_mib).
//                          program_over_text: zavprog's CPU time over the text floor's, goal
//                          at most 1.2; program_rss_mib goal under 33.
//   BM_StatusList100k      100,000 lines appended to the message list and shown: the memory
//                          they cost (list_mb) and the time; goal under 30 MB.
//   BM_EventLoopLatency    the worst lateness of a 5 ms timer on the window's event loop
//                          while an MC68HC11E9 is programmed and verified on the simulated
//                          board in real time (worst_ms, includes a Stop during the board's
//                          1,500 ms reset wait: stop_worst_ms); goal under 50 ms. busy_ms and
//                          stop_busy_ms: the most CPU time the thread spent between two ticks,
//                          which tells our own work from a busy machine's scheduling.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QButtonGroup>
#include <QElapsedTimer>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <QWindow>

#include <malloc.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "boardsim/board_sim_options.h"
#include "buffer/memory_buffer.h"
#include "ui/buffer/hex_edit_window.h"
#include "ui/devices/dev_id_form.h"
#include "ports/ports_map_link_factory.h"
#include "ports/system_port_listing.h"
#include "ui/sequences/sequence_runner.h"
#include "ui/shell/prog_shell.h"
#include "ui/shell/status_win.h"
#include "ui/shell/zav_application.h"

extern char** environ;

namespace zav {
namespace {

// Answers every box: No to the CONFIG question, OK to the rest.
class AnsweringBoxes final : public MessageBoxes {
public:
    BoxAnswer Show(const BoxRequest& request) override
    {
        return request.buttons == BoxButtons::Ok ? BoxAnswer::Ok : BoxAnswer::No;
    }
};

// A main window whose every port is a simulated board with `simulate`'s options.
struct BenchShell {
    explicit BenchShell(const BoardSimOptions& simulate)
        : links(PortsMap{}, simulate), ports(PortsMap{}, simulate),
          folder(std::filesystem::temp_directory_path() / ("zav-bench-" + std::to_string(getpid())))
    {
        // The backups a program run takes go with the folder, not into the home folder.
        setenv("XDG_DATA_HOME", folder.c_str(), 1);
        shell = std::make_unique<TProgShell>(ShellServices{
            boxes, links, [](const std::string&) { return true; }, ports, folder, [] {}, {}, {}});
    }
    ~BenchShell()
    {
        shell.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    AnsweringBoxes boxes;
    PortsMapLinkFactory links;
    SystemPortListing ports;
    std::filesystem::path folder;
    std::unique_ptr<TProgShell> shell;
};

// Bytes the heap has handed out: unlike the resident size it does not hide what a freed
// earlier iteration left for reuse.
double HeapMegabytes()
{
    return static_cast<double>(mallinfo2().uordblks) / (1024.0 * 1024.0);
}

void BM_StatusList100k(benchmark::State& state)
{
    double megabytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto list = std::make_unique<StatusWin>();
        list->resize(500, 300);
        list->show();
        QApplication::processEvents();
        const double before = HeapMegabytes();
        state.ResumeTiming();
        for (int line = 0; line < 100000; ++line) {
            list->AddStatusMessage("Verify Error at Address : 0x" + std::to_string(0xB600 + line % 512),
                                   static_cast<StatusKind>(line % 3));
            if (line % 1000 == 0) QApplication::processEvents();
        }
        QApplication::processEvents();
        state.PauseTiming();
        megabytes = HeapMegabytes() - before;
        list.reset();
        state.ResumeTiming();
    }
    state.counters["list_mb"] = megabytes;
}
BENCHMARK(BM_StatusList100k)->Unit(benchmark::kMillisecond)->Iterations(3);

// The user-interface thread's CPU time so far, in milliseconds.
double ThreadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Measures how late a 5 ms timer fires, and how much of the longest gap between two of its
// ticks the thread spent working: on a loaded machine a gap can be the scheduler's, not ours.
class LatencyProbe {
public:
    static constexpr int kIntervalMs = 5;

    LatencyProbe()
    {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const qint64 now = clock_.nsecsElapsed();
            const double cpu = ThreadCpuMs();
            if (last_ >= 0) {
                worst_ = std::max(worst_, static_cast<double>(now - last_) / 1e6 - kIntervalMs);
                worstBusy_ = std::max(worstBusy_, cpu - lastCpu_);
            }
            last_ = now;
            lastCpu_ = cpu;
        });
    }
    void Start()
    {
        worst_ = 0;
        worstBusy_ = 0;
        last_ = -1;
        clock_.start();
        timer_.start(kIntervalMs);
    }
    // Returns the worst lateness.
    double Stop()
    {
        timer_.stop();
        return worst_;
    }
    // The most CPU time the thread spent between two ticks.
    [[nodiscard]] double WorstBusy() const { return worstBusy_; }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 last_ = -1;
    double lastCpu_ = 0;
    double worst_ = 0;
    double worstBusy_ = 0;
};

void SelectE9(TProgShell& shell)
{
    QTimer::singleShot(0, [] {
        auto* form = qobject_cast<TDevIdForm*>(QApplication::activeModalWidget());
        form->HardBoard()->button(3)->click();
        form->DeviceListBox1()->setCurrentRow(0);
        form->accept();
    });
    shell.DeviceIDButton()->click();
}

void WaitUntilIdle(TProgShell& shell)
{
    while (!shell.Flow().PortIdle() || shell.Sequences().Running()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
}

void BM_EventLoopLatency(benchmark::State& state)
{
    BoardSimOptions options;
    options.boardCode = 4;
    options.realTime = true;
    double worst = 0;
    double busy = 0;
    double stopWorst = 0;
    double stopBusy = 0;
    for (auto _ : state) {
        BenchShell bench(options);
        TProgShell& shell = *bench.shell;
        shell.show();
        SelectE9(shell);
        MemoryBuffer& buffer = shell.HexEditor().Buffer();
        for (std::int32_t address = 0xB600; address <= 0xB7FF; ++address) {
            buffer.SetByte(address, static_cast<std::uint8_t>(address));
        }
        shell.OptionButton(SequenceOption::Program)->click();
        shell.OptionButton(SequenceOption::Verify)->click();
        QPushButton* start = shell.StartButton(SequenceKind::Program);

        LatencyProbe probe;
        probe.Start();
        start->click();
        WaitUntilIdle(shell);
        worst = probe.Stop();
        busy = probe.WorstBusy();

        // A Stop while the board sits in its reset wait.
        probe.Start();
        start->click();
        QElapsedTimer wait;
        wait.start();
        while (wait.elapsed() < 300) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        start->click();
        WaitUntilIdle(shell);
        stopWorst = probe.Stop();
        stopBusy = probe.WorstBusy();
    }
    state.counters["worst_ms"] = worst;
    state.counters["busy_ms"] = busy;
    state.counters["stop_worst_ms"] = stopWorst;
    state.counters["stop_busy_ms"] = stopBusy;
}
BENCHMARK(BM_EventLoopLatency)->Unit(benchmark::kMillisecond)->Iterations(1);

// Writes one byte on `fd` right after the window's first expose event, which paints the
// window and flushes it to the X server, has been handled; then ends the program.
struct ExposeWatcher : QObject {
    explicit ExposeWatcher(int reportFd) : fd(reportFd) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && fd >= 0) {
            const int report = std::exchange(fd, -1);
            QMetaObject::invokeMethod(
                qApp,
                [report] {
                    const char byte = 1;
                    (void)!write(report, &byte, 1);
                    QCoreApplication::quit();
                },
                Qt::QueuedConnection);
        }
        return false;
    }
    int fd;
};

// The child: the program's start-up (application, main window, settings, show), then one
// byte on `reportFd` once the first frame has gone to the X server.
int FirstPaintChild(int argc, char** argv, int reportFd)
{
    ZavApplication application(argc, argv);
    BoardSimOptions options;
    BenchShell bench(options);
    TProgShell& shell = *bench.shell;
    shell.LoadSettings();
    shell.show();
    ExposeWatcher watcher(reportFd);
    shell.windowHandle()->installEventFilter(&watcher);
    return application.exec();
}

// The same for an empty window of the main window's size.
int BareFirstPaintChild(int argc, char** argv, int reportFd)
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(552, 263);
    window.show();
    ExposeWatcher watcher(reportFd);
    window.windowHandle()->installEventFilter(&watcher);
    return application.exec();
}

const char* selfPath = nullptr;

// Starts this program as `childMode` once per iteration and times it to its report.
void TimeChildToFirstPaint(benchmark::State& state, const char* childMode)
{
    if (std::getenv("DISPLAY") == nullptr) {
        state.SkipWithError("needs an X display: run under xvfb-run -a");
        return;
    }
    double cpuMs = 0;
    for (auto _ : state) {
        int pipeFds[2];
        if (pipe(pipeFds) != 0) {
            state.SkipWithError("pipe failed");
            return;
        }
        const std::string fd = std::to_string(pipeFds[1]);
        char* const childArgv[] = {const_cast<char*>(selfPath), const_cast<char*>(childMode),
                                   const_cast<char*>(fd.c_str()), nullptr};
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        const auto begin = std::chrono::steady_clock::now();
        pid_t child = 0;
        if (posix_spawn(&child, selfPath, nullptr, nullptr, childArgv, environ) != 0) {
            state.SkipWithError("cannot start the child");
            return;
        }
        close(pipeFds[1]);
        char byte = 0;
        const bool painted = read(pipeFds[0], &byte, 1) == 1;
        const auto end = std::chrono::steady_clock::now();
        close(pipeFds[0]);
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        if (!painted) {
            state.SkipWithError("the window never appeared");
            return;
        }
        const auto ms = [](const timeval& time) { return time.tv_sec * 1e3 + time.tv_usec / 1e3; };
        cpuMs += ms(usage.ru_utime) + ms(usage.ru_stime);
        state.SetIterationTime(std::chrono::duration<double>(end - begin).count());
    }
    // The CPU time the child used up to its first frame (it ends right after): what the
    // start costs, whatever else the machine is busy with.
    state.counters["child_cpu_ms"] = benchmark::Counter(cpuMs, benchmark::Counter::kAvgIterations);
}
void BM_TimeToFirstPaint(benchmark::State& state)
{
    TimeChildToFirstPaint(state, "--first-paint-child");
}
BENCHMARK(BM_TimeToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_TimeToFirstPaintBareQt(benchmark::State& state)
{
    TimeChildToFirstPaint(state, "--bare-first-paint-child");
}
BENCHMARK(BM_TimeToFirstPaintBareQt)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// An X connection that sees every window mapped on the screen; null when there is no server.
xcb_connection_t* WatchMaps()
{
    // A server just started by xvfb-run may still refuse connections for a moment.
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    for (int attempt = 0; attempt < 100 && xcb_connection_has_error(x) != 0; ++attempt) {
        xcb_disconnect(x);
        usleep(20'000);
        x = xcb_connect(nullptr, nullptr);
    }
    if (xcb_connection_has_error(x) != 0) {
        std::fprintf(stderr, "cannot connect to the X server\n");
        xcb_disconnect(x);
        return nullptr;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);
    return x;
}

// Waits for the next window mapped; false when the connection ended.
bool WaitForMap(xcb_connection_t* x)
{
    while (xcb_generic_event_t* event = xcb_wait_for_event(x)) {
        const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY;
        std::free(event);
        if (mapped) return true;
    }
    std::fprintf(stderr, "the X connection ended: %d\n", xcb_connection_has_error(x));
    return false;
}

// A program started with a settings and data folder of its own (so nothing of this
// machine's settings takes part and nothing lands in the home folder), on X.
class StartedProgram {
public:
    explicit StartedProgram(const char* program)
        : home_(std::filesystem::temp_directory_path() / ("zav-bench-start-" + std::to_string(getpid())))
    {
        std::filesystem::create_directories(home_);
        std::string config = "XDG_CONFIG_HOME=" + home_.string();
        std::string data = "XDG_DATA_HOME=" + home_.string();
        std::string platform = "QT_QPA_PLATFORM=xcb";
        std::vector<char*> environment;
        for (char** entry = environ; *entry != nullptr; ++entry) {
            if (std::strncmp(*entry, "XDG_CONFIG_HOME=", 16) != 0 && std::strncmp(*entry, "XDG_DATA_HOME=", 14) != 0 &&
                std::strncmp(*entry, "QT_QPA_PLATFORM=", 16) != 0) {
                environment.push_back(*entry);
            }
        }
        environment.push_back(config.data());
        environment.push_back(data.data());
        environment.push_back(platform.data());
        environment.push_back(nullptr);
        char* const arguments[] = {const_cast<char*>(program), nullptr};
        start_ = std::chrono::steady_clock::now();
        if (posix_spawn(&pid_, program, nullptr, nullptr, arguments, environment.data()) != 0) {
            std::fprintf(stderr, "cannot start %s\n", program);
            pid_ = 0;
        }
    }
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;
    ~StartedProgram()
    {
        (void)End();
        std::error_code ignored;
        std::filesystem::remove_all(home_, ignored);
    }

    [[nodiscard]] pid_t Pid() const { return pid_; }
    [[nodiscard]] double MsSinceStart() const
    {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_).count();
    }
    // Kills the program; the CPU time it used in all, in milliseconds.
    double End()
    {
        if (pid_ == 0) return 0;
        kill(pid_, SIGKILL);
        int status = 0;
        rusage usage{};
        wait4(std::exchange(pid_, 0), &status, 0, &usage);
        const auto ms = [](const timeval& time) { return time.tv_sec * 1e3 + time.tv_usec / 1e3; };
        return ms(usage.ru_utime) + ms(usage.ru_stime);
    }

private:
    std::filesystem::path home_;
    std::chrono::steady_clock::time_point start_;
    pid_t pid_ = 0;
};

// Nanoseconds all threads of `pid` have run so far.
std::int64_t RunNs(pid_t pid)
{
    std::int64_t total = 0;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream stat(task.path() / "schedstat");
        std::int64_t ns = 0;
        if (stat >> ns) total += ns;
    }
    return total;
}

double ResidentMiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

struct StartFigures {
    double cpuMs = 0;           // CPU time to the first window mapped
    double firstWindowMs = 0;   // wall time to it
    double readyMs = 0;         // wall time until the program first waits for input
    double residentMiB = 0;     // its resident size then
};

// `program` to its first window (CPU time, killed as it maps it: what the start costs,
// whatever else the machine does) and, in a second start, on to ready for input: the first
// moment after the window is mapped when none of its threads has run for kQuietMs.
std::optional<StartFigures> MeasureStart(const char* program)
{
    constexpr double kQuietMs = 5;
    xcb_connection_t* x = WatchMaps();
    if (x == nullptr) return std::nullopt;
    StartFigures figures;
    bool ok = false;
    {
        StartedProgram started(program);
        ok = started.Pid() != 0 && WaitForMap(x);
        figures.cpuMs = started.End();
    }
    if (ok) {
        StartedProgram started(program);
        ok = started.Pid() != 0 && WaitForMap(x);
        figures.firstWindowMs = started.MsSinceStart();
        std::int64_t lastRun = RunNs(started.Pid());
        double quietSince = started.MsSinceStart();
        while (ok) {
            usleep(500);
            const std::int64_t run = RunNs(started.Pid());
            const double now = started.MsSinceStart();
            if (run != lastRun) {
                lastRun = run;
                quietSince = now;
            } else if (now - quietSince >= kQuietMs) {
                break;
            }
        }
        figures.readyMs = quietSince;
        figures.residentMiB = ResidentMiB(started.Pid());
    }
    xcb_disconnect(x);
    if (!ok) return std::nullopt;
    return figures;
}

// The start-up figures in rounds, each round starting the empty window, the text floor and
// zavprog in turn, so a machine that gets busier or quieter meanwhile weighs on all three
// alike. ZAV_BENCH_PROGRAM names another zavprog to measure in the program's place (an
// earlier build).
void BM_StartUpRounds(benchmark::State& state)
{
    if (std::getenv("DISPLAY") == nullptr) {
        state.SkipWithError("needs an X display: run under xvfb-run -a");
        return;
    }
    const char* other = std::getenv("ZAV_BENCH_PROGRAM");
    const std::array<const char*, 3> programs{ZAV_EMPTY_WINDOW_PATH, ZAV_TEXT_WINDOW_PATH,
                                              other != nullptr ? other : ZAV_PROGRAM_PATH};
    const std::array<const char*, 3> names{"empty", "text", "program"};
    std::array<StartFigures, 3> sums{};
    for (auto _ : state) {
        double roundCpu = 0;
        for (std::size_t which = 0; which < programs.size(); ++which) {
            const std::optional<StartFigures> figures = MeasureStart(programs[which]);
            if (!figures) {
                state.SkipWithError((std::string("the window of ") + programs[which] + " never appeared").c_str());
                return;
            }
            sums[which].cpuMs += figures->cpuMs;
            sums[which].firstWindowMs += figures->firstWindowMs;
            sums[which].readyMs += figures->readyMs;
            sums[which].residentMiB += figures->residentMiB;
            roundCpu += figures->cpuMs;
        }
        state.SetIterationTime(roundCpu / 1e3);
    }
    const double rounds = static_cast<double>(state.iterations());
    for (std::size_t which = 0; which < programs.size(); ++which) {
        const std::string name = names[which];
        state.counters[name + "_cpu_ms"] = sums[which].cpuMs / rounds;
        state.counters[name + "_rss_mib"] = sums[which].residentMiB / rounds;
        state.counters[name + "_window_ms"] = sums[which].firstWindowMs / rounds;
        state.counters[name + "_ready_ms"] = sums[which].readyMs / rounds;
    }
    state.counters["program_over_text"] = sums[2].cpuMs / sums[1].cpuMs;
    state.counters["program_over_empty"] = sums[2].cpuMs / sums[0].cpuMs;
}
BENCHMARK(BM_StartUpRounds)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);

} // namespace
} // namespace zav

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--first-paint-child") == 0) {
        return zav::FirstPaintChild(argc, argv, std::atoi(argv[2]));
    }
    if (argc == 3 && std::strcmp(argv[1], "--bare-first-paint-child") == 0) {
        return zav::BareFirstPaintChild(argc, argv, std::atoi(argv[2]));
    }
    zav::selfPath = argv[0];
    // The in-process figures need no display.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
