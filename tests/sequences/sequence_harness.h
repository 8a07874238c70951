#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "boardsim/simulated_board.h"
#include "devices/apply_device_selection.h"
#include "devices/device_catalogue.h"
#include "devices/device_selection_view.h"
#include "fake_sequence_host.h"
#include "sequences/program_sequence_control.h"
#include "sequences/read_sequence_control.h"
#include "sequences/shared_ports_link_factory.h"
#include "threads/hand_over_queue.h"

namespace zav::testing {

// What the simulated target holds before a sequence, and what the buffer holds before a
// program sequence: two patterns that differ in every cell the sequences touch.
inline std::uint8_t TargetPattern(std::int32_t address)
{
    return static_cast<std::uint8_t>(address * 37 + 11);
}
inline std::uint8_t BufferPattern(std::int32_t address)
{
    return static_cast<std::uint8_t>(address * 13 + 0x5C);
}

// The simulator set up for a device: the board its catalogue entry names, the MC68HC11
// variant its name gives, and fast port writes so TMS clock pulses stay short.
inline BoardSimOptions BoardFor(const std::string& deviceName)
{
    BoardSimOptions options;
    if (const DeviceInfo* device = DeviceCatalogue::FindDevice(deviceName))
        options.boardCode = device->boardCode;
    if (deviceName == "MC68HC11PA8") options.hc11 = Hc11Variant::PA8;
    if (deviceName == "MC68HC11P2") options.hc11 = Hc11Variant::P2;
    if (deviceName == "MC68HC11KA4") options.hc11 = Hc11Variant::KA4;
    options.slowPortWrites = true;
    return options;
}

class IgnoringSelectionView : public DeviceSelectionView {
public:
    void SetOptionEnabled(SequenceOption, bool) override {}
    void ShowAddressAtTop(std::int32_t) override {}
};

// One user-interface thread (the test's), the main window as a fake host, both sequence
// controllers and a simulated board on virtual time behind every port name.
class SequenceHarness {
public:
    static constexpr std::int64_t kSettleUs = 1'000'000;
    // No wait for a ready board is near this long (virtual time), so a board never seen ready
    // fails the sequence here rather than holding the test until ctest ends it. Kept short:
    // past its first second a wait also pauses in real time.
    static constexpr std::int64_t kWaitLimitMs = 2'000;

    explicit SequenceHarness(const std::string& deviceName, BoardSimOptions options)
        : board(options), links(board.Access())
    {
        board.Target().Fill(0);
        for (std::int32_t a = 0; a <= 0xFFFF; ++a)
            board.Target().Poke(static_cast<std::uint16_t>(a), TargetPattern(a));
        SelectDevice(deviceName);
        host.settings.lptDelay = 0;
        host.settings.waitLimitMs = kWaitLimitMs;
    }
    explicit SequenceHarness(const std::string& deviceName)
        : SequenceHarness(deviceName, BoardFor(deviceName))
    {
    }

    void SelectDevice(const std::string& deviceName)
    {
        host.deviceText = deviceName;
        IgnoringSelectionView view;
        ApplyDeviceSelection(deviceName, host.buffer, view);
    }
    // Fills the buffer's implemented cells with BufferPattern.
    void FillBuffer()
    {
        for (std::int32_t a = 0; a <= 0xFFFF; ++a) host.buffer.SetByte(a, BufferPattern(a));
    }
    void Down(std::initializer_list<SequenceOption> options) { host.optionsDown.insert(options); }

    void RunRead()
    {
        read.Start();
        read.WaitForEnd();
    }
    void RunProgram()
    {
        program.Start();
        program.WaitForEnd();
    }

    // The target's cell once any write still in progress had time to finish.
    [[nodiscard]] std::uint8_t Target(std::int32_t address)
    {
        board.Virtual()->AdvanceUs(kSettleUs);
        return board.Target().Read(static_cast<std::uint16_t>(address));
    }

    FakeSequenceHost host;
    std::shared_ptr<HandOverQueue> queue = HandOverQueue::Create();
    SimulatedBoard board;
    SharedPortsLinkFactory links;
    ReadSequenceControl read{host, queue, links};
    ProgramSequenceControl program{host, queue, links};
};

inline std::vector<std::int32_t> AddressesOf(std::int32_t first, std::int32_t last)
{
    std::vector<std::int32_t> addresses;
    for (std::int32_t a = first; a <= last; ++a) addresses.push_back(a);
    return addresses;
}

} // namespace zav::testing
