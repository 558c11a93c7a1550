// ScopedEnv: sets or removes an environment variable for the life of the object and restores it afterwards.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace reshaper_test {

class ScopedEnv {
public:
    // Sets `name` to `value`, or removes it when `value` is empty.
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) previous_ = old;
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (previous_)
            setenv(name_.c_str(), previous_->c_str(), 1);
        else
            unsetenv(name_.c_str());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    std::optional<std::string> previous_;
};

}  // namespace reshaper_test
