#include "story/ScriptChecker.h"

#include "app/Game.h"
#include "app/GlobalState.h"
#include "scripting/CommandTable.h"
#include "scripting/Script.h"
#include "scripting/ScriptLibrary.h"
#include "scripting/ScriptManager.h"
#include "story/Diagnostics.h"
#include "story/NearestKey.h"
#include "story/SoundTable.h"
#include "story/Story.h"
#include "ui/TextWidget.h"

#include <algorithm>
#include <span>

namespace {

// What the dialogue widgets keep of a text once the engine has added its own
// characters: two ideographic spaces before a text, a colon after a name.
constexpr size_t kTextKept = CTextWidget::kMaxTextBytes - 4;
constexpr size_t kSpeakerKept = CTextWidget::kMaxTextBytes - 2;

std::string Quoted(std::string_view text) {
    // Built by appending: GCC 12's -Wrestrict misfires on "'" + std::string.
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted.append(1, '\'').append(text).append(1, '\'');
    return quoted;
}

std::string Suggest(std::string_view key, std::span<const std::string_view> known) {
    const std::string_view nearest = NearestKey(key, known);
    return nearest.empty() ? std::string() : "; did you mean " + Quoted(nearest) + "?";
}

const char* ModeName(uint8_t mode) {
    return mode == CGame::kModeRPG ? "the role-playing mode" : "the picture-novel mode";
}

}  // namespace

CScriptChecker::CScriptChecker(const CStory& story, const CCommandTable& commands,
                               CDiagnostics& out)
    : m_story(story), m_commands(commands), m_out(out) {
    for (const auto& [name, entry] : commands.Entries())
        m_commandNames.push_back(name);
}

void CScriptChecker::Check(const std::string& path, std::string_view bytes, bool startsInScene) {
    m_path = path;
    m_source = std::make_shared<const CScriptSource>(bytes, m_commands,
                                                     CScriptLibrary::ReadingOf(m_story));
    m_known = {};
    if (startsInScene) {
        m_known.mode = CGame::kModeRPG;
        m_known.sceneSized = false;
    }
    const size_t first = m_out.All().size();
    CheckBytes();
    CollectLabels();
    const auto count = static_cast<uint32_t>(m_source->Tokens().size());
    for (uint32_t i = 0; i < count;) {
        const std::string_view text = Text(i);
        if (CScript::IsLabel(text)) {
            m_known = {};  // a jump may arrive here with anything
            ++i;
        } else if (const CommandEntry* entry = m_commands.Entry(text)) {
            i = CheckCommand(i, *entry);
        } else {
            Report(i, true, "unknown command " + Quoted(text) + Suggest(text, m_commandNames));
            i = NextLine(i);  // its arguments would only repeat the news
        }
    }
    m_out.SortFrom(first);
}

void CScriptChecker::Report(uint32_t index, bool error, std::string message) {
    const SourcePlace place = m_source->PlaceOf(index);
    m_out.Add({m_path, place.line, place.column, error ? Severity::Error : Severity::Warning,
               std::move(message)});
}

// [SECTION] Bytes: the byte-order mark and what the encoding cannot read.

void CScriptChecker::CheckBytes() {
    if (m_source->HadByteOrderMark() && m_story.Encoding() == TextEncoding::Gb2312)
        m_out.Add({m_path, 1, 1, Severity::Warning,
                   "a UTF-8 byte-order mark in a GB2312 story (skipped); save the file without "
                   "it, or set encoding = \"utf-8\" in story.toml"});
    const auto count = static_cast<uint32_t>(m_source->Tokens().size());
    for (uint32_t i = 0; i < count; ++i)
        CheckToken(i);
}

void CScriptChecker::CheckToken(uint32_t index) {
    const std::string_view text = Text(index);
    if (std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; })) return;
    bool valid = true;
    if (m_story.Encoding() == TextEncoding::Utf8) {
        for (size_t at = 0; valid && at < text.size();) {
            const size_t length = CTextCodec::Utf8SequenceLength(text.substr(at));
            valid = length > 0;
            at += length;
        }
    } else {
        valid = CTextCodec::Gb2312ToUtf8(text).find("\xEF\xBF\xBD") == std::string::npos;
    }
    if (!valid)
        Report(index, true,
               std::string("bytes that are not valid ") +
                   (m_story.Encoding() == TextEncoding::Utf8 ? "UTF-8" : "GB2312") +
                   " (they show as U+FFFD)");
}

