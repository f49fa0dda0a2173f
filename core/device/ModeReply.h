#pragma once
#include <string_view>

namespace orvane::device {

// The controller reports its mode in one byte; the system keeps it as text and tells the frame
// with a command id so the mode pane can show it.
class ModeReply {
public:
    static constexpr std::string_view kSystem = "System";
    static constexpr std::string_view kKomendy = "Komendy";
    static constexpr std::string_view kBootLoader = "BootLoader";
    static constexpr std::string_view kProgram = "Program";
    static constexpr std::string_view kUnknown = "Nieznany";

    static constexpr int kSystemByte = 0xFF;
    static constexpr int kKomendyByte = 0xFE;
    static constexpr int kBootLoaderByte = 0xF0;
    static constexpr int kProgramByte = 0x00;

    static constexpr int kBootLoaderCommand = 32781;
    static constexpr int kKomendyCommand = 32782;
    static constexpr int kUnknownCommand = 32783;
    static constexpr int kProgramCommand = 32784;
    static constexpr int kSystemCommand = 32785;

    // The mode of a reply value; every other byte and the timeout value 1000 give "Nieznany".
    static std::string_view NameOf(int reply);
    // The frame's command id for a reply value.
    static int CommandIdOf(int reply);
};

}  // namespace orvane::device
