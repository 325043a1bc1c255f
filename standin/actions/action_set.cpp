#include "standin/actions/action_set.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <nlohmann/json.hpp>
#include <set>

#include "standin/files/replace_file.h"
#include "standin/text/cp932.h"

namespace standin {
namespace {

using Json = nlohmann::ordered_json;

// Nesting deeper than any action set needs is refused while parsing.
constexpr int kMaxDepth = 32;

// A check that failed, with the JSON pointer of the element.
struct LoadFailure {
    std::string pointer;
    std::string reason;
};

// ---- Writing ----

std::string Hex(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        hex += kHex[byte >> 4];
        hex += kHex[byte & 15];
    }
    return hex;
}

bool StringFits(std::string_view bytes, const char* what, std::string* error) {
    if (bytes.find('\0') != std::string_view::npos) {
        *error = std::string(what) + " holds a NUL byte";
        return false;
    }
    if (bytes.size() > kMaxActionStringBytes) {
        *error = std::string(what) + " is longer than " + std::to_string(kMaxActionStringBytes) +
                 " bytes";
        return false;
    }
    return true;
}

// Text when the bytes come back unchanged from UTF-8, else the hex form.
Json StringJson(const std::string& cp932) {
    const Cp932Result utf8 = Cp932ToUtf8(cp932);
    if (utf8.status == Cp932Status::kOk) {
        const Cp932Result back = Utf8ToCp932(utf8.bytes);
        if (back.status == Cp932Status::kOk && back.bytes == cp932) return utf8.bytes;
    }
    return Json{{"cp932-hex", Hex(cp932)}};
}

uint32_t FloatBits(float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// The double that the float's shortest decimal reads as, when it reads back
// as the float; otherwise the float's own value, which always does.
Json RealJson(ASReal value) {
    if (!std::isfinite(value)) {
        char hex[9];
        std::snprintf(hex, sizeof hex, "%08x", FloatBits(value));
        return Json{{"float-bits", hex}};
    }
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    double shortest = 0;
    std::from_chars(text, end, shortest);
    if (static_cast<float>(shortest) == value && std::signbit(shortest) == std::signbit(value))
        return shortest;
    return static_cast<double>(value);
}

bool Printable(char c) {
    return c >= 0x20 && c <= 0x7E;
}

Json KeyJson(ActionParamKeyID key) {
    const char chars[4] = {static_cast<char>(key >> 24), static_cast<char>(key >> 16),
                           static_cast<char>(key >> 8), static_cast<char>(key)};
    for (char c : chars)
        if (!Printable(c)) return key;
    return std::string(chars, 4);
}

const char* TypeName(ActionParamTypeID type) {
    if (type == kActionIntegerType) return "long";
    if (type == kActionRealType) return "real";
    if (type == kActionStringType) return "strn";
    return nullptr;
}

bool ActionJson(const RecordedAction& action, size_t index, Json* out, std::string* error) {
    const std::string where = "action " + std::to_string(index + 1) + ": ";
    if (!StringFits(action.eventName, "the event name", error)) {
        *error = where + *error;
        return false;
    }
    if (action.dialogStatus < kDialogNone || action.dialogStatus > kDialogOff) {
        *error = where + "dialog status " + std::to_string(action.dialogStatus) + " is not 0 to 3";
        return false;
    }
    Json parameters = Json::array();
    for (const auto& [key, value] : action.values) {
        const char* type = TypeName(value.type);
        if (type == nullptr) {
            *error = where + "a value of an unknown type";
            return false;
        }
        Json parameter = {{"key", KeyJson(key)}, {"type", type}};
        if (value.type == kActionIntegerType) {
            parameter["value"] = value.integer;
        } else if (value.type == kActionRealType) {
            parameter["value"] = RealJson(value.real);
        } else {
            if (!StringFits(value.string, "a string", error)) {
                *error = where + *error;
                return false;
            }
            parameter["value"] = StringJson(value.string);
        }
        parameters.push_back(std::move(parameter));
    }
    if (action.document < 0) {
        *error = where + "document " + std::to_string(action.document) + " is not 1 or more";
        return false;
    }
    *out = {{"event", StringJson(action.eventName)}, {"dialog", action.dialogStatus}};
    if (action.document > 0) (*out)["document"] = action.document;
    (*out)["parameters"] = std::move(parameters);
    return true;
}

// ---- Reading ----

std::string PointerToken(const std::string& name) {
    std::string token;
    for (char c : name) {
        if (c == '~') {
            token += "~0";
        } else if (c == '/') {
            token += "~1";
        } else {
            token += c;
        }
    }
    return token;
}

// Builds the document as nlohmann's own DOM parser does, following the parse
// to know where it is and refusing repeated members and deep nesting as they
// are read. (A parse callback would do the same, but nlohmann's callback
// parser scans the whole enclosing array after every object, which makes a
// long set quadratic; the events of a SAX parser cost the same for each.)
class WatchedParser : public nlohmann::detail::json_sax_dom_parser<Json> {
    using Base = nlohmann::detail::json_sax_dom_parser<Json>;

  public:
    explicit WatchedParser(Json& top) : Base(top, true) {}

    bool start_object(std::size_t size) {
        Open(true);
        return Base::start_object(size);
    }
    bool start_array(std::size_t size) {
        Open(false);
        return Base::start_array(size);
    }
    bool key(Json::string_t& name) {
        Level& level = levels_.back();
        level.key = name;
        if (!level.keys.insert(level.key).second)
            throw LoadFailure{Pointer(), "member \"" + level.key + "\" appears twice"};
        return Base::key(name);
    }
    bool end_object() {
        Close();
        return Base::end_object();
    }
    bool end_array() {
        Close();
        return Base::end_array();
    }
    bool null() { return Counted(), Base::null(); }
    bool boolean(bool value) { return Counted(), Base::boolean(value); }
    bool number_integer(Json::number_integer_t value) {
        return Counted(), Base::number_integer(value);
    }
    bool number_unsigned(Json::number_unsigned_t value) {
        return Counted(), Base::number_unsigned(value);
    }
    bool number_float(Json::number_float_t value, const Json::string_t& text) {
        return Counted(), Base::number_float(value, text);
    }
    bool string(Json::string_t& value) { return Counted(), Base::string(value); }
    bool binary(Json::binary_t& value) { return Counted(), Base::binary(value); }

  private:
    struct Level {
        bool object;
        size_t index;     // array: elements read so far
        std::string key;  // object: the member being read
        std::set<std::string> keys;
    };

    void Counted() {
        if (!levels_.empty() && !levels_.back().object) ++levels_.back().index;
    }

    void Open(bool object) {
        if (levels_.size() >= static_cast<size_t>(kMaxDepth))
            throw LoadFailure{Pointer(),
                              "nested more than " + std::to_string(kMaxDepth) + " levels deep"};
        levels_.push_back({object, 0, {}, {}});
    }

    void Close() {
        levels_.pop_back();
        Counted();
    }

    std::string Pointer() const {
        std::string pointer;
        for (const Level& level : levels_)
            pointer += "/" + (level.object ? PointerToken(level.key) : std::to_string(level.index));
        return pointer;
    }

    std::vector<Level> levels_;
};

[[noreturn]] void Fail(const std::string& pointer, const std::string& reason) {
    throw LoadFailure{pointer, reason};
}

std::string TypeOf(const Json& j) {
    if (j.is_object()) return "an object";
    if (j.is_array()) return "an array";
    if (j.is_string()) return "a string";
    if (j.is_boolean()) return "a boolean";
    if (j.is_null()) return "null";
    if (j.is_number_integer()) return "an integer";
    return "a number";
}

// Refuses members of `object` outside `allowed`.
void OnlyMembers(const Json& object, const std::string& pointer,
                 std::initializer_list<const char*> allowed) {
    for (const auto& [name, value] : object.items()) {
        bool known = false;
        for (const char* a : allowed) known = known || name == a;
        if (!known) Fail(pointer + "/" + PointerToken(name), "unknown member \"" + name + "\"");
    }
}

const Json& Member(const Json& object, const std::string& pointer, const char* name) {
    const auto it = object.find(name);
    if (it == object.end()) Fail(pointer, std::string("member \"") + name + "\" is missing");
    return *it;
}

const Json& ObjectAt(const Json& j, const std::string& pointer) {
    if (!j.is_object()) Fail(pointer, "expected an object, found " + TypeOf(j));
    return j;
}

const Json& ArrayAt(const Json& j, const std::string& pointer) {
    if (!j.is_array()) Fail(pointer, "expected an array, found " + TypeOf(j));
    return j;
}

int64_t IntegerAt(const Json& j, const std::string& pointer, int64_t lowest, int64_t highest) {
    if (!j.is_number_integer()) Fail(pointer, "expected an integer, found " + TypeOf(j));
    // A non-negative literal is stored unsigned: held to both bounds too.
    const bool outside = j.is_number_unsigned()
                             ? j.get<uint64_t>() > static_cast<uint64_t>(highest) ||
                                   (lowest > 0 && j.get<uint64_t>() < static_cast<uint64_t>(lowest))
                             : j.get<int64_t>() < lowest || j.get<int64_t>() > highest;
    if (outside)
        Fail(pointer, "the integer " + j.dump() + " is not " + std::to_string(lowest) + " to " +
                          std::to_string(highest));
    return j.get<int64_t>();
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string BytesOfHex(const std::string& hex, const std::string& pointer) {
    if (hex.size() % 2 != 0) Fail(pointer, "an odd number of hexadecimal digits");
    std::string bytes;
    bytes.reserve(hex.size() / 2);
    for (size_t i = 0; i < hex.size(); i += 2) {
        const int high = HexDigit(hex[i]), low = HexDigit(hex[i + 1]);
        if (high < 0 || low < 0) Fail(pointer, "not a hexadecimal digit at " + std::to_string(i));
        bytes += static_cast<char>(high * 16 + low);
    }
    return bytes;
}

// A string in either form, as code page 932 bytes.
std::string StringAt(const Json& j, const std::string& pointer) {
    std::string bytes;
    if (j.is_string()) {
        const std::string& utf8 = j.get_ref<const std::string&>();
        // Code page 932 takes at most three bytes of UTF-8 to one byte of its own.
        if (utf8.size() > 3 * kMaxActionStringBytes)
            Fail(pointer, "longer than " + std::to_string(kMaxActionStringBytes) + " bytes");
        const Cp932Result cp932 = Utf8ToCp932(utf8);
        if (cp932.status != Cp932Status::kOk)
            Fail(pointer, "the character at byte " + std::to_string(cp932.offset) +
                              " has no code page 932 form");
        bytes = cp932.bytes;
    } else if (j.is_object()) {
        OnlyMembers(j, pointer, {"cp932-hex"});
        const std::string hexPointer = pointer + "/cp932-hex";
        const Json& hex = Member(j, pointer, "cp932-hex");
        if (!hex.is_string()) Fail(hexPointer, "expected a string, found " + TypeOf(hex));
        if (hex.get_ref<const std::string&>().size() > 2 * kMaxActionStringBytes)
            Fail(hexPointer, "longer than " + std::to_string(kMaxActionStringBytes) + " bytes");
        bytes = BytesOfHex(hex.get<std::string>(), hexPointer);
    } else {
        Fail(pointer, "expected a string or {\"cp932-hex\": ...}, found " + TypeOf(j));
    }
    if (bytes.size() > kMaxActionStringBytes)
        Fail(pointer, "longer than " + std::to_string(kMaxActionStringBytes) + " bytes");
    if (bytes.find('\0') != std::string::npos) Fail(pointer, "holds a NUL byte");
    return bytes;
}

ASReal RealAt(const Json& j, const std::string& pointer) {
    if (j.is_number()) {
        const double value = j.get<double>();
        // From halfway between the largest float and 2^128 on, a number would
        // round to infinity.
        if (!(std::fabs(value) < 0x1.ffffffp127))
            Fail(pointer, "the number " + j.dump() + " is out of range for a 32-bit real");
        return static_cast<float>(value);
    }
    if (j.is_object()) {
        OnlyMembers(j, pointer, {"float-bits"});
        const std::string bitsPointer = pointer + "/float-bits";
        const Json& bits = Member(j, pointer, "float-bits");
        if (!bits.is_string()) Fail(bitsPointer, "expected a string, found " + TypeOf(bits));
        const std::string hex = bits.get<std::string>();
        if (hex.size() != 8) Fail(bitsPointer, "expected 8 hexadecimal digits");
        const std::string bytes = BytesOfHex(hex, bitsPointer);
        uint32_t word = 0;
        for (char c : bytes) word = word << 8 | static_cast<unsigned char>(c);
        float value = 0;
        std::memcpy(&value, &word, sizeof value);
        return value;
    }
    Fail(pointer, "expected a number or {\"float-bits\": ...}, found " + TypeOf(j));
}

ActionParamKeyID KeyAt(const Json& j, const std::string& pointer) {
    if (j.is_number_integer())
        return static_cast<ActionParamKeyID>(
            IntegerAt(j, pointer, 0, std::numeric_limits<uint32_t>::max()));
    if (!j.is_string()) Fail(pointer, "expected a string of four characters, found " + TypeOf(j));
    const std::string& chars = j.get_ref<const std::string&>();
    bool printable = chars.size() == 4;
    for (char c : chars) printable = printable && Printable(c);
    if (!printable)
        Fail(pointer, "a key is four printable ASCII characters (or the code as a number)");
    ActionParamKeyID key = 0;
    for (char c : chars) key = key << 8 | static_cast<unsigned char>(c);
    return key;
}

std::pair<ActionParamKeyID, ActionValue> ParameterAt(const Json& j, const std::string& pointer) {
    ObjectAt(j, pointer);
    OnlyMembers(j, pointer, {"key", "type", "value"});
    const ActionParamKeyID key = KeyAt(Member(j, pointer, "key"), pointer + "/key");
    const Json& type = Member(j, pointer, "type");
    const Json& value = Member(j, pointer, "value");
    const std::string valuePointer = pointer + "/value";
    ActionValue v;
    if (type == "long") {
        v.type = kActionIntegerType;
        v.integer =
            static_cast<int32_t>(IntegerAt(value, valuePointer, std::numeric_limits<int32_t>::min(),
                                           std::numeric_limits<int32_t>::max()));
    } else if (type == "real") {
        v.type = kActionRealType;
        v.real = RealAt(value, valuePointer);
    } else if (type == "strn") {
        v.type = kActionStringType;
        v.string = StringAt(value, valuePointer);
        // The host hands a string back whole to a buffer whose size it is not
        // told: it keeps none longer than its limit.
        if (v.string.size() > kLongestActionString)
            Fail(valuePointer, "a string of " + std::to_string(v.string.size()) +
                                   " bytes; the host keeps at most " +
                                   std::to_string(kLongestActionString));
    } else {
        Fail(pointer + "/type", "the type must be \"long\", \"real\" or \"strn\", not " +
                                    (type.is_string() ? type.dump() : TypeOf(type)));
    }
    return {key, std::move(v)};
}

RecordedAction ActionAt(const Json& j, const std::string& pointer) {
    ObjectAt(j, pointer);
    OnlyMembers(j, pointer, {"event", "dialog", "document", "parameters"});
    RecordedAction action;
    action.eventName = StringAt(Member(j, pointer, "event"), pointer + "/event");
    action.dialogStatus = static_cast<ActionDialogStatus>(
        IntegerAt(Member(j, pointer, "dialog"), pointer + "/dialog", kDialogNone, kDialogOff));
    if (j.contains("document"))
        action.document = static_cast<int32_t>(IntegerAt(j["document"], pointer + "/document", 1,
                                                         std::numeric_limits<int32_t>::max()));
    const std::string listPointer = pointer + "/parameters";
    const Json& list = ArrayAt(Member(j, pointer, "parameters"), listPointer);
    std::set<ActionParamKeyID> keys;
    for (size_t i = 0; i < list.size(); ++i) {
        const std::string at = listPointer + "/" + std::to_string(i);
        auto parameter = ParameterAt(list[i], at);
        if (!keys.insert(parameter.first).second)
            Fail(at + "/key", "the key appears twice in this action");
        action.values.push_back(std::move(parameter));
    }
    return action;
}

std::vector<RecordedAction> ActionSetAt(const Json& top) {
    ObjectAt(top, "");
    OnlyMembers(top, "", {"format", "version", "actions"});
    const Json& format = Member(top, "", "format");
    if (format != kActionSetFormat)
        Fail("/format", std::string("not an action set (expected \"") + kActionSetFormat + "\")");
    const Json& version = Member(top, "", "version");
    if (!version.is_number_integer())
        Fail("/version", "expected an integer, found " + TypeOf(version));
    if (version != kActionSetVersion)
        Fail("/version", "version " + version.dump() + " is not known (this Orvelk reads " +
                             std::to_string(kActionSetVersion) + ")");
    const Json& list = ArrayAt(Member(top, "", "actions"), "/actions");
    std::vector<RecordedAction> actions;
    actions.reserve(list.size());
    for (size_t i = 0; i < list.size(); ++i)
        actions.push_back(ActionAt(list[i], "/actions/" + std::to_string(i)));
    return actions;
}

// "LINE:COLUMN" of the byte before `byte` (nlohmann counts from 1).
std::string LineAndColumn(std::string_view text, size_t byte) {
    const size_t end = std::min(byte > 0 ? byte - 1 : 0, text.size());
    size_t line = 1, column = 1;
    for (size_t i = 0; i < end; ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return std::to_string(line) + ":" + std::to_string(column);
}

// nlohmann's message without its own prefix and position.
std::string ParseReason(const std::string& what) {
    size_t at = what.find("column ");
    if (at != std::string::npos) at = what.find(": ", at);
    if (at == std::string::npos) {
        at = what.find("] ");
        return at == std::string::npos ? what : what.substr(at + 2);
    }
    return what.substr(at + 2);
}

}  // namespace

bool ActionSetToJson(const std::vector<RecordedAction>& actions, std::string* json,
                     std::string* error) {
    Json list = Json::array();
    for (size_t i = 0; i < actions.size(); ++i) {
        Json action;
        if (!ActionJson(actions[i], i, &action, error)) return false;
        list.push_back(std::move(action));
    }
    const Json top = {
        {"format", kActionSetFormat}, {"version", kActionSetVersion}, {"actions", std::move(list)}};
    *json = top.dump(2) + "\n";
    return true;
}

bool ActionSetFromJson(std::string_view json, const std::string& name,
                       std::vector<RecordedAction>* actions, std::string* error) {
    actions->clear();
    try {
        Json top;
        WatchedParser parser(top);
        Json::sax_parse(json.begin(), json.end(), &parser);
        *actions = ActionSetAt(top);
        return true;
    } catch (const nlohmann::json::parse_error& e) {
        *error = name + ":" + LineAndColumn(json, e.byte) + ": " + ParseReason(e.what());
    } catch (const LoadFailure& f) {
        *error = name + ": at " + (f.pointer.empty() ? "the top" : f.pointer) + ": " + f.reason;
    } catch (const nlohmann::json::exception& e) {
        *error = name + ": " + ParseReason(e.what());
    }
    actions->clear();
    return false;
}

bool SaveActionSet(const std::vector<RecordedAction>& actions, const std::string& path,
                   std::string* error) {
    std::string json;
    if (!ActionSetToJson(actions, &json, error)) {
        *error = "cannot save " + path + ": " + *error;
        return false;
    }
    return ReplaceFileWith(path, json, error);
}

bool LoadActionSet(const std::string& path, std::vector<RecordedAction>* actions,
                   std::string* error) {
    actions->clear();
    std::string json;
    if (!ReadWholeFile(path, kMaxActionSetFileBytes, &json, error)) return false;
    return ActionSetFromJson(json, path, actions, error);
}

}  // namespace standin
