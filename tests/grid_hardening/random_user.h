// A seeded random user of one grid in the headless host: published member calls with valid and
// invalid arguments (late-bound, through the grid's type information), injected mouse, keyboard and
// clipboard input, menus answered at random, and an event handler that itself calls members
// (structural changes included) while the grid is in the middle of an operation. After every step
// the grid must still hold together: counts, current cell and selection in range, every cell
// readable, the picture paints, and nothing but automation errors reached the caller.
//
// The same seed replays the same run.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "grid/lattix.h"
#include "platform/headless/headless_host.h"

namespace lattix::test {

class RandomUser {
public:
    explicit RandomUser(uint64_t seed);
    ~RandomUser();
    RandomUser(const RandomUser&) = delete;
    RandomUser& operator=(const RandomUser&) = delete;

    // Runs up to `steps` steps; returns "" when every step kept the grid whole, else what broke,
    // at which step, and the calls that led there.
    std::string Run(int steps);
    int StepsRun() const { return step_; }

private:
    void oneStep();
    void memberCall(bool fromHandler);
    void curatedCall();
    void typeInfoCall();
    void inputAction();
    void onEvent(const EventInfo& e, std::span<Variant> args);
    // "" when the grid is whole.
    std::string checkInvariants();

    int pick(int lo, int hi); // inclusive
    bool chance(int oneIn);
    Variant rowAddress();
    Variant colAddress();
    Variant anyValue();
    Variant argumentFor(const std::string& paramName);
    std::string shortText();
    void note(std::string what);

    std::mt19937_64 rng_;
    ui::headless::HeadlessHost host_;
    std::shared_ptr<Lattix> grid_;
    int step_ = 0;
    int handlerDepth_ = 0;
    bool checking_ = false;
    std::deque<std::string> recent_; // the latest calls, for the failure report
};

} // namespace lattix::test
