// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliApp.h"

#include <csignal>

#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"

namespace orvane::cli {

int CliApp::Main(int argc, char** argv) {
    // A controller that hangs up must end a write as a failure, not kill the program.
    std::signal(SIGPIPE, SIG_IGN);
    return Run(std::vector<std::string>(argv + 1, argv + argc), stdout, stderr, stdin);
}

int CliApp::Run(const std::vector<std::string>& args, std::FILE* out, std::FILE* err, std::FILE* in) {
    CliOptions options;
    std::string error;
    if (!CliOptions::Parse(args, options, error)) {
        std::fprintf(err, "orvane-cli: %s\n\n%s", error.c_str(), CliOptions::Usage().c_str());
        return CliCommand::kUsage;
    }
    if (options.help) {
        std::fprintf(out, "%s", CliOptions::Usage().c_str());
        return CliCommand::kOk;
    }
    const CliCommand* command = CliCommand::Find(options.command);
    const int count = static_cast<int>(options.arguments.size());
    if (!command) {
        std::fprintf(err, "orvane-cli: nieznane polecenie %s\n\n%s", options.command.c_str(),
                     CliOptions::Usage().c_str());
        return CliCommand::kUsage;
    }
    for (const std::string& argument : options.arguments) {
        if (CliCommand::IsOption(argument) && !command->TakesOption(argument)) {
            std::fprintf(err, "orvane-cli: nieznana opcja %s polecenia %s\n\n%s", argument.c_str(),
                         command->name, CliOptions::Usage().c_str());
            return CliCommand::kUsage;
        }
    }
    if (count < command->minArguments || (command->maxArguments >= 0 && count > command->maxArguments)) {
        std::fprintf(err, "orvane-cli: użycie: orvane-cli %s\n", command->usage);
        return CliCommand::kUsage;
    }
    CliSession session(options, out, err, in);
    const int status = command->run(session, options.arguments);
    session.ReportUnsavedSettings();
    std::fflush(out);
    std::fflush(err);
    return status;
}

}  // namespace orvane::cli
