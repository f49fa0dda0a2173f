#include "core/device/ModeReply.h"

namespace orvane::device {

std::string_view ModeReply::NameOf(int reply) {
    switch (reply) {
        case kSystemByte: return kSystem;
        case kKomendyByte: return kKomendy;
        case kBootLoaderByte: return kBootLoader;
        case kProgramByte: return kProgram;
        default: return kUnknown;
    }
}

int ModeReply::CommandIdOf(int reply) {
    switch (reply) {
        case kSystemByte: return kSystemCommand;
        case kKomendyByte: return kKomendyCommand;
        case kBootLoaderByte: return kBootLoaderCommand;
        case kProgramByte: return kProgramCommand;
        default: return kUnknownCommand;
    }
}

}  // namespace orvane::device