// [SECTION] Labels, commands and their arguments.

void CScriptChecker::CollectLabels() {
    m_labels.clear();
    const auto count = static_cast<uint32_t>(m_source->Tokens().size());
    for (uint32_t i = 0; i < count; ++i) {
        const std::string_view text = Text(i);
        if (!CScript::IsLabel(text)) continue;
        const std::string_view name = text.substr(0, text.size() - 1);
        if (std::find(m_labels.begin(), m_labels.end(), name) != m_labels.end())
            Report(i, true,
                   "label " + Quoted(name) + " is defined twice; jumps go to the first one");
        m_labels.push_back(name);
    }
}

uint32_t CScriptChecker::CheckCommand(uint32_t index, const CommandEntry& entry) {
    const auto count = static_cast<uint32_t>(m_source->Tokens().size());
    if (!entry.shape.IsDeclared()) return index + 1;  // nothing known to check
    const std::string_view args = entry.shape.args;
    if (count - index - 1 < args.size()) {
        Report(index, true,
               "too few tokens at the end of the file: " + Quoted(entry.name) + " reads " +
                   std::to_string(args.size()) + ", " + std::to_string(count - index - 1) +
                   " left");
        return count;
    }
    for (uint32_t k = 0; k < args.size(); ++k)
        CheckArgument(args[k], index + 1 + k);
    CheckMode(index, entry);
    CheckOperands(index, entry);
    Follow(index, entry);
    return index + 1 + static_cast<uint32_t>(args.size());
}

void CScriptChecker::CheckArgument(char letter, uint32_t index) {
    switch (letter) {
        case 'l':
            return CheckLabelTarget(index);
        case 'e':
            return CheckEvent(index);
        case 'r':
        case 'w':
            return CheckRegister(index);
        case 'v':
            return CheckValue(index);
        case 'p':
            return CheckPicture(index);
        case 'c':
            return CheckScript(index);
        case 't':
            return CheckTextLength(index, kTextKept, "the dialogue box");
        case 'k':
            return CheckTextLength(index, kSpeakerKept, "the speaker's box");
        default:
            return;
    }
}

void CScriptChecker::CheckLabelTarget(uint32_t index) {
    const std::string_view name = Text(index);
    if (m_source->FindLabel(name) != ScriptToken::kNoLabel) return;
    Report(index, true, "no label " + Quoted(name) + " in this file" + Suggest(name, m_labels));
}

void CScriptChecker::CheckEvent(uint32_t index) {
    const std::string_view name = Text(index);
    if (CScriptManager::EventCode(name) != CScriptManager::kEventNone) return;
    const std::vector<std::string_view> known = CScriptManager::EventNames();
    Report(index, true, "unknown event " + Quoted(name) + Suggest(name, known));
}

void CScriptChecker::CheckRegister(uint32_t index) {
    const ScriptToken& token = m_source->Tokens()[index];
    const std::string_view text = token.text;
    if (token.reg == kBadRegister)
        Report(index, true, Quoted(text) + " is past register 31");
    else if (token.reg == kMisspeltRegister || !token.IsRegisterName())
        Report(index, true,
               Quoted(text) + " is no register name (registers are $zero, $v0, $a0-$a3, $t0...)");
}

void CScriptChecker::CheckValue(uint32_t index) {
    const std::string_view text = Text(index);
    if (text.starts_with('$'))
        CheckRegister(index);
    else if (text.starts_with('@'))
        CheckPictureName(index, true);  // a value may name a sound as well
}

void CScriptChecker::CheckPicture(uint32_t index) {
    const ScriptToken& token = m_source->Tokens()[index];
    if (std::string_view(token.text).starts_with('@')) return CheckPictureName(index);
    if (m_story.Pictures().Find(token.number))
        m_picturesUsed.insert(token.number);
    else
        Report(index, true,
               "picture " + std::to_string(token.number) + " is not in the picture table");
}

void CScriptChecker::CheckPictureName(uint32_t index, bool soundsToo) {
    const std::string_view name = Text(index).substr(1);
    if (!m_story.HasManifest()) {
        Report(index, true, "picture names come from story.toml, and this story has none");
        return;
    }
    if (const std::optional<int32_t> number = m_story.Pictures().NumberOf(name)) {
        m_picturesUsed.insert(*number);
        return;
    }
    if (soundsToo && m_story.Sounds().NumberOf(name)) return;
    std::vector<std::string_view> names;
    for (const auto& [number, row] : m_story.Pictures().Rows())
        if (!row.name.empty()) names.push_back(row.name);
    Report(index, true, "no picture is named " + Quoted(name) + Suggest(name, names));
}

