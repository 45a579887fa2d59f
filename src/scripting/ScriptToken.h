#pragma once
#include <cstdint>

class CCommandContext;

// Runs one command. It reads its own argument tokens through the context, in
// the order its command table lists them.
using CommandHandler = void (*)(CCommandContext& context);

constexpr int kRegisterCount = 32;
constexpr int kRegV0 = 2;  // where a command leaves its result
constexpr int kRegA0 = 4;  // operands of the commands that take them
constexpr int kRegA1 = 5;
constexpr int kRegA2 = 6;
constexpr int8_t kNotRegister = -1;  // the token does not begin with $
constexpr int8_t kBadRegister = -2;  // a register name whose index is outside 0-31
// A $ token that reads as register 0 without naming it ($b1): it reads 0
// and stores nothing, as register 0 does, with a warning.
constexpr int8_t kMisspeltRegister = -3;

// One token of a script file, worked out once when the file is loaded and
// shared by every script reading that file. Each field answers one question a
// step may ask of the token: what it does in command position, its text,
// which register it names, its value as a number, and where a jump to the
// label it names lands. Command handlers get their arguments as tokens.
struct ScriptToken {
    static constexpr uint32_t kNoLabel = UINT32_MAX;

    CommandHandler handler = nullptr;  // labels and unknown names have handlers too
    const char* text = "";             // NUL-terminated, in the file's own copy
    uint32_t jumpTarget = kNoLabel;    // index of the token after the first label it names
    int32_t number = 0;                // the text read the way atoi reads it (@name: its picture)
    uint32_t offset = 0;               // of its first byte in the file: where to report it
    int8_t reg = kNotRegister;         // register index or one of the k...Register marks

    // True for every token that begins with $, names past register 31 included.
    bool IsRegisterName() const { return reg != kNotRegister; }
};
// A step reads one token after another: keep two to a cache line.
static_assert(sizeof(ScriptToken) <= 32);
