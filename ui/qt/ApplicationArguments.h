#pragma once

namespace vq3 {

// The tool takes no command line, but Qt reads options of its own (-style, -qwindowtitle,
// -reverse, ...) from whatever arguments it is handed. So Qt gets the program's name alone,
// never what the user typed. Qt keeps references to both members: this must outlive it.
class ApplicationArguments {
public:
    ApplicationArguments() = default;
    ApplicationArguments(const ApplicationArguments&) = delete;
    ApplicationArguments& operator=(const ApplicationArguments&) = delete;

    int& Count() { return count_; }
    char** Values() { return values_; }

private:
    char name_[6] = "vq3mt";
    int count_ = 1;
    char* values_[2] = {name_, nullptr};
};

} // namespace vq3
