#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include <QEventLoop>
#include <QObject>

#include "app/device/DeviceSession.h"
#include "app/host/GuiCall.h"
#include "core/tools/ServoLink.h"
#include "core/tools/ToolStep.h"

namespace orvane::app::servo {

// Runs a servo dialog's tool on the device thread while its window is shown on the window
// thread. One showing is one call of ShowOnce, made by the port hand-over with the port lent:
// it opens the window, opens the tool, then carries out the user's actions (Act) in order
// until one ends the showing, sending the tool's state back after each. The window never
// waits for the controller, and the tool never sees a backlog: an action queued behind one of
// the same key (a slider still moving) replaces it, so the controller is sent the latest
// position instead of every one in between.
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

    ToolRunner(Window window, Maker make, Opener open)
        : window_(std::move(window)), make_(std::move(make)), open_(std::move(open)) {}

    // Window thread: queues an action and returns its number. Key 0 never merges.
    std::uint64_t Act(int key, Action action) {
        const std::lock_guard lock(mutex_);
        const std::uint64_t seq = ++nextSeq_;
        if (key != 0 && !pending_.empty() && pending_.back().key == key) {
            pending_.back() = {key, seq, std::move(action)};
        } else {
            pending_.push_back({key, seq, std::move(action)});
        }
        if (inbox_ != nullptr && !wakePosted_) {
            wakePosted_ = true;
            host::PostToThreadOf(inbox_, [this] { Drain(); });
        }
        return seq;
    }

    // Device thread: one showing on the lent port; true when it ended with OK.
    bool ShowOnce(const orvane::device::PortLoan& loan, device::DeviceSession& session) {
        if (!tool_) {
            link_ = std::make_unique<tools::ServoLink>(session.Serial(), session.Commands(), session.Settings(),
                                                       session.Prompts());
            tool_ = make_(*link_, session);
        }
        QObject inbox;
        QEventLoop loop;
        loop_ = &loop;
        {
            const std::lock_guard lock(mutex_);
            pending_.clear();
            inbox_ = &inbox;
            wakePosted_ = false;
        }
        host::CallOnThreadOf(window_.context, [this] { window_.begin(); });
        step_ = open_(*tool_, loan, [this] { SendState(0); });
        SendState(0);
        if (step_ == tools::ToolStep::Going) Drain();
        // The thread's end (the window closing) also ends this loop: then nothing is inserted.
        if (step_ == tools::ToolStep::Going) loop.exec();
        {
            const std::lock_guard lock(mutex_);
            inbox_ = nullptr;
            pending_.clear();
        }
        loop_ = nullptr;
        const bool confirmed = step_ == tools::ToolStep::Confirmed;
        const std::string text = confirmed ? tool_->Result() : std::string();
        host::CallOnThreadOf(window_.context, [&] { window_.finish(confirmed, text); });
        return confirmed;
    }

private:
    struct Pending {
        int key = 0;
        std::uint64_t seq = 0;
        Action action;
    };

    void Drain() {
        while (step_ == tools::ToolStep::Going) {
            Pending next;
            {
                const std::lock_guard lock(mutex_);
                if (pending_.empty()) {
                    wakePosted_ = false;
                    return;
                }
                next = std::move(pending_.front());
                pending_.pop_front();
            }
            step_ = next.action(*tool_);
            SendState(next.seq);
        }
        if (loop_ != nullptr) loop_->quit();
    }

    void SendState(std::uint64_t seq) {
        host::PostToThreadOf(window_.context, [show = window_.show, state = tool_->GetState(), seq] { show(state, seq); });
    }

    Window window_;
    Maker make_;
    Opener open_;
    std::mutex mutex_;
    std::deque<Pending> pending_;
    QObject* inbox_ = nullptr;
    bool wakePosted_ = false;
    std::uint64_t nextSeq_ = 0;
    // Used only on the device thread.
    std::unique_ptr<tools::ServoLink> link_;
    std::unique_ptr<Tool> tool_;
    QEventLoop* loop_ = nullptr;
    tools::ToolStep step_ = tools::ToolStep::Going;
};

}  // namespace orvane::app::servo
