// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace quorvel {

// How a command ended. A refused command says why in the status-line messages it showed, kept
// here in the order shown; it left the output box as it was.
class Outcome {
public:
    enum class Kind { Done, Refused, Cancelled, Closing };

    static Outcome done() { return Outcome(Kind::Done); }
    static Outcome cancelled() { return Outcome(Kind::Cancelled); }
    static Outcome closing() { return Outcome(Kind::Closing); }
    static Outcome refused(std::vector<std::string> reasons = {}) { return Outcome(Kind::Refused, std::move(reasons)); }

    Kind kind() const { return kind_; }
    bool isDone() const { return kind_ == Kind::Done; }
    const std::vector<std::string>& reasons() const { return reasons_; }

    // Refused for one more reason, shown after the ones held.
    Outcome& refuseFor(std::string reason)
    {
        kind_ = Kind::Refused;
        reasons_.push_back(std::move(reason));
        return *this;
    }
    // Takes in a later step of the same command: refused when that step was, with its reasons
    // after the ones held.
    Outcome& also(const Outcome& later)
    {
        if (later.kind_ == Kind::Refused)
            kind_ = Kind::Refused;
        reasons_.insert(reasons_.end(), later.reasons_.begin(), later.reasons_.end());
        return *this;
    }

private:
    explicit Outcome(Kind kind, std::vector<std::string> reasons = {}) : kind_(kind), reasons_(std::move(reasons)) {}

    Kind kind_;
    std::vector<std::string> reasons_;
};

} // namespace quorvel
