#pragma once
// The things that show a text or a skin value register a callback here, so that loading a language or a skin
// reaches every one of them without the loader knowing the widgets.

#include <functional>
#include <map>

class tTargetList {
public:
    using tTarget = std::function<void()>;

    int Add(tTarget target);
    void Remove(int id);
    // Runs the targets in the order they were added. A target may add or remove targets while it runs; one
    // removed before its turn is not run, one added during the run waits for the next run.
    void Run() const;
    int Count() const { return static_cast<int>(targets_.size()); }

private:
    std::map<int, tTarget> targets_;
    int next_ = 0;
};
