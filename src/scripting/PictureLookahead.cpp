#include "scripting/PictureLookahead.h"

#include "scripting/Script.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

// What the scan knows of $a0 and $a1; empty once a "move" copies an unknown.
struct Operands {
    std::optional<int32_t> a0;
    std::optional<int32_t> a1;

    std::optional<int32_t>* Slot(int reg) {
        return reg == kRegA0 ? &a0 : reg == kRegA1 ? &a1 : nullptr;
    }
    std::optional<int32_t> ValueOf(const ScriptToken& source) {
        if (!source.IsRegisterName()) return source.number;
        std::optional<int32_t>* slot = Slot(source.reg);
        return slot ? *slot : std::nullopt;
    }
};

bool Is(const ScriptToken& token, const char* name) {
    return std::strcmp(token.text, name) == 0;
}

void Push(const std::optional<int32_t>& number, std::vector<int32_t>& numbers) {
    if (number) numbers.push_back(*number);
}

}  // namespace

void CPictureLookahead::Scan(const CScript& script, std::vector<int32_t>& numbers) {
    const std::span<const ScriptToken> tokens = script.Tokens();
    Operands known{static_cast<int32_t>(script.RegisterAt(kRegA0)),
                   static_cast<int32_t>(script.RegisterAt(kRegA1))};
    const size_t end = std::min<size_t>(tokens.size(), size_t{script.Position()} + kTokens);
    for (size_t i = script.Position(); i < end; ++i) {
        const ScriptToken& token = tokens[i];
        if (Is(token, "move") && i + 2 < tokens.size()) {
            if (std::optional<int32_t>* slot = known.Slot(tokens[i + 1].reg))
                *slot = known.ValueOf(tokens[i + 2]);
            i += 2;
        } else if (Is(token, "LoadSprite") && i + 1 < tokens.size()) {
            if (!tokens[i + 1].IsRegisterName()) numbers.push_back(tokens[i + 1].number);
        } else if (Is(token, "AddSprite")) {
            Push(known.a0, numbers);
        } else if (Is(token, "LoadPortrait")) {
            Push(known.a1, numbers);
        }
    }
}
