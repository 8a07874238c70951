#include "platform/ftdi_parallel_port_io.h"

#include "link/port_name.h"

namespace zav {

namespace {

constexpr std::array<std::uint16_t, 3> kLegacyBases = {0x378, 0x278, 0x3BC};
constexpr std::uint8_t kUnreadable = 0xFF;

bool ValidPort(int portNumber)
{
    return PortName::HasNumber(PortName::Kind::Parallel, portNumber);
}

std::string SerialList(const std::vector<FtdiAdapterInfo>& adapters)
{
    std::string list;
    for (const FtdiAdapterInfo& adapter : adapters) {
        if (!list.empty()) list += ", ";
        list += adapter.serial.empty() ? std::string("(no serial number)") : adapter.serial;
    }
    return list;
}

std::string AdapterName(const FtdiAdapterInfo& adapter)
{
    std::string name = "the " + std::string(FtdiChipName(adapter.chip)) + " adapter " + UsbIdText(adapter.vendor) +
                        ":" + UsbIdText(adapter.product);
    if (!adapter.serial.empty()) name += " (serial " + adapter.serial + ")";
    return name;
}

} // namespace

FtdiParallelPortIo::FtdiParallelPortIo(const PortsMap& map, FtdiUsb& usb) : usb_(usb)
{
    for (int n = 1; n <= static_cast<int>(ports_.size()); ++n) {
        const auto target = map.TargetOf(PortName::Parallel(n).Text());
        if (!target || !FtdiTarget::IsFtdiTarget(*target)) continue;
        std::string ignored;
        // The ports map refuses a line whose value does not parse, so this only fails for a
        // target set by hand; the port then stays unmapped.
        ports_[static_cast<std::size_t>(n - 1)].target = FtdiTarget::Parse(*target, ignored);
    }
}

FtdiParallelPortIo::~FtdiParallelPortIo()
{
    for (Port& port : ports_) Close(port);
}

std::optional<FtdiAdapterInfo> FtdiParallelPortIo::FindAdapter(int portNumber)
{
    failureCause_.clear();
    if (!ValidPort(portNumber)) return std::nullopt;
    const Port& port = ports_[static_cast<std::size_t>(portNumber - 1)];
    const std::string name = PortName::Parallel(portNumber).Text();
    if (!port.target) {
        failureCause_ = name + " is not put on an FTDI adapter (LPTn=ftdi:VID:PID) in the ports map";
        return std::nullopt;
    }
    const FtdiTarget& target = *port.target;
    std::vector<FtdiAdapterInfo> found;
    if (!usb_.Find(target.vendor, target.product, found)) {
        failureCause_ = usb_.FailureCause();
        return std::nullopt;
    }
    const std::string ids = UsbIdText(target.vendor) + ":" + UsbIdText(target.product);
    if (!target.serial.empty()) {
        for (const FtdiAdapterInfo& adapter : found) {
            if (adapter.serial == target.serial) return adapter;
        }
        failureCause_ = "no FTDI adapter " + ids + " with serial number " + target.serial + " is plugged in";
        if (!found.empty()) failureCause_ += " (plugged in: " + SerialList(found) + ")";
        return std::nullopt;
    }
    if (found.empty()) {
        failureCause_ = "no FTDI adapter " + ids + " is plugged in";
        return std::nullopt;
    }
    if (found.size() > 1) {
        failureCause_ = std::to_string(found.size()) + " FTDI adapters " + ids + " are plugged in (serial numbers " +
                        SerialList(found) + "): give the board's one in the ports map, e.g. " + name + "=ftdi:" +
                        ids + ":" + (found.front().serial.empty() ? "SERIAL" : found.front().serial);
        return std::nullopt;
    }
    return found.front();
}

std::uint16_t FtdiParallelPortIo::BaseAddress(int portNumber)
{
    if (!FindAdapter(portNumber)) return 0;
    return kLegacyBases[static_cast<std::size_t>(portNumber - 1)];
}

bool FtdiParallelPortIo::Claim(int portNumber)
{
    if (ValidPort(portNumber) && ports_[static_cast<std::size_t>(portNumber - 1)].claims > 0) {
        ++ports_[static_cast<std::size_t>(portNumber - 1)].claims;
        return true;
    }
    const std::optional<FtdiAdapterInfo> adapter = FindAdapter(portNumber);
    if (!adapter) return false;
    Port& port = ports_[static_cast<std::size_t>(portNumber - 1)];
    if (const std::string refusal = FtdiChipRefusal(adapter->chip); !refusal.empty()) {
        failureCause_ = refusal;
        return false;
    }
    if (!adapter->accessible) {
        failureCause_ = "no permission to use " + AdapterName(*adapter) + " (" + adapter->devicePath +
                        "): install the udev rule 60-zav-usb-adapters.rules (the package puts it in "
                        "/usr/lib/udev/rules.d), then plug the adapter in again";
        return false;
    }
    port.connection = usb_.Open(*adapter, port.target->pins.OutputMask());
    if (!port.connection) {
        failureCause_ = usb_.FailureCause();
        return false;
    }
    port.adapterName = AdapterName(*adapter);
    port.transferLimit = FtdiTransferLimit(adapter->chip);
    port.queued.clear();
    port.queued.reserve(port.transferLimit);
    port.samples.assign(port.transferLimit, 0);
    port.reads.clear();
    port.reads.reserve(port.transferLimit);
    port.lost = false;
    port.lostCause.clear();
    // The pins take the registers' levels: zero at first, as the board expects of a port
    // that was never written, and afterwards where the last link left them, so a second link
    // in the same sequence starts without a stray clock edge.
    Queue(port);
    Send(port);
    if (port.lost) {
        failureCause_ = port.lostCause;
        Close(port);
        return false;
    }
    port.claims = 1;
    return true;
}

void FtdiParallelPortIo::Release(int portNumber)
{
    if (!ValidPort(portNumber)) return;
    Port& port = ports_[static_cast<std::size_t>(portNumber - 1)];
    if (port.claims == 0 || --port.claims > 0) return;
    Send(port);
    Close(port);
}

void FtdiParallelPortIo::Close(Port& port)
{
    port.connection.reset();
    port.claims = 0;
    port.queued.clear();
    port.reads.clear();
}

bool FtdiParallelPortIo::ReadsControlLines(int portNumber)
{
    // Every pin is sampled, outputs included, and the clock line always has one.
    if (ValidPort(portNumber) && ports_[static_cast<std::size_t>(portNumber - 1)].target) return true;
    failureCause_ = PortName::Parallel(portNumber).Text() + " is not put on an FTDI adapter in the ports map";
    return false;
}

bool FtdiParallelPortIo::Lost() const
{
    for (const Port& port : ports_) {
        if (port.lost) return true;
    }
    return false;
}

std::string FtdiParallelPortIo::LostCause() const
{
    for (const Port& port : ports_) {
        if (port.lost) return port.lostCause;
    }
    return {};
}

FtdiParallelPortIo::Port* FtdiParallelPortIo::PortAt(std::uint16_t address, std::uint16_t& offset)
{
    for (std::size_t i = 0; i < ports_.size(); ++i) {
        Port& port = ports_[i];
        if (port.claims == 0 || port.lost) continue;
        if (address >= kLegacyBases[i] && address <= kLegacyBases[i] + kControlOffset) {
            offset = static_cast<std::uint16_t>(address - kLegacyBases[i]);
            return &port;
        }
    }
    return nullptr;
}

std::uint8_t FtdiParallelPortIo::PinLevels(const Port& port) const
{
    std::uint8_t pins = 0;
    for (const ConnectorLineInfo& info : ConnectorLines()) {
        if (!info.output) continue;
        const std::optional<int> pin = port.target->pins.PinOf(info.line);
        if (!pin) continue;
        const std::uint8_t reg = info.registerOffset == kDataOffset ? port.data : port.control;
        if (((reg & info.bit) != 0) != info.inverted) pins |= static_cast<std::uint8_t>(1U << *pin);
    }
    return pins;
}

std::uint8_t FtdiParallelPortIo::StatusFrom(const Port& port, std::uint8_t sample) const
{
    std::uint8_t status = 0;
    for (const ConnectorLineInfo& info : ConnectorLines()) {
        if (info.output) continue;
        const std::optional<int> pin = port.target->pins.PinOf(info.line);
        // An unwired input floats high, as on an open connector.
        const bool level = pin ? ((sample >> *pin) & 1) != 0 : true;
        if (level != info.inverted) status |= info.bit;
    }
    return status;
}

std::uint8_t FtdiParallelPortIo::ControlFrom(const Port& port, std::uint8_t control, std::uint8_t sample) const
{
    for (const ConnectorLineInfo& info : ConnectorLines()) {
        if (!info.output || info.registerOffset != kControlOffset) continue;
        const std::optional<int> pin = port.target->pins.PinOf(info.line);
        if (!pin) continue;
        const bool level = ((sample >> *pin) & 1) != 0;
        if (level != info.inverted) {
            control |= info.bit;
        } else {
            control &= static_cast<std::uint8_t>(~info.bit);
        }
    }
    return control;
}

void FtdiParallelPortIo::Queue(Port& port)
{
    port.queued.push_back(PinLevels(port));
    if (port.queued.size() >= port.transferLimit) Send(port);
}

void FtdiParallelPortIo::Send(Port& port)
{
    if (port.queued.empty() || !port.connection || port.lost) {
        AnswerReads(port, false);
        return;
    }
    const std::size_t count = port.queued.size();
    ++transfers_;
    const bool sent = port.connection->Transfer(port.queued, std::span(port.samples).first(count));
    port.queued.clear();
    if (!sent) {
        port.lost = true;
        port.lostCause = port.adapterName + " stopped answering (unplugged, or without power): " +
                         port.connection->FailureCause();
    }
    AnswerReads(port, sent);
}

void FtdiParallelPortIo::AnswerReads(Port& port, bool sent)
{
    for (const PendingRead& read : port.reads) {
        const std::uint8_t sample = port.samples[read.index];
        if (!sent) {
            *read.into = kUnreadable;
        } else if (read.offset == kStatusOffset) {
            *read.into = StatusFrom(port, sample);
        } else {
            *read.into = ControlFrom(port, read.control, sample);
        }
    }
    port.reads.clear();
}

void FtdiParallelPortIo::Flush()
{
    for (Port& port : ports_) Send(port);
}

std::uint8_t FtdiParallelPortIo::Read(std::uint16_t address)
{
    std::uint8_t value = kUnreadable;
    ReadLater(address, value);
    CompleteReads();
    return value;
}

void FtdiParallelPortIo::ReadLater(std::uint16_t address, std::uint8_t& into)
{
    std::uint16_t offset = 0;
    Port* port = PortAt(address, offset);
    if (port == nullptr) {
        into = kUnreadable;
        return;
    }
    if (offset == kDataOffset) {
        into = port->data;
        return;
    }
    // One more update with nothing changed samples the inputs after every queued write.
    port->reads.push_back({&into, port->queued.size(), offset, port->control});
    Queue(*port);
}

void FtdiParallelPortIo::CompleteReads()
{
    for (Port& port : ports_) {
        if (!port.reads.empty()) Send(port);
    }
}

void FtdiParallelPortIo::Write(std::uint16_t address, std::uint8_t value)
{
    std::uint16_t offset = 0;
    Port* port = PortAt(address, offset);
    if (port == nullptr || offset == kStatusOffset) return;
    if (offset == kDataOffset) {
        port->data = value;
    } else {
        port->control = value;
    }
    // Every write is a pin update, also one that changes nothing: the clock pulses are timed
    // by the number of writes.
    Queue(*port);
}

} // namespace zav
