#include "standin/cli/option_table.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>

#include "standin/cli/option_values.h"
#include "standin/cli/options.h"

namespace {

// getopt_long's short options for `table`: ':' first, so that a missing
// value is told apart from an unknown option.
std::string ShortOptions(const std::vector<option>& table) {
    std::string shorts = ":";
    for (const option& o : table) {
        if (o.flag != nullptr || o.val <= ' ' || o.val > '~') continue;
        shorts += static_cast<char>(o.val);
        if (o.has_arg == required_argument) shorts += ':';
    }
    return shorts;
}

const option* FindByValue(const std::vector<option>& table, int value) {
    for (const option& o : table)
        if (o.flag == nullptr && o.val == value) return &o;
    return nullptr;
}

void ReportMissingValue(const std::vector<option>& table, const char* given, const char* command,
                        FILE* err) {
    const option* o = FindByValue(table, optopt);
    if (o != nullptr)
        PrintError(err, command, "option '--%s' needs a value (see --help)", o->name);
    else
        PrintError(err, command, "option '%s' needs a value (see --help)", given);
}

void ReportUnknown(const std::vector<option>& table, const char* given, const char* command,
                   FILE* err) {
    std::string_view word = given;
    if (!word.starts_with("--")) {
        // An unknown short option, possibly inside a cluster such as -xo.
        if (optopt > ' ' && optopt <= '~')
            PrintError(err, command, "option '-%c' is unknown (see --help)", optopt);
        else
            PrintError(err, command, "option '%s' is unknown (see --help)", given);
        return;
    }
    word.remove_prefix(2);
    word = word.substr(0, word.find('='));
    const option* taken = FindByValue(table, optopt);
    if (optopt != 0 && taken != nullptr && taken->has_arg == no_argument &&
        std::strchr(given, '=') != nullptr) {
        PrintError(err, command, "option '--%s' takes no value (see --help)", taken->name);
        return;
    }
    std::vector<std::string_view> names;
    std::string begun;  // the names that `word` begins, for an ambiguous abbreviation
    for (const option& o : table) {
        names.push_back(o.name);
        if (!word.empty() && std::string_view(o.name).starts_with(word))
            begun += std::string(begun.empty() ? "" : ", ") + "--" + o.name;
    }
    if (begun.find(',') != std::string::npos) {
        PrintError(err, command, "option '--%.*s' is ambiguous: %s", static_cast<int>(word.size()),
                   word.data(), begun.c_str());
        return;
    }
    const std::string nearest = NearestName(word, names);
    if (nearest.empty())
        PrintError(err, command, "option '--%.*s' is unknown (see --help)",
                   static_cast<int>(word.size()), word.data());
    else
        PrintError(err, command, "option '--%.*s' is unknown; did you mean '--%s'?",
                   static_cast<int>(word.size()), word.data(), nearest.c_str());
}

// The long options, of any command, whose value names a file or a folder.
constexpr std::string_view kFileOptions[] = {
    "output", "text-file", "record", "show-dialog", "show-preview", "save-actions", "app-folder"};

// An empty value of an option that names a file: a variable that was never
// set (--save-actions "$SET") would otherwise ask for nothing, or fail only
// once the work is done. Says so and returns kExitUsage; -1 otherwise.
int RefuseEmptyFileName(const std::vector<option>& table, int c, const char* arg,
                        const char* command, FILE* err) {
    if (arg == nullptr || *arg != '\0') return -1;
    const option* o = FindByValue(table, c);
    if (o == nullptr || std::find(std::begin(kFileOptions), std::end(kFileOptions),
                                  std::string_view(o->name)) == std::end(kFileOptions))
        return -1;
    const bool folder = std::string_view(o->name) == "app-folder";
    if (o->val > ' ' && o->val <= '~')
        PrintError(err, command, "-%c '' names no file (see --help)", o->val);
    else
        PrintError(err, command, "--%s '' names no %s (see --help)", o->name,
                   folder ? "folder" : "file");
    return kExitUsage;
}

}  // namespace

int ScanOptions(int argc, char** argv, const char* command, const std::vector<option>& table,
                const OptionTaker& take, FILE* err) {
    std::vector<option> terminated = table;
    terminated.push_back({nullptr, 0, nullptr, 0});
    const std::string shorts = ShortOptions(table);
    optind = 0;  // glibc: 0 starts the scanner afresh (a process may run several commands)
    opterr = 0;
    int c;
    while ((c = getopt_long(argc, argv, shorts.c_str(), terminated.data(), nullptr)) != -1) {
        const char* given = argv[optind - 1];
        if (c == ':') {
            ReportMissingValue(table, given, command, err);
            return kExitUsage;
        }
        if (c == '?') {
            ReportUnknown(table, given, command, err);
            return kExitUsage;
        }
        if (const int empty = RefuseEmptyFileName(table, c, optarg, command, err); empty >= 0)
            return empty;
        const int status = take(c, optarg);
        assert(status != -2);  // every option of the table has a taker
        if (status >= 0) return status;
    }
    return -1;
}

int FinishOptionScan(int argc, char* const* argv, const char* command, FILE* err) {
    if (optind < argc) {
        PrintError(err, command, "unexpected argument '%s' (see --help)", argv[optind]);
        return kExitUsage;
    }
    return -1;
}
