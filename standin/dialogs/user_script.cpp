#include "standin/dialogs/user_script.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <string>
#include <string_view>

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

// The words of a step, separated by white space (space, tab, newline,
// vertical tab, form feed, carriage return), read one after another. Plain
// string views: the library's string streams would bring its locale tables
// into the program, which every command pays for at its start.
class Words {
  public:
    explicit Words(std::string_view text) : text_(text) {}

    // The next word; empty when none is left.
    std::string_view Next() {
        while (at_ < text_.size() && IsSpace(text_[at_])) ++at_;
        const size_t begin = at_;
        while (at_ < text_.size() && !IsSpace(text_[at_])) ++at_;
        return text_.substr(begin, at_ - begin);
    }

    // What follows the last word read, as it stands, up to a NUL.
    std::string_view Rest() const {
        const std::string_view rest = text_.substr(at_);
        return rest.substr(0, rest.find('\0'));
    }

  private:
    static bool IsSpace(char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    }

    std::string_view text_;
    size_t at_ = 0;
};

// Reads a decimal integer word; false when the next word is not one.
bool ReadNumber(Words& words, int32_t* value) {
    const std::string word(words.Next());
    if (word.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const long v = std::strtol(word.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < INT32_MIN || v > INT32_MAX) return false;
    *value = static_cast<int32_t>(v);
    return true;
}

// Parses one step into *step; returns what is wrong with it, empty if nothing.
std::string ParseStep(const std::string& text, UserStep* step) {
    Words words(text);
    const std::string verb(words.Next());
    if (verb == "press") {
        step->action = UserStep::Action::kPress;
        if (!ReadNumber(words, &step->item)) return "press takes an item number";
    } else if (verb == "select") {
        step->action = UserStep::Action::kSelect;
        if (!ReadNumber(words, &step->item) || !ReadNumber(words, &step->index))
            return "select takes an item number and an entry index";
    } else if (verb == "type") {
        step->action = UserStep::Action::kType;
        if (!ReadNumber(words, &step->item)) return "type takes an item number";
        // The text is the rest after one space; it may be empty.
        std::string_view rest = words.Rest();
        if (!rest.empty() && rest[0] == ' ') rest.remove_prefix(1);
        Cp932Result converted = Utf8ToCp932(rest);
        if (converted.status != Cp932Status::kOk) return "the text has no code page 932 form";
        step->text = std::move(converted.bytes);
        return std::string();
    } else if (verb == "close") {
        step->action = UserStep::Action::kClose;
    } else {
        return "'" + verb + "' is not press, select, type or close";
    }
    const std::string_view extra = words.Next();
    if (!extra.empty()) {
        std::string message = "'";
        message.append(extra).append("' is one word too many");
        return message;
    }
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