void CScriptChecker::CheckScript(uint32_t index) {
    const int32_t number = m_source->Tokens()[index].number;
    if (m_story.Scripts().PathOf(number).empty())
        Report(index, true, "script " + std::to_string(number) + " is not in the script table");
    else
        m_scriptsUsed.insert(number);
}

void CScriptChecker::CheckTextLength(uint32_t index, size_t kept, const char* what) {
    const std::string_view text = Text(index);
    const size_t shown = CTextCodec::CutAtCharacter(text, kept, m_story.Encoding()).size();
    if (shown < text.size())
        Report(index, false,
               "text too long: " + std::string(what) + " shows only its first " +
                   std::to_string(shown) + " bytes");
}

// [SECTION] What straight-line code makes known: modes, the scene's size and
// the values moved into $a0-$a3.

void CScriptChecker::CheckMode(uint32_t index, const CommandEntry& entry) {
    const CommandMode wants = entry.shape.mode;
    if (wants == CommandMode::Any || !m_known.mode) return;
    const bool inScene = *m_known.mode == CGame::kModeRPG;
    if ((wants == CommandMode::Pictures) == inScene) {
        Report(index, false,
               Quoted(entry.name) + " does nothing in " + ModeName(*m_known.mode) +
                   ", which is current here");
    } else if (wants == CommandMode::SizedScene && m_known.sceneSized == false) {
        Report(index, false,
               Quoted(entry.name) +
                   " before SetSceneScale: the scene has no size yet, so it does nothing");
    }
}

void CScriptChecker::CheckOperands(uint32_t index, const CommandEntry& entry) {
    const std::string_view operands = entry.shape.operands;
    for (size_t slot = 0; slot < operands.size() && slot < m_known.args.size(); ++slot)
        if (m_known.args[slot] && operands[slot] != '-')
            CheckOperand(index, operands[slot], static_cast<int>(slot), *m_known.args[slot]);
}

void CScriptChecker::CheckOperand(uint32_t index, char letter, int slot, int32_t value) {
    const std::string where = " (in $a" + std::to_string(slot) + ")";
    const std::string number = std::to_string(value);
    if (letter == 'p' && !m_story.Pictures().Find(value))
        Report(index, true, "picture " + number + where + " is not in the picture table");
    else if (letter == 'p')
        m_picturesUsed.insert(value);
    else if (letter == 'c' && m_story.Scripts().PathOf(value).empty())
        Report(index, true, "script " + number + where + " is not in the script table");
    else if (letter == 'c')
        m_scriptsUsed.insert(value);
    else if (letter == 'f' &&
             (value < 0 || value >= static_cast<int32_t>(CGlobalState::kFlagCount)))
        Report(index, true, "flag index " + number + where + " is outside 0-255");
    else if (letter == 'm' && value != CGame::kModeRPG && value != CGame::kModeGal)
        Report(index, true,
               "mode " + number + where + " is no mode: 0 is role-playing, 8 picture-novel");
}

void CScriptChecker::Follow(uint32_t index, const CommandEntry& entry) {
    if (entry.name == "move") {
        const ScriptToken& destination = m_source->Tokens()[index + 1];
        const ScriptToken& source = m_source->Tokens()[index + 2];
        const int slot = destination.reg - kRegA0;
        if (slot < 0 || slot >= static_cast<int>(m_known.args.size())) return;
        m_known.args[static_cast<size_t>(slot)] =
            source.IsRegisterName() ? std::nullopt : std::optional<int32_t>(source.number);
    } else if (entry.name == "ChangeMode") {
        const std::optional<int32_t> mode = m_known.args[0];
        m_known.mode.reset();
        if (mode == CGame::kModeRPG || mode == CGame::kModeGal)
            m_known.mode = static_cast<uint8_t>(*mode);
    } else if (entry.name == "SetSceneScale" && m_known.mode == CGame::kModeRPG) {
        m_known.sceneSized = true;
    }
}

// The index of the first token on a later line than token `index`.
uint32_t CScriptChecker::NextLine(uint32_t index) const {
    const auto count = static_cast<uint32_t>(m_source->Tokens().size());
    const uint32_t line = m_source->PlaceOf(index).line;
    uint32_t next = index + 1;
    while (next < count && m_source->PlaceOf(next).line == line)
        ++next;
    return next;
}
