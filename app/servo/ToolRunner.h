// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QObject>

#include "app/device/DeviceSession.h"
#include "app/device/LinkLoan.h"
#include "app/host/GuiCall.h"
#include "core/tools/ServoLink.h"
#include "core/tools/ToolStep.h"

namespace orvane::app::servo {

// Runs a servo dialog's tool on the device thread, on the link lent to it, while its window is
// shown on the window thread. Start hands the link over and opens a showing: the window opens,
// the tool opens, and each of the user's actions (Act) is one exchange of the loan, the tool's
// state sent back after each, until one ends the showing. An OK inserts the tool's lines and
// shows the dialog again; "Koniec" gives the link back. The window never waits for the
// controller, and the tool never sees a backlog: an action queued right behind one of the same
// key (a slider still moving) replaces it.
template <typename Tool>
class ToolRunner {
public:
    using State = typename Tool::State;
    using Action = std::function<tools::ToolStep(Tool&)>;
    // What happens on the window thread, on `context`'s thread.
    struct Window {
        QObject* context = nullptr;
        std::function<void()> begin;                                   // show the dialog
        std::function<void(const State&, std::uint64_t seq)> show;     // the state after action `seq`
        std::function<void(bool confirmed, const std::string& text)> finish;  // close it
    };
    using Maker = std::function<std::unique_ptr<Tool>(tools::ServoLink&, device::DeviceSession&)>;
    using Opener = std::function<tools::ToolStep(Tool&, const orvane::device::PortLoan&,
                                                 const std::function<void()>& progress)>;

    ToolRunner(device::DeviceThread& device, Window window, Maker make, Opener open)
        : window_(std::move(window)), make_(std::move(make)), open_(std::move(open)),
          loan_(new device::LinkLoan(device, window_.context)) {}

    // Window thread: borrows the link and opens the first showing; false while it is lent.
    bool Start() {
        if (loan_->IsLent()) return false;
        loan_->Begin(
            [](device::DeviceSession& session) -> std::optional<orvane::device::PortLoan> {
                return session.Link().Lend(orvane::device::LoanEnd::ResetRs232);
            },
            [this](const orvane::device::PortLoan& loan) {
                portLoan_ = loan;
                ShowOnce();
            });
        return true;
    }

    // Window thread: queues an action and returns its number. Key 0 never merges; outside a
    // showing nothing is queued. A `closing` action (OK, "Koniec") cuts short a wait in its way
    // for a silent controller.
    std::uint64_t Act(int key, Action action, bool closing = false) {
        const std::uint64_t seq = ++nextSeq_;
        if (!showing_) return seq;
        auto end = std::make_shared<std::optional<End>>();
        device::LinkLoan::Work work = [this, seq, end, action = std::move(action)](device::DeviceSession&) {
            if (step_ != tools::ToolStep::Going) return;
            step_ = action(*tool_);
            SendState(seq);
            *end = Ended();
        };
        auto then = [this, end] { Finish(*end); };
        if (closing) loan_->PostLast(std::move(work), std::move(then));
        else loan_->Post(std::move(work), std::move(then), key);
        return seq;
    }

private:
    // How a showing ended: the tool's step and, after OK, its lines.
    struct End {
        bool confirmed = false;
        std::string text;
    };

    // Device thread: the end of the showing once the tool's step is no longer Going.
    std::optional<End> Ended() const {
        if (step_ == tools::ToolStep::Going) return std::nullopt;
        const bool confirmed = step_ == tools::ToolStep::Confirmed;
        return End{confirmed, confirmed ? tool_->Result() : std::string()};
    }

    void ShowOnce() {
        showing_ = true;
        window_.begin();
        auto end = std::make_shared<std::optional<End>>();
        loan_->Post([this, end](device::DeviceSession& session) {
            if (!tool_) {
                link_ = std::make_unique<tools::ServoLink>(session.Serial(), session.Commands(), session.Settings(),
                                                           session.Prompts());
                tool_ = make_(*link_, session);
            }
            step_ = open_(*tool_, portLoan_, [this] { SendState(0); });
            SendState(0);
            *end = Ended();
        }, [this, end] { Finish(*end); });
    }

    // Window thread: closes the showing the tool ended; OK shows the dialog again.
    void Finish(const std::optional<End>& end) {
        if (!end || !showing_) return;
        showing_ = false;
        window_.finish(end->confirmed, end->text);
        if (end->confirmed) {
            ShowOnce();
        } else {
            loan_->End();
        }
    }

    void SendState(std::uint64_t seq) {
        host::PostToThreadOf(window_.context, [show = window_.show, state = tool_->GetState(), seq] { show(state, seq); });
    }

    Window window_;
    Maker make_;
    Opener open_;
    device::LinkLoan* loan_;  // owned by the window's context
    // Used only on the window thread.
    bool showing_ = false;
    std::uint64_t nextSeq_ = 0;
    orvane::device::PortLoan portLoan_;  // read by the showing's work on the device thread
    // Used only on the device thread.
    std::unique_ptr<tools::ServoLink> link_;
    std::unique_ptr<Tool> tool_;
    tools::ToolStep step_ = tools::ToolStep::Going;
};

}  // namespace orvane::app::servo
