#include "sequences/hand_over_host.h"

namespace zav {

void HandOverHost::AddStatusMessage(const std::string& text, StatusKind kind)
{
    queue_->PostPaced([this, text, kind] { target_.AddStatusMessage(text, kind); });
}

BoxAnswer HandOverHost::Show(const BoxRequest& request)
{
    return queue_->Call([&] { return target_.Show(request); });
}

bool HandOverHost::PortIdle()
{
    return queue_->Call([this] { return target_.PortIdle(); });
}

void HandOverHost::SetPortIdle(bool idle)
{
    queue_->PostPaced([this, idle] { target_.SetPortIdle(idle); });
}

void HandOverHost::SetProgressMaximum(int maximum)
{
    queue_->PostPaced([this, maximum] { target_.SetProgressMaximum(maximum); });
}

void HandOverHost::SetProgressPosition(int position)
{
    queue_->PostPaced([this, position] { target_.SetProgressPosition(position); });
}

int HandOverHost::ProgressPosition()
{
    return queue_->Call([this] { return target_.ProgressPosition(); });
}

void HandOverHost::PutStartButtonUp(SequenceKind kind)
{
    queue_->PostPaced([this, kind] { target_.PutStartButtonUp(kind); });
}

bool HandOverHost::IsOptionDown(SequenceOption option)
{
    return queue_->Call([this, option] { return target_.IsOptionDown(option); });
}

std::string HandOverHost::DeviceIdText()
{
    return queue_->Call([this] { return target_.DeviceIdText(); });
}

ProgramSettings HandOverHost::GetProgramSettings()
{
    return queue_->Call([this] { return target_.GetProgramSettings(); });
}

void HandOverHost::BeginUpdate()
{
    queue_->PostPaced([this] { target_.BeginUpdate(); });
}

void HandOverHost::SetByte(std::int32_t address, std::uint8_t value)
{
    queue_->PostPaced([this, address, value] { target_.SetByte(address, value); });
}

void HandOverHost::EndUpdate()
{
    queue_->PostPaced([this] { target_.EndUpdate(); });
}

std::uint8_t HandOverHost::GetByte(std::int32_t address)
{
    return queue_->Call([this, address] { return target_.GetByte(address); });
}

std::vector<std::uint8_t> HandOverHost::GetBytes(std::int32_t first, std::int32_t last)
{
    return queue_->Call([this, first, last] { return target_.GetBytes(first, last); });
}

void HandOverHost::Beep()
{
    queue_->PostPaced([this] { target_.Beep(); });
}

void HandOverHost::SetVerifyDifferences(const std::vector<CellDifference>& differences)
{
    queue_->PostPaced([this, differences] { target_.SetVerifyDifferences(differences); });
}

} // namespace zav
