// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace orvane::host {

enum class Buttons { Ok, OkCancel, YesNo };
enum class Icon { None, Information, Warning, Error, Question };
enum class Answer { Ok, Cancel, Yes, No };

// Modal message boxes. Caption and text are CP1250, worded exactly as the system words them;
// the host shows them (a dialog in the window, standard error in the CLI, a script in tests).
class Prompts {
public:
    virtual ~Prompts() = default;
    virtual Answer Ask(const std::string& caption, const std::string& text, Buttons buttons,
                       Icon icon) = 0;

    // An OK box whose answer does not matter.
    void Tell(const std::string& caption, const std::string& text, Icon icon = Icon::None) {
        Ask(caption, text, Buttons::Ok, icon);
    }
    bool AskYesNo(const std::string& caption, const std::string& text, Icon icon = Icon::Question) {
        return Ask(caption, text, Buttons::YesNo, icon) == Answer::Yes;
    }
};

}  // namespace orvane::host
