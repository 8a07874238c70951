#include "cli/batch_board.h"

#include <utility>

#include "buffer/memory_buffer.h"
#include "ports/ports_map_link_factory.h"
#include "sequences/verify_report.h"

namespace zav {

namespace {

std::string PrefixFor(const std::string& port, bool prefixLines)
{
    return prefixLines ? "[" + port + "] " : std::string();
}

ReportingOptions WithProgress(ReportingOptions options, ProgressBar& progress)
{
    options.progress = &progress;
    return options;
}

} // namespace

LinePrefixBuffer::LinePrefixBuffer(std::streambuf& destination, std::string prefix)
    : destination_(destination), prefix_(std::move(prefix))
{
}

LinePrefixBuffer::int_type LinePrefixBuffer::overflow(int_type c)
{
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    if (atLineStart_ && !prefix_.empty()) {
        const auto size = static_cast<std::streamsize>(prefix_.size());
        if (destination_.sputn(prefix_.data(), size) != size) return traits_type::eof();
    }
    atLineStart_ = traits_type::to_char_type(c) == '\n';
    return destination_.sputc(traits_type::to_char_type(c));
}

int LinePrefixBuffer::sync()
{
    return destination_.pubsync();
}

void PortTerminal::Write(const std::string& text)
{
    std::string prefixed;
    for (const char c : text) {
        if (atLineStart_ && c != '\n') prefixed += prefix_;
        prefixed += c;
        atLineStart_ = c == '\n';
    }
    terminal_.Write(prefixed);
}

std::optional<std::string> PortTerminal::ReadLine()
{
    // The user's Enter ended the line the prompt was on.
    atLineStart_ = true;
    return terminal_.ReadLine();
}

void BatchBoardHost::AddStatusMessage(const std::string& text, StatusKind kind)
{
    if (kind == StatusKind::Error) {
        if (VerifyReport::IsDifferenceLine(text)) ++findings_.verifyDifferences;
        if (!findings_.firstError) findings_.firstError = text;
    }
    reporter_.AddStatusMessage(text, kind);
}

BoxAnswer BatchBoardHost::Show(const BoxRequest& request)
{
    BoxAnswer answer = BoxAnswer::Ok;
    if (request.buttons == BoxButtons::YesNo) {
        // The CONFIG question, asked once before any part: each part gets that answer.
        reporter_.AddStatusMessage(configAnswer_ ? "CONFIG register: Yes, as answered before the run."
                                                 : "CONFIG register: No, as answered before the run.",
                                   StatusKind::Normal);
        answer = configAnswer_ ? BoxAnswer::Yes : BoxAnswer::No;
    } else {
        answer = reporter_.Show(request);
    }
    return AfterBox(answer);
}

void BatchBoardHost::SetProgressPosition(int position)
{
    progressPosition_ = position;
    progress_.Move(position);
}

BatchBoard::BatchBoard(const Setup& setup, std::ostream& err, Terminal& terminal,
                       std::unique_ptr<MemoryBuffer> buffer, std::shared_ptr<HandOverQueue> queue,
                       PortsMapLinkFactory& links, std::shared_ptr<BoardBackups> backups)
    : port_(setup.port), linePrefix_(PrefixFor(setup.port, setup.prefixLines)),
      prefixBuffer_(std::make_unique<LinePrefixBuffer>(*err.rdbuf(), linePrefix_)),
      output_(prefixBuffer_.get()), terminal_(terminal, linePrefix_), progress_(output_, setup.progressBar),
      reporter_(output_, terminal_, WithProgress(setup.reporting, progress_)), buffer_(std::move(buffer)),
      host_(reporter_, progress_, *buffer_, setup.deviceName, setup.portSettings, setup.optionsDown),
      notices_(queue, reporter_),
      noticedLinks_(
          links, [&links](const std::string& name) { return links.Simulates(name); }, notices_),
      backups_(std::move(backups)), control_(host_, std::move(queue), noticedLinks_)
{
    if (backups_) control_.SetBackupStore(backups_);
}

BatchBoard::~BatchBoard() = default;

void BatchBoard::BeginPart()
{
    host_.BeginPart();
    if (backups_) backups_->BeginPart();
}

std::optional<std::string> BatchBoard::PartBackup() const
{
    return backups_ ? backups_->PartBackup() : std::nullopt;
}

void BatchBoard::AttachSimulation(SimulatedBoard* board, std::string image)
{
    simulation_ = board;
    image_ = std::move(image);
}

} // namespace zav
