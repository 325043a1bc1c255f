#include "standin/dialogs/user_script.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <sstream>

#include "standin/text/cp932.h"

namespace standin {
namespace {

std::deque<UserStep>& Queue() {
    static std::deque<UserStep> queue;
    return queue;
}

struct StepCounts {
    size_t failed = 0;
    size_t dropped = 0;
};
StepCounts& Counts() {
    static StepCounts counts;
    return counts;
}

// Reads a decimal integer word from `in`; false when the next word is not one.
bool ReadNumber(std::istringstream& in, int32_t* value) {
    std::string word;
    if (!(in >> word)) return false;
    errno = 0;
    char* end = nullptr;
    const long v = std::strtol(word.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < INT32_MIN || v > INT32_MAX) return false;
    *value = static_cast<int32_t>(v);
    return true;
}

// Parses one step into *step; returns what is wrong with it, empty if nothing.
std::string ParseStep(const std::string& text, UserStep* step) {
    std::istringstream in(text);
    std::string verb;
    in >> verb;
    if (verb == "press") {
        step->action = UserStep::Action::kPress;
        if (!ReadNumber(in, &step->item)) return "press takes an item number";
    } else if (verb == "select") {
        step->action = UserStep::Action::kSelect;
        if (!ReadNumber(in, &step->item) || !ReadNumber(in, &step->index))
            return "select takes an item number and an entry index";
    } else if (verb == "type") {
        step->action = UserStep::Action::kType;
        if (!ReadNumber(in, &step->item)) return "type takes an item number";
        // The text is the rest after one space; it may be empty.
        std::string rest;
        std::getline(in, rest, '\0');
        if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
        Cp932Result converted = Utf8ToCp932(rest);
        if (converted.status != Cp932Status::kOk) return "the text has no code page 932 form";
        step->text = std::move(converted.bytes);
        return std::string();
    } else if (verb == "close") {
        step->action = UserStep::Action::kClose;
    } else {
        return "'" + verb + "' is not press, select, type or close";
    }
    std::string extra;
    if (in >> extra) return "'" + extra + "' is one word too many";
    return std::string();
}

}  // namespace

bool ParseUserScript(const std::string& script, std::vector<UserStep>* steps, std::string* error) {
    steps->clear();
    size_t start = 0;
    int number = 0;
    while (start <= script.size()) {
        size_t end = script.find_first_of(";\n", start);
        if (end == std::string::npos) end = script.size();
        std::string text = script.substr(start, end - start);
        if (!text.empty() && text.back() == '\r') text.pop_back();
        start = end + 1;
        if (text.find_first_not_of(" \t") == std::string::npos) continue;
        ++number;
        UserStep step;
        const std::string why = ParseStep(text, &step);
        if (!why.empty()) {
            *error = "step " + std::to_string(number) + " ('" + text + "'): " + why;
            steps->clear();
            return false;
        }
        steps->push_back(std::move(step));
    }
    return true;
}

void SetUserScript(std::vector<UserStep> steps) {
    Counts() = StepCounts();
    Queue().assign(std::make_move_iterator(steps.begin()), std::make_move_iterator(steps.end()));
}

std::optional<UserStep> TakeUserStep() {
    if (Queue().empty()) return std::nullopt;
    UserStep step = std::move(Queue().front());
    Queue().pop_front();
    return step;
}

void ClearUserScript() {
    Counts().dropped += Queue().size();
    Queue().clear();
}

size_t RemainingUserSteps() {
    return Queue().size();
}

void CountFailedUserStep() {
    ++Counts().failed;
}

size_t FailedUserSteps() {
    return Counts().failed;
}

size_t LeftoverUserSteps() {
    return Counts().dropped + Queue().size();
}

}  // namespace standin
